// Derivation trees of the MSDN and W3C readers: one node per procedure under its display name.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

std::string Tree(int notation, const std::string& text, FakeTreeHost& host)
{
    host.textLength = static_cast<readers::Pos>(text.size());
    readers::DerivationTree tree(host);
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(notation, text, error, {nullptr, nullptr, &tree}),
              readers::ReadStatus::Read)
        << error;
    return host.Outline();
}

TEST(NotationTree, W3CRule)
{
    FakeTreeHost host;
    EXPECT_EQ(Tree(readers::W3C, "a ::= b?\r\n", host),
              "<BNF_W3C>=11\n"
              "  <Notation>=11\n"
              "    <Space>=1\n"
              "    <Notation content>=11\n"
              "      <Label>=1\n"
              "      <Rule|Action>=11\n"
              "        <Rule>=11\n"
              "          <Nonterminal>=2\n"
              "            <Nonterminal name>=2\n"
              "              <Nonterminal character>=2\n"
              "                a\n"
              "              <Nonterminal character list>=2\n"
              "          <Space>=3\n"
              "            Chr(32)\n"
              "            <Space>=3\n"
              "          <::=>=6\n"
              "            :\n"
              "            <Space>=4\n"
              "            :\n"
              "            <Space>=5\n"
              "            =\n"
              "          <Right part>=9\n"
              "            <Blanks*>=7\n"
              "              <Blank character>=7\n"
              "                Chr(32)\n"
              "              <Blanks*>=7\n"
              "            <Grammatical symbols>=9\n"
              "              <Grammatical symbol>=9\n"
              "                <Nonterminal>=8\n"
              "                  <Nonterminal name>=8\n"
              "                    <Nonterminal character>=8\n"
              "                      b\n"
              "                    <Nonterminal character list>=8\n"
              "                <NtmExp>=9\n"
              "                  ?\n"
              "              <Symbols with blanks>=9\n"
              "          <Right parts>=11\n"
              "            Chr(13)\n"
              "            Chr(10)\n"
              "        <Notation>=11\n"
              "          <Space>=11\n"
              "          <Notation content>=11\n");
}

TEST(NotationTree, MsdnRule)
{
    FakeTreeHost host;
    EXPECT_EQ(Tree(readers::MSDN, "<a> ::= <b>...\r\n", host),
              "<BNF_multipoint>=17\n"
              "  <Notation>=17\n"
              "    <Space>=1\n"
              "    <Notation content>=17\n"
              "      <Label>=1\n"
              "      <Rule|Action>=17\n"
              "        <Rule>=17\n"
              "          <Nonterminal>=4\n"
              "            <\n"
              "            <Nonterminal name>=3\n"
              "              <Nonterminal character>=3\n"
              "                a\n"
              "              <Nonterminal character list>=3\n"
              "            >\n"
              "          <Space>=5\n"
              "            Chr(32)\n"
              "            <Space>=5\n"
              "          <::=>=8\n"
              "            :\n"
              "            <Space>=6\n"
              "            :\n"
              "            <Space>=7\n"
              "            =\n"
              "          <Right part>=15\n"
              "            <Blanks>=9\n"
              "              Chr(32)\n"
              "              <Blanks>=9\n"
              "            <Grammatical symbols>=15\n"
              "              <Grammatical symbol>=15\n"
              "                <Nonterminal>=12\n"
              "                  <\n"
              "                  <Nonterminal name>=11\n"
              "                    <Nonterminal character>=11\n"
              "                      b\n"
              "                    <Nonterminal character list>=11\n"
              "                  >\n"
              "                <Repeater>=15\n"
              "                  .\n"
              "                  .\n"
              "                  .\n"
              "              <Blanks>=15\n"
              "              <Grammatical symbols list>=15\n"
              "          <Right parts>=17\n"
              "            Chr(13)\n"
              "            Chr(10)\n"
              "        <Notation>=17\n"
              "          <Space>=17\n"
              "          <Notation content>=17\n");
}

} // namespace
