// A text result of a grammar (a listing, the select sets, the parser code) in a plain-text box
// with colours, which lays out only the part that is seen.
#pragma once

#include <QPointer>
#include <QString>

#include "child_form.h"

class QPlainTextEdit;
class frmGrammar;

class frmDocument : public ChildForm {
    Q_OBJECT
public:
    // owner: the grammar window whose result this is; it is told when the document closes.
    explicit frmDocument(frmGrammar* owner, QWidget* parent = nullptr);
    ~frmDocument() override;

    RichText* rtf() override { return &rtfText; }
    QPlainTextEdit* editor = nullptr;
    RichText rtfText;
    bool bHoldUnChanged = false;
    // The navigation key: grammar key, "Doc" and the number in three characters.
    QString Tag;

    int Number() const;
    bool Locked() const;
    void SetLocked(bool locked);
    bool TextChanged() const { return bTextChanged; }
    frmGrammar* Owner() const { return owner_; }
    // Loads a file as plain text without counting as an edit; false when it cannot be read.
    bool LoadFile(const std::string& path);
    // The file the text was loaded from, in full; changes are saved there on close.
    QString FilePath;

    void rtfText_GotFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rtfText_Change();
    void rtfText_SelChange();

    QPointer<frmGrammar> owner_;
    bool bTextChanged = false;
    int lLastLine = 0;
};
