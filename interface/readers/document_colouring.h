// Colours a grammar result document (rule lines, lone nonterminals, action definitions,
// "'" comment lines and "!" error lines) token by token. Builds nothing.
#pragma once

#include "list_frame.h"

namespace readers {

class DocumentColouring : public ListFrame {
public:
    // Only the style hooks act; a tree is reported only to tests that look at the procedures.
    explicit DocumentColouring(const ReaderHooks& hooks) : ListFrame(hooks) {}

    // ErrorMsg: "" when the whole document was read, else the text of the first syntax error.
    void BNFSetDocFonts2(std::string_view SourceStr, std::string& ErrorMsg);

private:
    void Notation(const Node& p);
    void Blanks(const Node& p);
    void Rule(const Node& p);
    void Action(const Node& p);
    void LineComment(const Node& p, bool error);
    void Label(const Node& p);
    void Nonterminal(const Node& p);
    void Definition(const Node& p);
    void RightPart(const Node& p);
    void RightParts(const Node& p);
    void ActionSymbol(const Node& p);
    void Statement(const Node& p);
    // The characters up to the CR of a line: "<Comment contents>" or "<Statement contents>".
    void LineContents(const Node& p, std::string_view name);
    // "<Nonterminal name>" or "<Action name>", ended by ">" or the backquote.
    void Name(const Node& p, bool action);
    void GrammaticalSymbols(const Node& p);
    void GrammaticalSymbol(const Node& p);
    void Terminal(const Node& p);
    void QuoteContents(const Node& p, int quote);
    void Integer(const Node& p);
    // One character of `set`: base characters through "<Basic set>", the others directly.
    void SetChar(const Node& p, std::string_view name, const CharSet& set, std::string_view expected);
    void BasicSet(const Node& p);
    // A character that must come next: false (after the frame's kind 2 error) when it does not.
    bool Expect(const Node& n, int c) { return Match(n, c); }
};

void BNFSetDocFonts2(std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style);

} // namespace readers
