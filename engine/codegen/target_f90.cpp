// The Fortran 90 parser: one subroutine named after the grammar, its scanner, error routine
// and one recursive subroutine per nonterminal after "Contains".

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

std::string Quoted(const std::string& text) { return ParserWriter::DoubledQuotes(text, '\''); }

// Character list of the branch comment.
std::string ListChar(int32_t c) {
  if (c == 39) return "\"'\"";
  if (c == 32) return "' '";
  if (c >= 0 && c <= 31) return "char(" + std::to_string(c) + ")";
  return std::string("'") + char(c) + "'";
}

// Expected-set form of a code; it stands inside a literal between apostrophes.
std::string ExpectedChar(int32_t c) {
  if (c == 39) return "''";
  if (c == 32) return "\" \"";
  if (c >= 0 && c <= 31) return "char(" + std::to_string(c) + ")";
  return std::string(1, char(c));
}

// The character of a terminal test's error call.
std::string TestChar(int32_t c) {
  if (c >= 0 && c <= 31) return "char(" + std::to_string(c) + ")";
  return Quoted(std::string(1, char(c)));
}

class F90Writer : public ParserWriter {
public:
  F90Writer(CodeGen& gen, const GeneratorArgs& args) : ParserWriter(gen, args, CodeFamily::FreeFortran, 129) {
    CommentSign = "!";
    ActionCommentLead = "\t\t\t\t\t\t! ";
    AlwaysActions = true;
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    GId = FortranIdentifier(GrammarIdentifier());
    Title = Cut(st.UserTitle);
    Scanner = Cut(st.UserScanner);
    ErrJob = Cut(st.UserErrorReaction);
    // The code of the end of the text is known once the code table is built; it only grows.
    End = std::max<int32_t>(Eng.codegen.EndMarkerCode, Args.T);

    WriteHeader();
    WriteMain();
    if (Scanner.empty()) WriteScanner();
    if (ErrJob.empty()) WriteErrorRoutine();
    int32_t count = WriteNonterminals();
    WriteCountLine(count, 6, " procedures have been generated.");
    Out.Statement(0, "End");
    Out.Flush();
  }

private:
  std::string ListText(const std::vector<CodeItem>& items) const {
    std::string text;
    for (auto& item : items) {
      if (!text.empty()) text += ",";
      if (item.End) text += "finish";
      else if (item.First == item.Last) text += ListChar(item.First);
      else text += ListChar(item.First) + ":" + ListChar(item.Last);
    }
    return text;
  }

  std::string ExpectedSetItems(const std::vector<CodeItem>& items) const override {
    std::string text;
    for (auto& item : items) {
      text += ' ';
      if (item.End) text += "finish";
      else if (item.First == item.Last) text += ExpectedChar(item.First);
      else text += ExpectedChar(item.First) + "-" + ExpectedChar(item.Last);
    }
    return text;
  }

  // The error call, or the user's reaction in its place.
  std::string ErrorCall(int number, const std::string& symbol, const std::string& set) const {
    if (!ErrJob.empty()) return ErrJob;
    return "Call ErrH(" + std::to_string(number) + "," + symbol + "," + set + ")";
  }

  void WriteHeader() {
    HeaderComments(Title.empty() ? "Subroutine " + G + "(Src)" : Title, G + ".f90");
    Out.Comment("");
  }

  void WriteMain() {
    const GrammarStore& st = Eng.store;
    if (Title.empty()) {
      Out.Statement(0, "Subroutine " + GId + "(Src)");
      Out.Statement(0, "Character *(*) Src");
      Out.Comment("Src - is the source string");
    } else {
      Out.Statement(0, Title);
    }
    Out.Statement(0, "Integer LL0, LL1");
    Out.Comment(
        "LL0 - ichar(c), where c is the actual symbol for user's Actions and it is preceding "
        "symbol of parsing with LL(1) grammar");
    Out.Comment("LL1 - ichar(c), where c is actual symbol for parsing with LL(1) grammar");
    Out.Statement(0, "Integer indSrc, LenSrc");
    Out.Statement(0, "Logical Err");
    Out.Statement(0, "Logical LowCase");
    Out.Comment(
        "deepest nesting of the procedures; past it the parser reports an error instead of "
        "running out of stack");
    Out.Statement(0, "Integer, Parameter :: MaxNestingDepth = " + std::to_string(MaxDepth));
    Out.Statement(0, "Integer NestingDepth");
    for (auto& line : st.UserDeclarations)
      if (!Blank(line)) Out.Statement(0, Cut(line));
    if (Title.empty()) Out.Statement(0, "LenSrc = Len(Src)");
    Out.Statement(0, "indSrc = 0");
    Out.Statement(0, "Err = .False.");
    Out.Statement(0, "LowCase = .False.");
    Out.Statement(0, "NestingDepth = 0");
    for (auto& line : st.UserPreParse)
      if (!Blank(line)) Out.Statement(0, Cut(line));
    Out.Statement(0, Scanner.empty() ? std::string("Call Next") : Scanner);
    Out.Statement(0, "Call s_1");
    // A parse that stops before the end of the text has not read the text.
    std::string start = NameOf(NonterminalPool, st.Grammar.First);
    Out.Statement(0, "If (.Not. Err .And. LL1 /= " + std::to_string(End) + ") Then");
    Out.Statement(1, ErrorCall(1, Quoted("<" + start + ">"), "'finish'"));
    Out.Statement(0, "End If");
    Out.Statement(0, "Contains");
  }

  void WriteScanner() {
    Out.Comment("____________________ Read Next Symbol");
    StatementLines({{0, "Subroutine Next"},
                    {1, "LL0 = LL1"},
                    {1, "indSrc = indSrc + 1"},
                    {1, "If (indSrc <= LenSrc) Then"},
                    {2, "LL1 = ichar(Src(indSrc:indSrc))"},
                    {2, "If (LowCase) Then"},
                    {3, "Select Case (LL1)"},
                    {3, "Case (ichar('A'):ichar('Z'))"},
                    {4, "LL1 = LL1 + ichar('a')-ichar('A')"},
                    {3, "End Select"},
                    {2, "End If"},
                    {1, "Else"}});
    Out.Statement(2, "LL1 = " + std::to_string(End));
    StatementLines({{1, "End If"}, {0, "End Subroutine Next"}});
  }

  void WriteErrorRoutine() {
    Out.Comment("____________________ Error Handler");
    StatementLines({{0, "Subroutine ErrH(ErrNum, GramSymb, ExpectedSet)"},
                    {0, "Integer ErrNum"},
                    {0, "Character *(*) GramSymb"},
                    {0, "Character *(*) ExpectedSet"},
                    {0, "Integer LineNum, LeftContext, RightContext, i"},
                    {0, "Character *10 Found"},
                    {0, "Integer FoundLen"},
                    {1, "Err = .True."},
                    {1, "LineNum = 1"},
                    {1, "LeftContext = 1"}});
    Out.Comment("the error line runs to the next line feed or to the end of the text");
    StatementLines({{1, "RightContext = LenSrc"},
                    {1, "Do i = 1, LenSrc"},
                    {2, "If (ichar(Src(i:i)) == 10) Then"},
                    {3, "If (indSrc > i) Then"},
                    {4, "LineNum = LineNum + 1"},
                    {4, "LeftContext = i + 1"},
                    {3, "Else"},
                    {4, "RightContext = i - 1"},
                    {4, "Exit"},
                    {3, "End If"},
                    {2, "End If"},
                    {1, "End Do"},
                    {1, "If (RightContext >= LeftContext) Then"},
                    {2, "If (ichar(Src(RightContext:RightContext)) == 13) RightContext = RightContext - 1"},
                    {1, "End If"}});
    Out.Comment("a long line is shown around the error column");
    StatementLines({{1, "If (indSrc - LeftContext > 60) LeftContext = indSrc - 40"},
                    {1, "If (RightContext - LeftContext >= 120) RightContext = LeftContext + 119"}});
    Out.Statement(1, "If (LL1 == " + std::to_string(End) + ") Then");
    StatementLines({{2, "Found = 'end marker'"},
                    {2, "FoundLen = 10"},
                    {1, "Else"},
                    {2, "Found = char(LL1)"},
                    {2, "FoundLen = 1"},
                    {1, "End If"},
                    {1, "Select Case (ErrNum)"},
                    {1, "Case (1)"},
                    {2, "Write(*,'(1x,A,I6,8A)') &"},
                    {2,
                     "' Line',LineNum,', syntax error, found ','''',Found(1:FoundLen),'''',' when expecting "
                     "',GramSymb,' with one of: ',ExpectedSet"},
                    {1, "Case (2)"},
                    {2,
                     "Write(*,'(1x,A,I6,8A)')' Line',LineNum,', syntax error, found "
                     "','''',Found(1:FoundLen),'''',' when expecting ','''',ExpectedSet,''''"},
                    {1, "Case (3)"},
                    {2,
                     "Write(*,'(1x,A,I6,5A)')' Line',LineNum,', syntax error, found "
                     "','''',Found(1:FoundLen),'''',', the nesting is too deep'"},
                    {1, "End Select"},
                    {1, "Write (*,'(1x,A)') Src(LeftContext:RightContext)"}});
    Out.Comment("a tab stays a tab, so that the mark stands under the error");
    StatementLines({{1, "Write (*,'(1x)',advance='no')"},
                    {1, "Do i = LeftContext, Min(indSrc - 1, LenSrc)"},
                    {2, "If (ichar(Src(i:i)) == 9) Then"},
                    {3, "Write (*,'(A)',advance='no') char(9)"},
                    {2, "Else"},
                    {3, "Write (*,'(A)',advance='no') ' '"},
                    {2, "End If"},
                    {1, "End Do"},
                    {1, "Write (*,'(A)') '!'"},
                    {0, "End Subroutine ErrH"}});
  }

  void BeginProcedure(const NonterminalPlan& nt) override {
    Out.Comment("____________________ Procedure <" + nt.Name + ">");
    Out.Statement(0, "Recursive Subroutine s_" + std::to_string(nt.Number));
    for (auto& alt : nt.Alternatives)
      if (alt.MergedInto == 0 && MayReadNothing(alt)) {
        Out.Statement(1, "Integer PassStart");
        break;
      }
    if (!nt.LL1) {
      Out.Comment("Due to this grammar is not LL(1), some codes generated for this nonterminal can be bad.");
      Out.Comment(std::string(50, '_'));
    }
    Out.Statement(1, "NestingDepth = NestingDepth + 1");
    Out.Statement(1, "If (NestingDepth > MaxNestingDepth) Then");
    Out.Statement(2, ErrorCall(3, Quoted("<" + nt.Name + ">"), "''"));
    Out.Statement(2, "Return");
    Out.Statement(1, "End If");
    if (Loops()) Out.Statement(1, "Do ! the replacement of recursion with a cycle");
    Selecting = false;
  }

  // A case label may stand only once: a branch that keeps no code is left out.
  bool OmitsUnchosenBranch(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    UnchosenNote(nt, alt);
    return true;
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool first) override {
    if (first) Out.Statement(1, "Select Case (LL1)");
    Selecting = true;
    std::string codes = CodeListNumbers(alt.Items, ",", ":", std::to_string(End));
    Out.Statement(1, "Case (" + codes + ")");
    Out.CommentTail("\t\t\t\t\t\t\t! (" + ListText(alt.Items) + ")");
  }

  // No per-alternative note: the banner after the head stands for the whole nonterminal.
  void AmbiguityNote(const AlternativePlan&) override {}

  void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    WriteRuleComment(1, "", "! ", nt, alt);
  }

  void TerminalElement(int32_t terminal, int32_t code, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    std::string lastName;
    Out.Comment(TerminalComment("", terminal, mergedFirst, lastName));
    if (!first) {
      // A failed test leaves the procedure, as the other targets do.
      Out.Statement(2, "If(LL1/=" + std::to_string(code) + ") Then");
      Out.Statement(3, ErrorCall(2, "' '", TestChar(code)));
      Out.Statement(3, "Return");
      Out.Statement(2, "End If");
    }
    Out.Statement(2, Scanner.empty() ? std::string("Call Next") : Scanner);
  }

  // The loop's next pass does the tail call.
  void TailCall(const NonterminalPlan& nt, int32_t, bool checkProgress) override {
    if (!checkProgress) return;
    Out.Statement(2, "If (indSrc == PassStart) Then");
    Out.CommentTail("\t! a pass that reads nothing would go round for ever");
    Out.Statement(3, ErrorCall(3, Quoted("<" + nt.Name + ">"), "''"));
    Out.Statement(3, "Return");
    Out.Statement(2, "End If");
  }

  void PassStart() override { Out.Statement(2, "PassStart = indSrc"); }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan& alt) override {
    if (Loops() && !EndsInTail(alt)) Out.Statement(2, "Exit");
  }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Statement(2, "Call s_" + std::to_string(Field(NonterminalPool, nonterminal, NtmNumber)));
    Out.CommentTail("\t\t\t\t\t\t! Call <" + NameOf(NonterminalPool, nonterminal) + ">");
    if (!last) Out.Statement(2, "If (Err) Return");
  }

  void ElseBranch(const NonterminalPlan& nt) override {
    // A nonterminal without alternatives still needs a selection for its error.
    if (!Selecting) Out.Statement(1, "Select Case (LL1)");
    Out.Statement(1, "Case Default");
    // The expected-set items are spelled for a literal already (an apostrophe doubled).
    Out.Statement(2, ErrorCall(1, Quoted("<" + nt.Name + ">"), "'" + nt.ExpectedSet + "'"));
    if (Loops()) Out.Statement(2, "Exit");
    Out.Statement(1, "End Select");
  }

  void EndProcedure(const NonterminalPlan& nt) override {
    if (Loops()) Out.Statement(1, "End Do");
    Out.Statement(1, "NestingDepth = NestingDepth - 1");
    Out.Statement(0, "End Subroutine s_" + std::to_string(nt.Number));
  }

  std::string G, GId, Title, Scanner, ErrJob;
  int32_t End = 4096;
  bool Selecting = false;
};

}  // namespace

void CodeGen::FileParserF90(const GeneratorArgs& args) {
  F90Writer writer(*this, args);
  writer.Write();
}

}  // namespace mv
