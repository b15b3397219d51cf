// The syntax-error window: the reader's error text, with its source line and the "!" under the
// error column, in a fixed-pitch font, and an OK button.
#pragma once

#include <QDialog>
#include <string>

#include "child_form.h"

class QPushButton;
class QTextEdit;

class frmError final : public QDialog {
    Q_OBJECT
public:
    explicit frmError(QWidget* parent = nullptr);

    // The text box, as the text-style hooks see it.
    class Body final : public ChildForm {
    public:
        explicit Body(QWidget* parent);
        RichText* rtf() override { return &rtfText; }
        QTextEdit* editor;
        RichText rtfText;
    };

    Body* body = nullptr;
    RichText& rtfText;
    QPushButton* Command1 = nullptr;

    void Form_Load();
    void Form_Resize();
    void Command1_Click();

    // Puts an error text in, shown from its first column: the long "when expecting" line
    // must not scroll the start of every line out of view.
    void SetErrorText(const std::string& errorText);
    void ShowFromStart();

    // Colours a grammar text quoted in a rich text from position `base` with the reader of the
    // active grammar's notation, then marks the reading's error in the error font (the log and
    // this window both quote the failing line).
    static void ColourQuotedText(RichText& text, const std::string& source, std::int32_t base);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
