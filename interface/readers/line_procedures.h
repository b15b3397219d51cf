// The procedures that every "<name> ::= ..." notation reads alike: "::=", action symbols and
// definitions, option lines and comment prefixes. A notation supplies its own space, name
// characters and statement line.
#pragma once

#include "list_frame.h"

namespace readers {

class LineProcedures : public ListFrame {
protected:
    using ListFrame::ListFrame;

    virtual void Space(const Node& p) = 0;
    // "<Nonterminal name>" and its list (brackets excluded): at least one character.
    virtual void NameCharacters(const Node& p, bool action) = 0;
    virtual void Statement(const Node& p) = 0;

    READERS_NOINLINE void Definition(const Node& p); // "<::=>"
    READERS_NOINLINE void ActionSymbol(const Node& p);
    READERS_NOINLINE void Action(const Node& p);
    READERS_NOINLINE void Option(const Node& p);
    // The rest of an option keyword (read lower-cased), "::=", the selector and the line.
    READERS_NOINLINE void Keyword(const Node& n, std::string_view rest, void (Builder::*selector)());
    READERS_NOINLINE void CommentPrefix(const Node& p);

private:
    READERS_NOINLINE void Param(const Node& p);
    READERS_NOINLINE void ParamP(const Node& p);
};

} // namespace readers
