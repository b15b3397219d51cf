// The result windows of a grammar: which ones the options open, their numbers and navigation
// nodes, who is told when one closes, and result files that are missing or not written.
#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <filesystem>
#include <map>

#include "frmGrammar.h"
#include "readers.h"
#include "frmSwitch.h"
#include "module_main.h"
#include "grammar_run_fixture.h"
#include "workspace_state.h"

using namespace ModuleMain;

namespace {

const char* const Small = "<S> ::= a <A> | b\n<A> ::= c |\n";

struct OptionsCase {
    const char* name;
    bool null, nonterminals, terminals, isEndOf, beginsWith, isFollowedBy, select;
    std::vector<QString> documents, grids;
};

const OptionsCase OptionSets[] = {
    {"nothing", false, false, false, false, false, false, false, {}, {}},
    {"only_followed_by", false, false, false, false, false, true, false, {}, {"S - Is-Followed-By"}},
    {"lists", true, true, true, false, false, false, false,
     {"S - Nullable rules", "S - Nonterminals", "S - Terminals"}, {}},
    {"select_and_end_of", false, false, false, true, false, false, true, {"S - Set of select"}, {"S - Is-End-Of"}},
};

class OptionsTest : public WorkspaceTest, public ::testing::WithParamInterface<OptionsCase> {};

void closeSub(QWidget* w)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->close();
}

} // namespace

TEST_P(OptionsTest, EachSwitchOpensItsWindowAndNoOther)
{
    const OptionsCase& c = GetParam();
    ShowNull = c.null;
    ShowNonterminals = c.nonterminals;
    ShowTerminals = c.terminals;
    ShowIsEndOf = c.isEndOf;
    ShowBeginsWith = c.beginsWith;
    ShowIsFollowedBy = c.isFollowedBy;
    ShowSelect = c.select;
    TitlePictures.clear();
    SetGrammar(Small);
    TestRun();
    EXPECT_EQ(DocumentTitles(), c.documents);
    EXPECT_EQ(GridTitles(), c.grids);
    // The rotated titles are drawn only when some grid is shown.
    EXPECT_EQ(!TitlePictures.empty(), !c.grids.empty());
}

INSTANTIATE_TEST_SUITE_P(Options, OptionsTest, ::testing::ValuesIn(OptionSets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkspaceTest, ABuildKeepsTheParserDocumentOnlyWhenAsked)
{
    SetGrammar(Small);
    ShowParser = false;
    BuildRun();
    EXPECT_TRUE(QFileInfo::exists(Path("S.bas")));
    EXPECT_EQ(DocumentTitled("S.bas"), nullptr);
    EXPECT_EQ(active()->frmParser, nullptr);
    ShowParser = true;
    BuildRun();
    frmDocument* parser = DocumentTitled("S.bas");
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(active()->frmParser, parser);
    EXPECT_FALSE(parser->Locked());
    EXPECT_EQ(active()->ResultParser(), parser);
    EXPECT_EQ(parser->rtfText.Text(), readers::ToCrLf(ReadFile(Path("S.bas"))));
    // The log and the listing of the build are gone; the code stays.
    EXPECT_FALSE(QFileInfo::exists(Path("S.log")));
}

TEST_F(WorkspaceTest, ACppBuildShowsItsFilesUnderTheEnginesLowerCaseNames)
{
    struct Case {
        int language;
        const char* code;
        const char* header;  // "" for none
    };
    const Case cases[] = {{8, "sum.cxx", ""}, {9, "sum.cpp", "sum.h"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SetGrammar("<Sum> ::= a <Rest>\n<Rest> ::= + a <Rest> |\n");
        active()->iGrmLanguage = c.language;
        active()->NotationLanguageSwitch();
        main()->LogText.clear();
        BuildRun();
        EXPECT_TRUE(QFileInfo::exists(Path(c.code)));
        frmDocument* code = DocumentTitled(c.code);
        ASSERT_NE(code, nullptr);
        EXPECT_FALSE(code->rtfText.Text().empty());
        EXPECT_EQ(NavWindow->NodeImage(code->Tag), "Document_P");
        // The names shown are the names on disk.
        EXPECT_NE(MaskedLog().find(std::string(" ... The parser code is kept in file ") + c.code + "\r\n"),
                  std::string::npos) << MaskedLog();
        EXPECT_EQ(main()->Panel1Text(), QStringLiteral("The parser code is kept in file ") + c.code);
        EXPECT_EQ(DocumentTitled("Sum.cxx"), nullptr);
        EXPECT_EQ(DocumentTitled("Sum.cpp"), nullptr);
        if (*c.header) {
            EXPECT_TRUE(QFileInfo::exists(Path(c.header)));
            frmDocument* header = DocumentTitled(c.header);
            ASSERT_NE(header, nullptr);
            EXPECT_EQ(active()->frmParser, header);
        } else {
            EXPECT_EQ(active()->frmParser, code);
        }
    }
}

TEST_F(WorkspaceTest, TheLogSaysWhenTheEngineCouldNotWriteAResultFile)
{
    SetGrammar(Small);
    // A folder in the way of the select-set file: the engine cannot write it.
    std::filesystem::create_directory(folder_->Path() / "S.sel");
    TestRun();
    EXPECT_EQ(DocumentTitled("Set of select"), nullptr);
    EXPECT_NE(MaskedLog().find("TT:TT:TT ... The result file \"S.sel\" cannot be opened."), std::string::npos) << MaskedLog();
    // The verdict still comes.
    EXPECT_NE(DocumentTitled("Nonterminals"), nullptr);
}

TEST_F(WorkspaceTest, AMissingResultFileIsReportedAndNoStaleFileIsShown)
{
    SetGrammar(Small);
    TestRun();
    const size_t before = DocumentTitles().size();
    WriteFile("Old.xyz", "stale\n");
    EXPECT_EQ(main()->pipeline().LoadResultDocument("Anything", ".xyz"), nullptr);
    Idle = true;  // as the finish of a run leaves it
    EXPECT_EQ(DocumentTitles().size(), before);
    EXPECT_NE(MaskedLog().find(" ... the result file \"S.xyz\" is missing"), std::string::npos);
    // A name that fails the name check keeps the window's old name, but the files of the run
    // are those the engine named after the new one.
    SetGrammar("<9Lives> ::= a\n");
    TestRun();
    ASSERT_FALSE(ui_->messages.empty());
    EXPECT_TRUE(ui_->messages.front().text.startsWith("Invalid grammar name '9Lives'"));
    EXPECT_EQ(active()->GrammarName, "S");
    frmDocument* names = DocumentTitled("Nonterminals");
    ASSERT_NE(names, nullptr);
    EXPECT_NE(names->rtfText.Text().find("<9Lives>"), std::string::npos);
}

TEST_F(WorkspaceTest, DocumentNumbersAreReusedOnlyFromTheTop)
{
    frmGrammar* g = active();
    g->GrammarName = "G";
    frmDocument* d1 = g->LoadNewDoc("G", "one");
    frmDocument* d2 = g->LoadNewDoc("G", "two");
    frmDocument* d3 = g->LoadNewDoc("G", "three");
    EXPECT_EQ(d3->Tag, "Root  1Doc  3");
    EXPECT_EQ(NavWindow->NodeImage(d3->Tag), "Document");
    closeSub(d2);
    EXPECT_EQ(g->DocCount(), 3);
    EXPECT_EQ(g->LoadNewDoc("G", "four")->Number(), 4);
    closeSub(g->Document(4));
    closeSub(d3);
    EXPECT_EQ(g->DocCount(), 1);
    EXPECT_EQ(g->LoadNewDoc("G", "again")->Number(), 2);
    EXPECT_EQ(NavWindow->Node("Root  1Doc  3"), nullptr);
    closeSub(d1);
    closeSub(g->Document(2));
    EXPECT_EQ(g->DocCount(), 0);
    EXPECT_FALSE(g->Results());
}

TEST_F(WorkspaceTest, AParserDocumentGetsItsOwnImageAndResultsOfAFailedTestAreRed)
{
    frmGrammar* g = active();
    g->GrammarName = "Ex";
    EXPECT_EQ(NavWindow->NodeImage(g->LoadNewDoc("Ex", "Ex.bas")->Tag), "Document_P");
    EXPECT_EQ(NavWindow->NodeImage(g->LoadNewDoc("Ex", "Expr.bas")->Tag), "Document");
    GrammarIsLL1 = false;
    frmDocument* red = g->LoadNewDoc("Ex", "Set of select");
    GrammarIsLL1 = true;
    EXPECT_EQ(NavWindow->NodeImage(red->Tag), "Document_red");
    EXPECT_EQ(NavWindow->NodeColour(red->Tag), ErrorFont.FontColor);
    g->SetNavNodesToGray();
    g->SetNavNodesToGray();
    EXPECT_EQ(NavWindow->NodeImage(red->Tag), "Document_sign_roze");
    EXPECT_EQ(NavWindow->NodeColour(red->Tag), RoseColor);
    EXPECT_EQ(NavWindow->NodeImage(g->Document(1)->Tag), "Document_P_gray");
    EXPECT_EQ(NavWindow->NodeImage(g->Document(2)->Tag), "Document_gray");
}

TEST_F(WorkspaceTest, AClosingResultWindowTellsItsOwnGrammarNotTheActiveOne)
{
    SetGrammar(Small);
    TestRun();
    frmGrammar* first = active();
    const int docs = first->DocCount();
    ASSERT_GT(docs, 1);
    frmDocument* last = first->Document(docs);
    const QString key = last->Tag;
    frmGrammar* second = main()->AddGrammarWindow(QString());
    ASSERT_EQ(active(), second);
    second->GrammarName = "Other";
    frmDocument* own = second->LoadNewDoc("Other", "x");
    closeSub(last);
    EXPECT_EQ(first->Document(docs), nullptr);
    EXPECT_EQ(first->DocCount(), docs - 1);
    EXPECT_EQ(NavWindow->Node(key), nullptr);
    // The active grammar's own document is untouched.
    EXPECT_EQ(second->Document(1), own);
    EXPECT_EQ(second->DocCount(), 1);
    // Grids too.
    const int grids = first->GridCount();
    closeSub(first->Grid(grids));
    EXPECT_EQ(first->GridCount(), grids - 1);
}

TEST_F(WorkspaceTest, AClickOnANodeOfAClosedGrammarDoesNothing)
{
    SetGrammar(Small);
    TestRun();
    frmGrammar* first = active();
    const QString docKey = first->Document(1)->Tag;
    main()->AddGrammarWindow(QString());
    frmGrammar* second = active();
    // Grammar 1 is active again after a click on its document.
    NavWindow->TViewNav_NodeClick(docKey);
    EXPECT_EQ(active(), first);
    main()->AddGrammarWindow(QString());
    first->MarkSaved();
    main()->UnloadGrammar(first);
    ASSERT_EQ(GrammarAt(1), nullptr);
    frmGrammar* before = active();
    for (const QString& key : {docKey, QStringLiteral("Root  1"), QStringLiteral("Root  9Doc  1"),
                               QStringLiteral("Root  0Grd  1"), QStringLiteral("Root")})
        NavWindow->TViewNav_NodeClick(key);
    EXPECT_EQ(active(), before);
    EXPECT_NE(second, nullptr);
}

TEST_F(WorkspaceTest, ABuildWhoseParserFileIsNotWrittenSaysSoAndOpensNoCode)
{
    SetGrammar(Small);
    // A folder in the way of the parser file.
    std::filesystem::create_directory(folder_->Path() / "S.bas");
    BuildRun();
    EXPECT_EQ(DocumentTitled("S.bas"), nullptr);
    EXPECT_EQ(active()->frmParser, nullptr);
    const std::string log = MaskedLog();
    EXPECT_EQ(log.find("The parser code is kept in file"), std::string::npos) << log;
    EXPECT_NE(log.find("S.bas"), std::string::npos) << log;
    EXPECT_TRUE(Idle);
}

TEST_F(WorkspaceTest, InDockingViewResultWindowsFollowTheirGrammarWindow)
{
    SetGrammar(Small);
    TestRun();
    frmGrammar* g = active();
    QMdiSubWindow* mine = g->subWindow();
    ASSERT_NE(mine, nullptr);
    const auto subOf = [](QWidget* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); };
    DockingView = false;
    const QRect before = subOf(g->Document(1))->geometry();
    mine->setGeometry(10, 10, 300, 200);
    EXPECT_EQ(subOf(g->Document(1))->geometry(), before);
    DockingView = true;
    mine->setGeometry(20, 30, 320, 240);
    EXPECT_EQ(subOf(g->Document(1))->geometry(), mine->geometry());
    EXPECT_EQ(subOf(g->Grid(1))->geometry(), mine->geometry());
    DockingView = false;
}

// Repeated Builds of one grammar replace their results: what a Build leaves alive (windows,
// documents, laid-out text, tables) is the same after the fifth as after the first, and the old
// results are gone before the new ones are made, not when the event loop next gets round to it.
TEST_F(WorkspaceTest, RepeatedBuildsLeaveNoOldResultsAlive)
{
    SetGrammar(TextbookGrammar);
    const auto alive = [this] {
        std::map<std::string, int> count;
        for (QObject* o : main()->findChildren<QObject*>()) ++count[o->metaObject()->className()];
        // The main window's layout animations end on timers, which a test does not wait for.
        count.erase("QPropertyAnimation");
        return count;
    };
    BuildRun();
    const auto afterOne = alive();
    ASSERT_GT(afterOne.count("frmDocument"), 0u);
    for (int i = 0; i < 4; ++i) BuildRun();
    // The kinds whose number changed, with the number after one Build and after five.
    std::string changed;
    auto afterFive = alive();
    for (const auto& [kind, n] : afterOne) afterFive.try_emplace(kind, 0);
    for (const auto& [kind, n] : afterFive) {
        const auto one = afterOne.find(kind);
        const int before = one == afterOne.end() ? 0 : one->second;
        if (before != n) changed += kind + " " + std::to_string(before) + " -> " + std::to_string(n) + "\n";
    }
    EXPECT_EQ(changed, "");
}
