// The viewer's three parsers: what each grammar accepts, their syntax-error texts, and the
// derivation tree they build through the hooks.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "parsers.h"
#include "syntax_error.h"

namespace {

using kelvantroc::DerivationTree;
using kelvantroc::Grammar;

std::string ParseWith(Grammar g, const std::string& text, DerivationTree& tree)
{
    std::string error;
    tree.Clear();
    kelvantroc::Parse(g, text, error, tree);
    return error;
}

std::string ParseWith(Grammar g, const std::string& text)
{
    DerivationTree tree;
    return ParseWith(g, text, tree);
}

const std::string M = "\xEC", Sh = "\xF9";  // the keyword codes of false and true

TEST(Parsers, EmptyTextExpectsTheStartSymbol)
{
    EXPECT_EQ(ParseWith(Grammar::English, ""),
              "Line 1, syntax error, found \"end marker\" when expecting <expression> with one of: "
              "( + - = F H N-W v-x z " + M + " " + Sh + "\r\n\r\n!");
    EXPECT_EQ(ParseWith(Grammar::Russian, ""),
              "Line 1, syntax error, found \"end marker\" when expecting <expression_rus> with one of: "
              "( + - = F H N-W v-x z " + M + " " + Sh + "\r\n\r\n!");
    EXPECT_EQ(ParseWith(Grammar::Cpp, ""),
              "Line 1, syntax error, found \"end marker\" when expecting <cpp_grammar> with one of: "
              "! & ( *-+ - D G v-x z ~ " + M + " " + Sh + "\r\n\r\n!");
}

TEST(Parsers, WhatEachGrammarAccepts)
{
    const struct {
        std::string text;
        bool english, cpp;  // the Russian grammar accepts what the English one does
    } cases[] = {
        {"a = b", false, true},
        {"= a", true, false},
        {"a >= b", false, true},
        {"a => b", true, false},
        {"a <= b", true, true},
        {"a < b > c", true, true},
        {"0.5 + x * 'c' - \"s\"", true, true},
        {"a << 2 >> b", true, true},
        {"p ->* m .* n", true, true},
        {"-a + b", true, true},
        {"a + +b", false, true},
        {"f(a, b)", false, true},
        {"v[i]", false, true},
        {"!a && ~b || *p", false, true},
        {"i++ + --j", false, true},
        {"(a ? b : c), true", true, true},
        {"(T) x", false, true},
        {"(int) x", false, false},
        // Text after a complete expression is an error.
        {"a ) b", false, false},
        {"a b", false, false},
        {"(a", false, false},
        {"", false, false},
    };
    for (const auto& tc : cases) {
        EXPECT_EQ(ParseWith(Grammar::English, tc.text).empty(), tc.english) << tc.text;
        EXPECT_EQ(ParseWith(Grammar::Russian, tc.text).empty(), tc.english) << tc.text;
        EXPECT_EQ(ParseWith(Grammar::Cpp, tc.text).empty(), tc.cpp) << tc.text;
    }
}

TEST(Parsers, SyntaxErrorTexts)
{
    EXPECT_EQ(ParseWith(Grammar::English, "a = b"),
              "Line 1, syntax error, found \"=\" when expecting <pm_expression_list> with one of: "
              "X C %-& )-- / : < >-? A E H-M ^ y | finish\r\na = b\r\n  !");
    EXPECT_EQ(ParseWith(Grammar::Cpp, "a b"),
              "Line 1, syntax error, found \"z\" when expecting <arguments> with one of: "
              "( [ %-& )-- / : <-? C-X ]-^ y | finish\r\na b\r\n  !");
    EXPECT_EQ(ParseWith(Grammar::English, "(a"),
              "Line 1, syntax error, found \"end marker\" when expecting \")\"\r\n(a\r\n  !");
    EXPECT_EQ(ParseWith(Grammar::English, "a ) b"),
              "Line 1, syntax error, found \")\" when expecting <expression> with one of: finish\r\n"
              "a ) b\r\n  !");
    EXPECT_EQ(ParseWith(Grammar::Russian, "a ) b"),
              "Line 1, syntax error, found \")\" when expecting <expression_rus> with one of: finish\r\n"
              "a ) b\r\n  !");
    // The "!" stands under the last character of the offending token, on its own line.
    EXPECT_EQ(ParseWith(Grammar::Cpp, "a +\r\n  * <<"),
              "Line 2, syntax error, found \"L\" when expecting <cast_expression> with one of: "
              "! & ( *-+ - D G v-x z ~ " + M + " " + Sh + "\r\n  * <<\r\n     !");
}

TEST(Parsers, AStrayByteIsNoKeyword)
{
    // The byte of "false" among the keyword codes, typed as a letter, is no keyword here.
    EXPECT_EQ(ParseWith(Grammar::Cpp, "\xEC"),
              "Line 1, syntax error, found \"\xEC\" when expecting <cpp_grammar> with one of: "
              "! & ( *-+ - D G v-x z ~ " + M + " " + Sh + "\r\n\xEC\r\n!");
    EXPECT_EQ(ParseWith(Grammar::Cpp, "false"), "");
}

TEST(Parsers, DeepNestingIsAMessageNotACrash)
{
    for (Grammar g : {Grammar::English, Grammar::Russian, Grammar::Cpp}) {
        const std::string deep = std::string(20000, '(') + "a" + std::string(20000, ')');
        EXPECT_NE(ParseWith(g, deep).find("is nested too deeply"), std::string::npos);
        const std::string fine = std::string(60, '(') + "a" + std::string(60, ')');
        EXPECT_EQ(ParseWith(g, fine), "");
        // As deep as the engine's generated parsers go: about 600 parentheses of the English grammar.
        const std::string deeper = std::string(550, '(') + "a" + std::string(550, ')');
        EXPECT_EQ(ParseWith(g, deeper), "");
    }
}

std::string Parenthesised(int depth, const std::string& text)
{
    return std::string(static_cast<size_t>(depth), '(') + text + std::string(static_cast<size_t>(depth), ')');
}

// Lists are read with loops, so a list of any length is no nesting: a sum longer than the deepest
// nesting allowed is an expression, and its tree still holds one list node per term, each under
// the one before, as the grammar derives it.
TEST(Parsers, ALongSumIsNoNesting)
{
    std::string text = "a";
    for (int i = 0; i < samples::MaxNesting; ++i) text += " + a";
    for (Grammar g : {Grammar::English, Grammar::Russian, Grammar::Cpp}) {
        DerivationTree tree;
        ASSERT_EQ(ParseWith(g, text, tree).substr(0, 100), "");
        int chained = 0, leaves = 0;
        for (const auto& n : tree.Nodes()) {
            leaves += n.leaf;
            if (n.Parent < 0) continue;
            const auto& parent = tree.Nodes()[static_cast<size_t>(n.Parent)];
            const bool list = n.txt.find("list") != std::string::npos ||
                              n.txt.find("\xEF\xF0\xE0\xE2\xE0\xFF") != std::string::npos;  // "правая"
            if (!list || n.txt != parent.txt) continue;
            ++chained;
            EXPECT_EQ(parent.Children.back(), &n - &tree.Nodes().front());  // the list goes on last
        }
        EXPECT_EQ(leaves, 2 * samples::MaxNesting + 1);
        EXPECT_EQ(chained, samples::MaxNesting);
    }
}

// Every list of every grammar: inside the deepest parentheses that a single operand allows, a
// list of many elements still fits, where one nesting level per element would not.
TEST(Parsers, EveryListIsALoop)
{
    const struct {
        std::string element;  // repeated, then "a"
        bool english, cpp;
    } cases[] = {
        {"a, ", true, true},   {"a || ", true, true}, {"a && ", true, true}, {"a | ", true, true},
        {"a ^ ", true, true},  {"a != ", true, true}, {"a == ", true, true}, {"a < ", true, true},
        {"a <= ", true, true}, {"a => ", true, false}, {"a >= ", false, true}, {"a << ", true, true},
        {"a >> ", true, true}, {"a - ", true, true},  {"a % ", true, true},  {"a :> ", true, true},
        {"a ->* ", true, true}, {"a .* ", true, true}, {"a & ", true, true}, {"= ", true, false},
    };
    for (Grammar g : {Grammar::English, Grammar::Russian, Grammar::Cpp}) {
        int lo = 0, hi = 4 * samples::MaxNesting;  // "a" in lo parentheses parses, in hi it does not
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (ParseWith(g, Parenthesised(mid, "a")).empty() ? lo : hi) = mid;
        }
        ASSERT_GT(lo, 1);
        EXPECT_NE(ParseWith(g, Parenthesised(hi, "a")).find("is nested too deeply"), std::string::npos);
        for (const auto& tc : cases) {
            if (!(g == Grammar::Cpp ? tc.cpp : tc.english)) continue;
            std::string list;
            for (int i = 0; i < 100; ++i) list += tc.element;
            EXPECT_EQ(ParseWith(g, Parenthesised(lo - 1, list + "a")).substr(0, 100), "") << tc.element;
        }
    }
}

// The tree as text: each shown node on a line, indented by its depth.
std::string Outline(DerivationTree& tree, bool reduced)
{
    std::map<int, int> depth;
    std::string out;
    for (const auto& s : tree.Layout(reduced)) {
        const int d = s.parent < 0 ? 0 : depth[s.parent] + 1;
        depth[s.node] = d;
        out += std::string(static_cast<size_t>(2 * d), ' ') + tree.Nodes()[static_cast<size_t>(s.node)].txt + "\n";
    }
    return out;
}

TEST(DerivationTree, LeavesCarryTheirTokenTextAndRange)
{
    DerivationTree tree;
    ASSERT_EQ(ParseWith(Grammar::Cpp, "  ab + ab", tree), "");
    std::vector<const kelvantroc::MemNode*> leaves;
    for (const auto& n : tree.Nodes())
        if (n.leaf) leaves.push_back(&n);
    ASSERT_EQ(leaves.size(), 3u);
    EXPECT_EQ(leaves[0]->txt, "ab");
    EXPECT_EQ(leaves[0]->start, 3);
    EXPECT_EQ(leaves[0]->tag, 4);
    EXPECT_EQ(leaves[2]->start, 8);
    EXPECT_NE(leaves[0]->key, leaves[2]->key);  // equal tokens at different places

    tree.Layout(false);
    const auto& root = tree.Nodes().front();
    EXPECT_EQ(root.txt, "<cpp_grammar>");
    EXPECT_EQ(root.start, 3);
    EXPECT_EQ(root.end, 9);
    // A nonterminal and its first leaf start at the same position.
    for (const auto& n : tree.Nodes())
        if (n.leaf) {
            const auto& parent = tree.Nodes()[static_cast<size_t>(n.Parent)];
            if (parent.Children.front() == &n - &tree.Nodes().front()) EXPECT_EQ(parent.start, n.start);
        }
}

TEST(DerivationTree, CallAndIndexHaveArgumentNodes)
{
    for (const std::string text : {"f(a, b)", "v[i]"}) {
        DerivationTree tree;
        ASSERT_EQ(ParseWith(Grammar::Cpp, text, tree), "") << text;
        bool found = false;
        for (const auto& n : tree.Nodes()) {
            if (n.txt != "<arguments>" || n.Children.empty()) continue;
            found = true;
            std::vector<std::string> kids;
            for (int c : n.Children) kids.push_back(tree.Nodes()[static_cast<size_t>(c)].txt);
            ASSERT_EQ(kids.size(), 3u) << text;
            EXPECT_EQ(kids[1], "<expression_list>");
            EXPECT_EQ(kids[0] + kids[2], text.substr(1, 1) + text.substr(text.size() - 1));
        }
        EXPECT_TRUE(found) << text;
    }
}

TEST(DerivationTree, ReducedTreeHidesEmptyNodesAndChainsButLosesNothing)
{
    DerivationTree tree;
    ASSERT_EQ(ParseWith(Grammar::English, "a*(b+c)", tree), "");
    EXPECT_EQ(Outline(tree, true),
              "<expression>\n"
              "  <assignment_expression>\n"
              "    <multiplicative_expression>\n"
              "      <cast_expression>\n"
              "        <identifier>\n"
              "          a\n"
              "      <multiplicative_expression_list>\n"
              "        *\n"
              "        <cast_expression>\n"
              "          (\n"
              "          <assignment_expression>\n"
              "            <additive_expression>\n"
              "              <cast_expression>\n"
              "                <identifier>\n"
              "                  b\n"
              "              <additive_expression_list>\n"
              "                +\n"
              "                <cast_expression>\n"
              "                  <identifier>\n"
              "                    c\n"
              "          )\n");
    // Every leaf is shown, under a node that is its ancestor in the full tree.
    const auto shown = tree.Layout(true);
    size_t leaves = 0;
    for (const auto& s : shown) {
        const auto& n = tree.Nodes()[static_cast<size_t>(s.node)];
        if (!n.leaf) {
            EXPECT_LE(n.start, n.end) << n.txt;  // no empty node
            continue;
        }
        ++leaves;
        int up = n.Parent;
        while (up >= 0 && up != s.parent) up = tree.Nodes()[static_cast<size_t>(up)].Parent;
        EXPECT_EQ(up, s.parent) << n.txt;
    }
    EXPECT_EQ(leaves, 7u);

    // The full tree shows every node.
    EXPECT_EQ(tree.Layout(false).size(), tree.Nodes().size());
}

TEST(DerivationTree, AHiddenNodeKeepsAChildThatFollowsItsEmptyOne)
{
    DerivationTree tree;
    tree.NewNode(1, "", 1, "<R>");
    tree.NewNode(1, "<R>", 1, "<P>");
    tree.NewNode(1, "<P>", 1, "<E>");
    tree.CompleteNode(1, "<E>", 1);
    tree.NewLeaf(1, "<P>", 1, "x");
    tree.CompleteNode(1, "<P>", 2);
    tree.CompleteNode(1, "<R>", 2);
    EXPECT_EQ(Outline(tree, true), "<R>\n  x\n");
    EXPECT_EQ(Outline(tree, false), "<R>\n  <P>\n    <E>\n    x\n");
}

TEST(DerivationTree, TheTreeBuiltBeforeASyntaxErrorStays)
{
    DerivationTree tree;
    EXPECT_NE(ParseWith(Grammar::English, "a + (b", tree), "");
    size_t leaves = 0;
    for (const auto& n : tree.Nodes()) leaves += n.leaf;
    EXPECT_EQ(leaves, 4u);  // a + ( b
    EXPECT_FALSE(tree.Layout(true).empty());
}

TEST(DerivationTree, HooksBeforeTheRootDoNothing)
{
    DerivationTree tree;
    tree.NewLeaf(1, "<a>", 1, "x");
    tree.CompleteNode(1, "<a>", 2);
    EXPECT_TRUE(tree.Nodes().empty());
    tree.NewNode(1, "", 1, "<a>");
    tree.NewLeaf(1, "<a>", 1, "x");
    tree.NewLeaf(7, "<missing>", 8, "y");  // no such parent: ends quietly
    EXPECT_EQ(tree.Nodes().size(), 2u);
}

}  // namespace

namespace {

// Random token soup: every parse ends with a message or none, and both forms of the tree keep
// every leaf under a shown ancestor, parents before their children.
TEST(DerivationTree, RandomTextsKeepTheTreeWhole)
{
    const char* const pieces[] = {"a", "1", "0.5", "+", "-", "*", "/", "(", ")", "[", "]", ",", "=",
                                  "==", "<<", "->", "?", ":", "'c'", "\"s\"", " ", "\r\n", "f(", "true", "\xEC"};
    std::mt19937 rng(17);
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 12)(rng); n > 0; --n)
            text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(rng)];
        for (Grammar g : {Grammar::English, Grammar::Russian, Grammar::Cpp}) {
            DerivationTree tree;
            ParseWith(g, text, tree);
            for (bool reduced : {false, true}) {
                std::set<int> shown;
                size_t leaves = 0;
                for (const auto& s : tree.Layout(reduced)) {
                    const auto& n = tree.Nodes()[static_cast<size_t>(s.node)];
                    EXPECT_TRUE(s.parent < 0 ? shown.empty() : shown.count(s.parent) == 1) << text;
                    EXPECT_LE(n.start, n.end + 1) << text;
                    shown.insert(s.node);
                    leaves += n.leaf;
                }
                size_t all = 0;
                for (const auto& n : tree.Nodes()) all += n.leaf;
                EXPECT_EQ(leaves, all) << text;
            }
        }
    }
}

}  // namespace
