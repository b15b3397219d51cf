// The open-grammar list: at most 15 windows, numbering, keys, and the window that becomes
// active when one closes.
#include <QLabel>

#include "frmSwitch.h"
#include "shell_fixture.h"

using namespace ModuleMain;

TEST_F(ShellTest, TheSixteenthGrammarIsRefused)
{
    Start();
    for (int i = 2; i <= 15; ++i) ASSERT_NE(main()->AddGrammarWindow(QString()), nullptr) << i;
    EXPECT_EQ(main()->PanelCount(), 16);
    frmGrammar* before = active();
    EXPECT_EQ(main()->AddGrammarWindow(QString()), nullptr);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, "Can't load more then 15 grammars");
    EXPECT_EQ(ui_->messages[0].title, "Tamberlix");
    EXPECT_EQ(GrammarCount, 15);
    EXPECT_EQ(active(), before);
    EXPECT_EQ(OpenGrammars(), 15);
}

TEST_F(ShellTest, OpeningAFileWithFifteenWindowsOpenLeavesEveryWindowAsItWas)
{
    Start();
    active()->rtfText.SetText("<a> ::= 'x'\r\n");
    for (int i = 2; i <= 15; ++i) main()->AddGrammarWindow(QString())->rtfText.SetText("x");
    const QString file = WriteFile("g.grm", "<b> ::= 'y'\n");
    main()->OpenGrammarFolder(file);
    EXPECT_EQ(OpenGrammars(), 15);
    EXPECT_EQ(GrammarAt(1)->rtfText.Text(), "<a> ::= 'x'\r\n");
    for (int k = 1; k <= 15; ++k) EXPECT_NE(GrammarAt(k)->Caption(), file);
    EXPECT_TRUE(Idle);
}

TEST_F(ShellTest, ClosingAWindowActivatesTheNextOpenOne)
{
    Start();
    main()->AddGrammarWindow(QString());
    main()->AddGrammarWindow(QString());
    ASSERT_EQ(GrammarCount, 3);

    // Closing grammar 2 of three makes grammar 3 active.
    ASSERT_TRUE(main()->UnloadGrammar(GrammarAt(2)));
    EXPECT_EQ(active(), GrammarAt(3));
    EXPECT_EQ(GrammarCount, 3);
    EXPECT_EQ(GrammarAt(2), nullptr);

    // Closing grammar 3 then makes grammar 1 active and drops the emptied entries.
    ASSERT_TRUE(main()->UnloadGrammar(GrammarAt(3)));
    EXPECT_EQ(active(), GrammarAt(1));
    EXPECT_EQ(GrammarCount, 1);

    ASSERT_TRUE(main()->UnloadGrammar(GrammarAt(1)));
    EXPECT_EQ(active(), nullptr);
    EXPECT_EQ(ActiveChild, nullptr);
    EXPECT_EQ(GrammarCount, 0);
    EXPECT_EQ(main()->Panel1Text(), "Ready");
    EXPECT_EQ(main()->PanelKeys(), QStringList{"Root  0"});
}

TEST_F(ShellTest, ClosingTheLastOfThreeShrinksTheCount)
{
    Start();
    main()->AddGrammarWindow(QString());
    main()->AddGrammarWindow(QString());
    ASSERT_TRUE(main()->UnloadGrammar(GrammarAt(3)));
    EXPECT_EQ(active(), GrammarAt(2));
    EXPECT_EQ(GrammarCount, 2);
    EXPECT_TRUE(main()->PanelInset("Root  2") || ActiveGrammarName == "Root  2");
}

TEST_F(ShellTest, UntitledWindowsCountAcrossTheRunAndKeysAreRightAligned)
{
    Start();
    main()->UnloadGrammar(GrammarAt(1));
    main()->AddGrammarWindow(QString());
    main()->UnloadGrammar(active());
    frmGrammar* g = main()->AddGrammarWindow(QString());
    EXPECT_EQ(g->Caption(), "Untitled 3");
    EXPECT_EQ(frmGrammar::KeyOf(7), "Root  7");
    EXPECT_EQ(frmGrammar::KeyOf(10), "Root 10");
    EXPECT_EQ(frmGrammar::KeyOf(123), "Root123");
}

TEST_F(ShellTest, TheActivePanelIsTheOnlyInsetOne)
{
    Start();
    main()->AddGrammarWindow(QString());
    main()->AddGrammarWindow(QString());
    int inset = 0;
    for (const QString& k : main()->PanelKeys()) inset += main()->PanelInset(k) ? 1 : 0;
    EXPECT_EQ(inset, 1);
    EXPECT_TRUE(main()->PanelInset("Root  3"));
    EXPECT_EQ(ActiveGrammarName, "Root  3");
    ASSERT_NE(NavWindow->Node("Root  3"), nullptr);
}

TEST_F(ShellTest, CloseAllStopsAtACancelAndKeepsTheRestOpen)
{
    Start();
    main()->AddGrammarWindow(QString());
    main()->AddGrammarWindow(QString());
    GrammarAt(2)->rtfText.SetSelText("changed");
    ASSERT_TRUE(GrammarAt(2)->Changed());
    ui_->answers = {ui::Cancel};
    main()->CloseAllGrammars();
    EXPECT_TRUE(CloseCancelled);
    EXPECT_EQ(GrammarAt(3), nullptr);
    EXPECT_NE(GrammarAt(2), nullptr);
    EXPECT_NE(GrammarAt(1), nullptr);
    EXPECT_EQ(ui_->messages.at(0).text, "Save changes to the Untitled 2?");
    CloseCancelled = false;
}

TEST_F(ShellTest, AChangedWindowWhoseSaveIsCancelledOrFailsStaysOpen)
{
    Start();
    frmGrammar* g = active();
    g->rtfText.SetSelText("<a> ::= 'x'");
    // Yes, then the Save As dialog is cancelled: the window stays with its text.
    ui_->answers = {ui::Yes};
    EXPECT_FALSE(main()->UnloadGrammar(g));
    EXPECT_EQ(GrammarAt(1), g);
    EXPECT_EQ(g->rtfText.Text(), "<a> ::= 'x'");
    EXPECT_EQ(ui_->dialogs.at(0).title, "Save Grammar As");
    CloseCancelled = false;

    // Yes, and the file cannot be written: the window stays too.
    ui_->answers = {ui::Yes};
    ui_->files = {Path("no-such-folder/a.grm")};
    EXPECT_FALSE(main()->UnloadGrammar(g));
    EXPECT_EQ(GrammarAt(1), g);
    EXPECT_TRUE(g->Changed());
    CloseCancelled = false;

    // No: it closes without saving.
    ui_->answers = {ui::No};
    EXPECT_TRUE(main()->UnloadGrammar(g));
    EXPECT_EQ(GrammarCount, 0);
}

TEST_F(ShellTest, AnUnchangedWindowClosesWithoutAQuestion)
{
    Start();
    EXPECT_TRUE(main()->UnloadGrammar(active()));
    EXPECT_TRUE(ui_->messages.empty());
}
