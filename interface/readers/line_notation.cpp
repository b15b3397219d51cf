#include "line_notation.h"

namespace readers {

namespace {

constexpr RangeProc kRangeProcs[] = {
    {0, 8, "<chr0-chr8>"},
    {14, 31, "<chr14-chr31>"},
    {126, 255, "<~-chr255>"},
};

constexpr CharSet kSpace = Codes({{9, 10}, {13, 13}, {32, 32}});
constexpr CharSet kNameChar = Codes({{0, 12}, {14, 61}, {63, 255}});
constexpr CharSet kAllCodes = Codes({{0, 255}});

} // namespace

const LineLexicon kBracketLexicon{
    kAllCodes,
    "chr(0)-chr(255)",
    AllBut({13}),
    "chr(0)-chr(12) chr(14)-chr(255) chr(13)",
    "chr(0)-chr(8) chr(9)-chr(12) ' '-} chr(14)-chr(31) ~-" READERS_YA,
    Codes({{0, 12}, {14, 95}, {97, 255}}),
    "chr(0)-chr(12) chr(14)-chr(95) a-" READERS_YA,
    "chr(0)-chr(12) chr(14)-chr(95) a-" READERS_YA " `",
    "chr(0)-chr(8) chr(9)-chr(12) ' '-_ a-} chr(14)-chr(31) ~-" READERS_YA,
};

LineNotationReader::LineNotationReader(const ReaderHooks& hooks, const LineLexicon& lexicon)
        : LineProcedures(hooks, kRangeProcs), lx_(lexicon)
{}

void LineNotationReader::OpenGroup()
{
    if (++groupDepth_ > MaxGroupDepth)
        throw ReaderFailure("Groups are nested more than " + std::to_string(MaxGroupDepth) + " deep at character " +
                            std::to_string(indSrc) + ".");
}

void LineNotationReader::RuleHead(const Node& n)
{
    Nonterminal(n);
    if (bad) return;
    B().BKSNLI();
    B().BKSGMN();
    ruleHeadRead_ = true;
    Space(n);
    if (bad) return;
    Definition(n);
}

void LineNotationReader::Continuation(const Node& n, std::string_view heads)
{
    if (ruleHeadRead_) Consume(n);
    else Fail(n, heads);
}

void LineNotationReader::Alternative(const Node& p, std::string_view name, const CharSet& start,
                                     std::string_view expected, bool oneAtLeast)
{
    const Node n = Enter(p, name);
    if (!start.has(LL1)) {
        Fail(n, expected);
        return;
    }
    B().BKSNL();
    Gap(n);
    if (bad) return;
    if (oneAtLeast) {
        GrammaticalSymbol(n);
        if (bad) return;
        Gap(n);
        if (bad) return;
    }
    GrammaticalSymbols(n);
    if (bad) return;
    B().BKSEND();
    Complete(n);
}

void LineNotationReader::RightParts(const Node& p, bool semicolon)
{
    List(p, "<Right parts>", [&](const Node& n) {
        if (LL1 == '|') {
            Consume(n);
            RightPart(n);
            return Next::More;
        }
        if (!semicolon && LL1 == '\r') {
            Consume(n);
            Match(n, '\n');
        } else if (!semicolon || LL1 != ';') {
            Fail(n, semicolon ? "| ;" : "| chr(13)");
        }
        return Next::Done;
    });
}

void LineNotationReader::NameCharacters(const Node& p, bool action)
{
    const CharSet& set = action ? lx_.actionChar : kNameChar;
    const int close = action ? '`' : '>';
    const std::string_view listName = action ? "<Action character list>" : "<Nonterminal character list>";
    const std::string_view charName = action ? "<Action character>" : "<Nonterminal character>";
    const std::string_view charExpected =
        action ? lx_.actionCharExpected : "chr(0)-chr(8) chr(9)-chr(12) ' '-= ?-} chr(14)-chr(31) ~-" READERS_YA;
    const std::string_view nameExpected =
        action ? lx_.actionNameExpected : "chr(0)-chr(12) chr(14)-chr(61) ?-" READERS_YA;
    const std::string_view listExpected =
        action ? lx_.actionListExpected : "chr(0)-chr(12) chr(14)-chr(61) ?-" READERS_YA " >";

    bool first = true;
    List(p, action ? "<Action name>" : "<Nonterminal name>", listName, [&](const Node& n) {
        if (set.has(LL1)) {
            CharProc(n, charName, set, charExpected);
            if (!bad) B().BKSSYM(LL0);
            first = false;
            return Next::More;
        }
        if (first || LL1 != close) Fail(n, first ? nameExpected : listExpected);
        return Next::Done;
    });
}

void LineNotationReader::Statement(const Node& p)
{
    const Node n = Enter(p, "<Statement>");
    if (!lx_.statementStart.has(LL1)) {
        Fail(n, lx_.statementExpected);
        return;
    }
    S().ApplyTextsFont(indSrc);
    LineContent(n, "<Statement content>", true);
    if (bad) return;
    S().ApplyActFont(indSrc);
    if (!Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

void LineNotationReader::LineContent(const Node& p, std::string_view name, bool build)
{
    if (!build && !Tracing()) {
        const Node n = Enter(p, name);
        SkipRun(lx_.lineChar);
        if (LL1 != '\r') Fail(n, lx_.lineContentExpected);
        return;
    }
    List(p, name, [&](const Node& n) {
        if (lx_.lineChar.has(LL1)) {
            CharProc(n, "<Statement character>", lx_.lineChar, lx_.lineCharExpected);
            if (!bad && build) B().BKSS(LL0);
            return Next::More;
        }
        if (LL1 != '\r') Fail(n, lx_.lineContentExpected);
        return Next::Done;
    });
}

void LineNotationReader::Comment(const Node& p)
{
    const Node n = Enter(p, "<Comment>");
    if (LL1 != '!' && LL1 != '\'' && LL1 != '/') {
        Fail(n, "! ' /");
        return;
    }
    S().ApplyTextsFont(indSrc);
    CommentPrefix(n);
    if (bad) return;
    LineContent(n, "<Comment content>", false);
    if (bad) return;
    S().ApplyCnsFont(indSrc);
    if (!Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

BracketNotationReader::BracketNotationReader(const ReaderHooks& hooks, const LineLexicon& lexicon)
        : LineNotationReader(hooks, lexicon), terminal_(hooks)
{}

void BracketNotationReader::Space(const Node& p) { CharList(p, "<Space>", kSpace, kAllCodes, true, {}); }

void BracketNotationReader::Nonterminal(const Node& p)
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

void BracketNotationReader::Terminal(const Node& n, const CharSet& plain, std::string_view expected)
{
    terminal_.ParseTerminal(Src, indSrc, ErrMsg, bad, n.index, n.name);
    CharProc(n, "<Terminal character>", plain, expected);
}

} // namespace readers
