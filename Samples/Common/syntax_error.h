#pragma once
// The syntax-error text of the samples' parsers, as their error procedure ErrH builds it:
// "Line 1, syntax error, found "x" when expecting <A> with one of: ...", the source line and a
// "!" under the offending character.

#include <string>

namespace samples {

// Error numbers of ErrH: no alternative of a nonterminal fits, a terminal of an alternative does
// not, or the nonterminals nest deeper than the parser allows.
enum ErrorKind { NoAlternative = 1, WrongTerminal = 2, TooDeep = 3 };

// The source line in the text: a line longer than ContextWidth is cut to at most that many
// characters, starting ContextBefore characters before the error when the error stands further in
// than ContextLead.
constexpr long ContextWidth = 120, ContextLead = 60, ContextBefore = 40;

// `src` is the whole text, `indSrc` the 1-based position of the offending character (one past the
// end at the end marker), `ll1` its code or `fin`. For NoAlternative `what` is the nonterminal and
// `expected` its expected-set text; for WrongTerminal `expected` is the terminal's character; for
// TooDeep `what` is the nonterminal at which the nesting gave up.
// Where the line that the error text shows stands in `src`: 0-based, and its length.
struct ContextRange {
    long first = 0, length = 0;
};
ContextRange ErrorContext(const std::string& src, long indSrc);

std::string SyntaxErrorText(const std::string& src, long indSrc, long ll1, long fin, int errNum,
                            const std::string& what, const std::string& expected);

// How deep the nonterminal procedures may call each other before the parse stops with a message:
// as deep as the engine's generated parsers allow. Lists are loops and do not count.
constexpr int MaxNesting = 10000;

} // namespace samples
