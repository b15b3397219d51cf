// The generated text itself, line by line, for the shapes the targets promise.

#include "codegen/parser_writer.h"
#include "engine/codegen/codegen_fixture.h"

namespace mv::testing {
namespace {

using TextLines = std::vector<std::string>;

class GeneratedText : public CodegenFixture {};

// Nonterminal 3, Sum, with the alternatives Term + Sum and - Term; Term selects the digits.
const char* SumGrammar =
    "G = <A>\n"
    "A = <Sum>\n"
    "Sum = <Term> '+' <Sum> | '-' <Term>\n"
    "Term = '0' | '1' | '2' | '3' | '4' | '5' | '6' | '7' | '8' | '9'";

// The tail call of Sum is a jump back to the start of the procedure: a loop that the other
// alternative and the error leave.
TEST_F(GeneratedText, VisualBasicProcedureOfTheWorkedShape) {
  Grammar(SumGrammar);
  Generate(VisualBasic);
  EXPECT_EQ(Block("G.bas", "Private Sub s_3()", "End Sub"),
            (TextLines{"Private Sub s_3()",
                   "'  Procedure <Sum>",
                   "\tNestingDepth = NestingDepth + 1",
                   "\tIf NestingDepth > MaxNestingDepth Then",
                   "\t\tErrH 3, \"<Sum>\", \"\"",
                   "\t\tExit Sub",
                   "\tEnd If",
                   "\tDo ' the replacement of recursion with a cycle",
                   "\tSelect Case LL1",
                   "\tCase 48 To 57\t\t' '0'-'9'",
                   "' <Sum>::=<Term>+<Sum>",
                   "\t\ts_4\t\t' Call <Term>",
                   "\t\tIf bad Then Exit Sub",
                   "\t'  +",
                   "\t\tIf LL1 <> 43 Then",
                   "\t\t\tErrH 2, \" \", \"+\"",
                   "\t\t\tExit Sub",
                   "\t\tEnd If",
                   "\t\tScan",
                   "\tCase 45\t\t' '-'",
                   "' <Sum>::=\"-\"<Term>",
                   "\t'  -",
                   "\t\tScan",
                   "\t\ts_4\t\t' Call <Term>",
                   "\t\tExit Do",
                   "\tCase Else",
                   "\t\tErrH 1, \"<Sum>\", \"0-9 -\"",
                   "\t\tExit Do",
                   "\tEnd Select",
                   "\tLoop",
                   "\tNestingDepth = NestingDepth - 1",
                   "End Sub"}));
  // Alternatives that differ only in their first terminal share one branch.
  EXPECT_EQ(Block("G.bas", "Private Sub s_4()", "End Sub"),
            (TextLines{"Private Sub s_4()", "'  Procedure <Term>", "\tNestingDepth = NestingDepth + 1",
                   "\tIf NestingDepth > MaxNestingDepth Then", "\t\tErrH 3, \"<Term>\", \"\"", "\t\tExit Sub",
                   "\tEnd If", "\tSelect Case LL1",
                   "\tCase 48 To 57\t\t' '0'-'9'", "' <Term>::=0", "\t'  0|1|2|3|4|5|6|7|8|9",
                   "\t\tScan", "\tCase Else", "\t\tErrH 1, \"<Term>\", \"0-9\"", "\tEnd Select",
                   "\tNestingDepth = NestingDepth - 1", "End Sub"}));
  EXPECT_EQ(ReadFile("G.log"), "   4 recursive procedures have been generated.\n");
}

// A terminal after actions is still the alternative's first terminal: no test, and it merges.
TEST_F(GeneratedText, FirstTerminalAfterActions) {
  Grammar("S = `a` 'x' <B> | `a` 'y' <B>\nB = 'b'");
  Generate(VisualBasic);
  EXPECT_EQ(Block("S.bas", "Private Sub s_1()", "End Sub"),
            (TextLines{"Private Sub s_1()", "'  Procedure <S>", "\tNestingDepth = NestingDepth + 1",
                       "\tIf NestingDepth > MaxNestingDepth Then", "\t\tErrH 3, \"<S>\", \"\"", "\t\tExit Sub",
                       "\tEnd If", "\tSelect Case LL1",
                       "\tCase 120 To 121\t\t' 'x'-'y'", "' <S>::=x<B>", "\t'  x|y", "\t\tScan",
                       "\t\ts_2\t\t' Call <B>", "\tCase Else", "\t\tErrH 1, \"<S>\", \"x-y\"",
                       "\tEnd Select", "\tNestingDepth = NestingDepth - 1", "End Sub"}));
}

TEST_F(GeneratedText, VisualBasicModuleFrame) {
  Grammar("S = 'a'");
  Generate(VisualBasic);
  TextLines all = Lines(ReadFile("S.bas"));
  ASSERT_GE(all.size(), 10u);
  EXPECT_EQ(TextLines(all.begin(), all.begin() + 10),
            (TextLines{"'  Sub S(Source, ErrMsg)", "'  Name: S.bas", "'  Autor:", "'  Date: 10.12.26",
                   "'  CVS-ID: ", "'  Purpose: the realization of LL1 algorithm for a grammar <S>",
                   "'   ", "'  <S>::=a", "'  ", "Option Explicit"}));
  // The entry reads the whole text: a parse that stops early is an error at the start symbol.
  EXPECT_EQ(Block("S.bas", "Public Sub S(SourceStr As String, ErrorMsg As String)", "End Sub"),
            (TextLines{"Public Sub S(SourceStr As String, ErrorMsg As String)",
                   "'  SourceStr - source string", "'  ErrorMsg  - error message string",
                   "\tSrc = SourceStr", "\tindSrc = 0", "\tLenSrc = Len(Src)", "\tErrMsg = \"\"",
                   "\tbad = False", "\tfin = -1", "\tLowCase = False", "\tNestingDepth = 0", "\tScan", "L:\ts_1",
                   "\tIf Not bad And LL1 <> fin Then", "\t\tErrH 1, \"<S>\", \"finish\"",
                   "\tEnd If", "\tErrorMsg = ErrMsg", "End Sub"}));
}

// The error procedure shows the error line for LF or CR LF text and for empty lines: the line
// runs to the line feed (a carriage return before it is dropped) or to the end of the text.
TEST_F(GeneratedText, VisualBasicErrorLineForAnyLineEnd) {
  Grammar("S = 'a'");
  Generate(VisualBasic);
  TextLines errh = Block("S.bas", "Private Sub ErrH(ErrNum As Long, GramSymb As String, ExpectedSet As String)",
                     "End Sub");
  auto has = [&](const std::string& line) {
    return std::find(errh.begin(), errh.end(), line) != errh.end();
  };
  EXPECT_TRUE(has("\tRightContext = LenSrc + 1"));
  EXPECT_TRUE(has("\t\t\t\tRightContext = i"));
  EXPECT_TRUE(has("\t\tIf Asc(Mid(Src, RightContext - 1, 1)) = 13 Then RightContext = RightContext - 1"));
  EXPECT_TRUE(has("\tErrMsg = ErrMsg + Mid$(Src, LeftContext, RightContext - LeftContext) + vbNewLine"));
}

TEST_F(GeneratedText, VisualBasicUserTexts) {
  Grammar("S = 'a' 'b' | '_'");
  eng->store.UserScanner = Padded("GetNext", OptionTextLength);
  eng->store.UserErrorReaction = Padded("Fail", OptionTextLength);
  eng->store.UserPreParse[0] = Padded("X = 1", OptionTextLength);
  Generate(VisualBasic);
  std::string text = ReadFile("S.bas");
  EXPECT_EQ(text.find("Private Sub Scan()"), std::string::npos);
  EXPECT_EQ(text.find("Private Sub ErrH("), std::string::npos);
  EXPECT_EQ(Block("S.bas", "Private Sub s_1()", "End Sub"),
            (TextLines{"Private Sub s_1()", "'  Procedure <S>", "\tNestingDepth = NestingDepth + 1",
                   "\tIf NestingDepth > MaxNestingDepth Then", "\t\tFail", "\t\tExit Sub", "\tEnd If",
                   "\tSelect Case LL1", "\tCase 97\t\t' 'a'", "' <S>::=ab", "\t'  a", "GetNext", "\t'  b",
                   "\t\tIf LL1 <> 98 Then", "\t\t\tFail", "\t\t\tExit Sub", "\t\tEnd If",
                   "GetNext", "\tCase 95\t\t' '_'", "' <S>::=_", "\t'  _", "'  ", "GetNext",
                   "\tCase Else", "\t\tFail", "\tEnd Select", "\tNestingDepth = NestingDepth - 1", "End Sub"}));
  EXPECT_NE(text.find("'  User declared pre-parse step:\nX = 1\n'  End of pre-parse step:\n"
                      "'  User declared his own scaner:\nGetNext\nL:\ts_1\n"),
            std::string::npos);
}

// Nonterminal 2 of the grammar Sum: List with the alternatives comma List and empty.
TEST_F(GeneratedText, CppLoopFormOfTheWorkedShape) {
  Grammar("Sum = 'a' <List>\nList = ',' <List> | ~");
  Generate(CppProcedural);
  // The list calls nothing but itself, as a jump: no depth test, no depth.
  EXPECT_EQ(Block("sum.cxx", "static void Sum2(long)", "}"),
            (TextLines{"static void Sum2(long)",
                   "{\t// Procedure <List>",
                   "  while (true) // the replacement of recursion with a cycle",
                   "  {",
                   "\tif (ll1==44)\t\t\t\t// ','",
                   "\t{\t// <List>::=,<List>",
                   "//  ,",
                   "\t\tnext();",
                   "\t}",
                   "\telse if (ll1==fin)\t\t\t\t// finish",
                   "\t{\t// <List>::=",
                   "\t\tbreak;",
                   "\t}",
                   "\telse",
                   "\t{",
                   "\t\tbad = SumErrh(1, \"<List>\", \", finish\");",
                   "\t\tbreak;",
                   "\t}",
                   "  }",
                  
                   "}"}));
  EXPECT_EQ(ReadFile("Sum.log"), "   2 recursive procedures have been generated.\n");
}

TEST_F(GeneratedText, CppTreeHooksAndNamedProcedures) {
  Grammar("E = <expr-list> 'x'\nexpr-list = 'a' | 'b' <E>");
  Generate(CppProcedural, false, true, true);
  TextLines all = Lines(ReadFile("e.cxx"));
  EXPECT_NE(std::find(all.begin(), all.end(), "\tstatic void expr_dash_list(int parentIndex, const char *parentNode, long nestingDepth);"),
            all.end());
  EXPECT_EQ(Block("e.cxx", "static void expr_dash_list(int parentIndex, const char *parentNode, long nestingDepth)", "}"),
            (TextLines{"static void expr_dash_list(int parentIndex, const char *parentNode, long nestingDepth)",
                   "{\t// Procedure <expr-list>",
                   "\tconst char *thisNode = \"expr-list\";",
                   "\tint thisIndex;",
                   "\tif (nestingDepth > maxNestingDepth)",
                   "\t{",
                   "\t\tbad = EErrh(3, \"<expr-list>\", \"\");",
                   "\t\treturn;",
                   "\t}",
                   "\tthisIndex = indSrc;",
                   "\tENewNode(parentIndex, parentNode, thisIndex, thisNode);",
                   "\tif (ll1==97)\t\t\t\t// 'a'",
                   "\t{\t// <expr-list>::=a",
                   "//  a",
                   "\t\tENewLeaf(thisIndex, thisNode, indSrc, ll1);",
                   "\t\tnext();",
                   "\t}",
                   "\telse if (ll1==98)\t\t\t\t// 'b'",
                   "\t{\t// <expr-list>::=b<E>",
                   "//  b",
                   "\t\tENewLeaf(thisIndex, thisNode, indSrc, ll1);",
                   "\t\tnext();",
                   "\t\tE(thisIndex, thisNode, nestingDepth + 1);\t\t\t\t\t// call <E>",
                   "\t}",
                   "\telse",
                   "\t{",
                   "\t\tbad = EErrh(1, \"<expr-list>\", \"a b\");",
                   "\t}",
                   "\tECompleteNode(thisIndex, thisNode, indSrc);",
                   "}"}));
  // The entry is named G + "main" and calls the start symbol's procedure by its name, which
  // needs no suffix when nothing else has it.
  EXPECT_NE(std::find(all.begin(), all.end(), "bool Emain(char *sourceStr, char **errorMsg)"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "L:\tE( parentIndex, parentNode, 1);"), all.end());
}

TEST_F(GeneratedText, CppClassHeaderWithoutActsObject) {
  Grammar("expr = 'a' <B>\nB = 'b'");
  Generate(CppClass);
  TextLines header = Lines(ReadFile("expr.h"));
  ASSERT_GE(header.size(), 10u);
  EXPECT_EQ(header[1], "// Name: expr.h");
  EXPECT_EQ(TextLines(header.begin() + 7, header.end()),
            (TextLines{" ", "#ifndef EXPR_H", "#define EXPR_H", " ", "class exprParser ", "{",
                   "public:",
                   "\tchar *src;\t\t\t//\tsrc                   - source string",
                   "\tint indSrc;\t\t\t//\tindSrc                - index",
                   "\tint lenSrc;\t\t\t//\tlenSrc                - length",
                   "\tint ll1;\t\t\t//\tll1 = src[indSrc - 1] - last scanned symbol",
                   "\tint ll0;\t\t\t//\tll0 = src[indSrc - 2] - previous scanned symbol",
                   "\tbool bad;\t\t\t//\tbad                   - error flag",
                   "\tchar errMsg[4096];\t//\terrMsg                - error message",
                   "\tint fin;\t\t\t//\tfin                   - end marker",
                   "\tbool lowCase;\t\t//\tlowCase               - flag of scanning in the lower case",
                   " ", "// additional declarations:", " ",
                   "\tbool parse(char *sourceStr, char **errorMsg);",
                   "// sourceStr - source string", "// errorMsg  - error message", " ",
                   "// \tscanner:", "\tvoid next(void);", " ", "// \terror handler:",
                   "\tbool errh(int numErr, const char *gramSymb, const char *expectedSet);", " ",
                   "// the recursive descent procedures:", "protected:", "\tvoid expr1(long nestingDepth);",
                   "\tvoid expr2(long nestingDepth);", "};", "#endif // EXPR_H"}));
  TextLines impl = Lines(ReadFile("expr.cpp"));
  ASSERT_GE(impl.size(), 2u);
  EXPECT_EQ(impl[1], "// Name: expr.cpp");
  // B can neither recurse nor call: no depth test, no depth.
  EXPECT_EQ(Block("expr.cpp", "void exprParser::expr2(long)", "}"),
            (TextLines{"void exprParser::expr2(long)", "{\t// Procedure <B>",
                       "\tif (ll1==98)\t\t\t\t// 'b'",
                       "\t{\t// <B>::=b", "//  b", "\t\tnext();", "\t}", "\telse", "\t{",
                       "\t\tbad = errh(1, \"<B>\", \"b\");", "\t}", "}"}));
  EXPECT_EQ(ReadFile("expr.log"), "   2 recursive procedures have been generated.\n");
}

TEST_F(GeneratedText, CppClassWithExternalErrorHandlerDeclaresTheActsObject) {
  Grammar("expr = 'a'");
  eng->store.UserErrorReaction = Padded("$extern", OptionTextLength);
  Generate(CppClass);
  std::string header = ReadFile("expr.h");
  EXPECT_NE(header.find("#include \"expracts.h\"\t// The class of the user actions\nclass exprActs;\n"),
            std::string::npos);
  EXPECT_NE(header.find("\texprActs *pexprActs;\n"), std::string::npos);
  EXPECT_NE(header.find("// \texternal error handler:\n// \tbool errh(int numErr, const char *gramSymb, const char *expectedSet);\n"),
            std::string::npos);
  EXPECT_NE(ReadFile("expr.cpp").find("\t\tbad = pexprActs->errh(1, \"<expr>\", \"a\");\n"),
            std::string::npos);
}

// Character lists and expected-set texts of code runs.
TEST(CodeItemTexts, CharacterListAndExpectedSet) {
  using Items = std::vector<CodeItem>;
  struct Case {
    Items items;
    std::string list, expected, cppExpected;
  } cases[] = {
      {{{9, 10, false}, {13, 13, false}, {0, 0, true}},
       "chr(9)-chr(10) chr(13) finish", " chr(9)-chr(10) chr(13) finish", ""},
      {{{0, 255, false}, {0, 0, true}}, "chr(0)-chr(255) finish", " chr(0)-chr(255) finish", ""},
      {{{11, 44, false}}, "chr(11)-chr(44)", " chr(11)-chr(44)", ""},
      {{{31, 33, false}}, "chr(31)-chr(33)", " chr(31)-chr(33)", ""},
      {{{30, 32, false}}, "chr(30)-' '", " chr(30)-' '", ""},
      {{{65, 90, false}}, "'A'-'Z'", " A-Z", ""},
      {{{32, 32, false}}, "' '", " ' '", ""},
      {{{39, 39, false}}, "\"'\"", " '", ""},
      {{{34, 34, false}}, "chr(34)", " chr(34)", ""},
      {{{91, 92, false}}, "'['-'\\'", " [-\\", " [- \\\\"},
      {{{92, 92, false}}, "'\\'", " \\", " \\\\"},
      {{{200, 201, false}}, "'\xc8'-'\xc9'", " \xc8-\xc9", ""},
  };
  for (auto& c : cases) {
    EXPECT_EQ(ParserWriter::CharListText(c.items), c.list);
    EXPECT_EQ(ParserWriter::ExpectedSetPart(c.items, false), c.expected);
    EXPECT_EQ(ParserWriter::ExpectedSetPart(c.items, true), c.cppExpected.empty() ? c.expected : c.cppExpected);
  }
}

TEST_F(GeneratedText, NameToIdentifierSpellings) {
  struct Case {
    std::string name, identifier;
  } cases[] = {
      {"1st item", "L1st_space_item"}, {"[3]", "square_3_square"}, {"{12}", "brace_12_brace"},
      {"a|b", "a_or_b"}, {"x<=y", "x_less__equal_y"}, {"7", "L7"}, {"_a_", "_a_"},
      {"a~b", "a_tilde_b"}, {"\xe0\xe1", "_224__225_"},
      {"$1(x)", "dollar_1bracket_x_bracket"}, {"a\\b`c", "a_backslash_b_apostrophe_c"},
  };
  for (auto& c : cases) {
    Name(c.name);
    Chain chain = eng->builder.CurrentName.Chars;
    out().StartOutputLine(0);
    out().WriteText("<");
    eng->codegen.NameToIdentifier(chain.First, chain.Last);
    out().WriteText(">");
    EXPECT_EQ(out().PendingLine(), "<" + c.identifier + ">") << c.name;
    out().DropPendingLine();
  }
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

class GeneratorOptions : public CodegenFixture {};

// A title that declares SourceStr but not ErrorMsg; tree hooks and actions in the module.
TEST_F(GeneratorOptions, VisualBasicTitleTreeAndActions) {
  Grammar("S = `go` 'a' `undefined`");
  Action("go", {"Count = Count + 1", "Trace \"go\""});
  eng->store.UserTitle = Padded("Public Sub Run(SourceStr As String)", OptionTextLength);
  Generate(VisualBasic, true, true);
  std::string text = ReadFile("S.bas");
  EXPECT_NE(text.find("'  Public Sub S(SourceStr As String, ErrorMsg As String)\n"
                      "'  User declared title:\n"
                      "Public Sub Run(SourceStr As String)\n"
                      "'  SourceStr - source string, input param\n"
                      "\tDim parentIndex As Long\n"),
            std::string::npos);
  EXPECT_NE(text.find("\n\tSrc = SourceStr\n"), std::string::npos);
  EXPECT_NE(text.find("\n'  ErrorMsg = ErrMsg\n"), std::string::npos);
  EXPECT_EQ(Block("S.bas", "Private Sub s_1(parentIndex As Long, parentNode As String)", "End Sub"),
            (std::vector<std::string>{
                "Private Sub s_1(parentIndex As Long, parentNode As String)", "'  Procedure <S>",
                "\tDim thisNode As String", "\tDim thisIndex As Long", "\tthisIndex = indSrc",
                "\tthisNode = \"<S>\"", "\tNewNode parentIndex, parentNode, thisIndex, thisNode",
                "\tNestingDepth = NestingDepth + 1", "\tIf NestingDepth > MaxNestingDepth Then", "\t\tErrH 3, \"<S>\", \"\"",
                "\t\tExit Sub", "\tEnd If", "\tSelect Case LL1", "\tCase 97\t\t' 'a'", "' <S>::=a",
                "\t\tCount = Count + 1\t\t' Action `go`", "\t\tTrace \"go\"", "\t'  a",
                "\t\tNewLeaf thisIndex, thisNode, indSrc, LL1", "\t\tScan", "\tCase Else",
                "\t\tErrH 1, \"<S>\", \"a\"", "\tEnd Select",
                "\tCompleteNode thisIndex, thisNode, indSrc", "\tNestingDepth = NestingDepth - 1", "End Sub"}));
}

// A title of the user's; the end marker is a constant, and the previous character and the
// lower-case reading, which no text of the grammar uses, are left out. The user's actions are
// listed in the commented-out block, which no action text can close early.
TEST_F(GeneratorOptions, CppTitleAndCommentedBlock) {
  Grammar("S = 'a' `tidy`");
  Action("tidy", {"done(); /* all */"});
  eng->store.UserTitle = Padded("bool undefined(char *sourceStr)", OptionTextLength);
  Generate(CppProcedural, true);
  std::string text = ReadFile("s.cxx");
  EXPECT_NE(text.find(" \n/*\n// the user actions called during the parsing:\n"
                      "done(); /* all * /\t\t// tidy\n*/\n"),
            std::string::npos);
  EXPECT_NE(text.find("// bool S(char *sourceStr, char *errorMsg)\n// User declared title:\n"
                      "bool undefined(char *sourceStr)\n"
                      "// sourceStr - source string, input parameter\n{\n"
                      "\tsrc = sourceStr;\n\tindSrc = 0;\n// \tlenSrc = strlen(src);\n"
                      "\terrMsg[0] = '\\0';\n\tbad = false;\n\tnext();\n"),
            std::string::npos);
  EXPECT_NE(text.find("// \t*errorMsg = errMsg;\n}\n"), std::string::npos);
}

// A terminal whose character lies outside the code table, or above 255, selects no code; its
// alternative still shares the branch of the alternatives that differ only in that terminal.
TEST_F(GeneratorOptions, CodesOutsideTheTableSelectNothing) {
  Grammar("S = #5000 | #300 | 'a'");
  Generate(CppProcedural);
  EXPECT_EQ(Block("s.cxx", "static void S1(long)", "}"),
            (std::vector<std::string>{
                "static void S1(long)", "{\t// Procedure <S>", "\tif (ll1==97)\t\t\t\t// 'a'",
                "\t{\t// <S>::=\x88", "//  \x88|,|a", "\t\tnext();", "\t}", "\telse", "\t{",
                "\t\tbad = SErrh(1, \"<S>\", \"a\");", "\t}", "}"}));
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

class LongLines : public CodegenFixture {};

// A Visual Basic statement longer than the line is continued with " _" between tokens; a
// string literal is closed, joined with "&" and reopened on the next line.
TEST_F(LongLines, VisualBasicContinuesOutsideLiterals) {
  std::string name(2500, 'n');
  Grammar("S = <" + name + ">\n" + name + " = 'a'");
  Generate(VisualBasic, false, true);
  TextLines all = Lines(ReadFile("S.bas"));
  auto at = std::find_if(all.begin(), all.end(),
                         [](const std::string& l) { return l.rfind("\tthisNode = \"<n", 0) == 0; });
  ASSERT_NE(at, all.end());
  std::string joined;
  for (; at != all.end(); ++at) {
    EXPECT_LE(at->size(), 1002u);
    bool continued = at->size() >= 2 && at->compare(at->size() - 2, 2, " _") == 0;
    joined += continued ? at->substr(0, at->size() - 2) : *at;
    if (!continued) break;
  }
  for (size_t p; (p = joined.find("\" &\"")) != std::string::npos;) joined.erase(p, 4);
  EXPECT_EQ(joined, "\tthisNode = \"<" + name + ">\"");
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

using TextLines = std::vector<std::string>;

// A loop of three alternatives, two of them tail calls; the pass of the first may read nothing
// (B derives the empty text), so it notes where it began and checks before going round again.
TEST_F(GeneratedText, CppLoopOfThreeAlternativesChecksItsProgress) {
  Grammar("S = <L> 'x'\nL = 'c' <L> | <B> <L> | ~\nB = 'b' | ~");
  Generate(CppProcedural);
  EXPECT_EQ(Block("s.cxx", "static void S2(long nestingDepth)", "}"),
            (TextLines{"static void S2(long nestingDepth)",
                   "{\t// Procedure <L>",
                   "  while (true) // the replacement of recursion with a cycle",
                   "  {",
                   "\tif (ll1==99)\t\t\t\t// 'c'",
                   "\t{\t// <L>::=c<L>",
                   "//  c",
                   "\t\tnext();",
                   "\t}",
                   "\telse if (ll1==98 || ll1==120)\t\t\t\t// 'b' 'x'",
                   "//!!!!!!!!!!! Ambiguous choice with: \"c\" ",
                   "\t{\t// <L>::=<B><L>",
                   "\t\tlong passStart = indSrc;",
                   "\t\tS3(nestingDepth + 1);\t\t\t\t\t// call <B>",
                   "\t\tif (bad) return;",
                   "\t\tif (indSrc == passStart)\t// a pass that reads nothing would go round for ever",
                   "\t\t{",
                   "\t\t\tbad = SErrh(3, \"<L>\", \"\");",
                   "\t\t\treturn;",
                   "\t\t}",
                   "\t}",
                   "\telse if (false)\t\t\t\t// ",
                   "//!!!!!!!!!!! Ambiguous choice with: \"x\" ",
                   "\t{\t// <L>::=",
                   "\t\tbreak;",
                   "\t}",
                   "\telse",
                   "\t{",
                   "\t\tbad = SErrh(1, \"<L>\", \"c b x\");",
                   "\t\tbreak;",
                   "\t}",
                   "  }",
                   "}"}));
}

}  // namespace
}  // namespace mv::testing
