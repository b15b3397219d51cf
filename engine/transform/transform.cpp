// Steps that the transformations share: reading alternatives and names, making new names,
// alternatives and element copies through the builder, corner substitution, and taking out
// the nonterminals that a rewrite left unreachable.
#include "transform/transform.h"

#include <deque>

#include "analysis/grammar_walk.h"
#include "store/builder.h"
#include "transform/extraneous.h"

namespace mv {

Transform::Transform(RecordMemory& mem, GrammarStore& store, Builder& builder, Analysis& an,
                     Extraneous& extra, Output& out)
    : Eng{mem, store, builder, an, extra, out} {}

void Transform::InitRun() {
  ClashList.clear();
  ClashHistory.clear();
  CornerList.clear();
  CornerRules.clear();
}

void Transform::Run(const std::function<void()>& body) {
  GrammarStore& st = Eng.store;
  const bool saved = st.GiveBackSwitch;
  st.GiveBackSwitch = false;
  // A reading stopped inside a negated class must not turn the copies' terminals into classes.
  Eng.builder.CharacterClass.Negated = false;
  const std::unordered_set<int32_t> before = Unreachable();
  try {
    body();
    RemoveNewlyUnreachable(before);
  } catch (...) {
    st.GiveBackSwitch = saved;
    throw;
  }
  st.GiveBackSwitch = saved;
}

std::unordered_set<int32_t> Transform::Unreachable() const {
  const RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  std::unordered_set<int32_t> all, reached;
  WalkGrammar(m, st, [&](int32_t a) { all.insert(a); });
  std::deque<int32_t> queue;
  if (st.Grammar.First >= 1) {
    reached.insert(st.Grammar.First);
    queue.push_back(st.Grammar.First);
  }
  while (!queue.empty()) {
    int32_t a = queue.front();
    queue.pop_front();
    WalkAlternatives(m, a, [&](int32_t r) {
      WalkElements(m, r, [&](int32_t e) {
        if (m.IVLR(ElementPool, e, ElemKind) != KindNonterminal) return;
        int32_t b = m.IVLR(ElementPool, e, ElemReferent);
        if (all.count(b) && reached.insert(b).second) queue.push_back(b);
      });
    });
  }
  std::unordered_set<int32_t> rest;
  for (int32_t a : all)
    if (!reached.count(a)) rest.insert(a);
  return rest;
}

void Transform::RemoveNewlyUnreachable(const std::unordered_set<int32_t>& before) {
  RecordMemory& m = Eng.mem;
  GrammarStore& st = Eng.store;
  const std::unordered_set<int32_t> now = Unreachable();
  std::vector<int32_t> gone;
  WalkGrammar(m, st, [&](int32_t a) {
    if (now.count(a) && !before.count(a)) gone.push_back(a);
  });
  if (gone.empty()) return;
  Chain list;
  for (int32_t a : gone) {
    m.DetachRecord(NonterminalPool, NtmNext, NtmBack, st.Grammar.First, st.Grammar.Last, a);
    m.LinkRecord(NonterminalPool, NtmNext, NtmBack, list.First, list.Last, a);
  }
  Eng.extra.DeleteRulesOf(list.First, list.Last);
}

std::vector<int32_t> Transform::Alternatives(int32_t nonterminal) const {
  std::vector<int32_t> list;
  WalkAlternatives(Eng.mem, nonterminal, [&](int32_t r) { list.push_back(r); });
  return list;
}

std::vector<int32_t> Transform::Elements(int32_t rule) const {
  std::vector<int32_t> list;
  if (Eng.mem.IVLR(RulePool, rule, RuleFirstElement) < 1) return list;
  WalkElements(Eng.mem, rule, [&](int32_t e) { list.push_back(e); });
  return list;
}

int32_t Transform::FirstNonAction(int32_t rule) const {
  for (int32_t e : Elements(rule))
    if (Eng.mem.IVLR(ElementPool, e, ElemKind) != KindAction) return e;
  return 0;
}

int32_t Transform::Corner(int32_t rule) const {
  int32_t e = FirstNonAction(rule);
  return e >= 1 && Eng.mem.IVLR(ElementPool, e, ElemKind) == KindNonterminal ? e : 0;
}

std::vector<int32_t> Transform::NameCodes(int32_t pool, int32_t record) const {
  const RecordMemory& m = Eng.mem;
  std::vector<int32_t> codes;
  int32_t first = m.IVLR(pool, record, NtmNameFirst), last = m.IVLR(pool, record, NtmNameLast);
  if (first < 1 || last < 1) return codes;
  WalkChain(m, NameCharPool, CharNext, first, last,
            [&](int32_t c) { codes.push_back(m.IVLR(NameCharPool, c, CharCode)); });
  return codes;
}

std::string Transform::Name(int32_t pool, int32_t record) const {
  std::string text;
  for (int32_t c : NameCodes(pool, record)) text.push_back(char(c & 0xFF));
  return text;
}

void Transform::Spell(const std::vector<int32_t>& codes) {
  Eng.builder.BKSNAI();
  for (int32_t c : codes) Eng.builder.BKSSYM(c);
}

void Transform::Spell(const std::string& text) {
  Eng.builder.BKSNAI();
  for (unsigned char c : text) Eng.builder.BKSSYM(c);
}

std::string Transform::NewNonterminalName(const std::string& wanted) {
  GrammarStore& st = Eng.store;
  for (int32_t n = 1;; ++n) {
    std::string name = n == 1 ? wanted : wanted + "_" + std::to_string(n);
    Spell(name);
    const Chain chars = Eng.builder.CurrentName.Chars;
    st.FindOrAddNonterminal(chars.First, chars.Last);
    if (!st.Found) return name;
  }
}

void Transform::OpenAlternative(int32_t nonterminal) {
  Spell(NameCodes(NonterminalPool, nonterminal));
  Eng.builder.BKSNLI();
}

void Transform::OpenAlternative(const std::string& name) {
  Spell(name);
  Eng.builder.BKSNLI();
}

void Transform::AppendNonterminal(const std::string& name) {
  Spell(name);
  Eng.builder.BKSNTM();
}

bool Transform::CopyElement(int32_t element) {
  const RecordMemory& m = Eng.mem;
  const int32_t referent = m.IVLR(ElementPool, element, ElemReferent);
  switch (m.IVLR(ElementPool, element, ElemKind)) {
    case KindNonterminal:
      Spell(NameCodes(NonterminalPool, referent));
      Eng.builder.BKSNTM();
      return true;
    case KindTerminal:
      Spell(NameCodes(TerminalPool, referent));
      Eng.builder.BKSTRM();
      return true;
    case KindAction:
      Spell(NameCodes(ActionPool, referent));
      Eng.builder.BKSACR();
      return true;
    default:
      return false;
  }
}

void Transform::Detach(int32_t nonterminal, int32_t rule) {
  RecordMemory& m = Eng.mem;
  int32_t head = m.IVLR(NonterminalPool, nonterminal, NtmFirstRule);
  int32_t tail = m.IVLR(NonterminalPool, nonterminal, NtmLastRule);
  m.DetachRecord(RulePool, RuleNext, RuleBack, head, tail, rule);
  m.VLW(NonterminalPool, nonterminal, NtmFirstRule, head);
  m.VLW(NonterminalPool, nonterminal, NtmLastRule, tail);
}

void Transform::SubstituteCorner(int32_t a, int32_t r) {
  const RecordMemory& m = Eng.mem;
  const std::vector<int32_t> elements = Elements(r);
  const int32_t corner = Corner(r);
  if (corner < 1) return;
  size_t at = 0;
  while (elements[at] != corner) ++at;
  const int32_t b = m.IVLR(ElementPool, corner, ElemReferent);
  // Taken before anything is appended: when b is a itself, its chain grows below.
  const std::vector<int32_t> replacements = Alternatives(b);
  for (int32_t rb : replacements) {
    OpenAlternative(a);
    bool appended = false, fromB = false, bEmpty = false, fromRest = false;
    for (size_t i = 0; i < at; ++i) appended = CopyElement(elements[i]) || appended;
    // Every element of rb is copied, also those after an empty element.
    for (int32_t e : Elements(rb)) {
      if (CopyElement(e)) fromB = true;
      else bEmpty = true;
    }
    for (size_t i = at + 1; i < elements.size(); ++i) fromRest = CopyElement(elements[i]) || fromRest;
    appended = appended || fromB || fromRest;
    if (!appended || (!fromB && bEmpty && at + 1 == elements.size())) Eng.builder.BKSNUL();
    Eng.builder.BKSEND();
  }
  Detach(a, r);
}

}  // namespace mv
