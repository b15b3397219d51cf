// Long lists of every kind are read with loops: a text of a megabyte does not exhaust the stack.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string MegabyteGrammar()
{
    std::string t;
    t += "<A> ::= " + Repeat("a ", 60000) + "\r\n";                       // symbols of one line
    t += "<" + std::string(60000, 'n') + "> ::= b\r\n";                  // one long name
    t += "<B> ::= '" + std::string(60000, 'c') + "'\r\n";                // one long string
    t += "! " + std::string(60000, 'k') + "\r\n";                        // a long comment
    t += "`act` ::= " + std::string(60000, 's') + "\r\n";                // a long action text
    t += "<C> ::= a" + Repeat(" | a", 40000) + "\r\n";                   // alternatives
    t += Repeat("| d\r\n", 20000);                                       // continuation lines
    t += Repeat("<D> ::= d\r\n", 20000);                                 // rules
    t += std::string(60000, ' ') + Repeat("\r\n", 30000);               // space
    t += "<E> ::= ''^" + Repeat("ab", 30000) + "''\r\n";                 // negated list
    t += "<F> ::= ''^" + Repeat("#x41", 15000) + "''\r\n";               // negated code list
    t += "<G> ::= ''" + std::string(60000, '0') + "65''\r\n";            // a long code
    t += Repeat("1 ", 30000) + "<H> ::= h\r\n";                          // a long label
    t += "<I> ::= [ a" + Repeat(" | a", 30000) + " ]\r\n";               // alternatives of a group
    t += "<J> ::= `" + std::string(60000, 'q') + "`\r\n";                // a long action name
    t += "<K> ::= a" + std::string(60000, '\t') + "b\r\n";               // blanks
    return t;
}

TEST(LongText, MegabyteGrammarIsRead)
{
    const std::string text = MegabyteGrammar();
    ASSERT_GT(text.size(), 1'000'000u);
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::Typical, text, error, {}),
              readers::ReadStatus::Read)
        << error.substr(0, 300);
}

TEST(LongText, MegabyteGrammarWithColouringAndTree)
{
    const std::string text = MegabyteGrammar();
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    FakeTreeHost host;
    host.textLength = static_cast<readers::Pos>(text.size());
    readers::DerivationTree tree(host);
    std::string error;
    readers::BNF_Typical(text, error, {nullptr, &styler, &tree});
    EXPECT_EQ(error, "");
    EXPECT_EQ(host.nodes.size(), static_cast<std::size_t>(readers::TreeNodeLimit));
    EXPECT_EQ(rich.Map(fonts).find('.'), std::string::npos);
}

TEST(LongText, ErrorAtTheEndOfALongLine)
{
    const std::string text = "<A> ::= " + Repeat("a ", 200000) + "[ b\r\n";
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::Typical, text, error, {}),
              readers::ReadStatus::SyntaxError);
    const std::string marker = std::string(text.size() - 2, ' ') + "!";
    ASSERT_GE(error.size(), marker.size());
    EXPECT_EQ(error.substr(error.size() - marker.size()), marker);
}

} // namespace
