// The grammar workspace: a whole Build of the 400-rule grammar and of a 1,000-rule one through
// the window program (reading with colouring, cleaning, analysis, code, every result window
// shown and painted) with the resident memory after one and after five Builds, the colouring of
// 1 and 4 MB of grammar text in the grammar window, opening a 10 MB grammar file, and the
// transformation to LL(1) of a generated 300-nonterminal grammar. Medians of several runs. An
// argument "build" or "open" runs that measure alone, more often, for a profiler.
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
#include "workspace_state.h"
#include "ui_services.h"

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

// Answers Yes to the offer of a transformation; lets events run as the program does.
class YesUi final : public ui::UiServices {
public:
    ui::Answer messageBox(const QString&, const QString&, ui::Buttons b, ui::Icon) override
    {
        return b == ui::Buttons::YesNo ? ui::Yes : ui::Ok;
    }
    std::optional<QString> openFileName(const ui::FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const ui::FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&, const QString&, bool) override { return false; }
    std::int64_t tickCount() override { return 0; }
    void processEvents() override { QApplication::processEvents(); }
};

// n nonterminals, each left-recursive and with two alternatives of a common prefix.
std::string recursiveGrammar(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        const std::string me = "<N" + std::to_string(i) + ">";
        const std::string next = i + 1 < n ? "<N" + std::to_string(i + 1) + ">" : "z";
        text += me + " ::= " + me + " + " + next + " | a b " + next + " | a c\n";
    }
    return text;
}

// An LL(1) list grammar of n rules.
std::string listGrammar(int n)
{
    std::string text;
    for (int i = 0; i < n / 2; ++i) {
        const std::string me = "<N" + std::to_string(i) + ">", rest = "<R" + std::to_string(i) + ">";
        const std::string next = i + 1 < n / 2 ? "<N" + std::to_string(i + 1) + ">" : "z";
        text += me + " ::= x " + next + " " + rest + " | y\n";
        text += rest + " ::= , " + next + " " + rest + " |\n";
    }
    return text;
}

// Resident memory of this process in MB.
double residentMb()
{
    std::ifstream in("/proc/self/statm");
    long pages = 0, resident = 0;
    in >> pages >> resident;
    return resident * 4096.0 / 1048576.0;
}

bool buildOnce(frmMain* w, frmGrammar* g, const std::string& text, double& ms)
{
    g->LoadFileBytes(text);
    g->MarkSaved();
    QElapsedTimer t;
    t.start();
    w->tbToolBar_ButtonClick("Build");
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ms = t.nsecsElapsed() / 1e6;
    return !g->Documents().empty() && g->Grids().size() == 3 && g->frmParser;
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
    ModuleMain::UntitledWorkFolder = store.path();
    frmGrammar* g = ModuleMain::ActiveGrammar;
    const std::string grammar = readFile(WORKSPACE_BENCH_GRAMMAR);
    if (!g || grammar.empty()) {
        std::fprintf(stderr, "no grammar window or no grammar\n");
        return 1;
    }

    // An argument names the one measure to run ("build", "open"), for a profiler.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[argc - 1]) : QString();
    const auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };

    std::vector<double> build;
    double afterOne = 0;
    for (int run = 0; wanted("build") && run < (only.isEmpty() ? 7 : 30); ++run) {
        double ms = 0;
        if (!buildOnce(w, g, grammar, ms)) {
            std::fprintf(stderr, "the build did not show its results\n");
            return 1;
        }
        build.push_back(ms);
        if (run == 0) afterOne = residentMb();
        if (run == 4)
            std::printf("Resident memory after one Build: %.0f MB, after five: %.0f MB\n", afterOne, residentMb());
    }
    if (!build.empty())
        std::printf("Build of the 400-rule grammar (read, clean, analyse, generate, results shown): median %.1f ms\n",
                    median(build));
    if (!only.isEmpty() && !wanted("open")) {
        g->MarkSaved();
        w->close();
        return 0;
    }

    const std::string thousand = listGrammar(1000);
    std::vector<double> buildThousand;
    for (int run = 0; only.isEmpty() && run < 3; ++run) {
        double ms = 0;
        if (!buildOnce(w, g, thousand, ms)) {
            std::fprintf(stderr, "the 1,000-rule build did not show its results\n");
            return 1;
        }
        buildThousand.push_back(ms);
    }
    if (!buildThousand.empty())
        std::printf("Build of a 1,000-rule grammar: median %.1f ms\n", median(buildThousand));

    // About 1 and 4 MB of grammar text: the rules again and again.
    for (const std::size_t size : {std::size_t(1000000), std::size_t(4000000)}) {
        if (!only.isEmpty()) break;
        std::string big;
        while (big.size() < size) big += grammar;
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
    }

    // Opening a 10 MB grammar file: read, shown, read by the engine and coloured.
    {
        std::string huge;
        while (huge.size() < 10000000) huge += grammar;
        const QString file = store.filePath("huge.grm");
        std::ofstream(file.toStdString(), std::ios::binary) << huge;
        std::vector<double> open;
        for (int run = 0; run < (only.isEmpty() ? 5 : 8); ++run) {
            QElapsedTimer t;
            t.start();
            w->OpenGrammarFolder(file);
            QApplication::processEvents();
            open.push_back(t.nsecsElapsed() / 1e6);
            if (ModuleMain::ActiveGrammar) {
                ModuleMain::ActiveGrammar->MarkSaved();
                ModuleMain::ActiveGrammar->LoadFileBytes("");
                ModuleMain::ActiveGrammar->MarkSaved();
            }
        }
        std::printf("Opening a %zu-byte grammar file: median %.1f ms\n", huge.size(), median(open));
        QDir::setCurrent(store.path());
        g = ModuleMain::ActiveGrammar;
    }
    if (!only.isEmpty()) {
        if (g) g->MarkSaved();
        w->close();
        return 0;
    }

    // Transformation to LL(1) with the run's own transformations off, so that the
    // transformation switches them on one after the other.
    ui::SetUi(std::make_unique<YesUi>());
    const std::string recursive = recursiveGrammar(300);
    std::vector<double> ll1;
    for (int run = 0; run < 5; ++run) {
        ModuleMain::PreFact = ModuleMain::PreLoops = ModuleMain::PreLeftRecursion = false;
        g->LoadFileBytes(recursive);
        g->iGrmNotation = 1;
        g->MarkSaved();
        QElapsedTimer t;
        t.start();
        w->tbToolBar_ButtonClick("LL1");
        ll1.push_back(t.nsecsElapsed() / 1e6);
        if (!ModuleMain::GrammarIsLL1 || g->rtfText.Text().find("<$N0>") == std::string::npos) {
            std::fprintf(stderr, "the 300-nonterminal grammar was not transformed to LL(1)\n");
            return 1;
        }
    }
    std::printf("Transformation to LL(1) of a 300-nonterminal grammar with left recursion and common prefixes: "
                "median %.1f ms\n",
                median(ll1));
    g->MarkSaved();
    w->close();
    return 0;
}
