#include "terminal_list_colouring.h"

#include <vector>

namespace readers {

namespace {

constexpr CharSet kLineStart = Codes({{' ', ' '}, {'0', '9'}});
constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kAll = Codes({{0, 255}});
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
    const Node n = Enter({1, ""}, "<SetTerminalListFont>");
    if (!kLineStart.has(LL1)) {
        Fail(n, kLineExpected);
    } else {
        Rule(n);
        Node r = n;
        std::vector<Node> outer;
        while (!bad) {
            outer.push_back(r);
            r = Enter(r, "<T-Right>");
            if (kLineStart.has(LL1)) {
                Rule(r);
            } else if (LL1 == fin) {
                CompleteNested(r, outer);
                break;
            } else {
                Fail(r, "' ' 0-9 finish");
            }
        }
    }
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
    Node n = Enter(p, "<Blanks>");
    std::vector<Node> outer;
    while (LL1 == ' ') {
        Consume(n);
        outer.push_back(n);
        n = Enter(n, "<Blanks>");
    }
    if (LL1 != '\r' && LL1 != 'c' && !kDigits.has(LL1)) {
        Fail(n, "' ' chr(13) 0-9 c");
        return;
    }
    CompleteNested(n, outer);
}

void TerminalListColouring::Integer(const Node& p)
{
    Node n = Enter(p, "<Integer>");
    std::vector<Node> outer;
    for (;;) {
        if (kDigits.has(LL1)) {
            const Node d = Enter(n, "<Digit>");
            CharProc(d, "<$0-9>", kDigits, "0-9");
            Complete(d);
            outer.push_back(n);
            n = Enter(n, "<Integer0>");
            continue;
        }
        if (outer.empty()) {
            Fail(n, "0-9");
            return;
        }
        if (LL1 == ' ' || LL1 == ')') break;
        Fail(n, "0-9 ' ' )");
        return;
    }
    CompleteNested(n, outer);
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
