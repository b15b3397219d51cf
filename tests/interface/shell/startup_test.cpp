// Start-up order and the program-wide state.
#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMdiArea>

#include "frmLog.h"
#include "frmSwitch.h"
#include "shell_fixture.h"

using namespace ModuleMain;

TEST_F(ShellTest, StartValuesAreTheDefaults)
{
    SetStartValues();
    EXPECT_TRUE(Idle);
    EXPECT_TRUE(GrammarIsLL1);
    EXPECT_FALSE(FastWork);
    EXPECT_EQ(CurNotation, 1);
    EXPECT_EQ(CurLanguage, 1);
    EXPECT_EQ(RuleEnd1, "\r");
    EXPECT_EQ(RuleEnd2, "\n");
    EXPECT_EQ(ExtSource, ".grm");
    EXPECT_EQ(ExtSelect, ".tmp");
    EXPECT_EQ(TextsFont.FontName, "Courier New");
    EXPECT_EQ(static_cast<std::uint32_t>(TextsFont.FontColor), 0x80000008u);
    EXPECT_EQ(MatrixFont.FontName, "Arial");
    EXPECT_EQ(MatrixFont.FontSize, 7);
    EXPECT_EQ(ErrorFont.FontColor, 160);
    EXPECT_EQ(TrmFont.FontColor, 192 * 65536);
    EXPECT_EQ(GrayColor, RGB(192, 192, 192));
    EXPECT_EQ(RoseColor, 236 + 256 * 192 + 65536 * 192);
    EXPECT_EQ(FindDirection, 0);  // Main writes 1 last
}

TEST_F(ShellTest, MainOpensOneUntitledGrammarAndEndsInTheProgramFolder)
{
    const QString before = QDir::currentPath();
    ModuleMain::Main({});
    EXPECT_EQ(QDir::currentPath(), QDir(ModuleMain::ProgramFolder()).absolutePath());
    ASSERT_NE(MainForm, nullptr);
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(MainForm->windowTitle(), "Tamberlix");
    EXPECT_EQ(GrammarCount, 1);
    ASSERT_NE(ActiveGrammar, nullptr);
    EXPECT_EQ(ActiveGrammar->Caption(), "Untitled 1");
    EXPECT_EQ(ActiveGrammar->Tag, 1);
    EXPECT_EQ(ActiveChild, ActiveGrammar);
    EXPECT_EQ(FindDirection, 1);
    EXPECT_TRUE(DockingView);
    EXPECT_TRUE(MainForm->action("mnuWindowDocking")->isChecked());
    ASSERT_NE(NavWindow, nullptr);
    EXPECT_TRUE(MainForm->NavDock->isVisible());
    // The Process window is made at start but shown only on request.
    ASSERT_NE(LogWindow, nullptr);
    EXPECT_FALSE(MainForm->LogDock->isVisible());
    EXPECT_EQ(MainForm->PanelKeys(), (QStringList{"Root  0", "Root  1"}));
    EXPECT_TRUE(MainForm->PanelInset("Root  1"));
    EXPECT_NE(NavWindow->Node("Root  1"), nullptr);
    EXPECT_EQ(MainForm->ButtonImage("Notation"), "Typical");
    EXPECT_EQ(MainForm->ButtonImage("Build"), "bas");
    QDir::setCurrent(before);
}
