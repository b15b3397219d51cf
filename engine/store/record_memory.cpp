#include "store/record_memory.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mv {

WordSpace::Block WordSpace::NewBlock() {
  static_assert(BlockBytes == LargePageBytes);
  Block block;
  // Large pages: a grammar of many megabytes touches its records in a few hundred faults
  // instead of tens of thousands.
  block.Words.reset(static_cast<int32_t*>(NewLargeMemory(BlockBytes)));
  block.Marks.reset(new uint64_t[BlockWords / 64]);
  return block;
}

RecordMemory::RecordMemory() { InitRecordMemory(); }

void RecordMemory::InitRecordMemory() {
  // Nothing is read below the first page, which the first extension makes.
  Words.Reset(0);
  PageClass.assign(1, 0);
  PageClass.shrink_to_fit();
  for (auto& h : FreeHead) h = 0;
  for (auto& n : ClassRecords) n = 0;
  // Every record of the run before is given back at once.
  for (auto& n : GiveBackCount) ++n;
  CoreSetUp = false;
  ExhaustedFlag = false;
  Held.clear();
  HeldPool = 0;
  LastAppended = KnownRecord{};
  for (auto& range : Carved) range = RecordRange{};
}

bool RecordMemory::StillHeld(int32_t pool, int32_t head, int32_t tail) const {
  if (pool != HeldPool || Held.empty() || Held.front().Record != head || Held.back().Record != tail)
    return false;
  bool ok = true;
  const size_t n = Held.size();
  for (size_t k = 0; k < n; ++k) {
    const size_t w = Held[k].Word;
    ok &= w < Words.size() && !Words.Marked(w);
    if (k + 1 < n) ok &= Words[w] == Held[k + 1].Record;
  }
  return ok;
}

void RecordMemory::VLON(int32_t pool, int32_t record) {
  int64_t w = WordIndex(pool, record, 1);
  if (w < 0 || Words.Marked(size_t(w))) return;  // given back already
  int32_t cls = ClassOfPool[pool];
  ++GiveBackCount[cls];
  Words[size_t(w)] = FreeHead[cls];
  Words.SetMark(size_t(w), true);
  FreeHead[cls] = record;
}

void RecordMemory::ReleaseRecord(int32_t pool, int32_t first, int32_t last) {
  // A chain end below 1 (or not a record of this pool) gives nothing back: the free chain
  // must not be replaced by an empty or foreign one.
  int64_t w = WordIndex(pool, last, 1);
  if (w < 0 || WordIndex(pool, first, 1) < 0) return;
  // The chain is spliced onto the free chain whole, as long as it is one: every member in use
  // and the last reached from the first. Otherwise its members in use go back one by one, in
  // the same order, and a member given back already is not given back again. The first walk
  // only counts, so that a whole chain (the usual case) goes back without a list of members.
  const int64_t limit = StepLimit(pool);
  int64_t count = 0;
  bool whole = false;
  for (int32_t r = first; count < limit;) {
    int64_t rw = WordIndex(pool, r, 1);
    if (rw < 0 || Words.Marked(size_t(rw))) break;
    ++count;
    if (r == last) {
      whole = true;
      break;
    }
    r = Words[size_t(rw)];
  }
  int32_t cls = ClassOfPool[pool];
  if (whole) {
    ++GiveBackCount[cls];
    int32_t r = first;
    for (int64_t k = 0; k < count; ++k) {
      size_t rw = size_t(WordIndex(pool, r, 1));
      Words.SetMark(rw, true);
      r = Words[rw];
    }
    Words[size_t(w)] = FreeHead[cls];
    FreeHead[cls] = first;
    return;
  }
  std::vector<int32_t> members;
  members.reserve(size_t(count));
  for (int32_t r = first; int64_t(members.size()) < count;) {
    members.push_back(r);
    r = Words[size_t(WordIndex(pool, r, 1))];
  }
  for (auto it = members.rbegin(); it != members.rend(); ++it) VLON(pool, *it);
}

void RecordMemory::VLSPSH(int32_t pool, int32_t link, int32_t& top, int32_t record) {
  if (record < 1) return;
  VLW(pool, record, link, top);
  top = record;
}

void RecordMemory::VLSPOP(int32_t pool, int32_t link, int32_t& top, int32_t& record) {
  if (top < 1) return;
  record = top;
  top = IVLR(pool, record, link);
}

void RecordMemory::LinkRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail,
                              int32_t record) {
  if (record < 1) return;
  if (tail >= 1) VLW(pool, tail, next, record);
  VLW(pool, record, back, tail < 1 ? 0 : tail);
  tail = record;
  if (head < 1) head = record;
}

int32_t RecordMemory::Unhook(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail,
                             int32_t record) {
  if (record < 1 || head < 1) return 0;
  int32_t b = IVLR(pool, record, back);
  int32_t n = IVLR(pool, record, next);
  if (head == tail) {
    head = 0;
    tail = 0;
  } else {
    if (b >= 1) VLW(pool, b, next, n);
    if (record != tail && n >= 1) VLW(pool, n, back, b);
    if (record == head) head = n;
    if (record == tail) tail = b;
  }
  return record;
}

void RecordMemory::UnlinkRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail,
                                int32_t record) {
  if (Unhook(pool, next, back, head, tail, record) >= 1) VLON(pool, record);
}

void RecordMemory::DetachRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail,
                                int32_t record) {
  Unhook(pool, next, back, head, tail, record);
}

void RecordMemory::MoveRecord(int32_t pool, int32_t next, int32_t back, int32_t& head1, int32_t& tail1,
                              int32_t record, int32_t& head2, int32_t& tail2) {
  DetachRecord(pool, next, back, head1, tail1, record);
  LinkRecord(pool, next, back, head2, tail2, record);
}

void RecordMemory::TakeFreeRecord(int32_t cls) {
  while (FreeHead[7] == 0) VLTOVR();
  if (cls == 7) return;  // the chain of class 7 is the chain of free pages itself
  int32_t page = FreeHead[7];
  int64_t pageWord = WordIndex(PageLength, page, 1);
  size_t w = size_t(pageWord);
  if (pageWord < 0 || !Words.Marked(w)) {
    // The chain of free pages was written over: a fresh page instead.
    FreeHead[7] = 0;
    TakeFreeRecord(cls);
    return;
  }
  FreeHead[7] = Words[w];
  Words.SetMark(w, false);
  FormatFreeChain(cls, page);
}

namespace {

// Links the records of one page in order, each slot's first word to the next record; the
// slot length is known at compile time, so the loop is unrolled.
template <int32_t Slot>
void LinkSlots(int32_t* words, int32_t lowest) {
  constexpr int32_t perPage = RecordMemory::PageLength / Slot;
  for (int32_t k = 0; k + 1 < perPage; ++k) words[k * Slot] = lowest + k + 1;
}

// LinkSlots for each size class (none for class 0).
constexpr void (*LinkSlotsOfClass[RecordMemory::ClassCount + 1])(int32_t*, int32_t) = {
    nullptr,
    LinkSlots<RecordMemory::ClassSlot[1]>,
    LinkSlots<RecordMemory::ClassSlot[2]>,
    LinkSlots<RecordMemory::ClassSlot[3]>,
    LinkSlots<RecordMemory::ClassSlot[4]>,
    LinkSlots<RecordMemory::ClassSlot[5]>,
    LinkSlots<RecordMemory::ClassSlot[6]>,
    LinkSlots<RecordMemory::ClassSlot[7]>,
};

// For each size class, one bit per slot of a page: the first word of each.
constexpr std::array<uint64_t, RecordMemory::ClassCount + 1> SlotMarkPatterns() {
  std::array<uint64_t, RecordMemory::ClassCount + 1> marks{};
  for (int32_t cls = 1; cls <= RecordMemory::ClassCount; ++cls) {
    const int32_t slot = RecordMemory::ClassSlot[cls];
    for (int32_t k = 0; k < RecordMemory::PageLength / slot; ++k)
      marks[size_t(cls)] |= uint64_t(1) << (k * slot);
  }
  return marks;
}
constexpr std::array<uint64_t, RecordMemory::ClassCount + 1> SlotMarks = SlotMarkPatterns();

}  // namespace

void RecordMemory::FormatFreeChain(int32_t cls, int32_t page) {
  int32_t slot = ClassSlot[cls];
  int32_t perPage = PageLength / slot;
  PageClass[size_t(page)] = uint8_t(cls);
  ClassRecords[cls] += perPage;
  // The page's records in order, each linked to the next, the last to the old head; every
  // field but the link 0.
  const int32_t lowest = (page - 1) * perPage + 1;
  Carved[cls] = RecordRange{lowest, page * perPage};
  const size_t first = size_t(PageLength) * size_t(page - 1) + 1;
  if (int32_t* words = Words.Run(first, PageLength)) {
    std::memset(words, 0, PageLength * sizeof(int32_t));
    LinkSlotsOfClass[size_t(cls)](words, lowest);
    words[(perPage - 1) * slot] = FreeHead[cls];
    Words.MarkPattern(first, SlotMarks[cls]);
    FreeHead[cls] = lowest;
    return;
  }
  for (int32_t r = page * perPage; r >= lowest; --r) {
    size_t base = size_t(int64_t(slot) * (r - 1));
    Words[base + 1] = FreeHead[cls];
    Words.SetMark(base + 1, true);
    for (int32_t f = 2; f <= slot; ++f) Words[base + size_t(f)] = 0;
    FreeHead[cls] = r;
  }
}

void RecordMemory::VLTOVR() {
  if (ExhaustedFlag) throw RunStopped();
  if (!CoreSetUp) {
    // The first extension of a run sets up the core pages as one chain of free pages.
    CoreSetUp = true;
    int64_t pages = CapacityPages < CorePages ? CapacityPages : CorePages;
    Words.Reset(size_t(pages * PageLength + 1));
    PageClass.assign(size_t(pages + 1), 7);
    PageClass[0] = 0;
    for (int64_t p = 1; p <= pages; ++p) {
      Words[size_t(PageLength * (p - 1) + 1)] = p < pages ? int32_t(p + 1) : 0;
      Words.SetMark(size_t(PageLength * (p - 1) + 1), true);
    }
    FreeHead[7] = 1;
    return;
  }
  if (PagesInUse() >= CapacityPages) {
    ExhaustedFlag = true;
    if (ExhaustedNotice) ExhaustedNotice();
    throw RunStopped();
  }
  // One more page, a one-page chain of free pages. The words are cleared for many pages at a
  // time; only the pages in use can be reached.
  const int64_t page = PagesInUse() + 1;
  const size_t first = size_t(PageLength * (page - 1) + 1);
  if (Words.size() < first + PageLength) {
    const int64_t upTo = std::min(CapacityPages, page + GrowthPages - 1);
    Words.Grow(size_t(upTo * PageLength + 1));
  }
  Words.SetMark(first, true);
  PageClass.push_back(7);
  FreeHead[7] = int32_t(page);
}

}  // namespace mv
