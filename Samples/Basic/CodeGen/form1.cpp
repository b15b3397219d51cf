#include "form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "frm_error.h"
#include "qt_text.h"

namespace zentrav {

Form1::Form1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle("Zentrav");
    auto* central = new QWidget(this);
    const QFont fixed = samples::CourierNew();

    Label1 = new QLabel("Formula", central);
    Text1 = new QLineEdit("f-o*(e^(-e/(A*k*T)*(-(V+R*I)))-E)-V/S", central);
    Text1->setFont(fixed);
    Text1->setToolTip("All parameters must have length one symbol");
    // The line edit's own limit of 32,767 characters would cut a pasted formula short without
    // a word; the compiler takes a formula of any length.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Label2 = new QLabel("Sequence of calculations", central);
    Text2 = new QPlainTextEdit(central);
    Text2->setReadOnly(true);
    Text2->setFont(fixed);
    Text2->setToolTip("The string    A    *    k    -->   101  is read as:  \"A\"  is multiplied by  "
                      "\"k\"  and the result is sent to the address \"101\"");
    Command1 = new QPushButton("Compile", central);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addWidget(Label2);
    layout->addWidget(Text2, 1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    setCentralWidget(central);
    resize(520, 420);

    ShowError = [](QWidget* owner, const QString& message) {
        frmError error(owner);
        error.SetMessage(message);
        error.exec();
    };
}

void Form1::Command1_Click()
{
    std::string error;
    const QString typed = Text1->text();
    const std::string formula = samples::FromQt(typed);
    Compiler.ParseFormula(formula, error);
    QString steps = samples::ToQt(Compiler.Steps());
    steps.replace("\r\n", "\n");
    Text2->setPlainText(steps);
    if (!error.empty())
        ShowSyntaxError(samples::ShownError(error, formula, typed, Compiler.ErrorPosition()).replace("\r\n", "\n"));
}

void Form1::ShowSyntaxError(const QString& message) { ShowError(this, message); }

} // namespace zentrav
