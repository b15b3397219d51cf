// Grammars in the "Typical" notation, read into the engine through the builder.
#pragma once

#include "line_procedures.h"
#include "terminal_reader.h"

namespace readers {

class TypicalReader : public LineProcedures {
public:
    explicit TypicalReader(const ReaderHooks& hooks);

    // ErrorMsg: "" when the text was read, else the text of the first syntax error.
    void BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg);

    // Groups may nest this deep; beyond it the reading stops with a ReaderFailure instead of
    // exhausting the stack.
    static constexpr int MaxGroupDepth = 2000;

private:
    void Notation(const Node& p);
    READERS_NOINLINE void Space(const Node& p) override;
    READERS_NOINLINE void Label(const Node& p);
    READERS_NOINLINE void Rule(const Node& p);
    READERS_NOINLINE void RightPart(const Node& p);
    READERS_NOINLINE void RightParts(const Node& p);
    void GrammaticalSymbols(const Node& p);
    void GrammaticalSymbol(const Node& p);
    READERS_NOINLINE void Nonterminal(const Node& p);
    READERS_NOINLINE void NameCharacters(const Node& p, bool action) override;
    READERS_NOINLINE void LeftBracket(const Node& p);
    void BracketsContent(const Node& p);
    void BracketsContentList(const Node& p);
    READERS_NOINLINE void RightBracket(const Node& p);
    READERS_NOINLINE void Exp(const Node& p);
    READERS_NOINLINE void Blanks(const Node& p);
    READERS_NOINLINE void Statement(const Node& p) override;
    READERS_NOINLINE void LineContent(const Node& p, bool statement);
    READERS_NOINLINE void Comment(const Node& p);

    [[noreturn]] READERS_NOINLINE void TooDeep();

    TerminalReader terminal_;
    int groupDepth_ = 0;
    bool ruleHeadRead_ = false;
};

} // namespace readers
