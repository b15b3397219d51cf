#include "parser_frame.h"

#include "syntax_error.h"

namespace kelvantroc {

void ParserFrame::Start(const std::string& SourceStr)
{
    Src = SourceStr;
    indSrc = 0;
    LenSrc = static_cast<long>(Src.size());
    ErrMsg = "";
    bad = false;
    fin = -1;
    LowCase = false;
    Depth = 0;
    Lexeme.clear();
}

void ParserFrame::ErrH(int ErrNum, const std::string& GramSymb, const std::string& ExpectedSet)
{
    bad = true;
    ErrMsg = samples::SyntaxErrorText(Src, indSrc, LL1, fin, ErrNum, GramSymb, ExpectedSet);
}

bool ParserFrame::TooDeep(const std::string& thisNode)
{
    if (Depth <= samples::MaxNesting) return false;
    if (!bad) ErrH(samples::TooDeep, thisNode, "");
    return true;
}

}  // namespace kelvantroc
