#pragma once
// What the viewer's three parsers share: the state of a parser in the generated shape, read
// token by token through the scanner, the error procedure, the nesting count and the tree hooks.

#include <string>

#include "derivation_tree.h"

namespace kelvantroc {

class ParserFrame {
protected:
    explicit ParserFrame(DerivationTree& tree) : Tree(tree) {}

    // The entry's steps around the start symbol's procedure `start`: set up, read the first
    // token, parse, and report text after a complete expression.
    template <class Parser>
    void Run(Parser& parser, void (Parser::*start)(long, const std::string&),
             const std::string& SourceStr, std::string& ErrorMsg);

    void ErrH(int ErrNum, const std::string& GramSymb, const std::string& ExpectedSet);

    // Position of the current token's first character, which names the node of a procedure.
    long ThisIndex() const { return indSrc - static_cast<long>(Lexeme.size()) + 1; }
    // True, after reporting it once, when the procedures nest deeper than the limit.
    bool TooDeep(const std::string& thisNode);

    void NewNode(long parentIndex, const std::string& parentNode, long thisIndex, const std::string& thisNode)
    {
        Tree.NewNode(parentIndex, parentNode, thisIndex, thisNode);
    }
    void NewLeaf(long thisIndex, const std::string& thisNode, long position, const std::string& token)
    {
        Tree.NewLeaf(thisIndex, thisNode, position, token);
    }
    void CompleteNode(long thisIndex, const std::string& thisNode, long position)
    {
        Tree.CompleteNode(thisIndex, thisNode, position);
    }

    // Counts one procedure's nesting for as long as it runs.
    struct Frame {
        explicit Frame(ParserFrame& p) : P(p) { ++P.Depth; }
        ~Frame() { --P.Depth; }
        ParserFrame& P;
    };

    long LL1 = 0, LL0 = 0;
    bool bad = false;
    std::string ErrMsg, Src, Lexeme;
    long indSrc = 0, LenSrc = 0;
    long fin = -1;
    bool LowCase = false;
    int Depth = 0;
    DerivationTree& Tree;

private:
    void Start(const std::string& SourceStr);
};

}  // namespace kelvantroc

#include "scanner.h"

template <class Parser>
void kelvantroc::ParserFrame::Run(Parser& parser, void (Parser::*start)(long, const std::string&),
                                  const std::string& SourceStr, std::string& ErrorMsg)
{
    Start(SourceStr);
    LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
    (parser.*start)(1, "");
    // An expression followed by more text is not an expression.
    if (!bad && LL1 != fin) ErrH(1, parser.Name(parser.StartSymbol), "finish");
    ErrorMsg = ErrMsg;
}
