// The procedures that the line-oriented grammar notations have in common: "::=", nonterminal
// and action names, action definitions, option lines and comment lines. A notation supplies
// its own "<Space>" and the character classes of its names and statements.
#pragma once

#include "line_procedures.h"
#include "terminal_reader.h"

namespace readers {

// Character classes and expected-set texts in which the notations differ.
struct LineLexicon {
    CharSet statementStart; // "<Statement>"
    std::string_view statementExpected;
    CharSet lineChar; // a character of a statement or comment line
    std::string_view lineContentExpected;
    std::string_view lineCharExpected; // "<Statement character>"
    CharSet actionChar; // a character of an action name
    std::string_view actionNameExpected, actionListExpected, actionCharExpected;
};

class LineNotationReader : public LineProcedures {
public:
    // Groups may nest this deep, which fits a stack of 1 MB; beyond it the reading stops with
    // a ReaderFailure instead of exhausting the stack.
    static constexpr int MaxGroupDepth = 1000;

protected:
    LineNotationReader(const ReaderHooks& hooks, const LineLexicon& lexicon);

    // Resets the per-run state and reads the first character.
    void Begin(std::string_view source)
    {
        groupDepth_ = 0;
        ruleHeadRead_ = false;
        Start(source);
    }

    virtual void Nonterminal(const Node& p) = 0;
    // The blanks behind BKSNL, the symbols of one alternative, one alternative.
    virtual void Gap(const Node& p) = 0;
    virtual void GrammaticalSymbol(const Node& p) = 0;
    virtual void GrammaticalSymbols(const Node& p) = 0;
    virtual void RightPart(const Node& p) = 0;

    // The head of a rule: its nonterminal, BKSNLI, BKSGMN, space and "::=".
    void RuleHead(const Node& n);
    // A line that starts with "|": its "|" consumed when a rule head was read before, else a
    // syntax error (the alternatives would belong to no rule), expecting `heads`.
    void Continuation(const Node& n, std::string_view heads);
    // One alternative ("<Right part>") opening on `start`: BKSNL, the symbols, BKSEND; with
    // `oneAtLeast` it holds at least one symbol.
    void Alternative(const Node& p, std::string_view name, const CharSet& start, std::string_view expected,
                     bool oneAtLeast = false);
    // "<Right parts>": further alternatives behind "|", up to the rule's CR LF, or up to the
    // ";" that the rule itself matches.
    void RightParts(const Node& p, bool semicolon = false);

    void NameCharacters(const Node& p, bool action) override;
    void Statement(const Node& p) override;
    // "<Statement content>" or "<Comment content>": the rest of the line up to its CR, each
    // character to BKSS when `build` is set.
    void LineContent(const Node& p, std::string_view name, bool build);
    // "<Comment>" of the Typical-style notations: "!", "'" or "//" and the rest of the line.
    void Comment(const Node& p);

    // Around every group: counts the nesting.
    void OpenGroup();
    void CloseGroup() { --groupDepth_; }

    const LineLexicon& lx_;

private:
    int groupDepth_ = 0;
    bool ruleHeadRead_ = false;
};

// The notations whose rules use "<" ">" names and whose terminals the terminal reader reads.
class BracketNotationReader : public LineNotationReader {
protected:
    BracketNotationReader(const ReaderHooks& hooks, const LineLexicon& lexicon);

    void Space(const Node& p) override;
    void Nonterminal(const Node& p) override; // "<" name ">"
    // A terminal: the terminal reader reads it, then "<Terminal character>" consumes its first
    // character here.
    void Terminal(const Node& p, const CharSet& plain, std::string_view expected);

    TerminalReader terminal_;
};

// The lexicon of the Typical and MSDN notations.
extern const LineLexicon kBracketLexicon;

} // namespace readers
