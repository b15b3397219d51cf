#include "w3c_reader.h"

#include <vector>

namespace readers {

namespace {

constexpr CharSet kSpaceChar = Codes({{9, 10}, {13, 13}, {32, 32}});
constexpr CharSet kNameChar =
    AllBut({9, 10, 13, 32, '"', '!', '#', '$', '\'', '(', ')', '*', '+', '-', '/', ':', '?', '[', ']', '^', '`', '|'});
constexpr CharSet kLabelPrefix =
    Codes({{'"', '#'}, {'\'', '+'}, {'-', '-'}, {':', ':'}, {'?', '?'}, {'[', '['}, {']', '^'}});
constexpr CharSet kContentStart = AllBut({9, 10, 13, 32, '!', '$', '/'});
constexpr CharSet kLabelChar = AllBut({9, 32, '/'});
constexpr CharSet kRightPartStart = AllBut({10, '!', '$', ')', '*', '+', '-', ':', '?', ']', '^'});
constexpr CharSet kBracketsStart = AllBut({10, 13, '!', '$', '*', '+', '-', ':', '?', ']', '^'});
constexpr CharSet kSymbolOpen = AllBut({9, 10, 13, 32, '!', '$', ')', '*', '+', '-', '/', ':', '?', ']', '^', '|'});
constexpr CharSet kSymbolsEnd = Codes({{13, 13}, {')', ')'}, {'|', '|'}});
constexpr CharSet kBlankChar = Codes({{9, 9}, {32, 32}, {'/', '/'}});
constexpr CharSet kBlanksStarEnd =
    Codes({{0, 8}, {11, 31}, {34, 35}, {37, 41}, {44, 44}, {46, 46}, {48, 57}, {59, 62}, {64, 92}, {95, 255}});
constexpr CharSet kNameEnd =
    Codes({{9, 10}, {13, 13}, {32, 32}, {')', '+'}, {'-', '-'}, {'/', '/'}, {':', ':'}, {'?', '?'}, {'|', '|'}});
constexpr CharSet kExpEnd = Codes({{9, 9}, {13, 13}, {32, 32}, {')', ')'}, {'/', '/'}, {'|', '|'}});
constexpr CharSet kCodeEnd =
    Codes({{9, 9}, {13, 13}, {32, 32}, {'#', '#'}, {')', ')'}, {'-', '-'}, {'/', '/'}, {']', ']'}, {'|', '|'}});
constexpr CharSet kNotStar = AllBut({'*'});
constexpr CharSet kNotStarSlash = AllBut({'*', '/'});
constexpr CharSet kNegationEmpty = AllBut({9, 10, 13, '^'});
constexpr CharSet kSimpleFirst = AllBut({9, 10, 13, '#', '^'});
constexpr CharSet kSimpleNext = AllBut({9, 10, 13, '-', ']'});
constexpr CharSet kSimpleSecond = AllBut({9, 10, 13});
constexpr CharSet kDigits = Codes({{'0', '9'}});
const CodeForm kCodeForm{kCodeEnd, "0-9 chr(9) chr(13) ' ' # ) - / ] |", "0-9 A-F a-f chr(9) chr(13) ' ' # ) - / ] |",
                         true};

#define W3C_NAME_EXPECTED "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _ a-{ }-" READERS_YA
constexpr std::string_view kNameExpected = W3C_NAME_EXPECTED;
constexpr std::string_view kSymbolsExpected =
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-( , . 0-9 ;-> @-\\ _-{ }-" READERS_YA " chr(13) ) |";
constexpr std::string_view kExpExpected = "* + ? chr(9) chr(13) ' ' ) / |";
constexpr std::string_view kBlankExpected = "chr(9) ' ' /";
constexpr std::string_view kCommentContentExpected = "chr(0)-chr(41) +-" READERS_YA " *";
constexpr std::string_view kSimpleListExpected = "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(34) $-] _-" READERS_YA;

const LineLexicon kW3CLexicon{
    AllBut({10}),
    "chr(0)-chr(9) chr(11)-chr(255)",
    AllBut({10, 13}),
    "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)",
    "chr(0)-chr(8) chr(9) chr(11)-chr(12) ' '-} chr(14)-chr(31) ~-" READERS_YA,
    AllBut({9, 10, 13, '`'}),
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" READERS_YA,
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" READERS_YA " `",
    "chr(0)-chr(8) chr(11)-chr(12) ' '-_ a-} chr(14)-chr(31) ~-" READERS_YA,
};

} // namespace

struct W3CReader::QuoteKind {
    int quote;
    std::string_view content, list, character;
    std::string_view contentExpected, listExpected, characterExpected;
    CharSet inString;
};

namespace {

const W3CReader::QuoteKind kSingleQuote{
    '\'',
    "<Quoted content>",
    "<Quoted terminal list>",
    "<Quoted character>",
    "chr(0)-chr(38) (-" READERS_YA,
    "chr(0)-chr(38) (-" READERS_YA " '",
    "chr(0)-chr(8) chr(9)-chr(13) ' '-& (-} chr(14)-chr(31) ~-" READERS_YA,
    AllBut({'\''}),
};

const W3CReader::QuoteKind kDoubleQuote{
    '"',
    "<Double quoted content>",
    "<Double quoted terminal list>",
    "<Double quoted character>",
    "chr(0)-chr(33) #-" READERS_YA,
    "chr(0)-chr(33) #-" READERS_YA " chr(34)",
    "chr(0)-chr(8) chr(9)-chr(13) ' '-! #-} chr(14)-chr(31) ~-" READERS_YA,
    AllBut({'"'}),
};

} // namespace

void BNF_W3C(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks)
{
    W3CReader(hooks).BNF_W3C(SourceStr, ErrorMsg);
}

W3CReader::W3CReader(const ReaderHooks& hooks) : LineNotationReader(hooks, kW3CLexicon) {}

void W3CReader::BNF_W3C(std::string_view SourceStr, std::string& ErrorMsg)
{
    Begin(SourceStr);
    const Node n = Enter({1, ""}, "<BNF_W3C>");
    B().BKSACT();
    Notation(n);
    if (!bad) {
        S().ApplyTextsFont(indSrc);
        Complete(n);
    }
    ErrorMsg = ErrMsg;
}

// Space characters and comments, possibly none.
void W3CReader::Space(const Node& p)
{
    List(p, "<Space>", [&](const Node& n) {
        if (kSpaceChar.has(LL1)) Consume(n);
        else if (LL1 == '/') Comment(n);
        else return Next::Done;
        return Next::More;
    });
}

// One round per rule, action definition, option or comment line.
void W3CReader::Notation(const Node& p)
{
    const NodeStack::Mark outer = NestedBase();
    Node parent = p;
    for (;;) {
        const Node n = Enter(parent, "<Notation>");
        Space(n);
        if (bad) return;
        const Node c = Enter(n, "<Notation content>");
        PushNested(n);
        if (kContentStart.has(LL1)) {
            Label(c);
            if (bad) return;
            const Node ra = Enter(c, "<Rule|Action>");
            if (kNameChar.has(LL1) || LL1 == '|') {
                Rule(ra);
            } else if (LL1 == '`') {
                Action(ra);
            } else {
                Fail(ra, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _ a-" READERS_YA " `");
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
        } else if (LL1 == '!') {
            SeparateComment(c);
            if (bad) return;
            PushNested(c);
            parent = c;
        } else if (LL1 == fin) {
            CompleteNested(c, outer);
            return;
        } else {
            Fail(c, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-. 0-" READERS_YA " $ ! finish");
            return;
        }
    }
}

// A production number such as "[12]": read and shown in the tree only.
void W3CReader::Label(const Node& p)
{
    const Node n = Enter(p, "<Label>");
    if (kLabelPrefix.has(LL1)) {
        const Node prefix = Enter(n, "<Label prefix>");
        Consume(prefix);
        Complete(prefix);
        LabelCharacterList(n);
        if (bad) return;
        Blanks(n);
        if (bad) return;
    } else if (!kNameChar.has(LL1) && LL1 != '|' && LL1 != '`') {
        Fail(n, "chr(34)-# '-+ - : ? [ ]-^ chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 "
                ";-> @-Z \\ _-" READERS_YA);
        return;
    }
    Complete(n);
}

void W3CReader::LabelCharacterList(const Node& p)
{
    List(p, "<Label character list>", [&](const Node& n) {
        if (kLabelChar.has(LL1)) {
            CharProc(n, "<Label character>", kLabelChar,
                     "chr(0)-chr(8) chr(10)-chr(13) !-. 0-} chr(14)-chr(31) ~-" READERS_YA);
            return Next::More;
        }
        if (!kBlankChar.has(LL1)) Fail(n, "chr(0)-chr(8) chr(10)-chr(31) !-. 0-" READERS_YA " chr(9) ' ' /");
        return Next::Done;
    });
}

void W3CReader::Rule(const Node& p)
{
    const Node n = Enter(p, "<Rule>");
    if (kNameChar.has(LL1)) {
        RuleHead(n);
        if (bad) return;
    } else if (LL1 == '|') {
        Continuation(n, kNameExpected);
        if (bad) return;
    } else {
        Fail(n, W3C_NAME_EXPECTED " |");
        return;
    }
    RightPart(n);
    if (bad) return;
    RightParts(n);
    if (bad) return;
    Complete(n);
}

void W3CReader::RightPart(const Node& p)
{
    Alternative(p, "<Right part>", kRightPartStart,
                "chr(0)-chr(9) chr(11)-' ' chr(34)-# %-( , .-9 ;-> @-\\ _-" READERS_YA);
}

// <Grammatical symbols> ::= <Grammatical symbol> <Symbols with blanks> | (empty: BKSNUL)
// <Symbols with blanks> ::= <Blanks> <Grammatical symbols list> | (empty)
// <Grammatical symbols list> ::= <Grammatical symbol> <Symbols with blanks> | (empty)
void W3CReader::GrammaticalSymbols(const Node& p)
{
    Node n = Enter(p, "<Grammatical symbols>");
    const NodeStack::Mark outer = NestedBase();
    bool first = true;
    for (;;) {
        if (kSymbolOpen.has(LL1)) {
            GrammaticalSymbol(n);
            if (bad) return;
            PushNested(n);
            const Node w = Enter(n, "<Symbols with blanks>");
            if (kBlankChar.has(LL1)) {
                Blanks(w);
                if (bad) return;
                PushNested(w);
                Descend(n, w, "<Grammatical symbols list>");
                first = false;
                continue;
            }
            if (kSymbolsEnd.has(LL1)) {
                CompleteNested(w, outer);
                return;
            }
            Fail(w, "chr(9) ' ' / chr(13) ) |");
            return;
        }
        if (kSymbolsEnd.has(LL1)) {
            if (first) B().BKSNUL();
            break;
        }
        Fail(n, kSymbolsExpected);
        return;
    }
    CompleteNested(n, outer);
}

void W3CReader::GrammaticalSymbol(const Node& p)
{
    const Node n = Enter(p, "<Grammatical symbol>");
    if (kNameChar.has(LL1)) {
        Nonterminal(n);
        if (bad) return;
        NtmExp(n);
        if (bad) return;
    } else if (LL1 == '#') {
        SimpleAsciiTerminal(n);
        if (bad) return;
        B().BKSTRM();
    } else if (LL1 == '[') {
        CharacterClass(n);
        if (bad) return;
    } else if (LL1 == '(') {
        Group(n);
        if (bad) return;
    } else if (LL1 == '`') {
        ActionSymbol(n);
        if (bad) return;
        B().BKSACR();
    } else if (LL1 == '"' || LL1 == '\'') {
        StringTerminal(n);
        if (bad) return;
    } else {
        Fail(n, W3C_NAME_EXPECTED " # chr(34) ' [ ( `");
        return;
    }
    Complete(n);
}

void W3CReader::Nonterminal(const Node& p)
{
    const Node n = Enter(p, "<Nonterminal>");
    if (!kNameChar.has(LL1)) {
        Fail(n, kNameExpected);
        return;
    }
    S().ApplyTextsFont(indSrc);
    B().BKSNAI();
    bool first = true;
    List(n, "<Nonterminal name>", "<Nonterminal character list>", [&](const Node& m) {
        if (kNameChar.has(LL1)) {
            CharProc(m, "<Nonterminal character>", kNameChar,
                     "chr(0)-chr(8) chr(11)-chr(12) %-& , . 0-9 ;-> @-Z \\ _ a-{ } chr(14)-chr(31) ~-" READERS_YA);
            if (!bad) B().BKSSYM(LL0);
            first = false;
            return Next::More;
        }
        if (first || !kNameEnd.has(LL1))
            Fail(m, first ? kNameExpected : W3C_NAME_EXPECTED " chr(9)-chr(10) chr(13) ' ' )-+ - / : ? |");
        return Next::Done;
    });
    if (bad) return;
    S().ApplyNtmFont(indSrc);
    Complete(n);
}

// After a nonterminal: plain, or wrapped in a group of its own for "*", "+" and "?".
void W3CReader::NtmExp(const Node& p)
{
    const Node n = Enter(p, "<NtmExp>");
    if (kExpEnd.has(LL1)) {
        B().BKSNTM();
    } else if (LL1 == '*') {
        B().BKSNEX();
        B().BKSWBR();
        B().BKSRPT();
        Consume(n);
    } else if (LL1 == '+') {
        B().BKSNEX();
        B().BKSW3C();
        B().BKSRPT();
        Consume(n);
    } else if (LL1 == '?') {
        B().BKSNEX();
        B().BKSWBQ();
        Consume(n);
    } else {
        Fail(n, kExpExpected);
        return;
    }
    Complete(n);
}

// Closes a group or class: once, zero or more, one or more, or zero or one time.
void W3CReader::Exp(const Node& p)
{
    const Node n = Enter(p, "<Exp>");
    if (kExpEnd.has(LL1)) {
        B().BKSW3C();
    } else if (LL1 == '*') {
        B().BKSWBR();
        B().BKSRPT();
        Consume(n);
    } else if (LL1 == '+') {
        B().BKSW3C();
        B().BKSRPT();
        Consume(n);
    } else if (LL1 == '?') {
        B().BKSWBQ();
        Consume(n);
    } else {
        Fail(n, kExpExpected);
        return;
    }
    Complete(n);
}

void W3CReader::Group(const Node& n)
{
    OpenGroup();
    const Node left = Enter(n, "<Left bracket>");
    Consume(left);
    B().BKSWBO();
    Complete(left);
    BracketsContent(n);
    if (!bad) BracketsContentList(n);
    if (!bad) {
        const Node right = Enter(n, "<Right bracket>");
        if (LL1 != ')') Fail(right, ")");
        else {
            Consume(right);
            Complete(right);
        }
    }
    if (!bad) Exp(n);
    CloseGroup();
}

void W3CReader::BracketsContent(const Node& p)
{
    Alternative(p, "<Brackets content>", kBracketsStart,
                "chr(0)-chr(9) chr(11)-chr(12) chr(14)-' ' chr(34)-# %-) , .-9 ;-> @-\\ _-" READERS_YA);
}

void W3CReader::Gap(const Node& p) { BlanksStar(p); }

void W3CReader::BracketsContentList(const Node& p)
{
    List(p, "<Brackets content list>", [&](const Node& n) {
        if (LL1 == '|') {
            Consume(n);
            BracketsContent(n);
            return Next::More;
        }
        if (LL1 != ')') Fail(n, "| )");
        return Next::Done;
    });
}

void W3CReader::Blanks(const Node& p)
{
    const Node n = Enter(p, "<Blanks>");
    if (!kBlankChar.has(LL1)) {
        Fail(n, kBlankExpected);
        return;
    }
    BlankCharacter(n);
    if (bad) return;
    BlanksStar(n);
    if (bad) return;
    Complete(n);
}

void W3CReader::BlanksStar(const Node& p)
{
    List(p, "<Blanks*>", [&](const Node& n) {
        if (kBlankChar.has(LL1)) {
            BlankCharacter(n);
            return Next::More;
        }
        if (!kBlanksStarEnd.has(LL1))
            Fail(n, "chr(9) ' ' / chr(0)-chr(8) chr(11)-chr(31) chr(34)-# %-) , . 0-9 ;-> @-\\ _-" READERS_YA);
        return Next::Done;
    });
}

void W3CReader::BlankCharacter(const Node& p)
{
    const Node n = Enter(p, "<Blank character>");
    if (LL1 == 9 || LL1 == ' ') {
        Consume(n);
    } else if (LL1 == '/') {
        Comment(n);
        if (bad) return;
    } else {
        Fail(n, kBlankExpected);
        return;
    }
    Complete(n);
}

void W3CReader::Comment(const Node& p)
{
    const Node n = Enter(p, "<Comment>");
    if (LL1 != '/') {
        Fail(n, "/");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    if (!Match(n, '*')) return;
    CommentContent(n);
    if (bad) return;
    S().ApplyCnsFont(indSrc);
    Complete(n);
}

// <Comment content> ::= <Comment character> <Comment content> | * <After asterisk>
// <After asterisk> ::= * <After asterisk> | / | <Any character exept * /> <Comment content>
void W3CReader::CommentContent(const Node& p)
{
    Node n = Enter(p, "<Comment content>");
    const NodeStack::Mark outer = NestedBase();
    for (;;) {
        if (LL1 == '*') {
            Consume(n);
            PushNested(n);
            Node a = Enter(n, "<After asterisk>");
            for (;;) {
                if (LL1 == '*') {
                    Consume(a);
                    PushNested(a);
                    Descend(a, "<After asterisk>");
                } else if (LL1 == '/') {
                    Consume(a);
                    CompleteNested(a, outer);
                    return;
                } else if (kNotStarSlash.has(LL1)) {
                    CharProc(a, "<Any character exept * />", kNotStarSlash,
                             "chr(0)-chr(8) chr(9)-chr(13) ' '-) +-. 0-} chr(14)-chr(31) ~-" READERS_YA);
                    if (bad) return;
                    PushNested(a);
                    Descend(n, a, "<Comment content>");
                    break;
                } else {
                    Fail(a, "chr(0)-chr(41) +-. 0-" READERS_YA " * /");
                    return;
                }
            }
            continue;
        }
        if (kNotStar.has(LL1) && !Tracing()) {
            // Nothing but the run's end is seen: the node stays "<Comment content>".
            SkipRun(kNotStar);
            continue;
        }
        if (kNotStar.has(LL1)) {
            CharProc(n, "<Comment character>", kNotStar,
                     "chr(0)-chr(8) chr(9)-chr(13) ' '-) +-} chr(14)-chr(31) ~-" READERS_YA);
            if (bad) return;
            PushNested(n);
            Descend(n, "<Comment content>");
            continue;
        }
        Fail(n, kCommentContentExpected);
        return;
    }
}

void W3CReader::SeparateComment(const Node& p)
{
    const Node n = Enter(p, "<Separate comment>");
    if (LL1 != '!') {
        Fail(n, "!");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    LineContent(n, "<Statement content>", false);
    if (bad) return;
    S().ApplyCnsFont(indSrc);
    if (!Match(n, '\r') || !Match(n, '\n')) return;
    Complete(n);
}

void W3CReader::StringTerminal(const Node& p)
{
    const Node n = Enter(p, "<String Terminal>");
    if (LL1 != '"' && LL1 != '\'') {
        Fail(n, "' chr(34)");
        return;
    }
    const QuoteKind& k = LL1 == '\'' ? kSingleQuote : kDoubleQuote;
    Consume(n);
    QuotedContent(n, k);
    if (bad || !Match(n, k.quote)) return;
    Complete(n);
}

// A quoted string: one terminal per character, no escapes, never empty.
void W3CReader::QuotedContent(const Node& p, const QuoteKind& k)
{
    const Node n = Enter(p, k.content);
    if (!k.inString.has(LL1)) {
        Fail(n, k.contentExpected);
        return;
    }
    S().ApplyTextsFont(indSrc);
    const auto character = [&](const Node& m) {
        B().BKSNAI();
        CharProc(m, k.character, k.inString, k.characterExpected);
        if (bad) return;
        B().BKSSYM(LL0);
        B().BKSTRM();
    };
    character(n);
    if (bad) return;
    List(n, k.list, [&](const Node& m) {
        if (k.inString.has(LL1)) {
            character(m);
            return Next::More;
        }
        if (LL1 != k.quote) Fail(m, k.listExpected);
        return Next::Done;
    });
    if (bad) return;
    S().ApplyTrmFont(indSrc);
    Complete(n);
}

void W3CReader::SimpleAsciiTerminal(const Node& p)
{
    const Node n = Enter(p, "<Simple ASCII Terminal>");
    if (LL1 != '#') {
        Fail(n, "#");
        return;
    }
    // Only the letter after "#" is read lower-cased.
    LowCase = true;
    Consume(n);
    LowCase = false;
    Ascii(n, kCodeForm);
    if (bad) return;
    Complete(n);
}

// "[", BKSBRS, an optional "^", the members, BKSPOS, "]", then closed as a group.
void W3CReader::CharacterClass(const Node& n)
{
    Consume(n);
    B().BKSBRS();
    Negation(n);
    if (bad) return;
    TerminalList(n);
    if (bad) return;
    B().BKSPOS();
    if (!Match(n, ']')) return;
    Exp(n);
}

void W3CReader::Negation(const Node& p)
{
    const Node n = Enter(p, "<Negation>");
    if (LL1 == '^') {
        Consume(n);
        B().BKSNEG();
    } else if (!kNegationEmpty.has(LL1)) {
        Fail(n, "^ chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(93) _-" READERS_YA);
        return;
    }
    Complete(n);
}

// The first member decides: all members are codes, or all are characters.
void W3CReader::TerminalList(const Node& p)
{
    const Node n = Enter(p, "<Terminal list>");
    if (LL1 == '#') {
        AsciiTerminalList(n);
    } else if (kSimpleFirst.has(LL1)) {
        SimpleTerminalList(n);
    } else {
        Fail(n, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(34) $-] _-" READERS_YA " #");
        return;
    }
    if (bad) return;
    Complete(n);
}

void W3CReader::SimpleTerminalList(const Node& p)
{
    const Node n = Enter(p, "<Simple Terminal list>");
    if (!kSimpleFirst.has(LL1)) {
        Fail(n, kSimpleListExpected);
        return;
    }
    SimpleTerminal(n, true);
    if (bad) return;
    List(n, "<Simple Terminal*>", [&](const Node& m) {
        if (kSimpleNext.has(LL1)) {
            SimpleTerminal(m, false);
            return Next::More;
        }
        if (LL1 != ']') Fail(m, "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(44) .-\\ ^-" READERS_YA " ]");
        return Next::Done;
    });
    if (bad) return;
    Complete(n);
}

void W3CReader::SimpleTerminal(const Node& p, bool first)
{
    const Node n = Enter(p, first ? "<Simple Terminal first>" : "<Simple Terminal>");
    const CharSet& set = first ? kSimpleFirst : kSimpleNext;
    if (!set.has(LL1)) {
        Fail(n, first ? kSimpleListExpected : "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(44) .-\\ ^-" READERS_YA);
        return;
    }
    if (first)
        ClassCharacter(n, "<Terminal character first>", set,
                       "chr(0)-chr(8) chr(11)-chr(12) ' '-chr(34) $-] _-} chr(14)-chr(31) ~-" READERS_YA);
    else
        ClassCharacter(n, "<Terminal character>", set,
                       "chr(0)-chr(8) chr(11)-chr(12) ' '-, .-\\ ^-} chr(14)-chr(31) ~-" READERS_YA);
    if (bad) return;
    SimpleTerminalRange(n);
    if (bad) return;
    Complete(n);
}

void W3CReader::ClassCharacter(const Node& n, std::string_view name, const CharSet& set, std::string_view expected)
{
    S().ApplyTextsFont(indSrc);
    B().BKSNAI();
    CharProc(n, name, set, expected);
    if (bad) return;
    B().BKSSYM(LL0);
    S().ApplyTrmFont(indSrc);
}

void W3CReader::SimpleTerminalRange(const Node& p)
{
    const Node n = Enter(p, "<Simple Terminal range>");
    if (LL1 == '-') {
        B().BKSTRB();
        Consume(n);
        ClassCharacter(n, "<Terminal character second>", kSimpleSecond,
                       "chr(0)-chr(8) chr(11)-chr(12) ' '-} chr(14)-chr(31) ~-" READERS_YA);
        if (bad) return;
        B().BKSTRF();
    } else if (kSimpleSecond.has(LL1)) {
        B().BKSTRL();
    } else {
        Fail(n, "- chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(44) .-" READERS_YA);
        return;
    }
    Complete(n);
}

void W3CReader::AsciiTerminalList(const Node& p)
{
    const Node n = Enter(p, "<ASCII Terminal list>");
    if (LL1 != '#') {
        Fail(n, "#");
        return;
    }
    AsciiTerminal(n);
    if (bad) return;
    List(n, "<ASCII Terminal*>", [&](const Node& m) {
        if (LL1 == '#') {
            AsciiTerminal(m);
            return Next::More;
        }
        if (LL1 != ']') Fail(m, "# ]");
        return Next::Done;
    });
    if (bad) return;
    Complete(n);
}

void W3CReader::AsciiTerminal(const Node& p)
{
    const Node n = Enter(p, "<ASCII Terminal>");
    if (LL1 != '#') {
        Fail(n, "#");
        return;
    }
    LowCase = true;
    Consume(n);
    LowCase = false;
    Ascii(n, kCodeForm);
    if (bad) return;
    AsciiTerminalRange(n);
    if (bad) return;
    Complete(n);
}

void W3CReader::AsciiTerminalRange(const Node& p)
{
    const Node n = Enter(p, "<ASCII Terminal range>");
    if (LL1 == '#' || LL1 == ']') {
        B().BKSTRL();
    } else if (LL1 == '-') {
        B().BKSTRB();
        Consume(n);
        SimpleAsciiTerminal(n);
        if (bad) return;
        B().BKSTRF();
    } else {
        Fail(n, "- # ]");
        return;
    }
    Complete(n);
}

} // namespace readers
