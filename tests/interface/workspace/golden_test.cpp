// Whole runs through the real engine: the Process log and the result files of a test run or a
// build, against golden files, and the result windows each run leaves open.
#include <QDir>
#include <algorithm>
#include <filesystem>

#include "cp1251.h"
#include "engine_binding.h"
#include "frmGrammar.h"
#include "module_main.h"
#include "grammar_run_fixture.h"

using namespace ModuleMain;

namespace {

struct RunCase {
    const char* name;
    const char* grammar;
    bool build;
    std::vector<QString> documents;  // titles of the open documents, in number order
    std::vector<QString> grids;
};

const RunCase Runs[] = {
    {"ll1", TextbookGrammar, false,
     {"E - Nullable rules", "E - Nonterminals", "E - Terminals", "E - Set of select"},
     {"E - Is-End-Of", "E - Begins-With", "E - Is-Followed-By"}},
    {"ll1_build", TextbookGrammar, true,
     {"E - Nullable rules", "E - Nonterminals", "E - Terminals", "E - Set of select", "E - E.bas"},
     {"E - Is-End-Of", "E - Begins-With", "E - Is-Followed-By"}},
    {"dead_unreachable",
     "<S> ::= a <S> | b | <A> c\n"
     "<A> ::= x <A>\n"
     "<B> ::= d\n",
     false,
     {"S - Dead nonterminals", "S - Unreachable nonterminals", "S - Grammar after removing extraneous symbols",
      "S - Nonterminals", "S - Terminals", "S - Set of select"},
     {"S - Is-End-Of", "S - Begins-With", "S - Is-Followed-By"}},
    {"no_rules", "<S> ::= a <S>\n", false, {"S - Dead nonterminals"}, {}},
    {"no_terminals", "<S> ::= <A> <A>\n<A> ::=\n", false,
     {"S - Nullable rules", "S - Nonterminals", "S - Terminals", "S - Set of select"},
     {"S - Is-End-Of", "S - Begins-With", "S - Is-Followed-By"}},
    {"not_ll1_test", "<S> ::= a b | a c\n", false,
     {"S - Nonterminals", "S - Terminals", "S - Set of select"},
     {"S - Is-End-Of", "S - Begins-With", "S - Is-Followed-By"}},
    {"not_ll1_build", "<S> ::= a b | a c\n", true,
     {"S - Nonterminals", "S - Terminals", "S - Set of select", "S - S.bas"},
     {"S - Is-End-Of", "S - Begins-With", "S - Is-Followed-By"}},
};

class GoldenRunTest : public WorkspaceTest, public ::testing::WithParamInterface<RunCase> {
protected:
    // Every result file the run left in the work folder, name and bytes; the parser code is
    // checked apart (it carries the date).
    std::string ResultFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_->Path())) {
            const std::string name = entry.path().filename().string();
            if (name == "Tamberlix.log" || name == "settings.ini" || name.ends_with(".bas")) continue;
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        std::string out;
        for (const std::string& n : names) out += "==== " + n + "\n" + ReadFile(Path(n));
        return out;
    }
};

} // namespace

TEST_P(GoldenRunTest, LogResultFilesAndWindows)
{
    const RunCase& c = GetParam();
    SetGrammar(c.grammar);
    if (c.build) BuildRun();
    else TestRun();
    ExpectGolden(std::string(c.name) + ".log", MaskedLog());
    ExpectGolden(std::string(c.name) + ".results", ResultFiles());
    EXPECT_EQ(DocumentTitles(), c.documents);
    EXPECT_EQ(GridTitles(), c.grids);
    EXPECT_TRUE(Idle);
}

INSTANTIATE_TEST_SUITE_P(Runs, GoldenRunTest, ::testing::ValuesIn(Runs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkspaceTest, ANonLL1GrammarIsReportedAndATestRunAsksToTransformIt)
{
    SetGrammar("<S> ::= a b | a c\n");
    TestRun();
    EXPECT_FALSE(GrammarIsLL1 && false);
    ASSERT_FALSE(ui_->messages.empty());
    EXPECT_EQ(ui_->messages.back().text, "<S> is not LL1 grammar.\r\nTry to transform <S> to LL1 type?");
    // A test run never generates code.
    EXPECT_FALSE(QFileInfo::exists(Path("S.bas")));
    BuildRun();
    EXPECT_TRUE(QFileInfo::exists(Path("S.bas")));
    EXPECT_NE(active()->frmParser, nullptr);
}

TEST_F(WorkspaceTest, ASyntaxErrorIsLoggedMarkedAndTheCaretIsOnIt)
{
    SetGrammar("<S> ::= a <A>\n<A> :- b\n<B> ::= d\n<C> :- e\n");
    const std::string shown = ErrorWindowTextOf([this] { TestRun(); });
    ExpectGolden("syntax_error.log", MaskedLog());
    EXPECT_TRUE(DocumentTitles().empty());
    EXPECT_TRUE(GridTitles().empty());
    ASSERT_FALSE(main()->pipeline().ParseErrorText.empty());
    // The error window shows the reader's text.
    EXPECT_EQ(shown, main()->pipeline().ParseErrorText);
    // The caret stands on the failing line.
    RichText& t = active()->rtfText;
    EXPECT_EQ(t.GetLineFromChar(t.SelStart()), 1);
    const auto colourAt = [&t](const std::string& before, int length) {
        t.SetSelStart(static_cast<readers::Pos>(before.size()));
        t.SetSelLength(length);
        return t.SelColor();
    };
    // Both failing lines from the error on are in the error font; the line between them is
    // read again and coloured as usual.
    EXPECT_EQ(colourAt("<S> ::= a <A>\r\n<A> :", 3), ErrorFont.FontColor);
    EXPECT_EQ(colourAt("<S> ::= a <A>\r\n<A> :- b\r\n", 3), NtmFont.FontColor);
    EXPECT_EQ(colourAt("<S> ::= a <A>\r\n<A> :- b\r\n<B> ::= d\r\n<C> :", 3), ErrorFont.FontColor);
}

TEST_F(WorkspaceTest, TheTerminalListNamesEachTerminalWithItsCode)
{
    SetGrammar("<S> ::= + ''32'' ''10'' x\n");
    TestRun();
    frmDocument* list = DocumentTitled("Terminals");
    ASSERT_NE(list, nullptr);
    ExpectGolden("terminal_list.txt", list->rtfText.Text());
    const Pipeline& p = main()->pipeline();
    ASSERT_EQ(p.TerminalNames.size(), 6u);
    EXPECT_EQ(p.TerminalNames.back(), "end marker");
}

TEST_F(WorkspaceTest, MatricesThatDoNotFitEndTheRunBeforeAnyGrid)
{
    // 1200 nonterminals: 3·S·N + 2·N is past the relation space.
    std::string text;
    for (int i = 0; i < 1200; ++i)
        text += "<N" + std::to_string(i) + "> ::= a <N" + std::to_string(i + 1) + "> | b\n";
    text += "<N1200> ::= c\n";
    ShowNonterminals = ShowTerminals = ShowNull = ShowSelect = false;
    SetGrammar(text);
    const std::string shown = ErrorWindowTextOf([this] { TestRun(); });
    EXPECT_TRUE(GridTitles().empty());
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("TT:TT:TT   - Initializing matrixes...\r\nTT:TT:TT Fatal error: no room of memory."), std::string::npos)
        << log.substr(log.size() > 1500 ? log.size() - 1500 : 0);
    EXPECT_EQ(log.find("Calculating Is-End-Of"), std::string::npos);
    EXPECT_EQ(main()->pipeline().ParseErrorText.rfind("Fatal error: no room of memory.", 0), 0u);
    EXPECT_EQ(shown.rfind("Fatal error: no room of memory.", 0), 0u);
    EXPECT_NE(log.find("Actual memory size: 4194304 bytes.\r\n"), std::string::npos);
}

namespace {
// The capacity message of a grammar whose request runs to twelve digits, past 100 characters.
const char* const LongCapacityMessage =
    " Fatal error: no room of memory. Memory request:123456789012 bytes.\nActual memory size: 4194304 bytes.";
char* LongCapacityFailure(char* message, std::int32_t length)
{
    const std::string text = LongCapacityMessage;
    for (std::int32_t i = 0; i < length; ++i) message[i] = i < static_cast<std::int32_t>(text.size()) ? text[static_cast<size_t>(i)] : ' ';
    return message;
}
} // namespace

TEST_F(WorkspaceTest, ACapacityMessageIsNeverCut)
{
    SetGrammar("<S> ::= a <S> | b\n");
    auto& table = const_cast<EngineExports&>(*Engine());
    const auto real = table.InitMatrix;
    table.InitMatrix = &LongCapacityFailure;
    const std::string shown = ErrorWindowTextOf([this] { TestRun(); });
    table.InitMatrix = real;
    const std::string whole = std::string(LongCapacityMessage).substr(1);
    EXPECT_EQ(main()->pipeline().ParseErrorText, whole);
    EXPECT_EQ(shown.substr(0, whole.find('\n')), whole.substr(0, whole.find('\n')));
    EXPECT_EQ(shown.substr(shown.size() - 34), "Actual memory size: 4194304 bytes.");
    EXPECT_NE(MaskedLog().find("Actual memory size: 4194304 bytes.\r\n"), std::string::npos);
}
