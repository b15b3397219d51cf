#pragma once
// The token scanner of the expression viewer: each call takes the next token of a C++ expression
// and gives it as one code in the range of a character code (CP1251), or -1 at the end, so that
// the parsers' grammars can be written over one-character terminals.

#include <string>
#include <string_view>

namespace kelvantroc {

// Codes of the tokens that are not one character standing for itself.
namespace token {
constexpr int End = -1;
constexpr int CharLiteral = 'v', StringLiteral = 'w', Number = 'x', Identifier = 'z';
// A byte from 128 on that is no part of a literal: a code that no grammar uses, so that a
// stray byte can never pass for one of the keywords' codes.
constexpr int Foreign = 128;
} // namespace token

// Reads the token after `position` (the 1-based index of the last character consumed, 0 at
// the start) in `text`: leaves `position` on the token's last character, gives the code returned
// before in `previous` and the token's characters in `lexeme`; returns the token's code.
int GetLexeme(const std::string& text, long& position, long& previous, std::string& lexeme);

// The code of the token at the start of `rest` and its length in characters (at least 1).
char ScanLexeme(std::string_view rest, long& length);

// The keyword's code character for an identifier, or "z" when it is no keyword.
char ScanKeyword(const std::string& identifier);

} // namespace kelvantroc
