#pragma once
// The viewer's three parsers. Each takes the source text and gives back an error text that is
// empty when the text is an expression of its grammar; while it runs it builds the derivation
// tree through the tree's hooks (the caller clears the tree first).

#include <string>
#include <utility>
#include <vector>

#include "derivation_tree.h"

namespace kelvantroc {

enum class Grammar { English, Russian, Cpp };

void ParseExpressionEng(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree);
void ParseExpressionRus(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree);
void ParseCppExpression(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree);
// As the three above; `errorPosition`, when given, gets the 1-based position of the character at
// fault (0 after a success).
void Parse(Grammar grammar, const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree,
           long* errorPosition = nullptr);

// Every nonterminal of the grammar, in procedure order, with the expected-set text that its
// procedure reports when no alternative fits.
std::vector<std::pair<std::string, std::string>> ExpectedSets(Grammar grammar);

} // namespace kelvantroc
