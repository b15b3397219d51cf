// Left recursion: RecursiveLoops substitutes corners that come earlier in the grammar, which
// turns recursion through several nonterminals into immediate left recursion; SelfRecursion
// rewrites A -> A alpha | beta as A -> beta $A, $A -> alpha $A | (empty).
#include "transform/transform.h"

#include <unordered_set>

#include "analysis/analysis.h"
#include "store/builder.h"
#include "store/record_memory.h"

namespace mv {

bool Transform::RecursiveLoops() {
  if (Eng.store.Grammar.First < 1) return false;
  Run([&] {
    RecordMemory& m = Eng.mem;
    Eng.an.NtmNumbering();
    auto number = [&](int32_t ntm) { return m.IVLR(NonterminalPool, ntm, NtmNumber); };
    // Chains that a caller's calls left without their ends are walked no further than they
    // have records.
    int64_t steps = 0;
    for (int32_t a = Eng.store.Grammar.First; a >= 1 && steps++ < m.StepLimit(NonterminalPool);) {
      // A chain of one-alternative corners that comes back to one of them can only be made of
      // dead nonterminals; it would be substituted for ever.
      std::unordered_set<int32_t> substituted;
      int64_t ruleSteps = 0;
      for (int32_t r = m.IVLR(NonterminalPool, a, NtmFirstRule);
           r >= 1 && ruleSteps++ < m.StepLimit(RulePool);) {
        const int32_t corner = Corner(r);
        const int32_t b = corner >= 1 ? m.IVLR(ElementPool, corner, ElemReferent) : 0;
        if (corner >= 1 && number(b) < number(a)) {
          if (!substituted.insert(b).second) break;
          SubstituteCorner(a, r);
          // The scan goes on only with an alternative that is now the last one.
          const int32_t follower = m.IVLR(RulePool, r, RuleNext);
          if (follower < 1 || follower != m.IVLR(NonterminalPool, a, NtmLastRule)) break;
          r = follower;
        } else {
          if (r == m.IVLR(NonterminalPool, a, NtmLastRule)) break;
          r = m.IVLR(RulePool, r, RuleNext);
        }
      }
      if (a == Eng.store.Grammar.Last) break;
      a = m.IVLR(NonterminalPool, a, NtmNext);
    }
  });
  return true;
}

bool Transform::SelfRecursion() {
  if (Eng.store.Grammar.First < 1) return false;
  Run([&] {
    RecordMemory& m = Eng.mem;
    GrammarStore& st = Eng.store;
    // Phase 1: the cycles A -> A (actions around it aside) go, until none is left. A -> A A
    // is no cycle: with A nullable it derives more than A, so phase 2 rewrites it.
    // An alternative taken out is never taken again: a rule chain that leads back to it (as
    // arbitrary builder calls can leave it) would keep offering it for ever.
    std::unordered_set<int32_t> taken;
    for (bool removed = true; removed;) {
      removed = false;
      // A chain that a caller's calls left without its end is walked no further than it has
      // records.
      int64_t steps = 0;
      for (int32_t a = st.Grammar.First; a >= 1 && !removed && steps++ < m.StepLimit(NonterminalPool);) {
        for (int32_t r : Alternatives(a)) {
          if (taken.count(r)) continue;
          int32_t self = 0;
          bool other = false;
          for (int32_t e : Elements(r)) {
            const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
            if (kind == KindAction) continue;
            if (kind == KindNonterminal && m.IVLR(ElementPool, e, ElemReferent) == a) {
              ++self;
              continue;
            }
            other = true;
            break;
          }
          if (self == 1 && !other) {
            taken.insert(r);
            Detach(a, r);
            removed = true;
            break;
          }
        }
        if (removed || a == st.Grammar.Last) break;
        a = m.IVLR(NonterminalPool, a, NtmNext);
      }
    }
    // Phase 2, over the new nonterminals too.
    int64_t steps = 0;
    for (int32_t a = st.Grammar.First; a >= 1 && steps++ < m.StepLimit(NonterminalPool);) {
      SelfRecursionOf(a);
      if (a == st.Grammar.Last) break;
      a = m.IVLR(NonterminalPool, a, NtmNext);
    }
  });
  return true;
}

void Transform::SelfRecursionOf(int32_t a) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  auto mark = [&](int32_t r) { return m.IVLR(RulePool, r, RuleNumber); };
  auto setMark = [&](int32_t r, int32_t v) { m.VLW(RulePool, r, RuleNumber, v); };
  const std::vector<int32_t> alternatives = Alternatives(a);
  int32_t count = 0;
  std::vector<int32_t> remembered;  // leading actions of the last left-recursive one with any
  bool rememberedSet = false;
  bool hasBeta = false;
  for (int32_t r : alternatives) {
    setMark(r, 0);
    std::vector<int32_t> leading;
    int32_t first = 0;
    for (int32_t e : Elements(r)) {
      if (m.IVLR(ElementPool, e, ElemKind) != KindAction) {
        first = e;
        break;
      }
      leading.push_back(e);
    }
    if (first < 1) continue;
    if (m.IVLR(ElementPool, first, ElemKind) == KindNonterminal &&
        m.IVLR(ElementPool, first, ElemReferent) == a) {
      setMark(r, ++count);
      if (!leading.empty()) {
        remembered = leading;
        rememberedSet = true;
      }
    } else {
      hasBeta = true;
    }
  }
  // Without an alternative to start from, the left recursion stays.
  if (count == 0 || !hasBeta) return;

  const std::string tail = NewNonterminalName("$" + Name(NonterminalPool, a));
  for (int32_t r : alternatives) {
    const int32_t mk = mark(r);
    if (mk < 0) continue;
    if (mk == 0 && !rememberedSet) {
      // beta becomes beta $A in place.
      st.CurrentAlternative =
          AlternativeState{r, m.IVLR(RulePool, r, RuleFirstElement), m.IVLR(RulePool, r, RuleLastElement)};
      AppendNonterminal(tail);
      Eng.builder.BKSEND();
    } else if (mk == 0) {
      // beta becomes x beta $A, x the remembered leading actions.
      OpenAlternative(a);
      for (int32_t e : remembered) CopyElement(e);
      for (int32_t e : Elements(r)) CopyElement(e);
      AppendNonterminal(tail);
      Eng.builder.BKSEND();
      setMark(st.CurrentAlternative.Rule, -1);
      Detach(a, r);
    } else {
      // x A alpha becomes alpha $A, an alternative of $A.
      OpenAlternative(tail);
      bool afterA = false;
      for (int32_t e : Elements(r)) {
        if (afterA) CopyElement(e);
        else if (m.IVLR(ElementPool, e, ElemKind) != KindAction) afterA = true;
      }
      AppendNonterminal(tail);
      Eng.builder.BKSEND();
      Detach(a, r);
    }
  }
  OpenAlternative(tail);
  Eng.builder.BKSNUL();
  Eng.builder.BKSEND();
}

}  // namespace mv
