// The window of one open grammar: its text in a rich-text editor, its notation, target
// language and folder, and its links to the main window's status bar, navigation tree and
// toolbar.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "child_form.h"

class QMdiSubWindow;
class QTextEdit;

class frmGrammar : public ChildForm {
    Q_OBJECT
public:
    // How the lines of the grammar's file end; a new grammar is written with LF.
    enum class LineEnds { LF, CRLF, CR };

    explicit frmGrammar(QWidget* parent = nullptr);

    RichText* rtf() override { return &rtfText; }
    QTextEdit* editor = nullptr;
    RichText rtfText;

    QString GrammarName;
    std::int32_t iGrmNotation = 1;
    std::int32_t iGrmLanguage = 1;
    QString grmDir;                   // the file's folder with its final "/", "" when untitled
    ChildForm* frmParser = nullptr;   // the result document of the generated parser
    bool bHoldUnChanged = false;
    bool HoldSelChange = false;
    bool TreeBuilding = false;
    bool TreeAllowed = true;
    bool bShowTree = false;
    bool bNoTree = true;
    // The window's number in Grammars; negative while the text has unsaved changes.
    int Tag = 0;
    LineEnds lineEnds = LineEnds::LF;

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

    // Result windows, undo store and navigation details of the workspace.
    bool Results() const;
    ChildForm* ResultParser() const;
    void CloseTree();
    void CloseAllDocuments();
    void CloseAllGrids();
    void ArrangeTree();
    void ArrangeAllDocuments();
    void ArrangeAllGrids();
    void ExpandGrammarNode();
    void SetNavNodesToGray();
    void SetButtonValue();
    void rtfStoreAdd();
    void rtfUndo();
    void rtfRedo();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void rtfText_Change();
};
