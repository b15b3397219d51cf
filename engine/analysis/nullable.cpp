// Nullable nonterminals: a second set of chain links over the grammar's own records is copied
// from the grammar, pruned to the alternatives without terminals, and split into the nullable
// and the other nonterminals, so the grammar itself is not changed.

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "engine.h"

namespace mv {

namespace {

// The nullable-search links.
constexpr ChainFields NullLinks{NtmNullNext, NtmNullBack, NtmNullFirstRule, NtmNullLastRule,
                                RuleNullNext, RuleNullBack};

bool HasElementOfKind(const RecordMemory& m, int32_t rule, int32_t kind) {
  bool found = false;
  WalkElements(m, rule, [&](int32_t e) {
    if (m.IVLR(ElementPool, e, ElemKind) == kind) found = true;
  });
  return found;
}

template <class Visit>
void WalkList(const RecordMemory& m, const Chain& list, Visit&& visit) {
  if (list.First >= 1 && list.Last >= 1)
    WalkChain(m, NonterminalPool, NullLinks.NtmNext, list.First, list.Last, visit);
}

template <class Visit>
void WalkListAlternatives(const RecordMemory& m, int32_t a, Visit&& visit) {
  int32_t last = m.IVLR(NonterminalPool, a, NullLinks.NtmLastRule);
  if (last >= 1)
    WalkChain(m, RulePool, NullLinks.RuleNext, m.IVLR(NonterminalPool, a, NullLinks.NtmFirstRule),
              last, visit);
}

// Takes an alternative out of its nonterminal's chain, only detached; a nonterminal left
// without alternatives leaves the list.
void RemoveAlternative(RecordMemory& m, Chain& list, int32_t a, int32_t r) {
  int32_t first = m.IVLR(NonterminalPool, a, NullLinks.NtmFirstRule);
  int32_t last = m.IVLR(NonterminalPool, a, NullLinks.NtmLastRule);
  m.DetachRecord(RulePool, NullLinks.RuleNext, NullLinks.RuleBack, first, last, r);
  if (first >= 1) {
    m.VLW(NonterminalPool, a, NullLinks.NtmFirstRule, first);
    m.VLW(NonterminalPool, a, NullLinks.NtmLastRule, last);
  } else {
    m.DetachRecord(NonterminalPool, NullLinks.NtmNext, NullLinks.NtmBack, list.First, list.Last, a);
  }
}

// Membership of the nullable list by record number.
class Members {
public:
  bool Has(int32_t r) const { return r >= 1 && size_t(r) < Marks.size() && Marks[size_t(r)]; }
  void Add(int32_t r) {
    if (r < 1) return;
    if (size_t(r) >= Marks.size()) Marks.resize(size_t(r) + 1, 0);
    Marks[size_t(r)] = 1;
  }

private:
  std::vector<uint8_t> Marks;
};

// Moves to the nullable list every member with an alternative of empty elements and actions
// only, then, pass by pass, every member with an alternative whose nonterminals are all in
// that list; the member that stood first in the work list goes to the front of the result.
void SplitNullable(RecordMemory& m, Chain& work, Chain& nullable) {
  const int32_t start = work.First;
  Members in;
  for (bool firstPass = true;; firstPass = false) {
    if (work.First < 1) break;
    bool moved = false;
    Chain pass = work;
    WalkList(m, pass, [&](int32_t a) {
      bool qualifies = false;
      WalkListAlternatives(m, a, [&](int32_t r) {
        if (qualifies) return;
        bool all = true;
        WalkElements(m, r, [&](int32_t e) {
          if (m.IVLR(ElementPool, e, ElemKind) == KindNonterminal &&
              (firstPass || !in.Has(m.IVLR(ElementPool, e, ElemReferent))))
            all = false;
        });
        qualifies = all;
      });
      if (!qualifies) return;
      m.MoveRecord(NonterminalPool, NullLinks.NtmNext, NullLinks.NtmBack, work.First, work.Last, a,
                   nullable.First, nullable.Last);
      in.Add(a);
      moved = true;
    });
    if (!moved) break;
  }
  // Only the alternatives that derive the empty string stay listed.
  WalkList(m, nullable, [&](int32_t a) {
    WalkListAlternatives(m, a, [&](int32_t r) {
      bool foreign = false;
      WalkElements(m, r, [&](int32_t e) {
        if (m.IVLR(ElementPool, e, ElemKind) == KindNonterminal &&
            !in.Has(m.IVLR(ElementPool, e, ElemReferent)))
          foreign = true;
      });
      if (foreign) RemoveAlternative(m, nullable, a, r);
    });
  });
  if (!in.Has(start) || nullable.First == start) return;
  m.DetachRecord(NonterminalPool, NullLinks.NtmNext, NullLinks.NtmBack, nullable.First,
                 nullable.Last, start);
  m.VLW(NonterminalPool, start, NullLinks.NtmNext, nullable.First);
  m.VLW(NonterminalPool, start, NullLinks.NtmBack, 0);
  m.VLW(NonterminalPool, nullable.First, NullLinks.NtmBack, start);
  nullable.First = start;
}

}  // namespace

void Analysis::WriteNullableListing(const Chain& nullable) {
  // The listing follows the nullable-search links while it is written.
  GrammarStore& st = Eng.store;
  const ChainFields saved = st.Fields;
  st.Fields = NullLinks;
  if (Eng.out.OpenResultFile(".tmp")) {
    Eng.out.PrintRules(" nullable rules", nullable.First, nullable.Last);
    Eng.out.ResultUnit.Close();
  }
  st.Fields = saved;
}

void Analysis::FindNullable(int32_t head, int32_t tail, int32_t& nullHead,
                            int32_t& nullTail) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  if (head < 1 || tail < 1) {
    nullHead = nullTail = 0;
    return;
  }
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
  // 2. Only alternatives without terminals can derive the empty string.
  st.GiveBackSwitch = false;
  Chain work{head, tail};
  WalkList(m, work, [&](int32_t a) {
    WalkListAlternatives(m, a, [&](int32_t r) {
      if (HasElementOfKind(m, r, KindTerminal))
        RemoveAlternative(m, work, a, r);
    });
  });
  // 3. Split off the nullable ones, with every nonterminal they still name nullable too.
  Chain nullable;
  SplitNullable(m, work, nullable);
  // 4. The nullable rules as they remain.
  WriteNullableListing(nullable);
  st.GiveBackSwitch = true;
  // 6. The marks.
  WalkChain(m, NonterminalPool, NtmNext, head, tail,
            [&](int32_t a) { m.VLW(NonterminalPool, a, NtmNullable, 0); });
  WalkList(m, nullable, [&](int32_t a) { m.VLW(NonterminalPool, a, NtmNullable, 1); });
  nullHead = nullable.First;
  nullTail = nullable.Last;
}

}  // namespace mv
