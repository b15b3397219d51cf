// Under a real X server: what a person must be able to read, each saved as a screenshot in the
// given folder: the main window at its default size with its whole toolbar, the syntax-error
// window, the LL(1) question for a grammar whose start symbol is <S>, and a 17 by 40 matrix
// grid scrolled to its far corner with its titles in place. Exit code 0 when every picture was
// saved and what it shows was found in order.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <cstdio>
#include <set>

#include "frmError.h"
#include "frmGrammar.h"
#include "frmGrid.h"
#include "frmMain.h"
#include "modal.h"
#include "module_main.h"
#include "settings.h"

namespace {

int failures = 0;

void check(bool ok, const char* what)
{
    std::printf("%s: %s\n", what, ok ? "yes" : "NO");
    if (!ok) ++failures;
}

void settle(QWidget* w)
{
    QElapsedTimer waited;
    waited.start();
    while ((!w->windowHandle() || !w->windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int k = 0; k < 15; ++k) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void shoot(QWidget* w, const QString& file)
{
    settle(w);
    const QPixmap pixmap = w->screen()->grabWindow(w->winId());
    const QImage image = pixmap.toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 3; y += 7)
        for (int x = 0; x < image.width() && colours.size() < 3; x += 7) colours.insert(image.pixel(x, y));
    const bool saved = pixmap.save(file);
    std::printf("%s: %dx%d, %s\n", qPrintable(file), pixmap.width(), pixmap.height(), saved ? "saved" : "NOT saved");
    if (!saved || colours.size() < 2) ++failures;
}

void setText(frmGrammar* g, const std::string& text)
{
    g->LoadFileBytes(text);
    g->iGrmNotation = 1;
    g->MarkSaved();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder-for-screenshots\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }

    // The syntax-error window, shown as the program shows it, then closed by Enter.
    auto modal = std::make_unique<dialogs::ScriptedModal>();
    modal->script = [&folder](QDialog& d) {
        auto* error = qobject_cast<frmError*>(&d);
        if (!error) return;
        d.show();
        shoot(&d, folder + "/tamberlix_error.png");
        check(error->body->editor->horizontalScrollBar()->value() == 0, "error window at its first column");
        QWidget* focus = d.focusWidget();
        check(focus == static_cast<QWidget*>(error->Command1), "error window's OK button has the focus");
        error->Command1->click();
    };
    dialogs::SetModalRunner(std::move(modal));

    frmMain* w = ModuleMain::Main({});
    QDir::setCurrent(store.path());
    settle(w);
    frmGrammar* g = ModuleMain::ActiveGrammar;
    if (!g) {
        std::fprintf(stderr, "no grammar window\n");
        return 1;
    }

    // The toolbar at the default size, the class target's label on the Build button.
    const QString image = w->ButtonImage("Build");
    w->SetButtonImage("Build", "cpp");
    shoot(w, folder + "/tamberlix_toolbar.png");
    w->SetButtonImage("Build", image);
    bool all = true;
    for (QAction* a : w->ToolbarActions()) {
        if (a->isSeparator()) continue;
        QWidget* b = w->ToolBar()->widgetForAction(a);
        if (!b) b = w->GrammarToolBar()->widgetForAction(a);
        all = all && b && b->isVisible();
    }
    check(all, "every toolbar button shown at the default size");

    // A syntax error at the end of a line wider than the window.
    std::string wide = "<S> ::= a <A>\n<A> :-";
    for (int i = 0; i < 60; ++i) wide += " b" + std::to_string(i % 10);
    setText(g, wide + "\n");
    static_cast<dialogs::ScriptedModal&>(dialogs::Modal()).runs = 0;
    w->tbToolBar_ButtonClick("Notation");

    // The LL(1) question for <S>, answered No once its picture is taken.
    check(static_cast<dialogs::ScriptedModal&>(dialogs::Modal()).runs == 1, "the syntax-error window was shown");
    // Corners that left factoring does not join: the run asks.
    setText(g, "<S> ::= <A> x | <B> y\n<A> ::= a\n<B> ::= a\n");
    bool asked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || asked) return;
        asked = true;
        shoot(box, folder + "/tamberlix_ll1_question.png");
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        check(label && label->textFormat() == Qt::PlainText && label->text().startsWith("<S> is not LL1 grammar."),
              "the question names <S> in plain text");
        box->button(QMessageBox::No)->click();
    });
    poll.start(100);
    w->tbToolBar_ButtonClick("LL1");
    poll.stop();
    check(asked, "the LL(1) question was asked");

    // A 17 by 40 grid scrolled to its far corner.
    std::string text;
    for (int i = 0; i < 17; ++i) {
        const std::string next = i < 16 ? " <N" + std::to_string(i + 1) + ">" : "";
        text += "<N" + std::to_string(i) + "> ::= " + std::string(1, static_cast<char>('a' + i)) + next + " | " +
                std::string(1, static_cast<char>('r' + i % 5)) + "\n";
    }
    setText(g, text);
    w->tbToolBar_ButtonClick("LL1");
    frmGrid* grid = nullptr;
    for (frmGrid* x : g->Grids())
        if (x->windowTitle().endsWith("Is-Followed-By")) grid = x;
    check(grid != nullptr, "the Is-Followed-By grid is shown");
    if (grid) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(grid->parentWidget())) {
            // Smaller than the grid both ways, so that it scrolls in both.
            sub->setGeometry(0, 0, w->MdiArea()->viewport()->width() * 2 / 3, 300);
            sub->raise();
            w->MdiArea()->setActiveSubWindow(sub);
        }
        settle(w);
        QTableView* t = grid->MSHFlexGrid1;
        t->horizontalScrollBar()->setValue(t->horizontalScrollBar()->maximum());
        t->verticalScrollBar()->setValue(t->verticalScrollBar()->maximum());
        shoot(w, folder + "/tamberlix_grid_scrolled.png");
        check(t->horizontalScrollBar()->value() > 0, "the grid scrolled sideways");
        check(t->verticalScrollBar()->value() > 0, "the grid scrolled downwards");
        check(grid->FixedColumn()->isVisible() && grid->FixedRow()->isVisible(), "its titles stay in view");
    }

    for (int k = 1; k <= ModuleMain::GrammarCount; ++k)
        if (frmGrammar* x = ModuleMain::GrammarAt(k)) x->MarkSaved();
    w->close();
    dialogs::SetModalRunner(nullptr);
    return failures == 0 ? 0 : 1;
}
