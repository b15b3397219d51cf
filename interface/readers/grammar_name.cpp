#include "grammar_name.h"

#include <vector>

namespace readers {

namespace {
constexpr CharSet kUpper = Codes({{'A', 'Z'}});
constexpr CharSet kLower = Codes({{'a', 'z'}});
constexpr CharSet kLetters = Codes({{'A', 'Z'}, {'a', 'z'}});
constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kNameChars = Codes({{'0', '9'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}});
} // namespace

void Grammar_Name(std::string_view SourceStr, std::string& ErrorMsg)
{
    GrammarNameReader().Grammar_Name(SourceStr, ErrorMsg);
}

// Built without tree hooks: the node calls below reach the null hooks only.
void GrammarNameReader::Grammar_Name(std::string_view SourceStr, std::string& ErrorMsg)
{
    Start(SourceStr);
    const Node n = Enter({1, ""}, "<Grammar_Name>");
    if (kLetters.has(LL1)) {
        Letter(n);
        if (!bad) Rest(n);
    } else {
        Fail(n, "A-Z a-z");
    }
    ErrorMsg = ErrMsg;
}

void GrammarNameReader::Letter(const Node& p)
{
    const Node n = Enter(p, "<Letter>");
    if (kUpper.has(LL1)) CharProc(n, "<A-Z>", kUpper, "A-Z");
    else if (kLower.has(LL1)) CharProc(n, "<a-z>", kLower, "a-z");
    else Fail(n, "A-Z a-z");
}

void GrammarNameReader::Digit(const Node& p)
{
    const Node n = Enter(p, "<Digit>");
    if (kDigits.has(LL1)) CharProc(n, "<0-9>", kDigits, "0-9");
    else Fail(n, "0-9");
}

// "<{1}-list>", then "<{1}-right>" once per further character.
void GrammarNameReader::Rest(const Node& p)
{
    Node n = Enter(p, "<{1}-list>");
    for (;;) {
        if (kNameChars.has(LL1)) {
            Item(n);
            if (bad) return;
            Descend(n, "<{1}-right>");
            continue;
        }
        if (LL1 == fin) return;
        Fail(n, "0-9 A-Z _ a-z finish");
        return;
    }
}

void GrammarNameReader::Item(const Node& p)
{
    const Node n = Enter(p, "<{1}>");
    if (kLetters.has(LL1)) Letter(n);
    else if (kDigits.has(LL1)) Digit(n);
    else if (LL1 == '_') Consume(n);
    else Fail(n, "A-Z a-z 0-9 _");
}

} // namespace readers
