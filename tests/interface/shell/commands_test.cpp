// Command dispatch: the Idle guard of every command, the toolbar bracket, the runs of the
// toolbar buttons, the Notation and Build drop-downs and the status-bar panels.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

#include "frmFind.h"
#include "frmLog.h"
#include "pipeline.h"
#include "recent_files.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

// Records the pipeline steps the commands start; the LL(1) verdict is scripted.
class RecordingPipeline final : public Pipeline {
public:
    using Pipeline::Pipeline;
    QStringList calls;
    bool verdictLL1 = true;
    bool transformFails = false;

    void Parse(std::int32_t language) override { calls << QStringLiteral("Parse(%1)").arg(language); }
    void ParseAndReport() override { calls << "ParseAndReport"; }
    void GetNewParser(std::int32_t language) override
    {
        if (!Idle && !MainForm->LL1Run) return;
        calls << QStringLiteral("GetNewParser(%1,%2,%3)").arg(language).arg(MainForm->BuildRequested).arg(MainForm->LL1Run);
        GrammarIsLL1 = verdictLL1;
    }
    void RemoveExtraneousSymbols() override { calls << "RemoveExtraneousSymbols"; }
    void LeftFactoringStep() override { calls << "LeftFactoringStep"; }
    void RecursionLoopsStep() override { calls << "RecursionLoopsStep"; }
    void LeftRecursionStep() override { calls << "LeftRecursionStep"; }
    void BuildDerivationTree() override { calls << "BuildDerivationTree"; }
    void TryToTransformToLL1(bool& failed) override
    {
        calls << "TryToTransformToLL1";
        failed = transformFails;
    }
};

class CommandsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start();
        auto p = std::make_unique<RecordingPipeline>(*main());
        pipeline = p.get();
        main()->setPipeline(std::move(p));
    }
    RecordingPipeline* pipeline = nullptr;
};

} // namespace

// Every command marked "Idle only" does nothing while a run is in progress.
TEST_F(CommandsTest, IdleOnlyCommandsDoNothingDuringARun)
{
    const QString file = WriteFile("g.grm", "<g> ::= 'x'\n");
    active()->rtfText.SetText("<a> ::= 'b'");
    active()->rtfText.SetSelStart(0);
    active()->rtfText.SetSelLength(3);
    AppSettings().setRecentFile(1, file);
    LoadRecentFileMenu();
    FindText = "b";
    QApplication::clipboard()->setText("pasted");
    ui_->files = {file, file, file};

    struct Case {
        const char* name;
        std::function<void(frmMain&)> run;
    };
    const std::vector<Case> cases = {
        {"mnuFileNew", [](frmMain& m) { m.mnuFileNew_Click(); }},
        {"mnuFileOpen", [](frmMain& m) { m.mnuFileOpen_Click(); }},
        {"mnuFileClose", [](frmMain& m) { m.mnuFileClose_Click(); }},
        {"mnuFileCloseResults", [](frmMain& m) { m.mnuFileCloseResults_Click(); }},
        {"mnuFilePageSetup", [](frmMain& m) { m.mnuFilePageSetup_Click(); }},
        {"mnuFilePrint", [](frmMain& m) { m.mnuFilePrint_Click(); }},
        {"mnuRecentFile", [](frmMain& m) { m.mnuRecentFile_Click(1); }},
        {"mnuEditUndo", [](frmMain& m) { m.mnuEditUndo_Click(); }},
        {"mnuEditCopy", [](frmMain& m) { m.mnuEditCopy_Click(); }},
        {"mnuEditPaste", [](frmMain& m) { m.mnuEditPaste_Click(); }},
        {"mnuEditDelete", [](frmMain& m) { m.mnuEditDelete_Click(); }},
        {"mnuEditFind", [](frmMain& m) { m.mnuEditFind_Click(); }},
        {"mnuEditFindNext", [](frmMain& m) { m.mnuEditFindNext_Click(); }},
        {"mnuEditReplace", [](frmMain& m) { m.mnuEditReplace_Click(); }},
        {"mnuViewOptions", [](frmMain& m) { m.mnuViewOptions_Click(); }},
        {"mnuToolsOptions", [](frmMain& m) { m.mnuToolsOptions_Click(); }},
        {"mnuToolsUndo", [](frmMain& m) { m.mnuToolsUndo_Click(); }},
        {"mnuToolsRedo", [](frmMain& m) { m.mnuToolsRedo_Click(); }},
        {"mnuToolsExtraneous", [](frmMain& m) { m.mnuToolsExtraneous_Click(); }},
        {"mnuToolsLeftFactoring", [](frmMain& m) { m.mnuToolsLeftFactoring_Click(); }},
        {"mnuToolsRecursionLoops", [](frmMain& m) { m.mnuToolsRecursionLoops_Click(); }},
        {"mnuToolsLeftRecursion", [](frmMain& m) { m.mnuToolsLeftRecursion_Click(); }},
        {"mnuWindowNewWindow", [](frmMain& m) { m.mnuWindowNewWindow_Click(); }},
        {"mnuWindowDocking", [](frmMain& m) { m.mnuWindowDocking_Click(); }},
        {"mnuWindowCascade", [](frmMain& m) { m.mnuWindowCascade_Click(); }},
        {"mnuWindowTileHorizontal", [](frmMain& m) { m.mnuWindowTileHorizontal_Click(); }},
        {"mnuWindowTileVertical", [](frmMain& m) { m.mnuWindowTileVertical_Click(); }},
        {"mnuWindowArrangeIcons", [](frmMain& m) { m.mnuWindowArrangeIcons_Click(); }},
        {"sbStatusBar panel 0", [](frmMain& m) { m.sbStatusBar_PanelClick("Root  0"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Idle = false;
        const int grammars = OpenGrammars();
        const std::string text = active()->rtfText.Text();
        const auto selStart = active()->rtfText.SelStart();
        const auto selLength = active()->rtfText.SelLength();
        const bool docking = DockingView;
        const bool processShown = main()->ProcessDock()->isVisible();
        const size_t messages = ui_->messages.size(), dialogs = ui_->dialogs.size();
        c.run(*main());
        EXPECT_FALSE(Idle);
        EXPECT_EQ(OpenGrammars(), grammars);
        EXPECT_EQ(active()->rtfText.Text(), text);
        EXPECT_EQ(active()->rtfText.SelStart(), selStart);
        EXPECT_EQ(active()->rtfText.SelLength(), selLength);
        EXPECT_EQ(DockingView, docking);
        EXPECT_EQ(main()->ProcessDock()->isVisible(), processShown);
        EXPECT_EQ(ui_->messages.size(), messages);
        EXPECT_EQ(ui_->dialogs.size(), dialogs);
        EXPECT_EQ(ui_->printDialogs, 0);
        EXPECT_FALSE(frmFind::instance().isVisible());
        EXPECT_TRUE(pipeline->calls.isEmpty()) << pipeline->calls.join(' ').toStdString();
    }
    Idle = true;
}

TEST_F(CommandsTest, CutDuringARunCopiesButLeavesTheTextAndSelectAllStillWorks)
{
    active()->rtfText.SetText("abc def");
    active()->rtfText.SetSelStart(4);
    active()->rtfText.SetSelLength(3);
    QApplication::clipboard()->clear();
    Idle = false;
    main()->mnuEditCut_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "def");
    EXPECT_EQ(active()->rtfText.Text(), "abc def");
    main()->mnuEditSelectAll_Click();
    EXPECT_EQ(active()->rtfText.SelStart(), 0);
    EXPECT_EQ(active()->rtfText.SelLength(), 7);
    Idle = true;
    main()->mnuEditCut_Click();
    EXPECT_EQ(active()->rtfText.Text(), "");
}

// While a run is in progress, the toolbar's Notation and Tree do nothing, and every click ends
// with the bracket's state.
TEST_F(CommandsTest, TheToolbarBracketRestoresTheStateAfterEveryButton)
{
    active()->rtfText.SetText("<a> ::= 'b'");
    const QStringList keys = {"Notation", "Tree", "LL1", "Build", "Extra", "Factoring", "Loops", "Recursion",
                              "Undo", "Redo", "Delete Results", "Copy", "Find", "Unknown"};
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        FastWork = true;
        GrammarIsLL1 = false;
        ResizeEnabled = false;
        main()->ProgressBar()->setVisible(true);
        main()->tbToolBar_ButtonClick(key);
        EXPECT_TRUE(Idle);
        EXPECT_TRUE(GrammarIsLL1);
        EXPECT_TRUE(FastWork);
        EXPECT_TRUE(ResizeEnabled);
        EXPECT_FALSE(main()->LL1Run);
        EXPECT_FALSE(main()->BuildRequested);
        EXPECT_FALSE(main()->ProgressBar()->isVisible());
        frmFind::instance().hide();
    }
    FastWork = false;
}

TEST_F(CommandsTest, ToolbarRunsStartTheirPipelineSteps)
{
    active()->rtfText.SetText("<a> ::= 'b'");
    struct Case {
        const char* key;
        QStringList calls;
    };
    const std::vector<Case> cases = {
        {"Notation", {"ParseAndReport"}},
        {"Tree", {"BuildDerivationTree"}},
        {"Extra", {"RemoveExtraneousSymbols", "Parse(0)"}},
        {"Factoring", {"LeftFactoringStep", "Parse(0)"}},
        {"Loops", {"RecursionLoopsStep", "Parse(0)"}},
        {"Recursion", {"LeftRecursionStep", "Parse(0)"}},
        {"LL1", {"GetNewParser(0,0,1)"}},
        {"Build", {"GetNewParser(1,1,0)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        pipeline->calls.clear();
        main()->tbToolBar_ButtonClick(c.key);
        EXPECT_EQ(pipeline->calls, c.calls);
    }
    // A transformation leaves the grammar in the Typical notation.
    active()->iGrmNotation = 3;
    main()->tbToolBar_ButtonClick("Extra");
    EXPECT_EQ(active()->iGrmNotation, 1);
    EXPECT_EQ(main()->ButtonImage("Notation"), "Typical");
}

TEST_F(CommandsTest, ATransformationOfAnEmptyTextDoesNothing)
{
    main()->tbToolBar_ButtonClick("Extra");
    main()->mnuToolsLeftFactoring_Click();
    EXPECT_TRUE(pipeline->calls.isEmpty());
    main()->mnuTools_Click();
    EXPECT_FALSE(main()->action("mnuToolsExtraneous")->isEnabled());
    active()->rtfText.SetText("x");
    main()->mnuTools_Click();
    EXPECT_TRUE(main()->action("mnuToolsExtraneous")->isEnabled());
}

TEST_F(CommandsTest, BuildRefusesTheScriptTargetsAndStartsNoRun)
{
    for (int language : {2, 6}) {
        active()->iGrmLanguage = language;
        main()->tbToolBar_ButtonClick("Build");
    }
    EXPECT_TRUE(pipeline->calls.isEmpty());
    ASSERT_EQ(ui_->messages.size(), 2u);
    EXPECT_EQ(ui_->messages[0].text, "Sorry, 'VBScript' is not support yet");
    EXPECT_EQ(ui_->messages[1].text, "Sorry, 'JScript' is not support yet");
    active()->iGrmLanguage = 5;
    main()->tbToolBar_ButtonClick("Build");
    EXPECT_EQ(pipeline->calls, QStringList{"GetNewParser(5,1,0)"});
}

TEST_F(CommandsTest, LL1AsksOnlyForANonLL1GrammarAndTransformsOnYes)
{
    active()->GrammarName = "Expr";
    main()->tbToolBar_ButtonClick("LL1");
    EXPECT_TRUE(ui_->messages.empty());

    pipeline->verdictLL1 = false;
    ui_->answers = {ui::No};
    main()->tbToolBar_ButtonClick("LL1");
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, "<Expr> is not LL1 grammar.\r\nTry to transform <Expr> to LL1 type?");
    EXPECT_EQ(ui_->messages[0].buttons, ui::Buttons::YesNo);
    EXPECT_FALSE(main()->LL1Run);

    pipeline->calls.clear();
    ui_->answers = {ui::Yes};
    main()->tbToolBar_ButtonClick("LL1");
    EXPECT_EQ(pipeline->calls, (QStringList{"GetNewParser(0,0,1)", "TryToTransformToLL1", "GetNewParser(0,0,1)"}));
    EXPECT_TRUE(main()->LogText.find("   - Successful transformation <Expr> to LL1 type\r\n") != std::string::npos);

    pipeline->calls.clear();
    pipeline->transformFails = true;
    ui_->answers = {ui::Yes};
    main()->tbToolBar_ButtonClick("LL1");
    EXPECT_EQ(pipeline->calls, (QStringList{"GetNewParser(0,0,1)", "TryToTransformToLL1"}));
    EXPECT_EQ(ui_->messages.back().text, "Can not transform <Expr> to LL1 type");
    EXPECT_EQ(main()->Panel1Text(), "Can not transform <Expr> to LL1 type");
}

TEST_F(CommandsTest, TheHelpButtonAnswersWithItsMessage)
{
    main()->tbToolBar_ButtonClick("Help");
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, "Sorry, 'Help' button is not support yet");
    main()->mnuHelpContents_Click();
    main()->mnuHelpSearchForHelpOn_Click();
    ASSERT_EQ(ui_->messages.size(), 3u);
    EXPECT_EQ(ui_->messages[2].text,
              "Unable to display Help Contents. There is no Help associated with this project.");
}

TEST_F(CommandsTest, DeleteResultsDuringATreeBuildInterruptsIt)
{
    frmGrammar* g = active();
    Idle = false;
    g->TreeAllowed = g->TreeBuilding = true;
    main()->ProgressBar()->setVisible(true);
    main()->tbToolBar_ButtonClick("Delete Results");
    EXPECT_FALSE(g->TreeBuilding);
    EXPECT_FALSE(g->TreeAllowed);
    EXPECT_EQ(InterruptMsg, ". Process interrupted by user.");
}

TEST_F(CommandsTest, TheNotationDropDownSetsTheGrammarsNotationAndReadsItAgain)
{
    struct Case {
        int index;
        const char* image;
        const char* ruleEnd;
    };
    for (const Case& c : {Case{1, "Typical", "\r"}, Case{2, "w3c", "\r"}, Case{3, "MSDN", "\r"},
                          Case{4, "MSDN with ;", ";"}, Case{1, "Typical", "\r"}}) {
        SCOPED_TRACE(c.index);
        pipeline->calls.clear();
        main()->tbToolBar_ButtonMenuClick(12, c.index);
        EXPECT_EQ(active()->iGrmNotation, c.index);
        EXPECT_EQ(main()->ButtonImage("Notation"), c.image);
        EXPECT_EQ(RuleEnd1, c.ruleEnd);
        EXPECT_EQ(RuleEnd2, c.ruleEnd == QString("\r") ? QString("\n") : QString(";"));
        EXPECT_EQ(pipeline->calls, QStringList{"ParseAndReport"});
        EXPECT_TRUE(Idle);
    }
    EXPECT_EQ(CurNotation, 1);

    // During a run the choice is stored but nothing is read.
    pipeline->calls.clear();
    Idle = false;
    main()->tbToolBar_ButtonMenuClick(12, 2);
    EXPECT_EQ(active()->iGrmNotation, 2);
    EXPECT_TRUE(pipeline->calls.isEmpty());
}

TEST_F(CommandsTest, TheBuildDropDownSetsTheLanguageAndRunsTheAnalysis)
{
    const char* images[] = {"", "bas", "vbs", "f90", "for", "java_", "js", "pas", "cc", "cpp"};
    for (int language = 1; language <= 9; ++language) {
        SCOPED_TRACE(language);
        pipeline->calls.clear();
        ui_->messages.clear();
        main()->tbToolBar_ButtonMenuClick(25, language);
        EXPECT_EQ(active()->iGrmLanguage, language);
        EXPECT_EQ(main()->ButtonImage("Build"), images[language]);
        EXPECT_EQ(pipeline->calls, QStringList{QStringLiteral("GetNewParser(%1,0,0)").arg(language)});
        EXPECT_EQ(ui_->messages.size(), language == 2 || language == 6 ? 1u : 0u);
    }
    EXPECT_EQ(CurLanguage, 1);
}

TEST_F(CommandsTest, WithoutAGrammarTheDropDownsSetTheProgramsChoice)
{
    main()->UnloadGrammar(active());
    main()->tbToolBar_ButtonMenuClick(25, 7);
    main()->tbToolBar_ButtonMenuClick(12, 4);
    EXPECT_EQ(CurLanguage, 7);
    EXPECT_EQ(CurNotation, 4);
    EXPECT_EQ(RuleEnd1, ";");
    EXPECT_TRUE(pipeline->calls.isEmpty());
    frmGrammar* g = main()->AddGrammarWindow(QString());
    EXPECT_EQ(g->iGrmLanguage, 7);
    EXPECT_EQ(g->iGrmNotation, 4);
    EXPECT_EQ(main()->ButtonImage("Build"), "pas");
}

TEST_F(CommandsTest, QuickModeSwitchesTheImageAndFastWork)
{
    main()->tbToolBar_ButtonClick("Quick");
    EXPECT_TRUE(FastWork);
    EXPECT_EQ(main()->ButtonImage("Quick"), "Quick_green");
    main()->tbToolBar_ButtonClick("Quick");
    EXPECT_FALSE(FastWork);
    EXPECT_EQ(main()->ButtonImage("Quick"), "Quick_yellow");
    EXPECT_EQ(pipeline->calls, QStringList{"Parse(0)"});

    // With no grammar window only the image and the flag change.
    main()->UnloadGrammar(active());
    pipeline->calls.clear();
    main()->tbToolBar_ButtonClick("Quick");
    EXPECT_TRUE(FastWork);
    EXPECT_TRUE(pipeline->calls.isEmpty());
    FastWork = false;
}

TEST_F(CommandsTest, QuickModeKeepsTheSelectionAndPutsTheTextInThePlainFont)
{
    RichText& t = active()->rtfText;
    t.SetText("<a> ::= 'b'");
    t.SetSelStart(0);
    t.SetSelLength(3);
    t.SetSelColor(RGB(0, 0, 128));
    t.SetSelStart(2);
    t.SetSelLength(4);
    main()->tbToolBar_ButtonClick("Quick");
    EXPECT_EQ(t.SelStart(), 2);
    EXPECT_EQ(t.SelLength(), 4);
    t.SetSelStart(0);
    t.SetSelLength(t.TextLength());
    EXPECT_EQ(t.SelColor(), TextsFont.FontColor);
    FastWork = false;
}

TEST_F(CommandsTest, StatusPanelClicks)
{
    main()->AddGrammarWindow(QString());
    main()->sbStatusBar_PanelClick("Root  1");
    EXPECT_EQ(main()->MdiArea()->activeSubWindow(), GrammarAt(1)->subWindow());
    EXPECT_EQ(active(), GrammarAt(1));

    EXPECT_FALSE(main()->ProcessDock()->isVisible());
    main()->sbStatusBar_PanelClick("Root  0");
    EXPECT_TRUE(main()->ProcessDock()->isVisible());
    EXPECT_TRUE(main()->action("mnuViewProcess")->isChecked());
    main()->sbStatusBar_PanelClick("Root  0");
    EXPECT_FALSE(main()->ProcessDock()->isVisible());

    // Unknown numbers only lay the frame out again.
    main()->sbStatusBar_PanelClick("Root  9");
    main()->sbStatusBar_PanelClick("Root");
    EXPECT_EQ(active(), GrammarAt(1));
    EXPECT_FALSE(main()->ProcessDock()->isVisible());
}

TEST_F(CommandsTest, MenusOpenWithTheirEntriesEnabledByTheSituation)
{
    main()->mnuFile_Click();
    EXPECT_TRUE(main()->action("mnuFileClose")->isEnabled());
    EXPECT_FALSE(main()->action("mnuFileSave")->isEnabled());  // untitled, unchanged
    EXPECT_FALSE(main()->action("mnuFileSaveParser")->isEnabled());
    active()->rtfText.SetSelText("x");
    main()->mnuFile_Click();
    EXPECT_TRUE(main()->action("mnuFileSave")->isEnabled());
    active()->GrammarName = "Expr";
    main()->mnuFile_Click();
    EXPECT_EQ(main()->action("mnuFileSaveAs")->text(), "Save <Expr> grammar As");

    main()->mnuEdit_Click();
    EXPECT_TRUE(main()->action("mnuEditFind")->isEnabled());
    EXPECT_FALSE(main()->action("mnuEditCopy")->isEnabled());
    main()->mnuEditSelectAll_Click();
    main()->mnuEdit_Click();
    EXPECT_TRUE(main()->action("mnuEditCopy")->isEnabled());

    active()->MarkSaved();
    main()->UnloadGrammar(active());
    main()->mnuFile_Click();
    main()->mnuEdit_Click();
    main()->mnuWindow_Click();
    for (const char* n : {"mnuFileClose", "mnuFileSave", "mnuFileSaveAs", "mnuFilePrint", "mnuEditFind",
                          "mnuEditPaste", "mnuWindowCascade", "mnuWindowDocking"})
        EXPECT_FALSE(main()->action(n)->isEnabled()) << n;
}

TEST_F(CommandsTest, ArrangeIconsMinimizesEveryGrammarAndHidesTheProcessWindow)
{
    main()->AddGrammarWindow(QString());
    main()->mnuViewProcess_Click();
    ASSERT_TRUE(main()->ProcessDock()->isVisible());
    main()->mnuWindowArrangeIcons_Click();
    EXPECT_FALSE(main()->ProcessDock()->isVisible());
    EXPECT_TRUE(GrammarAt(1)->subWindow()->isMinimized());
    EXPECT_TRUE(GrammarAt(2)->subWindow()->isMinimized());
}

TEST_F(CommandsTest, TilingTurnsTheDockingViewOff)
{
    main()->AddGrammarWindow(QString());
    main()->mnuWindowTileVertical_Click();
    EXPECT_FALSE(DockingView);
    EXPECT_FALSE(main()->action("mnuWindowDocking")->isChecked());
    const QRect a = GrammarAt(1)->subWindow()->geometry(), b = GrammarAt(2)->subWindow()->geometry();
    EXPECT_FALSE(a.intersects(b));
    main()->mnuWindowDocking_Click();
    EXPECT_TRUE(DockingView);
}

TEST_F(CommandsTest, PrintOffersTheSelectionOnlyWhenThereIsOne)
{
    active()->rtfText.SetText("abc");
    main()->mnuFilePrint_Click();
    active()->rtfText.SetSelStart(0);
    active()->rtfText.SetSelLength(2);
    main()->mnuFilePrint_Click();
    main()->mnuFilePageSetup_Click();
    ASSERT_EQ(ui_->printRequests.size(), 3u);
    EXPECT_EQ(ui_->printRequests[0], std::make_pair(QString("Print"), false));
    EXPECT_EQ(ui_->printRequests[1], std::make_pair(QString("Print"), true));
    EXPECT_EQ(ui_->printRequests[2].first, "Page Setup");
}

TEST_F(CommandsTest, ExitWithAChangedGrammarAnsweredCancelKeepsTheProgram)
{
    active()->rtfText.SetText("<a> ::= 'x'");
    ui_->answers = {ui::Cancel};
    main()->mnuFileExit_Click();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_FALSE(CloseCancelled);
    EXPECT_EQ(OpenGrammars(), 1);
    EXPECT_EQ(active()->rtfText.Text(), "<a> ::= 'x'");
}

TEST_F(CommandsTest, TheProcessWindowKeepsItsHeightAndTheTipSaysHowToSeeIt)
{
    EXPECT_EQ(main()->Panel1()->toolTip(), "Click to see the Process window");
    EXPECT_EQ(LogHeight, 1388);
    main()->mnuViewProcess_Click();
    EXPECT_EQ(main()->Panel1()->toolTip(), "Click to hide the Process window");
    main()->ProcessDock()->resize(main()->ProcessDock()->width(), 120);
    EXPECT_EQ(LogHeight, static_cast<std::int32_t>(120 * frmMain::TwipsPerPixel()));
}

// A click during a run (the run lets events through) starts no second run and leaves the
// run's guard in place.
TEST_F(CommandsTest, ToolbarClicksDuringARunStartNothingAndKeepTheGuard)
{
    active()->rtfText.SetText("<a> ::= 'b'");
    for (const char* key : {"LL1", "Build", "Notation", "Tree", "Extra", "Undo", "Copy", "Quick", "Delete Results", "Help"}) {
        SCOPED_TRACE(key);
        Idle = false;
        GrammarIsLL1 = false;
        FastWork = false;
        main()->tbToolBar_ButtonClick(key);
        EXPECT_FALSE(Idle);
        EXPECT_FALSE(GrammarIsLL1);
        EXPECT_FALSE(main()->LL1Run);
        EXPECT_FALSE(FastWork);
        EXPECT_TRUE(pipeline->calls.isEmpty()) << pipeline->calls.join(' ').toStdString();
    }
    Idle = false;
    main()->tbToolBar_ButtonMenuClick(25, 5);
    EXPECT_EQ(active()->iGrmLanguage, 5);
    EXPECT_TRUE(pipeline->calls.isEmpty());
    EXPECT_FALSE(Idle);
    Idle = true;
    GrammarIsLL1 = true;
}

TEST_F(CommandsTest, EditCommandsActOnTheActiveChildsText)
{
    RichText& t = active()->rtfText;
    t.SetText("abc\r\ndef");
    t.SetSelStart(5);
    t.SetSelLength(3);
    main()->mnuEditCopy_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "def");
    main()->mnuEditDelete_Click();
    EXPECT_EQ(t.Text(), "abc\r\n");
    main()->mnuEditPaste_Click();
    EXPECT_EQ(t.Text(), "abc\r\ndef");
    main()->mnuEditUndo_Click();
    EXPECT_EQ(t.Text(), "abc\r\n");
    QApplication::clipboard()->setText(QString::fromUtf8("\xD1\x8F"));  // я
    main()->mnuEditPaste_Click();
    EXPECT_EQ(t.Text(), "abc\r\n\xFF");
}

TEST_F(CommandsTest, TheViewMenuTogglesTheBarsAndTheNavigationWindow)
{
    // The menu inverts the check mark as it is clicked; the command follows it.
    main()->action("mnuViewToolbar")->setChecked(false);
    main()->mnuViewToolbar_Click();
    EXPECT_FALSE(main()->ToolBar()->isVisible());
    EXPECT_FALSE(main()->GrammarToolBar()->isVisible());
    main()->action("mnuViewStatusBar")->setChecked(false);
    main()->mnuViewStatusBar_Click();
    EXPECT_FALSE(main()->statusBar()->isVisible());

    ASSERT_TRUE(main()->NavigationDock()->isVisible());
    main()->mnuViewNavigation_Click();
    EXPECT_FALSE(main()->NavigationDock()->isVisible());
    EXPECT_FALSE(main()->action("mnuViewNavigation")->isChecked());
    main()->mnuViewNavigation_Click();
    EXPECT_TRUE(main()->NavigationDock()->isVisible());
    EXPECT_TRUE(main()->action("mnuViewNavigation")->isChecked());
}

TEST_F(CommandsTest, ACheckedEntryRefusedDuringARunKeepsItsMark)
{
    Idle = false;
    main()->action("mnuWindowDocking")->trigger();
    EXPECT_TRUE(main()->action("mnuWindowDocking")->isChecked());
    EXPECT_TRUE(DockingView);
    Idle = true;
    ShowProcess = false;
    main()->action("mnuViewProcess")->trigger();
    EXPECT_FALSE(main()->action("mnuViewProcess")->isChecked());
    ShowProcess = true;
}

// The commands follow the active window as it changes, before any menu is opened: closing the
// last grammar leaves nothing that acts on one enabled, and a new grammar enables them again.
TEST_F(CommandsTest, TheCommandsFollowTheActiveWindowWithoutAMenuOpened)
{
    const char* const grammarCommands[] = {"mnuFileClose", "mnuFilePrint", "mnuWindowCascade", "mnuWindowTileVertical"};
    main()->show();
    main()->UnloadGrammar(active());
    QApplication::processEvents();
    for (const char* name : grammarCommands) EXPECT_FALSE(main()->action(name)->isEnabled()) << name;
    main()->AddGrammarWindow(QString());
    QApplication::processEvents();
    for (const char* name : grammarCommands) EXPECT_TRUE(main()->action(name)->isEnabled()) << name;
}
