// The W3C notation: builder calls in reading order, error texts, colouring.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes.h"

using namespace readers_test;

namespace {

struct TraceCase {
    const char* what;
    std::string text;
    std::string trace;
};

void PrintTo(const TraceCase& c, std::ostream* os) { *os << c.what; }

std::string Rule(const std::string& head) { return Name(head) + " NLI GMN"; }
std::string T(const std::string& c) { return Name(c) + " TRM"; }
std::string Code(int code) { return "NAI SYM(" + std::to_string(code) + ")"; }

const std::string A = Rule("a");

const TraceCase kTraces[] = {
    {"empty text", "", "ACT"},
    {"space and comments only", " /* c */\r\n/**/\t\r\n", "ACT"},
    {"group repeated", "expr ::= term ('+' term)*\r\n",
     "ACT " + Rule("expr") + " NL " + Name("term") + " NTM WBO NL " + T("+") + " " + Name("term") +
         " NTM END WBR RPT END"},
    {"optional nonterminal", "a ::= b?\r\n", "ACT " + A + " NL " + Name("b") + " NEX WBQ END"},
    {"repeated nonterminals", "a ::= b* c+\r\n",
     "ACT " + A + " NL " + Name("b") + " NEX WBR RPT " + Name("c") + " NEX W3C RPT END"},
    {"negated class", "c ::= [^a-z_]\r\n",
     "ACT " + Rule("c") + " NL BRS NEG " + Name("a") + " TRB " + Name("z") + " TRF " + Name("_") +
         " TRL POS W3C END"},
    {"class closed four ways", "a ::= [x] [x]* [x]+ [x]?\r\n",
     "ACT " + A + " NL BRS " + Name("x") + " TRL POS W3C BRS " + Name("x") + " TRL POS WBR RPT BRS " +
         Name("x") + " TRL POS W3C RPT BRS " + Name("x") + " TRL POS WBQ END"},
    {"group closed four ways", "a ::= (b) (b)? (b)+\r\n",
     "ACT " + A + " NL WBO NL " + Name("b") + " NTM END W3C WBO NL " + Name("b") +
         " NTM END WBQ WBO NL " + Name("b") + " NTM END W3C RPT END"},
    {"code", "d ::= #x20\r\n", "ACT " + Rule("d") + " NL " + Code(32) + " TRM END"},
    {"codes in any case and decimal", "a ::= #X41 #x4a #d65\r\n",
     "ACT " + A + " NL " + Code(65) + " TRM " + Code(74) + " TRM " + Code(65) + " TRM END"},
    {"continuation line", "a ::= b\r\n| e\r\n",
     "ACT " + A + " NL " + Name("b") + " NTM END NL " + Name("e") + " NTM END"},
    {"action definition", "`act` ::= x = 1\r\n",
     "ACT " + Name("act") + " ACL ACB S(32) S(120) S(32) S(61) S(32) S(49) STM"},
    {"action in a rule", "a ::= `f` b\r\n", "ACT " + A + " NL " + Name("f") + " ACR " + Name("b") + " NTM END"},
    {"title", "$title ::= Calc\r\n", "ACT PRG S(32) S(67) S(97) S(108) S(99)"},
    {"option keyword in any case", "$Title ::= My parser\r\n",
     "ACT PRG S(32) S(77) S(121) S(32) S(112) S(97) S(114) S(115) S(101) S(114)"},
    {"two nonterminals", "a ::= b c\r\n", "ACT " + A + " NL " + Name("b") + " NTM " + Name("c") + " NTM END"},
    {"empty alternative", "a ::=\r\n", "ACT " + A + " NL NUL END"},
    {"empty first alternative", "a ::= | b\r\n", "ACT " + A + " NL NUL END NL " + Name("b") + " NTM END"},
    {"arrow", "a -> b\r\n", "ACT " + A + " NL " + Name("b") + " NTM END"},
    {"::= spread over space and a line end", "a : :\r\n= b\r\n", "ACT " + A + " NL " + Name("b") + " NTM END"},
    {"labelled rule", "[1] a ::= b\r\n", "ACT " + A + " NL " + Name("b") + " NTM END"},
    {"class of ]", "a ::= []]\r\n", "ACT " + A + " NL BRS " + Name("]") + " TRL POS W3C END"},
    {"range up to ]", "a ::= [a-]]\r\n", "ACT " + A + " NL BRS " + Name("a") + " TRB " + Name("]") + " TRF POS W3C END"},
    {"- first", "a ::= [-a]\r\n", "ACT " + A + " NL BRS " + Name("-") + " TRL " + Name("a") + " TRL POS W3C END"},
    {"# as a literal member", "a ::= [a#x]\r\n",
     "ACT " + A + " NL BRS " + Name("a") + " TRL " + Name("#") + " TRL " + Name("x") + " TRL POS W3C END"},
    {"class of codes", "a ::= [#x41-#x5A#d95]\r\n",
     "ACT " + A + " NL BRS " + Code(65) + " TRB " + Code(90) + " TRF " + Code(95) + " TRL POS W3C END"},
    {"strings", "a ::= 'ab' \"'\"\r\n", "ACT " + A + " NL " + T("a") + " " + T("b") + " " + T("'") + " END"},
    {"comment line passes nothing", "! a comment\r\n", "ACT"},
    {"comments between symbols", "a ::= b/* x */c /* y */\r\n",
     "ACT " + A + " NL " + Name("b") + " NTM " + Name("c") + " NTM END"},
    {"name characters", "a.b<c> ::= x\r\n", "ACT " + Rule("a.b<c>") + " NL " + Name("x") + " NTM END"},
};

class W3CTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(W3CTrace, BuilderCallsInReadingOrder)
{
    const TraceCase& c = GetParam();
    const Reading r = ReadNotation(readers::W3C, c.text);
    EXPECT_EQ(r.error, "") << c.what;
    EXPECT_EQ(r.trace, c.trace) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, W3CTrace, ::testing::ValuesIn(kTraces));

struct ErrorCase {
    const char* what;
    std::string text;
    std::string found;      // between "found " and " when expecting "
    std::string expecting;  // behind " when expecting "
    std::string marker;     // the context line, CR LF and the marker line
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.what; }

const std::string kEnd = "\"end marker\"";
const std::string kExp = "* + ? chr(9) chr(13) ' ' ) / |";

const ErrorCase kErrors[] = {
    {"rule without CR LF", "a ::= b", kEnd,
     "<Nonterminal character list> with one of: chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . "
     "0-9 ;-> @-Z \\ _ a-{ }-\xFF chr(9)-chr(10) chr(13) ' ' )-+ - / : ? |",
     "a ::= b\r\n       !"},
    {"symbols need a blank between them", "a ::= b'c'\r\n", "\"'\"",
     "<Nonterminal character list> with one of: chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . "
     "0-9 ;-> @-Z \\ _ a-{ }-\xFF chr(9)-chr(10) chr(13) ' ' )-+ - / : ? |",
     "a ::= b'c'\r\n       !"},
    {"a string needs a blank before the next symbol", "a ::= 'b'c\r\n", "\"c\"",
     "<Symbols with blanks> with one of: chr(9) ' ' / chr(13) ) |", "a ::= 'b'c\r\n         !"},
    {"no suffix behind a string", "a ::= 'b'*\r\n", "\"*\"",
     "<Symbols with blanks> with one of: chr(9) ' ' / chr(13) ) |", "a ::= 'b'*\r\n         !"},
    {"range without its upper bound", "a ::= [a-\r\n", "\"\r\"",
     "<Terminal character second> with one of: chr(0)-chr(8) chr(11)-chr(12) ' '-} chr(14)-chr(31) ~-\xFF",
     "a ::= [a-\r\n         !"},
    {"code without digits", "a ::= #d\r\n", "\"\r\"", "<Dec> with one of: 0-9", "a ::= #d\r\n        !"},
    {"code with a suffix", "a ::= #x41*\r\n", "\"*\"",
     "<Hex*> with one of: 0-9 A-F a-f chr(9) chr(13) ' ' # ) - / ] |", "a ::= #x41*\r\n          !"},
    {"empty string", "a ::= ''\r\n", "\"'\"", "<Quoted content> with one of: chr(0)-chr(38) (-\xFF",
     "a ::= ''\r\n       !"},
    {"comment not closed", "a ::= b /* c", kEnd, "<Comment content> with one of: chr(0)-chr(41) +-\xFF *",
     "a ::= b /* c\r\n            !"},
    {"comment not closed after *", "/* c *", kEnd, "<After asterisk> with one of: chr(0)-chr(41) +-. 0-\xFF * /",
     "/* c *\r\n      !"},
    {"group closes on its line", "a ::= (b\r\n| c)\r\n", "\"\r\"", "<Brackets content list> with one of: | )",
     "a ::= (b\r\n        !"},
    // A code above 255 is named as written, with the range, under its first digit, as the
    // terminal reader names it.
    {"code above 255", "a ::= #d256\r\n", "\"256\"", "<Dec> with one of: 0-255", "a ::= #d256\r\n        !"},
    {"hex code above 255", "a ::= [#x100]\r\n", "\"100\"", "<Hex> with one of: 0-FF",
     "a ::= [#x100]\r\n         !"},
    {"hex code in a range", "a ::= [#x0300-#x036F]\r\n", "\"0300\"", "<Hex> with one of: 0-FF",
     "a ::= [#x0300-#x036F]\r\n         !"},
    {"misspelt option", "$titel ::= x\r\n", "\"e\"", "\"l\"", "$titel ::= x\r\n    !"},
    {"second line", "a ::= b\r\nc :: d\r\n", "\"d\"", "\"=\"", "c :: d\r\n     !"},
    {"LF-only line ends", "a ::= b\nc ::= d\n", "\"\n\"", "<NtmExp> with one of: " + kExp, "a ::= b\r\n       !"},
    {"alternatives before any rule head", "| a\r\n", "\"|\"",
     "<Rule> with one of: chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _ a-{ }-\xFF",
     "| a\r\n!"},
    {"lone LF in a statement", "`a` ::= x\ny\r\n", "\"\n\"",
     "<Statement content> with one of: chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)", "`a` ::= x\r\n         !"},
};

class W3CError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(W3CError, FirstErrorText)
{
    const ErrorCase& c = GetParam();
    const std::string line = c.what == std::string("second line") ? "2" : "1";
    EXPECT_EQ(ReadNotation(readers::W3C, c.text).error,
              "Line " + line + ", syntax error, found " + c.found + " when expecting " + c.expecting +
                  "\r\n" + c.marker)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, W3CError, ::testing::ValuesIn(kErrors));

TEST(W3CReader, Colouring)
{
    const std::string text = "[1] a ::= b 'cd' #x41 [^e-f] `g` /* h */\r\n!i\r\n`g` ::= j\r\n";
    std::string error;
    EXPECT_EQ(StyleMap(readers::W3C, text, &error),
              "xxxxNxxxxxNxxTTxxxxTTxxxTxTxxAAAxCCCCCCCxxCCxxAAAxxxxAAxx");
    EXPECT_EQ(error, "");
}

TEST(W3CReader, GroupsNestedTooDeepAreAFailure)
{
    const int depth = readers::LineNotationReader::MaxGroupDepth;
    std::string error;
    const std::string fits = "a ::= " + std::string(depth, '(') + "b" + std::string(depth, ')') + "\r\n";
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::W3C, fits, error, {}), readers::ReadStatus::Read) << error;
    const std::string deep = "a ::= " + std::string(depth + 1, '(') + "b" + std::string(depth + 1, ')') + "\r\n";
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::W3C, deep, error, {}), readers::ReadStatus::Failed);
}

} // namespace

namespace {

TEST(W3CReader, XmlGrammarColouredWholeAndRecolouredWithoutWrites)
{
    std::ifstream in(std::string(READERS_FIXTURES) + "/xml10.w3c", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string text = readers::ToCrLf(s.str());
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    std::string error;
    EXPECT_EQ(readers::ColourGrammarText(readers::W3C, text, error, styler), readers::ReadStatus::Read) << error;
    const std::string first = rich.Map(fonts);
    EXPECT_EQ(first.find('.'), std::string::npos);
    for (char font : {'N', 'T', 'C', 'A'}) EXPECT_NE(first.find(font), std::string::npos) << font;
    rich.writes = 0;
    rich.SetSelStart(0);
    readers::ColourGrammarText(readers::W3C, text, error, styler);
    EXPECT_EQ(rich.writes, 0);
    EXPECT_EQ(rich.Map(fonts), first);
}

} // namespace
