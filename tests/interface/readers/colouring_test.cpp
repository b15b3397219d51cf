// The colouring parsers of result documents: the terminal list and grammar documents.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

struct Coloured {
    std::string map;
    std::string error;
};

template <class Entry>
Coloured Colour(const std::string& text, Entry entry)
{
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    Coloured c;
    entry(text, c.error, styler);
    c.map = rich.Map(fonts);
    return c;
}

Coloured TerminalList(const std::string& text)
{
    return Colour(text, [](const std::string& t, std::string& e, readers::StyleHooks& s) {
        readers::SetTerminalListFont(t, e, s);
    });
}

Coloured Document(const std::string& text)
{
    return Colour(text, [](const std::string& t, std::string& e, readers::StyleHooks& s) {
        readers::BNFSetDocFonts2(t, e, s);
    });
}

// A line as the pipeline writes it: number in 7 columns, ten blanks, the terminal, blanks,
// "chr(" code ")".
std::string Line(int number, unsigned char terminal)
{
    std::string n = std::to_string(number);
    return std::string(7 - n.size(), ' ') + n + std::string(10, ' ') + static_cast<char>(terminal) +
           std::string(18, ' ') + "chr(" + std::to_string(terminal) + ")\r\n";
}

TEST(SetTerminalListFont, OnlyTheTerminalTakesTheTerminalsFont)
{
    const std::string text = Line(1, 'a');
    const Coloured c = TerminalList(text);
    EXPECT_EQ(c.error, "");
    EXPECT_EQ(c.map, std::string(17, 'x') + "T" + std::string(text.size() - 18, '.'));
}

TEST(SetTerminalListFont, EveryCodeIsATerminal)
{
    std::string text;
    for (int code = 0; code < 256; ++code) text += Line(code + 1, static_cast<unsigned char>(code));
    const Coloured c = TerminalList(text);
    EXPECT_EQ(c.error, "");
    std::size_t terminals = 0;
    for (char m : c.map) terminals += m == 'T';
    EXPECT_EQ(terminals, 256u);
    EXPECT_EQ(c.map[17], 'T');
}

TEST(SetTerminalListFont, ALineThatDoesNotFitEndsTheColouring)
{
    const std::string bad = "      2         b" + std::string(18, ' ') + "chr(98)\r\n";  // nine blanks
    const std::string text = Line(1, 'a') + bad + Line(3, 'c');
    const Coloured c = TerminalList(text);
    EXPECT_EQ(c.error, "Line 2, syntax error, found \"b\" when expecting \" \"\r\n" + bad.substr(0, bad.size() - 2) +
                           "\r\n" + std::string(16, ' ') + "!");
    EXPECT_EQ(c.map.substr(0, 18), std::string(17, 'x') + "T");
    EXPECT_EQ(c.map.find('T', 18), std::string::npos);
}

TEST(SetTerminalListFont, EmptyDocumentIsAnError)
{
    const Coloured c = TerminalList("");
    EXPECT_EQ(c.error, "Line 1, syntax error, found \"end marker\" when expecting <SetTerminalListFont> with one "
                       "of: ' ' 0-9\r\n\r\n!");
}

struct DocCase {
    const char* what;
    std::string text;
    std::string map;
};

void PrintTo(const DocCase& c, std::ostream* os) { *os << c.what; }

const DocCase kDocs[] = {
    {"rule", "<A> ::= a <B> | 'x' ''65''\r\n", "NNNxxxxxTxNNNxxxxTxxxxTT...."},
    {"nonterminal alone", "<A>\r\n", "NNN.."},
    {"range", "<A> -> a-z\r\n", "NNNxxxxTxT.."},
    {"error line", "! conflict here\r\n", "EEEEEEEEEEEEEEE.."},
    {"comment line", "' note\r\n", "CCCCCC.."},
    {"empty name", "<> ::= x\r\n", "NNxxxxxT.."},
    {"action definition and use", "`f` ::= go\r\n<A> ::= `f` \"y\"\r\n", "AAAxxxxAAAxxNNNxxxxxAAAxxT..."},
    {"label and continuation", "12 <A> ::= x\r\n    | y\r\n", "xxxNNNxxxxxTxxxxxxxxT.."},
};

class DocumentColouring : public ::testing::TestWithParam<DocCase> {};

TEST_P(DocumentColouring, StyleMap)
{
    const DocCase& c = GetParam();
    const Coloured r = Document(c.text);
    EXPECT_EQ(r.error, "") << c.what;
    EXPECT_EQ(r.map, c.map) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, DocumentColouring, ::testing::ValuesIn(kDocs));

TEST(BNFSetDocFonts2, AnEmptyLineStopsTheColouring)
{
    const Coloured r = Document("<A> ::= a\r\n\r\n<B> ::= b\r\n");
    EXPECT_EQ(r.error, "Line 2, syntax error, found \"\r\" when expecting <Notation> with one of: chr(0)-chr(9) "
                       "chr(11)-chr(12) chr(14)-chr(33) # %-. 0-\xFF finish\r\n\r\n!");
    EXPECT_EQ(r.map, "NNNxxxxxT" + std::string(15, '.'));
}

TEST(BNFSetDocFonts2, ALastLineWithoutItsLineEndIsAnError)
{
    const Coloured r = Document("' note");
    EXPECT_NE(r.error.find("found \"end marker\" when expecting <Comment contents>"), std::string::npos) << r.error;
}

TEST(BNFSetDocFonts2, FastWorkLeavesTheLoadedFont)
{
    const std::string text = "<A> ::= a\r\n";
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    styler.FastWork = true;
    std::string error;
    readers::BNFSetDocFonts2(text, error, styler);
    EXPECT_EQ(error, "");
    EXPECT_EQ(rich.Map(fonts), std::string(text.size(), '.'));
}

} // namespace
