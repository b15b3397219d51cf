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
    QPlainTextEdit* Text1;
    QPushButton* Command1;
};

}  // namespace zentrav
