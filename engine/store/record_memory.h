#pragma once
// Memory of fixed-length records of 32-bit fields, addressed by (pool, record, field).
//
// Record numbers cross the library boundary (as NonterminalList handles), so the numbering,
// the size classes, the free chains and the capacity limit are kept exactly; only the scratch
// page file is gone: every page lives in memory. Every access is bounds-checked, so a stale or
// foreign handle reads as 0 and writes nothing.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "store/large_array.h"

namespace mv {

// Thrown when the record memory is used up; the export boundary catches it and the run stays
// stopped until the next BnfParserInit.
struct RunStopped : std::runtime_error {
  RunStopped() : std::runtime_error("record memory exhausted") {}
};

// The word space, held in blocks of a fixed size: growing it never moves or copies the words
// held already, so a run that reads a large grammar costs time and memory in proportion.
// Beside each block, one mark bit per word.
//
// A reset keeps the blocks: the next run takes them again, cleared as it takes words, instead
// of having the system give fresh pages and clear them a second time (which costs more than
// reading the grammar on some systems). It keeps the blocks the run before took, so that the
// same large grammar read again takes no fresh pages, and beyond that only KeptBlocks: a
// program that read a very large grammar gives the rest back once a smaller run follows.
class WordSpace {
public:
  // 2 MB blocks: the size of a large page, which the system is asked to back them with.
  static constexpr int32_t BlockShift = 19;
  static constexpr size_t BlockWords = size_t(1) << BlockShift;
  static constexpr size_t BlockBytes = BlockWords * sizeof(int32_t);
  static constexpr size_t KeptBlocks = 32;

  int32_t& operator[](size_t w) { return Blocks[w >> BlockShift].Words[w & (BlockWords - 1)]; }
  int32_t operator[](size_t w) const { return Blocks[w >> BlockShift].Words[w & (BlockWords - 1)]; }
  bool Marked(size_t w) const {
    const size_t at = w & (BlockWords - 1);
    return (Blocks[w >> BlockShift].Marks[at >> 6] >> (at & 63)) & 1;
  }
  // Word w and the mark word that holds its bit, with the block found once.
  struct WordAndMark {
    int32_t* Word;
    uint64_t* Marks;
    uint64_t Bit;
  };
  WordAndMark At(size_t w) {
    Block& block = Blocks[w >> BlockShift];
    const size_t at = w & (BlockWords - 1);
    return {block.Words.get() + at, block.Marks.get() + (at >> 6), uint64_t(1) << (at & 63)};
  }
  void SetMark(size_t w, bool on) {
    const size_t at = w & (BlockWords - 1);
    uint64_t& bits = Blocks[w >> BlockShift].Marks[at >> 6];
    const uint64_t bit = uint64_t(1) << (at & 63);
    bits = on ? bits | bit : bits & ~bit;
  }
  // Sets the marks of words w + i for every bit i of pattern; w..w+63 lie in one block or the
  // pattern has no bit past the block's end.
  void MarkPattern(size_t w, uint64_t pattern) {
    uint64_t* marks = Blocks[w >> BlockShift].Marks.get();
    const size_t at = w & (BlockWords - 1);
    const unsigned shift = unsigned(at & 63);
    marks[at >> 6] |= pattern << shift;
    if (shift != 0) {
      if (const uint64_t high = pattern >> (64 - shift)) marks[(at >> 6) + 1] |= high;
    }
  }
  size_t size() const { return Size; }
  // The words the blocks can hold, taken or not.
  size_t HeldWords() const { return Blocks.size() * BlockWords; }
  // The words w..w+n-1 as one array, or null when they do not lie in one block.
  int32_t* Run(size_t w, size_t n) {
    if (n == 0 || (w >> BlockShift) != ((w + n - 1) >> BlockShift)) return nullptr;
    return Blocks[w >> BlockShift].Words.get() + (w & (BlockWords - 1));
  }
  // n words, all 0 and unmarked. A reset with no word taken since the last one (a run's
  // second) changes nothing of what is kept.
  void Reset(size_t n) {
    if (Size > 0) {
      const size_t taken = (Size + BlockWords - 1) >> BlockShift;
      const size_t keep = std::max(KeptBlocks, taken);
      if (Blocks.size() > keep) Blocks.resize(keep);
    }
    Size = 0;
    Grow(n);
  }
  // Grows to n words; the new ones are 0 and unmarked. Blocks come unwritten and only the words
  // taken are cleared, so a small run does not clear a whole block.
  void Grow(size_t n) {
    while (Blocks.size() * BlockWords < n) Blocks.push_back(NewBlock());
    while (Size < n) {
      const size_t offset = Size & (BlockWords - 1);
      const size_t count = std::min(n - Size, BlockWords - offset);
      Block& block = Blocks[Size >> BlockShift];
      std::memset(block.Words.get() + offset, 0, count * sizeof(int32_t));
      ClearMarks(block.Marks.get(), offset, offset + count);
      Size += count;
    }
  }

private:
  struct FreeWords {
    void operator()(int32_t* p) const { FreeLargeMemory(p, BlockBytes); }
  };
  struct Block {
    std::unique_ptr<int32_t[], FreeWords> Words;
    std::unique_ptr<uint64_t[]> Marks;
  };
  static Block NewBlock();
  // Clears the mark bits from..to (exclusive) of one block.
  static void ClearMarks(uint64_t* marks, size_t from, size_t to) {
    while (from < to) {
      const size_t bit = from & 63, span = std::min<size_t>(64 - bit, to - from);
      const uint64_t mask = span == 64 ? ~uint64_t(0) : ((uint64_t(1) << span) - 1) << bit;
      marks[from >> 6] &= ~mask;
      from += span;
    }
  }
  std::vector<Block> Blocks;
  size_t Size = 0;
};

class RecordMemory {
public:
  static constexpr int32_t PageLength = 56;
  static constexpr int32_t CorePages = 2340;  // 131,040 words
  static constexpr int32_t FilePages = 3200000;
  static constexpr int64_t DefaultCapacityPages = int64_t(CorePages) + FilePages;
  static constexpr int32_t ClassCount = 7;
  // Known at compile time, so that an access to a named pool costs no look-up.
  static constexpr int32_t ClassSlot[ClassCount + 1] = {0, 2, 4, 7, 8, 14, 28, 56};
  // Smallest size class whose slot holds the pool's declared length.
  static constexpr uint8_t ClassOfPool[PageLength + 1] = {
      0,                                         // no pool 0
      1, 1,                                      // 1-2
      2, 2,                                      // 3-4
      3, 3, 3,                                   // 5-7
      4,                                         // 8
      5, 5, 5, 5, 5, 5,                          // 9-14
      6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,  // 15-28
      7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,  // 29-42
      7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,  // 43-56
  };
  // Pages whose words are cleared at once when the memory grows beyond the core.
  static constexpr int64_t GrowthPages = 512;
  static constexpr const char* ExhaustedRoutine = "VLTOVR";
  static constexpr const char* ExhaustedMessage =
      "Fatal error: end of space to swop (INICUR(NDISK).GT.IREND)!";

  RecordMemory();

  // Resets everything for a new run; no record of the previous run stays valid.
  void InitRecordMemory();

  int32_t IVLR(int32_t pool, int32_t record, int32_t field) const {
    int64_t w = WordIndex(pool, record, field);
    return w < 0 ? 0 : Words[size_t(w)];
  }
  void VLW(int32_t pool, int32_t record, int32_t field, int32_t value) {
    int64_t w = WordIndex(pool, record, field);
    if (w >= 0) Words[size_t(w)] = value;
  }
  int32_t IVLOFF(int32_t pool) {
    size_t word = 0;
    return Take(pool, word);
  }
  void VLON(int32_t pool, int32_t record);
  void ReleaseRecord(int32_t pool, int32_t first, int32_t last);
  // Returns the new record as well (it is also the new tail).
  int32_t AppendRecord(int32_t pool, int32_t link, int32_t& head, int32_t& tail) {
    size_t word = 0;
    return Append(pool, link, head, tail, word);
  }
  // The same, with one field of the new record written: a character chain grows by one code.
  [[gnu::always_inline]] int32_t AppendRecord(int32_t pool, int32_t link, int32_t& head, int32_t& tail,
                                              int32_t field, int32_t value) {
    size_t word = 0;
    const int32_t r = Append(pool, link, head, tail, word);
    if (r >= 1 && field >= 1 && field <= pool) Words[word + size_t(field - 1)] = value;
    return r;
  }
  void VLSPSH(int32_t pool, int32_t link, int32_t& top, int32_t record);
  void VLSPOP(int32_t pool, int32_t link, int32_t& top, int32_t& record);
  // LinkRecord of a new record, whose word is known.
  int32_t AppendLinkedRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail) {
    size_t word = 0;
    const int32_t r = Take(pool, word);
    if (r < 1) return r;
    if (tail >= 1) VLW(pool, tail, next, r);
    if (back >= 1 && back <= pool) Words[word + size_t(back - 1)] = tail < 1 ? 0 : tail;
    tail = r;
    if (head < 1) head = r;
    return r;
  }
  void LinkRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail, int32_t record);
  void UnlinkRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail, int32_t record);
  void DetachRecord(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail, int32_t record);
  void MoveRecord(int32_t pool, int32_t next, int32_t back, int32_t& head1, int32_t& tail1, int32_t record,
                  int32_t& head2, int32_t& tail2);

  // Makes the chain head..tail of pool (linked by field 1) hold `count` records, record k's
  // fields from 2 on written by fill(k, set) through set(field, value): with the same records,
  // fields and free chain as giving the old chain back and appending `count` records one by
  // one. A whole chain is written over in place; only the records beyond the shorter of the
  // two go back or are taken, so a chain rewritten again and again costs no record traffic.
  template <class Fill>
  void RefillChain(int32_t pool, int32_t& head, int32_t& tail, int64_t count, Fill&& fill);

  // Slot length of a pool's size class, 0 for a pool outside 1..56.
  static int32_t SlotLength(int32_t pool) {
    return pool >= 1 && pool <= PageLength ? ClassSlot[ClassOfPool[pool]] : 0;
  }
  // Size class 1..7 of a pool, 0 for a pool outside 1..56.
  static int32_t SizeClass(int32_t pool) { return pool >= 1 && pool <= PageLength ? ClassOfPool[pool] : 0; }

  // Told when the memory runs out, before the run stops: the engine writes the fatal message.
  std::function<void()> ExhaustedNotice;

  // The page limit of a run (core and file pages together); tests set a small one.
  void SetCapacityPages(int64_t pages) { CapacityPages = pages < 1 ? 1 : pages; }
  int64_t GetCapacityPages() const { return CapacityPages; }
  int64_t PagesInUse() const { return int64_t(PageClass.size()) - 1; }
  // True once the memory ran out in this run.
  bool Exhausted() const { return ExhaustedFlag; }
  // Whether record is a slot of pool's size class on a page in use: what a handle from a
  // caller must be before it is walked.
  bool IsRecord(int32_t pool, int32_t record) const { return WordIndex(pool, record, 1) >= 0; }
  // Whether record is a record in use: a slot of pool's class that is not on a free chain.
  bool IsLiveRecord(int32_t pool, int32_t record) const {
    int64_t w = WordIndex(pool, record, 1);
    return w >= 0 && !Words.Marked(size_t(w));
  }
  // More steps than a chain of one pool's records can take (its class has no more records): a
  // walk that goes on longer follows a damaged chain round a loop.
  int64_t StepLimit(int32_t pool) const {
    int32_t cls = SizeClass(pool);
    if (cls == 0) return 1;
    return (cls == ClassCount ? PagesInUse() : ClassRecords[cls]) + 1;
  }
  int32_t FreeChainHead(int32_t sizeClass) const {
    return sizeClass >= 1 && sizeClass <= ClassCount ? FreeHead[sizeClass] : 0;
  }
  // How many times records of a size class were given back, over the object's whole life: a
  // record in use keeps what was written into it as long as this stays the same, whatever
  // handle the giving back came through.
  uint64_t GiveBacks(int32_t sizeClass) const {
    return sizeClass >= 1 && sizeClass <= ClassCount ? GiveBackCount[sizeClass] : 0;
  }

private:
  // Word index of a field, or -1 when the pool, record or field is not valid: below 1, a field
  // beyond the pool's length, or a record on a page that is not in use or belongs to another
  // size class.
  int64_t WordIndex(int32_t pool, int32_t record, int32_t field) const {
    if (pool < 1 || pool > PageLength || record < 1 || field < 1 || field > pool) return -1;
    int32_t cls = ClassOfPool[pool];
    int32_t slot = ClassSlot[cls];
    int64_t first = int64_t(slot) * (record - 1);
    int64_t page = first / PageLength + 1;
    if (page >= int64_t(PageClass.size()) || PageClass[size_t(page)] != cls) return -1;
    return first + field;
  }
  // The head of the pool's free chain taken out of it, with the word of its field 1; 0 for a
  // pool outside 1..56.
  [[gnu::always_inline]] int32_t Take(int32_t pool, size_t& word) {
    const int32_t cls = SizeClass(pool);
    if (cls == 0) return 0;
    // A free chain that leads to a record in use was written over: it is dropped, and fresh
    // records are carved instead of handing out one record twice. A record of the page that
    // was carved last for the class needs no page check.
    int32_t r = FreeHead[cls];
    if (r >= Carved[cls].First && r <= Carved[cls].Last) {
      word = size_t(int64_t(ClassSlot[cls]) * (r - 1) + 1);
      const WordSpace::WordAndMark free = Words.At(word);
      if (*free.Marks & free.Bit) {
        FreeHead[cls] = *free.Word;
        *free.Marks &= ~free.Bit;
        return r;
      }
      r = FreeHead[cls] = 0;
    } else if (r != 0) {
      const int64_t head = WordIndex(pool, r, 1);
      if (head < 0 || !Words.Marked(size_t(head))) r = FreeHead[cls] = 0;
    }
    if (r == 0) {
      TakeFreeRecord(cls);
      r = FreeHead[cls];
    }
    word = size_t(int64_t(ClassSlot[cls]) * (r - 1) + 1);
    FreeHead[cls] = Words[word];
    Words.SetMark(word, false);
    return r;
  }
  [[gnu::always_inline]] int32_t Append(int32_t pool, int32_t link, int32_t& head, int32_t& tail,
                                        size_t& word) {
    const int32_t r = Take(pool, word);
    if (tail >= 1) {
      // Mostly the tail is the record appended just before: its word is known.
      if (tail == LastAppended.Record && pool == LastAppended.Pool && link >= 1 && link <= pool)
        Words[LastAppended.Word + size_t(link - 1)] = r;
      else VLW(pool, tail, link, r);
    }
    LastAppended = KnownRecord{pool, r, word};
    tail = r;
    if (head < 1) head = r;
    return r;
  }
  // A record and the word of its field 1, which stay so for the whole run once the record was
  // handed out, since a page keeps its size class.
  struct KnownRecord {
    int32_t Pool = 0;
    int32_t Record = 0;
    size_t Word = 0;
  };
  KnownRecord LastAppended;
  // The records of the page carved last for each class.
  struct RecordRange {
    int32_t First = 0;
    int32_t Last = -1;
  };
  RecordRange Carved[ClassCount + 1];
  void TakeFreeRecord(int32_t sizeClass);
  void FormatFreeChain(int32_t sizeClass, int32_t page);
  void VLTOVR();
  int32_t Unhook(int32_t pool, int32_t next, int32_t back, int32_t& head, int32_t& tail, int32_t record);

  // The records of a chain in use and the word of each one's field 1 (RefillChain).
  struct HeldRecord {
    int32_t Record;
    size_t Word;
  };
  std::vector<HeldRecord> Held;
  int32_t HeldPool = 0;
  // Whether Held is still the chain head..tail of pool, every member in use and linked to the
  // next: checked member by member without a walk, since a page keeps its size class for the
  // whole run.
  bool StillHeld(int32_t pool, int32_t head, int32_t tail) const;

  // Index 0 unused. The mark of a word is set on the first word of every free slot, so that a
  // record given back twice, or a free chain written over, cannot make the free chains loop.
  WordSpace Words;
  std::vector<uint8_t> PageClass;  // class of each page in use (7 = whole page); index 0 unused
  int32_t FreeHead[ClassCount + 1] = {};
  int64_t ClassRecords[ClassCount + 1] = {};    // records carved in each class
  uint64_t GiveBackCount[ClassCount + 1] = {};  // never reset
  int64_t CapacityPages = DefaultCapacityPages;
  bool CoreSetUp = false;
  bool ExhaustedFlag = false;
};

template <class Fill>
void RecordMemory::RefillChain(int32_t pool, int32_t& head, int32_t& tail, int64_t count, Fill&& fill) {
  if (head >= 1 && !StillHeld(pool, head, tail)) {
    Held.clear();
    // Only a chain that is whole (every member in use, the last reached) is kept in place.
    const int64_t limit = StepLimit(pool);
    bool whole = false;
    for (int32_t r = head; int64_t(Held.size()) < limit;) {
      const int64_t w = WordIndex(pool, r, 1);
      if (w < 0 || Words.Marked(size_t(w))) break;
      Held.push_back({r, size_t(w)});
      if (r == tail) {
        whole = true;
        break;
      }
      r = Words[size_t(w)];
    }
    if (!whole) {
      ReleaseRecord(pool, head, tail);
      head = tail = 0;
      Held.clear();
    }
  } else if (head < 1) {
    Held.clear();
  }
  HeldPool = pool;
  const int64_t held = int64_t(Held.size());
  auto write = [&](int64_t k, size_t w) {
    fill(k, [&](int32_t field, int32_t value) {
      if (field >= 2 && field <= pool) Words[w + size_t(field - 1)] = value;
    });
  };
  for (int64_t k = 0; k < count && k < held; ++k) write(k, Held[size_t(k)].Word);
  if (count < held) {
    // The rest of the old chain goes back whole, onto the free chain's head.
    const int32_t cls = ClassOfPool[pool];
    ++GiveBackCount[cls];
    for (int64_t k = count; k < held; ++k) Words.SetMark(Held[size_t(k)].Word, true);
    Words[Held.back().Word] = FreeHead[cls];
    FreeHead[cls] = Held[size_t(count)].Record;
    if (count == 0) head = tail = 0;
    else tail = Held[size_t(count - 1)].Record;
    Held.resize(size_t(count));
    return;
  }
  for (int64_t k = held; k < count; ++k) {
    const int32_t r = AppendRecord(pool, 1, head, tail);
    Held.push_back({r, size_t(WordIndex(pool, r, 1))});
    write(k, Held.back().Word);
  }
}

}  // namespace mv
