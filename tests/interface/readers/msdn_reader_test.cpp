// The MSDN notation and its form with ";": builder calls in reading order, error texts,
// colouring.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

struct TraceCase {
    int notation;
    const char* what;
    std::string text;
    std::string trace;
};

void PrintTo(const TraceCase& c, std::ostream* os) { *os << c.what; }

std::string Rule(const std::string& head) { return Name(head) + " NLI GMN"; }
std::string T(const std::string& c) { return Name(c) + " TRM"; }

const std::string A = Rule("A");
constexpr int M = readers::MSDN, S = readers::MSDNWithSemicolon;

const TraceCase kTraces[] = {
    {M, "empty text", "", "ACT"},
    {M, "space only", " \r\n\t\r\n", "ACT"},
    {M, "continuation line", "<A> ::= a | b\r\n| c\r\n",
     "ACT " + A + " NL " + T("a") + " END NL " + T("b") + " END NL " + T("c") + " END"},
    {M, "empty alternative", "<A> ::=\r\n", "ACT " + A + " NL NUL END"},
    {M, "repeated nonterminal", "<A> -> <B>... c\r\n",
     "ACT " + A + " NL " + Name("B") + " NTM RPT " + T("c") + " END"},
    {M, "repeated groups", "<A> ::= [ x ]... { y | z }...\r\n",
     "ACT " + A + " NL BRO NL " + T("x") + " NUL END BRT BCR NL " + T("y") + " NUL END NL " + T("z") +
         " NUL END BCC RPT END"},
    {M, "optional group, closed plain", "<A> ::= [ x y | <B> ] c\r\n",
     "ACT " + A + " NL BRO NL " + T("x") + " " + T("y") + " END NL " + Name("B") + " NTM NUL END BRC " +
         T("c") + " END"},
    {M, "brackets are not paired: [ }", "<A> ::= [ a }\r\n",
     "ACT " + A + " NL BRO NL " + T("a") + " NUL END BCC END"},
    {M, "brackets are not paired: { ]...", "<A> ::= { a ]...\r\n",
     "ACT " + A + " NL BCR NL " + T("a") + " NUL END BRT END"},
    {M, "nested groups", "<A> ::= {[a]}...\r\n",
     "ACT " + A + " NL BCR NL BRO NL " + T("a") + " NUL END BRC NUL END BCC RPT END"},
    {M, "option keyword in capitals, text keeps its blank", "$TITLE ::= My parser\r\n",
     "ACT PRG S(32) S(77) S(121) S(32) S(112) S(97) S(114) S(115) S(101) S(114)"},
    {M, "label before a continuation line", "<A> ::= a\r\n2. | c\r\n",
     "ACT " + A + " NL " + T("a") + " END NL " + T("c") + " END"},
    {M, "action definition and use", "`f` ::= go\r\n<A> ::= `f` <B>\r\n",
     "ACT " + Name("f") + " ACL ACB S(32) S(103) S(111) STM " + A + " NL " + Name("f") + " ACR " +
         Name("B") + " NTM END"},
    {M, "comment lines", "! one\r\n' two\r\n// three\r\n", "ACT"},
    {M, "quoted dot and range", "<A> ::= '.' a-c\r\n",
     "ACT " + A + " NL " + T(".") + " " + Name("a") + " TRB " + Name("c") + " TRE END"},
    {S, "rule over lines", "<A> ::= a\r\n | b\r\n ;",
     "ACT " + A + " NL " + T("a") + " END NL " + T("b") + " END"},
    {S, "empty rule", "<A> ::= ;", "ACT " + A + " NL NUL END"},
    {S, "quoted ;", "<A> ::= ';' ;", "ACT " + A + " NL " + T(";") + " END"},
    {S, "repeated groups", "<A> ::= [ x ]... { y | z }... ;",
     "ACT " + A + " NL BRO NL " + T("x") + " NUL END BRT BCR NL " + T("y") + " NUL END NL " + T("z") +
         " NUL END BCC RPT END"},
    {S, "label over lines", "12.\r\n<A> ::= b ;", "ACT " + A + " NL " + T("b") + " END"},
    {S, "group over lines, symbols without blanks", "<A>::=<B>...\r\n[\r\nc\r\n|d]\r\n;<C>->;",
     "ACT " + A + " NL " + Name("B") + " NTM RPT BRO NL " + T("c") + " NUL END NL " + T("d") +
         " NUL END BRC END " + Rule("C") + " NL NUL END"},
    {S, "option and comment lines", "$declare ::= x\r\n! note\r\n<A> ::= a;",
     "ACT DEC S(32) S(120) " + A + " NL " + T("a") + " END"},
};

class MsdnTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(MsdnTrace, BuilderCallsInReadingOrder)
{
    const TraceCase& c = GetParam();
    const Reading r = ReadNotation(c.notation, c.text);
    EXPECT_EQ(r.error, "") << c.what;
    EXPECT_EQ(r.trace, c.trace) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, MsdnTrace, ::testing::ValuesIn(kTraces));

struct ErrorCase {
    int notation;
    const char* what;
    std::string text;
    std::string error;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.what; }

std::string Found(const std::string& line, const std::string& found, const std::string& expecting)
{
    return "Line " + line + ", syntax error, found " + found + " when expecting " + expecting;
}

const std::string kEnd = "\"end marker\"";
const std::string kSymbolsList =
    "<Grammatical symbols list> with one of: chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- "
    "/-\\ ^-{ ~-\xFF chr(13) ] |-}";
const std::string kSemiSymbolsList =
    "<Grammatical symbols list> with one of: chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-- "
    "/-: <-\\ ^-{ ~-\xFF ; ] |-}";
const std::string kRepeater = "<Repeater> with one of: . chr(0)-chr(45) /-\xFF";

const ErrorCase kErrors[] = {
    {M, "dots behind a terminal", "<A> ::= x...\r\n",
     Found("1", "\".\"", kSymbolsList) + "\r\n<A> ::= x...\r\n         !"},
    {M, "dots with a blank between", "<A> ::= <B>. .\r\n",
     Found("1", "\" \"", "\".\"") + "\r\n<A> ::= <B>. .\r\n            !"},
    {M, "empty group", "<A> ::= [ ]\r\n",
     Found("1", "\"]\"",
           "<Grammatical symbol> with one of: < chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- "
           "/-; =-Z \\ ^-_ a-z ~-\xFF ` [ {") +
         "\r\n<A> ::= [ ]\r\n          !"},
    {M, "misspelt option", "$titel ::= x\r\n", Found("1", "\"e\"", "\"l\"") + "\r\n$titel ::= x\r\n    !"},
    {M, "terminal at the very end", "<A> ::= x",
     Found("1", kEnd, "<Blanks> with one of: chr(9) ' ' chr(0)-chr(8) chr(10)-chr(31) !-\xFF") +
         "\r\n<A> ::= x\r\n         !"},
    {M, "nonterminal at the very end", "<A> ::= <B>", Found("1", kEnd, kRepeater) + "\r\n<A> ::= <B>\r\n           !"},
    {M, "] at the very end", "<A> ::= [a]",
     Found("1", kEnd, "<]...repeater> with one of: . chr(0)-chr(45) /-\xFF") + "\r\n<A> ::= [a]\r\n           !"},
    {M, "::= at the very end", "<A> ::=",
     Found("1", kEnd, "<Right part> with one of: chr(0)-chr(45) /-\\ ^-| ~-\xFF") + "\r\n<A> ::=\r\n       !"},
    {M, "CR without LF", "<A> ::= a\r", Found("1", kEnd, "\"\n\"") + "\r\n<A> ::= a\r\r\n          !"},
    {M, "a group does not end on ..", "<A> ::= { a }..\r\n",
     Found("1", "\"\r\"", "\".\"") + "\r\n<A> ::= { a }..\r\n               !"},
    {M, "alternatives before any rule head", "! c\r\n| a\r\n",
     Found("2", "\"|\"", "<Rule> with one of: <") + "\r\n| a\r\n!"},
    {S, "| after the ;", "<A> ::= a ;\r\n| b ;",
     Found("2", "\"|\"",
           "<Notation content> with one of: chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# "
           "%-& (-. 0-{ }-\xFF $ ! ' / finish") +
         "\r\n\r\n!"},
    {S, "| right after the ;", "<A> ::= a ;|",
     Found("1", "\"|\"", "<Notation> with one of: chr(0)-chr(123) }-\xFF finish") + "\r\n<A> ::= a ;\r\n           !"},
    {S, "rule without ; after a terminal", "<A> ::= a\r\n", Found("2", kEnd, kSemiSymbolsList) + "\r\n\r\n!"},
    {S, "rule without ; after a nonterminal", "<A> ::= <B>", Found("1", kEnd, kRepeater) + "\r\n<A> ::= <B>\r\n           !"},
    {S, "rule without ; after |", "<A> ::= a |",
     Found("1", kEnd, "<Right part> with one of: chr(0)-chr(45) /-\\ ^-| ~-\xFF") + "\r\n<A> ::= a |\r\n           !"},
};

class MsdnError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MsdnError, FirstErrorText)
{
    const ErrorCase& c = GetParam();
    EXPECT_EQ(ReadNotation(c.notation, c.text).error, c.error) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, MsdnError, ::testing::ValuesIn(kErrors));

TEST(MsdnReader, BuilderKeepsWhatWasBuiltBeforeAnError)
{
    const Reading r = ReadNotation(M, "<A> ::= x\r\n<B> ::= [ y\r\n");
    EXPECT_NE(r.error, "");
    EXPECT_EQ(r.trace, "ACT " + A + " NL " + T("x") + " END " + Rule("B") + " NL BRO NL " + T("y") + " NUL END");
}

struct StyleCase {
    int notation;
    std::string text;
    std::string map;
};

const StyleCase kStyles[] = {
    {M, "<A> ::= <B>... 'c'\r\n", "NNNxxxxxNNNxxxxxTxxx"},
    {M, "`f` ::= go\r\n! c\r\n", "AAAxxxxAAAxxCCCxx"},
    {M, "$title ::= T\r\n", "xxxxxxxxxxAAxx"},
    {S, "<A> ::=\r\n [ a ]... ;", "NNNxxxxxxxxxTxxxxxxx"},
};

TEST(MsdnReader, Colouring)
{
    for (const StyleCase& c : kStyles) {
        std::string error;
        EXPECT_EQ(StyleMap(c.notation, c.text, &error), c.map) << c.text;
        EXPECT_EQ(error, "");
    }
}

TEST(MsdnReader, GroupsNestedTooDeepAreAFailure)
{
    const int depth = readers::LineNotationReader::MaxGroupDepth + 1;
    for (int notation : {M, S}) {
        const std::string text = "<A> ::= " + std::string(depth, '[') + "a" + std::string(depth, ']') +
                                 (notation == S ? ";" : "\r\n");
        std::string error;
        EXPECT_EQ(readers::ParseGrammarByNotation(notation, text, error, {}), readers::ReadStatus::Failed);
        const std::string fits = "<A> ::= " + std::string(depth - 1, '{') + "a" + std::string(depth - 1, '}') +
                                 (notation == S ? ";" : "\r\n");
        EXPECT_EQ(readers::ParseGrammarByNotation(notation, fits, error, {}), readers::ReadStatus::Read) << error;
    }
}

} // namespace
