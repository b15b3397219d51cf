// Grammars in the W3C notation: bare names, "( )" groups with "?", "*" and "+", "[ ]"
// character classes, "#x" and "#d" codes, quoted strings and "/* */" comments. Terminals are
// read here, not by the terminal reader.
#pragma once

#include "line_notation.h"

namespace readers {

class W3CReader : public LineNotationReader {
public:
    explicit W3CReader(const ReaderHooks& hooks);

    // ErrorMsg: "" when the text was read, else the text of the first syntax error.
    void BNF_W3C(std::string_view SourceStr, std::string& ErrorMsg);

    struct QuoteKind;

private:
    void Space(const Node& p) override;
    void Notation(const Node& p);
    void Label(const Node& p);
    void LabelCharacterList(const Node& p);
    void Rule(const Node& p);
    void RightPart(const Node& p) override;
    void Gap(const Node& p) override;
    void GrammaticalSymbols(const Node& p) override;
    void GrammaticalSymbol(const Node& p) override;
    void Nonterminal(const Node& p) override;
    void NtmExp(const Node& p);
    void Exp(const Node& p);
    void Group(const Node& n);
    void BracketsContent(const Node& p);
    void BracketsContentList(const Node& p);
    void Blanks(const Node& p);
    void BlanksStar(const Node& p);
    void BlankCharacter(const Node& p);
    void Comment(const Node& p);
    void CommentContent(const Node& p);
    void SeparateComment(const Node& p);
    void StringTerminal(const Node& p);
    void QuotedContent(const Node& p, const QuoteKind& k);
    void SimpleAsciiTerminal(const Node& p);
    void CharacterClass(const Node& n);
    void Negation(const Node& p);
    void TerminalList(const Node& p);
    void SimpleTerminalList(const Node& p);
    // "<Simple Terminal first>" or "<Simple Terminal>", with its range.
    void SimpleTerminal(const Node& p, bool first);
    void SimpleTerminalRange(const Node& p);
    void AsciiTerminalList(const Node& p);
    void AsciiTerminal(const Node& p);
    void AsciiTerminalRange(const Node& p);
    // BKSNAI, one character of a class as a terminal, BKSSYM, styled as a terminal.
    void ClassCharacter(const Node& n, std::string_view name, const CharSet& set, std::string_view expected);
};

// The entry as the other readers have it.
void BNF_W3C(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks);

} // namespace readers
