// Grammars in the "Typical" notation, read into the engine through the builder.
#pragma once

#include "reader_frame.h"
#include "terminal_reader.h"

namespace readers {

class TypicalReader : public ReaderFrame {
public:
    explicit TypicalReader(const ReaderHooks& hooks);

    // ErrorMsg: "" when the text was read, else the text of the first syntax error.
    void BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg);

    // Groups may nest this deep; beyond it the reading stops with a ReaderFailure instead of
    // exhausting the stack.
    static constexpr int MaxGroupDepth = 2000;

private:
    void Notation(const Node& p);
    void Space(const Node& p);
    void Label(const Node& p);
    void Rule(const Node& p);
    void Definition(const Node& p);
    void RightPart(const Node& p);
    void RightParts(const Node& p);
    void GrammaticalSymbols(const Node& p);
    void GrammaticalSymbol(const Node& p);
    void Nonterminal(const Node& p);
    void ActionSymbol(const Node& p);
    void NameCharacters(const Node& p, bool action);
    void LeftBracket(const Node& p);
    void BracketsContent(const Node& p);
    void BracketsContentList(const Node& p);
    void RightBracket(const Node& p);
    void Exp(const Node& p);
    void Blanks(const Node& p);
    void Action(const Node& p);
    void Statement(const Node& p);
    void LineContent(const Node& p, bool statement);
    void Option(const Node& p);
    void Param(const Node& p);
    void ParamP(const Node& p);
    void Keyword(const Node& n, std::string_view rest, void (Builder::*selector)());
    void Comment(const Node& p);
    void CommentPrefix(const Node& p);

    TerminalReader terminal_;
    int groupDepth_ = 0;
};

} // namespace readers
