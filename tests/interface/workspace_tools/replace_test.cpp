// Find and replace through the Edit menu and the dialog: what each press of Replace replaces,
// which selections it leaves alone, and the colouring of a replaced grammar line.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "frmFind.h"
#include "frmLog.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

class ReplaceTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start();
        FindDirection = 1;
        FindWrapAnswer = 0;
    }
    RichText& text() { return active()->rtfText; }
    frmFind& dialog() { return frmFind::instance(); }
    std::string Selected() { return text().SelText(); }
};

struct Case {
    const char* name;
    std::string text;
    int selStart, selLength;  // the user's selection before Edit/Replace
    const char* find;         // typed into the dialog after it opened ("" keeps what it shows)
    const char* replacement;
    bool matchCase;
    int presses;
    std::string after;
    int afterSelStart, afterSelLength;
};

const Case cases[] = {
    // No selection: the first press only finds, each later press replaces and finds the next.
    {"find then replace", "abc x abc y abc", 0, 0, "abc", "Q", true, 1, "abc x abc y abc", 0, 3},
    {"two replaced", "abc x abc y abc", 0, 0, "abc", "Q", true, 3, "Q x Q y abc", 8, 3},
    {"all replaced", "abc x abc y abc", 0, 0, "abc", "Q", true, 4, "Q x Q y Q", 9, 0},
    // The user's selection of an occurrence is replaced by the first press.
    {"selected occurrence", "abc x abc", 6, 3, "", "Z", true, 1, "abc x Z", 7, 0},
    // A selection that is not the searched text stays as it is.
    {"other selection kept", "abc x abc", 4, 1, "abc", "Z", true, 1, "abc x abc", 6, 3},
    {"case differs", "ABC x abc", 0, 3, "abc", "Z", true, 1, "ABC x abc", 6, 3},
    {"case ignored", "ABC x abc", 0, 3, "abc", "Z", false, 1, "Z x abc", 4, 3},
    // An empty replacement deletes the occurrence.
    {"empty replacement", "abc x abc", 0, 3, "", "", true, 1, " x abc", 3, 3},
    // Replacing an occurrence by itself changes nothing and finds the next one.
    {"same text", "abc x abc", 0, 3, "", "abc", true, 1, "abc x abc", 6, 3},
};

TEST_F(ReplaceTest, Sequences)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        text().SetText(c.text);
        text().SetSelStart(c.selStart);
        text().SetSelLength(c.selLength);
        FindMatchCase = c.matchCase;
        dialog().chkCase->setChecked(c.matchCase);
        main()->mnuEditReplace_Click();
        EXPECT_EQ(dialog().windowTitle(), "Replace");
        EXPECT_TRUE(dialog().txtReplace->isVisibleTo(&dialog()));
        EXPECT_TRUE(dialog().Label2->isVisibleTo(&dialog()));
        if (*c.find) dialog().txtFind->setText(c.find);
        dialog().txtReplace->setText(c.replacement);
        for (int i = 0; i < c.presses; ++i) dialog().cmdReplace_Click();
        EXPECT_EQ(text().Text(), c.after);
        EXPECT_EQ(text().SelStart(), c.afterSelStart);
        EXPECT_EQ(text().SelLength(), c.afterSelLength);
        EXPECT_TRUE(Idle);
        ui_->messages.clear();
        FindWrapAnswer = 0;
    }
}

TEST_F(ReplaceTest, EditFindOpensTheFindFormAndTheFirstPressOnlySwitchesToReplace)
{
    text().SetText("abc x abc");
    text().SetSelStart(0);
    text().SetSelLength(3);
    main()->mnuEditFind_Click();
    EXPECT_EQ(dialog().windowTitle(), "Find");
    EXPECT_FALSE(dialog().Label2->isVisibleTo(&dialog()));
    dialog().txtReplace->setText("Z");
    dialog().cmdReplace_Click();
    EXPECT_EQ(dialog().windowTitle(), "Replace");
    EXPECT_EQ(text().Text(), "abc x abc");
    dialog().cmdReplace_Click();
    EXPECT_EQ(text().Text(), "Z x abc");
}

TEST_F(ReplaceTest, ReplacedGrammarLineIsColouredAgainAndItsErrorMarked)
{
    FastWork = false;
    TextsFont.FontColor = RGB(0, 0, 0);
    NtmFont.FontColor = RGB(0, 0, 255);
    TrmFont.FontColor = RGB(0, 128, 0);
    ErrorFont.FontColor = RGB(255, 0, 0);
    active()->iGrmNotation = 1;
    text().SetText("<S>::=a<T>\r\n<T>::=b\r\n");
    auto colourAt = [&](int pos) {
        text().SetSelStart(pos);
        text().SetSelLength(1);
        return text().SelColor().value_or(-1);
    };
    // "a" of the first line becomes the nonterminal "<U>".
    text().SetSelStart(6);
    text().SetSelLength(1);
    FindMatchCase = true;
    main()->mnuEditReplace_Click();
    dialog().txtFind->setText("a");
    dialog().txtReplace->setText("<U>");
    dialog().cmdReplace_Click();
    EXPECT_EQ(text().Text(), "<S>::=<U><T>\r\n<T>::=b\r\n");
    EXPECT_EQ(colourAt(7), RGB(0, 0, 255));
    EXPECT_TRUE(active()->Changed());

    // "::=" of the second line becomes a blank, a syntax error at "b": the line takes the text
    // font up to the error column and the error font from there to its end.
    text().SetSelStart(17);
    text().SetSelLength(3);
    dialog().txtFind->setText("::=");
    dialog().txtReplace->setText(" ");
    dialog().cmdReplace_Click();
    EXPECT_EQ(text().Text(), "<S>::=<U><T>\r\n<T> b\r\n");
    EXPECT_EQ(colourAt(14), RGB(0, 0, 0));
    EXPECT_EQ(colourAt(17), RGB(0, 0, 0));
    EXPECT_EQ(colourAt(18), RGB(255, 0, 0));
    // The first line is not touched by the second replacement.
    EXPECT_EQ(colourAt(7), RGB(0, 0, 255));
}

TEST_F(ReplaceTest, TextOfAnotherWindowIsReplacedButNotColouredAsAGrammar)
{
    FastWork = false;
    NtmFont.FontColor = RGB(0, 0, 255);
    main()->ShowProcessWindow();
    ASSERT_TRUE(LogWindow);
    RichText& log = LogWindow->rtfText;
    log.SetText("<S>::=a\r\n");
    log.SetSelStart(6);
    log.SetSelLength(1);
    const std::int32_t before = log.SelColor().value_or(-1);
    ActiveChild = LogWindow;
    FindMatchCase = true;
    main()->mnuEditReplace_Click();
    dialog().txtFind->setText("a");
    dialog().txtReplace->setText("<U>");
    dialog().cmdReplace_Click();
    EXPECT_EQ(log.Text(), "<S>::=<U>\r\n");
    log.SetSelStart(0);
    log.SetSelLength(1);
    EXPECT_EQ(log.SelColor().value_or(-2), before);
}

} // namespace
