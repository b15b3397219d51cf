// What a child window or a processing run asks of the main window: the Process log, the status
// panels, the progress bar, the MDI area and the toolbar's state. The main window implements
// it and hands it to the workspace, which never names the main window itself.
#pragma once

#include <QString>
#include <string>

class QLabel;
class QMdiArea;
class QProgressBar;
class QWidget;

class MainFrame {
public:
    virtual ~MainFrame() = default;

    // The main window as a widget: owner of small windows, its title and rectangle.
    virtual QWidget* Window() = 0;

    // ---- Process log ----
    virtual void WriteLog(const QString& text) = 0;
    // The log as bytes, what the log file holds.
    virtual const std::string& LogBytes() const = 0;
    virtual void ShowProcessWindow() = 0;
    // A reading's error text: shown in the syntax-error window and marked in the grammar.
    virtual void RefreshGrammarText(const std::string& errorText) = 0;

    // ---- status panels ----
    virtual QString Panel1Text() const = 0;
    virtual void SetPanel1Text(const QString& text) = 0;
    virtual QLabel* Panel1() const = 0;
    // The text of the panel keyed `key`; nothing when there is none.
    virtual void SetPanelText(const QString& key, const QString& text) = 0;
    virtual void SetPanelInset(const QString& key, bool inset) = 0;
    virtual void RemovePanel(const QString& key) = 0;
    // The active grammar's caret line in panel 1.
    virtual void LineNum() = 0;

    // ---- progress ----
    virtual QProgressBar* ProgressBar() const = 0;

    // ---- windows ----
    virtual QMdiArea* MdiArea() const = 0;
    virtual void WinOnTop(QWidget* form) = 0;
    // The docked windows in front of the MDI children.
    virtual void RaiseDocks() = 0;
    virtual void MDIForm_Resize() = 0;

    // ---- the open-grammar list ----
    virtual void DelGrammar(int index) = 0;
    virtual void SetNextGrammar(int index) = 0;
    // The active grammar saved (under a new name); false when it was not.
    virtual bool SaveGrammar() = 0;
    virtual bool SaveGrammarAs() = 0;

    // ---- toolbar and commands ----
    virtual QString ButtonImage(const QString& key) const = 0;
    virtual void SetButtonImage(const QString& key, const QString& image) = 0;
    // A grammar's undo store changed: the Undo and Redo commands show its state.
    virtual void ShowUndoState(const QString& undoImage, bool undoEnabled, const QString& redoImage,
                               bool redoEnabled) = 0;

    // ---- the run ----
    virtual bool IsBuildRequested() const = 0;
    virtual bool IsLL1Run() const = 0;
};
