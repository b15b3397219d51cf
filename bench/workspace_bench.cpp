// The grammar workspace: a whole Build of the 400-rule grammar through the window program
// (reading with colouring, cleaning, analysis, code, every result window shown), and the
// colouring of a 1 MB grammar text in the grammar window. Medians of several runs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "frmGrammar.h"
#include "frmMain.h"
#include "module_main.h"
#include "pipeline.h"
#include "settings.h"

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir store;
    SetAppSettings(std::make_unique<Settings>(store.filePath("settings.ini")));
    frmMain* w = ModuleMain::Main({});
    QDir::setCurrent(store.path());
    frmGrammar* g = ModuleMain::ActiveGrammar;
    const std::string grammar = readFile(WORKSPACE_BENCH_GRAMMAR);
    if (!g || grammar.empty()) {
        std::fprintf(stderr, "no grammar window or no grammar\n");
        return 1;
    }

    std::vector<double> build;
    for (int run = 0; run < 7; ++run) {
        g->LoadFileBytes(grammar);
        g->MarkSaved();
        QElapsedTimer t;
        t.start();
        w->tbToolBar_ButtonClick("Build");
        QApplication::processEvents();
        build.push_back(t.nsecsElapsed() / 1e6);
        if (g->Documents().empty() || g->Grids().size() != 3 || !g->frmParser) {
            std::fprintf(stderr, "the build did not show its results\n");
            return 1;
        }
    }
    std::printf("Build of the 400-rule grammar (read, clean, analyse, generate, results shown): median %.1f ms\n",
                median(build));

    // About 1 MB of grammar text: the rules again and again under fresh names.
    std::string big;
    for (int copy = 0; big.size() < 1000000; ++copy) big += grammar;
    std::vector<double> colour;
    for (int run = 0; run < 3; ++run) {
        g->LoadFileBytes(big);
        g->MarkSaved();
        QElapsedTimer t;
        t.start();
        w->pipeline().ParseGrammarForFonts();
        QApplication::processEvents();
        colour.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("Colouring of a %zu-byte grammar text: median %.1f ms\n", big.size(), median(colour));
    g->MarkSaved();
    w->close();
    return 0;
}
