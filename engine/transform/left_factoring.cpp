// Left factoring: alternatives of one nonterminal that begin with the same symbols keep one
// alternative, the common prefix followed by a new nonterminal whose alternatives are the
// different remainders. Field 7 of a visited alternative holds its match depth.
#include "transform/transform.h"

#include "engine.h"

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
  return kind == KindNonterminal ? NonterminalPool : kind == KindTerminal ? TerminalPool
                                                                          : ActionPool;
}

}  // namespace

bool Transform::LeftFactoring() {
  if (Eng.store.Grammar.First < 1) return false;
  Run([&] {
    const RecordMemory& m = Eng.mem;
    // The grammar's last nonterminal is read afresh: the new ones are factored in turn.
    for (int32_t a = Eng.store.Grammar.First; a >= 1;) {
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
      if (c == '\'' || c == '"')
        name += std::string(2, c);
      else
        name.push_back(c);
    }
  }
  return name;
}

void Transform::FactorNonterminal(int32_t a) {
  RecordMemory& m = Eng.mem;
  auto depth = [&](int32_t r) { return m.IVLR(RulePool, r, RuleNumber); };
  auto setDepth = [&](int32_t r, int32_t d) { m.VLW(RulePool, r, RuleNumber, d); };
  for (bool restart = true; restart;) {
    restart = false;
    const std::vector<int32_t> alternatives = Alternatives(a);
    for (int32_t r : alternatives) setDepth(r, 0);
    if (alternatives.size() < 2) return;
    for (size_t i = 0; i + 1 < alternatives.size() && !restart; ++i) {
      const int32_t r = alternatives[i];
      const std::vector<int32_t> re = Elements(r);
      if (re.empty() || m.IVLR(ElementPool, re[0], ElemKind) == KindEmpty) continue;
      for (int32_t k = 0; !restart; ++k) {
        const int32_t e = re[size_t(k)];
        bool matched = false;
        for (size_t j = i + 1; j < alternatives.size() && !restart; ++j) {
          const int32_t r2 = alternatives[j];
          if (depth(r2) != k) continue;
          // r2's element at position k; its last element ends the prefix before it.
          const std::vector<int32_t> r2e = Elements(r2);
          if (r2e.empty()) continue;
          const size_t at = size_t(k) < r2e.size() - 1 ? size_t(k) : r2e.size() - 1;
          if (k > 0 && at == r2e.size() - 1) {
            FactorOut(a, r, k);
            restart = true;
          } else if (Match(m, e, r2e[at])) {
            setDepth(r, k + 1);
            setDepth(r2, k + 1);
            matched = true;
          } else if (k > 0) {
            FactorOut(a, r, k);
            restart = true;
          }
        }
        if (restart || !matched) break;
        if (size_t(k) + 1 == re.size()) {
          FactorOut(a, r, k + 1);
          restart = true;
        }
      }
    }
  }
}

void Transform::FactorOut(int32_t a, int32_t r, int32_t k) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  const std::string name = NewNonterminalName(FactoredName(a, r, k));
  const std::vector<int32_t> re = Elements(r);
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
  const std::vector<int32_t> alternatives = Alternatives(a);
  bool later = false;
  for (int32_t r2 : alternatives) {
    if (r2 == r) {
      later = true;
      continue;
    }
    if (!later || m.IVLR(RulePool, r2, RuleNumber) < k) continue;
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
