// The Object Pascal parser: one unit with a class that holds the scanner state, the scanner,
// the error procedure, one procedure per nonterminal and the entry named after the grammar.

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

std::string Quoted(const std::string& text) { return ParserWriter::DoubledQuotes(text, '\''); }

// A code in the branch comment.
std::string CommentItem(int32_t c) {
  if (c >= 0 && c <= 31) return "chr(" + std::to_string(c) + ")";
  return std::string(1, char(c));
}

// A code in the expected-set text, which stands inside a literal.
std::string ExpectedItem(int32_t c) {
  if (c == 32) return "\" \"";
  if (c == 39) return "''";
  if (c >= 0 && c <= 31) return "chr(" + std::to_string(c) + ")";
  return std::string(1, char(c));
}

class PascalWriter : public ParserWriter {
public:
  PascalWriter(CodeGen& gen, const GeneratorArgs& args) : ParserWriter(gen, args, CodeFamily::Pascal, 1000) {
    CommentSign = "//";
    AlwaysActions = true;
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    // The unit is written to the file of its own name, where the compiler looks for it.
    GId = PascalUnitName(Cut(st.ResultBaseName));
    T = "T" + GId;
    Title = Cut(st.UserTitle);
    Scanner = Cut(st.UserScanner);
    ErrJob = Cut(st.UserErrorReaction);
    End = std::max<int32_t>(Eng.codegen.EndMarkerCode, Args.T);

    WriteHeader();
    WriteInterface();
    WriteEntry();
    if (Scanner.empty()) WriteScanner();
    if (ErrJob.empty()) WriteErrorProcedure();
    int32_t count = WriteNonterminals();
    WriteCountLine(count, 6, " procedures have been generated.");
    Out.BlankLine();
    Out.Statement(0, "end.");
    Out.Flush();
  }

private:
  std::string ExpectedSetItems(const std::vector<CodeItem>& items) const override {
    std::string text;
    for (auto& item : items) {
      if (item.End) {
        text += " finish";
      } else {
        text += " " + ExpectedItem(item.First);
        if (item.Last != item.First) text += "- " + ExpectedItem(item.Last);
      }
    }
    return text;
  }

  std::string CommentText(const std::vector<CodeItem>& items) const {
    std::string text;
    for (auto& item : items) {
      if (!text.empty()) text += ' ';
      if (item.End) text += "finish";
      else if (item.First == item.Last) text += CommentItem(item.First);
      else text += CommentItem(item.First) + ".." + CommentItem(item.Last);
    }
    return text;
  }

  std::string ErrorCall(int number, const std::string& symbol, const std::string& set) const {
    return "ErrH(err," + std::to_string(number) + "," + symbol + "," + set + ")";
  }

  void WriteHeader() {
    HeaderComments(Title.empty() ? "procedure " + G + "(src: string);" : Title, GId + ".pas");
  }

  void WriteInterface() {
    // The compiler finds a unit by its file name, which is the unit's name.
    Out.Statement(0, "unit " + GId + ";");
    Out.BlankLine();
    Out.Statement(0, "interface");
    Out.BlankLine();
    Out.Statement(0, "uses SysUtils;");
    Out.BlankLine();
    Out.Comment(
        "deepest nesting of the procedures; past it the parser reports an error instead of "
        "running out of stack");
    Out.Statement(0, "const");
    Out.Statement(1, "maxNestingDepth = " + std::to_string(MaxDepth) + ";");
    Out.BlankLine();
    Out.Statement(0, "type");
    Out.Statement(1, T + " = class(TObject)");
    Out.Statement(1, "private");
    if (Title.empty()) {
      Out.Statement(2, "src: string;");
      Out.Comment("src - is the source string");
      Out.Statement(2, "indSrc: integer;");
      Out.Statement(2, "lenSrc: integer;");
    }
    Out.Statement(2, "LL0, LL1: integer;");
    Out.Comment(
        "LL0 - ichar(c), where c is the actual symbol for user's Actions and it is preceding "
        "symbol of parsing with LL(1) grammar");
    Out.Comment("LL1 - ichar(c), where c is actual symbol for parsing with LL(1) grammar");
    Out.Statement(2, "err: boolean;");
    Out.Statement(2, "nestingDepth: integer;");
    for (auto& line : Eng.store.UserDeclarations)
      if (!Blank(line)) Out.Statement(2, Cut(line));
    // A user's scanner or error reaction is a text in place of the calls, not a method.
    if (Scanner.empty()) Out.Statement(2, "procedure next;");
    if (ErrJob.empty())
      Out.Statement(
          2, "procedure ErrH(var err: boolean; ErrNum: integer; gramSymb: string; expectedSet: string);");
    int32_t nonterminal = Eng.store.Grammar.First;
    for (int32_t guard = 0; nonterminal >= 1 && guard < Steps(NonterminalPool); ++guard) {
      Out.Statement(2, "procedure s_" + std::to_string(Field(NonterminalPool, nonterminal, NtmNumber)) + ";");
      if (nonterminal == Eng.store.Grammar.Last) break;
      nonterminal = Field(NonterminalPool, nonterminal, NtmNext);
    }
    Out.Statement(1, "public");
    Out.Statement(2, Title.empty() ? "procedure " + GId + "(src: string);" : "procedure " + Title);
    Out.Statement(1, "end;");
    Out.BlankLine();
    Out.Statement(0, "implementation");
    Out.BlankLine();
  }

  void WriteEntry() {
    Out.Statement(
        0, Title.empty() ? "procedure " + T + "." + GId + "(src: string);" : "procedure " + T + "." + Title);
    Out.Statement(1, "begin");
    if (Title.empty()) {
      Out.Statement(2, "indSrc := 0;");
      Out.Statement(2, "lenSrc := length(src);");
      Out.Statement(2, "self.src := src;");
    }
    Out.Statement(2, "err := false;");
    Out.Statement(2, "nestingDepth := 0;");
    for (auto& line : Eng.store.UserPreParse)
      if (!Blank(line)) Out.Statement(0, Cut(line));
    if (Scanner.empty()) Out.Statement(2, "next;");
    else Out.Statement(0, Scanner);
    Out.Statement(2, "s_1;");
    // A parse that stops before the end of the text has not read the text.
    std::string start = NameOf(NonterminalPool, Eng.store.Grammar.First);
    Out.Statement(2,
                  "if not err and (LL1 <> " + std::to_string(End) + ") then " +
                      (ErrJob.empty() ? ErrorCall(1, Quoted("<" + start + ">"), "'finish'") + ";" : ErrJob));
    Out.Statement(1, "end;");
  }

  void WriteScanner() {
    Out.Comment("____________________ Read Next Symbol");
    Out.Statement(0, "procedure " + T + ".next;");
    StatementLines({{1, "begin"},
                    {2, "LL0 := LL1;"},
                    {2, "indSrc := indSrc + 1;"},
                    {2, "if (indSrc <= lenSrc) then"},
                    {3, "begin"},
                    {4, "LL1 := ord(src[indSrc]);"},
                    {3, "end"},
                    {2, "else"},
                    {3, "begin"}});
    Out.Statement(4, "LL1 := " + std::to_string(End) + ";");
    StatementLines({{3, "end;"}, {1, "end;"}});
  }

  void WriteErrorProcedure() {
    Out.Comment("____________________ Error Handler");
    Out.Statement(0, "procedure " + T +
                         ".ErrH(var err: boolean; ErrNum: integer; gramSymb: string; expectedSet: string);");
    StatementLines({{1, "var"},
                    {1, "LineNum, LeftContext, RightContext, i: integer;"},
                    {1, "found: string;"},
                    {1, "begin"},
                    {2, "err := true;"},
                    {2, "LineNum := 1;"},
                    {2, "LeftContext := 0;"},
                    {2, "RightContext := indSrc;"}});
    Out.Comment("the error line: from the line feed before the error to the next one or the end");
    StatementLines({{2, "LeftContext := 1;"},
                    {2, "RightContext := lenSrc;"},
                    {2, "for i := 1 to lenSrc do"},
                    {3, "if (ord(src[i]) = 10) then"},
                    {4, "if (indSrc > i) then"},
                    {5, "begin"},
                    {6, "LineNum := LineNum + 1;"},
                    {6, "LeftContext := i + 1;"},
                    {5, "end"},
                    {4, "else"},
                    {5, "begin"},
                    {6, "RightContext := i - 1;"},
                    {6, "break;"},
                    {5, "end;"},
                    {2,
                     "if (RightContext >= LeftContext) and (ord(src[RightContext]) = 13) then RightContext "
                     ":= RightContext - 1;"}});
    Out.Comment("a long line is shown around the error column");
    StatementLines({{2, "if (indSrc - LeftContext > 60) then LeftContext := indSrc - 40;"},
                    {2, "if (RightContext - LeftContext >= 120) then RightContext := LeftContext + 119;"}});
    Out.Statement(
        2, "if (LL1 = " + std::to_string(End) + ") then found := 'end marker' else found := chr(LL1);");
    StatementLines({{2, "case ErrNum of"},
                    {3,
                     "1: writeln('  Line', LineNum:6, ', syntax error, found ''', found, ''' when expecting "
                     "', gramSymb, ' with one of: ', expectedSet);"},
                    {3,
                     "2: writeln('  Line', LineNum:6, ', syntax error, found ''', found, ''' when expecting "
                     "''', expectedSet, '''');"},
                    {3,
                     "3: writeln('  Line', LineNum:6, ', syntax error, found ''', found, ''', the nesting is "
                     "too deep');"},
                    {2, "end;"},
                    {2, "writeln(' ', copy(src, LeftContext, RightContext - LeftContext + 1));"},
                    {2, "write(' ');"}});
    Out.Comment("a tab stays a tab, so that the mark stands under the error");
    StatementLines({{2, "for i := LeftContext to indSrc - 1 do"},
                    {3, "if (i <= lenSrc) and (ord(src[i]) = 9) then write(chr(9)) else write(' ');"},
                    {2, "writeln('!');"},
                    {1, "end;"}});
  }

  void BeginProcedure(const NonterminalPlan& nt) override {
    Out.Comment("____________________ Procedure <" + nt.Name + ">");
    Out.Statement(0, "procedure " + T + ".s_" + std::to_string(nt.Number) + ";");
    bool progress = false;
    for (auto& alt : nt.Alternatives)
      if (alt.MergedInto == 0 && MayReadNothing(alt)) progress = true;
    if (progress) Out.Statement(1, "var passStart: integer;");
    Out.Statement(1, "begin");
    if (!nt.LL1) {
      Out.Comment("Due to this grammar is not LL(1), some codes generated for this nonterminal can be bad.");
      Out.Comment(std::string(50, '_'));
    }
    Out.Statement(2, "nestingDepth := nestingDepth + 1;");
    Out.Statement(2, "if nestingDepth > maxNestingDepth then");
    Out.Statement(3, "begin");
    Out.Statement(4, DepthError(nt));
    Out.Statement(4, "exit;");
    Out.Statement(3, "end;");
    if (Loops()) {
      Out.Statement(2, "while true do // the replacement of recursion with a cycle");
      Out.Statement(3, "begin");
    }
    CaseOpen = false;
  }

  std::string DepthError(const NonterminalPlan& nt) const {
    return ErrJob.empty() ? ErrorCall(3, Quoted("<" + nt.Name + ">"), "''") + ";" : ErrJob;
  }

  // A case label may stand only once: a branch that keeps no code is left out.
  bool OmitsUnchosenBranch(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    UnchosenNote(nt, alt);
    return true;
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool first) override {
    if (first) Out.Statement(2, "case LL1 of");
    CaseOpen = true;
    std::string labels = CodeListNumbers(alt.Items, ",", "..", std::to_string(End));
    Out.Statement(3, labels + ":");
    Out.CommentTail("\t\t\t\t\t\t\t\t// " + CommentText(alt.Items));
  }

  void AmbiguityNote(const AlternativePlan&) override {}

  void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    Out.Statement(4, "begin");
    WriteRuleComment(4, "", "// ", nt, alt);
  }

  void ActionElement(int32_t action) override {
    auto lines = ActionLines(action);
    for (size_t i = 0; i < lines.size(); ++i) {
      Out.Flush();
      Out.Statement(5, lines[i] + ";");
      if (i == 0) Out.CommentTail("\t\t\t\t\t\t// Action `" + NameOf(ActionPool, action) + "`");
    }
  }

  void TerminalElement(int32_t terminal, int32_t code, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    std::string lastName;
    Out.Comment(TerminalComment("", terminal, mergedFirst, lastName));
    if (!first) {
      std::string ch =
          code >= 0 && code <= 31 ? "char(" + std::to_string(code) + ")" : Quoted(std::string(1, char(code)));
      // A failed test leaves the procedure, as the other targets do.
      std::string reaction = ErrJob.empty() ? ErrorCall(2, "' '", ch) : ErrJob;
      Out.Statement(5, "if LL1 <> " + std::to_string(code) + " then begin " + reaction + "; exit; end;");
    }
    Out.Statement(5, Scanner.empty() ? std::string("next;") : Scanner);
  }

  // The loop's next pass does the tail call.
  void TailCall(const NonterminalPlan& nt, int32_t, bool checkProgress) override {
    if (checkProgress)
      Out.Statement(5, "if indSrc = passStart then begin " +
                           (ErrJob.empty() ? ErrorCall(3, Quoted("<" + nt.Name + ">"), "''") : ErrJob) +
                           "; exit; end;");
  }

  void PassStart() override { Out.Statement(5, "passStart := indSrc;"); }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Statement(5, "s_" + std::to_string(Field(NonterminalPool, nonterminal, NtmNumber)) + ";");
    Out.CommentTail("\t\t\t\t\t\t// Call <" + NameOf(NonterminalPool, nonterminal) + ">");
    if (!last) Out.Statement(5, "if err then exit;");
  }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan& alt) override {
    if (Loops() && !EndsInTail(alt)) Out.Statement(5, "break;");
    Out.Statement(4, "end;");
  }

  void ElseBranch(const NonterminalPlan& nt) override {
    // The expected-set items are spelled for a literal already (a quote doubled).
    std::string error =
        ErrJob.empty() ? ErrorCall(1, Quoted("<" + nt.Name + ">"), "'" + nt.ExpectedSet + "'") : ErrJob;
    // A case needs a label: a nonterminal without alternatives only reports its error.
    if (!CaseOpen) {
      Out.Statement(2, error + ";");
      return;
    }
    if (Loops()) Out.Statement(3, "else begin " + error + "; break; end;");
    else Out.Statement(3, "else " + error);
    Out.Statement(2, "end;");
  }

  void EndProcedure(const NonterminalPlan&) override {
    if (Loops()) Out.Statement(3, "end;");
    Out.Statement(2, "nestingDepth := nestingDepth - 1;");
    Out.Statement(1, "end;");
  }

  std::string G, GId, T, Title, Scanner, ErrJob;
  int32_t End = 4096;
  bool CaseOpen = false;
};

}  // namespace

void CodeGen::FileParserPascal(const GeneratorArgs& args) {
  PascalWriter writer(*this, args);
  writer.Write();
}

}  // namespace mv
