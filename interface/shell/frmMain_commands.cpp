// Every menu entry, toolbar button and status-bar panel click of the main window. Commands that
// would start work or change text do nothing while a run is in progress (Idle false).
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>
#include <QToolBar>
#include <QUrl>
#include <memory>

#include "cp1251.h"
#include "dialogs.h"
#include "find_text.h"
#include "frmFind.h"
#include "frmGrammar.h"
#include "frmLog.h"
#include "frmMain.h"
#include "frmSwitch.h"
#include "language_table.h"
#include "module_main.h"
#include "pipeline.h"
#include "recent_files.h"
#include "run_guard.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

QString timeOfDay() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }

void bringToFront(frmGrammar* g)
{
    if (g && g->subWindow()) g->subWindow()->raise();
}

void refuseScriptTarget(int language)
{
    if (language == 2 || language == 6)
        ui::Ui().messageBox(language == 2 ? QStringLiteral("Sorry, 'VBScript' is not support yet")
                                          : QStringLiteral("Sorry, 'JScript' is not support yet"),
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::None);
}

} // namespace

// ---- menus opened ----

void frmMain::mnuTools_Click()
{
    if (!Idle) return;
    frmGrammar* g = ActiveGrammar;
    for (QAction* a :
         {cmd_.mnuToolsExtraneous, cmd_.mnuToolsLeftFactoring, cmd_.mnuToolsRecursionLoops, cmd_.mnuToolsLeftRecursion})
        a->setEnabled(g && !g->TextEmpty());
    if (!g) {
        cmd_.mnuToolsUndo->setEnabled(false);
        cmd_.mnuToolsRedo->setEnabled(false);
    } else {
        g->SetButtonValue();
    }
}

void frmMain::mnuEdit_Click()
{
    if (!Idle) return;
    if (!ActiveGrammar || !ActiveChild || !ActiveChild->rtf()) {
        for (QAction* a : {cmd_.mnuEditUndo, cmd_.mnuEditCopy, cmd_.mnuEditCut, cmd_.mnuEditPaste, cmd_.mnuEditDelete,
                           cmd_.mnuEditSelectAll, cmd_.mnuEditFind, cmd_.mnuEditFindNext, cmd_.mnuEditReplace})
            a->setEnabled(false);
        return;
    }
    RichText* t = ActiveChild->rtf();
    cmd_.mnuEditUndo->setEnabled(t->document()->isUndoAvailable());
    cmd_.mnuEditPaste->setEnabled(!QApplication::clipboard()->text().isEmpty());
    const bool empty = t->TextLength() == 0;
    for (QAction* a : {cmd_.mnuEditSelectAll, cmd_.mnuEditFind, cmd_.mnuEditFindNext, cmd_.mnuEditReplace})
        a->setEnabled(!empty);
    const bool selection = !empty && t->SelLength() > 0;
    for (QAction* a : {cmd_.mnuEditCopy, cmd_.mnuEditCut, cmd_.mnuEditDelete}) a->setEnabled(selection);
}

void frmMain::mnuWindow_Click()
{
    for (QAction* a : {cmd_.mnuWindowDocking, cmd_.mnuWindowCascade, cmd_.mnuWindowTileHorizontal,
                       cmd_.mnuWindowTileVertical, cmd_.mnuWindowArrangeIcons})
        a->setEnabled(ActiveGrammar != nullptr);
}

// Every command's enabling from the active window and its text; each menu refreshes its own
// part again as it opens.
void frmMain::updateActions()
{
    mnuFile_Click();
    mnuEdit_Click();
    mnuTools_Click();
    mnuWindow_Click();
}

// ---- File ----

void frmMain::mnuFileNew_Click()
{
    if (Idle) AddGrammarWindow(QString());
}

void frmMain::mnuWindowNewWindow_Click() { mnuFileNew_Click(); }

void frmMain::mnuFileClose_Click()
{
    if (Idle && ActiveGrammar) UnloadGrammar(ActiveGrammar);
    CloseCancelled = false;
}

void frmMain::mnuFileCloseResults_Click()
{
    if (!Idle || !ActiveGrammar) return;
    frmGrammar* g = ActiveGrammar;
    g->TreeBuilding = false;
    g->CloseTree();
    g->CloseAllDocuments();
    g->CloseAllGrids();
    if (NavWindow) NavWindow->SetNodeImage(ActiveGrammarName, QStringLiteral("Grammar1"));
    WinOnTop(g);
}

void frmMain::mnuFileExit_Click() { close(); }

void frmMain::mnuRecentFile_Click(int index)
{
    if (!Idle || index < 1 || index >= static_cast<int>(mnuRecentFile.size())) return;
    OpenGrammarFolder(mnuRecentFile[static_cast<size_t>(index)]->text());
    LoadRecentFileMenu();
}

void frmMain::mnuFilePrint_Click()
{
    if (!Idle || !ActiveChild || !ActiveChild->rtf()) return;
    RichText* t = ActiveChild->rtf();
    const bool selection = t->SelLength() > 0;
    if (!ui::Ui().printDialog(Printer(), QStringLiteral("Print"), selection)) return;
    if (selection && Printer().printRange() == QPrinter::Selection) {
        QTextDocument part;
        part.setDefaultFont(t->document()->defaultFont());
        part.setPlainText(cp1251::toUnicode(t->SelText()));
        part.print(&Printer());
    } else {
        // The colours are laid over the view, not held by the document's characters.
        const std::unique_ptr<QTextDocument> whole = t->Flattened();
        whole->print(&Printer());
    }
}

void frmMain::mnuFilePageSetup_Click()
{
    if (Idle) ui::Ui().printDialog(Printer(), QStringLiteral("Page Setup"), false);
}

// ---- Edit ----

void frmMain::mnuEditUndo_Click()
{
    if (Idle && ActiveGrammar && ActiveGrammar->editor->document()->isUndoAvailable()) ActiveGrammar->editor->undo();
}

void frmMain::mnuEditCut_Click()
{
    if (!ActiveChild || !ActiveChild->rtf()) return;
    RichText* t = ActiveChild->rtf();
    QApplication::clipboard()->setText(cp1251::toUnicode(t->SelText()));
    if (Idle) t->SetSelText("");
}

void frmMain::mnuEditCopy_Click()
{
    if (Idle && ActiveChild && ActiveChild->rtf())
        QApplication::clipboard()->setText(cp1251::toUnicode(ActiveChild->rtf()->SelText()));
}

void frmMain::mnuEditPaste_Click()
{
    if (Idle && ActiveChild && ActiveChild->rtf())
        ActiveChild->rtf()->SetSelText(cp1251::fromUnicode(QApplication::clipboard()->text()));
}

void frmMain::mnuEditDelete_Click()
{
    if (Idle && ActiveChild && ActiveChild->rtf()) ActiveChild->rtf()->SetSelText("");
}

void frmMain::mnuEditSelectAll_Click()
{
    if (!ActiveChild || !ActiveChild->rtf()) return;
    RichText* t = ActiveChild->rtf();
    t->SetSelStart(0);
    t->SetSelLength(t->TextLength());
}

void frmMain::mnuEditFind_Click()
{
    if (!Idle || !ActiveChild || !ActiveChild->rtf()) return;
    frmFind& f = frmFind::instance();
    const std::string sel = ActiveChild->rtf()->SelText();
    f.txtFind->setText(sel.empty() ? FindText : cp1251::toUnicode(sel));
    FindRestart = true;
    FindOnly = true;
    if (FindMatchCase) f.chkCase->setChecked(true);
    f.ShowFind();
}

void frmMain::mnuEditFindNext_Click()
{
    if (!Idle) return;
    if (FindText.isEmpty()) mnuEditFind_Click();
    else FindNextInText();
}

void frmMain::mnuEditReplace_Click()
{
    if (!Idle) return;
    mnuEditFind_Click();
    if (ActiveChild) frmFind::instance().cmdReplace_Click();
}

// ---- View ----

void frmMain::mnuViewToolbar_Click()
{
    const bool shown = cmd_.mnuViewToolbar->isChecked();
    tbToolBar->setVisible(shown);
    tbToolBar2->setVisible(shown);
}

void frmMain::mnuViewStatusBar_Click() { statusBar()->setVisible(cmd_.mnuViewStatusBar->isChecked()); }

void frmMain::mnuViewProcess_Click()
{
    if (!ShowProcess) {
        cmd_.mnuViewProcess->setChecked(LogDock && LogDock->isVisible());
        return;
    }
    if (LogWindow && LogDock) {
        QMdiSubWindow* active = mdiArea->activeSubWindow();
        if (active && active->isMaximized()) {
            active->showNormal();
            LogDock->show();
            cmd_.mnuViewProcess->setChecked(true);
            Panel1()->setToolTip(QStringLiteral("Click to hide the Process window"));
        } else {
            ProcessChecker();
        }
    } else {
        ShowProcessWindow();
        LogDock->show();
        cmd_.mnuViewProcess->setChecked(true);
    }
}

void frmMain::ProcessChecker()
{
    if (!LogDock) return;
    if (LogDock->isVisible()) {
        LogDock->hide();
        Panel1()->setToolTip(QStringLiteral("Click to see the Process window"));
        cmd_.mnuViewProcess->setChecked(false);
    } else {
        LogDock->show();
        Panel1()->setToolTip(QStringLiteral("Click to hide the Process window"));
        cmd_.mnuViewProcess->setChecked(true);
    }
    MDIForm_Resize();
}

void frmMain::mnuViewNavigation_Click()
{
    if (!ShowNavigation || !NavWindow || !NavDock) {
        cmd_.mnuViewNavigation->setChecked(NavDock && NavDock->isVisible());
        return;
    }
    QMdiSubWindow* active = mdiArea->activeSubWindow();
    if (active && active->isMaximized()) {
        active->showNormal();
        NavDock->show();
        cmd_.mnuViewNavigation->setChecked(true);
    } else {
        NavigationChecker();
    }
}

void frmMain::NavigationChecker()
{
    if (!NavDock) return;
    const bool show = !NavDock->isVisible();
    NavDock->setVisible(show);
    cmd_.mnuViewNavigation->setChecked(show);
    MDIForm_Resize();
}

void frmMain::mnuViewOptions_Click()
{
    if (Idle) dialogs::ShowOptions(this);
}

void frmMain::mnuToolsOptions_Click() { mnuViewOptions_Click(); }

// ---- Tools ----

void frmMain::transformationCommand(void (Pipeline::*step)())
{
    frmGrammar* g = ActiveGrammar;
    if (!Idle || !g || g->TextEmpty()) return;
    Idle = false;
    g->rtfStoreAdd();
    widenPanel1();
    bringToFront(g);
    g->SetNavNodesToGray();
    (pipeline_.get()->*step)();
    g->iGrmNotation = 1;
    g->NotationLanguageSwitch();
    g->SetFont();
    Idle = false;
    ApplyTextsFontToAll(g->rtfText);
    pipeline_->Parse(0);
    sbPanel1_Width();
    Idle = true;
    LineNum();
    g->WSwitch(false);
    ShowActiveGrammar();
}

void frmMain::mnuToolsExtraneous_Click() { transformationCommand(&Pipeline::RemoveExtraneousSymbols); }
void frmMain::mnuToolsLeftFactoring_Click() { transformationCommand(&Pipeline::LeftFactoringStep); }
void frmMain::mnuToolsRecursionLoops_Click() { transformationCommand(&Pipeline::RecursionLoopsStep); }
void frmMain::mnuToolsLeftRecursion_Click() { transformationCommand(&Pipeline::LeftRecursionStep); }

void frmMain::undoRedoCommand(bool redo)
{
    frmGrammar* g = ActiveGrammar;
    if (!Idle || !g) return;
    Idle = false;
    widenPanel1();
    bringToFront(g);
    g->SetNavNodesToGray();
    if (redo) g->rtfRedo();
    else g->rtfUndo();
    sbPanel1_Width();
    Idle = true;
    g->WSwitch(false);
    ShowActiveGrammar();
}

void frmMain::mnuToolsUndo_Click() { undoRedoCommand(false); }
void frmMain::mnuToolsRedo_Click() { undoRedoCommand(true); }

// ---- Window ----

void frmMain::mnuWindowDocking_Click()
{
    QAction* a = cmd_.mnuWindowDocking;
    if (!Idle) {
        a->setChecked(DockingView); // the menu's click inverted it
        return;
    }
    a->setChecked(!DockingView);
    DockingView = a->isChecked();
    MDIForm_Resize();
}

void frmMain::arrange(int how)
{
    if (!Idle) return;
    if (DockingView) mnuWindowDocking_Click();
    const QList<QMdiSubWindow*> subs = mdiArea->subWindowList();
    for (QMdiSubWindow* s : subs) s->showNormal();
    if (how == 0) {
        mdiArea->cascadeSubWindows();
    } else {
        // Tile horizontally: one window above the other; vertically: side by side.
        const QRect area = mdiArea->viewport()->rect();
        QList<QMdiSubWindow*> visible;
        for (QMdiSubWindow* s : subs)
            if (s->isVisible()) visible << s;
        const int n = static_cast<int>(visible.size());
        for (int i = 0; i < n; ++i) {
            if (how == 1) visible[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
            else visible[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
        }
    }
    if (QMdiSubWindow* active = mdiArea->activeSubWindow()) WinOnTop(active);
}

void frmMain::mnuWindowCascade_Click() { arrange(0); }
void frmMain::mnuWindowTileHorizontal_Click() { arrange(1); }
void frmMain::mnuWindowTileVertical_Click() { arrange(2); }

void frmMain::mnuWindowArrangeIcons_Click()
{
    if (!Idle) return;
    for (int k = GrammarCount; k >= 1; --k) {
        frmGrammar* g = GrammarAt(k);
        if (!g) continue;
        if (LogDock && LogDock->isVisible()) {
            LogDock->hide();
            Panel1()->setToolTip(QStringLiteral("Click to see the Process window"));
            cmd_.mnuViewProcess->setChecked(false);
        }
        g->ArrangeTree();
        g->ArrangeAllDocuments();
        g->ArrangeAllGrids();
        if (g->subWindow()) g->subWindow()->showMinimized();
    }
}

// ---- Help ----

void frmMain::mnuHelpContents_Click()
{
    if (HelpFile.isEmpty()) {
        ui::Ui().messageBox(
            QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."),
            windowTitle(), ui::Buttons::Ok, ui::Icon::Information);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFile)))
        ui::Ui().messageBox(QStringLiteral("Can't open the help file ") + HelpFile, windowTitle(), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
}

void frmMain::mnuHelpSearchForHelpOn_Click() { mnuHelpContents_Click(); }

void frmMain::mnuHelpAbout_Click() { dialogs::ShowAbout(this); }

// ---- toolbar ----

void frmMain::closeRunBracket()
{
    if (frmGrammar* g = ActiveGrammar) {
        g->editor->setVisible(true);
        g->HoldSelChange = false;
        g->unsetCursor();
    }
    ProgressBar1->setVisible(false);
    unsetCursor();
    if (ActiveChild) ActiveChild->unsetCursor();
    LL1Run = false;
    BuildRequested = false;
    GrammarIsLL1 = true;
    Idle = true;
    ResizeEnabled = true;
    FastWork = SavedFastWork;
    sbPanel1_Width();
    ShowActiveGrammar();
}

void frmMain::tbToolBar_ButtonClick(const QString& key)
{
    // A click that arrives while a run lets events through leaves the run's own state alone:
    // it neither starts a second run (LL1, Build) nor ends the first one's guard.
    if (!Idle) {
        if (key == "LL1" || key == "Build" || key == "Notation" || key == "Tree") return;
        const bool saved = SavedFastWork;
        RunLogged(this, key, [&] {
            if (key == "Delete Results") {
                frmGrammar* g = ActiveGrammar;
                if (g && g->TreeAllowed && g->TreeBuilding && ProgressBar1->isVisible()) {
                    g->TreeBuilding = false;
                    g->TreeAllowed = false;
                    ProgressBar1->setVisible(false);
                    InterruptMsg = QStringLiteral(". Process interrupted by user.");
                }
            } else if (key != "Quick") {
                tbToolBar_Dispatch(key);
            }
        });
        SavedFastWork = saved;
        return;
    }
    BuildRequested = false;
    SavedFastWork = FastWork;
    const RunBracket bracket(this, [this] { closeRunBracket(); });
    RunLogged(this, key, [&] { tbToolBar_Dispatch(key); });
}

// The buttons' own steps, where a button does more than one menu command.
void frmMain::tbSave()
{
    mnuFileSave_Click();
    mnuFileSaveParser_Click();
}

void frmMain::tbQuick()
{
    ToggleQuickMode();
    SavedFastWork = FastWork;
}

void frmMain::tbNotation()
{
    if (!Idle) return;
    Idle = false;
    widenPanel1();
    if (frmGrammar* g = ActiveGrammar) {
        bringToFront(g);
        LineNum();
        pipeline_->ParseAndReport();
        g->WSwitch(false);
        WinOnTop(g);
    }
}

void frmMain::tbTree()
{
    if (!Idle) return;
    Idle = false;
    widenPanel1();
    pipeline_->BuildDerivationTree();
}

void frmMain::tbLL1()
{
    LL1Run = true;
    pipeline_->GetNewParser(0);
    if (!GrammarIsLL1) {
        const QString name = ActiveGrammar ? ActiveGrammar->GrammarName : QString();
        const ui::Answer a =
            ui::Ui().messageBox("<" + name + "> is not LL1 grammar.\r\nTry to transform <" + name + "> to LL1 type?",
                                ui::AppTitle(), ui::Buttons::YesNo, ui::Icon::Question);
        if (a == ui::Yes) {
            widenPanel1();
            bool failed = false;
            pipeline_->TryToTransformToLL1(failed);
            const QString text = pipeline_->TransformReport(name, failed);
            WriteLog(timeOfDay() + "   - " + text + "\r\n");
            SetPanel1Text(text);
            if (failed) ui::Ui().messageBox(text, ui::AppTitle(), ui::Buttons::Ok, ui::Icon::None);
            else pipeline_->GetNewParser(0);
        }
    }
    LL1Run = false;
}

void frmMain::tbBuild()
{
    BuildRequested = true;
    if (frmGrammar* g = ActiveGrammar) {
        const int language = g->iGrmLanguage;
        if (language == 2 || language == 6) refuseScriptTarget(language);
        else if (language >= 1 && language <= 9) pipeline_->GetNewParser(language);
    }
}

void frmMain::tbHelp()
{
    ui::Ui().messageBox(QStringLiteral("Sorry, 'Help' button is not support yet"), ui::AppTitle(), ui::Buttons::Ok,
                        ui::Icon::None);
}

void frmMain::tbToolBar_Dispatch(const QString& key)
{
    // What each button runs, by its key.
    static const std::pair<const char*, void (frmMain::*)()> steps[] = {
        {"New", &frmMain::mnuFileNew_Click},
        {"Open", &frmMain::mnuFileOpen_Click},
        {"Save", &frmMain::tbSave},
        {"Cut", &frmMain::mnuEditCut_Click},
        {"Copy", &frmMain::mnuEditCopy_Click},
        {"Paste", &frmMain::mnuEditPaste_Click},
        {"Find", &frmMain::mnuEditFind_Click},
        {"Quick", &frmMain::tbQuick},
        {"Undo", &frmMain::mnuToolsUndo_Click},
        {"Redo", &frmMain::mnuToolsRedo_Click},
        {"Notation", &frmMain::tbNotation},
        {"Tree", &frmMain::tbTree},
        {"Extra", &frmMain::mnuToolsExtraneous_Click},
        {"Factoring", &frmMain::mnuToolsLeftFactoring_Click},
        {"Loops", &frmMain::mnuToolsRecursionLoops_Click},
        {"Recursion", &frmMain::mnuToolsLeftRecursion_Click},
        {"LL1", &frmMain::tbLL1},
        {"Build", &frmMain::tbBuild},
        {"Delete Results", &frmMain::mnuFileCloseResults_Click},
        {"Help", &frmMain::tbHelp},
    };
    for (const auto& [name, step] : steps)
        if (key == QLatin1String(name)) return (this->*step)();
}

void frmMain::tbToolBar_ButtonMenuClick(int parentButton, int index)
{
    // During a run the choice is stored, and nothing is started or restored.
    const bool duringRun = !Idle;
    SavedFastWork = FastWork;
    // During a run its own bracket closes it.
    const RunBracket bracket(this, [this, duringRun] {
        if (!duringRun) closeRunBracket();
    });
    RunLogged(this, QStringLiteral("the toolbar menu"), [&] {
        frmGrammar* g = ActiveGrammar;
        if (parentButton == 12) {
            if (index >= 1 && index <= 4) {
                MenuNotation = index;
                SetButtonImage(QStringLiteral("Notation"), NotationImage(index));
            }
            if (!g) {
                CurNotation = MenuNotation;
                SetNotationBuildButtons();
            } else {
                g->iGrmNotation = MenuNotation;
                g->NotationLanguageSwitch();
                if (Idle) {
                    Idle = false;
                    widenPanel1();
                    bringToFront(g);
                    LineNum();
                    pipeline_->ParseAndReport();
                    g->WSwitch(false);
                }
            }
        } else if (parentButton == 25) {
            if (index >= 1 && index <= 9) {
                MenuLanguage = index;
                SetButtonImage(QStringLiteral("Build"), QString::fromLatin1(LanguageRowOf(index)->Image));
                refuseScriptTarget(index);
            }
            if (g) {
                g->iGrmLanguage = MenuLanguage;
                if (!duringRun) pipeline_->GetNewParser(MenuLanguage);
            } else {
                CurLanguage = MenuLanguage;
            }
            if (ActiveChild) ActiveChild->unsetCursor();
        }
    });
}

void frmMain::sbStatusBar_PanelClick(const QString& key)
{
    if (!Idle) return;
    bool ok = false;
    const int n = key.mid(4).trimmed().toInt(&ok);
    if (ok && n >= 1 && n <= GrammarCount) {
        if (frmGrammar* g = GrammarAt(n)) {
            if (g->subWindow()) {
                g->subWindow()->raise();
                mdiArea->setActiveSubWindow(g->subWindow());
            }
            WinOnTop(g);
        }
    } else if (ok && n == 0) {
        mnuViewProcess_Click();
    }
    MDIForm_Resize();
}
