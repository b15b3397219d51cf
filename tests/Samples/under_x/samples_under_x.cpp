// Under a real X server: what a person must see of the samples, saved as screenshots of the whole
// screen in the folder given. Exit code 0 when every picture was saved and every check held.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>

#include <QLineEdit>
#include <QPlainTextEdit>

#include "Basic/CodeGen/form1.h"
#include "Basic/CodeGen/frm_error.h"
#include "ExpressionViewer/form1.h"
#include "ExpressionViewer/frm_message.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    std::printf("%s: %s\n", what, ok ? "ok" : "FAILED");
    if (!ok) ++failures;
}

void WaitExposed(QWidget* w)
{
    QElapsedTimer waited;
    waited.start();
    while ((!w->windowHandle() || !w->windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int k = 0; k < 10; ++k) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Shoot(const QString& file)
{
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s: %s\n", qPrintable(file), saved ? "saved" : "NOT saved");
    if (!saved) ++failures;
}

// Runs `act` on the modal dialog that `open` shows, once the dialog is on the screen.
template <class Dialog>
void WithModal(const std::function<void()>& open, const std::function<void(Dialog*)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            Check(false, "a modal dialog is shown");
            return;
        }
        WaitExposed(dialog);
        act(dialog);
    });
    open();
}

bool WholeOnScreen(QWidget* w)
{
    return w->screen()->availableGeometry().contains(w->frameGeometry());
}

// Kelvantroc at the left edge of the screen: its syntax-error dialogs, wider than the window.
void KelvantrocErrors(const QString& folder)
{
    const struct {
        const char* source;
        int button;
        const char* file;
    } cases[] = {
        {"f() + g(x, y)[i]", 6, "kelvantroc_error.png"},
        {nullptr, 1, "kelvantroc_long_line_error.png"},
    };
    std::string longLine;
    for (int i = 0; i < 2000; ++i) longLine += "a + ";
    longLine += "b c + d";
    for (const auto& c : cases) {
        kelvantroc::Form1 w;
        w.move(0, 0);
        w.show();
        WaitExposed(&w);
        w.SetSourceText(c.source ? c.source : longLine);
        WithModal<kelvantroc::frmMessage>([&] { w.Command1[static_cast<size_t>(c.button)]->click(); },
                                          [&](kelvantroc::frmMessage* d) {
                                              Check(WholeOnScreen(d), "the error dialog is whole on the screen");
                                              Shoot(folder + "/" + c.file);
                                              d->Command1[0]->click();
                                          });
    }
}

// Kelvantroc at its default size: the full C++ tree of "(a + b) * c" from its root, with a
// scroll bar for its width, then scrolled to its deepest leaf, shown whole.
void KelvantrocTree(const QString& folder)
{
    kelvantroc::Form1 w;
    w.move(0, 0);
    w.show();
    WaitExposed(&w);
    w.SetSourceText("(a + b) * c");
    w.Command1[7]->click();
    WaitExposed(&w);
    Check(w.TView->horizontalScrollBar()->isVisible(), "the tree view has a horizontal scroll bar");
    Check(w.TView->itemAt(5, 5) == w.TView->topLevelItem(0), "the tree view shows its root");
    Shoot(folder + "/kelvantroc_tree.png");
    const auto leaves = w.TView->findItems("a", Qt::MatchExactly | Qt::MatchRecursive);
    if (leaves.isEmpty()) {
        Check(false, "the tree holds the leaf \"a\"");
        return;
    }
    // Down to the leaf, then sideways to it, as a person would scroll.
    w.TView->scrollToItem(leaves.front(), QAbstractItemView::PositionAtCenter);
    QScrollBar* sideways = w.TView->horizontalScrollBar();
    sideways->setValue(sideways->value() + w.TView->visualItemRect(leaves.front()).left() - 200);
    WaitExposed(&w);
    const QRect leaf = w.TView->visualItemRect(leaves.front());
    Check(w.TView->viewport()->rect().contains(leaf.topLeft()) &&
              leaf.left() + QFontMetrics(leaves.front()->font(0)).horizontalAdvance("a") < w.TView->viewport()->width(),
          "the deepest leaf can be scrolled to");
    Shoot(folder + "/kelvantroc_tree_scrolled.png");
}

// Zentrav's error window: its first line whole.
void ZentravError(const QString& folder)
{
    zentrav::Form1 w;
    w.move(0, 0);
    w.show();
    WaitExposed(&w);
    w.Text1->setText("A*B+");
    WithModal<zentrav::frmError>([&] { w.Command1->click(); }, [&](zentrav::frmError* d) {
        const QString first = d->Text1->toPlainText().section('\n', 0, 0);
        Check(d->Text1->viewport()->width() >= QFontMetrics(d->Text1->font()).horizontalAdvance(first),
              "the error window's first line is whole");
        Check(WholeOnScreen(d), "the error window is whole on the screen");
        Shoot(folder + "/zentrav_error.png");
        d->Command1->click();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder-for-screenshots\n", argv[0]);
        return 2;
    }
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    KelvantrocErrors(folder);
    KelvantrocTree(folder);
    ZentravError(folder);
    return failures == 0 ? 0 : 1;
}
