// The window of one open grammar: its text in a rich-text editor, its notation, target
// language and folder, and its links to the main window's status bar, navigation tree and
// toolbar.
#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "child_form.h"
#include "safe_save.h"
#include "undo_store.h"

class QMdiSubWindow;
#include <QPlainTextEdit>
class frmTree;
class frmDocument;
class Colouring;
class frmGrid;

class frmGrammar : public ChildForm {
    Q_OBJECT
public:
    // How the lines of the grammar's file end; a new grammar is written with LF.
    enum class LineEnds { LF, CRLF, CR };

    explicit frmGrammar(QWidget* parent = nullptr);

    RichText* rtf() override { return &rtfText; }
    QPlainTextEdit* editor = nullptr;
    RichText rtfText;

    QString GrammarName;
    std::int32_t iGrmNotation = 1;
    std::int32_t iGrmLanguage = 1;
    QString grmDir; // the file's folder with its final "/", "" when untitled
    ChildForm* frmParser = nullptr; // the result document of the generated parser
    bool bHoldUnChanged = false;
    bool HoldSelChange = false;
    bool TreeBuilding = false;
    bool TreeAllowed = true;
    // The same two switches under the names the tree hooks and the tree window use: nodes are
    // added while bShowTree is set; a new tree may be built while bNoTree is set.
    bool& bShowTree = TreeBuilding;
    bool& bNoTree = TreeAllowed;
    QPointer<frmTree> DerivTree;
    // The window's number in Grammars; negative while the text has unsaved changes.
    int Tag = 0;
    LineEnds lineEnds = LineEnds::LF;
    // The file as it was last read or written here.
    std::optional<safe_save::Stamp> diskStamp;

    int Number() const { return Tag < 0 ? -Tag : Tag; }
    bool Changed() const { return Tag < 0; }
    void MarkSaved() { Tag = Number(); }
    // "Root" and the number right-aligned in three characters.
    QString Key() const;
    static QString KeyOf(int number);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption);
    QMdiSubWindow* subWindow() const;

    // The text as the file holds it (the window's own line ends) and from a file's bytes.
    std::string FileBytes() const;
    void LoadFileBytes(const std::string& bytes);
    bool TextEmpty() const;

    void NotationLanguageSwitch();
    void WSwitch(bool bRemove);
    void sbSwitch(bool bRemove);
    void SetFont();
    void rtfText_GotFocus();

    // ---- result windows ----
    bool Results() const;
    ChildForm* ResultParser() const;
    void LoadTree(const QString& sGrammarName);
    void DelTree();
    void CloseTree();
    void TreeOnTop();
    frmDocument* LoadNewDoc(const QString& sGrammarName, const QString& sName);
    frmGrid* LoadNewGrid(const std::vector<QString>& NtmName, int NontrmNumber, const std::vector<QString>& TrmName,
                         int TrmNumber, int nCols, int nRows, const QString& sGrammarName, const QString& sName);
    void DelDocument(int lDocumentNumber);
    void DelGrid(int lGridNumber);
    void RemoveDocument(const QString& sName);
    // Closes a result window and frees it at once, not when the event loop next runs: a run
    // that replaces its results would otherwise hold the old ones and the new ones together.
    static void CloseResultWindow(QWidget* w);
    void CloseAllDocuments();
    void CloseAllGrids();
    // The documents that can be seen now (shown, not minimized, not wholly under later
    // windows) get a text that waits, with progress shown.
    void FillSeenDocuments();
    void ArrangeTree();
    void ArrangeAllDocuments();
    void ArrangeAllGrids();
    void DocOnTop(int ind);
    void GridOnTop(int ind);
    void ExpandGrammarNode();
    void SetNavNodesToGray();
    int DocCount() const { return docCount_; }
    int GridCount() const { return gridCount_; }
    // Result window number i, or nullptr.
    frmDocument* Document(int i) const;
    frmGrid* Grid(int i) const;
    // The open documents and grids, lowest number first.
    std::vector<frmDocument*> Documents() const;
    std::vector<frmGrid*> Grids() const;

    // ---- colouring while editing ----
    // Marks the error of a full reading and colours on after it, error after error.
    void ParseAfterSyntaxError(const std::string& sText, const std::string& ErrorMessage, Colouring& colouring);
    void ClearErrorList();
    void rtfText_SelChange();
    void SetButtonValue();
    void rtfStoreAdd();
    void rtfUndo();
    void rtfRedo();
    UndoStore Store;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rtfText_Change();
    UndoStore::Step shownStep() const;
    void showStep(const UndoStore::Step& step);
    void MarkRuleError(const std::string& m, const std::string& err, Colouring& colouring);
    void showResult(QWidget* w);
    void resultClosed(bool grid, int number);
    QString resultKey(const char* kind, int number) const;

    std::vector<QPointer<QWidget>> docWindows_{nullptr};
    std::vector<QPointer<QWidget>> gridWindows_{nullptr};
    int docCount_ = 0;
    int gridCount_ = 0;
    // Lines edited since they were last coloured: line (1-based) and where the search for the
    // line's rule start begins; a line of 0 is a free entry.
    struct ErrorEntry {
        std::int64_t line = 0;
        std::int64_t start = 0;
    };
    std::vector<ErrorEntry> errorList_;
    int errorCurrent_ = 0; // 1-based entry of the caret's line, 0 none
    int errorFree_ = 0;
    int lastLine_ = 0;
};
