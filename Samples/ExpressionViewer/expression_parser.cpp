// The parser of the expression grammar, in the shape the Visual Basic generator gives with
// tree building on, written in C++. One text serves both the English-named grammar (start symbol
// <expression>, procedure s_2) and the same grammar with Russian names, whose start rule
// <expression_rus> ::= <выражение> is procedure s_1; the names come from the grammar's table.
#include "expression_parser.h"

namespace kelvantroc {

namespace {

const char* const EnglishNames[] = {
    "", // the Russian grammar's start rule
    "<expression>",
    "<assignment_expression>",
    "<expression_list>",
    "<conditional_expression>",
    "<assignment_operator>",
    "<logical_or_expression>",
    "<conditional_expression_right>",
    "<ASS_MUL>",
    "<ASS_DIV>",
    "<ASS_MOD>",
    "<ASS_ADD>",
    "<ASS_SUB>",
    "<GE>",
    "<ASS_SHR>",
    "<LE>",
    "<ASS_SHL>",
    "<ASS_AND>",
    "<ASS_XOR>",
    "<ASS_OR>",
    "<logical_and_expression>",
    "<logical_or_expression_list>",
    "<inclusive_or_expression>",
    "<logical_and_expression_list>",
    "<LOG_OR>",
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
    "<EG>",
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
    "<identifier>",
    "<character_constant>",
    "<string_literal>",
    "<numeric_constant>",
    "<bool>",
    "<DOT_STAR>",
    "<ARROW_STAR>",
};

const char* const RussianNames[] = {
    "<expression_rus>",
    "<\342\373\360\340\346\345\355\350\345>",
    "<\357\360\350\361\342\340\350\342\340\355\350\345>",
    "<\361\357\350\361\356\352 \342\373\360\340\346\345\355\350\351 \367\345\360\345\347 \347\340\357\377\362\363\376>",
    "<\363\361\353\356\342\355\356\345 \342\373\360\340\346\345\355\350\345>",
    "<\356\357\345\360\340\366\350\377 \357\360\350\361\342\340\350\342\340\355\350\377>",
    "<\353\356\343\350\367\345\361\352\356\345 \"\350\353\350\">",
    "<\363\361\353\356\342\355\356\345 \342\373\360\340\346\345\355\350\345 \357\360\340\342\340\377 "
    "\367\340\361\362\374>",
    "<ASS_MUL>",
    "<ASS_DIV>",
    "<ASS_MOD>",
    "<ASS_ADD>",
    "<ASS_SUB>",
    "<GE>",
    "<ASS_SHR>",
    "<LE>",
    "<ASS_SHL>",
    "<ASS_AND>",
    "<ASS_XOR>",
    "<ASS_OR>",
    "<\353\356\343\350\367\345\361\352\356\345 \"\350\">",
    "<\353\356\343\350\367\345\361\352\356\345 \"\350\353\350\" \357\360\340\342\340\377 \367\340\361\362\374>",
    "<\357\356\341\350\362\356\342\356\345 \"\350\353\350\">",
    "<\353\356\343\350\367\345\361\352\356\345 \"\350\" \357\360\340\342\340\377 \367\340\361\362\374>",
    "<LOG_OR>",
    "<\357\356\341\350\362\356\342\356\345 \350\361\352\353\376\367\340\376\371\345\345 \"\350\353\350\">",
    "<\357\356\341\350\362\356\342\356\345 \"\350\353\350\" \357\360\340\342\340\377 \367\340\361\362\374>",
    "<LOG_AND>",
    "<\357\356\341\350\362\356\342\356\345 \"\350\">",
    "<\357\356\341\350\362\356\342\356\345 \350\361\352\353\376\367\340\376\371\345\345 \"\350\353\350\" "
    "\357\360\340\342\340\377 \367\340\361\362\374>",
    "<\342\373\360\340\346\345\355\350\345 \360\340\342\355\345\355\361\362\342\340>",
    "<\357\356\341\350\362\356\342\356\345 \"\350\" \357\360\340\342\340\377 \367\340\361\362\374>",
    "<\342\373\360\340\346\345\355\350\345 \361\360\340\342\355\345\355\350\377>",
    "<\342\373\360\340\346\345\355\350\345 \360\340\342\355\345\355\361\362\342\340 \357\360\340\342\340\377 "
    "\367\340\361\362\374>",
    "<\357\356\341\350\362\356\342\373\351 \361\344\342\350\343>",
    "<\361\360\340\342\355\345\355\350\345 \357\360\340\342\340\377 \367\340\361\362\374>",
    "<EQ>",
    "<NE>",
    "<\361\353\356\346\345\355\350\345, \342\373\367\350\362\340\355\350\345>",
    "<\357\356\341\350\362\356\342\373\351 \361\344\342\350\343 \357\360\340\342\340\377 \367\340\361\362\374>",
    "<EG>",
    "<\363\354\355\356\346\345\355\350\345, \344\345\353\345\355\350\345>",
    "<\361\353\356\346\345\355\350\345, \342\373\367\350\362\340\355\350\345 \357\360\340\342\340\377 "
    "\367\340\361\362\374>",
    "<SHL>",
    "<SHR>",
    "<\361\345\343\354\345\355\362 \356\344\355\356\367\353\345\355\340>",
    "<\363\354\355\356\346\345\355\350\345, \344\345\353\345\355\350\345 \357\360\340\342\340\377 "
    "\367\340\361\362\374>",
    "<\363\352\340\347\340\362\345\353\374>",
    "<\361\345\343\354\345\355\362 \356\344\355\356\367\353\345\355\340 \357\360\340\342\340\377 \367\340\361\362\374>",
    "<\352\356\355\361\362\340\355\362\340, \357\345\360\345\354\345\355\355\340\377>",
    "<\363\352\340\347\340\362\345\353\374 \357\360\340\342\340\377 \367\340\361\362\374>",
    "<CG>",
    "<\357\345\360\345\354\345\355\355\340\377>",
    "<\353\350\362\345\360\340\353>",
    "<\361\362\360\356\352\340>",
    "<\367\350\361\353\356>",
    "<bool>",
    "<DOT_STAR>",
    "<ARROW_STAR>",
};

const char* const ExpectedSets[] = {
    "( + - = F H N-W v-x z \354 \371",
    "( + - = F H N-W v-x z \354 \371",
    "( + - v-x z \354 \371 = F H N-W",
    ", ) : finish",
    "( + - v-x z \354 \371",
    "= R P Q N V F U H T O W S",
    "( + - v-x z \354 \371",
    "? ) , : finish",
    "R",
    "P",
    "Q",
    "N",
    "V",
    "F",
    "U",
    "H",
    "T",
    "O",
    "W",
    "S",
    "( + - v-x z \354 \371",
    "J ) , : ? finish",
    "( + - v-x z \354 \371",
    "I ) , : ? J finish",
    "J",
    "( + - v-x z \354 \371",
    "| ) , : ? I-J finish",
    "I",
    "( + - v-x z \354 \371",
    "^ ) , : ? I-J | finish",
    "( + - v-x z \354 \371",
    "& ) , : ? I-J ^ | finish",
    "( + - v-x z \354 \371",
    "E K & ) , : ? I-J ^ | finish",
    "( + - v-x z \354 \371",
    "< > H A & ) , : ? E I-K ^ | finish",
    "E",
    "K",
    "( v-x z \354 \371 + -",
    "L M & ) , : < >-? A E H-K ^ | finish",
    "A",
    "( v-x z \354 \371",
    "+ - & ) , : < >-? A E H-M ^ | finish",
    "L",
    "M",
    "( v-x z \354 \371",
    "% * / & ) +-- : < >-? A E H-M ^ | finish",
    "( v-x z \354 \371",
    "y %-& )-- / : < >-? A E H-M ^ | finish",
    "( z v w x \354 \371",
    "X C %-& )-- / : < >-? A E H-M ^ y | finish",
    "y",
    "z",
    "v",
    "w",
    "x",
    "\354 \371",
    "X",
    "C",
};

} // namespace

ExpressionParser::ExpressionParser(DerivationTree& tree, bool russian)
        : ParserFrame(tree), Names(russian ? RussianNames : EnglishNames), StartSymbol(russian ? 1 : 2)
{}

void ExpressionParser::Parse(const std::string& SourceStr, std::string& ErrorMsg)
{
    Run(*this, StartSymbol == 1 ? &ExpressionParser::s_1 : &ExpressionParser::s_2, SourceStr, ErrorMsg);
}

std::string ExpressionParser::Name(int n) const { return Names[n - 1]; }

const char* ExpressionParser::Expected(int n) { return ExpectedSets[n - 1]; }

int ExpressionParser::Count() { return 59; }

// <expression_rus>
void ExpressionParser::s_1(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(1);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 61:
    case 70:
    case 72:
    case 78 ... 87:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' '=' 'F' 'H' 'N'-'W' 'v'-'x' 'z' 'м' 'щ'
        // <expression_rus>::=<выражение>
        s_2(thisIndex, thisNode); // <выражение>
        break;
    default:
        ErrH(1, thisNode, Expected(1));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <expression>
void ExpressionParser::s_2(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(2);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 61:
    case 70:
    case 72:
    case 78 ... 87:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' '=' 'F' 'H' 'N'-'W' 'v'-'x' 'z' 'м' 'щ'
        // <expression>::=<assignment_expression><expression_list>
        s_3(thisIndex, thisNode); // <assignment_expression>
        if (bad) return;
        s_4(thisIndex, thisNode); // <expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(2));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <assignment_expression>
void ExpressionParser::s_3(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(3);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 40:
        case 43:
        case 45:
        case 118 ... 120:
        case 122:
        case 236:
        case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
            // <assignment_expression>::=<conditional_expression>
            s_5(thisIndex, thisNode); // <conditional_expression>
            break;
        case 61:
        case 70:
        case 72:
        case 78 ... 87: // '=' 'F' 'H' 'N'-'W'
            // <assignment_expression>::=<assignment_operator><assignment_expression>
            s_6(thisIndex, thisNode); // <assignment_operator>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <assignment_expression>
        default:
            ErrH(1, thisNode, Expected(3));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <expression_list>
void ExpressionParser::s_4(long parentIndex, const std::string& parentNode)
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
            // <expression_list>::=,<assignment_expression><expression_list>
            NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
            LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
            s_3(thisIndex, thisNode); // <assignment_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <expression_list>
        case 41:
        case 58:
        case -1: // ')' ':' finish
            // <expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(4));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <conditional_expression>
void ExpressionParser::s_5(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(5);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <conditional_expression>::=<logical_or_expression><conditional_expression_right>
        s_7(thisIndex, thisNode); // <logical_or_expression>
        if (bad) return;
        s_8(thisIndex, thisNode); // <conditional_expression_right>
        break;
    default:
        ErrH(1, thisNode, Expected(5));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <assignment_operator>
void ExpressionParser::s_6(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(6);
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
        s_9(thisIndex, thisNode); // <ASS_MUL>
        break;
    case 80: // 'P'
        // <assignment_operator>::=<ASS_DIV>
        s_10(thisIndex, thisNode); // <ASS_DIV>
        break;
    case 81: // 'Q'
        // <assignment_operator>::=<ASS_MOD>
        s_11(thisIndex, thisNode); // <ASS_MOD>
        break;
    case 78: // 'N'
        // <assignment_operator>::=<ASS_ADD>
        s_12(thisIndex, thisNode); // <ASS_ADD>
        break;
    case 86: // 'V'
        // <assignment_operator>::=<ASS_SUB>
        s_13(thisIndex, thisNode); // <ASS_SUB>
        break;
    case 70: // 'F'
        // <assignment_operator>::=<GE>
        s_14(thisIndex, thisNode); // <GE>
        break;
    case 85: // 'U'
        // <assignment_operator>::=<ASS_SHR>
        s_15(thisIndex, thisNode); // <ASS_SHR>
        break;
    case 72: // 'H'
        // <assignment_operator>::=<LE>
        s_16(thisIndex, thisNode); // <LE>
        break;
    case 84: // 'T'
        // <assignment_operator>::=<ASS_SHL>
        s_17(thisIndex, thisNode); // <ASS_SHL>
        break;
    case 79: // 'O'
        // <assignment_operator>::=<ASS_AND>
        s_18(thisIndex, thisNode); // <ASS_AND>
        break;
    case 87: // 'W'
        // <assignment_operator>::=<ASS_XOR>
        s_19(thisIndex, thisNode); // <ASS_XOR>
        break;
    case 83: // 'S'
        // <assignment_operator>::=<ASS_OR>
        s_20(thisIndex, thisNode); // <ASS_OR>
        break;
    default:
        ErrH(1, thisNode, Expected(6));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_or_expression>
void ExpressionParser::s_7(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(7);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <logical_or_expression>::=<logical_and_expression><logical_or_expression_list>
        s_21(thisIndex, thisNode); // <logical_and_expression>
        if (bad) return;
        s_22(thisIndex, thisNode); // <logical_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(7));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <conditional_expression_right>
void ExpressionParser::s_8(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(8);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 63: // '?'
        // <conditional_expression_right>::=?<expression>:<conditional_expression>
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
        s_5(thisIndex, thisNode); // <conditional_expression>
        break;
    case 41:
    case 44:
    case 58:
    case -1: // ')' ',' ':' finish
        // <conditional_expression_right>::=
        break;
    default:
        ErrH(1, thisNode, Expected(8));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_MUL>
void ExpressionParser::s_9(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(9);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 82: // 'R'
        // <ASS_MUL>::=R
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(9));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_DIV>
void ExpressionParser::s_10(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(10);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 80: // 'P'
        // <ASS_DIV>::=P
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(10));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_MOD>
void ExpressionParser::s_11(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(11);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 81: // 'Q'
        // <ASS_MOD>::=Q
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(11));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_ADD>
void ExpressionParser::s_12(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(12);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 78: // 'N'
        // <ASS_ADD>::=N
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(12));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SUB>
void ExpressionParser::s_13(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(13);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 86: // 'V'
        // <ASS_SUB>::=V
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(13));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <GE>
void ExpressionParser::s_14(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(14);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 70: // 'F'
        // <GE>::=F
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(14));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SHR>
void ExpressionParser::s_15(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(15);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 85: // 'U'
        // <ASS_SHR>::=U
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(15));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <LE>
void ExpressionParser::s_16(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(16);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 72: // 'H'
        // <LE>::=H
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(16));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_SHL>
void ExpressionParser::s_17(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(17);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 84: // 'T'
        // <ASS_SHL>::=T
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(17));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_AND>
void ExpressionParser::s_18(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(18);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 79: // 'O'
        // <ASS_AND>::=O
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(18));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_XOR>
void ExpressionParser::s_19(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(19);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 87: // 'W'
        // <ASS_XOR>::=W
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(19));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ASS_OR>
void ExpressionParser::s_20(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(20);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 83: // 'S'
        // <ASS_OR>::=S
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(20));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_and_expression>
void ExpressionParser::s_21(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(21);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <logical_and_expression>::=<inclusive_or_expression><logical_and_expression_list>
        s_23(thisIndex, thisNode); // <inclusive_or_expression>
        if (bad) return;
        s_24(thisIndex, thisNode); // <logical_and_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(21));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_or_expression_list>
void ExpressionParser::s_22(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(22);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 74: // 'J'
            // <logical_or_expression_list>::=<LOG_OR><logical_and_expression><logical_or_expression_list>
            s_25(thisIndex, thisNode); // <LOG_OR>
            if (bad) return;
            s_21(thisIndex, thisNode); // <logical_and_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <logical_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 63:
        case -1: // ')' ',' ':' '?' finish
            // <logical_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(22));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <inclusive_or_expression>
void ExpressionParser::s_23(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(23);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <inclusive_or_expression>::=<exclusive_or_expression><inclusive_or_expression_list>
        s_26(thisIndex, thisNode); // <exclusive_or_expression>
        if (bad) return;
        s_27(thisIndex, thisNode); // <inclusive_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(23));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <logical_and_expression_list>
void ExpressionParser::s_24(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(24);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 73: // 'I'
            // <logical_and_expression_list>::=<LOG_AND><inclusive_or_expression><logical_and_expression_list>
            s_28(thisIndex, thisNode); // <LOG_AND>
            if (bad) return;
            s_23(thisIndex, thisNode); // <inclusive_or_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <logical_and_expression_list>
        case 41:
        case 44:
        case 58:
        case 63:
        case 74:
        case -1: // ')' ',' ':' '?' 'J' finish
            // <logical_and_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(24));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <LOG_OR>
void ExpressionParser::s_25(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(25);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 74: // 'J'
        // <LOG_OR>::=J
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(25));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <exclusive_or_expression>
void ExpressionParser::s_26(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(26);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <exclusive_or_expression>::=<and_expression><exclusive_or_expression_list>
        s_29(thisIndex, thisNode); // <and_expression>
        if (bad) return;
        s_30(thisIndex, thisNode); // <exclusive_or_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(26));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <inclusive_or_expression_list>
void ExpressionParser::s_27(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(27);
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
            s_26(thisIndex, thisNode); // <exclusive_or_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <inclusive_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 63:
        case 73 ... 74:
        case -1: // ')' ',' ':' '?' 'I'-'J' finish
            // <inclusive_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(27));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <LOG_AND>
void ExpressionParser::s_28(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(28);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 73: // 'I'
        // <LOG_AND>::=I
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(28));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <and_expression>
void ExpressionParser::s_29(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(29);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <and_expression>::=<equality_expression><and_expression_list>
        s_31(thisIndex, thisNode); // <equality_expression>
        if (bad) return;
        s_32(thisIndex, thisNode); // <and_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(29));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <exclusive_or_expression_list>
void ExpressionParser::s_30(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(30);
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
            s_29(thisIndex, thisNode); // <and_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <exclusive_or_expression_list>
        case 41:
        case 44:
        case 58:
        case 63:
        case 73 ... 74:
        case 124:
        case -1: // ')' ',' ':' '?' 'I'-'J' '|' finish
            // <exclusive_or_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(30));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <equality_expression>
void ExpressionParser::s_31(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(31);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <equality_expression>::=<relational_expression><equality_expression_list>
        s_33(thisIndex, thisNode); // <relational_expression>
        if (bad) return;
        s_34(thisIndex, thisNode); // <equality_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(31));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <and_expression_list>
void ExpressionParser::s_32(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(32);
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
            s_31(thisIndex, thisNode); // <equality_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <and_expression_list>
        case 41:
        case 44:
        case 58:
        case 63:
        case 73 ... 74:
        case 94:
        case 124:
        case -1: // ')' ',' ':' '?' 'I'-'J' '^' '|' finish
            // <and_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(32));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <relational_expression>
void ExpressionParser::s_33(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(33);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <relational_expression>::=<shift_expression><relational_expression_list>
        s_35(thisIndex, thisNode); // <shift_expression>
        if (bad) return;
        s_36(thisIndex, thisNode); // <relational_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(33));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <equality_expression_list>
void ExpressionParser::s_34(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(34);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 69: // 'E'
            // <equality_expression_list>::=<EQ><relational_expression><equality_expression_list>
            s_37(thisIndex, thisNode); // <EQ>
            if (bad) return;
            s_33(thisIndex, thisNode); // <relational_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <equality_expression_list>
        case 75: // 'K'
            // <equality_expression_list>::=<NE><relational_expression><equality_expression_list>
            s_38(thisIndex, thisNode); // <NE>
            if (bad) return;
            s_33(thisIndex, thisNode); // <relational_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <equality_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 63:
        case 73 ... 74:
        case 94:
        case 124:
        case -1: // '&' ')' ',' ':' '?' 'I'-'J' '^' '|' finish
            // <equality_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(34));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <shift_expression>
void ExpressionParser::s_35(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(35);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 43:
    case 45:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' '+' '-' 'v'-'x' 'z' 'м' 'щ'
        // <shift_expression>::=<additive_expression><shift_expression_list>
        s_39(thisIndex, thisNode); // <additive_expression>
        if (bad) return;
        s_40(thisIndex, thisNode); // <shift_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(35));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <relational_expression_list>
void ExpressionParser::s_36(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(36);
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
            s_35(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 72: // 'H'
            // <relational_expression_list>::=<LE><shift_expression><relational_expression_list>
            s_16(thisIndex, thisNode); // <LE>
            if (bad) return;
            s_35(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 65: // 'A'
            // <relational_expression_list>::=<EG><shift_expression><relational_expression_list>
            s_41(thisIndex, thisNode); // <EG>
            if (bad) return;
            s_35(thisIndex, thisNode); // <shift_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <relational_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 63:
        case 69:
        case 73 ... 75:
        case 94:
        case 124:
        case -1: // '&' ')' ',' ':' '?' 'E' 'I'-'K' '^' '|' finish
            // <relational_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(36));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <EQ>
void ExpressionParser::s_37(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(37);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 69: // 'E'
        // <EQ>::=E
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(37));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <NE>
void ExpressionParser::s_38(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(38);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 75: // 'K'
        // <NE>::=K
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(38));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <additive_expression>
void ExpressionParser::s_39(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(39);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <additive_expression>::=<multiplicative_expression><additive_expression_list>
        s_42(thisIndex, thisNode); // <multiplicative_expression>
        if (bad) return;
        s_43(thisIndex, thisNode); // <additive_expression_list>
        break;
    case 43:
    case 45: // '+' '-'
        // <additive_expression>::=+<multiplicative_expression><additive_expression_list>
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        s_42(thisIndex, thisNode); // <multiplicative_expression>
        if (bad) return;
        s_43(thisIndex, thisNode); // <additive_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(39));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <shift_expression_list>
void ExpressionParser::s_40(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(40);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 76: // 'L'
            // <shift_expression_list>::=<SHL><additive_expression><shift_expression_list>
            s_44(thisIndex, thisNode); // <SHL>
            if (bad) return;
            s_39(thisIndex, thisNode); // <additive_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <shift_expression_list>
        case 77: // 'M'
            // <shift_expression_list>::=<SHR><additive_expression><shift_expression_list>
            s_45(thisIndex, thisNode); // <SHR>
            if (bad) return;
            s_39(thisIndex, thisNode); // <additive_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <shift_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 60:
        case 62 ... 63:
        case 65:
        case 69:
        case 72 ... 75:
        case 94:
        case 124:
        case -1: // '&' ')' ',' ':' '<' '>'-'?' 'A' 'E' 'H'-'K' '^' '|' finish
            // <shift_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(40));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <EG>
void ExpressionParser::s_41(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(41);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 65: // 'A'
        // <EG>::=A
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(41));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <multiplicative_expression>
void ExpressionParser::s_42(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(42);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <multiplicative_expression>::=<segment_expression><multiplicative_expression_list>
        s_46(thisIndex, thisNode); // <segment_expression>
        if (bad) return;
        s_47(thisIndex, thisNode); // <multiplicative_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(42));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <additive_expression_list>
void ExpressionParser::s_43(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(43);
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
            s_42(thisIndex, thisNode); // <multiplicative_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <additive_expression_list>
        case 38:
        case 41:
        case 44:
        case 58:
        case 60:
        case 62 ... 63:
        case 65:
        case 69:
        case 72 ... 77:
        case 94:
        case 124:
        case -1: // '&' ')' ',' ':' '<' '>'-'?' 'A' 'E' 'H'-'M' '^' '|' finish
            // <additive_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(43));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <SHL>
void ExpressionParser::s_44(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(44);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 76: // 'L'
        // <SHL>::=L
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(44));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <SHR>
void ExpressionParser::s_45(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(45);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 77: // 'M'
        // <SHR>::=M
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(45));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <segment_expression>
void ExpressionParser::s_46(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(46);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <segment_expression>::=<pm_expression><segment_expression_list>
        s_48(thisIndex, thisNode); // <pm_expression>
        if (bad) return;
        s_49(thisIndex, thisNode); // <segment_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(46));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <multiplicative_expression_list>
void ExpressionParser::s_47(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(47);
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
            s_46(thisIndex, thisNode); // <segment_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <multiplicative_expression_list>
        case 38:
        case 41:
        case 43 ... 45:
        case 58:
        case 60:
        case 62 ... 63:
        case 65:
        case 69:
        case 72 ... 77:
        case 94:
        case 124:
        case -1: // '&' ')' '+'-'-' ':' '<' '>'-'?' 'A' 'E' 'H'-'M' '^' '|' finish
            // <multiplicative_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(47));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <pm_expression>
void ExpressionParser::s_48(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(48);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40:
    case 118 ... 120:
    case 122:
    case 236:
    case 249: // '(' 'v'-'x' 'z' 'м' 'щ'
        // <pm_expression>::=<cast_expression><pm_expression_list>
        s_50(thisIndex, thisNode); // <cast_expression>
        if (bad) return;
        s_51(thisIndex, thisNode); // <pm_expression_list>
        break;
    default:
        ErrH(1, thisNode, Expected(48));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <segment_expression_list>
void ExpressionParser::s_49(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(49);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 121: // 'y'
            // <segment_expression_list>::=<CG><pm_expression><segment_expression_list>
            s_52(thisIndex, thisNode); // <CG>
            if (bad) return;
            s_48(thisIndex, thisNode); // <pm_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <segment_expression_list>
        case 37 ... 38:
        case 41 ... 45:
        case 47:
        case 58:
        case 60:
        case 62 ... 63:
        case 65:
        case 69:
        case 72 ... 77:
        case 94:
        case 124:
        case -1: // '%'-'&' ')'-'-' '/' ':' '<' '>'-'?' 'A' 'E' 'H'-'M' '^' '|' finish
            // <segment_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(49));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <cast_expression>
void ExpressionParser::s_50(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(50);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 40: // '('
        // <cast_expression>::=(<expression>)
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
        break;
    case 122: // 'z'
        // <cast_expression>::=<identifier>
        s_53(thisIndex, thisNode); // <identifier>
        break;
    case 118: // 'v'
        // <cast_expression>::=<character_constant>
        s_54(thisIndex, thisNode); // <character_constant>
        break;
    case 119: // 'w'
        // <cast_expression>::=<string_literal>
        s_55(thisIndex, thisNode); // <string_literal>
        break;
    case 120: // 'x'
        // <cast_expression>::=<numeric_constant>
        s_56(thisIndex, thisNode); // <numeric_constant>
        break;
    case 236:
    case 249: // 'м' 'щ'
        // <cast_expression>::=<bool>
        s_57(thisIndex, thisNode); // <bool>
        break;
    default:
        ErrH(1, thisNode, Expected(50));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <pm_expression_list>
void ExpressionParser::s_51(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const std::string thisNode = Name(51);
    TailCalls tail(*this, parentIndex, parentNode, thisNode);
    for (;;) {
        const long thisIndex = ThisIndex();
        NewNode(tail.ParentIndex(), tail.ParentNode(), thisIndex, thisNode);
        if (TooDeep(thisNode)) return;
        switch (LL1) {
        case 88: // 'X'
            // <pm_expression_list>::=<DOT_STAR><cast_expression><pm_expression_list>
            s_58(thisIndex, thisNode); // <DOT_STAR>
            if (bad) return;
            s_50(thisIndex, thisNode); // <cast_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <pm_expression_list>
        case 67: // 'C'
            // <pm_expression_list>::=<ARROW_STAR><cast_expression><pm_expression_list>
            s_59(thisIndex, thisNode); // <ARROW_STAR>
            if (bad) return;
            s_50(thisIndex, thisNode); // <cast_expression>
            if (bad) return;
            tail.Repeat(thisIndex);
            continue; // <pm_expression_list>
        case 37 ... 38:
        case 41 ... 45:
        case 47:
        case 58:
        case 60:
        case 62 ... 63:
        case 65:
        case 69:
        case 72 ... 77:
        case 94:
        case 121:
        case 124:
        case -1: // '%'-'&' ')'-'-' '/' ':' '<' '>'-'?' 'A' 'E' 'H'-'M' '^' 'y' '|' finish
            // <pm_expression_list>::=
            break;
        default:
            ErrH(1, thisNode, Expected(51));
        }
        CompleteNode(thisIndex, thisNode, indSrc);
        return;
    }
}

// <CG>
void ExpressionParser::s_52(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(52);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 121: // 'y'
        // <CG>::=y
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(52));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <identifier>
void ExpressionParser::s_53(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(53);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 122: // 'z'
        // <identifier>::=z
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(53));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <character_constant>
void ExpressionParser::s_54(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(54);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 118: // 'v'
        // <character_constant>::=v
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(54));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <string_literal>
void ExpressionParser::s_55(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(55);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 119: // 'w'
        // <string_literal>::=w
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(55));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <numeric_constant>
void ExpressionParser::s_56(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(56);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 120: // 'x'
        // <numeric_constant>::=x
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(56));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <bool>
void ExpressionParser::s_57(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(57);
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
        ErrH(1, thisNode, Expected(57));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <DOT_STAR>
void ExpressionParser::s_58(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(58);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 88: // 'X'
        // <DOT_STAR>::=X
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(58));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

// <ARROW_STAR>
void ExpressionParser::s_59(long parentIndex, const std::string& parentNode)
{
    const Frame frame(*this);
    const long thisIndex = ThisIndex();
    const std::string thisNode = Name(59);
    NewNode(parentIndex, parentNode, thisIndex, thisNode);
    if (TooDeep(thisNode)) return;
    switch (LL1) {
    case 67: // 'C'
        // <ARROW_STAR>::=C
        NewLeaf(thisIndex, thisNode, indSrc, Lexeme);
        LL1 = GetLexeme(Src, indSrc, LL0, Lexeme);
        break;
    default:
        ErrH(1, thisNode, Expected(59));
    }
    CompleteNode(thisIndex, thisNode, indSrc);
}

} // namespace kelvantroc
