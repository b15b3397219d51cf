#pragma once
// Walks over the grammar in the store: its nonterminals, a nonterminal's alternatives, an
// alternative's elements, each in chain order.

#include "store/chain_walk.h"
#include "store/grammar_store.h"

namespace mv {

template <class Visit>
void WalkGrammar(const RecordMemory& m, const GrammarStore& st, Visit&& visit) {
  if (st.Grammar.Last < 1) return;
  WalkChain(m, NonterminalPool, NtmNext, st.Grammar.First, st.Grammar.Last, visit);
}

template <class Visit>
void WalkAlternatives(const RecordMemory& m, int32_t nonterminal, Visit&& visit) {
  int32_t last = m.IVLR(NonterminalPool, nonterminal, NtmLastRule);
  if (last < 1) return;
  WalkChain(m, RulePool, RuleNext, m.IVLR(NonterminalPool, nonterminal, NtmFirstRule), last, visit);
}

template <class Visit>
void WalkElements(const RecordMemory& m, int32_t rule, Visit&& visit) {
  int32_t last = m.IVLR(RulePool, rule, RuleLastElement);
  if (last < 1) return;
  WalkChain(m, ElementPool, ElemNext, m.IVLR(RulePool, rule, RuleFirstElement), last, visit);
}

}  // namespace mv
