#include "msdn_reader.h"

#include <vector>

namespace readers {

// What the two forms of the notation read differently.
struct MsdnDialect {
    bool semicolon;
    std::string_view start;
    CharSet notationSet;
    std::string_view notationExpected;
    CharSet labelStart;
    std::string_view contentExpected;
    std::string_view labelExpected;
    std::string_view ruleActionExpected;
    CharSet symbolStart;
    CharSet symbolsEnd;
    std::string_view symbolsExpected;
    CharSet plainTerminal;
    std::string_view symbolExpected;
    std::string_view terminalCharExpected;
    CharSet bracketsStart;
    std::string_view bracketsExpected;
};

namespace {

constexpr CharSet kBlank = Codes({{9, 9}, {32, 32}});
constexpr CharSet kLabelChar =
    Codes({{0, 8}, {11, 12}, {14, 31}, {34, 35}, {37, 38}, {40, 46}, {48, 59}, {61, 95}, {97, 123}, {125, 255}});
constexpr CharSet kRightPart = Codes({{0, 45}, {47, 92}, {94, 124}, {126, 255}});
constexpr CharSet kAllCodes = Codes({{0, 255}});

const MsdnDialect kLineEnded{
    false,
    "<BNF_multipoint>",
    kAllCodes,
    "chr(0)-chr(255) finish",
    Codes({{0, 8}, {11, 12}, {14, 31}, {34, 35}, {37, 38}, {40, 46}, {48, 255}}),
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-" READERS_YA " $ ! ' / finish",
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-" READERS_YA " < ` |",
    "< | `",
    Codes({{0, 8}, {10, 12}, {14, 31}, {33, 45}, {47, 92}, {94, 123}, {126, 255}}),
    Codes({{13, 13}, {']', ']'}, {'|', '|'}, {'}', '}'}}),
    "chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- /-\\ ^-{ ~-" READERS_YA " chr(13) ] |-}",
    Codes({{0, 8}, {10, 12}, {14, 31}, {33, 45}, {47, 59}, {61, 90}, {92, 92}, {94, 95}, {97, 122}, {126, 255}}),
    "< chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- /-; =-Z \\ ^-_ a-z ~-" READERS_YA " ` [ {",
    "chr(0)-chr(8) chr(10)-chr(12) !-- /-; =-Z \\ ^-_ a-z chr(14)-chr(31) ~-" READERS_YA,
    Codes({{0, 12}, {14, 45}, {47, 92}, {94, 123}, {126, 255}}),
    "chr(0)-chr(12) chr(14)-chr(45) /-\\ ^-{ ~-" READERS_YA,
};

const MsdnDialect kSemicolonEnded{
    true,
    "<BNF_multipoint_commapoint>",
    AllBut({'|'}),
    "chr(0)-chr(123) }-" READERS_YA " finish",
    Codes({{0, 8}, {11, 12}, {14, 31}, {34, 35}, {37, 38}, {40, 46}, {48, 123}, {125, 255}}),
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-{ }-" READERS_YA " $ ! ' / finish",
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-" READERS_YA " < `",
    "< `",
    Codes({{0, 8}, {11, 12}, {14, 31}, {33, 45}, {47, 58}, {60, 92}, {94, 123}, {126, 255}}),
    Codes({{';', ';'}, {']', ']'}, {'|', '|'}, {'}', '}'}}),
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-- /-: <-\\ ^-{ ~-" READERS_YA " ; ] |-}",
    Codes({{0, 8}, {11, 12}, {14, 31}, {33, 45}, {47, 58}, {61, 90}, {92, 92}, {94, 95}, {97, 122}, {126, 255}}),
    "< chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-- /-: =-Z \\ ^-_ a-z ~-" READERS_YA " ` [ {",
    "chr(0)-chr(8) chr(11)-chr(12) !-- /-: =-Z \\ ^-_ a-z chr(14)-chr(31) ~-" READERS_YA,
    Codes({{0, 45}, {47, 58}, {60, 92}, {94, 123}, {126, 255}}),
    "chr(0)-chr(45) /-: <-\\ ^-{ ~-" READERS_YA,
};

} // namespace

MsdnReader::MsdnReader(const ReaderHooks& hooks, bool semicolon)
        : BracketNotationReader(hooks, kBracketLexicon), d_(semicolon ? kSemicolonEnded : kLineEnded)
{}

void MsdnReader::BNF_multipoint(std::string_view SourceStr, std::string& ErrorMsg) { Read(SourceStr, ErrorMsg); }

void MsdnReader::BNF_multipoint_commapoint(std::string_view SourceStr, std::string& ErrorMsg)
{
    Read(SourceStr, ErrorMsg);
}

void MsdnReader::Read(std::string_view SourceStr, std::string& ErrorMsg)
{
    Begin(SourceStr);
    const Node n = Enter({1, ""}, d_.start);
    if (LL1 != fin && !d_.notationSet.has(LL1)) {
        Fail(n, d_.notationExpected);
    } else {
        B().BKSACT();
        Notation(n);
        if (!bad) {
            S().ApplyTextsFont(indSrc);
            Complete(n);
        }
    }
    ErrorMsg = ErrMsg;
}

// <Notation> ::= <Space> <Notation content>, where every kind of content but the empty one
// ends with a further <Notation>: read as a loop, one round per line.
void MsdnReader::Notation(const Node& p)
{
    const NodeStack::Mark outer = NestedBase();
    Node parent = p;
    for (;;) {
        const Node n = Enter(parent, "<Notation>");
        if (LL1 != fin && !d_.notationSet.has(LL1)) {
            Fail(n, d_.notationExpected);
            return;
        }
        Space(n);
        if (bad) return;
        const Node c = Enter(n, "<Notation content>");
        PushNested(n);
        if (d_.labelStart.has(LL1)) {
            Label(c);
            if (bad) return;
            const Node ra = Enter(c, "<Rule|Action>");
            if (LL1 == '<' || (LL1 == '|' && !d_.semicolon)) {
                Rule(ra);
            } else if (LL1 == '`') {
                Action(ra);
            } else {
                Fail(ra, d_.ruleActionExpected);
                return;
            }
            if (bad) return;
            PushNested(c);
            PushNested(ra);
            parent = ra;
        } else if (LL1 == '$') {
            Option(c);
            if (bad) return;
            PushNested(c);
            parent = c;
        } else if (LL1 == '!' || LL1 == '\'' || LL1 == '/') {
            Comment(c);
            if (bad) return;
            PushNested(c);
            parent = c;
        } else if (LL1 == fin) {
            CompleteNested(c, outer);
            return;
        } else {
            Fail(c, d_.contentExpected);
            return;
        }
    }
}

void MsdnReader::Label(const Node& p)
{
    List(p, "<Label>", [&](const Node& n) {
        if (kLabelChar.has(LL1)) {
            CharProc(n, "<Label character>", kLabelChar,
                     "chr(0)-chr(8) chr(11)-chr(12) chr(34)-# %-& (-. 0-; =-_ a-{ } chr(14)-chr(31) ~-" READERS_YA);
            if (!bad) Gap(n);
            return Next::More;
        }
        if (LL1 != '<' && LL1 != '`' && (LL1 != '|' || d_.semicolon)) Fail(n, d_.labelExpected);
        return Next::Done;
    });
}

void MsdnReader::Rule(const Node& p)
{
    const Node n = Enter(p, "<Rule>");
    if (LL1 == '<') {
        RuleHead(n);
        if (bad) return;
    } else if (LL1 == '|' && !d_.semicolon) {
        Continuation(n, "<");
        if (bad) return;
    } else {
        Fail(n, d_.semicolon ? "<" : "< |");
        return;
    }
    RightPart(n);
    if (bad) return;
    RightParts(n, d_.semicolon);
    if (bad) return;
    if (d_.semicolon && !Match(n, ';')) return;
    Complete(n);
}

void MsdnReader::RightPart(const Node& p)
{
    Alternative(p, "<Right part>", kRightPart, "chr(0)-chr(45) /-\\ ^-| ~-" READERS_YA);
}

// "<Grammatical symbols>", then "<Grammatical symbols list>" for every further symbol; only an
// empty first level gives BKSNUL.
void MsdnReader::GrammaticalSymbols(const Node& p)
{
    bool first = true;
    List(p, "<Grammatical symbols>", "<Grammatical symbols list>", [&](const Node& n) {
        if (d_.symbolStart.has(LL1)) {
            GrammaticalSymbol(n);
            if (!bad) Gap(n);
            first = false;
            return Next::More;
        }
        if (!d_.symbolsEnd.has(LL1)) Fail(n, d_.symbolsExpected);
        else if (first) B().BKSNUL();
        return Next::Done;
    });
}

void MsdnReader::GrammaticalSymbol(const Node& p)
{
    const Node n = Enter(p, "<Grammatical symbol>");
    if (LL1 == '<') {
        Nonterminal(n);
        if (bad) return;
        B().BKSNTM();
        Repeater(n);
        if (bad) return;
    } else if (d_.plainTerminal.has(LL1)) {
        Terminal(n, d_.plainTerminal, d_.terminalCharExpected);
        if (bad) return;
    } else if (LL1 == '`') {
        ActionSymbol(n);
        if (bad) return;
        B().BKSACR();
    } else if (LL1 == '[' || LL1 == '{') {
        OpenGroup();
        LeftBracket(n);
        if (!bad) BracketsContent(n);
        if (!bad) BracketsContentList(n);
        if (!bad) RightBracket(n);
        CloseGroup();
        if (bad) return;
    } else {
        Fail(n, d_.symbolExpected);
        return;
    }
    Complete(n);
}

// "..." behind a nonterminal or "}": BKSRPT as soon as the first "." is seen.
void MsdnReader::Repeater(const Node& p)
{
    const Node n = Enter(p, "<Repeater>");
    if (LL1 == '.') {
        B().BKSRPT();
        Consume(n);
        if (!Match(n, '.') || !Match(n, '.')) return;
    } else if (LL1 == fin) {
        Fail(n, ". chr(0)-chr(45) /-" READERS_YA);
        return;
    }
    Complete(n);
}

void MsdnReader::LeftBracket(const Node& p)
{
    const Node n = Enter(p, "<Left bracket>");
    if (LL1 == '[') {
        Consume(n);
        B().BKSBRO();
    } else if (LL1 == '{') {
        Consume(n);
        B().BKSBCR();
    } else {
        Fail(n, "[ {");
        return;
    }
    Complete(n);
}

void MsdnReader::BracketsContent(const Node& p)
{
    Alternative(p, "<Brackets content>", d_.bracketsStart, d_.bracketsExpected, true);
}

void MsdnReader::BracketsContentList(const Node& p)
{
    List(p, "<Brackets content list>", [&](const Node& n) {
        if (LL1 == '|') {
            Consume(n);
            BracketsContent(n);
            return Next::More;
        }
        if (LL1 != ']' && LL1 != '}') Fail(n, "| ] }");
        return Next::Done;
    });
}

// The closing bracket alone decides how the group closes: "[" and "}" need not pair.
void MsdnReader::RightBracket(const Node& p)
{
    const Node n = Enter(p, "<Right bracket>");
    if (LL1 == ']') {
        Consume(n);
        OptionalRepeater(n);
        if (bad) return;
    } else if (LL1 == '}') {
        B().BKSBCC();
        Consume(n);
        Repeater(n);
        if (bad) return;
    } else {
        Fail(n, "] }");
        return;
    }
    Complete(n);
}

void MsdnReader::OptionalRepeater(const Node& p)
{
    const Node n = Enter(p, "<]...repeater>");
    if (LL1 == '.') {
        B().BKSBRT();
        Consume(n);
        if (!Match(n, '.') || !Match(n, '.')) return;
    } else if (LL1 != fin) {
        B().BKSBRC();
    } else {
        Fail(n, ". chr(0)-chr(45) /-" READERS_YA);
        return;
    }
    Complete(n);
}

void MsdnReader::Gap(const Node& p)
{
    if (d_.semicolon) Space(p);
    else Blanks(p);
}

void MsdnReader::Blanks(const Node& p)
{
    CharList(p, "<Blanks>", kBlank, kAllCodes, false, "chr(9) ' ' chr(0)-chr(8) chr(10)-chr(31) !-" READERS_YA);
}

} // namespace readers
