// Select sets of the alternatives, the LL(1) test and the select-set report.

#include <algorithm>

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "engine.h"

namespace mv {

namespace {
constexpr int32_t CollisionPool = 4;
constexpr int32_t CollisionIndex = 2;
constexpr int32_t CollisionRule = 3;
}  // namespace

void Analysis::MarkSelect(int32_t index, int32_t rule, std::vector<int32_t>& owners,
                          int32_t& flag) {
  if (index < 1 || size_t(index) + 1 >= owners.size()) return;
  int32_t& owner = owners[size_t(index)];
  if (owner == 0) {
    owner = rule;
  } else if (owner != rule) {
    int32_t rec = Eng.mem.AppendRecord(CollisionPool, 1, SelectCollisionList.First,
                                       SelectCollisionList.Last);
    Eng.mem.VLW(CollisionPool, rec, CollisionIndex, index);
    Eng.mem.VLW(CollisionPool, rec, CollisionRule, rule);
    flag = 0;
  }
}

void Analysis::SelectSetOfAlternative(int32_t nonterminal, std::vector<int32_t>& owners,
                                      int32_t& flag) {
  RecordMemory& m = Eng.mem;
  const int32_t n = Eng.store.Counts.N, t = Eng.store.Counts.T;
  if (SelectCollisionList.First >= 1)
    m.ReleaseRecord(CollisionPool, SelectCollisionList.First, SelectCollisionList.Last);
  SelectCollisionList = Chain{};
  flag = -1;
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
        MarkSelect(m.IVLR(TerminalPool, ref, TrmNumber), r, owners, flag);
        ended = true;
      } else if (kind == KindNonterminal) {
        const int32_t b = m.IVLR(NonterminalPool, ref, NtmNumber);
        if (Region2.What == Holds::BeginsWith)
          Region2.M.ForEachInColumn(b, [&](int32_t i) {
            if (i > n && i <= n + t) MarkSelect(i - n, r, owners, flag);
          });
        ended = m.IVLR(NonterminalPool, ref, NtmNullable) != 1;
      }
    });
    // Nothing but empty elements, actions and nullable nonterminals: the follow set selects.
    if (!ended && Region1.What == Holds::FollowedBy)
      Region1.M.ForEachInColumn(a, [&](int32_t i) {
        if (i > n && i <= n + t + 1) MarkSelect(i - n, r, owners, flag);
      });
  });
}

std::vector<SelectCollision> Analysis::SelectCollisions() const {
  std::vector<SelectCollision> list;
  const RecordMemory& m = Eng.mem;
  WalkChain(m, CollisionPool, 1, SelectCollisionList.First, SelectCollisionList.Last,
                 [&](int32_t rec) {
    list.push_back({m.IVLR(CollisionPool, rec, CollisionIndex),
                    m.IVLR(CollisionPool, rec, CollisionRule)});
  });
  return list;
}

}  // namespace mv
