#include "formula_compiler.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "syntax_error.h"

namespace zentrav {

namespace {

// Leaves a nonterminal procedure on every path, so the nesting count stays right.
struct DepthGuard {
    explicit DepthGuard(int& depth) : Depth(depth) { ++Depth; }
    ~DepthGuard() { --Depth; }
    int& Depth;
};

std::string RightAligned(const std::string& text, size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// Each procedure's nonterminal and expected-set text, s_1 first.
const std::pair<const char*, const char*> Procedures[] = {
    {"<Zentrav>", "( + - 0-9 A-Z a-z"},
    {"<Express>", "( 0-9 A-Z a-z + -"},
    {"<Term>", "( 0-9 A-Z a-z"},
    {"<E-List>", "+ - ) finish"},
    {"<Fact>", "( 0-9 A-Z a-z"},
    {"<T-List>", "* / ) + - finish"},
    {"<P>", "( 0-9 A-Z a-z"},
    {"<F-List>", "^ )-+ - / finish"},
    {"<0-9>", "0-9"},
    {"<A-Z>", "A-Z"},
    {"<a-z>", "a-z"},
};

} // namespace

std::vector<std::pair<std::string, std::string>> FormulaCompiler::ExpectedSets()
{
    return {std::begin(Procedures), std::end(Procedures)};
}

void FormulaCompiler::ParseFormula(const std::string& SourceStr, std::string& ErrorMsg)
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
    Scan();
    s_1();
    // A formula followed by anything is not a formula.
    if (!bad && LL1 != fin) ErrH(1, "<Zentrav>", "finish");
    ErrorMsg = ErrMsg;
}

void FormulaCompiler::Scan()
{
    LL0 = LL1;
    indSrc = indSrc + 1;
    if (indSrc <= LenSrc) {
        const unsigned char c = static_cast<unsigned char>(Src[static_cast<size_t>(indSrc - 1)]);
        LL1 = LowCase ? std::tolower(c) : c;
    } else {
        LL1 = fin;
    }
}

void FormulaCompiler::ErrH(int ErrNum, const std::string& GramSymb, const std::string& ExpectedSet)
{
    bad = true;
    ErrorAt = indSrc;
    ErrMsg = samples::SyntaxErrorText(Src, indSrc, LL1, fin, ErrNum, GramSymb, ExpectedSet);
}

// Counts the procedure's nesting; past the limit the parse stops with a message.
bool FormulaCompiler::Enter(const char* GramSymb)
{
    if (Depth <= samples::MaxNesting) return true;
    if (!bad) ErrH(samples::TooDeep, GramSymb, "");
    return false;
}

// <Zentrav>
void FormulaCompiler::s_1()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[0].first)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 48 ... 57:
    case 65 ... 90:
    case 97 ... 122: // ( + - 0-9 A-Z a-z
        // <Zentrav> ::= `InitCodeGen` <Express>
        InitCodeGen();
        s_2();
        break;
    default:
        ErrH(1, Procedures[0].first, Procedures[0].second);
    }
}

// <Express>
void FormulaCompiler::s_2()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[1].first)) return;
    switch (LL1) {
    case 40:
    case 48 ... 57:
    case 65 ... 90:
    case 97 ... 122: // ( 0-9 A-Z a-z
        // <Express> ::= <Term> <E-List>
        s_3();
        if (bad) return;
        s_4();
        break;
    case 43: // +
        // <Express> ::= + <Term> <E-List>
        Scan();
        s_3();
        if (bad) return;
        s_4();
        break;
    case 45: // -
        // <Express> ::= - `PushSymbol(LL0)` <Term> `EmitCalculation(2)` <E-List>
        Scan();
        PushSymbol(LL0);
        s_3();
        if (bad) return;
        EmitCalculation(2);
        s_4();
        break;
    default:
        ErrH(1, Procedures[1].first, Procedures[1].second);
    }
}

// <Term>
void FormulaCompiler::s_3()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[2].first)) return;
    switch (LL1) {
    case 40:
    case 48 ... 57:
    case 65 ... 90:
    case 97 ... 122: // ( 0-9 A-Z a-z
        // <Term> ::= <Fact> <T-List>
        s_5();
        if (bad) return;
        s_6();
        break;
    default:
        ErrH(1, Procedures[2].first, Procedures[2].second);
    }
}

// <E-List>
void FormulaCompiler::s_4()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[3].first)) return;
    // The list's call of itself at the end of its alternative is a turn of this loop, so a long
    // formula does not nest.
    for (;;) switch (LL1) {
        case 43:
        case 45: // + -
            // <E-List> ::= + `PushSymbol(LL0)` <Term> `EmitCalculation(3)` <E-List>
            Scan();
            PushSymbol(LL0);
            s_3();
            if (bad) return;
            EmitCalculation(3);
            continue; // <E-List>
        case 41:
        case -1: // ) finish
            // <E-List> ::=
            return;
        default:
            ErrH(1, Procedures[3].first, Procedures[3].second);
            return;
        }
}

// <Fact>
void FormulaCompiler::s_5()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[4].first)) return;
    switch (LL1) {
    case 40:
    case 48 ... 57:
    case 65 ... 90:
    case 97 ... 122: // ( 0-9 A-Z a-z
        // <Fact> ::= <P> <F-List>
        s_7();
        if (bad) return;
        s_8();
        break;
    default:
        ErrH(1, Procedures[4].first, Procedures[4].second);
    }
}

// <T-List>
void FormulaCompiler::s_6()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[5].first)) return;
    for (;;) switch (LL1) {
        case 42:
        case 47: // * /
            // <T-List> ::= * `PushSymbol(LL0)` <Fact> `EmitCalculation(3)` <T-List>
            Scan();
            PushSymbol(LL0);
            s_5();
            if (bad) return;
            EmitCalculation(3);
            continue; // <T-List>
        case 41:
        case 43:
        case 45:
        case -1: // ) + - finish
            // <T-List> ::=
            return;
        default:
            ErrH(1, Procedures[5].first, Procedures[5].second);
            return;
        }
}

// <P>
void FormulaCompiler::s_7()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[6].first)) return;
    switch (LL1) {
    case 40: // (
        // <P> ::= ( <Express> )
        Scan();
        s_2();
        if (bad) return;
        if (LL1 != 41) {
            ErrH(2, " ", ")");
            return;
        }
        Scan();
        break;
    case 48 ... 57: // 0-9
        // <P> ::= <0-9> `PushSymbol(LL0)`
        s_9();
        if (bad) return;
        PushSymbol(LL0);
        break;
    case 65 ... 90: // A-Z
        // <P> ::= <A-Z> `PushSymbol(LL0)`
        s_10();
        if (bad) return;
        PushSymbol(LL0);
        break;
    case 97 ... 122: // a-z
        // <P> ::= <a-z> `PushSymbol(LL0)`
        s_11();
        if (bad) return;
        PushSymbol(LL0);
        break;
    default:
        ErrH(1, Procedures[6].first, Procedures[6].second);
    }
}

// <F-List>
void FormulaCompiler::s_8()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[7].first)) return;
    for (;;) switch (LL1) {
        case 94: // ^
            // <F-List> ::= ^ `PushSymbol(LL0)` <P> `EmitCalculation(3)` <F-List>
            Scan();
            PushSymbol(LL0);
            s_7();
            if (bad) return;
            EmitCalculation(3);
            continue; // <F-List>
        case 41 ... 43:
        case 45:
        case 47:
        case -1: // )-+ - / finish
            // <F-List> ::=
            return;
        default:
            ErrH(1, Procedures[7].first, Procedures[7].second);
            return;
        }
}

// <0-9>
void FormulaCompiler::s_9()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[8].first)) return;
    switch (LL1) {
    case 48 ... 57: // 0-9
        Scan();
        break;
    default:
        ErrH(1, Procedures[8].first, Procedures[8].second);
    }
}

// <A-Z>
void FormulaCompiler::s_10()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[9].first)) return;
    switch (LL1) {
    case 65 ... 90: // A-Z
        Scan();
        break;
    default:
        ErrH(1, Procedures[9].first, Procedures[9].second);
    }
}

// <a-z>
void FormulaCompiler::s_11()
{
    DepthGuard guard(Depth);
    if (!Enter(Procedures[10].first)) return;
    switch (LL1) {
    case 97 ... 122: // a-z
        Scan();
        break;
    default:
        ErrH(1, Procedures[10].first, Procedures[10].second);
    }
}

// Actions.

void FormulaCompiler::InitCodeGen()
{
    CellStack.clear();
    NextAddress = 100;
    Text2.clear();
    // Each operator gives at most one step, so the formula bounds the last address; cells widen
    // beyond four characters only when an address would not fit, and stay aligned.
    const auto operators = std::count_if(
        Src.begin(), Src.end(), [](char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; });
    CellWidth = std::max<size_t>(4, std::to_string(NextAddress + operators).size());
}

void FormulaCompiler::PushSymbol(long code) { CellStack += std::string(CellWidth - 1, ' ') + static_cast<char>(code); }

void FormulaCompiler::EmitCalculation(long count)
{
    NextAddress = NextAddress + 1;
    const std::string address = RightAligned(std::to_string(NextAddress), CellWidth);
    const size_t cells = CellWidth * static_cast<size_t>(count);
    const size_t from = CellStack.size() >= cells ? CellStack.size() - cells : 0;
    std::string line = CellStack.substr(from) + "   ->" + address;
    // A two-cell line is moved right so that its arrow lines up with three-cell lines.
    if (count == 2) line = std::string(CellWidth, ' ') + line;
    Text2 += line + "\r\n";
    CellStack.erase(from);
    CellStack += address;
}

} // namespace zentrav
