#pragma once
// The viewer's one message dialog, as logic: every message and question goes through ShowIt,
// which may be told by the person not to show a caption again. The window itself is behind
// MessagePresenter, so that tests answer for the person.

#include <string>

namespace kelvantroc {

enum MessageMode { OkOnly = 0, ContinueCancel = 1 };

struct MessageRequest {
    std::string text; // CP1251
    std::string caption; // CP1251
    int mode = OkOnly;
    // The text as the person sees it, when it holds characters that the code page lacks;
    // empty otherwise.
    std::u16string shown;
};

struct MessageReply {
    bool answer = false; // the first button (OK, Continue); false for Cancel and the close box
    bool dontShowAgain = false; // the check box was left ticked
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MessageReply Present(const MessageRequest& request) = 0;
};

class Messages {
public:
    explicit Messages(MessagePresenter& presenter) : Presenter(presenter) {}

    // Shows the message, or gives at once the answer stored with its caption when the person
    // asked not to be shown it again; returns the answer.
    bool ShowIt(const std::string& text, const std::string& caption, int mode = OkOnly,
                const std::u16string& shown = {});

    bool MessageAnswer = false;
    std::string SuppressedCaption; // empty while nothing is suppressed
    bool SuppressedAnswer = false;

private:
    MessagePresenter& Presenter;
};

// Captions are compared without regard to case, Latin and Cyrillic letters alike.
bool SameCaption(const std::string& a, const std::string& b);

} // namespace kelvantroc
