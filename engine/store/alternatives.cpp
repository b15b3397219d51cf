// Taking alternatives out of a grammar and splitting off its productive part: shared by the
// cleaning and the transformations.
#include <set>
#include <unordered_map>
#include <vector>

#include "store/chain_walk.h"
#include "store/grammar_store.h"
#include "store/member_set.h"

namespace mv {

void GrammarStore::RemoveAlternative(int32_t ruleNext, int32_t ruleBack, int32_t& ruleHead, int32_t& ruleTail,
                                     int32_t rule, int32_t ntmNext, int32_t ntmBack, int32_t& listHead,
                                     int32_t& listTail, int32_t firstRuleField, int32_t lastRuleField,
                                     int32_t nonterminal) {
  RecordMemory& mem = Eng.mem;
  const bool giveBack = GiveBackSwitch;
  if (giveBack) mem.UnlinkRecord(RulePool, ruleNext, ruleBack, ruleHead, ruleTail, rule);
  else mem.DetachRecord(RulePool, ruleNext, ruleBack, ruleHead, ruleTail, rule);
  if (ruleHead >= 1) {
    mem.VLW(NonterminalPool, nonterminal, firstRuleField, ruleHead);
    mem.VLW(NonterminalPool, nonterminal, lastRuleField, ruleTail);
  } else if (giveBack) {
    // A record given back leaves its name table first: a later look-up of the name must not
    // find it once it serves another record.
    RemoveName(NonterminalPool, NonterminalBuckets, nonterminal);
    mem.UnlinkRecord(NonterminalPool, ntmNext, ntmBack, listHead, listTail, nonterminal);
  } else {
    mem.DetachRecord(NonterminalPool, ntmNext, ntmBack, listHead, listTail, nonterminal);
  }
}

void GrammarStore::SplitAlive(int32_t& workHead, int32_t& workTail, int32_t& aliveHead, int32_t& aliveTail) {
  RecordMemory& mem = Eng.mem;
  const ChainFields f = Fields;
  const int32_t start = workHead;
  MemberSet alive = MembersOf(mem, f.NtmNext, {aliveHead, aliveTail});

  // The passes of the split, each walking the work list in order: the first moves the members
  // with an alternative without nonterminals, every later one the members with an alternative
  // whose nonterminals are all alive by the time it is reached. Rather than walking the list
  // again and again, each alternative counts the nonterminal elements it still waits for, and
  // a pass takes the members that became ready in list order: a member made ready by one that
  // comes after it in the list waits for the next pass, as the walk would have passed it.
  std::vector<int32_t> work;
  WalkChain(mem, NonterminalPool, f.NtmNext, workHead, workTail, [&](int32_t ntm) { work.push_back(ntm); });
  std::vector<int32_t> order;  // the members to move, in the order the passes move them
  {
    std::unordered_map<int32_t, std::vector<int32_t>> waiting;  // nonterminal -> alternatives
    std::vector<int32_t> missing, owner;                        // per alternative
    std::vector<uint8_t> firstPassMoves(work.size(), 0);
    std::unordered_map<int32_t, size_t> position;  // first position of each member
    for (size_t p = 0; p < work.size(); ++p) {
      const int32_t ntm = work[p];
      if (!position.emplace(ntm, p).second) continue;
      WalkChain(mem, RulePool, f.RuleNext, mem.IVLR(NonterminalPool, ntm, f.NtmFirstRule),
                mem.IVLR(NonterminalPool, ntm, f.NtmLastRule), [&](int32_t rule) {
                  const int32_t id = int32_t(missing.size());
                  int32_t count = 0;
                  bool nonterminals = false;
                  WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
                            mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t element) {
                              if (mem.IVLR(ElementPool, element, ElemKind) != KindNonterminal) return;
                              nonterminals = true;
                              const int32_t ref = mem.IVLR(ElementPool, element, ElemReferent);
                              if (alive.count(ref)) return;
                              ++count;
                              waiting[ref].push_back(id);
                            });
                  if (!nonterminals) firstPassMoves[p] = 1;
                  missing.push_back(count);
                  owner.push_back(int32_t(p));
                });
    }
    std::set<size_t> ready;
    auto becomeAlive = [&](int32_t ntm) {
      alive.insert(ntm);
      auto it = waiting.find(ntm);
      if (it == waiting.end()) return;
      for (int32_t id : it->second)
        if (--missing[size_t(id)] == 0) ready.insert(size_t(owner[size_t(id)]));
      waiting.erase(it);
    };
    // A member already alive (given in the alive list) never moves.
    for (size_t p = 0; p < work.size(); ++p)
      if (firstPassMoves[p] && !alive.count(work[p])) {
        order.push_back(work[p]);
        becomeAlive(work[p]);
      }
    if (!order.empty()) {
      for (size_t id = 0; id < missing.size(); ++id)
        if (missing[id] == 0) ready.insert(size_t(owner[id]));
      // Each pass but the last moves a member, so there are no more passes than records.
      const int64_t passLimit = mem.StepLimit(NonterminalPool);
      for (int64_t passes = 1; !ready.empty() && passes < passLimit; ++passes) {
        size_t walked = 0;  // the walk's place in the list
        for (auto it = ready.lower_bound(walked); it != ready.end(); it = ready.lower_bound(walked)) {
          const size_t p = *it;
          ready.erase(it);
          walked = p + 1;
          if (alive.count(work[p])) continue;
          order.push_back(work[p]);
          becomeAlive(work[p]);
        }
      }
    }
  }
  for (int32_t ntm : order)
    mem.MoveRecord(NonterminalPool, f.NtmNext, f.NtmBack, workHead, workTail, ntm, aliveHead, aliveTail);

  // Pruning runs even when every member became alive: an alternative may still refer to a
  // nonterminal outside the work list. An alternative stays when all its nonterminals are alive.
  auto qualifies = [&](int32_t rule) {
    bool ok = true;
    WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
              mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t element) {
                if (ok && mem.IVLR(ElementPool, element, ElemKind) == KindNonterminal)
                  ok = alive.count(mem.IVLR(ElementPool, element, ElemReferent)) != 0;
              });
    return ok;
  };
  bool startAlive = false;
  if (aliveHead >= 1) {
    WalkChain(mem, NonterminalPool, f.NtmNext, aliveHead, aliveTail, [&](int32_t ntm) {
      if (ntm == start) startAlive = true;
      int32_t ruleHead = mem.IVLR(NonterminalPool, ntm, f.NtmFirstRule);
      int32_t ruleTail = mem.IVLR(NonterminalPool, ntm, f.NtmLastRule);
      WalkChain(mem, RulePool, f.RuleNext, ruleHead, ruleTail, [&](int32_t rule) {
        if (qualifies(rule)) return;
        RemoveAlternative(f.RuleNext, f.RuleBack, ruleHead, ruleTail, rule, f.NtmNext, f.NtmBack, aliveHead,
                          aliveTail, f.NtmFirstRule, f.NtmLastRule, ntm);
        if (ruleHead < 1) alive.erase(ntm);
      });
    });
  }
  if (!startAlive || aliveHead == aliveTail || start == aliveHead) return;
  // The start symbol goes in front of the alive list.
  mem.DetachRecord(NonterminalPool, f.NtmNext, f.NtmBack, aliveHead, aliveTail, start);
  mem.VLW(NonterminalPool, start, f.NtmNext, aliveHead);
  mem.VLW(NonterminalPool, start, f.NtmBack, 0);
  mem.VLW(NonterminalPool, aliveHead, f.NtmBack, start);
  aliveHead = start;
}

}  // namespace mv
