// The Visual Basic module: the shape from which the system's own readers are built.

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

std::string Quoted(const std::string& text) { return ParserWriter::DoubledQuotes(text, '"'); }

class VbWriter : public ParserWriter {
public:
  VbWriter(CodeGen& gen, const GeneratorArgs& args) : ParserWriter(gen, args, CodeFamily::Basic, 1000) {
    CommentSign = "'";
    ActionCommentLead = "\t\t' ";
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    GId = VbIdentifier(GrammarIdentifier());
    Title = Cut(st.UserTitle);
    Scanner = Cut(st.UserScanner);
    ErrJob = Cut(st.UserErrorReaction);
    Tree = IsTrue(Eng.run.BuildTree);
    Actions = IsTrue(Eng.run.BuildActions);

    WriteHeader();
    WriteState();
    WriteEntry();
    if (Scanner.empty()) WriteScanner();
    if (ErrJob.empty()) WriteErrorProcedure();
    int32_t count = WriteNonterminals();
    WriteCountLine(count);
  }

private:
  void WriteHeader() { HeaderComments(Title.empty() ? "Sub " + G + "(Source, ErrMsg)" : Title, G + ".bas"); }

  void WriteState() {
    for (const char* line :
         {"Option Explicit", "Private LL1 As Long", "Private LL0 As Long", "Private bad As Boolean",
          "Private ErrMsg As String", "Private Src As String", "Private indSrc As Long",
          "Private LenSrc As Long", "Private fin As Long", "Private LowCase As Boolean"})
      Out.Statement(0, line);
    Out.Statement(0, "Private NestingDepth As Long");
    Out.Statement(0, "Private Const MaxNestingDepth As Long = " + std::to_string(MaxDepth));
    for (const char* line :
         {"LL1 = ichar(Src(indSrc)), where Src(indSrc) is an actual parsing character",
          "LL0 = ichar(Src(indSrc-1)), where Src(indSrc-1) is a preceding character",
          "bad     - flag indicates whether a parsing error has occurred", "ErrMsg  - error message",
          "Src     - source string", "indSrc  - source string index", "LenSrc  - source string length",
          "fin     - end marker", "LowCase - turn scanner to read characters with reducing in low case",
          "NestingDepth    - nesting of the procedures now running",
          "MaxNestingDepth - deepest nesting; past it the parser reports an error instead of running out of "
          "stack",
          "", "User declared:"})
      Out.Comment(line);
    for (auto& line : Eng.store.UserDeclarations)
      if (!Blank(line)) Out.Statement(0, Cut(line));
    Out.BlankLine();
  }

  void WriteEntry() {
    const GrammarStore& st = Eng.store;
    const std::string& title = st.UserTitle;
    bool given = !Title.empty();
    const std::string params = "(SourceStr As String, ErrorMsg As String)";
    if (!given) {
      Out.Statement(0, "Public Sub " + GId + params);
      Out.Comment("SourceStr - source string");
      Out.Comment("ErrorMsg  - error message string");
    } else {
      Out.Comment("Public Sub " + G + params);
      Out.Comment("User declared title:");
      Out.Statement(0, Title);
      if (Has(title, "SourceStr As String")) Out.Comment("SourceStr - source string, input param");
      if (Has(title, "ErrorMsg As String")) Out.Comment("ErrorMsg  - error message string, output param");
    }
    bool index = Tree && !(given && Has(title, "parentIndex"));
    bool node = Tree && !(given && Has(title, "parentNode"));
    if (index) Out.Statement(1, "Dim parentIndex As Long");
    if (node) Out.Statement(1, "Dim parentNode As String");
    if (index) Out.Comment("parentIndex - index pointes a start of grammar symbol in a source string");
    if (node) Out.Comment("parentNode  - name of grammar symbol");
    if (index) Out.Statement(1, "parentIndex = 1");
    if (node) Out.Statement(1, "parentNode =\"\"");
    if (given && !Has(title, "SourceStr As String")) Out.Comment("Src = SourceStr");
    else Out.Statement(1, "Src = SourceStr");
    StatementLines({{1, "indSrc = 0"},
                    {1, "LenSrc = Len(Src)"},
                    {1, "ErrMsg = \"\""},
                    {1, "bad = False"},
                    {1, "fin = -1"},
                    {1, "LowCase = False"},
                    {1, "NestingDepth = 0"}});
    bool any = false;
    for (auto& line : st.UserPreParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment("User declared pre-parse step:");
      any = true;
      Out.Statement(0, Cut(line));
    }
    if (any) Out.Comment("End of pre-parse step:");
    if (Scanner.empty()) {
      Out.Statement(1, "Scan");
    } else {
      Out.Comment("User declared his own scaner:");
      Out.Statement(0, Scanner);
    }
    Out.Statement(0, std::string("L:\ts_1") + (Tree ? " parentIndex, parentNode" : ""));
    // A parse that stops before the end of the text has not read the text.
    std::string start = NameOf(NonterminalPool, st.Grammar.First);
    Out.Statement(1, "If Not bad And LL1 <> fin Then");
    if (ErrJob.empty()) Out.Statement(2, "ErrH 1, " + Quoted("<" + start + ">") + ", \"finish\"");
    else Out.Statement(2, ErrJob);
    Out.Statement(1, "End If");
    if (given && !Has(title, "ErrorMsg As String")) Out.Comment("ErrorMsg = ErrMsg");
    else Out.Statement(1, "ErrorMsg = ErrMsg");
    any = false;
    for (auto& line : st.UserPostParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment("User declared post-parse step:");
      any = true;
      Out.Statement(0, Cut(line));
    }
    Out.Statement(0, "End Sub");
  }

  void WriteScanner() {
    Out.BlankLine();
    Out.Statement(0, "Private Sub Scan()");
    Out.Comment("Read Next Symbol");
    StatementLines({{1, "LL0 = LL1"},
                    {1, "indSrc = indSrc + 1"},
                    {1, "If indSrc <= LenSrc Then"},
                    {2, "If LowCase Then"},
                    {3, "LL1 = Asc(LCase(Mid(Src, indSrc, 1)))"},
                    {2, "Else"},
                    {3, "LL1 = Asc(Mid(Src, indSrc, 1))"},
                    {2, "End If"},
                    {1, "Else"},
                    {2, "LL1 = fin"},
                    {1, "End If"},
                    {0, "End Sub"}});
  }

  void WriteErrorProcedure() {
    Out.BlankLine();
    Out.Statement(0, "Private Sub ErrH(ErrNum As Long, GramSymb As String, ExpectedSet As String)");
    Out.Comment("Error Handler");
    for (const char* line : {"Dim LineNum As Long", "Dim LeftContext As Long", "Dim RightContext As Long",
                             "Dim i As Long", "bad = True", "LineNum = 1", "LeftContext = 1",
                             // the error line runs to the next line feed or the end of the text
                             "RightContext = LenSrc + 1", "For i = 1 To LenSrc"})
      Out.Statement(1, line);
    StatementLines({{2, "If Asc(Mid(Src, i, 1)) = 10 Then"},
                    {3, "If indSrc > i Then"},
                    {4, "LineNum = LineNum + 1"},
                    {4, "LeftContext = i + 1"},
                    {3, "Else"},
                    {4, "RightContext = i"},
                    {4, "Exit For"},
                    {3, "End If"},
                    {2, "End If"},
                    {1, "Next i"}});
    // A carriage return before the line feed is not part of the shown line.
    StatementLines(
        {{1, "If RightContext > LeftContext Then"},
         {2, "If Asc(Mid(Src, RightContext - 1, 1)) = 13 Then RightContext = RightContext - 1"},
         {1, "End If"},
         {1, "If LL1 = fin Then "},
         {2,
          "ErrMsg = \"Line\" + Str(LineNum) + \", syntax error, found \" + \"\"\"\" + \"end marker\" + "
          "\"\"\"\" + \" when expecting \""},
         {1, "ElseIf LL1 <= 255 Then"},
         {2,
          "ErrMsg = \"Line\" + Str(LineNum) + \", syntax error, found \" + \"\"\"\" + Chr(LL1) + \"\"\"\" + "
          "\" when expecting \""},
         {1, "End If"},
         {1, "Select Case ErrNum"},
         {1, "Case 1"},
         {2, "ErrMsg = ErrMsg + GramSymb + \" with one of: \" + ExpectedSet"},
         {1, "Case 2"},
         {2, "ErrMsg = ErrMsg + \"\"\"\" + ExpectedSet + \"\"\"\""},
         {1, "Case 3"},
         {2,
          "ErrMsg = Left$(ErrMsg, Len(ErrMsg) - Len(\" when expecting \")) + \", the nesting is too deep\""},
         {1, "End Select"},
         {1, "ErrMsg = ErrMsg + vbNewLine"},
         {1, "ErrMsg = ErrMsg + Mid$(Src, LeftContext, RightContext - LeftContext) + vbNewLine"},
         {1, "ErrMsg = ErrMsg + String(indSrc - LeftContext, \" \") + \"!\""},
         {0, "End Sub"}});
  }

  void BeginProcedure(const NonterminalPlan& nt) override {
    Out.BlankLine();
    Out.Statement(0, "Private Sub s_" + std::to_string(nt.Number) + "(" +
                         (Tree ? "parentIndex As Long, parentNode As String" : "") + ")");
    Out.Comment("Procedure <" + nt.Name + ">");
    if (Tree) {
      StatementLines({{1, "Dim thisNode As String"}, {1, "Dim thisIndex As Long"}});
      // A loop makes a node of its own in every pass, under the caller's node.
      if (!Loops()) NewNode(nt);
    }
    for (auto& alt : nt.Alternatives)
      if (alt.MergedInto == 0 && MayReadNothing(alt)) {
        Out.Statement(1, "Dim PassStart As Long");
        break;
      }
    Out.Statement(1, "NestingDepth = NestingDepth + 1");
    Out.Statement(1, "If NestingDepth > MaxNestingDepth Then");
    Out.Statement(2, DepthError(nt));
    Out.Statement(2, "Exit Sub");
    Out.Statement(1, "End If");
    if (Loops()) {
      Out.Statement(1, "Do ' the replacement of recursion with a cycle");
      if (Tree) NewNode(nt);
    }
  }

  void NewNode(const NonterminalPlan& nt) {
    Out.Statement(1, "thisIndex = indSrc");
    Out.Statement(1, "thisNode = " + Quoted("<" + nt.Name + ">"));
    Out.Statement(1, "NewNode parentIndex, parentNode, thisIndex, thisNode");
  }

  std::string DepthError(const NonterminalPlan& nt) const {
    return ErrJob.empty() ? "ErrH 3, " + Quoted("<" + nt.Name + ">") + ", \"\"" : ErrJob;
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool first) override {
    if (first) Out.Statement(1, "Select Case LL1");
    // A branch that keeps no code can never be taken (LL1 is never below fin).
    std::string codes = alt.Items.empty() ? "Is < fin" : CodeListNumbers(alt.Items, ", ", " To ", "fin");
    Out.Statement(1, "Case " + codes);
    Out.CommentTail("\t\t' " + CharListText(alt.Items));
  }

  void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    WriteRuleComment(0, "", "' ", nt, alt);
  }

  void TerminalElement(int32_t terminal, int32_t code, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    std::string lastName;
    std::string line = TerminalComment("'  ", terminal, mergedFirst, lastName);
    Out.Statement(1, "");
    Out.AppendRaw(line);
    if (!lastName.empty() && lastName[0] == '_') Out.Comment("");
    if (!first) {
      Out.Statement(2, "If LL1 <> " + std::to_string(code) + " Then");
      if (ErrJob.empty()) {
        std::string ch = code >= 0 && code <= 31 ? "Chr(" + std::to_string(code) + ")"
                                                 : Quoted(std::string(1, char(code)));
        Out.Statement(3, "ErrH 2, \" \", " + ch);
      } else {
        Out.Statement(3, ErrJob);
      }
      Out.Statement(3, "Exit Sub");
      Out.Statement(2, "End If");
    }
    if (Tree) Out.Statement(2, "NewLeaf thisIndex, thisNode, indSrc, LL1");
    if (Scanner.empty()) Out.Statement(2, "Scan");
    else Out.Statement(0, Scanner);
  }

  // The loop's next pass does the tail call.
  void TailCall(const NonterminalPlan& nt, int32_t, bool checkProgress) override {
    if (!checkProgress) return;
    Out.Statement(2, "If indSrc = PassStart Then");
    Out.CommentTail("\t' a pass that reads nothing would go round for ever");
    Out.Statement(3, DepthError(nt));
    Out.Statement(3, "Exit Sub");
    Out.Statement(2, "End If");
  }

  void PassStart() override { Out.Statement(2, "PassStart = indSrc"); }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan& alt) override {
    if (Loops() && !EndsInTail(alt)) Out.Statement(2, "Exit Do");
  }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Statement(2, "s_" + std::to_string(Field(NonterminalPool, nonterminal, NtmNumber)) +
                         (Tree ? " thisIndex, thisNode" : ""));
    Out.CommentTail("\t\t' Call <" + NameOf(NonterminalPool, nonterminal) + ">");
    if (!last) Out.Statement(2, "If bad Then Exit Sub");
  }

  void ElseBranch(const NonterminalPlan& nt) override {
    Out.Statement(1, "Case Else");
    if (ErrJob.empty())
      Out.Statement(2, "ErrH 1, " + Quoted("<" + nt.Name + ">") + ", " + Quoted(nt.ExpectedSet));
    else Out.Statement(2, ErrJob);
    if (Loops()) Out.Statement(2, "Exit Do");
    Out.Statement(1, "End Select");
  }

  void EndProcedure(const NonterminalPlan&) override {
    if (Loops()) {
      if (Tree) Out.Statement(1, "CompleteNode thisIndex, thisNode, indSrc");
      Out.Statement(1, "Loop");
    }
    if (Tree) Out.Statement(1, "CompleteNode thisIndex, thisNode, indSrc");
    Out.Statement(1, "NestingDepth = NestingDepth - 1");
    Out.Statement(0, "End Sub");
  }

  std::string G, GId, Title, Scanner, ErrJob;
  bool Tree = false, Actions = false;
};

}  // namespace

void CodeGen::FileParserVB(const GeneratorArgs& args) {
  VbWriter writer(*this, args);
  writer.Write();
}

}  // namespace mv
