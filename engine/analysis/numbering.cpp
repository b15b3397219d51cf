// Symbol numbering: nonterminals 1..N in grammar order, terminals 1..T in the order of their
// first occurrence in the alternatives, rules 1..R in grammar order; and the symbols' names.

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"

namespace mv {

namespace {
// A name is handed out with at most this many characters.
constexpr size_t NameBufferLength = 1024;
}  // namespace

Analysis::Analysis(RecordMemory& mem, GrammarStore& store, Output& out) : Eng{mem, store, out} {}

void Analysis::InitRun() {
  NullableList = Chain{};
  SelectCollisionList = Chain{};
  Collisions.clear();
  NtmPosition = TrmPosition = 0;
  Fits = false;
  Region1.What = Region2.What = Region3.What = Holds::Nothing;
}

Chain Analysis::Nullable() {
  NullableList = Chain{};
  FindNullable(Eng.store.Grammar.First, Eng.store.Grammar.Last, NullableList.First, NullableList.Last);
  return NullableList;
}

int32_t Analysis::NtmNumbering() {
  return Eng.store.Counts.N =
             NumberNonterminals(NonterminalPool, Eng.store.Grammar.First, Eng.store.Grammar.Last);
}

int32_t Analysis::TrmNumbering() { return Eng.store.Counts.T = NumberTerminals(); }

int32_t Analysis::RulesNumbering() {
  Eng.store.Counts.S = Eng.store.Counts.N + Eng.store.Counts.T;
  return Eng.store.Counts.R = NumberRules();
}

int32_t Analysis::NumberNonterminals(int32_t pool, int32_t head, int32_t tail) {
  int32_t count = 0;
  if (head < 1 || tail < 1) return 0;
  WalkChain(Eng.mem, pool, 1, head, tail, [&](int32_t r) { Eng.mem.VLW(pool, r, 7, ++count); });
  return count;
}

int32_t Analysis::NumberTerminals() {
  RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  WalkChain(m, TerminalPool, TrmNext, st.Terminals.First, st.Terminals.Last,
            [&](int32_t t) { m.VLW(TerminalPool, t, TrmNumber, -1); });
  int32_t count = 0;
  WalkGrammar(m, st, [&](int32_t a) {
    WalkAlternatives(m, a, [&](int32_t r) {
      WalkElements(m, r, [&](int32_t e) {
        if (m.IVLR(ElementPool, e, ElemKind) != KindTerminal) return;
        int32_t t = m.IVLR(ElementPool, e, ElemReferent);
        if (m.IVLR(TerminalPool, t, TrmNumber) == -1) m.VLW(TerminalPool, t, TrmNumber, ++count);
      });
    });
  });
  return count;
}

int32_t Analysis::NumberRules() {
  RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  int32_t count = 0;
  WalkGrammar(m, st, [&](int32_t a) {
    WalkAlternatives(m, a, [&](int32_t r) { m.VLW(RulePool, r, RuleNumber, ++count); });
  });
  return count;
}

namespace {
std::string CutName(const GrammarStore& st, const RecordMemory& m, int32_t pool, int32_t rec) {
  std::string name = st.NameText(m.IVLR(pool, rec, 3), m.IVLR(pool, rec, 4));
  if (name.size() > NameBufferLength) name.resize(NameBufferLength);
  return TrimmedRight(name);
}
}  // namespace

std::string Analysis::GetNtmName(int32_t& cursor) {
  const RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  if (st.Grammar.First < 1 || st.Grammar.Last < 1) return std::string();
  if (cursor == 0 || NtmPosition < 1) NtmPosition = st.Grammar.First;
  int32_t at = NtmPosition;
  cursor = m.IVLR(NonterminalPool, at, NtmNumber);
  std::string name = CutName(st, m, NonterminalPool, at);
  int32_t next = m.IVLR(NonterminalPool, at, NtmNext);
  if (at == st.Grammar.Last || next < 1) cursor = 0;
  else NtmPosition = next;
  return name;
}

// Terminals are handed out in number order, 1..T, not in the table's reading order: the caller
// titles matrix row N + i with the i-th name it is given.
std::string Analysis::GetTrmName(int32_t& cursor) {
  const RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  if (st.Terminals.First < 1 || st.Terminals.Last < 1) return std::string();
  if (cursor == 0 || TrmPosition < 1) TrmPosition = 1;
  // The terminal that carries the wanted number, 0 when none does.
  auto numbered = [&](int32_t number) {
    int64_t limit = m.StepLimit(TerminalPool);
    for (int32_t t = st.Terminals.First; t >= 1 && limit-- > 0; t = m.IVLR(TerminalPool, t, TrmNext)) {
      if (m.IVLR(TerminalPool, t, TrmNumber) == number) return t;
      if (t == st.Terminals.Last) break;
    }
    return 0;
  };
  int32_t at = TrmPosition <= st.Counts.T ? numbered(TrmPosition) : 0;
  if (at == 0) {
    cursor = 0;
    return std::string();
  }
  cursor = TrmPosition;
  std::string name = CutName(st, m, TerminalPool, at);
  if (TrmPosition >= st.Counts.T) {
    // That was the last: a call that does not restart finds nothing left.
    cursor = 0;
    TrmPosition = st.Counts.T + 1;
  } else {
    ++TrmPosition;
  }
  return name;
}

}  // namespace mv
