#pragma once
// Answers the viewer's messages as a person would, one reply per shown dialog (Cancel without
// the check box when the script has run out), and keeps what was shown.

#include <deque>
#include <vector>

#include "messages.h"

struct ScriptedPerson : kelvantroc::MessagePresenter {
    std::deque<kelvantroc::MessageReply> replies;
    std::vector<kelvantroc::MessageRequest> shown;
    kelvantroc::MessageReply Present(const kelvantroc::MessageRequest& request) override
    {
        shown.push_back(request);
        if (replies.empty()) return {};
        const kelvantroc::MessageReply r = replies.front();
        replies.pop_front();
        return r;
    }
};
