// The Fortran 77 parser: one subroutine without recursion. Every nonterminal is a block of
// labelled statements; a call stores its return point on a stack kept by record-store
// routines outside the file and jumps through a computed GOTO, and so does the return.
// The generated variables carry the prefix "TB_" (a Fortran name cannot begin with "$").

#include <algorithm>

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

constexpr int32_t LabelBase = 90000;
constexpr int32_t LargestLabel = 99999;
// What fits between column 7 and column 72.
constexpr size_t FixedText = 66;

std::string First66(const std::string& text) { return text.substr(0, std::min(text.size(), FixedText)); }

// A return-stack template as written: its first 66 characters, each "$" of the template's
// names the generated prefix.
std::string TemplateText(const std::string& text) {
  std::string out;
  for (char ch : ParserWriter::Cut(First66(text))) {
    if (ch == '$') out += "TB_";
    else out += ch;
  }
  return out;
}

class F77Writer : public ParserWriter {
public:
  // A statement runs to column 72; the output keeps three more columns free only to close a
  // literal it splits, so it is given the width 75.
  F77Writer(CodeGen& gen, const GeneratorArgs& args) : ParserWriter(gen, args, CodeFamily::FixedFortran, 75) {
    CommentSign = "!";
    AlwaysActions = true;
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    GId = FortranIdentifier(GrammarIdentifier());
    Title = Cut(st.UserTitle);
    Scanner = First66(st.UserScanner);
    if (Blank(Scanner)) Scanner.clear();
    ErrJob = First66(st.UserErrorReaction);
    if (Blank(ErrJob)) ErrJob.clear();
    N = Args.N;
    R = Args.R;

    WriteHeader();
    int32_t largest = 90010 + N + R + CountCalls();
    if (largest > LargestLabel) {
      // The label field holds five digits: such a parser cannot be written.
      Out.Comment("This grammar needs statement labels up to " + std::to_string(largest) +
                  ", past 99999: no Fortran 77 parser is written.");
      Out.Flush();
      if (Eng.store.GenerationLogFlag)
        Eng.codegen.LogLine("The Fortran 77 parser needs statement labels up to " + std::to_string(largest) +
                            ", past 99999: it was not written.");
      return;
    }
    WriteData();
    WriteStart();
    int32_t count = WriteNonterminals();
    WriteReturns();
    Out.Flush();
    WriteCountLine(count, 6, "  simulations of recursive procedures have been generated.");
    if (Scanner.empty()) WriteScanner();
    if (ErrJob.empty()) {
      Out.Comment("____________________ Error Handler");
      Out.Statement(0, "Subroutine ErrH(Err)");
      Out.Statement(0, "Logical Err");
      Out.Statement(0, "\tErr=.True.");
      Out.Statement(0, "End Subroutine ErrH");
    }
    Out.Flush();
  }

private:
  // Every nonterminal element of every alternative, so an upper bound of the return points.
  int32_t CountCalls() const {
    int32_t calls = 0;
    ForEachElement([&](int32_t, int32_t element) {
      if (Field(ElementPool, element, ElemKind) == KindNonterminal) ++calls;
    });
    return calls;
  }

  void Labelled(int32_t label, const std::string& text) {
    Eng.out.StartOutputLine(label);
    Out.Append(text);
  }

  void WriteHeader() { HeaderComments(Title.empty() ? "SUBROUTINE " + G + "(Src)" : Title, G + ".for"); }

  void WriteData() {
    if (Title.empty()) {
      Out.Statement(0, "SUBROUTINE " + GId + "(Src)");
      Out.Statement(0, "CHARACTER *(*) Src");
    } else {
      Out.Statement(0, Title);
    }
    StatementLines({{0, "INTEGER LL0, LL1"},
                    {0, "DATA LL0/0/, LL1/0/"},
                    {0, "LOGICAL ERR"},
                    {0, "INTEGER TB_NQURC,TB_NFRET,TB_LNKRC,TB_RCTOP"},
                    {0, "INTEGER TB_ENTRY,TB_CALL,TB_LOC,TB_RETUR"},
                    {0, "INTEGER TB_TRALI(0:256)"}});
    Out.Comment("the return stack holds TB_MAXD return points; a call when it is full is an error");
    Out.Statement(0, "INTEGER TB_DEPTH,TB_MAXD");
    Out.Statement(0, "PARAMETER (TB_MAXD=" + std::to_string(MaxDepth) + ")");
    for (auto& line : Eng.store.UserDeclarations)
      if (!Blank(First66(line))) Out.Statement(0, First66(line));
    Out.Statement(0, "DATA TB_NQURC/2/,TB_NFRET/2/,TB_LNKRC/1/");

    // The class of each code: its terminal, T + 1 for the end of the text, T + 2 for none.
    const int32_t T = Args.T;
    std::vector<int32_t> classes(257, T + 2);
    int32_t terminal = Eng.store.Terminals.First;
    for (int32_t guard = 0; terminal >= 1 && guard < Steps(TerminalPool); ++guard) {
      int32_t code = TerminalCode(terminal);
      int32_t number = Field(TerminalPool, terminal, TrmNumber);
      if (code >= 0 && code < 256 && number >= 1 && number <= T) classes[size_t(code)] = number;
      if (terminal == Eng.store.Terminals.Last) break;
      terminal = Field(TerminalPool, terminal, TrmNext);
    }
    classes[256] = T + 1;
    EndClass = T + 1;
    size_t n = 0;
    while (n < 256 && classes[n] == T + 2) ++n;
    std::string list = n >= 1 ? std::to_string(n) + "*" + std::to_string(T + 2) + "," : std::string();
    for (size_t c = n; c <= 256; ++c) list += std::to_string(classes[c]) + (c < 256 ? "," : "");
    Out.Statement(0, "DATA TB_TRALI/" + list + "/");
  }

  void WriteStart() {
    Out.Statement(0, "ERR=.FALSE.");
    Labelled(90000, "TB_CALL=1");
    Out.Statement(0, "TB_RETUR=1");
    Out.Statement(0, "TB_RCTOP=0");
    Out.Statement(0, "TB_DEPTH=0");
    for (auto& line : Eng.store.UserPreParse)
      if (!Blank(First66(line))) Out.Statement(0, First66(line));
    // The scanner starts again at the first character of every parse.
    Out.Statement(0, "LL1=-1");
    Labelled(90004, Scanner.empty() ? std::string("CALL NEXT(Src,LL0,LL1)") : Scanner);
    Labelled(90005, "TB_ENTRY=TB_TRALI(LL1)");
    Out.Comment("INVOCATIONS");
    Labelled(90001, "TB_DEPTH=TB_DEPTH+1");
    Out.Statement(0, "IF(TB_DEPTH.GT.TB_MAXD)GOTO 90003");
    WriteTemplates(0, 3);
    std::string labels;
    for (int32_t k = 1; k <= N; ++k) labels += (k > 1 ? "," : "") + std::to_string(90010 + k);
    Labelled(90008, "GOTO( " + labels + "),TB_CALL");
    Out.Comment("ERROR HANDLING");
    Labelled(90003, ErrJob.empty() ? std::string("CALL ERRH(ERR)") : ErrJob);
    Out.Statement(0, "GOTO 90002");
  }

  // The return-stack templates from..to-1: allocation, write, push, read, pop, release.
  void WriteTemplates(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      std::string text = TemplateText(Eng.store.F77StackTemplates[i]);
      if (!text.empty()) Out.Statement(0, text);
    }
  }

  void WriteReturns() {
    Out.Comment("RETURNS");
    Labelled(90002, "TB_DEPTH=TB_DEPTH-1");
    WriteTemplates(3, 6);
    std::string labels = "90010";
    for (int32_t r = 2; r <= ReturnPoint; ++r) labels += "," + std::to_string(90010 + N + R + r);
    Out.Statement(0, "GOTO( " + labels + "),TB_RETUR");
    // A parse that stops before the end of the text has not read the text.
    std::string check = "IF(.NOT.ERR.AND.TB_ENTRY.NE." + std::to_string(EndClass) + ")";
    Labelled(90010, check + (ErrJob.empty() ? std::string("CALL ERRH(ERR)") : ErrJob));
    std::string lower = Output::LowerCaseText(Title.substr(0, std::min<size_t>(Title.size(), 7)));
    if (lower == "program") {
      Out.Statement(0, "CONTINUE");
    } else {
      Out.Statement(0, "RETURN");
      std::string middle =
          Eng.store.UserTitle.size() > 10 ? Eng.store.UserTitle.substr(10, 56) : std::string();
      size_t stars = size_t(std::count(middle.begin(), middle.end(), '*'));
      if (stars >= 1) Labelled(90006, "RETURN 1");
      if (stars >= 2) Labelled(90007, "RETURN 2");
    }
    Out.Statement(0, "END");
  }

  void WriteScanner() {
    Out.Comment("____________________ Read Next Symbol");
    Out.Statement(0, "Subroutine Next(Src, LL0, LL1)");
    Out.Statement(0, "Character *(*) Src");
    Out.Statement(0, "Integer LL0, LL1");
    Out.Comment("Src - is the source string");
    Out.Comment(
        "LL0 - ichar(c), where c is the actual symbol for user's Actions and it is preceding "
        "symbol of parsing with LL(1) grammar");
    Out.Comment("LL1 - ichar(c), where c is actual symbol for parsing with LL(1) grammar");
    Out.Statement(0, "Integer, save :: ind");
    Out.Statement(0, "\tData ind/0/");
    Out.Comment("a new parse (LL1 below 0) starts at the first character");
    StatementLines({{0, "\tIf (LL1 < 0) ind = 0"},
                    {0, "\tLL0 = LL1"},
                    {0, "\tind = ind + 1"},
                    {0, "\tIf (ind <= len(Src)) Then"},
                    {0, "\t\tLL1 = ichar(Src(ind:ind))"},
                    {0, "\tElse"},
                    {0, "\t\tLL1 = 256"},
                    {0, "\t\tind = 0"},
                    {0, "\tEnd If"},
                    {0, "End Subroutine Next"}});
  }

  std::string Runs(int32_t from, int32_t alternative, std::vector<int32_t>& table) const {
    std::string items;
    const int32_t last = int32_t(table.size()) - 1;
    for (int32_t u = from; u <= last; ++u) {
      if (table[size_t(u)] != alternative) continue;
      int32_t end = u;
      while (end + 1 <= last && table[size_t(end + 1)] == alternative) ++end;
      for (int32_t k = u; k <= end; ++k) table[size_t(k)] = 0;
      if (!items.empty()) items += ".OR.";
      if (end == u) items += "TB_ENTRY.EQ." + std::to_string(u);
      else items += "TB_ENTRY.GE." + std::to_string(u) + ".AND.TB_ENTRY.LE." + std::to_string(end);
      u = end;
    }
    return items;
  }

  void BeginProcedure(const NonterminalPlan& nt) override {
    Out.Comment("PROCEDURE <" + nt.Name + ">");
    if (!nt.LL1) {
      Out.Comment("Due to this grammar is not LL(1), some codes generated for this nonterminal can be bad.");
      Out.Comment(std::string(50, '_'));
    }
    // The selection runs over the terminal numbers; each alternative gets one test.
    std::vector<int32_t> table(Selection().begin(), Selection().end());
    if (table.size() > size_t(Args.T) + 3) table.resize(size_t(Args.T) + 3);
    bool labelled = false;
    for (int32_t t = 1; t < int32_t(table.size()); ++t) {
      int32_t j = table[size_t(t)];
      if (j == 0) continue;
      std::string line = "IF(" + Runs(t, j, table) + ")GOTO " + std::to_string(90010 + N + j);
      if (!labelled) Labelled(90010 + nt.Number, line);
      else Out.Statement(0, line);
      labelled = true;
    }
    if (!labelled) Labelled(90010 + nt.Number, "GOTO 90003");
    else Out.Statement(0, "GOTO 90003");
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool) override {
    Labelled(90010 + N + alt.Number, "CONTINUE");
  }

  void AmbiguityNote(const AlternativePlan&) override {}
  void RuleComment(const NonterminalPlan&, const AlternativePlan&) override {}

  void ActionElement(int32_t action) override {
    Out.Comment("CALL `" + NameOf(ActionPool, action) + "`");
    for (auto& line : ActionLines(action)) Out.Statement(0, line);
  }

  void TerminalElement(int32_t terminal, int32_t, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    std::string lastName;
    Out.Comment(TerminalComment("", terminal, mergedFirst, lastName));
    if (!first)
      Out.Statement(
          0, "IF(TB_ENTRY.NE." + std::to_string(Field(TerminalPool, terminal, TrmNumber)) + ")GOTO 90003");
    Out.Statement(0, Scanner.empty() ? std::string("CALL NEXT(Src,LL0,LL1)") : Scanner);
    Out.Statement(0, "TB_ENTRY=TB_TRALI(LL1)");
  }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Comment("CALL <" + NameOf(NonterminalPool, nonterminal) + ">");
    Out.Statement(0, "TB_CALL=" + std::to_string(Field(NonterminalPool, nonterminal, NtmNumber)));
    ++ReturnPoint;
    Out.Statement(0, "TB_RETUR=" + std::to_string(ReturnPoint));
    Out.Statement(0, "GOTO 90001");
    Labelled(90010 + N + R + ReturnPoint, last ? "CONTINUE" : "IF(ERR)GOTO 90002");
  }

  // A tail self-call jumps back to the block's start without a push. One whose pass may read
  // nothing stays a call, so that the return stack's limit ends what would go round for ever.
  void TailCall(const NonterminalPlan& nt, int32_t element, bool checkProgress) override {
    if (checkProgress) {
      NonterminalElement(nt.Record, element, true);
      return;
    }
    Out.Comment("CALL <" + nt.Name + "> AGAIN");
    Out.Statement(0, "GOTO " + std::to_string(90010 + nt.Number));
    JumpedBack = true;
  }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan&) override {
    if (!JumpedBack) Out.Statement(0, "GOTO 90002");
    JumpedBack = false;
  }
  void ElseBranch(const NonterminalPlan&) override {}
  void EndProcedure(const NonterminalPlan&) override {}

  std::string G, GId, Title, Scanner, ErrJob;
  int32_t N = 0, R = 0;
  int32_t ReturnPoint = 1;
  int32_t EndClass = 1;
  bool JumpedBack = false;  // the branch ended in a jump back to its block's start
};

}  // namespace

void CodeGen::FileParserF77(const GeneratorArgs& args) {
  F77Writer writer(*this, args);
  writer.Write();
}

}  // namespace mv
