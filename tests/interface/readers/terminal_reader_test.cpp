// One terminal read from its caller's text and position.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

struct Outcome {
    std::string trace;
    readers::Pos end;
    std::string error;
    bool bad;
};

Outcome Read(const std::string& text, readers::Pos start = 1)
{
    readers::RecordingBuilder b;
    readers::TerminalReader reader({&b, nullptr, nullptr});
    Outcome o{"", start, "", false};
    reader.ParseTerminal(text, o.end, o.error, o.bad, 1, "<Caller>");
    o.trace = Short(b);
    return o;
}

struct TraceCase {
    std::string text;  // the terminal; a blank follows it
    std::string trace;
};

const TraceCase kForms[] = {
    {"x", Name("x") + " TRM"},
    {"'abc'", Name("a") + " TRM " + Name("b") + " TRM " + Name("c") + " TRM"},
    {"\"a'b\"", Name("a") + " TRM " + Name("'") + " TRM " + Name("b") + " TRM"},
    {"''65''", "NAI SYM(65) TRM"},
    {"\"\"41\"\"", "NAI SYM(65) TRM"},
    {"''#d65''", "NAI SYM(65) TRM"},
    {"''#D65''", "NAI SYM(65) TRM"},
    {"\"\"#X41\"\"", "NAI SYM(65) TRM"},
    {"\"\"#x4a\"\"", "NAI SYM(74) TRM"},
    {"''0''", "NAI SYM(0) TRM"},
    {"''255''", "NAI SYM(255) TRM"},
    {"\"\"0FF\"\"", "NAI SYM(255) TRM"},
    {"''000065''", "NAI SYM(65) TRM"},
    {"a-z", Name("a") + " TRB " + Name("z") + " TRE"},
    {"'a'-'z'", Name("a") + " TRB " + Name("z") + " TRE"},
    {"''65''-''90''", "NAI SYM(65) TRB NAI SYM(90) TRE"},
    {"''^ab-d''", "BRS NEG " + Name("a") + " TRL " + Name("b") + " TRB " + Name("d") +
                      " TRF POS WBC TRM"},
    {"''^#x41-#x5A''", "BRS NEG NAI SYM(65) TRB NAI SYM(90) TRF POS WBC TRM"},
    {"\"\"^#d48#x41\"\"", "BRS NEG NAI SYM(48) TRL NAI SYM(65) TRL POS WBC TRM"},
    {"''^-a''", "BRS NEG " + Name("-") + " TRL " + Name("a") + " TRL POS WBC TRM"},
    {"\"\"^'x\"\"", "BRS NEG " + Name("'") + " TRL " + Name("x") + " TRL POS WBC TRM"},
    {"\xE9", "NAI SYM(233) TRM"},
};

class TerminalForms : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TerminalForms, BuilderCallsAndEnd)
{
    const TraceCase& c = GetParam();
    const Outcome o = Read(c.text + " \r\n");
    EXPECT_EQ(o.error, "") << c.text;
    EXPECT_FALSE(o.bad);
    EXPECT_EQ(o.trace, c.trace) << c.text;
    // The caller is left on the terminal's last character.
    EXPECT_EQ(o.end, static_cast<readers::Pos>(c.text.size())) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminalForms, ::testing::ValuesIn(kForms));

TEST(TerminalReader, PositionsAreThoseOfTheCallersText)
{
    const std::string text = "<A> ::= 'abc' x\r\n";
    const Outcome o = Read(text, 9);
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.end, 13);  // the closing quote
}

TEST(TerminalReader, TerminalAtTheVeryEndOfTheText)
{
    const Outcome o = Read("x");
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.trace, Name("x") + " TRM");
    EXPECT_EQ(o.end, 1);
}

struct ErrorCase {
    const char* what;
    std::string text;
    readers::Pos start;
    std::string error;
    readers::Pos position;  // handed back to the caller
};

const ErrorCase kErrors[] = {
    {"second terminal of a range missing", "x- \r\n", 1,
     "Line 1, syntax error, found \" \" when expecting <Terminal> with one of: chr(0)-chr(8) "
     "chr(11)-chr(12) chr(14)-chr(31) ! #-& (-\xFF ' chr(34)\r\nx- \r\n  !",
     3},
    {"closing quote missing", "'ab\r\n", 1,
     "Line 1, syntax error, found \"\r\" when expecting <''String list''> with one of: "
     "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(38) (-\xFF '\r\n'ab\r\n   !",
     4},
    {"negated list: the first item decides the kind", "''^#x41 b''\r\n", 1,
     "Line 1, syntax error, found \" \" when expecting <Hex*> with one of: 0-9 A-F a-f "
     "chr(34)-# ' -\r\n''^#x41 b''\r\n       !",
     8},
    {"decimal code above 255: the whole number is what was found", "''#d300''\r\n", 1,
     "Line 1, syntax error, found \"300\" when expecting <Dec> with one of: 0-255\r\n"
     "''#d300''\r\n    !",
     5},
    {"bare decimal code above 255", "''256''\r\n", 1,
     "Line 1, syntax error, found \"256\" when expecting <Dec> with one of: 0-255\r\n"
     "''256''\r\n  !",
     3},
    {"hexadecimal code above 255", "\"\"100\"\"\r\n", 1,
     "Line 1, syntax error, found \"100\" when expecting <Hex> with one of: 0-FF\r\n"
     "\"\"100\"\"\r\n  !",
     3},
    {"long code in a negated list", "''^#x1FF-#x20''\r\n", 1,
     "Line 1, syntax error, found \"1FF\" when expecting <Hex> with one of: 0-FF\r\n"
     "''^#x1FF-#x20''\r\n     !",
     6},
    {"range at the very end of the text", "a-z", 1,
     "Line 1, syntax error, found \"end marker\" when expecting <Exit character range> with one "
     "of: chr(0)-chr(8) chr(9) chr(13) ' '-} chr(10)-chr(12) chr(14)-chr(31) ~-\xFF\r\na-z\r\n   !",
     4},
    {"error in the caller's second line", "<A> ::= a\r\n<B> ::= ''#q''\r\n", 20,
     "Line 2, syntax error, found \"q\" when expecting <ASCII> with one of: x d\r\n"
     "<B> ::= ''#q''\r\n           !",
     23},
};

class TerminalErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TerminalErrors, ErrorTextAndPosition)
{
    const ErrorCase& c = GetParam();
    const Outcome o = Read(c.text, c.start);
    EXPECT_TRUE(o.bad) << c.what;
    EXPECT_EQ(o.error, c.error) << c.what;
    EXPECT_EQ(o.end, c.position) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminalErrors, ::testing::ValuesIn(kErrors));

TEST(TerminalReader, AHugeCodeNeitherOverflowsNorReachesTheBuilder)
{
    const Outcome o = Read("''#d99999999999999999999''\r\n");
    EXPECT_TRUE(o.bad);
    EXPECT_EQ(o.trace, "NAI");
}

TEST(TerminalReader, ErrorAfterAnEarlierTerminalGivesTheErrorPosition)
{
    readers::RecordingBuilder b;
    readers::TerminalReader reader({&b, nullptr, nullptr});
    const std::string text = "abc 'x\r\n";
    readers::Pos at = 1;
    std::string error;
    bool bad = false;
    reader.ParseTerminal(text, at, error, bad, 1, "<Caller>");
    ASSERT_FALSE(bad);
    EXPECT_EQ(at, 1);
    at = 5;
    reader.ParseTerminal(text, at, error, bad, 1, "<Caller>");
    EXPECT_TRUE(bad);
    EXPECT_EQ(at, 7);  // the CR where the closing quote is missing, not the old terminal's end
}

TEST(TerminalReader, APositionOutsideTheTextIsRefused)
{
    readers::RecordingBuilder b;
    readers::TerminalReader reader({&b, nullptr, nullptr});
    const std::string text = "ab";
    for (readers::Pos at : {readers::Pos{0}, readers::Pos{-5}, readers::Pos{4}}) {
        readers::Pos position = at;
        std::string error = "before";
        bool bad = false;
        EXPECT_THROW(reader.ParseTerminal(std::string_view(text).substr(1), position, error, bad, 1,
                                          "<Caller>"),
                     readers::ReaderFailure)
            << at;
        EXPECT_EQ(position, at);
        EXPECT_EQ(error, "before");
    }
    EXPECT_EQ(b.trace, "");
    // The end of the text is a position: the terminal is missing there.
    readers::Pos end = 3;
    std::string error;
    bool bad = false;
    reader.ParseTerminal(text, end, error, bad, 1, "<Caller>");
    EXPECT_TRUE(bad);
    EXPECT_NE(error.find("found \"end marker\""), std::string::npos);
}

TEST(TerminalReader, StylesQuotesAsTextAndCharactersAsTerminals)
{
    const readers::FontSet fonts = DistinctFonts();
    const std::string text = "'ab' ''^x-z'' c-d ''#x41''\r\n";
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    readers::TerminalReader reader({nullptr, &styler, nullptr});
    readers::Pos at = 1;
    std::string error;
    bool bad = false;
    for (readers::Pos start : {1, 6, 15, 19}) {
        at = start;
        reader.ParseTerminal(text, at, error, bad, 1, "<Caller>");
        ASSERT_FALSE(bad) << error;
    }
    styler.ApplyTextsFont(static_cast<readers::Pos>(text.size()) + 1);
    EXPECT_EQ(rich.Map(fonts), "xTTxxxxxTxTxxxTxTxxxxxTTxxxx");
}

} // namespace
