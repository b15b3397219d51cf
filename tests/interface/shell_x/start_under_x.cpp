// Under a real X server: the program starts, shows its main window with an untitled grammar,
// and a screenshot of it is saved. Exit code 0 when the title and the size are right.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "frmGrammar.h"
#include "frmMain.h"
#include "module_main.h"
#include "settings.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s screenshot.png\n", argv[0]);
        return 2;
    }
    const QString shot = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    if (QGuiApplication::platformName() != "xcb") {
        std::fprintf(stderr, "not an X server: %s\n", qPrintable(QGuiApplication::platformName()));
        return 1;
    }

    frmMain* w = ModuleMain::Main({});
    int failures = 0;
    // Wait for the window to be on the screen (at most ten seconds), then look at it.
    QElapsedTimer waited;
    waited.start();
    while ((!w->windowHandle() || !w->windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QTimer::singleShot(200, [&] {
        QApplication::processEvents();
        const QPixmap pixmap = w->screen()->grabWindow(w->winId());
        if (!pixmap.save(shot)) {
            std::fprintf(stderr, "the screenshot could not be saved to %s\n", qPrintable(shot));
            ++failures;
        }
        const double t = frmMain::TwipsPerPixel();
        const QSize expected(qRound(Settings::DefaultWidth / t), qRound(Settings::DefaultHeight / t));
        std::printf("title \"%s\", size %dx%d (expected %dx%d), grammar \"%s\"\n", qPrintable(w->windowTitle()),
                    w->width(), w->height(), expected.width(), expected.height(),
                    ModuleMain::ActiveGrammar ? qPrintable(ModuleMain::ActiveGrammar->Caption()) : "");
        if (w->windowTitle() != "Tamberlix") ++failures;
        if (w->size() != expected) ++failures;
        if (!w->isVisible() || !ModuleMain::ActiveGrammar || ModuleMain::ActiveGrammar->Caption() != "Untitled 1")
            ++failures;
        if (ModuleMain::ActiveGrammar) ModuleMain::ActiveGrammar->MarkSaved();
        w->close();
        QApplication::quit();
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
