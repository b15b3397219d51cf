// The derivation-tree hooks.
#include <gtest/gtest.h>

#include <set>

#include "fakes.h"

using namespace readers_test;

namespace {

TEST(TreeHooks, NodeKeys)
{
    EXPECT_EQ(readers::NodeKey(1, 1, "<BNF_Typical>"), "Root  1     1<BNF_Typical>");
    EXPECT_EQ(readers::NodeKey(-12, 123456, "x"), "Root 12123456x");
    EXPECT_EQ(readers::NodeKey(3, 1234567, "y"), "Root  31234567y");
}

TEST(TreeHooks, LeafTexts)
{
    const std::pair<int, std::string> cases[] = {
        {9, "Chr(9)"},   {32, "Chr(32)"}, {0, "Chr(0)"},           {33, "!"},
        {'a', "a"},      {126, "~"},      {127, "\x7F   Chr(127)"}, {200, "\xC8   Chr(200)"},
        {-1, "''-1''"},  {256, "''256''"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(readers::LeafText(code), text) << code;
}

// Reads a Typical text with tree building on.
std::string Tree(FakeTreeHost& host, const std::string& text)
{
    host.textLength = static_cast<readers::Pos>(text.size());
    readers::DerivationTree tree(host);
    std::string error;
    readers::BNF_Typical(text, error, {nullptr, nullptr, &tree});
    EXPECT_EQ(error, "");
    return host.Outline();
}

TEST(TreeHooks, TreeOfAnEmptyLine)
{
    FakeTreeHost host;
    EXPECT_EQ(Tree(host, "\r\n"),
              "<BNF_Typical>=3\n"
              "  <Notation>=3\n"
              "    <Space>=3\n"
              "      Chr(13)\n"
              "      <Space>=3\n"
              "        Chr(10)\n"
              "        <Space>=3\n"
              "    <Notation content>=3\n");
    EXPECT_EQ(host.nodes[0].key, "Root  1     1<BNF_Typical>");
    EXPECT_EQ(host.nodes[3].key, "Root  1     1Chr(13)");
    EXPECT_EQ(host.nodes[3].colour, 0x00AA00);
    EXPECT_TRUE(host.nodes[0].expanded);
    EXPECT_FALSE(host.nodes[3].expanded);
    EXPECT_EQ(host.loadTreeCalls, 1);
}

TEST(TreeHooks, TreeOfARule)
{
    // Lists read as loops still give the nested nodes of the recursive procedures, and the
    // terminal reader's nodes hang under the caller's symbol. The caller consumes the terminal's
    // character and the CR after it again with the same keys: those are not added twice.
    FakeTreeHost host;
    EXPECT_EQ(Tree(host, "<A> ::= \xC8\r\n"),
              "<BNF_Typical>=12\n"
              "  <Notation>=12\n"
              "    <Space>=1\n"
              "    <Notation content>=12\n"
              "      <Label>=1\n"
              "      <Rule|Action>=12\n"
              "        <Rule>=12\n"
              "          <Nonterminal>=4\n"
              "            <\n"
              "            <Nonterminal name>=3\n"
              "              <Nonterminal character>=3\n"
              "                A\n"
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
              "          <Right part>=10\n"
              "            <Blanks>=9\n"
              "              Chr(32)\n"
              "              <Blanks>=9\n"
              "            <Grammatical symbols>=10\n"
              "              <Grammatical symbol>=10\n"
              "                <Terminals>=11\n"
              "                  <Terminal>=10\n"
              "                    <Terminal Character>=10\n"
              "                      <~-chr255>=10\n"
              "                        \xC8" "   Chr(200)\n"
              "                  <Terminal range>=11\n"
              "                    <Exit character>=11\n"
              "                      Chr(13)\n"
              "                <Terminal character>=10\n"
              "              <Blanks>=10\n"
              "              <Grammatical symbols list>=10\n"
              "          <Right parts>=12\n"
              "            Chr(10)\n"
              "        <Notation>=12\n"
              "          <Space>=12\n"
              "          <Notation content>=12\n");
}

TEST(TreeHooks, TerminalNodesHangUnderTheCallerAndEachCharacterIsShownOnce)
{
    // The terminal reader consumes a terminal and the character after it; its caller consumes
    // them again at the same indices. A key names one node, so every character of the text is
    // one leaf, the first one consumed.
    struct Case {
        std::string text;
        std::string terminal;  // the leaf texts under <Terminals>, in order
    };
    const Case cases[] = {
        {"<A> ::= x\r\n", "x Chr(13)"},
        {"<A> ::= 'ab'\r\n", "' a b ' Chr(13)"},
        {"<A> ::= ''65'' <B>\r\n", "' ' 6 5 ' ' Chr(32)"},
    };
    for (const Case& c : cases) {
        FakeTreeHost host;
        Tree(host, c.text);
        int leaves = 0;
        for (const auto& n : host.nodes)
            if (n.text.rfind('<', 0) != 0 || n.text.size() == 1) ++leaves;
        EXPECT_EQ(leaves, static_cast<int>(c.text.size())) << c.text;

        std::set<std::string> keys;
        for (const auto& n : host.nodes) EXPECT_TRUE(keys.insert(n.key).second) << n.key;

        int terminals = -1;
        for (std::size_t i = 0; i < host.nodes.size(); ++i)
            if (host.nodes[i].text == "<Terminals>") terminals = static_cast<int>(i);
        ASSERT_GE(terminals, 0);
        const auto& parent = host.nodes[static_cast<std::size_t>(host.nodes[terminals].parent)];
        EXPECT_EQ(parent.text, "<Grammatical symbol>");
        // Leaves under <Terminals>, in the order added.
        std::string under;
        for (std::size_t i = static_cast<std::size_t>(terminals) + 1; i < host.nodes.size(); ++i) {
            int up = host.nodes[i].parent;
            while (up != readers::TreeHost::NoNode && up != terminals)
                up = host.nodes[static_cast<std::size_t>(up)].parent;
            const auto& n = host.nodes[i];
            if (up == terminals && (n.text.rfind('<', 0) != 0 || n.text.size() == 1))
                under += (under.empty() ? "" : " ") + n.text;
        }
        EXPECT_EQ(under, c.terminal) << c.text;
    }
}

TEST(TreeHooks, AKeyAlreadyInTheTreeAddsNothing)
{
    FakeTreeHost host;
    host.textLength = 1000;
    host.progressMax = 1000;  // one progress step per leaf
    readers::DerivationTree tree(host);
    tree.NewNode(1, "", 1, "<S>");
    tree.NewNode(1, "<S>", 1, "<A>");
    tree.NewLeaf(1, "<A>", 1, 'a');
    tree.CompleteNode(1, "<A>", 2);
    const auto progress = host.progressValues.size();
    // <A> again at index 1: not added; what it reads goes under the first <A>, and a leaf whose
    // key is already there is neither added nor counted as progress.
    tree.NewNode(1, "<S>", 1, "<A>");
    tree.NewLeaf(1, "<A>", 1, 'a');
    EXPECT_EQ(host.progressValues.size(), progress);
    tree.NewLeaf(1, "<A>", 2, 'b');
    EXPECT_EQ(host.progressValues.size(), progress + 1);
    tree.CompleteNode(1, "<A>", 3);
    tree.CompleteNode(1, "<S>", 3);
    EXPECT_EQ(host.Outline(),
              "<S>=3\n"
              "  <A>=3\n"
              "    a\n"
              "    b\n");
}

TEST(TreeHooks, EqualKeysInNestedProceduresKeepTheirOwnParents)
{
    // "<Dec>" and "<Digit>" and the digit leaves of ''65'' and of ''6'' share indices with
    // the grammar reader's nodes; every node must still sit under the node that opened it.
    FakeTreeHost host;
    Tree(host, "<A> ::= ''65'' ''6''\r\n");
    for (std::size_t i = 1; i < host.nodes.size(); ++i) {
        const auto& n = host.nodes[i];
        ASSERT_NE(n.parent, readers::TreeHost::NoNode) << n.text;
        ASSERT_LT(n.parent, static_cast<int>(i)) << n.text;
        if (n.text == "<Dec*>" || n.text == "<Digit>")
            EXPECT_TRUE(host.nodes[static_cast<std::size_t>(n.parent)].text == "<Dec>" ||
                        host.nodes[static_cast<std::size_t>(n.parent)].text == "<Dec*>")
                << n.text;
    }
}

TEST(TreeHooks, NothingHappensWhileNoTreeIsBeingBuilt)
{
    FakeTreeHost host;
    host.treeBuilding = false;
    Tree(host, "<A> ::= x\r\n");
    EXPECT_TRUE(host.nodes.empty());
    EXPECT_EQ(host.loadTreeCalls, 0);
    EXPECT_TRUE(host.progressValues.empty());
}

TEST(TreeHooks, NoGrammarNameOpensNoTree)
{
    FakeTreeHost host;
    host.grammarName = "";
    Tree(host, "<A> ::= x\r\n");
    EXPECT_TRUE(host.nodes.empty());
    EXPECT_EQ(host.loadTreeCalls, 0);
}

TEST(TreeHooks, EmptyTextOpensTheWindowButAddsNothing)
{
    FakeTreeHost host;
    host.textLength = 0;
    readers::DerivationTree tree(host);
    tree.NewNode(1, "", 1, "<BNF_Typical>");
    tree.NewNode(1, "<BNF_Typical>", 1, "<Notation>");
    tree.NewLeaf(1, "<Notation>", 1, 'a');
    tree.CompleteNode(1, "<Notation>", 1);
    EXPECT_EQ(host.loadTreeCalls, 1);
    EXPECT_TRUE(host.nodes.empty());
    EXPECT_TRUE(host.statusTexts.empty());
}

TEST(TreeHooks, NodeLimit)
{
    FakeTreeHost host;
    // Each blank gives a <Space> node and a leaf.
    const std::string text = std::string(20000, ' ') + "\r\n";
    readers::DerivationTree tree(host);
    host.textLength = static_cast<readers::Pos>(text.size());
    std::string error;
    readers::BNF_Typical(text, error, {nullptr, nullptr, &tree});
    EXPECT_EQ(error, "");  // the reader reads on to the end
    EXPECT_EQ(host.nodes.size(), 32767u);
    EXPECT_EQ(host.progressHidden, 1);
    EXPECT_FALSE(host.treeBuilding);
    EXPECT_FALSE(host.treeAllowed);
    EXPECT_EQ(tree.InterruptMsg,
              ". TreeView Control can not support more then 32767 nodes. Process interrupted by system.");
}

TEST(TreeHooks, ProgressAndStatus)
{
    FakeTreeHost host;
    host.textLength = 100;
    host.progressMax = 100;
    readers::DerivationTree tree(host);
    tree.NewNode(1, "", 1, "<S>");
    EXPECT_DOUBLE_EQ(tree.ProgressStep, 1.0);
    EXPECT_EQ(tree.ProgressReportStep, 1000);
    for (int i = 1; i <= 3; ++i) tree.NewLeaf(1, "<S>", i, 'a');
    EXPECT_EQ(host.progressValues, (std::vector<double>{0.0001, 1, 2, 3}));
    EXPECT_EQ(host.statusTexts, (std::vector<std::string>{"2 nodes have been added"}));
    EXPECT_EQ(host.eventRuns, 1);
}

TEST(TreeHooks, HugeTextStillReportsProgress)
{
    FakeTreeHost host;
    host.textLength = 4'000'000'000LL;
    host.progressMax = 100;
    readers::DerivationTree tree(host);
    tree.NewNode(1, "", 1, "<S>");
    EXPECT_EQ(tree.ProgressReportStep, 1);
    EXPECT_GT(tree.ProgressStep, 0.0);
    // A step far below the sum's size still adds up.
    tree.ProgressSum = 50;
    const double before = tree.ProgressSum;
    tree.NewLeaf(1, "<S>", 2, 'a');
    EXPECT_GT(tree.ProgressSum, before);
}

} // namespace
