#include "parsers.h"

#include "cpp_parser.h"
#include "expression_parser.h"

namespace kelvantroc {

void ParseExpressionEng(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree)
{
    ExpressionParser(tree, false).Parse(SourceStr, ErrorMsg);
}

void ParseExpressionRus(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree)
{
    ExpressionParser(tree, true).Parse(SourceStr, ErrorMsg);
}

void ParseCppExpression(const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree)
{
    CppParser(tree).Parse(SourceStr, ErrorMsg);
}

namespace {

template <class Parser>
void Run(Parser&& parser, const std::string& SourceStr, std::string& ErrorMsg, long* errorPosition)
{
    parser.Parse(SourceStr, ErrorMsg);
    if (errorPosition) *errorPosition = parser.ErrorPosition();
}

} // namespace

void Parse(Grammar grammar, const std::string& SourceStr, std::string& ErrorMsg, DerivationTree& tree,
           long* errorPosition)
{
    switch (grammar) {
    case Grammar::English:
        Run(ExpressionParser(tree, false), SourceStr, ErrorMsg, errorPosition);
        break;
    case Grammar::Russian:
        Run(ExpressionParser(tree, true), SourceStr, ErrorMsg, errorPosition);
        break;
    case Grammar::Cpp:
        Run(CppParser(tree), SourceStr, ErrorMsg, errorPosition);
        break;
    }
}

std::vector<std::pair<std::string, std::string>> ExpectedSets(Grammar grammar)
{
    std::vector<std::pair<std::string, std::string>> sets;
    DerivationTree unused;
    if (grammar == Grammar::Cpp) {
        const CppParser parser(unused);
        for (int n = 1; n <= CppParser::Count(); ++n) sets.emplace_back(parser.Name(n), CppParser::Expected(n));
    } else {
        const ExpressionParser parser(unused, grammar == Grammar::Russian);
        for (int n = parser.StartSymbol; n <= ExpressionParser::Count(); ++n)
            sets.emplace_back(parser.Name(n), ExpressionParser::Expected(n));
    }
    return sets;
}

} // namespace kelvantroc
