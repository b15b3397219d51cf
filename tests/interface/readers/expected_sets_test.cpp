// Each expected-set text names exactly the codes with which its procedure goes on: every code
// (and the end of the text) is put where the procedure decides, and the reading either fails
// there naming the procedure and its text, or goes on.
#include <gtest/gtest.h>

#include "expected_set.h"
#include "fakes.h"

using namespace readers_test;

namespace {

// Notes whether a procedure was entered at a position, that is whether a code put there
// reaches its choice at all.
class EntryRecorder final : public readers::TreeHooks {
public:
    std::string_view name;
    readers::Pos at = 0;
    bool entered = false;
    void NewNode(readers::Pos, std::string_view, readers::Pos thisIndex, std::string_view thisNode) override
    {
        if (thisIndex == at && thisNode == name) entered = true;
    }
    void NewLeaf(readers::Pos, std::string_view, readers::Pos, int) override {}
    void CompleteNode(readers::Pos, std::string_view, readers::Pos) override {}
};

// The colouring parsers, told apart from the notations.
constexpr int TerminalList = 10, Document = 11;

struct ReaderEnd {
    bool bad;
    readers::Pos ind;
    std::string error;
};

ReaderEnd ReadWith(int notation, const std::string& text, readers::TreeHooks& tree)
{
    const readers::ReaderHooks hooks{nullptr, nullptr, &tree};
    std::string error;
    if (notation == TerminalList) {
        readers::TerminalListColouring r(hooks);
        r.SetTerminalListFont(text, error);
        return {r.bad, r.indSrc, error};
    }
    if (notation == Document) {
        readers::DocumentColouring r(hooks);
        r.BNFSetDocFonts2(text, error);
        return {r.bad, r.indSrc, error};
    }
    if (notation == readers::W3C) {
        readers::W3CReader r(hooks);
        r.BNF_W3C(text, error);
        return {r.bad, r.indSrc, error};
    }
    readers::MsdnReader r(hooks, notation == readers::MSDNWithSemicolon);
    r.BNF_multipoint(text, error);
    return {r.bad, r.indSrc, error};
}

struct ProcCase {
    int notation;
    std::string name;
    std::string prefix;  // the procedure decides on the code put behind it
    std::string expected;
    bool lowCase = false;  // read while LowCase is set: only lower-case codes can reach it
};

#define YA "\xFF"
constexpr int L = TerminalList, D = Document;
constexpr int M = readers::MSDN, S = readers::MSDNWithSemicolon, W = readers::W3C;

const std::string kMsdnSymbols =
    "chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- /-\\ ^-{ ~-" YA " chr(13) ] |-}";
const std::string kSemiSymbols =
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-- /-: <-\\ ^-{ ~-" YA " ; ] |-}";
const std::string kW3CName =
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _ a-{ }-" YA;
const std::string kW3CSymbols =
    "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-( , . 0-9 ;-> @-\\ _-{ }-" YA
    " chr(13) ) |";

const ProcCase kCases[] = {
    // MSDN
    {M, "<BNF_multipoint>", "", "chr(0)-chr(255) finish"},
    {M, "<Notation>", "<A> ::= x\r\n", "chr(0)-chr(255) finish"},
    {M, "<Space>", "", "chr(9)-chr(10) chr(13) ' ' chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-" YA " finish"},
    {M, "<Notation content>", "",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-" YA " $ ! ' / finish"},
    {M, "<Label>", "1",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-" YA " < ` |"},
    {M, "<Blanks>", "1", "chr(9) ' ' chr(0)-chr(8) chr(10)-chr(31) !-" YA},
    {M, "<Rule|Action>", "1 ", "< | `"},
    {M, "<Param>", "$", "t d p e n", true},
    {M, "<$Param_p>", "$p", "r o", true},
    {M, "<Comment content>", "!", "chr(0)-chr(12) chr(14)-chr(255) chr(13)"},
    {M, "<::=>", "<A>", ": -"},
    {M, "<Right part>", "<A>::=", "chr(0)-chr(45) /-\\ ^-| ~-" YA},
    {M, "<Right parts>", "<A>::=<B>", "| chr(13)"},
    {M, "<Statement>", "$title::=", "chr(0)-chr(255)"},
    {M, "<Statement content>", "$title::=", "chr(0)-chr(12) chr(14)-chr(255) chr(13)"},
    {M, "<Nonterminal name>", "<", "chr(0)-chr(12) chr(14)-chr(61) ?-" YA},
    {M, "<Nonterminal character list>", "<A", "chr(0)-chr(12) chr(14)-chr(61) ?-" YA " >"},
    {M, "<Grammatical symbols>", "<A>::=", kMsdnSymbols},
    {M, "<Grammatical symbols list>", "<A>::=<B> ", kMsdnSymbols},
    {M, "<Action name>", "`", "chr(0)-chr(12) chr(14)-chr(95) a-" YA},
    {M, "<Action character list>", "`a", "chr(0)-chr(12) chr(14)-chr(95) a-" YA " `"},
    {M, "<Grammatical symbol>", "<A>::=",
     "< chr(0)-chr(8) chr(10)-chr(12) chr(14)-chr(31) !-- /-; =-Z \\ ^-_ a-z ~-" YA " ` [ {"},
    {M, "<Repeater>", "<A>::=<B>", ". chr(0)-chr(45) /-" YA},
    {M, "<Left bracket>", "<A>::=", "[ {"},
    {M, "<Brackets content>", "<A>::=[", "chr(0)-chr(12) chr(14)-chr(45) /-\\ ^-{ ~-" YA},
    {M, "<Brackets content list>", "<A>::=[<B>", "| ] }"},
    {M, "<Right bracket>", "<A>::=[<B>", "] }"},
    {M, "<]...repeater>", "<A>::=[<B>]", ". chr(0)-chr(45) /-" YA},
    {M, "<Comment prefix>", "", "! ' /"},
    // MSDN with ";"
    {S, "<BNF_multipoint_commapoint>", "", "chr(0)-chr(123) }-" YA " finish"},
    {S, "<Notation>", "<A>::=;", "chr(0)-chr(123) }-" YA " finish"},
    {S, "<Notation content>", "\r\n",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-{ }-" YA " $ ! ' / finish"},
    {S, "<Label>", "1",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-& (-. 0-; =-_ a-{ }-" YA " < `"},
    {S, "<Rule|Action>", "1 ", "< `"},
    {S, "<Right part>", "<A>::=", "chr(0)-chr(45) /-\\ ^-| ~-" YA},
    {S, "<Right parts>", "<A>::=<B>", "| ;"},
    {S, "<Grammatical symbols>", "<A>::=", kSemiSymbols},
    {S, "<Grammatical symbols list>", "<A>::=<B> ", kSemiSymbols},
    {S, "<Grammatical symbol>", "<A>::=",
     "< chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-- /-: =-Z \\ ^-_ a-z ~-" YA " ` [ {"},
    {S, "<Brackets content>", "<A>::=[", "chr(0)-chr(45) /-: <-\\ ^-{ ~-" YA},
    {S, "<Repeater>", "<A>::=<B>", ". chr(0)-chr(45) /-" YA},
    // W3C
    {W, "<BNF_W3C>", "", "chr(0)-chr(255) finish"},
    {W, "<Notation>", "a ::= b\r\n", "chr(0)-chr(255) finish"},
    {W, "<Space>", "", "chr(9)-chr(10) chr(13) ' ' / chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-. 0-" YA " finish"},
    {W, "<Notation content>", "", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) chr(34)-# %-. 0-" YA " $ ! finish"},
    {W, "<Label>", "", "chr(34)-# '-+ - : ? [ ]-^ chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _-" YA},
    {W, "<Rule|Action>", "[1] ", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) %-& , . 0-9 ;-> @-Z \\ _ a-" YA " `"},
    {W, "<Comment content>", "/*", "chr(0)-chr(41) +-" YA " *"},
    {W, "<Label character list>", "[", "chr(0)-chr(8) chr(10)-chr(31) !-. 0-" YA " chr(9) ' ' /"},
    {W, "<Param>", "$", "t d p e n", true},
    {W, "<$Param_p>", "$p", "r o", true},
    {W, "<Statement content>", "!", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)"},
    {W, "<After asterisk>", "/**", "chr(0)-chr(41) +-. 0-" YA " * /"},
    {W, "<Blanks*>", "[1] ", "chr(9) ' ' / chr(0)-chr(8) chr(11)-chr(31) chr(34)-# %-) , . 0-9 ;-> @-\\ _-" YA},
    {W, "<Nonterminal>", "", kW3CName},
    {W, "<::=>", "a", ": -"},
    {W, "<Right part>", "a ::=", "chr(0)-chr(9) chr(11)-' ' chr(34)-# %-( , .-9 ;-> @-\\ _-" YA},
    {W, "<Right parts>", "a ::= b", "| chr(13)"},
    {W, "<Statement>", "$title::=", "chr(0)-chr(9) chr(11)-chr(255)"},
    {W, "<Grammatical symbols>", "a ::=", kW3CSymbols},
    {W, "<Grammatical symbols list>", "a ::= b ", kW3CSymbols},
    {W, "<Action name>", "`", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" YA},
    {W, "<Action character list>", "`a", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" YA " `"},
    {W, "<Nonterminal character list>", "a",
     kW3CName + " chr(9)-chr(10) chr(13) ' ' )-+ - / : ? |"},
    {W, "<Symbols with blanks>", "a ::= b*", "chr(9) ' ' / chr(13) ) |"},
    {W, "<NtmExp>", "a ::= b", "* + ? chr(9) chr(13) ' ' ) / |"},
    {W, "<Exp>", "a ::= (b)", "* + ? chr(9) chr(13) ' ' ) / |"},
    {W, "<Negation>", "a ::= [", "^ chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(93) _-" YA},
    {W, "<Terminal list>", "a ::= [^", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(34) $-] _-" YA " #"},
    {W, "<Brackets content>", "a ::= (", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-' ' chr(34)-# %-) , .-9 ;-> @-\\ _-" YA},
    {W, "<Brackets content list>", "a ::= (b", "| )"},
    {W, "<ASCII>", "a ::= #", "x d", true},
    {W, "<Quoted content>", "a ::= '", "chr(0)-chr(38) (-" YA},
    {W, "<Double quoted content>", "a ::= \"", "chr(0)-chr(33) #-" YA},
    {W, "<Hex>", "a ::= #x", "0-9 A-F a-f"},
    {W, "<Dec>", "a ::= #d", "0-9"},
    {W, "<Quoted terminal list>", "a ::= 'b", "chr(0)-chr(38) (-" YA " '"},
    {W, "<Double quoted terminal list>", "a ::= \"b", "chr(0)-chr(33) #-" YA " chr(34)"},
    {W, "<Simple Terminal*>", "a ::= [b-c", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(44) .-\\ ^-" YA " ]"},
    {W, "<ASCII Terminal*>", "a ::= [#x41-#x42", "# ]"},
    {W, "<Hex*>", "a ::= #x4", "0-9 A-F a-f chr(9) chr(13) ' ' # ) - / ] |"},
    {W, "<Dec*>", "a ::= #d1", "0-9 chr(9) chr(13) ' ' # ) - / ] |"},
    {W, "<Simple Terminal range>", "a ::= [b", "- chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(44) .-" YA},
    {W, "<ASCII Terminal range>", "a ::= [#x41", "- # ]"},
    {W, "<Simple Terminal list>", "a ::= [", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(34) $-] _-" YA},
    // terminal list
    {L, "<SetTerminalListFont>", "", "' ' 0-9"},
    {L, "<T-Right>", "1          a chr(97)\r\n", "' ' 0-9 finish"},
    {L, "<Blanks>", " ", "' ' chr(13) 0-9 c"},
    {L, "<Integer>", "1          a chr(", "0-9"},
    {L, "<Integer0>", "1", "0-9 ' ' )"},
    {L, "<Terminal>", "1          ",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) ! # %-& (-, .-; = ?-Z \\ _-z ~-" YA
     " chr(9)-chr(10) chr(13) ' ' chr(34) $ ' - < > [ ]-^ {-}"},
    // grammar document
    {D, "<BNFSetDocFonts2>", "", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) # %-. 0-" YA " finish"},
    {D, "<Notation>", "<A>\r\n", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(33) # %-. 0-" YA " finish"},
    {D, "<Blanks>", "", "chr(9) ' ' chr(0)-chr(8) chr(11)-chr(31) !-" YA " finish"},
    {D, "<Notation contents>", "",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-. 0-_ a-" YA " ` ' ! finish"},
    {D, "<Label>", "1", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) # %-& (-. 0-; =-_ a-{ }-" YA " <"},
    {D, "<Rule ::=...>", "<A>", ": - chr(13)"},
    {D, "<Right part>", "<A>::=", "chr(0)-chr(9) chr(11)-chr(44) .-Z \\ ^-z | ~-" YA},
    {D, "<Right parts>", "<A>::=<B>", "| chr(13)"},
    {D, "<Statement>", "`a`::=", "chr(0)-chr(9) chr(11)-chr(255)"},
    {D, "<Comment contents>", "'", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)"},
    {D, "<Statement contents>", "`a`::=", "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(255) chr(13)"},
    {D, "<Nonterminal name>", "<", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(61) ?-" YA " >"},
    {D, "<Action name>", "`", "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(95) a-" YA " `"},
    {D, "<Grammatical symbols>", "<A>::=",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-, .-Z \\ ^-z ~-" YA " chr(13) |"},
    {D, "<Grammatical symbols list>", "<A>::=<B>",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) !-, .-Z \\ ^-z ~-" YA " chr(13) |"},
    {D, "<Terminal range>", "<A>::=a", "- chr(0)-chr(9) chr(11)-chr(44) .-Z \\ ^-z | ~-" YA},
    {D, "<Terminal>", "<A>::=a-",
     "chr(0)-chr(8) chr(11)-chr(12) chr(14)-chr(31) ! #-& (-, .-; =-Z \\ ^-_ a-z ~-" YA " ' chr(34)"},
    {D, "<Quote contents>", "<A>::='", "chr(0)-chr(38) (-" YA " '"},
    {D, "<Double quote contents>", "<A>::=\"", "chr(0)-chr(33) #-" YA " chr(34)"},
    {D, "<Integer>", "<A>::=''", "0-9 chr(34) '"},
    {W, "<Grammatical symbol>", "a ::= ", kW3CName + " # chr(34) ' [ ( `"},
};

void PrintTo(const ProcCase& c, std::ostream* os) { *os << c.name; }

class ExpectedSets : public ::testing::TestWithParam<ProcCase> {};

TEST_P(ExpectedSets, NameExactlyTheCodesTheProcedureAccepts)
{
    const ProcCase& c = GetParam();
    const ExpectedCodes want = ParseExpectedSet(c.expected);
    const std::string head = "when expecting " + c.name + " with one of: ";
    EntryRecorder tree;
    tree.name = c.name;
    tree.at = static_cast<readers::Pos>(c.prefix.size()) + 1;
    int reached = 0;
    for (int code = -1; code < 256; ++code) {
        if (c.lowCase && code >= 0 && readers::LowerCode(code) != code) continue;
        std::string text = c.prefix;
        if (code >= 0) text += static_cast<char>(code);
        tree.entered = false;
        const ReaderEnd r = ReadWith(c.notation, text, tree);
        if (!tree.entered) continue;  // the code never reaches this procedure's choice
        ++reached;
        const bool rejected = r.bad && r.ind == tree.at && r.error.find(head) != std::string::npos;
        if (rejected)
            EXPECT_NE(r.error.find(head + c.expected + "\r\n"), std::string::npos) << r.error;
        const bool named = code < 0 ? want.finish : want.codes.test(static_cast<std::size_t>(code));
        EXPECT_EQ(!rejected, named) << c.name << " code " << code << ": " << r.error;
    }
    EXPECT_GT(reached, 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Readers, ExpectedSets, ::testing::ValuesIn(kCases));

TEST(ExpectedSetText, Items)
{
    const ExpectedCodes e = ParseExpectedSet("chr(0)-chr(8) ' ' ' '-\" ! ''127''-" YA " - !-- finish");
    EXPECT_TRUE(e.finish);
    for (int c : {0, 8, 32, 33, 34, 127, 255, int{'-'}, int{'!'}, int{','}, int{'+'}}) EXPECT_TRUE(e.codes.test(static_cast<std::size_t>(c))) << c;
    EXPECT_FALSE(e.codes.test(9));
    EXPECT_FALSE(e.codes.test(31));
}

} // namespace
