// The Tree command: the grammar's own text read with the tree hooks on, a click on a node
// selecting the text it derives, a second build replacing the first, closing the tree.
#include <QApplication>
#include <QLabel>
#include <QTextEdit>
#include <QMdiSubWindow>
#include <QTreeWidget>

#include "frmRemTree.h"
#include "frmSwitch.h"
#include "frmTree.h"
#include "processing_fixture.h"

using namespace ModuleMain;

namespace {

const std::string grammar = "<S>::=a<T>\r\n<T>::=bc\r\n";

class DerivationTreeTest : public WorkspaceTest {
protected:
    frmTree* Tree() const { return active()->DerivTree; }
    // The first node whose text is this, in the order the nodes were added.
    QTreeWidgetItem* Node(const QString& text) const
    {
        for (int i = 0; i < Tree()->NodeCount(); ++i)
            if (Tree()->NodeAt(i)->text(0) == text) return Tree()->NodeAt(i);
        return nullptr;
    }
    std::string Selected() const { return active()->rtfText.SelText(); }
};

TEST_F(DerivationTreeTest, TreeButtonBuildsTheTreeAndReportsItsNodes)
{
    StartWith(grammar);
    main()->tbToolBar_ButtonClick("Tree");
    ASSERT_TRUE(Tree());
    const int n = Tree()->NodeCount();
    EXPECT_GT(n, 10);
    EXPECT_EQ(main()->Panel1Text(), QString::number(n) + " nodes have been added");
    EXPECT_NE(main()->LogText.find("   - " + std::to_string(n) + " nodes have been added\r\n"), std::string::npos);
    EXPECT_FALSE(active()->bShowTree);
    EXPECT_FALSE(active()->bNoTree);
    EXPECT_EQ(Tree()->windowTitle(), "Sample - Derivation tree");
    EXPECT_EQ(Tree()->Tag, "Root  1Tre  1");
    // Its window carries the tree's own picture, as the navigation window shows it.
    auto* sub = qobject_cast<QMdiSubWindow*>(Tree()->parentWidget());
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->windowIcon().cacheKey(), frmSwitch::Image("Tree").cacheKey());
    // Never parsed: the grammar is read once for its name, then for the tree.
    EXPECT_EQ(reading_->parses, 2);
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(DerivationTreeTest, NodeClickSelectsTheDerivedText)
{
    StartWith(grammar);
    main()->tbToolBar_ButtonClick("Tree");
    ASSERT_TRUE(Tree());
    struct Case {
        QString node;
        std::string selected;
        int line;
    };
    // A leaf selects its one character; a completed node all it derives.
    const Case cases[] = {{"b", "b", 2}, {"<", "<", 1}};
    for (const Case& c : cases) {
        QTreeWidgetItem* node = Node(c.node);
        ASSERT_TRUE(node) << c.node.toStdString();
        Tree()->TView_NodeClick(node);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(main()->Panel1Text(), QStringLiteral("Line %1").arg(c.line));
    }
    // Every completed nonterminal node selects a stretch that starts where its key says.
    int completed = 0;
    for (int i = 0; i < Tree()->NodeCount(); ++i) {
        QTreeWidgetItem* node = Tree()->NodeAt(i);
        if (frmTree::TagOf(node).isEmpty()) continue;
        ++completed;
        Tree()->TView_NodeClick(node);
        const std::size_t start = frmTree::KeyOf(node).mid(7, 6).trimmed().toULong() - 1;
        const std::size_t end = frmTree::TagOf(node).toULong() - 1;
        EXPECT_EQ(active()->rtfText.SelStart(), static_cast<long>(start));
        // A stretch that ends between CR and LF selects the line end whole or not at all.
        if (end >= 1 && end <= grammar.size() && grammar[end - 1] == '\r') continue;
        EXPECT_EQ(Selected(), grammar.substr(start, end - start));
    }
    EXPECT_GT(completed, 2);
    // The whole-text node selects the whole text.
    Tree()->TView_NodeClick(Tree()->NodeAt(0));
    EXPECT_EQ(Selected(), active()->rtfText.Text().substr(0, Selected().size()));
    EXPECT_GE(Selected().size(), grammar.size() - 2);
}

TEST_F(DerivationTreeTest, NodeClickDoesNothingWhileARunIsOn)
{
    StartWith(grammar);
    main()->tbToolBar_ButtonClick("Tree");
    ASSERT_TRUE(Tree());
    active()->rtfText.SetSelStart(0);
    Idle = false;
    Tree()->TView_NodeClick(Node("b"));
    Idle = true;
    EXPECT_EQ(active()->rtfText.SelLength(), 0);
}

TEST_F(DerivationTreeTest, SecondBuildClosesTheFirstTree)
{
    StartWith(grammar);
    main()->tbToolBar_ButtonClick("Tree");
    QPointer<frmTree> first = Tree();
    ASSERT_TRUE(first);
    const int n = first->NodeCount();
    main()->tbToolBar_ButtonClick("Tree");
    QApplication::processEvents();
    EXPECT_FALSE(first);
    ASSERT_TRUE(Tree());
    EXPECT_EQ(Tree()->NodeCount(), n);
}

TEST_F(DerivationTreeTest, TreeWorksOnItsOwnGrammarWhileAnotherIsActive)
{
    StartWith(grammar);
    frmGrammar* first = active();
    main()->tbToolBar_ButtonClick("Tree");
    QPointer<frmTree> tree = first->DerivTree;
    ASSERT_TRUE(tree);
    frmGrammar* second = main()->AddGrammarWindow(QString());
    ASSERT_TRUE(second);
    second->rtfText.SetText("<X>::=q\r\n");
    ASSERT_EQ(active(), second);
    QTreeWidgetItem* b = nullptr;
    for (int i = 0; i < tree->NodeCount() && !b; ++i)
        if (tree->NodeAt(i)->text(0) == "b") b = tree->NodeAt(i);
    ASSERT_TRUE(b);
    tree->TView_NodeClick(b);
    EXPECT_EQ(first->rtfText.SelText(), "b");
    EXPECT_EQ(second->rtfText.SelLength(), 0);
    first->CloseTree();
    QApplication::processEvents();
    EXPECT_FALSE(tree);
    EXPECT_TRUE(first->bNoTree);
    EXPECT_FALSE(first->DerivTree);
    second->MarkSaved();
}

TEST_F(DerivationTreeTest, ClosingRemovesTheNodesAndAllowsANewTree)
{
    StartWith(grammar);
    main()->tbToolBar_ButtonClick("Tree");
    QPointer<frmTree> tree = Tree();
    ASSERT_TRUE(tree);
    active()->rtfText.SetSelStart(12);
    active()->CloseTree();
    QApplication::processEvents();
    EXPECT_FALSE(tree);
    EXPECT_FALSE(active()->DerivTree);
    EXPECT_TRUE(active()->bNoTree);
    EXPECT_EQ(main()->Panel1Text(), "Line 2");
}

TEST_F(DerivationTreeTest, TreeViewLimitEndsTheBuildWithAMessage)
{
    std::string big;
    for (int i = 0; i < 2200; ++i) big += "<S" + std::to_string(i) + ">::=abcdefgh\r\n";
    StartWith(big);
    main()->tbToolBar_ButtonClick("Tree");
    ASSERT_TRUE(Tree());
    EXPECT_EQ(Tree()->NodeCount(), 32767);
    const QString report = QStringLiteral("32767 nodes have been added") + QLatin1String(readers::TreeLimitMessage);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, report);
    EXPECT_NE(main()->LogText.find(report.toStdString() + "\r\n"), std::string::npos);
    // The stop also refuses a second build until this tree is closed.
    EXPECT_FALSE(active()->bNoTree);
}

TEST_F(DerivationTreeTest, LargeTreeIsRemovedWithProgress)
{
    std::string big;
    for (int i = 0; i < 400; ++i) big += "<S" + std::to_string(i) + ">::=abcdefgh\r\n";
    StartWith(big);
    main()->tbToolBar_ButtonClick("Tree");
    ASSERT_TRUE(Tree());
    const int n = Tree()->NodeCount();
    ASSERT_GT(n, 6000);
    QPointer<frmTree> tree = Tree();
    // What the progress window and the status bar show each time the removal lets events run.
    std::vector<QString> shown;
    auto probe = std::make_unique<ProbeUi>();
    probe->onEvents = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* rem = qobject_cast<frmRemTree*>(w); rem && rem->isVisible())
                shown.push_back(rem->windowTitle() + " | " + rem->Label1->text() + " | " + main()->Panel1Text());
    };
    ui::SetUi(std::move(probe));
    ui_ = nullptr;
    active()->CloseTree();
    QApplication::processEvents();
    std::vector<QString> expected;
    for (int index = n - 2999; index >= 1; index -= 3000) {
        const QString remain = QString::number(index) + " nodes remain to remove";
        expected.push_back("<Sample> - removing derivation tree | " + remain + " | " + remain);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(tree);
    EXPECT_TRUE(active()->bNoTree);
    EXPECT_EQ(main()->Panel1Text(), "Line 1");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<frmRemTree*>(w) && w->isVisible());
}

} // namespace

namespace {

// Through the program's own reading and the engine library.
TEST_F(DerivationTreeTest, ProgramReadingFillsTheTree)
{
    Start();
    active()->rtfText.SetText(grammar);
    active()->MarkSaved();
    main()->tbToolBar_ButtonClick("Tree");
    EXPECT_EQ(active()->GrammarName, "S");
    ASSERT_TRUE(Tree());
    EXPECT_GT(Tree()->NodeCount(), 10);
    EXPECT_NE(main()->LogText.find(std::to_string(Tree()->NodeCount()) + " nodes have been added"), std::string::npos);
    Tree()->TView_NodeClick(Node("b"));
    EXPECT_EQ(Selected(), "b");
    // After an edit the positions no longer hold: a click changes neither selection nor status.
    active()->rtfText.SetSelStart(0);
    active()->editor->insertPlainText("x");
    const QString status = main()->Panel1Text();
    const auto caret = active()->rtfText.SelStart();
    Tree()->TView_NodeClick(Node("b"));
    EXPECT_EQ(active()->rtfText.SelStart(), caret);
    EXPECT_EQ(active()->rtfText.SelLength(), 0);
    EXPECT_EQ(main()->Panel1Text(), status);
    EXPECT_EQ(NavWindow->NodeColour(Tree()->Tag), GrayColor);
}

} // namespace
