#include "terminal_reader.h"

#include <vector>

namespace readers {

namespace {

constexpr RangeProc kRangeProcs[] = {
    {0, 8, "<chr0-chr8>"},
    {10, 12, "<chr10-chr12>"},
    {14, 31, "<chr14-chr31>"},
    {126, 255, "<~-chr255>"},
};

constexpr CharSet kNotSpace = AllBut({9, 10, 13, 32});
constexpr CharSet kSingle = Codes({{0, 8}, {11, 12}, {14, 31}, {33, 33}, {35, 38}, {40, 255}});
constexpr CharSet kAll = Codes({{0, 255}});
constexpr CharSet kNotDash = AllBut({'-'});
constexpr CharSet kNotLineEnd = AllBut({10, 13});
constexpr CharSet kListFirst = AllBut({10, 13, '#'});
constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kHexDigits = Codes({{'0', '9'}, {'A', 'F'}, {'a', 'f'}});

const CodeForm kCodeForm{Codes({{'"', '#'}, {'\'', '\''}, {'-', '-'}}), "0-9 chr(34)-# ' -",
                         "0-9 A-F a-f chr(34)-# ' -", false};

} // namespace

struct TerminalReader::QuoteKind {
    int quote;
    std::string_view content, list, character, codes, termList, regList, regStar, reg, regChar;
    std::string_view contentExpected, characterExpected, codesExpected, regStarExpected, regExpected, regCharExpected;
    CharSet inString; // all but LF, CR and the quote
    CharSet inList; // all but LF, CR, the quote and "-"
};

namespace {

const TerminalReader::QuoteKind kSingleQuote{
    '\'',
    "<Quote content>",
    "<''String list''>",
    "<''String character''>",
    "<$Quote content_''>",
    "<''Terminal list''>",
    "<''Regular Terminal list''>",
    "<''Regular Terminal''*>",
    "<''Regular Terminal''>",
    "<''^Terminal character''>",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(38) (-" READERS_YA " '",
    "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-& (-} chr(14)-chr(31) ~-" READERS_YA,
    "0-9 # ^",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(38) (-, .-" READERS_YA " '",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(38) (-, .-" READERS_YA,
    "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-& (-, .-} chr(14)-chr(31) ~-" READERS_YA,
    AllBut({10, 13, '\''}),
    AllBut({10, 13, '\'', '-'}),
};

const TerminalReader::QuoteKind kDoubleQuote{
    '"',
    "<Double quote content>",
    "<\"String list\">",
    "<\"String character\">",
    "<$Double quote content_\">",
    "<\"Terminal list\">",
    "<\"Regular Terminal list\">",
    "<\"Regular Terminal\"*>",
    "<\"Regular Terminal\">",
    "<\"^Terminal character\">",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) #-" READERS_YA " chr(34)",
    "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-! #-} chr(14)-chr(31) ~-" READERS_YA,
    "0-9 A-F a-f # ^",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) #-, .-" READERS_YA " chr(34)",
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) #-, .-" READERS_YA,
    "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-! #-, .-} chr(14)-chr(31) ~-" READERS_YA,
    AllBut({10, 13, '"'}),
    AllBut({10, 13, '"', '-'}),
};

} // namespace

TerminalReader::TerminalReader(const ReaderHooks& hooks) : ReaderFrame(hooks, kRangeProcs) {}

void TerminalReader::ParseTerminal(std::string_view callerSrc, Pos& callerInd, std::string& callerErrMsg,
                                   bool& callerBad, Pos parentIndex, std::string_view parentNode)
{
    // The terminal begins at a character of the text, or at its end (where it is missing).
    if (callerInd < 1 || callerInd > static_cast<Pos>(callerSrc.size()) + 1)
        throw ReaderFailure("A terminal is read from position " + std::to_string(callerInd) + ", outside the text of " +
                            std::to_string(callerSrc.size()) + " characters.");
    ListenToTree();
    Src = callerSrc;
    indSrc = 0;
    LenSrc = static_cast<Pos>(Src.size());
    ErrMsg.clear();
    bad = false;
    LowCase = false;
    indSrc = callerInd - 1;
    Scan();
    Terminals({parentIndex, parentNode});
    callerErrMsg = ErrMsg;
    // After an error the terminal's end is unknown; the error position is the honest answer.
    callerInd = bad ? indSrc : TerminalEnd;
    callerBad = bad;
}

void TerminalReader::NamedChar(const Node& n, std::string_view name, const CharSet& set, std::string_view expected)
{
    S().ApplyTextsFont(indSrc);
    B().BKSNAI();
    CharProc(n, name, set, expected);
    if (bad) return;
    B().BKSSYM(LL0);
    S().ApplyTrmFont(indSrc);
}

void TerminalReader::Terminals(const Node& p)
{
    const Node n = Enter(p, "<Terminals>");
    if (!kNotSpace.has(LL1)) {
        Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-" READERS_YA);
        return;
    }
    Terminal(n);
    if (bad) return;
    TerminalRange(n);
    if (bad) return;
    Complete(n);
}

void TerminalReader::Terminal(const Node& p)
{
    const Node n = Enter(p, "<Terminal>");
    if (kSingle.has(LL1)) {
        NamedChar(n, "<Terminal Character>", kSingle,
                  "chr(0)-chr(8) chr(11)-chr(12) ! #-& (-} chr(14)-chr(31) ~-" READERS_YA);
    } else if (LL1 == '\'' || LL1 == '"') {
        Consume(n);
        QuoteContent(n, LL0 == '\'' ? kSingleQuote : kDoubleQuote);
    } else {
        Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) ! #-& (-" READERS_YA " ' chr(34)");
        return;
    }
    if (bad) return;
    Complete(n);
}

void TerminalReader::TerminalRange(const Node& p)
{
    const Node n = Enter(p, "<Terminal range>");
    if (LL1 == '-') {
        B().BKSTRB();
        Consume(n);
        Terminal(n);
        if (bad) return;
        B().BKSTRE();
        TerminalEnd = indSrc - 1;
        // The next Scan gives the end marker: the character after the terminal is read
        // only for the tree.
        LenSrc = indSrc - 1;
        CharProc(n, "<Exit character range>", kAll,
                 "chr(0)-chr(8) chr(9) chr(13) ' '-} chr(10)-chr(12) chr(14)-chr(31) ~-" READERS_YA);
    } else if (LL1 != fin) {
        B().BKSTRM();
        TerminalEnd = indSrc - 1;
        LenSrc = indSrc - 1;
        CharProc(n, "<Exit character>", kNotDash,
                 "chr(0)-chr(8) chr(9) chr(13) ' '-, .-} chr(10)-chr(12) chr(14)-chr(31) ~-" READERS_YA);
    } else {
        B().BKSTRM();
        TerminalEnd = indSrc - 1;
    }
    if (bad) return;
    Complete(n);
}

void TerminalReader::QuoteContent(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.content);
    if (k.inString.has(LL1)) {
        S().ApplyTextsFont(indSrc);
        B().BKSNAI();
        CharProc(n, k.character, k.inString, k.characterExpected);
        if (bad) return;
        B().BKSSYM(LL0);
        StringList(n, k);
        if (bad) return;
        S().ApplyTrmFont(indSrc);
        if (!Match(n, k.quote)) return;
    } else if (LL1 == k.quote) {
        Consume(n);
        CodeContent(n, k);
        if (bad) return;
    } else {
        Fail(n, k.contentExpected);
        return;
    }
    Complete(n);
}

void TerminalReader::StringList(const Node& p, const QuoteKind& k)
{
    Node n = Enter(p, k.list);
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (k.inString.has(LL1)) {
            B().BKSTRM();
            B().BKSNAI();
            CharProc(n, k.character, k.inString, k.characterExpected);
            if (bad) return;
            B().BKSSYM(LL0);
            PushNested(n);
            Descend(n, k.list);
            continue;
        }
        if (LL1 == k.quote) break;
        Fail(n, k.contentExpected);
        return;
    }
    CompleteNested(n, base);
}

void TerminalReader::CodeContent(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.codes);
    const bool hex = k.quote == '"';
    if (hex ? kHexDigits.has(LL1) : kDigits.has(LL1)) {
        S().ApplyTextsFont(indSrc);
        B().BKSNAI();
        CodeValue = 0;
        Number(n, hex, kCodeForm);
        if (bad) return;
        B().BKSSYM(CodeValue);
        S().ApplyTrmFont(indSrc);
    } else if (LL1 == '#') {
        LowCase = true;
        Consume(n);
        LowCase = false;
        Ascii(n, kCodeForm);
        if (bad) return;
    } else if (LL1 == '^') {
        B().BKSBRS();
        Consume(n);
        B().BKSNEG();
        TerminalList(n, k);
        if (bad) return;
        B().BKSPOS();
        B().BKSWBC();
    } else {
        Fail(n, k.codesExpected);
        return;
    }
    if (!Match(n, k.quote)) return;
    if (!Match(n, k.quote)) return;
    Complete(n);
}

void TerminalReader::TerminalList(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.termList);
    if (LL1 == '#') {
        AsciiTerminalList(n);
    } else if (kListFirst.has(LL1)) {
        RegularTerminalList(n, k);
    } else {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(34) $-" READERS_YA " #");
        return;
    }
    if (bad) return;
    Complete(n);
}

void TerminalReader::RegularTerminalList(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.regList);
    if (!kListFirst.has(LL1)) {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(34) $-" READERS_YA);
        return;
    }
    RegularTerminalFirst(n);
    if (bad) return;
    RegularTerminals(n, k);
    if (bad) return;
    Complete(n);
}

void TerminalReader::RegularTerminalFirst(const Node& p)
{
    const Node n = Enter(p, "<Regular Terminal first>");
    if (!kListFirst.has(LL1)) {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(34) $-" READERS_YA);
        return;
    }
    NamedChar(n, "<^First character>", kListFirst,
              "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-chr(34) $-} chr(14)-chr(31) ~-" READERS_YA);
    if (bad) return;
    RegularTerminalRange(n);
    if (bad) return;
    Complete(n);
}

void TerminalReader::RegularTerminals(const Node& p, const QuoteKind& k)
{
    Node n = Enter(p, k.regStar);
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (k.inList.has(LL1)) {
            RegularTerminal(n, k);
            if (bad) return;
            PushNested(n);
            Descend(n, k.regStar);
            continue;
        }
        if (LL1 == k.quote) break;
        Fail(n, k.regStarExpected);
        return;
    }
    CompleteNested(n, base);
}

void TerminalReader::RegularTerminal(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.reg);
    if (!k.inList.has(LL1)) {
        Fail(n, k.regExpected);
        return;
    }
    NamedChar(n, k.regChar, k.inList, k.regCharExpected);
    if (bad) return;
    RegularTerminalRange(n);
    if (bad) return;
    Complete(n);
}

void TerminalReader::RegularTerminalRange(const Node& p)
{
    const Node n = Enter(p, "<Regular Terminal range>");
    if (LL1 == '-') {
        B().BKSTRB();
        Consume(n);
        RegularTerminalSecond(n);
        if (bad) return;
        B().BKSTRF();
    } else if (kNotLineEnd.has(LL1)) {
        B().BKSTRL();
    } else {
        Fail(n, "- chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(44) .-" READERS_YA);
        return;
    }
    Complete(n);
}

void TerminalReader::RegularTerminalSecond(const Node& p)
{
    const Node n = Enter(p, "<Regular Terminal second>");
    if (!kNotLineEnd.has(LL1)) {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255)");
        return;
    }
    NamedChar(n, "<^Second character>", kNotLineEnd,
              "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-} chr(14)-chr(31) ~-" READERS_YA);
    if (bad) return;
    Complete(n);
}

void TerminalReader::AsciiTerminalList(const Node& p)
{
    const Node n = Enter(p, "<ASCII Terminal list>");
    if (LL1 != '#') {
        Fail(n, "#");
        return;
    }
    AsciiTerminal(n, false);
    if (bad) return;
    AsciiTerminals(n);
    if (bad) return;
    Complete(n);
}

// "<ASCII Terminal>", or "<ASCII Terminal second>" (the upper bound, without a range).
void TerminalReader::AsciiTerminal(const Node& p, bool second)
{
    const Node n = Enter(p, second ? "<ASCII Terminal second>" : "<ASCII Terminal>");
    if (LL1 != '#') {
        Fail(n, "#");
        return;
    }
    // The radix letter after "#" is read in any case.
    LowCase = true;
    Consume(n);
    LowCase = false;
    Ascii(n, kCodeForm);
    if (bad) return;
    if (!second) {
        AsciiTerminalRange(n);
        if (bad) return;
    }
    Complete(n);
}

void TerminalReader::AsciiTerminalRange(const Node& p)
{
    const Node n = Enter(p, "<ASCII Terminal range>");
    if (LL1 == '-') {
        B().BKSTRB();
        Consume(n);
        AsciiTerminal(n, true);
        if (bad) return;
        B().BKSTRF();
    } else if (LL1 == '"' || LL1 == '#' || LL1 == '\'') {
        B().BKSTRL();
    } else {
        Fail(n, "- chr(34)-# '");
        return;
    }
    Complete(n);
}

void TerminalReader::AsciiTerminals(const Node& p)
{
    Node n = Enter(p, "<ASCII Terminal*>");
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (LL1 == '#') {
            AsciiTerminal(n, false);
            if (bad) return;
            PushNested(n);
            Descend(n, "<ASCII Terminal*>");
            continue;
        }
        if (LL1 == '"' || LL1 == '\'') break;
        Fail(n, "# chr(34) '");
        return;
    }
    CompleteNested(n, base);
}

} // namespace readers
