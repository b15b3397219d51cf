// The window program's start: the time from starting the program to its main window shown, and
// to a 400-rule grammar file opened and shown. Each run is a fresh process (this program run
// again as a child); the figures are medians.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "frmGrammar.h"
#include "frmMain.h"
#include "module_main.h"
#include "settings.h"

namespace {

int child(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    QStringList files;
    if (argc > 2) files << QString::fromLocal8Bit(argv[2]);
    frmMain* w = ModuleMain::Main(files);
    while (!w->windowHandle() || !w->windowHandle()->isExposed()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    const bool opened = files.isEmpty() || (ModuleMain::ActiveGrammar && ModuleMain::ActiveGrammar->Caption() == files[0] &&
                                            !ModuleMain::ActiveGrammar->TextEmpty());
    std::printf(opened ? "shown\n" : "failed\n");
    std::fflush(stdout);
    for (int k = 1; k <= ModuleMain::GrammarCount; ++k)
        if (frmGrammar* g = ModuleMain::GrammarAt(k)) g->MarkSaved();
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds from starting the child to its "shown" line.
double run(const QString& self, const QStringList& args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, args);
    p.waitForReadyRead(30000);
    const double ms = t.nsecsElapsed() / 1e6;
    const QByteArray line = p.readLine().trimmed();
    p.waitForFinished(30000);
    if (line != "shown") {
        std::fprintf(stderr, "the program did not show its window: %s\n", line.constData());
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--child") return child(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString self = QString::fromLocal8Bit(argv[0]);
    const int runs = 7;
    std::vector<double> empty, grammar;
    for (int i = 0; i < runs; ++i) {
        empty.push_back(run(self, {"--child"}));
        grammar.push_back(run(self, {"--child", SHELL_BENCH_GRAMMAR}));
    }
    std::printf("platform %s, median of %d runs\n", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "xcb" : qgetenv("QT_QPA_PLATFORM").constData(), runs);
    std::printf("start to main window shown:               %8.1f ms\n", median(empty));
    std::printf("start to 400-rule grammar opened and shown: %6.1f ms\n", median(grammar));
    return 0;
}
