#include "messages.h"

namespace kelvantroc {

namespace {

unsigned char Lower(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return static_cast<unsigned char>(c + 0x20);
    if (c == 0xA8) return 0xB8; // Ё
    return c;
}

} // namespace

bool SameCaption(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(static_cast<unsigned char>(a[i])) != Lower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool Messages::ShowIt(const std::string& text, const std::string& caption, int mode, const std::u16string& shown)
{
    if (!SuppressedCaption.empty() && SameCaption(caption, SuppressedCaption)) {
        MessageAnswer = SuppressedAnswer;
        return MessageAnswer;
    }
    const MessageReply reply = Presenter.Present({text, caption, mode < 1 ? OkOnly : ContinueCancel, shown});
    MessageAnswer = reply.answer;
    if (reply.dontShowAgain) {
        SuppressedCaption = caption;
        SuppressedAnswer = reply.answer;
    }
    return MessageAnswer;
}

} // namespace kelvantroc
