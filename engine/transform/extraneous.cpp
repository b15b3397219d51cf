#include "transform/extraneous.h"

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

Chain Extraneous::IdenticalRules() {
  RecordMemory& mem = Eng.mem;
  const Chain grammar = Eng.store.Grammar;
  if (grammar.First == 0) return grammar;
  const int64_t limit = mem.StepLimit(RulePool);
  WalkChain(mem, NonterminalPool, NtmNext, grammar.First, grammar.Last, [&](int32_t ntm) {
    int32_t head = mem.IVLR(NonterminalPool, ntm, NtmFirstRule);
    int32_t tail = mem.IVLR(NonterminalPool, ntm, NtmLastRule);
    if (head == tail) return;
    // Each walk is bounded on its own: the pairs compared may outnumber the records.
    int64_t outer = 0;
    for (int32_t a = head; a >= 1 && a != tail && ++outer < limit;
         a = mem.IVLR(RulePool, a, RuleNext)) {
      int64_t inner = 0;
      for (int32_t b = mem.IVLR(RulePool, a, RuleNext); b >= 1 && ++inner < limit;) {
        const bool last = b == tail;
        const int32_t next = last ? 0 : mem.IVLR(RulePool, b, RuleNext);
        if (SameAlternative(a, b)) {
          // Only detached: its elements may still be referred to by the caller's lists.
          mem.DetachRecord(RulePool, RuleNext, RuleBack, head, tail, b);
          mem.VLW(NonterminalPool, ntm, NtmFirstRule, head);
          mem.VLW(NonterminalPool, ntm, NtmLastRule, tail);
        }
        if (last) break;
        b = next;
      }
      // a is the last alternative once every later one went: a removed tail's link is stale.
      if (a == tail) break;
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

  // An alternative qualifies when it has no nonterminal (first pass) or when all its
  // nonterminals are alive already (later passes).
  auto qualifies = [&](int32_t rule, bool firstPass) {
    bool ok = true;
    WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
              mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t element) {
                if (ok && mem.IVLR(ElementPool, element, ElemKind) == KindNonterminal)
                  ok = !firstPass &&
                       alive.count(mem.IVLR(ElementPool, element, ElemReferent)) != 0;
              });
    return ok;
  };

  // Each pass but the last moves a member, so there are no more passes than records; a
  // damaged chain, whose moves need not shrink it, stops there too.
  const int64_t passLimit = mem.StepLimit(NonterminalPool);
  int64_t passes = 0;
  for (bool firstPass = true, moved = true; moved && workHead >= 1 && passes++ < passLimit;
       firstPass = false) {
    moved = false;
    WalkChain(mem, NonterminalPool, f.NtmNext, workHead, workTail, [&](int32_t ntm) {
      bool productive = false;
      WalkChain(mem, RulePool, f.RuleNext, mem.IVLR(NonterminalPool, ntm, f.NtmFirstRule),
                mem.IVLR(NonterminalPool, ntm, f.NtmLastRule), [&](int32_t rule) {
                  productive = productive || qualifies(rule, firstPass);
                });
      // A member met again (a damaged chain) is not moved twice.
      if (!productive || alive.count(ntm)) return;
      mem.MoveRecord(NonterminalPool, f.NtmNext, f.NtmBack, workHead, workTail, ntm,
                     aliveHead, aliveTail);
      alive.insert(ntm);
      moved = true;
    });
  }

  // Pruning runs even when every member became alive: an alternative may still refer to a
  // nonterminal outside the work list.
  bool startAlive = false;
  if (aliveHead >= 1) {
    WalkChain(mem, NonterminalPool, f.NtmNext, aliveHead, aliveTail, [&](int32_t ntm) {
      if (ntm == start) startAlive = true;
      int32_t ruleHead = mem.IVLR(NonterminalPool, ntm, f.NtmFirstRule);
      int32_t ruleTail = mem.IVLR(NonterminalPool, ntm, f.NtmLastRule);
      WalkChain(mem, RulePool, f.RuleNext, ruleHead, ruleTail, [&](int32_t rule) {
        if (qualifies(rule, false)) return;
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
