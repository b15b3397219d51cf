#include "frm_message.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "qt_text.h"
#include "text_box.h"

namespace kelvantroc {

frmMessage::frmMessage(QWidget* owner) : QDialog(owner)
{
    setWindowTitle("2x2 Message");
    setFont(samples::CourierNew());
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setFrameShape(QFrame::NoFrame);
    Text1->setBackgroundRole(QPalette::Window);
    Text1->viewport()->setAutoFillBackground(false);
    Check1 = new QCheckBox("Don't show it next time", this);
    Command1 = {new QPushButton("OK", this), new QPushButton("Cancel", this)};
    for (int i = 0; i < 2; ++i)
        connect(Command1[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch();
    buttons->addWidget(Command1[0]);
    buttons->addWidget(Command1[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1, 1);
    layout->addLayout(buttons);
    SetRussianCloseCaptions();
}

void frmMessage::SetRussianCloseCaptions()
{
    Command1[0]->setText(QString::fromUtf8("Закрыть"));
    Check1->setText(QString::fromUtf8("Больше не показывать"));
}

void frmMessage::SetRussianContinueCaptions()
{
    Command1[0]->setText(QString::fromUtf8("Продолжить"));
    Command1[1]->setText(QString::fromUtf8("Отменить"));
    Check1->setText(QString::fromUtf8("Больше не показывать"));
}

void frmMessage::ShowIt(const QString& text, const QString& caption, int mode)
{
    if (mode < 1) {
        Command1[0]->setText("OK");
        Command1[1]->setVisible(false);
    } else {
        Command1[0]->setText("Continue");
        Command1[1]->setText("Cancel");
        SetRussianContinueCaptions();
        Command1[1]->setVisible(true);
    }
    setWindowTitle(caption);
    Text1->setPlainText(text);
    Command1[0]->setDefault(true);
    const QRect screen = samples::ScreenOf(parentWidget());
    samples::FitToText(*this, *Text1, screen);
    Place(screen);
}

void frmMessage::Place(const QRect& screen)
{
    // At the top of the owner, centred across its width, but never beyond the screen's edges.
    QPoint at = pos();
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        at = QPoint(frame.left() + (frame.width() - width()) / 2, frame.top());
    }
    const QSize outer = frameGeometry().size().expandedTo(size());
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - outer.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - outer.height())));
    move(at);
}

void frmMessage::Command1_Click(int index)
{
    answer_ = index == 0;
    if (answer_) accept();
    else reject();
}

MessageReply QtMessagePresenter::Present(const MessageRequest& request)
{
    frmMessage dialog(Owner);
    QString text = request.shown.empty() ? samples::ToQt(request.text) : QString::fromStdU16String(request.shown);
    dialog.ShowIt(text.replace("\r\n", "\n"), samples::ToQt(request.caption), request.mode);
    dialog.exec();
    return {dialog.Answer(), dialog.Check1->isChecked()};
}

} // namespace kelvantroc
