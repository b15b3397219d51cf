#pragma once
// Walking a chain of records from its first to its last member.

#include <cstdint>

#include "store/record_memory.h"

namespace mv {

// Visits the members of a chain from first to last along a link field, reading each member's
// successor before the visit (so the visit may move the member). Stops at a link below 1, and
// after as many steps as the pool's class has records, so a damaged chain cannot loop forever.
template <class Visit>
void WalkChain(const RecordMemory& mem, int32_t pool, int32_t link, int32_t first, int32_t last,
               Visit&& visit) {
  const int64_t limit = mem.StepLimit(pool);
  int32_t r = first;
  for (int64_t steps = 0; r >= 1 && steps < limit; ++steps) {
    int32_t next = mem.IVLR(pool, r, link);
    visit(r);
    if (r == last) break;
    r = next;
  }
}

}  // namespace mv
