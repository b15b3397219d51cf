// Nullable nonterminals: a second set of chain links over the grammar's own records is copied
// from the grammar, pruned to the alternatives without terminals, and split into the nullable
// and the other nonterminals, so the grammar itself is not changed.

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "output/output.h"

namespace mv {

namespace {

// The nullable-search links.
constexpr ChainFields NullLinks{NtmNullNext,     NtmNullBack,  NtmNullFirstRule,
                                NtmNullLastRule, RuleNullNext, RuleNullBack};

bool HasTerminal(const RecordMemory& m, int32_t rule) {
  bool found = false;
  WalkElements(m, rule, [&](int32_t e) {
    if (m.IVLR(ElementPool, e, ElemKind) == KindTerminal) found = true;
  });
  return found;
}

}  // namespace

void Analysis::FindNullable(int32_t head, int32_t tail, int32_t& nullHead, int32_t& nullTail) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  // An empty list still gets its (empty) listing below.
  if (head < 1 || tail < 1) head = tail = 0;
  // 1. Copy the links.
  WalkChain(m, NonterminalPool, NtmNext, head, tail, [&](int32_t a) {
    m.VLW(NonterminalPool, a, NtmNullNext, m.IVLR(NonterminalPool, a, NtmNext));
    m.VLW(NonterminalPool, a, NtmNullBack, m.IVLR(NonterminalPool, a, NtmBack));
    m.VLW(NonterminalPool, a, NtmNullFirstRule, m.IVLR(NonterminalPool, a, NtmFirstRule));
    m.VLW(NonterminalPool, a, NtmNullLastRule, m.IVLR(NonterminalPool, a, NtmLastRule));
    WalkAlternatives(m, a, [&](int32_t r) {
      m.VLW(RulePool, r, RuleNullNext, m.IVLR(RulePool, r, RuleNext));
      m.VLW(RulePool, r, RuleNullBack, m.IVLR(RulePool, r, RuleBack));
    });
  });
  // 2. Only alternatives without terminals can derive the empty string; they are only
  // detached, since the grammar still holds them.
  st.GiveBackSwitch = false;
  Chain work{head, tail};
  WalkChain(m, NonterminalPool, NullLinks.NtmNext, head, tail, [&](int32_t a) {
    int32_t first = m.IVLR(NonterminalPool, a, NullLinks.NtmFirstRule);
    int32_t last = m.IVLR(NonterminalPool, a, NullLinks.NtmLastRule);
    if (last < 1) return;
    WalkChain(m, RulePool, NullLinks.RuleNext, first, last, [&](int32_t r) {
      if (!HasTerminal(m, r)) return;
      Eng.store.RemoveAlternative(NullLinks.RuleNext, NullLinks.RuleBack, first, last, r, NullLinks.NtmNext,
                                  NullLinks.NtmBack, work.First, work.Last, NullLinks.NtmFirstRule,
                                  NullLinks.NtmLastRule, a);
    });
  });
  // 3. The nullable ones, split off along the nullable-search links; 4. their listing.
  const ChainFields saved = st.Fields;
  st.Fields = NullLinks;
  Chain nullable;
  if (work.First >= 1) Eng.store.SplitAlive(work.First, work.Last, nullable.First, nullable.Last);
  if (Eng.out.OpenResultFile(".tmp")) {
    Eng.out.PrintRules(" nullable rules", nullable.First, nullable.Last);
    Eng.out.ResultUnit.Close();
  }
  // 5. Back to the grammar's links.
  st.Fields = saved;
  st.GiveBackSwitch = true;
  // 6. The marks.
  WalkChain(m, NonterminalPool, NtmNext, head, tail,
            [&](int32_t a) { m.VLW(NonterminalPool, a, NtmNullable, 0); });
  if (nullable.First >= 1)
    WalkChain(m, NonterminalPool, NtmNullNext, nullable.First, nullable.Last,
              [&](int32_t a) { m.VLW(NonterminalPool, a, NtmNullable, 1); });
  nullHead = nullable.First;
  nullTail = nullable.Last;
}

}  // namespace mv
