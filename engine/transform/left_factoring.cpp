// Left factoring: alternatives of one nonterminal that begin with the same symbols keep one
// alternative, the common prefix followed by a new nonterminal whose alternatives are the
// different remainders. Field 7 of a visited alternative holds its match depth.
#include "transform/transform.h"

#include <algorithm>
#include <utility>

#include "store/builder.h"
#include "store/record_memory.h"

namespace mv {

namespace {

// Two elements match when they refer to the same nonterminal, terminal or action.
bool Match(const RecordMemory& m, int32_t e1, int32_t e2) {
  const int32_t kind = m.IVLR(ElementPool, e1, ElemKind);
  if (kind != KindNonterminal && kind != KindTerminal && kind != KindAction) return false;
  return kind == m.IVLR(ElementPool, e2, ElemKind) &&
         m.IVLR(ElementPool, e1, ElemReferent) == m.IVLR(ElementPool, e2, ElemReferent);
}

int32_t PoolOfKind(int32_t kind) {
  return kind == KindNonterminal ? NonterminalPool : kind == KindTerminal ? TerminalPool : ActionPool;
}

}  // namespace

bool Transform::LeftFactoring() {
  if (Eng.store.Grammar.First < 1) return false;
  Run([&] {
    const RecordMemory& m = Eng.mem;
    // The grammar's last nonterminal is read afresh: the new ones are factored in turn. A chain
    // that a caller's calls left without its end is walked no further than it has records.
    int64_t steps = 0;
    for (int32_t a = Eng.store.Grammar.First; a >= 1 && steps++ < m.StepLimit(NonterminalPool);) {
      FactorNonterminal(a);
      if (a == Eng.store.Grammar.Last) break;
      a = m.IVLR(NonterminalPool, a, NtmNext);
    }
  });
  return true;
}

std::string Transform::FactoredName(int32_t a, int32_t r, int32_t k) const {
  const RecordMemory& m = Eng.mem;
  std::string name = "$" + Name(NonterminalPool, a) + "_";
  const std::vector<int32_t> elements = Elements(r);
  for (int32_t i = 0; i < k && size_t(i) < elements.size(); ++i) {
    const int32_t e = elements[size_t(i)];
    const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
    // A ">" stays itself: the printed grammar spells it chr(62), which reads back as ">".
    for (char c : Name(PoolOfKind(kind), m.IVLR(ElementPool, e, ElemReferent))) {
      if (c == '\'' || c == '"') name += std::string(2, c);
      else name.push_back(c);
    }
  }
  return name;
}

// The alternatives are grouped on their first symbol once. The first alternative (in order)
// that shares its first symbol with later ones is factored with all of them, on the longest
// prefix that it shares with each of them in turn, position by position: the prefix ends
// before the first position at which one of them, in order, differs or has its last element
// (the alternative itself may end there). The field of each alternative holds its match
// depth meanwhile, as the factoring reads it.
void Transform::FactorNonterminal(int32_t a) {
  RecordMemory& m = Eng.mem;
  auto setDepth = [&](int32_t r, int32_t d) { m.VLW(RulePool, r, RuleNumber, d); };
  const std::vector<int32_t> alternatives = Alternatives(a);
  for (int32_t r : alternatives) setDepth(r, 0);
  if (alternatives.size() < 2) return;

  // Alternatives that can match by their first element, ordered by that element's symbol and
  // then by position.
  std::vector<std::vector<int32_t>> elements(alternatives.size());
  std::vector<std::pair<uint64_t, size_t>> byFirst;
  for (size_t i = 0; i < alternatives.size(); ++i) {
    elements[i] = Elements(alternatives[i]);
    if (elements[i].empty()) continue;
    const int32_t e = elements[i][0];
    const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
    if (kind != KindNonterminal && kind != KindTerminal && kind != KindAction) continue;
    byFirst.push_back({uint64_t(uint32_t(kind)) << 32 | uint32_t(m.IVLR(ElementPool, e, ElemReferent)), i});
  }
  std::sort(byFirst.begin(), byFirst.end());
  // The later alternatives with the same first symbol, for the first of each symbol.
  std::vector<std::vector<size_t>> later(alternatives.size());
  for (size_t k = 0; k < byFirst.size();) {
    size_t end = k + 1;
    while (end < byFirst.size() && byFirst[end].first == byFirst[k].first) ++end;
    for (size_t j = k + 1; j < end; ++j) later[byFirst[k].second].push_back(byFirst[j].second);
    k = end;
  }

  for (size_t i = 0; i + 1 < alternatives.size(); ++i) {
    if (later[i].empty()) continue;
    const int32_t r = alternatives[i];
    const std::vector<int32_t>& re = elements[i];
    setDepth(r, 1);
    for (size_t j : later[i]) setDepth(alternatives[j], 1);
    int32_t prefix = 1;
    for (bool ends = false; !ends && size_t(prefix) < re.size();) {
      const int32_t k = prefix;
      for (size_t j : later[i]) {
        const std::vector<int32_t>& r2e = elements[j];
        if (size_t(k) + 1 >= r2e.size() || !Match(m, re[size_t(k)], r2e[size_t(k)])) {
          ends = true;
          break;
        }
        setDepth(r, k + 1);
        setDepth(alternatives[j], k + 1);
      }
      if (!ends) ++prefix;
    }
    std::vector<int32_t> group;
    for (size_t j : later[i]) group.push_back(alternatives[j]);
    FactorOut(a, r, prefix, group);
  }
  for (int32_t r : Alternatives(a)) setDepth(r, 0);
}

void Transform::FactorOut(int32_t a, int32_t r, int32_t k, const std::vector<int32_t>& group) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  const std::vector<int32_t> re = Elements(r);
  // The prefix was measured before the earlier groups were factored. Alternatives that share
  // elements (as arbitrary calls can leave them) may have lost some since: such a one stays.
  if (k < 1 || re.size() < size_t(k)) return;
  const std::string name = NewNonterminalName(FactoredName(a, r, k));
  const int32_t kth = re[size_t(k - 1)];
  const int32_t restFirst = size_t(k) < re.size() ? re[size_t(k)] : 0;
  const int32_t restLast = restFirst ? re.back() : 0;

  // r becomes its prefix followed by the new nonterminal.
  m.VLW(ElementPool, kth, ElemNext, 0);
  st.CurrentAlternative = AlternativeState{r, re[0], kth};
  AppendNonterminal(name);
  Eng.builder.BKSEND();
  const int32_t fresh = m.IVLR(ElementPool, st.CurrentAlternative.Last, ElemReferent);

  auto link = [&](int32_t rule) {
    int32_t head = m.IVLR(NonterminalPool, fresh, NtmFirstRule);
    int32_t tail = m.IVLR(NonterminalPool, fresh, NtmLastRule);
    m.VLW(RulePool, rule, RuleNext, 0);
    m.LinkRecord(RulePool, RuleNext, RuleBack, head, tail, rule);
    m.VLW(NonterminalPool, fresh, NtmFirstRule, head);
    m.VLW(NonterminalPool, fresh, NtmLastRule, tail);
  };
  // Closes an alternative on its remaining elements, or on one empty element.
  auto close = [&](int32_t rule, int32_t first, int32_t last) {
    if (first >= 1) {
      m.VLW(ElementPool, first, ElemBack, 0);
      st.CurrentAlternative = AlternativeState{rule, first, last};
    } else {
      st.CurrentAlternative = AlternativeState{rule, 0, 0};
      Eng.builder.BKSNUL();
    }
    Eng.builder.BKSEND();
  };

  // Its first alternative is r's former remainder, moved.
  const int32_t first = m.IVLOFF(RulePool);
  m.VLW(RulePool, first, RuleNumber, 0);
  link(first);
  close(first, restFirst, restLast);

  // The other members of the group lose their prefix and move over.
  for (int32_t r2 : group) {
    const std::vector<int32_t> r2e = Elements(r2);
    int32_t head = r2e.empty() ? 0 : r2e.front(), tail = r2e.empty() ? 0 : r2e.back();
    for (int32_t i = 0; i < k && size_t(i) < r2e.size(); ++i)
      m.UnlinkRecord(ElementPool, ElemNext, ElemBack, head, tail, r2e[size_t(i)]);
    close(r2, head, tail);
    Detach(a, r2);
    link(r2);
  }
}

}  // namespace mv
