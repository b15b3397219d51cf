#include "document_colouring.h"

#include <vector>

namespace readers {

namespace {

constexpr CharSet kBase = Codes({{0, 8},
                                 {11, 12},
                                 {14, 31},
                                 {35, 35},
                                 {37, 38},
                                 {40, 44},
                                 {46, 46},
                                 {48, 59},
                                 {61, 61},
                                 {63, 90},
                                 {92, 92},
                                 {94, 95},
                                 {97, 122},
                                 {126, 255}});
constexpr CharSet kNameChar = AllBut({9, 10, 13, '>'});
constexpr CharSet kActionChar = AllBut({9, 10, 13, '`'});
constexpr CharSet kLineChar = AllBut({10, 13});
constexpr CharSet kPlainTerminal = Codes({{0, 8},
                                          {11, 12},
                                          {14, 31},
                                          {33, 33},
                                          {35, 38},
                                          {40, 44},
                                          {46, 59},
                                          {61, 90},
                                          {92, 92},
                                          {94, 95},
                                          {97, 122},
                                          {126, 255}});
constexpr CharSet kLabelChar =
    Codes({{0, 8}, {11, 12}, {14, 31}, {35, 35}, {37, 38}, {40, 46}, {48, 59}, {61, 95}, {97, 123}, {125, 255}});
constexpr CharSet kNotationStart = Codes({{0, 9}, {11, 12}, {14, 33}, {35, 35}, {37, 46}, {48, 255}});
constexpr CharSet kRuleStart = Codes({{0, 8}, {11, 12}, {14, 31}, {35, 35}, {37, 38}, {40, 46}, {48, 95}, {97, 255}});
constexpr CharSet kRightPart = Codes({{0, 9}, {11, 44}, {46, 90}, {92, 92}, {94, 122}, {124, 124}, {126, 255}});
constexpr CharSet kSymbolStart =
    Codes({{0, 8}, {11, 12}, {14, 31}, {33, 44}, {46, 90}, {92, 92}, {94, 122}, {126, 255}});
constexpr CharSet kTermRangeEnd = kRightPart;
constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kBlank = Codes({{9, 9}, {32, 32}});
constexpr CharSet kStatementStart = AllBut({10});

#define DOC_BASE_EXPECTED "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-, . 0-; = ?-Z \\ ^-_ a-z ~-" READERS_YA
constexpr std::string_view kNotationExpected =
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) # %-. 0-" READERS_YA " finish";
constexpr std::string_view kSymbolsExpected =
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-, .-Z \\ ^-z ~-" READERS_YA " chr(13) |";
constexpr std::string_view kLineContentsExpected = "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)";

struct Sub {
    int lo, hi;
    std::string_view name, expected;
};
constexpr Sub kBasicSubs[] = {
    {'0', '9', "<$0-9>", "0-9"},
    {'A', 'Z', "<$A-Z>", "A-Z"},
    {'a', 'z', "<$a-z>", "a-z"},
    {0, 8, "<$chr0-chr8>", "chr(0)-chr(8)"},
    {14, 31, "<$chr14-chr31>", "chr(14)-chr(31)"},
    {127, 255, "<$chr127-chr255>", "''127''-" READERS_YA},
};

} // namespace

void BNFSetDocFonts2(std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style)
{
    DocumentColouring({nullptr, &style, nullptr}).BNFSetDocFonts2(SourceStr, ErrorMsg);
}

void DocumentColouring::BNFSetDocFonts2(std::string_view SourceStr, std::string& ErrorMsg)
{
    Start(SourceStr);
    const Node n = Enter({1, ""}, "<BNFSetDocFonts2>");
    if (LL1 != fin && !kNotationStart.has(LL1)) {
        Fail(n, kNotationExpected);
    } else {
        Notation(n);
        if (!bad) Complete(n);
    }
    ErrorMsg = ErrMsg;
}

// <Notation> ::= <Blanks> <Notation contents>; every line but the empty end is followed by a
// further <Notation>: a loop, one round per line.
void DocumentColouring::Notation(const Node& p)
{
    const NodeStack::Mark outer = NestedBase();
    Node parent = p;
    for (;;) {
        const Node n = Enter(parent, "<Notation>");
        if (LL1 != fin && !kNotationStart.has(LL1)) {
            Fail(n, kNotationExpected);
            return;
        }
        Blanks(n);
        if (bad) return;
        const Node c = Enter(n, "<Notation contents>");
        PushNested(n);
        if (kRuleStart.has(LL1)) Rule(c);
        else if (LL1 == '`') Action(c);
        else if (LL1 == '\'') LineComment(c, false);
        else if (LL1 == '!') LineComment(c, true);
        else if (LL1 == fin) {
            CompleteNested(c, outer);
            return;
        } else {
            Fail(c, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-. 0-_ a-" READERS_YA " ` ' ! finish");
            return;
        }
        if (bad) return;
        PushNested(c);
        parent = c;
    }
}

void DocumentColouring::Blanks(const Node& p)
{
    CharList(p, "<Blanks>", kBlank, AllBut({10}), true,
             "chr(9) ' ' chr(0)-chr(8) chr(11)-chr(31) !-" READERS_YA " finish");
}

void DocumentColouring::Rule(const Node& p)
{
    const Node n = Enter(p, "<Rule>");
    if (kLabelChar.has(LL1) || LL1 == '<') {
        Label(n);
        if (bad) return;
        Nonterminal(n);
        if (bad) return;
        Blanks(n);
        if (bad) return;
        Definition(n);
        if (bad) return;
    } else if (LL1 == '|') {
        Consume(n);
        RightPart(n);
        if (bad) return;
        RightParts(n);
        if (bad) return;
    } else {
        Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-. 0-_ a-{ }-" READERS_YA " |");
        return;
    }
    if (!Expect(n, '\r') || !Expect(n, '\n')) return;
    Complete(n);
}

void DocumentColouring::Action(const Node& p)
{
    const Node n = Enter(p, "<Action>");
    if (LL1 != '`') {
        Fail(n, "`");
        return;
    }
    ActionSymbol(n);
    for (int c : {':', ':', '='}) {
        if (bad) return;
        Blanks(n);
        if (bad || !Expect(n, c)) return;
    }
    Statement(n);
    if (bad) return;
    Complete(n);
}

// A "'" comment line (comments' font) or a "!" error line (errors' font).
void DocumentColouring::LineComment(const Node& p, bool error)
{
    const int mark = error ? '!' : '\'';
    const Node n = Enter(p, error ? "<Error>" : "<Comment>");
    if (LL1 != mark) {
        Fail(n, error ? "!" : "'");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    LineContents(n, "<Comment contents>");
    if (bad) return;
    if (error) S().ApplyErrorFont(indSrc);
    else S().ApplyCnsFont(indSrc);
    if (!Expect(n, '\r') || !Expect(n, '\n')) return;
    Complete(n);
}

void DocumentColouring::Label(const Node& p)
{
    List(p, "<Label>", [&](const Node& n) {
        if (kLabelChar.has(LL1)) {
            SetChar(n, "<Label set>", kLabelChar, DOC_BASE_EXPECTED " - > [ ] { }");
            if (!bad) Blanks(n);
            return Next::More;
        }
        if (LL1 != '<')
            Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-. 0-; =-_ a-{ }-" READERS_YA " <");
        return Next::Done;
    });
}

void DocumentColouring::Nonterminal(const Node& p)
{
    const Node n = Enter(p, "<Nonterminal>");
    if (LL1 != '<') {
        Fail(n, "<");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    Name(n, false);
    if (bad || !Expect(n, '>')) return;
    S().ApplyNtmFont(indSrc);
    Complete(n);
}

// "::=" or "->" and the alternatives, or nothing: a nonterminal alone on its line.
void DocumentColouring::Definition(const Node& p)
{
    const Node n = Enter(p, "<Rule ::=...>");
    if (LL1 == '-') {
        Consume(n);
        Blanks(n);
        if (bad || !Expect(n, '>')) return;
    } else if (LL1 == ':') {
        Consume(n);
        Blanks(n);
        if (bad || !Expect(n, ':')) return;
        Blanks(n);
        if (bad || !Expect(n, '=')) return;
    } else if (LL1 == '\r') {
        Complete(n);
        return;
    } else {
        Fail(n, ": - chr(13)");
        return;
    }
    RightPart(n);
    if (bad) return;
    RightParts(n);
    if (bad) return;
    Complete(n);
}

void DocumentColouring::RightPart(const Node& p)
{
    const Node n = Enter(p, "<Right part>");
    if (!kRightPart.has(LL1)) {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(44) .-Z \\ ^-z | ~-" READERS_YA);
        return;
    }
    Blanks(n);
    if (bad) return;
    GrammaticalSymbols(n);
    if (bad) return;
    Complete(n);
}

void DocumentColouring::RightParts(const Node& p)
{
    List(p, "<Right parts>", [&](const Node& n) {
        if (LL1 == '|') {
            Consume(n);
            RightPart(n);
            return Next::More;
        }
        if (LL1 != '\r') Fail(n, "| chr(13)");
        return Next::Done;
    });
}

void DocumentColouring::ActionSymbol(const Node& p)
{
    const Node n = Enter(p, "<Action symbol>");
    if (LL1 != '`') {
        Fail(n, "`");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    Name(n, true);
    if (bad || !Expect(n, '`')) return;
    S().ApplyActFont(indSrc);
    Complete(n);
}

void DocumentColouring::Statement(const Node& p)
{
    const Node n = Enter(p, "<Statement>");
    if (!kStatementStart.has(LL1)) {
        Fail(n, "chr(0)-chr(9) chr(11)-chr(255)");
        return;
    }
    S().ApplyTextsFont(indSrc);
    LineContents(n, "<Statement contents>");
    if (bad) return;
    S().ApplyActFont(indSrc);
    if (!Expect(n, '\r') || !Expect(n, '\n')) return;
    Complete(n);
}

void DocumentColouring::LineContents(const Node& p, std::string_view name)
{
    if (!Tracing()) {
        const Node n = Enter(p, name);
        SkipRun(kLineChar);
        if (LL1 != '\r') Fail(n, kLineContentsExpected);
        return;
    }
    List(p, name, [&](const Node& n) {
        if (kLineChar.has(LL1)) {
            SetChar(n, "<Statement set>", kLineChar, DOC_BASE_EXPECTED " chr(9) ' '-chr(34) $ ' - / < > [ ] ` {-}");
            return Next::More;
        }
        if (LL1 != '\r') Fail(n, kLineContentsExpected);
        return Next::Done;
    });
}

// A name may be empty here: "<>" is a nonterminal.
void DocumentColouring::Name(const Node& p, bool action)
{
    const std::string_view name = action ? "<Action name>" : "<Nonterminal name>";
    const CharSet& set = action ? kActionChar : kNameChar;
    const int close = action ? '`' : '>';
    List(p, name, [&](const Node& n) {
        if (set.has(LL1)) {
            if (action) SetChar(n, "<Action set>", set, DOC_BASE_EXPECTED " ' '-chr(34) $ ' - / < > [ ] {-}");
            else SetChar(n, "<Nonterminal set>", set, DOC_BASE_EXPECTED " ' '-chr(34) $ ' - / < [ ] ` {-}");
            return Next::More;
        }
        if (LL1 != close)
            Fail(n, action ? "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" READERS_YA " `"
                           : "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(61) ?-" READERS_YA " >");
        return Next::Done;
    });
}

void DocumentColouring::GrammaticalSymbols(const Node& p)
{
    List(p, "<Grammatical symbols>", "<Grammatical symbols list>", [&](const Node& n) {
        if (kSymbolStart.has(LL1)) {
            GrammaticalSymbol(n);
            if (!bad) Blanks(n);
            return Next::More;
        }
        if (LL1 != '\r' && LL1 != '|') Fail(n, kSymbolsExpected);
        return Next::Done;
    });
}

void DocumentColouring::GrammaticalSymbol(const Node& p)
{
    const Node n = Enter(p, "<Grammatical symbol>");
    if (LL1 == '<') {
        Nonterminal(n);
    } else if (kPlainTerminal.has(LL1) || LL1 == '\'' || LL1 == '"') {
        Terminal(n);
        if (bad) return;
        const Node r = Enter(n, "<Terminal range>");
        if (LL1 == '-') {
            Consume(r);
            Terminal(r);
            if (bad) return;
        } else if (!kTermRangeEnd.has(LL1)) {
            Fail(r, "- chr(0)-chr(9) chr(11)-chr(44) .-Z \\ ^-z | ~-" READERS_YA);
            return;
        }
        Complete(r);
    } else if (LL1 == '`') {
        ActionSymbol(n);
    } else {
        Fail(n, "< chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-, .-; =-Z \\ ^-_ a-z ~-" READERS_YA " `");
        return;
    }
    if (bad) return;
    Complete(n);
}

// A plain character, 'x', "x", ''n'' or ""n"": the character or the digits in the terminals'
// font, the quotes in the text font.
void DocumentColouring::Terminal(const Node& p)
{
    const Node n = Enter(p, "<Terminal>");
    if (kPlainTerminal.has(LL1)) {
        S().ApplyTextsFont(indSrc);
        SetChar(n, "<Terminal set1>", kPlainTerminal, DOC_BASE_EXPECTED " ! $ / >");
        if (bad) return;
        S().ApplyTrmFont(indSrc);
    } else if (LL1 == '\'' || LL1 == '"') {
        Consume(n);
        QuoteContents(n, LL0);
        if (bad) return;
    } else {
        Fail(n,
             "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) ! #-& (-, .-; =-Z \\ ^-_ a-z ~-" READERS_YA " ' chr(34)");
        return;
    }
    Complete(n);
}

void DocumentColouring::QuoteContents(const Node& p, int quote)
{
    const bool single = quote == '\'';
    const Node n = Enter(p, single ? "<Quote contents>" : "<Double quote contents>");
    const CharSet inQuotes = AllBut({quote});
    if (inQuotes.has(LL1)) {
        S().ApplyTextsFont(indSrc);
        if (single)
            SetChar(n, "<Terminal set2>", inQuotes,
                    DOC_BASE_EXPECTED " chr(9)-chr(10) chr(13) ' '-chr(34) $ - / < > [ ] ` {-}");
        else
            SetChar(n, "<Terminal set3>", inQuotes,
                    DOC_BASE_EXPECTED " chr(9)-chr(10) chr(13) ' '-! $ ' - / < > [ ] ` {-}");
        if (bad) return;
        S().ApplyTrmFont(indSrc);
    } else if (LL1 == quote) {
        Consume(n);
        S().ApplyTextsFont(indSrc);
        Integer(n);
        if (bad) return;
        S().ApplyTrmFont(indSrc);
        if (!Expect(n, quote)) return;
    } else {
        Fail(n, single ? "chr(0)-chr(38) (-" READERS_YA " '" : "chr(0)-chr(33) #-" READERS_YA " chr(34)");
        return;
    }
    if (!Expect(n, quote)) return;
    Complete(n);
}

void DocumentColouring::Integer(const Node& p)
{
    List(p, "<Integer>", [&](const Node& n) {
        if (kDigits.has(LL1)) {
            CharProc(n, "<Digit>", kDigits, "0-9");
            return Next::More;
        }
        if (LL1 != '\'' && LL1 != '"') Fail(n, "0-9 chr(34) '");
        return Next::Done;
    });
}

void DocumentColouring::SetChar(const Node& p, std::string_view name, const CharSet& set, std::string_view expected)
{
    const Node n = Enter(p, name);
    if (!set.has(LL1)) {
        Fail(n, expected);
        return;
    }
    if (kBase.has(LL1)) BasicSet(n);
    else Consume(n);
    Complete(n);
}

void DocumentColouring::BasicSet(const Node& p)
{
    const Node n = Enter(p, "<Basic set>");
    for (const Sub& s : kBasicSubs) {
        if (LL1 >= s.lo && LL1 <= s.hi) {
            const Node sub = Enter(n, s.name);
            Consume(sub);
            Complete(sub);
            Complete(n);
            return;
        }
    }
    Consume(n);
    Complete(n);
}

} // namespace readers
