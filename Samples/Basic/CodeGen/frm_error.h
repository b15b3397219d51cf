#pragma once
// The window that shows one syntax error of Zentrav.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace zentrav {

class frmError : public QDialog {
    Q_OBJECT
public:
    explicit frmError(QWidget* owner);
    // Shows the message whole: the window takes the size of the text, up to a bound within the
    // owner's screen, beyond which the text scrolls.
    void SetMessage(const QString& message);
    QPlainTextEdit* Text1;
    QPushButton* Command1;
};

} // namespace zentrav
