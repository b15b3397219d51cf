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
    ErrorAt = 0;
    Lexeme.clear();
}

void ParserFrame::ErrH(int ErrNum, const std::string& GramSymb, const std::string& ExpectedSet)
{
    bad = true;
    ErrorAt = indSrc;
    // A stray byte is reported as itself rather than as the code it shares with all others.
    const long found = LL1 == token::Foreign && !Lexeme.empty() ? static_cast<unsigned char>(Lexeme[0]) : LL1;
    ErrMsg = samples::SyntaxErrorText(Src, indSrc, found, fin, ErrNum, GramSymb, ExpectedSet);
}

bool ParserFrame::TooDeep(const std::string& thisNode)
{
    if (Depth <= samples::MaxNesting) return false;
    if (!bad) ErrH(samples::TooDeep, thisNode, "");
    return true;
}

} // namespace kelvantroc
