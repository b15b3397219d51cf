#pragma once
// Membership of nonterminal records, for the splits of a grammar into lists.

#include <cstdint>
#include <vector>

#include "store/chain_walk.h"
#include "store/grammar_store.h"

namespace mv {

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

inline MemberSet MembersOf(const RecordMemory& mem, int32_t link, Chain list) {
  MemberSet members(mem);
  if (list.First >= 1)
    WalkChain(mem, NonterminalPool, link, list.First, list.Last, [&](int32_t r) { members.insert(r); });
  return members;
}

}  // namespace mv
