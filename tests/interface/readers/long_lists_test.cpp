// The new readers and colouring parsers read every kind of list with loops: texts of a
// megabyte made of one long list each do not exhaust the stack.
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

constexpr int K = 60000;

std::string MsdnText(bool semicolon)
{
    const std::string end = semicolon ? " ;\r\n" : "\r\n";
    std::string t;
    t += "<A> ::= " + Repeat("a ", K) + end;
    t += "<" + std::string(K, 'n') + "> ::= b" + end;
    t += "<B> ::= '" + std::string(K, 'c') + "'" + end;
    t += "! " + std::string(K, 'k') + "\r\n";
    t += "`act` ::= " + std::string(K, 's') + "\r\n";
    t += "<C> ::= a" + Repeat(" | a", K / 2) + end;
    if (!semicolon) t += Repeat("| d\r\n", K / 3);
    t += Repeat("<D> ::= <d>..." + end, K / 3);
    t += std::string(K, ' ') + Repeat("\r\n", K / 2);
    t += Repeat("1 ", K / 2) + "<H> ::= h" + end;
    t += "<I> ::= [ a" + Repeat(" | a", K / 2) + " ]..." + end;
    t += "<J> ::= `" + std::string(K, 'q') + "`" + end;
    t += "<K> ::= a" + std::string(K, '\t') + "b" + end;
    return t;
}

std::string W3CText()
{
    std::string t;
    t += "a ::= " + Repeat("b ", K) + "\r\n";
    t += std::string(K, 'n') + " ::= b\r\n";
    t += "c ::= '" + std::string(K, 'c') + "' \"" + std::string(K, 'd') + "\"\r\n";
    t += "/* " + Repeat("* x ", K / 2) + " */\r\n";
    t += "! " + std::string(K, 'k') + "\r\n";
    t += "`act` ::= " + std::string(K, 's') + "\r\n";
    t += "e ::= a" + Repeat(" | a", K / 2) + "\r\n";
    t += Repeat("| d\r\n", K / 3);
    t += "f ::= (a" + Repeat(" | a", K / 2) + ")*\r\n";
    t += "g ::= [" + Repeat("ab", K / 2) + "] [" + Repeat("#x41", K / 4) + "]\r\n";
    t += "h ::= #d" + std::string(K, '0') + "65\r\n";
    t += "[" + std::string(K, '1') + "] i ::= i\r\n";
    t += "j ::= a" + std::string(K, '\t') + "b" + Repeat("/**/", K / 4) + "c\r\n";
    t += std::string(K, ' ') + Repeat("\r\n", K / 2);
    return t;
}

TEST(LongLists, MegabyteGrammarInEachNotation)
{
    const struct {
        int notation;
        std::string text;
    } texts[] = {{readers::MSDN, MsdnText(false)},
                 {readers::MSDNWithSemicolon, MsdnText(true)},
                 {readers::W3C, W3CText()}};
    for (const auto& t : texts) {
        ASSERT_GT(t.text.size(), 1'000'000u);
        std::string error;
        EXPECT_EQ(readers::ParseGrammarByNotation(t.notation, t.text, error, {}), readers::ReadStatus::Read)
            << t.notation << ": " << error.substr(0, 300);
        FakeTreeHost host;
        host.textLength = static_cast<readers::Pos>(t.text.size());
        readers::DerivationTree tree(host);
        EXPECT_EQ(readers::ParseGrammarByNotation(t.notation, t.text, error, {nullptr, nullptr, &tree}),
                  readers::ReadStatus::Read);
        EXPECT_EQ(host.nodes.size(), static_cast<std::size_t>(readers::TreeNodeLimit));
    }
}

TEST(LongLists, MegabyteDocuments)
{
    readers::NullStyleHooks none;
    std::string error;
    readers::BNFSetDocFonts2("<A> ::= " + Repeat("a ", K) + "| b\r\n' " + std::string(K, 'c') + "\r\n" +
                                 Repeat("<B> ::= <" + std::string(20, 'n') + ">\r\n", K / 4) +
                                 Repeat("\t ", K) + "<C>\r\n",
                             error, none);
    EXPECT_EQ(error, "");
    std::string list;
    for (int i = 0; i < K; ++i) list += "      1          x                  chr(120)\r\n";
    ASSERT_GT(list.size(), 1'000'000u);
    readers::SetTerminalListFont(list, error, none);
    EXPECT_EQ(error, "");
}

} // namespace
