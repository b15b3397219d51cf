// Find in text: forwards, backwards, wrapping, case, and a restart after the caret moved.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "find_text.h"
#include "frmFind.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

class FindTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start();
        text().SetText("abc\r\nxx abc\r\nABC abc");
        FindText = "abc";
        FindMatchCase = true;
        FindRestart = true;
        FindWrapAnswer = 0;
    }
    RichText& text() { return active()->rtfText; }
    // Moves the caret as a click would.
    void Click(int pos)
    {
        text().SetSelStart(pos);
    }
    int Next()
    {
        FindNextInText();
        return static_cast<int>(text().SelStart());
    }
};

} // namespace

// Positions count CR LF as two: "abc" at 0, 8 and 17 (and "ABC" at 13).
TEST_F(FindTest, ForwardsThroughEveryOccurrenceThenTheMessageThenFromTheTop)
{
    FindDirection = 1;
    Click(0);
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(text().SelLength(), 3);
    EXPECT_EQ(Next(), 8);
    EXPECT_EQ(main()->Panel1Text(), "Line 2");
    EXPECT_EQ(Next(), 17);
    EXPECT_TRUE(ui_->messages.empty());
    Next();
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, "The specified region has been searched.");
    EXPECT_EQ(FindWrapAnswer, ui::Ok);
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(FindWrapAnswer, 0);
    EXPECT_TRUE(Idle);
}

TEST_F(FindTest, BackwardsFromInsideAnOccurrenceAndWrappingToTheLast)
{
    FindDirection = 2;
    Click(9);  // inside the second "abc"
    EXPECT_EQ(Next(), 0);
    Next();
    EXPECT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(Next(), 17);
    EXPECT_EQ(Next(), 8);
}

TEST_F(FindTest, MatchCaseDecidesWhetherUpperCaseIsFound)
{
    FindDirection = 1;
    FindText = "ABC";
    Click(0);
    EXPECT_EQ(Next(), 13);
    FindMatchCase = false;
    FindText = "ABC";
    Click(0);
    EXPECT_EQ(Next(), 0);
    EXPECT_EQ(Next(), 8);
    EXPECT_EQ(Next(), 13);
}

TEST_F(FindTest, AClickElsewhereRestartsTheSearchAtTheCaret)
{
    FindDirection = 1;
    Click(0);
    EXPECT_EQ(Next(), 0);
    // The user clicks after the second occurrence: the editor marks the restart.
    Click(12);
    EXPECT_TRUE(FindRestart);
    EXPECT_EQ(Next(), 17);
}

TEST_F(FindTest, FindNextWithNothingSoughtOpensTheDialog)
{
    FindText.clear();
    main()->mnuEditFindNext_Click();
    EXPECT_TRUE(frmFind::instance().isVisible());
    EXPECT_TRUE(FindOnly);
    frmFind::instance().hide();
}

TEST_F(FindTest, TheDialogTakesTheSelectionOverTheLastSearch)
{
    FindText = "old";
    text().SetSelStart(13);
    text().SetSelLength(3);
    main()->mnuEditFind_Click();
    EXPECT_EQ(frmFind::instance().txtFind->text(), "ABC");
    EXPECT_TRUE(FindRestart);
    text().SetSelStart(0);
    main()->mnuEditFind_Click();
    EXPECT_EQ(frmFind::instance().txtFind->text(), "old");
    frmFind::instance().hide();
}

TEST_F(FindTest, ReplaceTurnsTheDialogIntoItsReplaceFormAndReplaces)
{
    FindDirection = 1;
    Click(0);
    main()->mnuEditReplace_Click();
    frmFind& f = frmFind::instance();
    EXPECT_FALSE(FindOnly);
    EXPECT_EQ(f.windowTitle(), "Replace");
    f.txtFind->setText("abc");
    f.chkCase->setChecked(true);
    f.txtReplace->setText("q");
    f.cmdFind_Click();
    EXPECT_EQ(text().SelStart(), 0);
    f.cmdReplace_Click();
    EXPECT_EQ(text().Text(), "q\r\nxx abc\r\nABC abc");
    EXPECT_EQ(text().SelStart(), 6);
    f.hide();
}

TEST_F(FindTest, FindNextWaitsForATextToFind)
{
    FindText.clear();
    Click(0);
    main()->mnuEditFind_Click();
    frmFind& f = frmFind::instance();
    EXPECT_TRUE(f.txtFind->text().isEmpty());
    EXPECT_FALSE(f.cmdFind->isEnabled());
    f.txtFind->setText("abc");
    EXPECT_TRUE(f.cmdFind->isEnabled());
    f.txtFind->clear();
    EXPECT_FALSE(f.cmdFind->isEnabled());
    f.hide();
}
