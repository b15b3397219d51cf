// Under a real X server: what a person must see of the samples, saved as screenshots of the whole
// screen in the folder given. Exit code 0 when every picture was saved and every check held.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "form1.h"
#include "frm_message.h"

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
    return failures == 0 ? 0 : 1;
}
