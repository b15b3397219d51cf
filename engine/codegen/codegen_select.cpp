#include "codegen/codegen.h"

#include "analysis/analysis.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/run_settings.h"

namespace mv {

bool CodeGen::SelectSets(int32_t nonterminal, const GeneratorArgs& args, std::vector<int32_t>& owners,
                         std::vector<std::pair<int32_t, int32_t>>& conflicts) {
  (void)args;
  int32_t flag = -1;
  Eng.an.SelectSetOfAlternative(nonterminal, owners, flag);
  conflicts.clear();
  for (auto& clash : Eng.an.SelectCollisions()) conflicts.emplace_back(clash.Index, clash.Rule);
  return IsTrue(flag);
}

GeneratorArgs CodeGen::CurrentArgs() {
  GeneratorArgs args;
  const SymbolCounts& counts = Eng.store.Counts;
  args.N = counts.N;
  args.T = counts.T;
  args.S = counts.S;
  args.S1 = counts.S + 1;
  args.R = counts.R;
  return args;
}

void CodeGen::GrammarComment() {
  Eng.out.PrintGrammarComment(" ", 1, Eng.store.Grammar.First, Eng.store.Grammar.Last);
}

void CodeGen::PrintRuleInto(int32_t rule, int32_t nonterminal) { Eng.out.PrintRule(rule, nonterminal); }

}  // namespace mv
