// The parser of the C++ expression grammar, in the shape the Visual Basic generator gives with
// tree building on, written in C++.
#include "cpp_parser.h"

namespace kelvantroc {

namespace {

const char* const Names[] = {
    "<cpp_grammar>",
    "<expression>",
    "<assignment_expression>",
    "<expression_list1>",
    "<logical_or_expression>",
    "<conditional_or_assignment_expression>",
    "<logical_and_expression>",
    "<logical_or_expression_list>",
    "<conditional_expression_right>",
    "<assignment_operator>",
    "<inclusive_or_expression>",
    "<logical_and_expression_list>",
    "<LOG_OR>",
    "<ASS_MUL>",
    "<ASS_DIV>",
    "<ASS_MOD>",
    "<ASS_ADD>",
    "<ASS_SUB>",
    "<ASS_SHR>",
    "<ASS_SHL>",
    "<ASS_AND>",
    "<ASS_XOR>",
    "<ASS_OR>",
    "<exclusive_or_expression>",
    "<inclusive_or_expression_list>",
    "<LOG_AND>",
    "<and_expression>",
    "<exclusive_or_expression_list>",
    "<equality_expression>",
    "<and_expression_list>",
    "<relational_expression>",
    "<equality_expression_list>",
    "<shift_expression>",
    "<relational_expression_list>",
    "<EQ>",
    "<NE>",
    "<additive_expression>",
    "<shift_expression_list>",
    "<LE>",
    "<GE>",
    "<multiplicative_expression>",
    "<additive_expression_list>",
    "<SHL>",
    "<SHR>",
    "<segment_expression>",
    "<multiplicative_expression_list>",
    "<pm_expression>",
    "<segment_expression_list>",
    "<cast_expression>",
    "<pm_expression_list>",
    "<CG>",
    "<unary_expression>",
    "<DOT_STAR>",
    "<ARROW_STAR>",
    "<postfix_expression>",
    "<unary_prefix_operator>",
    "<primary_expression>",
    "<unary_postfix_operator>",
    "<INC>",
    "<DEC>",
    "<literal>",
    "<typed_id_expression>",
    "<arguments>",
    "<id_expression>",
    "<character_constant>",
    "<string_literal>",
    "<numeric_constant>",
    "<bool>",
    "<identifier>",
    "<expression_list>",
};

const char* const ExpectedSets[] = {
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    ", ) : ] finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    ") , : ? ] finish = N-W",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "J ) , : = ? N-W ] finish",
    "? ) , : ] finish",
    "= R P Q N V U T O W S",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "I ) , : = ? J N-W ] finish",
    "J",
    "R",
    "P",
    "Q",
    "N",
    "V",
    "U",
    "T",
    "O",
    "W",
    "S",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "| ) , : = ? I-J N-W ] finish",
    "I",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "^ ) , : = ? I-J N-W ] | finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "& ) , : = ? I-J N-W ]-^ | finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "E K & ) , : = ? I-J N-W ]-^ | finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "< > H F & ) , : = ? E I-K N-W ]-^ | finish",
    "E",
    "K",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "L M & ) , : <-? E-F H-K N-W ]-^ | finish",
    "H",
    "F",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "+ - & ) , : <-? E-F H-W ]-^ | finish",
    "L",
    "M",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "% * / & ) +-- : <-? E-F H-W ]-^ | finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "y %-& )-- / : <-? E-F H-W ]-^ | finish",
    "! & ( *-+ - D G v-x z ~ \354 \371",
    "X C %-& )-- / : <-? E-F H-W ]-^ y | finish",
    "y",
    "( v-x z \354 \371 ! & *-+ - D G ~",
    "X",
    "C",
    "( v-x z \354 \371",
    "! & *-+ - ~ G D",
    "v-x \354 \371 ( z",
    "G D %-& )-- / : <-? C E-F H-X ]-^ y | finish",
    "G",
    "D",
    "v w x \354 \371",
    "z %-& (-- / : <-? C-X [ ]-^ y | finish",
    "( [ %-& )-- / : <-? C-X ]-^ y | finish",
    "z",
    "v",
    "w",
    "x",
    "\354 \371",
    "z",
    "! & ( *-+ - D G v-x z ~ \354 \371 ) ]",
};

} // namespace

CppParser::CppParser(DerivationTree& tree) : ParserFrame(tree) {}

void CppParser::Parse(const std::string& SourceStr, std::string& ErrorMsg)
{
    Run(*this, &CppParser::s_1, SourceStr, ErrorMsg);
}

std::string CppParser::Name(int n) const { return Names[n - 1]; }

const char* CppParser::Expected(int n) { return ExpectedSets[n - 1]; }

int CppParser::Count() { return 70; }

// <cpp_grammar>
void CppParser::s_1(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(1);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <cpp_grammar>::=<expression>
        s_2(thisIndex, thisNode); // <expression>
        break;
    default:
        ErrH(1, thisNode, Expected(1));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <expression>
void CppParser::s_2(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(2);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <expression>::=<assignment_expression><expression_list1>
        s_3(thisIndex, thisNode); // <assignment_expression>
        if (bad) return;
        s_4(thisIndex, thisNode); // <expression_list1>
        break;
    default:
        ErrH(1, thisNode, Expected(2));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <assignment_expression>
void CppParser::s_3(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(3);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <assignment_expression>::=<logical_or_expression><conditional_or_assignment_expression>
        s_5(thisIndex, thisNode); // <logical_or_expression>
        if (bad) return;
        s_6(thisIndex, thisNode); // <conditional_or_assignment_expression>
        break;
    default:
        ErrH(1, thisNode, Expected(3));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <expression_list1>
void CppParser::s_4(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(4);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 44: // ','
            // <expression_list1>::=,<assignment_expression><expression_list1>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_3(thisIndex, thisNode); // <assignment_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <expression_list1>
        case 41:
        case 58:
        case 93:
        case -1: // ')' ':' ']' finish
            // <expression_list1>::=
            break;
        default:
            ErrH(1, thisNode, Expected(4));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <logical_or_expression>
void CppParser::s_5(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(5);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <logical_or_expression>::=<logical_and_expression><logical_or_expression_list>
        s_7(thisIndex, thisNode); // <logical_and_expression>
        if (bad) return;
        s_8(thisIndex, thisNode); // <logical_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(5));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <conditional_or_assignment_expression>
void CppParser::s_6(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(6);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 41:
    case 44:
    case 58:
    case 63:
    case 93:
    case -1: // ')' ',' ':' '?' ']' finish
        // <conditional_or_assignment_expression>::=<conditional_expression_right>
        s_9(thisIndex, thisNode); // <conditional_expression_right>
        break;
    case 61:
    case 78 ... 87: // '=' 'N'-'W'
        // <conditional_or_assignment_expression>::=<assignment_operator><assignment_expression>
        s_10(thisIndex, thisNode); // <assignment_operator>
        if (bad) return;
        s_3(thisIndex, thisNode); // <assignment_expression>
        break;
    default:
        ErrH(1, thisNode, Expected(6));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_and_expression>
void CppParser::s_7(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(7);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <logical_and_expression>::=<inclusive_or_expression><logical_and_expression_list>
        s_11(thisIndex, thisNode); // <inclusive_or_expression>
        if (bad) return;
        s_12(thisIndex, thisNode); // <logical_and_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(7));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_or_expression_list>
void CppParser::s_8(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(8);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 74: // 'J'
            // <logical_or_expression_list>::=<LOG_OR><logical_and_expression><logical_or_expression_list>
            s_13(thisIndex, thisNode); // <LOG_OR>
            if (bad) return;
            s_7(thisIndex, thisNode); // <logical_and_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <logical_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 78 ... 87:
        case 93:
        case -1: // ')' ',' ':' '=' '?' 'N'-'W' ']' finish
            // <logical_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(8));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <conditional_expression_right>
void CppParser::s_9(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(9);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 63: // '?'
        // <conditional_expression_right>::=?<expression>:<assignment_expression>
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_2(thisIndex, thisNode); // <expression>
        if (bad) return;
        if (LL1 != 58) {
            ErrH(2, " ", ":");
            return;
        }
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_3(thisIndex, thisNode); // <assignment_expression>
        break;
    case 41:
    case 44:
    case 58:
    case 93:
    case -1: // ')' ',' ':' ']' finish
        // <conditional_expression_right>::=
        break;
    default:
        ErrH(1, thisNode, Expected(9));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <assignment_operator>
void CppParser::s_10(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(10);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 61: // '='
        // <assignment_operator>::==
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    case 82: // 'R'
        // <assignment_operator>::=<ASS_MUL>
        s_14(thisIndex, thisNode); // <ASS_MUL>
        break;
    case 80: // 'P'
        // <assignment_operator>::=<ASS_DIV>
        s_15(thisIndex, thisNode); // <ASS_DIV>
        break;
    case 81: // 'Q'
        // <assignment_operator>::=<ASS_MOD>
        s_16(thisIndex, thisNode); // <ASS_MOD>
        break;
    case 78: // 'N'
        // <assignment_operator>::=<ASS_ADD>
        s_17(thisIndex, thisNode); // <ASS_ADD>
        break;
    case 86: // 'V'
        // <assignment_operator>::=<ASS_SUB>
        s_18(thisIndex, thisNode); // <ASS_SUB>
        break;
    case 85: // 'U'
        // <assignment_operator>::=<ASS_SHR>
        s_19(thisIndex, thisNode); // <ASS_SHR>
        break;
    case 84: // 'T'
        // <assignment_operator>::=<ASS_SHL>
        s_20(thisIndex, thisNode); // <ASS_SHL>
        break;
    case 79: // 'O'
        // <assignment_operator>::=<ASS_AND>
        s_21(thisIndex, thisNode); // <ASS_AND>
        break;
    case 87: // 'W'
        // <assignment_operator>::=<ASS_XOR>
        s_22(thisIndex, thisNode); // <ASS_XOR>
        break;
    case 83: // 'S'
        // <assignment_operator>::=<ASS_OR>
        s_23(thisIndex, thisNode); // <ASS_OR>
        break;
    default:
        ErrH(1, thisNode, Expected(10));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <inclusive_or_expression>
void CppParser::s_11(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(11);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <inclusive_or_expression>::=<exclusive_or_expression><inclusive_or_expression_list>
        s_24(thisIndex, thisNode); // <exclusive_or_expression>
        if (bad) return;
        s_25(thisIndex, thisNode); // <inclusive_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(11));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_and_expression_list>
void CppParser::s_12(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(12);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 73: // 'I'
            // <logical_and_expression_list>::=<LOG_AND><inclusive_or_expression><logical_and_expression_list>
            s_26(thisIndex, thisNode); // <LOG_AND>
            if (bad) return;
            s_11(thisIndex, thisNode); // <inclusive_or_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <logical_and_expression_list>
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 74:
        case 78 ... 87:
        case 93:
        case -1: // ')' ',' ':' '=' '?' 'J' 'N'-'W' ']' finish
            // <logical_and_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(12));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <LOG_OR>
void CppParser::s_13(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(13);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 74: // 'J'
        // <LOG_OR>::=J
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(13));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_MUL>
void CppParser::s_14(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(14);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 82: // 'R'
        // <ASS_MUL>::=R
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(14));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_DIV>
void CppParser::s_15(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(15);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 80: // 'P'
        // <ASS_DIV>::=P
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(15));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_MOD>
void CppParser::s_16(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(16);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 81: // 'Q'
        // <ASS_MOD>::=Q
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(16));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_ADD>
void CppParser::s_17(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(17);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 78: // 'N'
        // <ASS_ADD>::=N
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(17));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SUB>
void CppParser::s_18(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(18);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 86: // 'V'
        // <ASS_SUB>::=V
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(18));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SHR>
void CppParser::s_19(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(19);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 85: // 'U'
        // <ASS_SHR>::=U
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(19));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SHL>
void CppParser::s_20(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(20);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 84: // 'T'
        // <ASS_SHL>::=T
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(20));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_AND>
void CppParser::s_21(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(21);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 79: // 'O'
        // <ASS_AND>::=O
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(21));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_XOR>
void CppParser::s_22(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(22);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 87: // 'W'
        // <ASS_XOR>::=W
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(22));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_OR>
void CppParser::s_23(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(23);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 83: // 'S'
        // <ASS_OR>::=S
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(23));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <exclusive_or_expression>
void CppParser::s_24(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(24);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <exclusive_or_expression>::=<and_expression><exclusive_or_expression_list>
        s_27(thisIndex, thisNode); // <and_expression>
        if (bad) return;
        s_28(thisIndex, thisNode); // <exclusive_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(24));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <inclusive_or_expression_list>
void CppParser::s_25(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(25);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 124: // '|'
            // <inclusive_or_expression_list>::="|"<exclusive_or_expression><inclusive_or_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_24(thisIndex, thisNode); // <exclusive_or_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <inclusive_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 73 ... 74:
        case 78 ... 87:
        case 93:
        case -1: // ')' ',' ':' '=' '?' 'I'-'J' 'N'-'W' ']' finish
            // <inclusive_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(25));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <LOG_AND>
void CppParser::s_26(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(26);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 73: // 'I'
        // <LOG_AND>::=I
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(26));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <and_expression>
void CppParser::s_27(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(27);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <and_expression>::=<equality_expression><and_expression_list>
        s_29(thisIndex, thisNode); // <equality_expression>
        if (bad) return;
        s_30(thisIndex, thisNode); // <and_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(27));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <exclusive_or_expression_list>
void CppParser::s_28(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(28);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 94: // '^'
            // <exclusive_or_expression_list>::=^<and_expression><exclusive_or_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_27(thisIndex, thisNode); // <and_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <exclusive_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 73 ... 74:
        case 78 ... 87:
        case 93:
        case 124:
        case -1: // ')' ',' ':' '=' '?' 'I'-'J' 'N'-'W' ']' '|' finish
            // <exclusive_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(28));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <equality_expression>
void CppParser::s_29(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(29);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <equality_expression>::=<relational_expression><equality_expression_list>
        s_31(thisIndex, thisNode); // <relational_expression>
        if (bad) return;
        s_32(thisIndex, thisNode); // <equality_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(29));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <and_expression_list>
void CppParser::s_30(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(30);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 38: // '&'
            // <and_expression_list>::=&<equality_expression><and_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_29(thisIndex, thisNode); // <equality_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <and_expression_list>
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 73 ... 74:
        case 78 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // ')' ',' ':' '=' '?' 'I'-'J' 'N'-'W' ']'-'^' '|' finish
            // <and_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(30));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <relational_expression>
void CppParser::s_31(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(31);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <relational_expression>::=<shift_expression><relational_expression_list>
        s_33(thisIndex, thisNode); // <shift_expression>
        if (bad) return;
        s_34(thisIndex, thisNode); // <relational_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(31));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <equality_expression_list>
void CppParser::s_32(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(32);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 69: // 'E'
            // <equality_expression_list>::=<EQ><relational_expression><equality_expression_list>
            s_35(thisIndex, thisNode); // <EQ>
            if (bad) return;
            s_31(thisIndex, thisNode); // <relational_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <equality_expression_list>
        case 75: // 'K'
            // <equality_expression_list>::=<NE><relational_expression><equality_expression_list>
            s_36(thisIndex, thisNode); // <NE>
            if (bad) return;
            s_31(thisIndex, thisNode); // <relational_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <equality_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 73 ... 74:
        case 78 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '&' ')' ',' ':' '=' '?' 'I'-'J' 'N'-'W' ']'-'^' '|' finish
            // <equality_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(32));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <shift_expression>
void CppParser::s_33(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(33);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <shift_expression>::=<additive_expression><shift_expression_list>
        s_37(thisIndex, thisNode); // <additive_expression>
        if (bad) return;
        s_38(thisIndex, thisNode); // <shift_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(33));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <relational_expression_list>
void CppParser::s_34(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(34);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 60:
        case 62: // '<' '>'
            // <relational_expression_list>::="<"<shift_expression><relational_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_33(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 72: // 'H'
            // <relational_expression_list>::=<LE><shift_expression><relational_expression_list>
            s_39(thisIndex, thisNode); // <LE>
            if (bad) return;
            s_33(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 70: // 'F'
            // <relational_expression_list>::=<GE><shift_expression><relational_expression_list>
            s_40(thisIndex, thisNode); // <GE>
            if (bad) return;
            s_33(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 61:
        case 63:
        case 69:
        case 73 ... 75:
        case 78 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '&' ')' ',' ':' '=' '?' 'E' 'I'-'K' 'N'-'W' ']'-'^' '|' finish
            // <relational_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(34));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <EQ>
void CppParser::s_35(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(35);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 69: // 'E'
        // <EQ>::=E
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(35));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <NE>
void CppParser::s_36(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(36);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 75: // 'K'
        // <NE>::=K
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(36));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <additive_expression>
void CppParser::s_37(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(37);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <additive_expression>::=<multiplicative_expression><additive_expression_list>
        s_41(thisIndex, thisNode); // <multiplicative_expression>
        if (bad) return;
        s_42(thisIndex, thisNode); // <additive_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(37));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <shift_expression_list>
void CppParser::s_38(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(38);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 76: // 'L'
            // <shift_expression_list>::=<SHL><additive_expression><shift_expression_list>
            s_43(thisIndex, thisNode); // <SHL>
            if (bad) return;
            s_37(thisIndex, thisNode); // <additive_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <shift_expression_list>
        case 77: // 'M'
            // <shift_expression_list>::=<SHR><additive_expression><shift_expression_list>
            s_44(thisIndex, thisNode); // <SHR>
            if (bad) return;
            s_37(thisIndex, thisNode); // <additive_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <shift_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 60 ... 63:
        case 69 ... 70:
        case 72 ... 75:
        case 78 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '&' ')' ',' ':' '<'-'?' 'E'-'F' 'H'-'K' 'N'-'W' ']'-'^' '|' finish
            // <shift_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(38));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <LE>
void CppParser::s_39(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(39);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 72: // 'H'
        // <LE>::=H
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(39));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <GE>
void CppParser::s_40(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(40);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 70: // 'F'
        // <GE>::=F
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(40));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <multiplicative_expression>
void CppParser::s_41(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(41);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <multiplicative_expression>::=<segment_expression><multiplicative_expression_list>
        s_45(thisIndex, thisNode); // <segment_expression>
        if (bad) return;
        s_46(thisIndex, thisNode); // <multiplicative_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(41));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <additive_expression_list>
void CppParser::s_42(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(42);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 43:
        case 45: // '+' '-'
            // <additive_expression_list>::=+<multiplicative_expression><additive_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_41(thisIndex, thisNode); // <multiplicative_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <additive_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 60 ... 63:
        case 69 ... 70:
        case 72 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '&' ')' ',' ':' '<'-'?' 'E'-'F' 'H'-'W' ']'-'^' '|' finish
            // <additive_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(42));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <SHL>
void CppParser::s_43(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(43);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 76: // 'L'
        // <SHL>::=L
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(43));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <SHR>
void CppParser::s_44(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(44);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 77: // 'M'
        // <SHR>::=M
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(44));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <segment_expression>
void CppParser::s_45(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(45);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <segment_expression>::=<pm_expression><segment_expression_list>
        s_47(thisIndex, thisNode); // <pm_expression>
        if (bad) return;
        s_48(thisIndex, thisNode); // <segment_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(45));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <multiplicative_expression_list>
void CppParser::s_46(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(46);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 37:
        case 42:
        case 47: // '%' '*' '/'
            // <multiplicative_expression_list>::=%<segment_expression><multiplicative_expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_45(thisIndex, thisNode); // <segment_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <multiplicative_expression_list>
        case 38:
        case 41:
        case 43 ... 45:
        case 58:
        case 60 ... 63:
        case 69 ... 70:
        case 72 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '&' ')' '+'-'-' ':' '<'-'?' 'E'-'F' 'H'-'W' ']'-'^' '|' finish
            // <multiplicative_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(46));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <pm_expression>
void CppParser::s_47(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(47);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <pm_expression>::=<cast_expression><pm_expression_list>
        s_49(thisIndex, thisNode); // <cast_expression>
        if (bad) return;
        s_50(thisIndex, thisNode); // <pm_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(47));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <segment_expression_list>
void CppParser::s_48(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(48);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 121: // 'y'
            // <segment_expression_list>::=<CG><pm_expression><segment_expression_list>
            s_51(thisIndex, thisNode); // <CG>
            if (bad) return;
            s_47(thisIndex, thisNode); // <pm_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <segment_expression_list>
        case 37 ... 38:
        case 41 ... 45:
        case 47:
        case 58:
        case 60 ... 63:
        case 69 ... 70:
        case 72 ... 87:
        case 93 ... 94:
        case 124:
        case -1: // '%'-'&' ')'-'-' '/' ':' '<'-'?' 'E'-'F' 'H'-'W' ']'-'^' '|' finish
            // <segment_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(48));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <cast_expression>
void CppParser::s_49(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(49);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <cast_expression>::=<unary_expression>
        s_52(thisIndex, thisNode); // <unary_expression>
        break;
    default:
        ErrH(1, thisNode, Expected(49));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <pm_expression_list>
void CppParser::s_50(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(50);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 88: // 'X'
            // <pm_expression_list>::=<DOT_STAR><cast_expression><pm_expression_list>
            s_53(thisIndex, thisNode); // <DOT_STAR>
            if (bad) return;
            s_49(thisIndex, thisNode); // <cast_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <pm_expression_list>
        case 67: // 'C'
            // <pm_expression_list>::=<ARROW_STAR><cast_expression><pm_expression_list>
            s_54(thisIndex, thisNode); // <ARROW_STAR>
            if (bad) return;
            s_49(thisIndex, thisNode); // <cast_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <pm_expression_list>
        case 37 ... 38:
        case 41 ... 45:
        case 47:
        case 58:
        case 60 ... 63:
        case 69 ... 70:
        case 72 ... 87:
        case 93 ... 94:
        case 121:
        case 124:
        case -1: // '%'-'&' ')'-'-' '/' ':' '<'-'?' 'E'-'F' 'H'-'W' ']'-'^' 'y' '|' finish
            // <pm_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(50));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <CG>
void CppParser::s_51(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(51);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 121: // 'y'
        // <CG>::=y
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(51));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <unary_expression>
void CppParser::s_52(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(52);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <unary_expression>::=<postfix_expression>
        s_55(thisIndex, thisNode); // <postfix_expression>
        break;
    case 33:
    case 38:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 126: // '!' '&' '*'-'+' '-' 'D' 'G' '~'
        // <unary_expression>::=<unary_prefix_operator><cast_expression>
        s_56(thisIndex, thisNode); // <unary_prefix_operator>
        if (bad) return;
        s_49(thisIndex, thisNode); // <cast_expression>
        break;
    default:
        ErrH(1, thisNode, Expected(52));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <DOT_STAR>
void CppParser::s_53(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(53);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 88: // 'X'
        // <DOT_STAR>::=X
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(53));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ARROW_STAR>
void CppParser::s_54(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(54);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 67: // 'C'
        // <ARROW_STAR>::=C
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(54));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <postfix_expression>
void CppParser::s_55(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(55);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <postfix_expression>::=<primary_expression><unary_postfix_operator>
        s_57(thisIndex, thisNode); // <primary_expression>
        if (bad) return;
        s_58(thisIndex, thisNode); // <unary_postfix_operator>
        break;
    default:
        ErrH(1, thisNode, Expected(55));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <unary_prefix_operator>
void CppParser::s_56(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(56);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 42 ... 43:
    case 45:
    case 126: // '!' '&' '*'-'+' '-' '~'
        // <unary_prefix_operator>::=!
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    case 71: // 'G'
        // <unary_prefix_operator>::=<INC>
        s_59(thisIndex, thisNode); // <INC>
        break;
    case 68: // 'D'
        // <unary_prefix_operator>::=<DEC>
        s_60(thisIndex, thisNode); // <DEC>
        break;
    default:
        ErrH(1, thisNode, Expected(56));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <primary_expression>
void CppParser::s_57(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(57);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 118 ... 120:
    case 236:
    case 249: // 'v'-'x' 'м' 'щ'
        // <primary_expression>::=<literal>
        s_61(thisIndex, thisNode); // <literal>
        break;
    case 40: // '('
        // <primary_expression>::=(<expression>)<typed_id_expression><arguments>
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_2(thisIndex, thisNode); // <expression>
        if (bad) return;
        if (LL1 != 41) {
            ErrH(2, " ", ")");
            return;
        }
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_62(thisIndex, thisNode); // <typed_id_expression>
        if (bad) return;
        s_63(thisIndex, thisNode); // <arguments>
        break;
    case 122: // 'z'
        // <primary_expression>::=<id_expression><arguments>
        s_64(thisIndex, thisNode); // <id_expression>
        if (bad) return;
        s_63(thisIndex, thisNode); // <arguments>
        break;
    default:
        ErrH(1, thisNode, Expected(57));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <unary_postfix_operator>
void CppParser::s_58(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(58);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 71: // 'G'
        // <unary_postfix_operator>::=<INC>
        s_59(thisIndex, thisNode); // <INC>
        break;
    case 68: // 'D'
        // <unary_postfix_operator>::=<DEC>
        s_60(thisIndex, thisNode); // <DEC>
        break;
    case 37 ... 38:
    case 41 ... 45:
    case 47:
    case 58:
    case 60 ... 63:
    case 67:
    case 69 ... 70:
    case 72 ... 88:
    case 93 ... 94:
    case 121:
    case 124:
    case -1: // '%'-'&' ')'-'-' '/' ':' '<'-'?' 'C' 'E'-'F' 'H'-'X' ']'-'^' 'y' '|' finish
        // <unary_postfix_operator>::=
        break;
    default:
        ErrH(1, thisNode, Expected(58));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <INC>
void CppParser::s_59(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(59);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 71: // 'G'
        // <INC>::=G
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(59));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <DEC>
void CppParser::s_60(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(60);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 68: // 'D'
        // <DEC>::=D
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(60));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <literal>
void CppParser::s_61(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(61);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 118: // 'v'
        // <literal>::=<character_constant>
        s_65(thisIndex, thisNode); // <character_constant>
        break;
    case 119: // 'w'
        // <literal>::=<string_literal>
        s_66(thisIndex, thisNode); // <string_literal>
        break;
    case 120: // 'x'
        // <literal>::=<numeric_constant>
        s_67(thisIndex, thisNode); // <numeric_constant>
        break;
    case 236:
    case 249: // 'м' 'щ'
        // <literal>::=<bool>
        s_68(thisIndex, thisNode); // <bool>
        break;
    default:
        ErrH(1, thisNode, Expected(61));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <typed_id_expression>
void CppParser::s_62(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(62);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 122: // 'z'
        // <typed_id_expression>::=<identifier>
        s_69(thisIndex, thisNode); // <identifier>
        break;
    case 37 ... 38:
    case 40 ... 45:
    case 47:
    case 58:
    case 60 ... 63:
    case 67 ... 88:
    case 91:
    case 93 ... 94:
    case 121:
    case 124:
    case -1: // '%'-'&' '('-'-' '/' ':' '<'-'?' 'C'-'X' '[' ']'-'^' 'y' '|' finish
        // <typed_id_expression>::=
        break;
    default:
        ErrH(1, thisNode, Expected(62));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <arguments>
void CppParser::s_63(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(63);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40: // '('
        // <arguments>::=(<expression_list>)
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_70(thisIndex, thisNode); // <expression_list>
        if (bad) return;
        if (LL1 != 41) {
            ErrH(2, " ", ")");
            return;
        }
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    case 91: // '['
        // <arguments>::="["<expression_list>"]"
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_70(thisIndex, thisNode); // <expression_list>
        if (bad) return;
        if (LL1 != 93) {
            ErrH(2, " ", "]");
            return;
        }
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    case 37 ... 38:
    case 41 ... 45:
    case 47:
    case 58:
    case 60 ... 63:
    case 67 ... 88:
    case 93 ... 94:
    case 121:
    case 124:
    case -1: // '%'-'&' ')'-'-' '/' ':' '<'-'?' 'C'-'X' ']'-'^' 'y' '|' finish
        // <arguments>::=
        break;
    default:
        ErrH(1, thisNode, Expected(63));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <id_expression>
void CppParser::s_64(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(64);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 122: // 'z'
        // <id_expression>::=<identifier>
        s_69(thisIndex, thisNode); // <identifier>
        break;
    default:
        ErrH(1, thisNode, Expected(64));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <character_constant>
void CppParser::s_65(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(65);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 118: // 'v'
        // <character_constant>::=v
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(65));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <string_literal>
void CppParser::s_66(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(66);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 119: // 'w'
        // <string_literal>::=w
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(66));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <numeric_constant>
void CppParser::s_67(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(67);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 120: // 'x'
        // <numeric_constant>::=x
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(67));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <bool>
void CppParser::s_68(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(68);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 236:
    case 249: // 'м' 'щ'
        // <bool>::=м
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(68));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <identifier>
void CppParser::s_69(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(69);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 122: // 'z'
        // <identifier>::=z
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(69));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <expression_list>
void CppParser::s_70(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(70);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 33:
    case 38:
    case 40:
    case 42 ... 43:
    case 45:
    case 68:
    case 71:
    case 118 ... 120:
    case 122:
    case 126:
    case 236:
    case 249: // '!' '&' '(' '*'-'+' '-' 'D' 'G' 'v'-'x' 'z' '~' 'м' 'щ'
        // <expression_list>::=<assignment_expression><expression_list1>
        s_3(thisIndex, thisNode); // <assignment_expression>
        if (bad) return;
        s_4(thisIndex, thisNode); // <expression_list1>
        break;
    case 41:
    case 93: // ')' ']'
        // <expression_list>::=
        break;
    default:
        ErrH(1, thisNode, Expected(70));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

} // namespace kelvantroc
