// The undo store behind a grammar window: Tools/Undo and Tools/Redo of the main window bring
// back texts, notations and carets, and the toolbar buttons follow the store.
#include <QAction>
#include <QTextEdit>

#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

class UndoWindowTest : public ShellTest {
protected:
    // What a transformation does to the window: the text is replaced, in the Typical notation.
    void Transform(const std::string& text)
    {
        active()->rtfStoreAdd();
        active()->bHoldUnChanged = true;
        active()->rtfText.SetText(text);
        active()->bHoldUnChanged = false;
        active()->iGrmNotation = 1;
    }
    std::string Text() const { return active()->rtfText.Text(); }
    bool Enabled(const char* button) const { return main()->toolButton(button)->isEnabled(); }
};

TEST_F(UndoWindowTest, UndoAndRedoThroughTheToolsMenu)
{
    Start();
    ASSERT_TRUE(active());
    EXPECT_FALSE(Enabled("Undo"));
    EXPECT_FALSE(Enabled("Redo"));
    active()->rtfText.SetText("S = a b;\r\n");
    active()->iGrmNotation = 4;
    active()->rtfText.SetSelStart(3);
    active()->MarkSaved();
    Transform("<S>::=a b\r\n");
    EXPECT_EQ(main()->ButtonImage("Undo"), "Undo_Tr");
    EXPECT_TRUE(Enabled("Undo"));
    EXPECT_FALSE(Enabled("Redo"));

    main()->mnuToolsUndo_Click();
    EXPECT_EQ(Text(), "S = a b;\r\n");
    EXPECT_EQ(active()->iGrmNotation, 4);
    EXPECT_EQ(active()->rtfText.SelStart(), 3);
    EXPECT_EQ(main()->ButtonImage("Undo"), "StopUndo_Tr");
    EXPECT_EQ(main()->ButtonImage("Redo"), "Redo_Tr");
    EXPECT_FALSE(Enabled("Undo"));
    EXPECT_TRUE(main()->action("mnuToolsRedo")->isEnabled());
    EXPECT_FALSE(active()->Changed());

    main()->mnuToolsRedo_Click();
    EXPECT_EQ(Text(), "<S>::=a b\r\n");
    EXPECT_EQ(active()->iGrmNotation, 1);
    EXPECT_EQ(main()->ButtonImage("Redo"), "StopRedo_Tr");
    EXPECT_FALSE(main()->action("mnuToolsRedo")->isEnabled());
}

TEST_F(UndoWindowTest, TextTypedAfterAnUndoIsKeptByRedoAndUndo)
{
    Start();
    active()->rtfText.SetText("<S>::=a\r\n");
    Transform("<S>::=b\r\n");
    main()->mnuToolsUndo_Click();
    QPlainTextEdit* e = active()->editor;
    e->moveCursor(QTextCursor::End);
    e->insertPlainText("<T>::=c");
    const std::string typed = Text();
    main()->mnuToolsRedo_Click();
    EXPECT_EQ(Text(), "<S>::=b\r\n");
    main()->mnuToolsUndo_Click();
    EXPECT_EQ(Text(), typed);
}

} // namespace

namespace {

TEST_F(UndoWindowTest, ClosingTheLastGrammarDisablesBothButtons)
{
    Start();
    active()->rtfText.SetText("<S>::=a\r\n");
    Transform("<S>::=b\r\n");
    main()->mnuToolsUndo_Click();
    ASSERT_TRUE(Enabled("Redo"));
    active()->MarkSaved();
    ASSERT_TRUE(main()->UnloadGrammar(active()));
    EXPECT_FALSE(active());
    EXPECT_FALSE(Enabled("Undo"));
    EXPECT_FALSE(Enabled("Redo"));
    EXPECT_FALSE(main()->action("mnuToolsRedo")->isEnabled());
}

} // namespace
