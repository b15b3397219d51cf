// Start-up order and the program-wide state.
#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMdiArea>
#include <QScreen>
#include <QSettings>

#include "readers.h"
#include "string_table.h"

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
    EXPECT_TRUE(MainForm->NavigationDock()->isVisible());
    // The Process window is made at start but shown only on request.
    ASSERT_NE(LogWindow, nullptr);
    EXPECT_FALSE(MainForm->ProcessDock()->isVisible());
    EXPECT_EQ(MainForm->PanelKeys(), (QStringList{"Root  0", "Root  1"}));
    EXPECT_TRUE(MainForm->PanelInset("Root  1"));
    EXPECT_NE(NavWindow->Node("Root  1"), nullptr);
    EXPECT_EQ(MainForm->ButtonImage("Notation"), "Typical");
    EXPECT_EQ(MainForm->ButtonImage("Build"), "bas");
    QDir::setCurrent(before);
}

TEST_F(ShellTest, ADamagedStoredRectangleGivesTheDefaultsAndAWindowOnTheScreen)
{
    {
        QSettings s(iniFile_, QSettings::IniFormat);
        s.setValue("Settings/MainLeft", "abc");
        s.setValue("Settings/MainTop", "99999999999");
        s.setValue("Settings/MainWidth", "-5");
        s.setValue("Settings/MainHeight", "");
    }
    EXPECT_EQ(AppSettings().mainRect(), QRect(300, 240, 11500, 8200));
    Start();
    const QRect screen = MainForm->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(MainForm->geometry().topLeft()));
}

TEST_F(ShellTest, ARectangleOffEveryScreenIsBroughtBack)
{
    AppSettings().setMainRect(QRect(-90000, 200000, 11500, 8200));
    Start();
    const QRect screen = MainForm->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(MainForm->geometry()));
    EXPECT_TRUE(screen.contains(MainForm->pos()));
}

TEST_F(ShellTest, TheRectangleIsStoredOnCloseUnlessMinimized)
{
    AppSettings().setMainRect(QRect(600, 480, 9000, 6000));
    Start();
    const double t = frmMain::TwipsPerPixel();
    EXPECT_EQ(MainForm->pos(), QPoint(qRound(600 / t), qRound(480 / t)));
    MainForm->resize(qRound(9600 / t), qRound(6600 / t));
    MainForm->close();
    EXPECT_EQ(AppSettings().mainRect().size(), QSize(9600, 6600));

    AppSettings().setMainRect(QRect(1, 2, 3000, 4000));
    Start();
    MainForm->showMinimized();
    MainForm->close();
    EXPECT_EQ(AppSettings().mainRect(), QRect(1, 2, 3000, 4000));
}

TEST_F(ShellTest, TheCommandLineFileIsOpenedAtStart)
{
    const QString file = WriteFile("start.grm", "<s> ::= 'x'\n");
    Start({file});
    EXPECT_EQ(GrammarCount, 1);
    EXPECT_EQ(ActiveGrammar->Caption(), file);
    EXPECT_EQ(ActiveGrammar->rtfText.Text(), "<s> ::= 'x'\r\n");
}

TEST_F(ShellTest, ABlankCommandLineOpensNothing)
{
    Start({" "});
    EXPECT_EQ(ActiveGrammar->Caption(), "Untitled 1");
    EXPECT_TRUE(ui_->messages.empty());
}

TEST(CommandLine, BlanksAndTabsSeparateQuotesAreKept)
{
    EXPECT_EQ(frmMain::GetCommandLine("a  b\tc"), (QStringList{"", "a", "b", "c"}));
    EXPECT_EQ(frmMain::GetCommandLine("\"x y\""), (QStringList{"", "\"x", "y\""}));
    EXPECT_EQ(frmMain::GetCommandLine("1 2 3", 2), (QStringList{"", "1", "2"}));
    EXPECT_EQ(frmMain::GetCommandLine(" "), QStringList{""});
}

TEST_F(ShellTest, TheExampleGrammarIsATypicalGrammarTheReaderAccepts)
{
    const std::string text = ReadFile(SHELL_EXAMPLES "/expression.grm");
    ASSERT_FALSE(text.empty());
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    readers::RecordingBuilder builder;
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::Typical, crlf, error, {&builder}), readers::ReadStatus::Read)
        << error;
}

TEST(StringTable, TextsByIdAndFormsTakeThem)
{
    EXPECT_EQ(LoadResString(1000), "&File");
    EXPECT_EQ(LoadResString(1036), "&About ");
    EXPECT_EQ(LoadResString(1102), "&Save Grammar&&Parser");
    EXPECT_EQ(LoadResString(20), "");
    EXPECT_EQ(LoadResString(1103), "");
    QWidget form;
    form.setProperty("tag", 1059);
    auto* label = new QLabel("design", &form);
    label->setProperty("tag", 1063);
    label->setProperty("tip", 1053);
    auto* keep = new QLabel("design", &form);
    keep->setProperty("tag", 21);
    LoadFormStrings(&form);
    EXPECT_EQ(form.windowTitle(), "Options");
    EXPECT_EQ(label->text(), "Fonts");
    EXPECT_EQ(label->toolTip(), "Warning");
    EXPECT_EQ(keep->text(), "design");
}

TEST(StringTable, LocaleFonts)
{
    QFont f("Courier New", 10);
    EXPECT_EQ(PickLocaleFont(f, 1049), 204);
    EXPECT_EQ(f.family(), "Courier New");
    EXPECT_EQ(PickLocaleFont(f, 1041), 128);
    EXPECT_EQ(f.pointSize(), 9);
    EXPECT_EQ(PickLocaleFont(f, 1033), 0);
    EXPECT_EQ(f.pointSize(), 9);
    EXPECT_EQ(PickLocaleFont(f, 9999), 1);
    EXPECT_EQ(f.pointSize(), 8);
}

TEST_F(ShellTest, ARelativeCommandLineFileMeansTheFolderTheProgramStartedIn)
{
    WriteFile("rel.grm", "<r> ::= 'x'\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(Path(""));
    Start({"rel.grm"});
    EXPECT_EQ(ActiveGrammar->Caption(), QDir(Path("")).absoluteFilePath("rel.grm"));
    EXPECT_EQ(ActiveGrammar->rtfText.Text(), "<r> ::= 'x'\r\n");
    QDir::setCurrent(before);
}

TEST_F(ShellTest, TheOptionsTextIsKeptAsWrittenAndMissingIsNotEmpty)
{
    EXPECT_EQ(AppSettings().options(), std::nullopt);
    AppSettings().setOptions("1,0,-1,");
    EXPECT_EQ(AppSettings().options(), QString("1,0,-1,"));
    AppSettings().setOptions("");
    EXPECT_EQ(AppSettings().options(), QString(""));
}

TEST_F(ShellTest, AMissingCommandLineFileIsReportedWithTheSplashGone)
{
    Start({Path("missing.grm")});
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.contains("missing.grm"));
    EXPECT_FALSE(ui_->messages[0].overSplash);
}
