// Select sets of the alternatives, the LL(1) test and the select-set report.

#include <algorithm>

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"

namespace mv {

namespace {
constexpr int32_t CollisionPool = 4;
constexpr int32_t CollisionIndex = 2;
constexpr int32_t CollisionRule = 3;
}  // namespace

void Analysis::MarkSelect(int32_t index, int32_t rule, std::vector<int32_t>& owners) {
  if (index < 1 || size_t(index) + 1 >= owners.size()) return;
  int32_t& owner = owners[size_t(index)];
  if (owner == 0) owner = rule;
  else if (owner != rule) Collisions.push_back({index, rule});
}

void Analysis::SelectSetOfAlternative(int32_t nonterminal, std::vector<int32_t>& owners, int32_t& flag) {
  RecordMemory& m = Eng.mem;
  const int32_t n = Eng.store.Counts.N, t = Eng.store.Counts.T;
  Collisions.clear();
  owners.assign(size_t(t) + 3, 0);
  const int32_t a = m.IVLR(NonterminalPool, nonterminal, NtmNumber);
  WalkAlternatives(m, nonterminal, [&](int32_t rec) {
    const int32_t r = m.IVLR(RulePool, rec, RuleNumber);
    bool ended = false;
    WalkElements(m, rec, [&](int32_t e) {
      if (ended) return;
      const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
      const int32_t ref = m.IVLR(ElementPool, e, ElemReferent);
      if (kind == KindTerminal) {
        MarkSelect(m.IVLR(TerminalPool, ref, TrmNumber), r, owners);
        ended = true;
      } else if (kind == KindNonterminal) {
        const int32_t b = m.IVLR(NonterminalPool, ref, NtmNumber);
        if (Region2.What == Holds::BeginsWith)
          Region2.M.ForEachInRows(b, n + 1, n + t, [&](int32_t i) { MarkSelect(i - n, r, owners); });
        ended = m.IVLR(NonterminalPool, ref, NtmNullable) != 1;
      }
    });
    // Nothing but empty elements, actions and nullable nonterminals: the follow set selects.
    if (!ended && Region1.What == Holds::FollowedBy)
      Region1.M.ForEachInRows(a, n + 1, n + t + 1, [&](int32_t i) { MarkSelect(i - n, r, owners); });
  });
  flag = Collisions.empty() ? -1 : 0;
  KeepCollisionRecords();
}

// The clashes also stand in records of the record memory, as they always did: as if the
// previous nonterminal's chain were given back and a new one taken record by record, so that
// the record memory hands out the same record numbers afterwards.
void Analysis::KeepCollisionRecords() {
  Eng.mem.RefillChain(CollisionPool, SelectCollisionList.First, SelectCollisionList.Last,
                      int64_t(Collisions.size()), [&](int64_t k, auto&& set) {
                        set(CollisionIndex, Collisions[size_t(k)].Index);
                        set(CollisionRule, Collisions[size_t(k)].Rule);
                      });
}

std::vector<SelectCollision> Analysis::SelectCollisions() const { return Collisions; }

}  // namespace mv
