// Colours the terminal-list result document: each line's terminal character in the terminals'
// font, the rest in the text font. Builds nothing.
#pragma once

#include "list_frame.h"

namespace readers {

class TerminalListColouring : public ListFrame {
public:
    // Only the style hooks act; a tree is reported only to tests that look at the procedures.
    explicit TerminalListColouring(const ReaderHooks& hooks) : ListFrame(hooks) {}

    // ErrorMsg: "" when the whole document fits, else the text of the first syntax error.
    void SetTerminalListFont(std::string_view SourceStr, std::string& ErrorMsg);

private:
    void Rule(const Node& p);
    void Blanks(const Node& p);
    void Integer(const Node& p);
    void Terminal(const Node& p);
};

void SetTerminalListFont(std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style);

} // namespace readers
