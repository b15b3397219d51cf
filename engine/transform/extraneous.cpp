#include "transform/extraneous.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine.h"
#include "output/chain_walk.h"

namespace mv {

namespace {

// A set of nonterminal records, for membership tests that follow a list's moves.
class MemberSet {
public:
  explicit MemberSet(const RecordMemory& mem)
      : Marks(size_t(mem.PagesInUse() * (RecordMemory::PageLength / NonterminalPool) + 1), 0) {}
  bool count(int32_t r) const { return r >= 1 && size_t(r) < Marks.size() && Marks[size_t(r)]; }
  void insert(int32_t r) { Set(r, 1); }
  void erase(int32_t r) { Set(r, 0); }

private:
  void Set(int32_t r, uint8_t value) {
    if (r >= 1 && size_t(r) < Marks.size()) Marks[size_t(r)] = value;
  }
  std::vector<uint8_t> Marks;
};

MemberSet MembersOf(const RecordMemory& mem, int32_t link, Chain list) {
  MemberSet members(mem);
  if (list.First >= 1)
    WalkChain(mem, NonterminalPool, link, list.First, list.Last,
              [&](int32_t r) { members.insert(r); });
  return members;
}

}  // namespace

Extraneous::Extraneous(Engine& engine) : Eng(engine) {}

void Extraneous::InitRun() {
  DeadList = AliveList = UnreachableList = ReachableList = Chain{};
  SplitPending = false;
}

bool Extraneous::SameAlternative(int32_t a, int32_t b) const {
  const RecordMemory& mem = Eng.mem;
  int32_t x = mem.IVLR(RulePool, a, RuleFirstElement);
  int32_t y = mem.IVLR(RulePool, b, RuleFirstElement);
  const int32_t xLast = mem.IVLR(RulePool, a, RuleLastElement);
  const int32_t yLast = mem.IVLR(RulePool, b, RuleLastElement);
  for (int64_t steps = 0, limit = mem.StepLimit(ElementPool); steps < limit; ++steps) {
    int32_t kind = mem.IVLR(ElementPool, x, ElemKind);
    if (kind != mem.IVLR(ElementPool, y, ElemKind)) return false;
    // Empty elements are all equal; the others stand for the same named symbol or not.
    if ((kind == KindNonterminal || kind == KindTerminal || kind == KindAction) &&
        mem.IVLR(ElementPool, x, ElemReferent) != mem.IVLR(ElementPool, y, ElemReferent))
      return false;
    bool xEnds = x == xLast, yEnds = y == yLast;
    if (xEnds || yEnds) return xEnds && yEnds;
    x = mem.IVLR(ElementPool, x, ElemNext);
    y = mem.IVLR(ElementPool, y, ElemNext);
  }
  return false;
}

std::optional<uint64_t> Extraneous::AlternativeHash(int32_t rule) const {
  const RecordMemory& mem = Eng.mem;
  int32_t x = mem.IVLR(RulePool, rule, RuleFirstElement);
  const int32_t last = mem.IVLR(RulePool, rule, RuleLastElement);
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&](int64_t v) { hash = (hash ^ uint64_t(v)) * 1099511628211ull; };
  // The walk of SameAlternative: what it compares goes into the hash, nothing else.
  for (int64_t steps = 0, limit = mem.StepLimit(ElementPool); steps < limit; ++steps) {
    const int32_t kind = mem.IVLR(ElementPool, x, ElemKind);
    mix(kind);
    if (kind == KindNonterminal || kind == KindTerminal || kind == KindAction)
      mix(mem.IVLR(ElementPool, x, ElemReferent));
    if (x == last) return hash;
    x = mem.IVLR(ElementPool, x, ElemNext);
  }
  return std::nullopt;
}

Chain Extraneous::IdenticalRules() {
  RecordMemory& mem = Eng.mem;
  const Chain grammar = Eng.store.Grammar;
  if (grammar.First == 0) return grammar;
  const int64_t limit = mem.StepLimit(RulePool);
  std::vector<int32_t> rules;
  std::vector<std::pair<uint64_t, uint32_t>> byHash;
  std::vector<uint32_t> original;
  std::vector<std::pair<uint32_t, uint32_t>> copies;
  WalkChain(mem, NonterminalPool, NtmNext, grammar.First, grammar.Last, [&](int32_t ntm) {
    int32_t head = mem.IVLR(NonterminalPool, ntm, NtmFirstRule);
    int32_t tail = mem.IVLR(NonterminalPool, ntm, NtmLastRule);
    if (head == tail) return;
    rules.clear();
    byHash.clear();
    int64_t steps = 0;
    for (int32_t r = head; r >= 1 && ++steps < limit; r = mem.IVLR(RulePool, r, RuleNext)) {
      // An alternative whose chain never ends is no one's copy: comparing it against each of
      // many others would walk the whole element space every time.
      if (const auto hash = AlternativeHash(r)) byHash.push_back({*hash, uint32_t(rules.size())});
      rules.push_back(r);
      if (r == tail) break;
    }
    // Alternatives of one hash in order: each is a copy of the first earlier one that is the
    // same, or an original.
    std::sort(byHash.begin(), byHash.end());
    original.resize(rules.size());
    for (size_t k = 0; k < original.size(); ++k) original[k] = uint32_t(k);
    copies.clear();
    for (size_t k = 0; k < byHash.size();) {
      size_t end = k + 1;
      while (end < byHash.size() && byHash[end].first == byHash[k].first) ++end;
      for (size_t x = k; x < end; ++x) {
        const uint32_t b = byHash[x].second;
        for (size_t y = k; y < x; ++y) {
          const uint32_t a = byHash[y].second;
          if (original[a] == a && SameAlternative(rules[a], rules[b])) {
            original[b] = a;
            copies.push_back({a, b});
            break;
          }
        }
      }
      k = end;
    }
    // Taken out as one pass per original over the later alternatives would: the copies of the
    // first original in order, then those of the second, ...
    std::sort(copies.begin(), copies.end());
    for (const auto& copy : copies) {
      // Only detached: its elements may still be referred to by the caller's lists.
      mem.DetachRecord(RulePool, RuleNext, RuleBack, head, tail, rules[copy.second]);
      mem.VLW(NonterminalPool, ntm, NtmFirstRule, head);
      mem.VLW(NonterminalPool, ntm, NtmLastRule, tail);
    }
  });
  return Eng.store.Grammar;
}

void Extraneous::RemoveAlternative(int32_t ruleNext, int32_t ruleBack, int32_t& ruleHead,
                                   int32_t& ruleTail, int32_t rule, int32_t ntmNext,
                                   int32_t ntmBack, int32_t& listHead, int32_t& listTail,
                                   int32_t firstRuleField, int32_t lastRuleField,
                                   int32_t nonterminal) {
  RecordMemory& mem = Eng.mem;
  const bool giveBack = Eng.store.GiveBackSwitch;
  if (giveBack)
    mem.UnlinkRecord(RulePool, ruleNext, ruleBack, ruleHead, ruleTail, rule);
  else
    mem.DetachRecord(RulePool, ruleNext, ruleBack, ruleHead, ruleTail, rule);
  if (ruleHead >= 1) {
    mem.VLW(NonterminalPool, nonterminal, firstRuleField, ruleHead);
    mem.VLW(NonterminalPool, nonterminal, lastRuleField, ruleTail);
  } else if (giveBack) {
    // A record given back leaves its name table first: a later look-up of the name must not
    // find it once it serves another record.
    Eng.store.RemoveName(NonterminalPool, NonterminalBuckets, nonterminal);
    mem.UnlinkRecord(NonterminalPool, ntmNext, ntmBack, listHead, listTail, nonterminal);
  } else {
    mem.DetachRecord(NonterminalPool, ntmNext, ntmBack, listHead, listTail, nonterminal);
  }
}

void Extraneous::SplitAlive(int32_t& workHead, int32_t& workTail, int32_t& aliveHead,
                            int32_t& aliveTail) {
  RecordMemory& mem = Eng.mem;
  const ChainFields f = Eng.store.Fields;
  const int32_t start = workHead;
  MemberSet alive = MembersOf(mem, f.NtmNext, {aliveHead, aliveTail});

  // The passes of the split, each walking the work list in order: the first moves the members
  // with an alternative without nonterminals, every later one the members with an alternative
  // whose nonterminals are all alive by the time it is reached. Rather than walking the list
  // again and again, each alternative counts the nonterminal elements it still waits for, and
  // a pass takes the members that became ready in list order: a member made ready by one that
  // comes after it in the list waits for the next pass, as the walk would have passed it.
  std::vector<int32_t> work;
  WalkChain(mem, NonterminalPool, f.NtmNext, workHead, workTail,
            [&](int32_t ntm) { work.push_back(ntm); });
  std::vector<int32_t> order;  // the members to move, in the order the passes move them
  {
    std::unordered_map<int32_t, std::vector<int32_t>> waiting;  // nonterminal -> alternatives
    std::vector<int32_t> missing, owner;                          // per alternative
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
                              if (mem.IVLR(ElementPool, element, ElemKind) != KindNonterminal)
                                return;
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
        for (auto it = ready.lower_bound(walked); it != ready.end();
             it = ready.lower_bound(walked)) {
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
    mem.MoveRecord(NonterminalPool, f.NtmNext, f.NtmBack, workHead, workTail, ntm, aliveHead,
                   aliveTail);

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
        RemoveAlternative(f.RuleNext, f.RuleBack, ruleHead, ruleTail, rule, f.NtmNext,
                          f.NtmBack, aliveHead, aliveTail, f.NtmFirstRule, f.NtmLastRule, ntm);
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

void Extraneous::SplitReachable(int32_t start, int32_t& unreachableHead,
                                int32_t& unreachableTail, int32_t& reachableHead,
                                int32_t& reachableTail) {
  RecordMemory& mem = Eng.mem;
  MemberSet unreachable =
      MembersOf(mem, NtmNext, {unreachableHead, unreachableTail});
  MemberSet reachable = MembersOf(mem, NtmNext, {reachableHead, reachableTail});
  // Only members of the unreachable list move, so a stray reference cannot break a chain.
  auto reach = [&](int32_t ntm) {
    if (reachable.count(ntm) || !unreachable.count(ntm)) return;
    mem.MoveRecord(NonterminalPool, NtmNext, NtmBack, unreachableHead, unreachableTail, ntm,
                   reachableHead, reachableTail);
    unreachable.erase(ntm);
    reachable.insert(ntm);
  };
  reach(start);
  // The reachable list grows at its tail while it is walked.
  const int64_t limit = mem.StepLimit(NonterminalPool);
  for (int32_t ntm = reachableHead, steps = 0; ntm >= 1 && steps < limit; ++steps) {
    WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, ntm, NtmFirstRule),
              mem.IVLR(NonterminalPool, ntm, NtmLastRule), [&](int32_t rule) {
                WalkChain(mem, ElementPool, ElemNext,
                          mem.IVLR(RulePool, rule, RuleFirstElement),
                          mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t element) {
                            if (mem.IVLR(ElementPool, element, ElemKind) == KindNonterminal)
                              reach(mem.IVLR(ElementPool, element, ElemReferent));
                          });
              });
    if (ntm == reachableTail) break;
    ntm = mem.IVLR(NonterminalPool, ntm, NtmNext);
  }
}

void Extraneous::DeleteRulesOf(int32_t head, int32_t tail) {
  RecordMemory& mem = Eng.mem;
  if (head < 1) return;
  WalkChain(mem, NonterminalPool, NtmNext, head, tail, [&](int32_t ntm) {
    // A later lookup of the name must not reach the given-back record.
    Eng.store.RemoveName(NonterminalPool, NonterminalBuckets, ntm);
    const int32_t firstRule = mem.IVLR(NonterminalPool, ntm, NtmFirstRule);
    const int32_t lastRule = mem.IVLR(NonterminalPool, ntm, NtmLastRule);
    WalkChain(mem, RulePool, RuleNext, firstRule, lastRule, [&](int32_t rule) {
      mem.ReleaseRecord(ElementPool, mem.IVLR(RulePool, rule, RuleFirstElement),
                        mem.IVLR(RulePool, rule, RuleLastElement));
    });
    mem.ReleaseRecord(RulePool, firstRule, lastRule);
    // A dead start symbol's name characters also spell the grammar's name, which the code
    // generators still read: those stay.
    const int32_t nameFirst = mem.IVLR(NonterminalPool, ntm, NtmNameFirst);
    if (nameFirst != Eng.store.GrammarName.First) {
      Eng.store.NameReleased(nameFirst);
      Eng.builder.ForgetName(nameFirst);
      mem.ReleaseRecord(NameCharPool, nameFirst, mem.IVLR(NonterminalPool, ntm, NtmNameLast));
    }
  });
  mem.ReleaseRecord(NonterminalPool, head, tail);
}

void Extraneous::Alive(Chain& dead, Chain& alive) {
  Chain work = Eng.store.Grammar;
  Chain found;
  SplitAlive(work.First, work.Last, found.First, found.Last);
  DeadList = dead = work;
  AliveList = alive = found;
  SplitPending = true;
}

void Extraneous::UnReachable(Chain& unreachable, Chain& reachable) {
  Chain rest = AliveList;
  Chain reached;
  SplitReachable(AliveList.First, rest.First, rest.Last, reached.First, reached.Last);
  UnreachableList = unreachable = rest;
  ReachableList = reachable = reached;
  Eng.store.Grammar = reached;
  // A repeated call finds everything reachable instead of walking stale links.
  AliveList = reached;
  SplitPending = false;
}

bool Extraneous::InGrammar(int32_t head, int32_t tail) const {
  const RecordMemory& mem = Eng.mem;
  // Between Alive and UnReachable the store's grammar still names the records of before the
  // split; the alive list is what goes on.
  const Chain grammar = SplitPending ? AliveList : Eng.store.Grammar;
  if (grammar.First < 1) return false;
  const MemberSet members = MembersOf(mem, NtmNext, grammar);
  bool shared = false;
  WalkChain(mem, NonterminalPool, NtmNext, head, tail,
            [&](int32_t ntm) { shared = shared || members.count(ntm); });
  return shared;
}

void Extraneous::DeleteNonterminals(int32_t head, int32_t tail) {
  // Giving back records that the grammar still links to would hand them out again while in
  // use.
  if (InGrammar(head, tail)) return;
  DeleteRulesOf(head, tail);
}

}  // namespace mv
