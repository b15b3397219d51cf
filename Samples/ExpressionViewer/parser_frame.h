#pragma once
// What the viewer's three parsers share: the state of a parser in the generated shape, read
// token by token through the scanner, the error procedure, the nesting count and the tree hooks.

#include <string>
#include <vector>

#include "derivation_tree.h"

namespace kelvantroc {

class ParserFrame {
public:
    // The 1-based position of the character at fault in the last text; 0 after a success.
    long ErrorPosition() const { return ErrorAt; }

protected:
    explicit ParserFrame(DerivationTree& tree) : Tree(tree) {}

    // The entry's steps around the start symbol's procedure `start`: set up, read the first
    // token, parse, and report text after a complete expression.
    template <class Parser>
    void Run(Parser& parser, void (Parser::*start)(long, const std::string&), const std::string& SourceStr,
             std::string& ErrorMsg);

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

    // A procedure's call of itself at the end of an alternative, as a turn of the procedure's
    // loop: a list of any length does not nest. The tree still gets one node per turn, each
    // under the node of the turn before, and the nodes of the turns are completed innermost
    // first when the procedure leaves, on every path, as the nested calls would complete them.
    class TailCalls {
    public:
        TailCalls(ParserFrame& p, long parentIndex, const std::string& parentNode, const std::string& thisNode)
                : P(p), Parent(parentIndex), ParentName(&parentNode), Name(thisNode)
        {}
        ~TailCalls()
        {
            for (auto at = Open.rbegin(); at != Open.rend(); ++at) P.CompleteNode(*at, Name, P.indSrc);
        }
        TailCalls(const TailCalls&) = delete;
        TailCalls& operator=(const TailCalls&) = delete;

        long ParentIndex() const { return Parent; }
        const std::string& ParentNode() const { return *ParentName; }
        // The node of this turn becomes the parent of the next turn's node.
        void Repeat(long thisIndex)
        {
            Open.push_back(thisIndex);
            Parent = thisIndex;
            ParentName = &Name;
        }

    private:
        ParserFrame& P;
        long Parent;
        const std::string* ParentName;
        const std::string& Name;
        std::vector<long> Open;
    };

    long LL1 = 0, LL0 = 0;
    bool bad = false;
    std::string ErrMsg, Src, Lexeme;
    long indSrc = 0, LenSrc = 0;
    long fin = -1;
    bool LowCase = false;
    int Depth = 0;
    long ErrorAt = 0;
    DerivationTree& Tree;

private:
    void Start(const std::string& SourceStr);
};

} // namespace kelvantroc

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
