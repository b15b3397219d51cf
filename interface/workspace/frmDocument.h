// A text result of a grammar (a listing, the select sets, the parser code) in a plain-text box
// with colours, which lays out only the part that is seen.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <string>

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
    // What runs over the text once it is in the box: a colouring. `progress` says whether it
    // may show progress (and let the status bar repaint); it may not while the box paints.
    using Colour = std::function<void(frmDocument&, bool progress)>;
    // Loads a file as plain text without counting as an edit; false when it cannot be read. The
    // file is read at once; its text reaches the box, and `colour` runs over it, when the
    // document is first seen or read.
    bool LoadFile(const std::string& path, Colour colour = {});
    // The same for a text made here.
    void SetTextLater(std::string bytes, Colour colour);
    // A waiting text goes into the box now, its colouring showing progress.
    void Fill();
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
    bool fillShowsProgress_ = false;
    int lLastLine = 0;
};
