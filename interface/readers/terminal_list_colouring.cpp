#include "terminal_list_colouring.h"

namespace readers {

namespace {

constexpr CharSet kLineStart = Codes({{' ', ' '}, {'0', '9'}});
constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kAll = Codes({{0, 255}});
constexpr CharSet kBlank = Codes({{' ', ' '}});
constexpr CharSet kAfterBlanks = Codes({{13, 13}, {'0', '9'}, {'c', 'c'}});
constexpr std::string_view kLineExpected = "' ' 0-9";

} // namespace

void SetTerminalListFont(std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style)
{
    TerminalListColouring({nullptr, &style, nullptr}).SetTerminalListFont(SourceStr, ErrorMsg);
}

// <SetTerminalListFont> ::= <Rule> <T-Right>; <T-Right> ::= <Rule> <T-Right> | (end)
void TerminalListColouring::SetTerminalListFont(std::string_view SourceStr, std::string& ErrorMsg)
{
    Start(SourceStr);
    bool first = true;
    List({1, ""}, "<SetTerminalListFont>", "<T-Right>", [&](const Node& n) {
        if (kLineStart.has(LL1)) {
            Rule(n);
            first = false;
            return Next::More;
        }
        if (first) Fail(n, kLineExpected);
        else if (LL1 != fin) Fail(n, "' ' 0-9 finish");
        return Next::Done;
    });
    ErrorMsg = ErrMsg;
}

// Blanks, the number, ten blanks, the terminal, blanks, "chr(" code ")", blanks, CR LF.
void TerminalListColouring::Rule(const Node& p)
{
    const Node n = Enter(p, "<Rule>");
    if (!kLineStart.has(LL1)) {
        Fail(n, kLineExpected);
        return;
    }
    Blanks(n);
    if (bad) return;
    Integer(n);
    if (bad) return;
    for (int i = 0; i < 10; ++i)
        if (!Match(n, ' ')) return;
    S().ApplyTextsFont(indSrc);
    Terminal(n);
    if (bad) return;
    S().ApplyTrmFont(indSrc);
    Blanks(n);
    if (bad) return;
    for (char c : std::string_view("chr("))
        if (!Match(n, c)) return;
    Integer(n);
    if (bad || !Match(n, ')')) return;
    Blanks(n);
    if (bad || !Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

void TerminalListColouring::Blanks(const Node& p)
{
    CharList(p, "<Blanks>", kBlank, kAfterBlanks, false, "' ' chr(13) 0-9 c");
}

void TerminalListColouring::Integer(const Node& p)
{
    bool first = true;
    List(p, "<Integer>", "<Integer0>", [&](const Node& n) {
        if (kDigits.has(LL1)) {
            const Node d = Enter(n, "<Digit>");
            CharProc(d, "<$0-9>", kDigits, "0-9");
            Complete(d);
            first = false;
            return Next::More;
        }
        if (first) Fail(n, "0-9");
        else if (LL1 != ' ' && LL1 != ')') Fail(n, "0-9 ' ' )");
        return Next::Done;
    });
}

// Any one character: the ten blanks before it are counted exactly, so even a blank, a digit
// or "c" is the terminal of its line.
void TerminalListColouring::Terminal(const Node& p)
{
    CharProc(p, "<Terminal>", kAll,
             "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) ! # %-& (-, .-; = ?-Z \\ _-z ~-" READERS_YA
             " chr(9)-chr(10) chr(13) ' ' chr(34) $ ' - < > [ ]-^ {-}");
}

} // namespace readers
