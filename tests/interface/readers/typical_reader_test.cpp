// The Typical notation: builder calls in reading order, error texts, colouring.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

struct TraceCase {
    const char* what;
    std::string text;
    std::string trace;
};

std::string Rule(const std::string& head) { return Name(head) + " NLI GMN"; }

const std::string A = Rule("A");

const TraceCase kTraces[] = {
    {"empty text", "", "ACT"},
    {"blank lines only", " \r\n\t\r\n", "ACT"},
    {"one terminal", "<A> ::= x\r\n", "ACT " + A + " NL " + Name("x") + " TRM END"},
    {"arrow for ::=", "<A> -> x\r\n", "ACT " + A + " NL " + Name("x") + " TRM END"},
    {"::= spread over blanks and tabs", "<A> : \t: = x\r\n",
     "ACT " + A + " NL " + Name("x") + " TRM END"},
    {"empty second alternative", "<A> ::= <B> |\r\n",
     "ACT " + A + " NL " + Name("B") + " NTM END NL NUL END"},
    {"empty only alternative", "<A> ::=\r\n", "ACT " + A + " NL NUL END"},
    {"label skipped", "12 <A> ::= x\r\n", "ACT " + A + " NL " + Name("x") + " TRM END"},
    {"line starting with |", "<A> ::= a\r\n| b\r\n",
     "ACT " + A + " NL " + Name("a") + " TRM END NL " + Name("b") + " TRM END"},
    {"nonterminal names with blanks", "<Notation content> ::= <B c>\r\n",
     "ACT " + Rule("Notation content") + " NL " + Name("B c") + " NTM END"},
    {"several symbols", "<S> ::= <A> b `act`\r\n",
     "ACT " + Rule("S") + " NL " + Name("A") + " NTM " + Name("b") + " TRM " + Name("act") +
         " ACR END"},
    {"optional group of one symbol", "<A> ::= [ a ]\r\n",
     "ACT " + A + " NL BRO NL " + Name("a") + " TRM NUL END BRC END"},
    {"repetition with alternatives", "<A> ::= { a b | <C> }+\r\n",
     "ACT " + A + " NL BCO NL " + Name("a") + " TRM " + Name("b") + " TRM END NL " + Name("C") +
         " NTM NUL END BC1 END"},
    {"brackets are not paired", "<A> ::= [ a }*\r\n",
     "ACT " + A + " NL BRO NL " + Name("a") + " TRM NUL END BCN END"},
    {"repeat marks 0 and 1", "<A> ::= {a}0 {b} 1\r\n",
     "ACT " + A + " NL BCO NL " + Name("a") + " TRM NUL END BCN BCO NL " + Name("b") +
         " TRM NUL END BC1 END"},
    {"nested groups", "<A> ::= [ { a }* ]\r\n",
     "ACT " + A + " NL BRO NL BCO NL " + Name("a") + " TRM NUL END BCN NUL END BRC END"},
    {"quoted string and range", "<A> ::= 'ab' a-z\r\n",
     "ACT " + A + " NL " + Name("a") + " TRM " + Name("b") + " TRM " + Name("a") + " TRB " +
         Name("z") + " TRE END"},
    {"action definition", "`act` ::= x = 1;\r\n",
     "ACT " + Name("act") + " ACL ACB S(32) S(120) S(32) S(61) S(32) S(49) S(59) STM"},
    {"option line keeps the text's case, blank after ::= included", "$TITLE ::= My\r\n",
     "ACT PRG S(32) S(77) S(121)"},
    {"option keywords in any case", "$Declare ::= a\r\n$ERRJOB->b\r\n$next::=c\r\n"
                                    "$Pre-Step ::= d\r\n$post-STEP ::= e\r\n",
     "ACT DEC S(32) S(97) ERJ S(98) NXT S(99) BEG S(32) S(100) POST S(32) S(101)"},
    {"comments reach no builder entry", "! one\r\n' two\r\n// three\r\n<A> ::= x\r\n",
     "ACT " + A + " NL " + Name("x") + " TRM END"},
    // A code spelt chr(NN) in a name is that code; texts that only look like it are themselves.
    {"spelt codes in names", "<A> ::= <$Bchr(62)> `chr(96)chr(13)` <chr(99)hr(1)>\r\n",
     "ACT " + A + " NL " + Name("$B>") + " NTM " + Name("`\r") + " ACR " + Name("chr(1)") + " NTM END"},
    {"texts that are no spelt code", "<A> ::= <chr(256)chr(0062)chr()chr(6>\r\n",
     "ACT " + A + " NL " + Name("chr(256)chr(0062)chr()chr(6") + " NTM END"},
};

class TypicalTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TypicalTrace, BuilderCallsInReadingOrder)
{
    const TraceCase& c = GetParam();
    const Reading r = ReadTypical(c.text);
    EXPECT_EQ(r.error, "") << c.what;
    EXPECT_EQ(r.trace, c.trace) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TypicalTrace, ::testing::ValuesIn(kTraces));

struct ErrorCase {
    const char* what;
    std::string text;
    std::string error;
};

const std::string kBlanksExpected = "chr(9) ' ' chr(0)-chr(8) chr(10)-chr(31) !-\xFF";

const ErrorCase kErrors[] = {
    {"alternative before any rule head", "| x\r\n",
     "Line 1, syntax error, found \"|\" when expecting <Rule> with one of: <\r\n| x\r\n!"},
    {"alternative before the first rule head, after a comment and a label", "! c\r\n12 | x\r\n",
     "Line 2, syntax error, found \"|\" when expecting <Rule> with one of: <\r\n12 | x\r\n   !"},
    {"rule line without its CR LF", "<A> ::= x",
     "Line 1, syntax error, found \"end marker\" when expecting <Blanks> with one of: " +
         kBlanksExpected + "\r\n<A> ::= x\r\n         !"},
    {"comment without its CR LF", "! note",
     "Line 1, syntax error, found \"end marker\" when expecting <Comment content> with one of: "
     "chr(0)-chr(12) chr(14)-chr(255) chr(13)\r\n! note\r\n      !"},
    {"option line without its CR LF", "$title ::= T",
     "Line 1, syntax error, found \"end marker\" when expecting <Statement content> with one of: "
     "chr(0)-chr(12) chr(14)-chr(255) chr(13)\r\n$title ::= T\r\n            !"},
    {"unclosed group", "<A> ::= [ a\r\n",
     "Line 1, syntax error, found \"\r\" when expecting <Brackets content list> with one of: "
     "| ] }\r\n<A> ::= [ a\r\n           !"},
    {"missing >", "<A ::= x\r\n<B> ::= y\r\n",
     "Line 1, syntax error, found \"\r\" when expecting <Nonterminal character list> with one "
     "of: chr(0)-chr(12) chr(14)-chr(61) ?-\xFF >\r\n<A ::= x\r\n        !"},
    {"wrong keyword letter", "\r\n\r\n$titel ::= x\r\n",
     "Line 3, syntax error, found \"e\" when expecting \"l\"\r\n$titel ::= x\r\n    !"},
    {"bad repeat mark", "<A> ::= { a }x\r\n",
     "Line 1, syntax error, found \"x\" when expecting <Exp> with one of: * 0 + 1\r\n"
     "<A> ::= { a }x\r\n             !"},
    {"second character of ::=", "<A> :- x\r\n",
     "Line 1, syntax error, found \"-\" when expecting \":\"\r\n<A> :- x\r\n     !"},
    {"label before an option", "12 $title ::= x\r\n",
     "Line 1, syntax error, found \"$\" when expecting <Label> with one of: chr(0)-chr(8) "
     "chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-\xFF < ` |\r\n"
     "12 $title ::= x\r\n   !"},
    {"empty nonterminal name", "<> ::= x\r\n",
     "Line 1, syntax error, found \">\" when expecting <Nonterminal name> with one of: "
     "chr(0)-chr(12) chr(14)-chr(61) ?-\xFF\r\n<> ::= x\r\n !"},
    {"error inside a terminal names the terminal's procedure", "<A> ::= x- \r\n",
     "Line 1, syntax error, found \" \" when expecting <Terminal> with one of: chr(0)-chr(8) "
     "chr(11)-chr(12) chr(14)-chr(31) ! #-& (-\xFF ' chr(34)\r\n<A> ::= x- \r\n          !"},
};

class TypicalError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TypicalError, FirstErrorText)
{
    const ErrorCase& c = GetParam();
    EXPECT_EQ(ReadTypical(c.text).error, c.error) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TypicalError, ::testing::ValuesIn(kErrors));

TEST(TypicalReader, BuilderKeepsWhatWasBuiltBeforeAnError)
{
    const Reading r = ReadTypical("<A> ::= x\r\n<B> ::= [ y\r\n");
    EXPECT_NE(r.error, "");
    EXPECT_EQ(r.trace, "ACT " + A + " NL " + Name("x") + " TRM END " + Rule("B") + " NL BRO NL " +
                           Name("y") + " TRM NUL END");
}

struct StyleCase {
    const char* what;
    std::string text;
    std::string map;
};

const StyleCase kStyles[] = {
    {"rule", "<A> ::= x\r\n", "NNNxxxxxTxx"},
    {"quoted string: quotes plain, characters terminal", "<A> ::= 'ab'\r\n", "NNNxxxxxxTTxxx"},
    {"comment", "! hi\r\n", "CCCCxx"},
    {"action definition", "`f` ::= go\r\n", "AAAxxxxAAAxx"},
    {"action in a rule", "<A> ::= `f` <B>\r\n", "NNNxxxxxAAAxNNNxx"},
    {"option", "$title ::= T\r\n", "xxxxxxxxxxAAxx"},
    {"code terminal", "<A> ::= ''65''\r\n", "NNNxxxxxxxTTxxxx"},
};

class TypicalStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(TypicalStyle, StyleMap)
{
    const StyleCase& c = GetParam();
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(c.text.size());
    readers::TextStyler styler(fonts, &rich);
    std::string error;
    readers::BNF_Typical(c.text, error, {nullptr, &styler, nullptr});
    EXPECT_EQ(error, "");
    EXPECT_EQ(rich.Map(fonts), c.map) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, TypicalStyle, ::testing::ValuesIn(kStyles));

TEST(TypicalReader, RecolouringWritesNothing)
{
    const std::string text = "<S> ::= <A> 'b' `c` | [ d ]\r\n! note\r\n";
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    std::string error;
    readers::BNF_Typical(text, error, {nullptr, &styler, nullptr});
    ASSERT_EQ(error, "");
    const std::string first = rich.Map(fonts);
    EXPECT_EQ(first.find('.'), std::string::npos);
    rich.writes = 0;
    rich.SetSelStart(0);
    readers::BNF_Typical(text, error, {nullptr, &styler, nullptr});
    EXPECT_EQ(rich.writes, 0);
    EXPECT_EQ(rich.Map(fonts), first);
}

} // namespace
