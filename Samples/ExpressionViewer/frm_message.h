#pragma once
// The viewer's message dialog: one message or question, with "Don't show it next time".

#include <QDialog>
#include <array>

#include "messages.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace kelvantroc {

class frmMessage : public QDialog {
    Q_OBJECT
public:
    explicit frmMessage(QWidget* owner);

    void SetRussianCloseCaptions();
    void SetRussianContinueCaptions();
    // Sets the dialog up for the message; the caller shows it. The dialog takes the size of the
    // text up to a bound within the owner's screen, where the text scrolls, and stands at the top
    // of its owner, centred across it, but always whole on the screen.
    void ShowIt(const QString& text, const QString& caption, int mode = OkOnly);
    void Command1_Click(int index);

    bool Answer() const { return answer_; }

    std::array<QPushButton*, 2> Command1;
    QCheckBox* Check1;
    QPlainTextEdit* Text1; // the message, read-only

private:
    void Place(const QRect& screen);

    bool answer_ = false; // the close box leaves it false: Cancel
};

// Shows each message in a modal frmMessage owned by `owner`.
class QtMessagePresenter : public MessagePresenter {
public:
    explicit QtMessagePresenter(QWidget* owner) : Owner(owner) {}
    MessageReply Present(const MessageRequest& request) override;

private:
    QWidget* Owner;
};

} // namespace kelvantroc
