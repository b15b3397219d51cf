#include "frm_error.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_text.h"
#include "text_box.h"

namespace zentrav {

frmError::frmError(QWidget* owner) : QDialog(owner)
{
    setWindowTitle("Syntax error");
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setFont(samples::CourierNew());
    Command1 = new QPushButton("OK", this);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    resize(640, 180);
}

void frmError::SetMessage(const QString& message)
{
    Text1->setPlainText(message);
    samples::FitToText(*this, *Text1, samples::ScreenOf(parentWidget()));
}

} // namespace zentrav
