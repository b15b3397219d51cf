#include "transform/extraneous.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/builder.h"
#include "store/chain_walk.h"
#include "store/member_set.h"

namespace mv {

Extraneous::Extraneous(RecordMemory& mem, GrammarStore& store, Builder& builder) : Eng{mem, store, builder} {}

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

void Extraneous::SplitReachable(int32_t start, int32_t& unreachableHead, int32_t& unreachableTail,
                                int32_t& reachableHead, int32_t& reachableTail) {
  RecordMemory& mem = Eng.mem;
  MemberSet unreachable = MembersOf(mem, NtmNext, {unreachableHead, unreachableTail});
  MemberSet reachable = MembersOf(mem, NtmNext, {reachableHead, reachableTail});
  // Only members of the unreachable list move, so a stray reference cannot break a chain.
  auto reach = [&](int32_t ntm) {
    if (reachable.count(ntm) || !unreachable.count(ntm)) return;
    mem.MoveRecord(NonterminalPool, NtmNext, NtmBack, unreachableHead, unreachableTail, ntm, reachableHead,
                   reachableTail);
    unreachable.erase(ntm);
    reachable.insert(ntm);
  };
  reach(start);
  // The reachable list grows at its tail while it is walked.
  const int64_t limit = mem.StepLimit(NonterminalPool);
  for (int32_t ntm = reachableHead, steps = 0; ntm >= 1 && steps < limit; ++steps) {
    WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, ntm, NtmFirstRule),
              mem.IVLR(NonterminalPool, ntm, NtmLastRule), [&](int32_t rule) {
                WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
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
  Eng.store.SplitAlive(work.First, work.Last, found.First, found.Last);
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
