// The Visual Basic module line by line where the other tests leave it open: the entry under
// the tree option, the name of the entry, the scanner and error procedures, and a procedure
// with conflicts, merged alternatives, control characters and the end of the text.

#include "engine/codegen/codegen_fixture.h"

namespace mv::testing {
namespace {

using TextLines = std::vector<std::string>;

class VbText : public CodegenFixture {};

TextLines operator+(TextLines a, const TextLines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The entry after the tree set-up, for the start symbol named start.
TextLines TreeEntryTail(const std::string& start) {
  return {"\tSrc = SourceStr", "\tindSrc = 0", "\tLenSrc = Len(Src)", "\tErrMsg = \"\"",
          "\tbad = False", "\tfin = -1", "\tLowCase = False", "\tNestingDepth = 0", "\tScan",
          "L:\ts_1 parentIndex, parentNode", "\tIf Not bad And LL1 <> fin Then",
          "\t\tErrH 1, \"<" + start + ">\", \"finish\"", "\tEnd If", "\tErrorMsg = ErrMsg",
          "End Sub"};
}

TEST_F(VbText, EntryUnderTheTreeOption) {
  Grammar("S = 'a'");
  Generate(VisualBasic, false, true);
  EXPECT_EQ(Block("S.bas", "Public Sub S(SourceStr As String, ErrorMsg As String)", "End Sub"),
            (TextLines{"Public Sub S(SourceStr As String, ErrorMsg As String)",
                       "'  SourceStr - source string", "'  ErrorMsg  - error message string",
                       "\tDim parentIndex As Long", "\tDim parentNode As String",
                       "'  parentIndex - index pointes a start of grammar symbol in a source string",
                       "'  parentNode  - name of grammar symbol", "\tparentIndex = 1",
                       "\tparentNode =\"\""} + TreeEntryTail("S")));
}

// A given title names the parameters itself; the comment that shows the default head spells
// the grammar name as it stands.
TEST_F(VbText, EntryWithTitleThatDeclaresTheParentIndex) {
  Grammar("my expr = 'a'");
  eng->store.UserTitle =
      Padded("Public Sub Run(SourceStr As String, ErrorMsg As String, parentIndex As Long)",
             OptionTextLength);
  Generate(VisualBasic, false, true);
  std::string file = Base() + ".bas";
  EXPECT_EQ(Lines(ReadFile(file)).front(),
            "'  Public Sub Run(SourceStr As String, ErrorMsg As String, parentIndex As Long)");
  EXPECT_EQ(Block(file, "'  Public Sub my expr(SourceStr As String, ErrorMsg As String)", "End Sub"),
            (TextLines{"'  Public Sub my expr(SourceStr As String, ErrorMsg As String)",
                       "'  User declared title:",
                       "Public Sub Run(SourceStr As String, ErrorMsg As String, parentIndex As Long)",
                       "'  SourceStr - source string, input param",
                       "'  ErrorMsg  - error message string, output param",
                       "\tDim parentNode As String", "'  parentNode  - name of grammar symbol",
                       "\tparentNode =\"\""} + TreeEntryTail("my expr")));
}

// The entry is named after the grammar; a name that is a keyword or one of the module's own
// names (in any case) would clash, and a name must begin with a letter.
TEST_F(VbText, EntryNameIsAVisualBasicIdentifier) {
  struct Case {
    std::string grammar, entry;
  } cases[] = {
      {"Sum", "Sum"},       {"scan", "scan_"},   {"ERRH", "ERRH_"},       {"Select", "Select_"},
      {"s_1", "s_1_"},      {"s_x", "s_x"},      {"NewLeaf", "NewLeaf_"}, {"_x", "L_x"},
      {"1st", "L1st"},      {"a b", "a_space_b"}, {"Mid", "Mid_"},
  };
  for (auto& c : cases) {
    Start(VisualBasic);
    Grammar(c.grammar + " = 'a'");
    Generate(VisualBasic);
    TextLines lines = Lines(ReadFile(Base() + ".bas"));
    EXPECT_EQ(lines.front(), "'  Sub " + c.grammar + "(Source, ErrMsg)");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Public Sub " + c.entry + "(SourceStr As String, ErrorMsg As String)"),
              lines.end())
        << c.grammar;
  }
}

TEST_F(VbText, ScannerAndErrorProcedure) {
  Grammar("S = 'a'");
  Generate(VisualBasic);
  EXPECT_EQ(Block("S.bas", "Private Sub Scan()", "End Sub"),
            (TextLines{"Private Sub Scan()", "'  Read Next Symbol", "\tLL0 = LL1",
                       "\tindSrc = indSrc + 1", "\tIf indSrc <= LenSrc Then", "\t\tIf LowCase Then",
                       "\t\t\tLL1 = Asc(LCase(Mid(Src, indSrc, 1)))", "\t\tElse",
                       "\t\t\tLL1 = Asc(Mid(Src, indSrc, 1))", "\t\tEnd If", "\tElse",
                       "\t\tLL1 = fin", "\tEnd If", "End Sub"}));
  // The error line runs to the next line feed or the end of the text, a carriage return
  // before the line feed dropped, so that LF and CR LF text and empty lines show alike.
  EXPECT_EQ(
      Block("S.bas", "Private Sub ErrH(ErrNum As Long, GramSymb As String, ExpectedSet As String)",
            "End Sub"),
      (TextLines{
          "Private Sub ErrH(ErrNum As Long, GramSymb As String, ExpectedSet As String)",
          "'  Error Handler", "\tDim LineNum As Long", "\tDim LeftContext As Long",
          "\tDim RightContext As Long", "\tDim i As Long", "\tbad = True", "\tLineNum = 1",
          "\tLeftContext = 1", "\tRightContext = LenSrc + 1", "\tFor i = 1 To LenSrc",
          "\t\tIf Asc(Mid(Src, i, 1)) = 10 Then", "\t\t\tIf indSrc > i Then",
          "\t\t\t\tLineNum = LineNum + 1", "\t\t\t\tLeftContext = i + 1", "\t\t\tElse",
          "\t\t\t\tRightContext = i", "\t\t\t\tExit For", "\t\t\tEnd If", "\t\tEnd If", "\tNext i",
          "\tIf RightContext > LeftContext Then",
          "\t\tIf Asc(Mid(Src, RightContext - 1, 1)) = 13 Then RightContext = RightContext - 1",
          "\tEnd If", "\tIf LL1 = fin Then ",
          "\t\tErrMsg = \"Line\" + Str(LineNum) + \", syntax error, found \" + \"\"\"\" + \"end marker\" + \"\"\"\" + \" when expecting \"",
          "\tElseIf LL1 <= 255 Then",
          "\t\tErrMsg = \"Line\" + Str(LineNum) + \", syntax error, found \" + \"\"\"\" + Chr(LL1) + \"\"\"\" + \" when expecting \"",
          "\tEnd If", "\tSelect Case ErrNum", "\tCase 1",
          "\t\tErrMsg = ErrMsg + GramSymb + \" with one of: \" + ExpectedSet", "\tCase 2",
          "\t\tErrMsg = ErrMsg + \"\"\"\" + ExpectedSet + \"\"\"\"", "\tCase 3",
          "\t\tErrMsg = Left$(ErrMsg, Len(ErrMsg) - Len(\" when expecting \")) + \", the nesting is too deep\"",
          "\tEnd Select",
          "\tErrMsg = ErrMsg + vbNewLine",
          "\tErrMsg = ErrMsg + Mid$(Src, LeftContext, RightContext - LeftContext) + vbNewLine",
          "\tErrMsg = ErrMsg + String(indSrc - LeftContext, \" \") + \"!\"", "End Sub"}));
}

// Merged alternatives, a branch that keeps no code and its ambiguity note, control
// characters in the test, the list and the expected set, a double quote, an action and the
// end of the text.
TEST_F(VbText, ProcedureWithConflictsAndControlCharacters) {
  Grammar("S = <E> ';' | ~\n"
          "E = 'a' <E> | 'b' <E> | 'a' 'c' | `x` \"'\" | #9 <S> | #10 <S> | ' ' <S> | '_' '\"'");
  Action("x", {"Y = 1", "Z = 2"});
  Generate(VisualBasic, true);
  EXPECT_EQ(Block("S.bas", "Private Sub s_1()", "End Sub"),
            (TextLines{"Private Sub s_1()", "'  Procedure <S>", "\tNestingDepth = NestingDepth + 1",
                       "\tIf NestingDepth > MaxNestingDepth Then", "\t\tErrH 3, \"<S>\", \"\"", "\t\tExit Sub",
                       "\tEnd If", "\tSelect Case LL1",
                       "\tCase 9 To 10, 32, 39, 95, 97 To 98\t\t' chr(9)-chr(10) ' ' \"'\" '_' 'a'-'b'",
                       "' <S>::=<E>;", "\t\ts_2\t\t' Call <E>", "\t\tIf bad Then Exit Sub",
                       "\t'  ;", "\t\tIf LL1 <> 59 Then", "\t\t\tErrH 2, \" \", \";\"",
                       "\t\t\tExit Sub", "\t\tEnd If", "\t\tScan", "\tCase 59, fin\t\t' ';' finish",
                       "' <S>::=", "\tCase Else",
                       "\t\tErrH 1, \"<S>\", \"chr(9)-chr(10) ' ' ' _ a-b ; finish\"",
                       "\tEnd Select", "\tNestingDepth = NestingDepth - 1", "End Sub"}));
  EXPECT_EQ(Block("S.bas", "Private Sub s_2()", "End Sub"),
            (TextLines{"Private Sub s_2()", "'  Procedure <E>", "\tNestingDepth = NestingDepth + 1",
                       "\tIf NestingDepth > MaxNestingDepth Then", "\t\tErrH 3, \"<E>\", \"\"", "\t\tExit Sub",
                       "\tEnd If", "\tDo ' the replacement of recursion with a cycle", "\tSelect Case LL1",
                       "\tCase 97 To 98\t\t' 'a'-'b'", "' <E>::=a<E>", "\t'  a|b", "\t\tScan",
                       "\tCase Is < fin\t\t' ",
                       "'!!!!!!!!!!! Ambiguous choice with: \"a\" ", "' <E>::=ac", "\t'  a",
                       "\t\tScan", "\t'  c", "\t\tIf LL1 <> 99 Then", "\t\t\tErrH 2, \" \", \"c\"",
                       "\t\t\tExit Sub", "\t\tEnd If", "\t\tScan", "\t\tExit Do", "\tCase 39\t\t' \"'\"",
                       "' <E>::=\"'\"", "\t\tY = 1\t\t' Action `x`", "\t\tZ = 2", "\t'  '",
                       "\t\tScan", "\t\tExit Do", "\tCase 9 To 10, 32\t\t' chr(9)-chr(10) ' '",
                       "' <E>::=\t<S>", "\t'  \t|''10''| ", "\t\tScan", "\t\ts_1\t\t' Call <S>",
                       "\t\tExit Do", "\tCase 95\t\t' '_'", "' <E>::=_'\"'", "\t'  _", "'  ", "\t\tScan",
                       "\t'  \"", "\t\tIf LL1 <> 34 Then", "\t\t\tErrH 2, \" \", \"\"\"\"",
                       "\t\t\tExit Sub", "\t\tEnd If", "\t\tScan", "\t\tExit Do", "\tCase Else",
                       "\t\tErrH 1, \"<E>\", \"a-b ' chr(9)-chr(10) ' ' _\"", "\t\tExit Do", "\tEnd Select",
                       "\tLoop", "\tNestingDepth = NestingDepth - 1", "End Sub"}));
}

// A control character in a later terminal's test is written as Chr(code).
TEST_F(VbText, ControlCharacterInATerminalTest) {
  Grammar("S = 'a' #13 #10");
  Generate(VisualBasic);
  std::string text = ReadFile("S.bas");
  EXPECT_NE(text.find("\t\tIf LL1 <> 13 Then\n\t\t\tErrH 2, \" \", Chr(13)\n\t\t\tExit Sub\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t\tIf LL1 <> 10 Then\n\t\t\tErrH 2, \" \", Chr(10)\n\t\t\tExit Sub\n"),
            std::string::npos);
}

}  // namespace
}  // namespace mv::testing
