// The main window: menus, toolbar, status bar, the grammar windows as MDI children, and the
// docked navigation and Process windows.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "main_frame.h"

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QProgressBar;
class QToolBar;
class QToolButton;
class frmGrammar;
class Pipeline;

class frmMain : public QMainWindow, public MainFrame {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- frame (load, layout, closing) ----
    // Load: the stored rectangle, options, language table, docked windows, the first grammar
    // window, the arrival on the screen and the command-line file (the whole command text).
    void MDIForm_Load(const QString& commandText);
    void MDIForm_Resize() override;
    void ShowNavigationWindow();
    void LineNum() override;
    void sbPanel1_Width();
    // The first panel as a run leaves it room for its reports.
    void widenPanel1();
    static QStringList GetCommandLine(const QString& commandText, int maxArgs = 10);
    // Twips of one pixel of the screen.
    static double TwipsPerPixel();

    // ---- open-grammar list ----
    // The new window, or nullptr when 15 are open.
    frmGrammar* AddGrammarWindow(const QString& fileName);
    void SetGrammarPanel();
    void AddGrammarTreeNode();
    void SetNextGrammar(int index) override;
    void DelGrammar(int index) override;
    void CloseAllGrammars();
    // Closes one grammar window as its close box would; false when it stayed open.
    bool UnloadGrammar(frmGrammar* g);
    int UntitledCount = 0;
    // The grammar whose window, result or tree a subwindow shows; nullptr for none.
    static frmGrammar* GrammarOfWindow(const QMdiSubWindow* sub);
    // Puts the active grammar's window in front and active unless one of its windows is
    // already: what the user sees active is what the commands act on.
    void ShowActiveGrammar();

    // ---- process log ----
    void WriteLog(const QString& text) override;
    void WriteLogBytes(const std::string& bytes);
    void ShowProcessWindow() override;
    void WinOnTop(QWidget* form) override;
    void RefreshGrammarText(const std::string& errorText) override;
    void ProcessChecker();
    void NavigationChecker();
    std::string LogText; // the log as bytes, what "Tamberlix.log" holds
    bool LogInErrorColour = false;
    QString LogFilePath() const { return logFilePath_; }

    // ---- commands ----
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuTools_Click();
    void mnuWindow_Click();
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileCloseResults_Click();
    bool mnuFileSave_Click();
    bool mnuFileSaveAs_Click();
    void mnuFileSaveAll_Click();
    void mnuFileSaveParser_Click();
    void mnuFileSaveParserAs_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuRecentFile_Click(int index);
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditReplace_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewProcess_Click();
    void mnuViewNavigation_Click();
    void mnuViewOptions_Click();
    void mnuToolsOptions_Click();
    void mnuToolsUndo_Click();
    void mnuToolsRedo_Click();
    void mnuToolsExtraneous_Click();
    void mnuToolsLeftFactoring_Click();
    void mnuToolsRecursionLoops_Click();
    void mnuToolsLeftRecursion_Click();
    void mnuWindowNewWindow_Click();
    void mnuWindowDocking_Click();
    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();
    void mnuWindowTileVertical_Click();
    void mnuWindowArrangeIcons_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    // Every command enabled or not from the active window, its text and its undo store.
    void updateActions();
    void tbToolBar_ButtonClick(const QString& key);
    // parentButton: 12 the Notation button, 25 the Build button; index: the item's code.
    void tbToolBar_ButtonMenuClick(int parentButton, int index);
    void sbStatusBar_PanelClick(const QString& key);

    // ---- file commands ----
    void OpenGrammarFolder(const QString& path);
    QString GrammarFilter() const;
    QString HelpFile; // empty: no help is associated with the program

    // ---- form-level state ----
    bool BuildRequested = false;
    bool LL1Run = false;
    bool SavedFastWork = false;
    int MenuNotation = 0;
    int MenuLanguage = 0;
    bool InStartupMove = false;
    void VarInit();

    // ---- controls, by their names ----
    QAction* action(const QString& name) const { return actions_.value(name); }
    QMenu* menu(const QString& name) const { return menus_.value(name); }
    // mnuRecentFile: entry 0 the separator, 1..11 the files.
    std::vector<QAction*> mnuRecentFile;
    QAction* toolButton(const QString& key) const { return buttons_.value(key); }
    QString ButtonImage(const QString& key) const override;
    void SetButtonImage(const QString& key, const QString& image) override;
    // The toolbar in two parts: the file, edit and notation buttons, and the grammar's.
    QToolBar* ToolBar() const { return tbToolBar; }
    QToolBar* GrammarToolBar() const { return tbToolBar2; }
    QList<QAction*> ToolbarActions() const;
    QDockWidget* NavigationDock() const { return NavDock; }
    QDockWidget* ProcessDock() const { return LogDock; }
    QPrinter& Printer();

    // Status bar panels by key: panel 1 is keyed "Root  0".
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    QLabel* Panel(const QString& key) const;
    QLabel* Panel1() const override { return panels_.empty() ? nullptr : panels_.front().label; }
    QString Panel1Text() const override;
    void SetPanel1Text(const QString& text) override;
    QStringList PanelKeys() const;
    bool PanelInset(const QString& key) const;
    void SetPanelInset(const QString& key, bool inset) override;
    void RemovePanel(const QString& key) override;
    void AddPanel(const QString& key, const QString& text);

    Pipeline& pipeline() { return *pipeline_; }
    void setPipeline(std::unique_ptr<Pipeline> p);

    // The rectangle (twips) that the frame restores on the next start.
    QRect FrameTwips() const;

    // ---- the rest of the frame interface ----
    QWidget* Window() override { return this; }
    const std::string& LogBytes() const override { return LogText; }
    void SetPanelText(const QString& key, const QString& text) override;
    QProgressBar* ProgressBar() const override { return ProgressBar1; }
    QMdiArea* MdiArea() const override { return mdiArea; }
    void RaiseDocks() override;
    bool SaveGrammar() override { return mnuFileSave_Click(); }
    bool SaveGrammarAs() override { return mnuFileSaveAs_Click(); }
    void ShowUndoState(const QString& undoImage, bool undoEnabled, const QString& redoImage, bool redoEnabled) override;
    bool IsBuildRequested() const override { return BuildRequested; }
    bool IsLL1Run() const override { return LL1Run; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void fitToolBars();
    void createStatusBar();
    void tagStrings();
    void transformationCommand(void (Pipeline::*step)());
    void undoRedoCommand(bool redo);
    bool saveGrammarTo(frmGrammar* g, const QString& path);
    void grammarSavedAs(frmGrammar* g, const QString& path);
    bool saveNeverSaved(frmGrammar* g, const QString& title);
    void arrange(int how);
    void closeRunBracket();
    void tbToolBar_Dispatch(const QString& key);
    void tbSave();
    void tbQuick();
    void tbNotation();
    void tbTree();
    void tbLL1();
    void tbBuild();
    void tbHelp();
    void placeOnScreen(QRect twips);
    void saveLogFile();
    void subWindowActivated(QMdiSubWindow* sub);

    // One action per menu command, made in createActions(); the menus, the enabling and the
    // check marks reach them here, never by name.
    struct Commands {
        QAction* mnuFileNew = nullptr;
        QAction* mnuFileOpen = nullptr;
        QAction* mnuFileClose = nullptr;
        QAction* mnuFileCloseResults = nullptr;
        QAction* mnuFileSave = nullptr;
        QAction* mnuFileSaveAs = nullptr;
        QAction* mnuFileSaveAll = nullptr;
        QAction* mnuFileSaveParser = nullptr;
        QAction* mnuFileSaveParserAs = nullptr;
        QAction* mnuFilePageSetup = nullptr;
        QAction* mnuFilePrint = nullptr;
        QAction* mnuFileExit = nullptr;
        QAction* mnuEditUndo = nullptr;
        QAction* mnuEditCut = nullptr;
        QAction* mnuEditCopy = nullptr;
        QAction* mnuEditPaste = nullptr;
        QAction* mnuEditDelete = nullptr;
        QAction* mnuEditSelectAll = nullptr;
        QAction* mnuEditFind = nullptr;
        QAction* mnuEditFindNext = nullptr;
        QAction* mnuEditReplace = nullptr;
        QAction* mnuViewToolbar = nullptr;
        QAction* mnuViewStatusBar = nullptr;
        QAction* mnuViewProcess = nullptr;
        QAction* mnuViewNavigation = nullptr;
        QAction* mnuViewOptions = nullptr;
        QAction* mnuToolsUndo = nullptr;
        QAction* mnuToolsRedo = nullptr;
        QAction* mnuToolsExtraneous = nullptr;
        QAction* mnuToolsLeftFactoring = nullptr;
        QAction* mnuToolsRecursionLoops = nullptr;
        QAction* mnuToolsLeftRecursion = nullptr;
        QAction* mnuToolsOptions = nullptr;
        QAction* mnuWindowNewWindow = nullptr;
        QAction* mnuWindowDocking = nullptr;
        QAction* mnuWindowCascade = nullptr;
        QAction* mnuWindowTileHorizontal = nullptr;
        QAction* mnuWindowTileVertical = nullptr;
        QAction* mnuWindowArrangeIcons = nullptr;
        QAction* mnuHelpContents = nullptr;
        QAction* mnuHelpSearchForHelpOn = nullptr;
        QAction* mnuHelpAbout = nullptr;
    } cmd_;
    QAction* addAction(QAction* Commands::*member, const QString& name, const QString& text, void (frmMain::*slot)());
    QHash<QString, QAction*> actions_;
    QToolBar* tbToolBar = nullptr;
    QToolBar* tbToolBar2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QMdiArea* mdiArea = nullptr;
    QDockWidget* NavDock = nullptr;
    QDockWidget* LogDock = nullptr;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> buttons_;
    QHash<QString, QString> images_;
    struct PanelRec {
        QString key;
        QLabel* label;
        bool inset;
    };
    std::vector<PanelRec> panels_;
    std::unique_ptr<Pipeline> pipeline_;
    std::unique_ptr<QPrinter> printer_;
    QString logFilePath_;
    bool logFailureReported_ = false;
    bool closing_ = false;
    bool showingActive_ = false;
};

// The word a toolbar image without a standard icon shows, whole ("C++ class").
QString ButtonLabel(const QString& image);
