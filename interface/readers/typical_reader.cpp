#include "typical_reader.h"

#include <algorithm>
#include <vector>

namespace readers {

namespace {

constexpr RangeProc kRangeProcs[] = {
    {0, 8, "<chr0-chr8>"},
    {14, 31, "<chr14-chr31>"},
    {126, 255, "<~-chr255>"},
};

constexpr CharSet kSpace = Codes({{9, 10}, {13, 13}, {32, 32}});
constexpr CharSet kBlank = Codes({{9, 9}, {32, 32}});
constexpr CharSet kAll = Codes({{0, 255}});
constexpr CharSet kLabelStart = Codes({{0, 8}, {11, 12}, {14, 31}, {34, 35}, {37, 38}, {40, 46}, {48, 255}});
constexpr CharSet kLabelChar =
    Codes({{0, 8}, {11, 12}, {14, 31}, {34, 35}, {37, 38}, {40, 46}, {48, 59}, {61, 95}, {97, 123}, {125, 255}});
constexpr CharSet kRightPart = Codes({{0, 92}, {94, 124}, {126, 255}});
constexpr CharSet kSymbolStart = Codes({{0, 8}, {10, 12}, {14, 31}, {33, 92}, {94, 123}, {126, 255}});
constexpr CharSet kSymbolsEnd = Codes({{13, 13}, {']', ']'}, {'|', '|'}, {'}', '}'}});
constexpr CharSet kPlainTerminal =
    Codes({{0, 8}, {10, 12}, {14, 31}, {33, 59}, {61, 90}, {92, 92}, {94, 95}, {97, 122}, {126, 255}});
constexpr CharSet kNameChar = Codes({{0, 12}, {14, 61}, {63, 255}});
constexpr CharSet kActionChar = Codes({{0, 12}, {14, 95}, {97, 255}});
constexpr CharSet kBracketsStart = Codes({{0, 12}, {14, 92}, {94, 123}, {126, 255}});
constexpr CharSet kLineChar = AllBut({13});

// A name's "chr(", one to three digits of a value up to 255 and ")" at `at` (0-based) stands
// for that one code, the way the engine prints a code that cannot stand in the name: its
// length (and the code), else 0.
std::size_t CodeSpellingAt(std::string_view src, std::size_t at, int& code)
{
    constexpr std::string_view open = "chr(";
    if (src.substr(at, open.size()) != open) return 0;
    std::size_t i = at + open.size();
    int value = 0, digits = 0;
    while (i < src.size() && digits < 3 && src[i] >= '0' && src[i] <= '9') {
        value = value * 10 + (src[i++] - '0');
        ++digits;
    }
    if (digits == 0 || value > 255 || i >= src.size() || src[i] != ')') return 0;
    code = value;
    return i + 1 - at;
}

constexpr std::string_view kSymbolsExpected =
    "chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-\\ ^-{ ~-" READERS_YA " chr(13) ] |-}";
constexpr std::string_view kLineContentExpected = "chr(0)-chr(12) chr(14)-chr(255) chr(13)";
constexpr std::string_view kStatementCharExpected = "chr(0)-chr(8) chr(9)-chr(12) ' '-} chr(14)-chr(31) ~-" READERS_YA;

} // namespace

TypicalReader::TypicalReader(const ReaderHooks& hooks) : LineProcedures(hooks, kRangeProcs), terminal_(hooks) {}

void TypicalReader::BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg)
{
    groupDepth_ = 0;
    ruleHeadRead_ = false;
    Start(SourceStr);
    const Node n = Enter({1, ""}, "<BNF_Typical>");
    B().BKSACT();
    Notation(n);
    if (!bad) {
        S().ApplyTextsFont(indSrc);
        Complete(n);
    }
    ErrorMsg = ErrMsg;
}

// <Notation> ::= <Space> <Notation content>, where every kind of content but the empty one
// ends with a further <Notation>: read as a loop, one round per line.
void TypicalReader::Notation(const Node& p)
{
    const NodeStack::Mark base = NestedBase();
    Node parent = p;
    for (;;) {
        const Node n = Enter(parent, "<Notation>");
        Space(n);
        if (bad) return;
        const Node c = Enter(n, "<Notation content>");
        PushNested(n);
        if (kLabelStart.has(LL1)) {
            Label(c);
            if (bad) return;
            const Node ra = Enter(c, "<Rule|Action>");
            if (LL1 == '<' || LL1 == '|') {
                Rule(ra);
            } else if (LL1 == '`') {
                Action(ra);
            } else {
                Fail(ra, "< | `");
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
            CompleteNested(c, base);
            return;
        } else {
            Fail(c, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-" READERS_YA " $ ! ' / finish");
            return;
        }
    }
}

void TypicalReader::Space(const Node& p)
{
    Node n = Enter(p, "<Space>");
    const NodeStack::Mark base = NestedBase();
    while (kSpace.has(LL1)) {
        Consume(n);
        PushNested(n);
        Descend(n, "<Space>");
    }
    CompleteNested(n, base);
}

void TypicalReader::Label(const Node& p)
{
    Node n = Enter(p, "<Label>");
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (kLabelChar.has(LL1)) {
            CharProc(n, "<Label character>", kLabelChar,
                     "chr(0)-chr(8) chr(11)-chr(12) chr(34)-# %-& (-. 0-; =-_ a-{ } chr(14)-chr(31) ~-" READERS_YA);
            if (bad) return;
            Blanks(n);
            if (bad) return;
            PushNested(n);
            Descend(n, "<Label>");
            continue;
        }
        if (LL1 == '<' || LL1 == '`' || LL1 == '|') break;
        Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-" READERS_YA " < ` |");
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::Rule(const Node& p)
{
    const Node n = Enter(p, "<Rule>");
    if (LL1 == '<') {
        Nonterminal(n);
        if (bad) return;
        B().BKSNLI();
        B().BKSGMN();
        ruleHeadRead_ = true;
        Space(n);
        if (bad) return;
        Definition(n);
        if (bad) return;
    } else if (LL1 == '|' && ruleHeadRead_) {
        Consume(n);
    } else if (LL1 == '|') {
        // Further alternatives need a rule head to belong to.
        Fail(n, "<");
        return;
    } else {
        Fail(n, "< |");
        return;
    }
    RightPart(n);
    if (bad) return;
    RightParts(n);
    if (bad) return;
    Complete(n);
}

void TypicalReader::RightPart(const Node& p)
{
    const Node n = Enter(p, "<Right part>");
    if (!kRightPart.has(LL1)) {
        Fail(n, "chr(0)-chr(92) ^-| ~-" READERS_YA);
        return;
    }
    B().BKSNL();
    Blanks(n);
    if (bad) return;
    GrammaticalSymbols(n);
    if (bad) return;
    B().BKSEND();
    Complete(n);
}

void TypicalReader::RightParts(const Node& p)
{
    Node n = Enter(p, "<Right parts>");
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (LL1 == '\r') {
            Consume(n);
            if (!Match(n, '\n')) return;
            break;
        }
        if (LL1 == '|') {
            Consume(n);
            RightPart(n);
            if (bad) return;
            PushNested(n);
            Descend(n, "<Right parts>");
            continue;
        }
        Fail(n, "| chr(13)");
        return;
    }
    CompleteNested(n, base);
}

// "<Grammatical symbols>", then "<Grammatical symbols list>" for every further symbol; only an
// empty first level gives BKSNUL.
void TypicalReader::GrammaticalSymbols(const Node& p)
{
    Node n = Enter(p, "<Grammatical symbols>");
    const NodeStack::Mark base = NestedBase();
    bool first = true;
    for (;;) {
        if (kSymbolStart.has(LL1)) {
            GrammaticalSymbol(n);
            if (bad) return;
            Blanks(n);
            if (bad) return;
            PushNested(n);
            Descend(n, "<Grammatical symbols list>");
            first = false;
            continue;
        }
        if (kSymbolsEnd.has(LL1)) {
            if (first) B().BKSNUL();
            break;
        }
        Fail(n, kSymbolsExpected);
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::GrammaticalSymbol(const Node& p)
{
    const Node n = Enter(p, "<Grammatical symbol>");
    if (LL1 == '<') {
        Nonterminal(n);
        if (bad) return;
        B().BKSNTM();
    } else if (kPlainTerminal.has(LL1)) {
        terminal_.ParseTerminal(Src, indSrc, ErrMsg, bad, n.index, n.name);
        CharProc(n, "<Terminal character>", kPlainTerminal,
                 "chr(0)-chr(8) chr(10)-chr(12) !-; =-Z \\ ^-_ a-z chr(14)-chr(31) ~-" READERS_YA);
        if (bad) return;
    } else if (LL1 == '`') {
        ActionSymbol(n);
        if (bad) return;
        B().BKSACR();
    } else if (LL1 == '[' || LL1 == '{') {
        if (++groupDepth_ > MaxGroupDepth) TooDeep();
        LeftBracket(n);
        if (!bad) BracketsContent(n);
        if (!bad) BracketsContentList(n);
        if (!bad) RightBracket(n);
        --groupDepth_;
        if (bad) return;
    } else {
        Fail(n, "< chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-; =-Z \\ ^-_ a-z ~-" READERS_YA " ` [ {");
        return;
    }
    Complete(n);
}

void TypicalReader::TooDeep()
{
    throw ReaderFailure("Groups are nested more than " + std::to_string(MaxGroupDepth) + " deep at character " +
                        std::to_string(indSrc) + ".");
}

void TypicalReader::Nonterminal(const Node& p)
{
    const Node n = Enter(p, "<Nonterminal>");
    if (LL1 != '<') {
        Fail(n, "<");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    B().BKSNAI();
    NameCharacters(n, false);
    if (bad || !Match(n, '>')) return;
    S().ApplyNtmFont(indSrc);
    Complete(n);
}

// The characters of a nonterminal or action name: at least one, each handed to BKSSYM.
void TypicalReader::NameCharacters(const Node& p, bool action)
{
    const CharSet& set = action ? kActionChar : kNameChar;
    const int close = action ? '`' : '>';
    const std::string_view listName = action ? "<Action character list>" : "<Nonterminal character list>";
    const std::string_view charName = action ? "<Action character>" : "<Nonterminal character>";
    const std::string_view charExpected = action
                                              ? "chr(0)-chr(8) chr(9)-chr(12) ' '-_ a-} chr(14)-chr(31) ~-" READERS_YA
                                              : "chr(0)-chr(8) chr(9)-chr(12) ' '-= ?-} chr(14)-chr(31) ~-" READERS_YA;
    const std::string_view nameExpected =
        action ? "chr(0)-chr(12) chr(14)-chr(95) a-" READERS_YA : "chr(0)-chr(12) chr(14)-chr(61) ?-" READERS_YA;
    const std::string_view listExpected = action ? "chr(0)-chr(12) chr(14)-chr(95) a-" READERS_YA " `"
                                                 : "chr(0)-chr(12) chr(14)-chr(61) ?-" READERS_YA " >";

    Node n = Enter(p, action ? "<Action name>" : "<Nonterminal name>");
    const NodeStack::Mark base = NestedBase();
    bool first = true;
    for (;;) {
        // Without a tree sink a plain character is a Scan and its code: the levels are not
        // seen, so the loop does nothing else for it.
        if (!Tracing()) {
            while (LL1 != 'c' && set.has(LL1)) {
                Scan();
                B().BKSSYM(LL0);
                n.index = indSrc;
                n.name = listName;
                first = false;
            }
        }
        if (set.has(LL1)) {
            // A spelt code is read character by character, as the name's characters always
            // were, and built as the one code it stands for.
            int code = LL1;
            std::size_t spelling = 1;
            if (LL1 == 'c' && indSrc >= 1)
                spelling = std::max<std::size_t>(1, CodeSpellingAt(Src, static_cast<std::size_t>(indSrc - 1), code));
            for (std::size_t k = 0; k < spelling; ++k) {
                CharProc(n, charName, set, charExpected);
                if (bad) return;
                if (spelling == 1) code = LL0;
                if (k + 1 < spelling) {
                    PushNested(n);
                    Descend(n, listName);
                }
            }
            B().BKSSYM(code);
            PushNested(n);
            Descend(n, listName);
            first = false;
            continue;
        }
        if (!first && LL1 == close) break;
        Fail(n, first ? nameExpected : listExpected);
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::LeftBracket(const Node& p)
{
    const Node n = Enter(p, "<Left bracket>");
    if (LL1 == '[') {
        Consume(n);
        B().BKSBRO();
    } else if (LL1 == '{') {
        Consume(n);
        B().BKSBCO();
    } else {
        Fail(n, "[ {");
        return;
    }
    Complete(n);
}

void TypicalReader::BracketsContent(const Node& p)
{
    const Node n = Enter(p, "<Brackets content>");
    if (!kBracketsStart.has(LL1)) {
        Fail(n, "chr(0)-chr(12) chr(14)-chr(92) ^-{ ~-" READERS_YA);
        return;
    }
    B().BKSNL();
    Blanks(n);
    if (bad) return;
    GrammaticalSymbol(n);
    if (bad) return;
    Blanks(n);
    if (bad) return;
    GrammaticalSymbols(n);
    if (bad) return;
    B().BKSEND();
    Complete(n);
}

void TypicalReader::BracketsContentList(const Node& p)
{
    Node n = Enter(p, "<Brackets content list>");
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (LL1 == '|') {
            Consume(n);
            BracketsContent(n);
            if (bad) return;
            PushNested(n);
            Descend(n, "<Brackets content list>");
            continue;
        }
        if (LL1 == ']' || LL1 == '}') break;
        Fail(n, "| ] }");
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::RightBracket(const Node& p)
{
    const Node n = Enter(p, "<Right bracket>");
    if (LL1 == ']') {
        B().BKSBRC();
        Consume(n);
    } else if (LL1 == '}') {
        Consume(n);
        Blanks(n);
        if (bad) return;
        Exp(n);
        if (bad) return;
    } else {
        Fail(n, "] }");
        return;
    }
    Complete(n);
}

void TypicalReader::Exp(const Node& p)
{
    const Node n = Enter(p, "<Exp>");
    if (LL1 == '*' || LL1 == '0') {
        B().BKSBCN();
        Consume(n);
    } else if (LL1 == '+' || LL1 == '1') {
        B().BKSBC1();
        Consume(n);
    } else {
        Fail(n, "* 0 + 1");
        return;
    }
    Complete(n);
}

void TypicalReader::Blanks(const Node& p)
{
    Node n = Enter(p, "<Blanks>");
    const NodeStack::Mark base = NestedBase();
    while (kBlank.has(LL1)) {
        Consume(n);
        PushNested(n);
        Descend(n, "<Blanks>");
    }
    if (LL1 == fin) {
        Fail(n, "chr(9) ' ' chr(0)-chr(8) chr(10)-chr(31) !-" READERS_YA);
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::Statement(const Node& p)
{
    const Node n = Enter(p, "<Statement>");
    if (!kAll.has(LL1)) {
        Fail(n, "chr(0)-chr(255)");
        return;
    }
    S().ApplyTextsFont(indSrc);
    LineContent(n, true);
    if (bad) return;
    S().ApplyActFont(indSrc);
    if (!Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

// "<Statement content>" (each character to BKSS) or "<Comment content>" (to no builder entry).
void TypicalReader::LineContent(const Node& p, bool statement)
{
    const std::string_view name = statement ? "<Statement content>" : "<Comment content>";
    Node n = Enter(p, name);
    if (!statement && !Tracing()) {
        SkipRun(kLineChar);
        if (LL1 != '\r') Fail(n, kLineContentExpected);
        return;
    }
    const NodeStack::Mark base = NestedBase();
    for (;;) {
        if (kLineChar.has(LL1)) {
            CharProc(n, "<Statement character>", kLineChar, kStatementCharExpected);
            if (bad) return;
            if (statement) B().BKSS(LL0);
            PushNested(n);
            Descend(n, name);
            continue;
        }
        if (LL1 == '\r') break;
        Fail(n, kLineContentExpected);
        return;
    }
    CompleteNested(n, base);
}

void TypicalReader::Comment(const Node& p)
{
    const Node n = Enter(p, "<Comment>");
    if (LL1 != '!' && LL1 != '\'' && LL1 != '/') {
        Fail(n, "! ' /");
        return;
    }
    S().ApplyTextsFont(indSrc);
    CommentPrefix(n);
    if (bad) return;
    LineContent(n, false);
    if (bad) return;
    S().ApplyCnsFont(indSrc);
    if (!Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

} // namespace readers
