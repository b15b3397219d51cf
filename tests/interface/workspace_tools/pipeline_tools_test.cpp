// The three transformation commands of the Tools menu on the grammar text, through the
// program's own processing and the engine library.
#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "frmDocument.h"
#include "processing_fixture.h"

using namespace ModuleMain;

namespace {

using ToolsStepsTest = ProgramTest;

struct Case {
    const char* name;
    void (frmMain::*command)();
    const char* grammar;
    std::vector<const char*> links;  // log lines of the chain, in order
    const char* text;                // the text the command leaves
};

const Case cases[] = {
    {"left factoring", &frmMain::mnuToolsLeftFactoring_Click, "<S> ::= a b | a c\n", {" ... left factoring"},
     "<S>::=a<$S_a>\r\n<$S_a>::=b\r\n      |c\r\n"},
    // A grammar without recursion still goes through the loop reduction.
    {"recursion loops", &frmMain::mnuToolsRecursionLoops_Click, "<S> ::= a b | a c\n",
     {" ... left factoring", " ... reducing left recursion loops"}, "<S>::=a<$S_a>\r\n<$S_a>::=b\r\n      |c\r\n"},
    {"left recursion", &frmMain::mnuToolsLeftRecursion_Click, "<E> ::= <E> + i | i\n",
     {" ... left factoring", " ... reducing left recursion loops", " ... eliminating immediate left recursion"},
     "<E>::=i<$E>\r\n<$E>::=+i<$E>\r\n      |\r\n"},
};

TEST_F(ToolsStepsTest, EachCommandRunsItsChainAndPutsThePrintedGrammarIntoTheWindow)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetText(c.grammar);
        const std::string before = Text();
        main()->LogText.clear();
        (main()->*c.command)();
        EXPECT_EQ(Text(), c.text);
        EXPECT_TRUE(active()->Changed());
        std::size_t at = Log().find("   - Try to transform grammar to LL(1)...");
        ASSERT_NE(at, std::string::npos);
        for (const char* link : c.links) {
            at = Log().find(link, at);
            EXPECT_NE(at, std::string::npos) << link;
        }
        // Only the printed grammar's file was written, and it is gone.
        EXPECT_TRUE(QDir(QDir::currentPath()).entryList({"*.tmp"}, QDir::Files).isEmpty());
        main()->mnuToolsUndo_Click();
        EXPECT_EQ(Text(), before);
    }
}

TEST_F(ToolsStepsTest, UsersExtensionNamesThePrintedFile)
{
    ExtFact = ".fct";
    SetText("<S> ::= a b | a c\n");
    main()->mnuToolsLeftFactoring_Click();
    EXPECT_EQ(Text(), "<S>::=a<$S_a>\r\n<$S_a>::=b\r\n      |c\r\n");
    EXPECT_FALSE(QFileInfo::exists("S.fct"));
}

TEST_F(ToolsStepsTest, SyntaxErrorLeavesTheTextAndTriesNothing)
{
    SetText("<S> ::= a | <\n");
    const std::string before = Text();
    main()->mnuToolsLeftRecursion_Click();
    EXPECT_EQ(Text(), before);
    EXPECT_NE(Log().find("syntax error"), std::string::npos);
    EXPECT_EQ(Log().find("Try to transform grammar to LL(1)"), std::string::npos);
}

} // namespace

namespace {

// In a run, each transformation switched on joins the run and shows its listing when asked.
TEST_F(ToolsStepsTest, RunAppliesTheTransformationsItsSwitchesAsk)
{
    PreFact = PreLoops = PreLeftRecursion = true;
    ShowFact = true;
    ShowLoops = ShowLeftRecursion = false;
    SetText("<S> ::= a b | a c\n");
    main()->tbToolBar_ButtonClick("LL1");
    EXPECT_TRUE(GrammarIsLL1);
    EXPECT_TRUE(ui_->messages.empty());
    std::vector<QString> titles;
    for (frmDocument* d : active()->Documents()) titles.push_back(d->windowTitle());
    EXPECT_NE(std::find(titles.begin(), titles.end(), "S - Left factoring"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "S - No recursion loops"), titles.end());
    std::size_t at = Log().find("   - Try to transform grammar to LL(1)...");
    for (const char* link : {" ... left factoring", " ... reducing left recursion loops",
                             " ... eliminating immediate left recursion"}) {
        at = Log().find(link, at);
        EXPECT_NE(at, std::string::npos) << link;
    }
}

} // namespace
