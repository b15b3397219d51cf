#include "grammar_run_fixture.h"

#include "frmError.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "frmGrammar.h"
#include "module_main.h"

using namespace ModuleMain;

void WorkspaceTest::SetUp()
{
    ShellTest::SetUp();
    Start();
    // Each listing in its own file, so that the files of one run can be read afterwards.
    ExtDead = ".ded";
    ExtUnreach = ".unr";
    ExtNonterminals = ".ntm";
    ExtSelect = ".sel";
    // The runs here show the analysis of the grammar as written; the optional transformations
    // towards LL(1) have tests of their own.
    PreFact = PreLoops = PreLeftRecursion = false;
}

void WorkspaceTest::SetGrammar(const std::string& text)
{
    active()->LoadFileBytes(text);
    active()->MarkSaved();
}

std::string WorkspaceTest::MaskedLog() const
{
    static const std::regex time("[0-9][0-9]:[0-9][0-9]:[0-9][0-9]");
    std::string log = std::regex_replace(main()->LogText, time, "TT:TT:TT");
    // The test's own folder differs from run to run.
    const std::string folder = folder_->Path().string();
    for (std::size_t at = log.find(folder); at != std::string::npos; at = log.find(folder, at))
        log.replace(at, folder.size(), "WORK");
    return log;
}

void WorkspaceTest::TestRun() { main()->tbToolBar_ButtonClick("LL1"); }
void WorkspaceTest::BuildRun() { main()->tbToolBar_ButtonClick("Build"); }

std::vector<QString> WorkspaceTest::DocumentTitles() const
{
    std::vector<QString> out;
    for (frmDocument* d : active()->Documents()) out.push_back(d->windowTitle());
    return out;
}

std::vector<QString> WorkspaceTest::GridTitles() const
{
    std::vector<QString> out;
    for (frmGrid* g : active()->Grids()) out.push_back(g->windowTitle());
    return out;
}

frmDocument* WorkspaceTest::DocumentTitled(const QString& title) const
{
    for (frmDocument* d : active()->Documents())
        if (d->windowTitle().endsWith(" - " + title)) return d;
    return nullptr;
}

frmGrid* WorkspaceTest::GridTitled(const QString& title) const
{
    for (frmGrid* g : active()->Grids())
        if (g->windowTitle().endsWith(" - " + title)) return g;
    return nullptr;
}

std::string WorkspaceTest::Fixture(const std::string& name)
{
    std::ifstream in(std::string(WORKSPACE_READER_FIXTURES) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::int32_t WorkspaceTest::ColourAt(RichText& t, readers::Pos at, readers::Pos length)
{
    t.SetSelStart(at);
    t.SetSelLength(length);
    const auto c = t.SelColor();
    t.SetSelStart(at);
    return c.value_or(-1);
}

void WorkspaceTest::ExpectGolden(const std::string& name, const std::string& actual)
{
    const std::string path = std::string(WORKSPACE_GOLDEN) + "/" + name;
    if (qEnvironmentVariableIsSet("UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no golden file " << path;
    std::ostringstream s;
    s << in.rdbuf();
    EXPECT_EQ(actual, s.str()) << "golden file " << name;
}

std::string WorkspaceTest::ErrorWindowTextOf(const std::function<void()>& step)
{
    std::string shown;
    modal_->script = [&shown](QDialog& d) {
        if (auto* w = qobject_cast<frmError*>(&d)) shown = w->rtfText.Text();
    };
    step();
    modal_->script = nullptr;
    return shown;
}
