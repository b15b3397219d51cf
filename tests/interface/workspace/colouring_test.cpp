// The readers' colourings of the result documents: the terminal list, the listings and the
// generated code carry the fonts of their token kinds.
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "frmGrammar.h"
#include "frmMain.h"
#include "module_main.h"
#include "grammar_run_fixture.h"

using namespace ModuleMain;

namespace {

class ResultColouringTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        // One colour per font record, so that each token kind can be told apart.
        TextsFont.FontColor = RGB(1, 1, 1);
        NtmFont.FontColor = RGB(2, 2, 2);
        TrmFont.FontColor = RGB(3, 3, 3);
        ActFont.FontColor = RGB(4, 4, 4);
        CnsFont.FontColor = RGB(5, 5, 5);
        ErrorFont.FontColor = RGB(6, 6, 6);
    }

    // The colour of `length` characters at the `nth` occurrence of `what` plus `offset`.
    static std::int32_t ColourOf(frmDocument* d, const std::string& what, int offset = 0, int length = 1, int nth = 1)
    {
        if (!d) return -2;
        const std::string text = d->rtfText.Text();
        std::size_t at = std::string::npos;
        for (int i = 0; i < nth; ++i) {
            at = text.find(what, at == std::string::npos ? 0 : at + 1);
            if (at == std::string::npos) return -3;
        }
        return ColourAt(d->rtfText, static_cast<readers::Pos>(at) + offset, length);
    }

    void BuildIn(int language)
    {
        active()->iGrmLanguage = language;
        active()->NotationLanguageSwitch();
        BuildRun();
    }
};

} // namespace

TEST_F(ResultColouringTest, ABuildColoursTheTerminalListTheListingsAndTheCodeByTokenKind)
{
    SetGrammar(TextbookGrammar);
    BuildRun();
    frmDocument* terminals = DocumentTitled("Terminals");
    EXPECT_EQ(ColourOf(terminals, "          +          chr(43)", 10), TrmFont.FontColor);
    EXPECT_EQ(ColourOf(terminals, "          +          chr(43)", 0, 10), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(terminals, "          i          chr(105)", 10), TrmFont.FontColor);

    frmDocument* names = DocumentTitled("Nonterminals");
    EXPECT_EQ(ColourOf(names, "<E'>", 0, 4), NtmFont.FontColor);
    EXPECT_EQ(ColourOf(names, "1"), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(DocumentTitled("Nullable rules"), "<T'>", 0, 4), NtmFont.FontColor);

    frmDocument* select = DocumentTitled("Set of select");
    EXPECT_EQ(ColourOf(select, "<F>::=(<E>)", 0, 3), NtmFont.FontColor);
    EXPECT_EQ(ColourOf(select, "<F>::=(<E>)", 3, 3), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(select, "<F>::=(<E>)", 6), TrmFont.FontColor);
    EXPECT_EQ(ColourOf(select, "\"(\"", 1), TrmFont.FontColor);
    EXPECT_EQ(ColourOf(select, "\"(\"", 0), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(select, "'~~~", 0, 4), CnsFont.FontColor);
    // The last line is read too.
    EXPECT_EQ(ColourOf(select, "<T'>::=\t", 0, 4), NtmFont.FontColor);

    frmDocument* code = DocumentTitled("E.bas");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(ColourOf(code, "Option Explicit", 0, 6), NtmFont.FontColor);
    EXPECT_EQ(ColourOf(code, "Option Explicit", 7, 8), NtmFont.FontColor);
    EXPECT_EQ(ColourOf(code, "Private LL1 As Long", 8, 3), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(code, "Private LL1 As Long", 12, 2), NtmFont.FontColor);
    // A keyword inside a comment is part of the comment.
    EXPECT_EQ(ColourOf(code, "'  Sub E(Source", 0, 15), CnsFont.FontColor);
    // The run leaves the caret at the top and the bar hidden.
    EXPECT_EQ(code->rtfText.SelStart(), 0);
    EXPECT_FALSE(main()->ProgressBar()->isVisible());
}

// A result under the top window is left unfilled by the run; its text and colours are those of
// its run when it is read, or painted, later.
TEST_F(ResultColouringTest, ResultsUnderTheTopOneWaitAndShowTheirRunsColoursWhenSeen)
{
    SetGrammar(TextbookGrammar);
    BuildRun();
    frmDocument* code = DocumentTitled("E.bas");
    frmDocument* select = DocumentTitled("Set of select");
    frmDocument* terminals = DocumentTitled("Terminals");
    ASSERT_TRUE(code && select && terminals);
    EXPECT_FALSE(code->rtfText.Waiting());
    EXPECT_TRUE(select->rtfText.Waiting());
    EXPECT_TRUE(terminals->rtfText.Waiting());
    EXPECT_TRUE(select->editor->document()->isEmpty());

    // Fonts changed after the run do not reach what the run made.
    const std::int32_t ntm = NtmFont.FontColor, trm = TrmFont.FontColor;
    NtmFont.FontColor = TrmFont.FontColor = RGB(9, 9, 9);
    EXPECT_EQ(ColourOf(select, "<F>::=(<E>)", 0, 3), ntm);

    // Painted for the first time, a waiting document shows its text and colours at once: the
    // first picture is the one every later paint gives, and it is not blank.
    const QImage first = terminals->editor->viewport()->grab().toImage();
    EXPECT_FALSE(terminals->rtfText.Waiting());
    EXPECT_EQ(first, terminals->editor->viewport()->grab().toImage());
    bool drawn = false;
    for (int y = 0; y < first.height() && !drawn; ++y)
        for (int x = 0; x < first.width() && !drawn; ++x) drawn = first.pixel(x, y) != first.pixel(0, 0);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(ColourOf(terminals, "          +          chr(43)", 10), trm);
    NtmFont.FontColor = ntm;
    TrmFont.FontColor = trm;
}

// A waiting document first painted while the program is idle is not the user moving its caret:
// the status panel and the find position stay as they were.
TEST_F(ResultColouringTest, AWaitingDocumentFilledWhileIdleLeavesTheStatusAndFindAlone)
{
    SetGrammar(TextbookGrammar);
    BuildRun();
    frmDocument* select = DocumentTitled("Set of select");
    ASSERT_TRUE(select && select->rtfText.Waiting());
    ASSERT_TRUE(Idle);
    main()->SetPanel1Text(QStringLiteral("kept"));
    FindStart = 7;
    FindRestart = false;
    (void)select->editor->viewport()->grab();
    EXPECT_FALSE(select->rtfText.Waiting());
    EXPECT_EQ(main()->Panel1Text(), QStringLiteral("kept"));
    EXPECT_EQ(FindStart, 7);
    EXPECT_FALSE(FindRestart);
    EXPECT_FALSE(select->TextChanged());
}

TEST_F(ResultColouringTest, TheVisualBasicAmbiguityMarkIsInTheErrorFontAndItsLineACommentAfterIt)
{
    SetGrammar("<S> ::= a b | a c\n");
    BuildRun();
    frmDocument* code = DocumentTitled("S.bas");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(ColourOf(code, "'!!!!!!!!!!!", 0, 12), ErrorFont.FontColor);
    EXPECT_EQ(ColourOf(code, "'!!!!!!!!!!!", 12, 22), CnsFont.FontColor);
}

struct CodeCase {
    const char* name;
    int language;
    const char* title;
    const char* word;  // a word of the code and the font record that colours it
    int length;
    FontRec* font;
};

class CodeColouringTest : public ResultColouringTest, public ::testing::WithParamInterface<CodeCase> {};

const CodeCase CodeCases[] = {
    {"cc_keyword", 8, "s.cxx", "static long", 6, &TrmFont},
    {"cc_preprocessor", 8, "s.cxx", "#include", 8, &ErrorFont},
    {"cc_comment", 8, "s.cxx", "// Name: s.cxx", 14, &CnsFont},
    {"cc_mark_and_its_line", 8, "s.cxx", "//!!!!!!!!!!! Ambiguous", 23, &ErrorFont},
    {"java_keyword", 5, "SParser.java", "public", 6, &TrmFont},
    {"class_header_keyword", 9, "s.h", "class SParser", 5, &TrmFont},
};

TEST_P(CodeColouringTest, CppAndJavaCodeIsColouredAsCpp)
{
    const CodeCase& c = GetParam();
    SetGrammar("<S> ::= a b | a c\n");
    BuildIn(c.language);
    EXPECT_EQ(ColourOf(DocumentTitled(c.title), c.word, 0, c.length), c.font->FontColor);
}

INSTANTIATE_TEST_SUITE_P(Targets, CodeColouringTest, ::testing::ValuesIn(CodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultColouringTest, PascalCodeAndCodeInFastWorkAreNotColoured)
{
    const auto uniform = [](frmDocument* d) {
        return d ? ColourAt(d->rtfText, 0, d->rtfText.TextLength()) : -2;
    };
    SetGrammar("<S> ::= a b | a c\n");
    BuildIn(7);
    EXPECT_GE(uniform(DocumentTitled("S.pas")), 0);
    BuildIn(1);
    EXPECT_EQ(uniform(DocumentTitled("S.bas")), -1);
    FastWork = true;
    BuildRun();
    EXPECT_GE(uniform(DocumentTitled("S.bas")), 0);
    EXPECT_TRUE(FastWork);
}

TEST_F(ResultColouringTest, TerminalsAfterALineFeedTerminalAreColouredToo)
{
    SetGrammar("<S> ::= + ''32'' ''10'' x\n");
    TestRun();
    frmDocument* terminals = DocumentTitled("Terminals");
    // The blank terminal, and the terminal of the line after the line feed.
    EXPECT_EQ(ColourOf(terminals, "      2", 17), TrmFont.FontColor);
    EXPECT_EQ(ColourOf(terminals, "      2", 0, 17), TextsFont.FontColor);
    EXPECT_EQ(ColourOf(terminals, "          x", 10), TrmFont.FontColor);
    EXPECT_EQ(ColourOf(terminals, "      4", 0, 7), TextsFont.FontColor);
}
