// The batch run: the whole analysis and the code generation in one pass, for the engine's own
// reader.
#include "reader/batch_run.h"

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "codegen/codegen.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "output/result_name.h"
#include "store/run_settings.h"
#include "transform/extraneous.h"

namespace mv {

BatchRun::BatchRun(RecordMemory& mem, GrammarStore& store, Output& out, RunSettings& run, Analysis& an,
                   Extraneous& extra, CodeGen& codegen)
    : Eng{mem, store, out, run, an, extra, codegen} {}

std::string BatchRun::NoRoomLine(int64_t need) {
  auto field8 = [](int64_t v) {
    std::string d = std::to_string(v);
    return d.size() < 8 ? std::string(8 - d.size(), ' ') + d : d;
  };
  return " Fatal error: no room of memory. Memory request:" + field8(need) +
         " bytes.  Memory size:" + field8(RelationSpaceSize) + " bytes.";
}

void BatchRun::WriteRules(const std::string& extension, const std::string& title, int32_t head,
                          int32_t tail) {
  if (!Eng.out.OpenResultFile(extension)) return;
  Eng.out.PrintRules(title, head, tail);
  Eng.out.ResultUnit.Close();
}

void BatchRun::WriteNonterminals() {
  Output& out = Eng.out;
  const RecordMemory& m = Eng.mem;
  if (!out.OpenResultFile(".ntm")) return;
  out.StartListing(" nonterminals order");
  WalkGrammar(m, Eng.store, [&](int32_t a) {
    out.StartOutputLine(m.IVLR(NonterminalPool, a, NtmNumber));
    out.WriteText("<");
    out.WriteNameChain(NameCharPool, m.IVLR(NonterminalPool, a, NtmNameFirst),
                       m.IVLR(NonterminalPool, a, NtmNameLast), CharNext, CharCode);
    out.WriteText(">");
  });
  out.FlushOutputLine();
  out.ResultUnit.Close();
}

bool BatchRun::MayWriteEveryFile() {
  static const char* const extensions[] = {".dead", ".unr", ".lfact", ".tmp", ".rul",
                                           ".ntm",  ".sel", ".err",   ".log"};
  std::string name;
  for (const char* extension : extensions)
    if (!Eng.out.ResultFileName(extension, name)) return false;
  const int language = TargetOfFlags(Eng.run.Target).Code;
  const std::string& grammarName = Eng.store.ResultBaseName;
  if (!Eng.out.MayWrite(names::ParserFileName(grammarName, language))) return false;
  const std::string first = names::FirstParserFileName(grammarName, language);
  return first == names::ParserFileName(grammarName, language) || Eng.out.MayWrite(first);
}

void BatchRun::RefuseDeadStart() {
  Output& out = Eng.out;
  if (out.OpenResultFile(".log")) {
    out.ResultUnit.WriteLine(Eng.codegen.StartSymbolFault);
    out.ResultUnit.Close();
  }
  out.LastError = Eng.codegen.StartSymbolFault;
}

void BatchRun::GenerateParser() {
  GrammarStore& st = Eng.store;
  Output& out = Eng.out;
  st.GenerationLogFlag = st.CollisionReportFlag;
  st.CollisionReportFlag = false;
  // A log that cannot be opened leaves its failure in LastError; the parser is still written.
  out.OpenResultFile(".log");
  try {
    Eng.codegen.WriteParserFiles(Eng.codegen.CurrentArgs());
  } catch (...) {
    out.SourceUnit.Abandon();
    out.ResultUnit.Close();
    st.CollisionReportFlag = st.GenerationLogFlag;
    throw;
  }
  st.CollisionReportFlag = st.GenerationLogFlag;
}

void BatchRun::ProcessGrammar() {
  GrammarStore& st = Eng.store;
  RecordMemory& m = Eng.mem;
  Analysis& an = Eng.an;
  Extraneous& extra = Eng.extra;
  // No rule head was read: nothing to name the files after.
  if (!Eng.store.TakeGrammarName()) return;
  // A name that reaches outside the work folder, a file that would replace the grammar file,
  // a work folder that cannot be used: no file at all.
  if (!MayWriteEveryFile()) return;
  Eng.out.ListingLineNumber = 0;

  // Dead nonterminals.
  const int32_t start = st.Grammar.First;
  Chain dead = st.Grammar, alive;
  st.SplitAlive(dead.First, dead.Last, alive.First, alive.Last);
  WriteRules(".dead", " dead nonterminals", dead.First, dead.Last);
  if (Eng.codegen.CheckDeadStart(start, dead)) {
    // Cleaning would make another nonterminal the start symbol: a parser of another language.
    RefuseDeadStart();
    return;
  }
  extra.DeleteRulesOf(dead.First, dead.Last);

  // Unreachable nonterminals; the reachable ones are the grammar.
  Chain unreachable = alive, reachable;
  if (alive.First >= 1)
    extra.SplitReachable(alive.First, unreachable.First, unreachable.Last, reachable.First, reachable.Last);
  WriteRules(".unr", " unreachable nonterminals", unreachable.First, unreachable.Last);
  extra.DeleteRulesOf(unreachable.First, unreachable.Last);
  st.Grammar = reachable;

  WriteRules(".lfact", " grammar after left factoring", st.Grammar.First, st.Grammar.Last);
  an.Nullable();

  // Every terminal of the table is numbered, also one used only by a deleted rule.
  an.NtmNumbering();
  int32_t t = 0;
  if (st.Terminals.First >= 1)
    WalkChain(m, TerminalPool, TrmNext, st.Terminals.First, st.Terminals.Last,
              [&](int32_t r) { m.VLW(TerminalPool, r, TrmNumber, ++t); });
  st.Counts.T = t;
  an.RulesNumbering();
  WriteRules(".rul", " rules order", st.Grammar.First, st.Grammar.Last);
  WriteNonterminals();

  const int64_t need = 3 * int64_t(st.Counts.S) * st.Counts.N + 2 * int64_t(st.Counts.N);
  if (need > RelationSpaceSize) {
    const std::string line = NoRoomLine(need);
    if (Eng.out.OpenResultFile(".err")) {
      Eng.out.ResultUnit.WriteLine(line);
      Eng.out.ResultUnit.Close();
    }
    // No select sets and no parser: the run failed.
    Eng.out.LastError = line.substr(1) + " No select sets and no parser are written.";
    return;
  }
  an.InitMatrix();
  an.IsEndOf();
  an.IsFollowedDirectlyBy();
  an.EndOf_FolDirBy_Prod();
  an.BeginsWith();
  an.IsFollowedBy();
  if (Eng.out.OpenResultFile(".sel")) {
    Eng.out.StartListing(" set of select");
    an.CheckLL1();
    Eng.out.ResultUnit.Close();
  }
  GenerateParser();
}

}  // namespace mv
