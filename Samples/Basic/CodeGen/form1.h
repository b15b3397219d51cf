#pragma once
// Zentrav's main window: the formula in, the numbered steps out.

#include <QMainWindow>
#include <functional>

#include "formula_compiler.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zentrav {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // How a syntax error reaches the person; by default a modal frmError owned by this window.
    using ErrorShower = std::function<void(QWidget* owner, const QString& message)>;

    explicit Form1(QWidget* parent = nullptr);
    void SetErrorShower(ErrorShower shower) { ShowError = std::move(shower); }

    void Command1_Click();
    void ShowSyntaxError(const QString& message);

    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QPlainTextEdit* Text2;
    QPushButton* Command1;

private:
    FormulaCompiler Compiler;
    ErrorShower ShowError;
};

} // namespace zentrav
