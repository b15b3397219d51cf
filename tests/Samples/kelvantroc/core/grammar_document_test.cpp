// The grammar documents: written as RTF from a grammar text and read back by the viewer's reader.
#include <gtest/gtest.h>

#include "grammar_document.h"

namespace {

using kelvantroc::ReadRtf;
using kelvantroc::RtfDocument;

std::string Text(const RtfDocument& d, size_t paragraph)
{
    std::string s;
    for (const auto& r : d.paragraphs.at(paragraph)) s += r.text;
    return s;
}

TEST(GrammarDocument, WrittenAndReadBack)
{
    const std::string grammar = "! token codes\r\n<list> ::= <item> ''60'' x | \xEC\r\n";
    RtfDocument doc;
    ASSERT_TRUE(ReadRtf(kelvantroc::WriteGrammarRtf("\xC3\xF0\xE0\xEC", grammar), doc));
    EXPECT_EQ(doc.font, "Courier New");
    ASSERT_GE(doc.paragraphs.size(), 4u);
    EXPECT_EQ(Text(doc, 0), "\xC3\xF0\xE0\xEC");
    EXPECT_TRUE(doc.paragraphs[0][0].bold);
    EXPECT_EQ(Text(doc, 2), "! token codes");
    EXPECT_TRUE(doc.paragraphs[2][0].italic);
    EXPECT_EQ(Text(doc, 3), "<list> ::= <item> '<' x | \xEC");
    // Nonterminals blue, terminals red and bold.
    const auto& runs = doc.paragraphs[3];
    EXPECT_EQ(runs[0].text, "<list>");
    EXPECT_EQ(runs[0].color, 0x0000FFu);
    bool terminal = false;
    for (const auto& r : runs)
        if (r.text == "'<'") {
            terminal = true;
            EXPECT_EQ(r.color, 0xC00000u);
            EXPECT_TRUE(r.bold);
        }
    EXPECT_TRUE(terminal);
}

TEST(GrammarDocument, ReaderKnowsTheUsualControls)
{
    RtfDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times;}}{\\*\\generator x;}"
                        "{\\info{\\title T}}a\\{b\\}\\\\c\\tab d\\line {\\b e}\\b0 f\\u1078?\\par}", doc));
    EXPECT_EQ(doc.font, "Arial");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(Text(doc, 0), "a{b}\\c\td");
    EXPECT_EQ(Text(doc, 1), "ef\xE6");
    EXPECT_TRUE(doc.paragraphs[1][0].bold);
    EXPECT_FALSE(doc.paragraphs[1][1].bold);
    EXPECT_FALSE(ReadRtf("plain text", doc));
}

}  // namespace
