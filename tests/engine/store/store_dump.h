#pragma once
// Test support: the grammar store as text, and builder call sequences written as scripts.

#include <string>

namespace mv {
class Engine;
}

namespace store_test {

// One line per alternative, in grammar order: "<S> ::= <A> \"b\" `act` #" (a nonterminal in
// angle brackets, a terminal in double quotes, an action in backquotes, an empty element as #);
// a nonterminal without alternatives gives "<A> ::= ?". Codes outside 32..126 and the
// characters \ and " inside names are written as \ and the decimal code (\9, \300).
std::string DumpRules(const mv::Engine& eng);
// The terminal chain: the quoted names separated by blanks.
std::string DumpTerminals(const mv::Engine& eng);
// One line per action: "`name` ::= line1 | line2" (line texts as names).
std::string DumpActions(const mv::Engine& eng);
// A name chain written as in the dumps, without quotes.
std::string NameOf(const mv::Engine& eng, int first, int last);

// Runs builder calls through the library's exports. Tokens are separated by blanks:
//   INIT           BnfParserInit with language 0, no folder, options off
//   N:text         BKSNAI, then BKSSYM per character of text
//   C:code         BKSSYM with a code
//   S:text         BKSS per character;  SC:code  BKSS with a code
//   T:text         BKSSTS per character
//   ACT NLI GMN NL NTM TRM ACR NUL END ACL ACB STM, the option selectors (PRG EXT NXT ERJ OFF
//   VLW PSH VLR POP ON DEC BEG POST), the group and class entries (BRO BRC BRT BCO BCN BC1
//   BCR BCC RPT WBO W3C WBR WBQ NEX TRB TRE BRS NEG TRL TRF POS WBC) and SYN: the entry
//   named BKS + token.
// Throws std::invalid_argument on an unknown token.
void RunScript(const std::string& script);

}  // namespace store_test
