#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "engine.h"

namespace mv {
namespace {

class RecordMemoryTest : public ::testing::Test {
protected:
  std::unique_ptr<Engine> eng = std::make_unique<Engine>();
  RecordMemory& mem = eng->mem;
};

TEST_F(RecordMemoryTest, IndicesBelowOneReadZeroAndWriteNothing) {
  int32_t r = mem.IVLOFF(4);
  mem.VLW(4, r, 3, 77);
  const int32_t cases[][3] = {{0, r, 3}, {4, 0, 3}, {4, r, 0}, {-1, r, 3}, {4, -5, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(mem.IVLR(c[0], c[1], c[2]), 0);
    mem.VLW(c[0], c[1], c[2], 99);
  }
  EXPECT_EQ(mem.IVLR(4, r, 3), 77);
}

TEST_F(RecordMemoryTest, BadHandlesActAsEmpty) {
  int32_t r = mem.IVLOFF(4);  // record 1 of class 2, page 1
  mem.VLW(4, r, 2, 5);
  // A field beyond the pool's length, a pool beyond 56, a record on a page never handed out,
  // a record of another size class: all read 0 and write nothing.
  EXPECT_EQ(mem.IVLR(4, r, 5), 0);
  EXPECT_EQ(mem.IVLR(57, r, 1), 0);
  EXPECT_EQ(mem.IVLR(4, 1000000, 1), 0);
  EXPECT_EQ(mem.IVLR(2, 1, 2), 0);
  mem.VLW(2, 1, 2, 9);
  mem.VLW(4, 2000000000, 1, 9);
  EXPECT_EQ(mem.IVLR(4, r, 2), 5);
  // Giving back a foreign record leaves the free chain alone.
  int32_t head = mem.FreeChainHead(2);
  mem.VLON(2, 1);
  mem.VLON(4, 999999);
  EXPECT_EQ(mem.FreeChainHead(2), head);
  EXPECT_EQ(mem.FreeChainHead(1), 0);
}

TEST_F(RecordMemoryTest, RecordNumbersFollowSizeClassesAndPages) {
  // Page 1 carved into 28 two-word records, then page 2 into 14 four-word records 15..28.
  EXPECT_EQ(mem.IVLOFF(2), 1);
  EXPECT_EQ(mem.IVLOFF(4), 15);
  EXPECT_EQ(mem.IVLOFF(1), 2);
  EXPECT_EQ(mem.IVLOFF(3), 16);
  // Pool 56 takes whole pages: page 3.
  EXPECT_EQ(mem.IVLOFF(56), 3);
  EXPECT_EQ(mem.IVLOFF(7), 4 * 8 - 7);  // page 4 carved into eight 7-word records 25..32
}

TEST_F(RecordMemoryTest, PoolsOfOneClassShareNumberingAndFreeChain) {
  EXPECT_EQ(mem.IVLOFF(9), 1);
  EXPECT_EQ(mem.IVLOFF(14), 2);
  mem.VLON(9, 1);
  EXPECT_EQ(mem.IVLOFF(14), 1);
  EXPECT_EQ(mem.IVLOFF(14), 3);
}

TEST_F(RecordMemoryTest, FreshRecordKeepsItsFreeLink) {
  int32_t head = 0, tail = 0;
  int32_t r = mem.AppendRecord(2, 1, head, tail);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(head, 1);
  EXPECT_EQ(tail, 1);
  EXPECT_EQ(mem.IVLR(2, 1, 1), 2);  // still the next free record
  EXPECT_EQ(mem.IVLR(2, 1, 2), 0);
  mem.AppendRecord(2, 1, head, tail);
  EXPECT_EQ(head, 1);
  EXPECT_EQ(tail, 2);
  EXPECT_EQ(mem.IVLR(2, 1, 1), 2);
}

TEST_F(RecordMemoryTest, GivenBackRecordKeepsOldFieldsAndComesBackFirst) {
  int32_t a = mem.IVLOFF(7);
  mem.VLW(7, a, 5, 123);
  mem.VLON(7, a);
  EXPECT_EQ(mem.IVLOFF(7), a);
  EXPECT_EQ(mem.IVLR(7, a, 5), 123);
}

TEST_F(RecordMemoryTest, ReleaseRecordGivesBackWholeChain) {
  int32_t head = 0, tail = 0;
  for (int i = 0; i < 3; ++i) mem.AppendRecord(4, 1, head, tail);
  int32_t next = mem.IVLOFF(4);
  mem.VLON(4, next);  // next is the class's head again
  mem.ReleaseRecord(4, head, tail);
  EXPECT_EQ(mem.IVLOFF(4), head);
  EXPECT_EQ(mem.IVLOFF(4), head + 1);
  EXPECT_EQ(mem.IVLOFF(4), tail);
  EXPECT_EQ(mem.IVLOFF(4), next);
}

TEST_F(RecordMemoryTest, ReleaseWithChainEndBelowOneKeepsFreeChain) {
  mem.IVLOFF(4);
  int32_t head = mem.FreeChainHead(2);
  ASSERT_GE(head, 1);
  mem.ReleaseRecord(4, 0, 0);
  mem.ReleaseRecord(4, 0, 3);
  mem.ReleaseRecord(4, -1, 3);
  EXPECT_EQ(mem.FreeChainHead(2), head);
}

TEST_F(RecordMemoryTest, StackPushAndPop) {
  int32_t top = 0, r = 0;
  int32_t a = mem.IVLOFF(7), b = mem.IVLOFF(7);
  mem.VLSPSH(7, 1, top, a);
  mem.VLSPSH(7, 1, top, b);
  mem.VLSPSH(7, 1, top, 0);  // nothing
  EXPECT_EQ(top, b);
  mem.VLSPOP(7, 1, top, r);
  EXPECT_EQ(r, b);
  mem.VLSPOP(7, 1, top, r);
  EXPECT_EQ(r, a);
  EXPECT_EQ(top, 0);
  r = 42;
  mem.VLSPOP(7, 1, top, r);  // empty stack: output unchanged
  EXPECT_EQ(r, 42);
}

// A doubly linked chain through fields 1 (next) and 2 (back), walked from head to tail.
std::vector<int32_t> Walk(const RecordMemory& mem, int32_t head, int32_t tail) {
  std::vector<int32_t> out;
  for (int32_t r = head; r >= 1 && out.size() < 100; r = mem.IVLR(7, r, 1)) {
    out.push_back(r);
    if (r == tail) break;
  }
  return out;
}

TEST_F(RecordMemoryTest, DoublyLinkedChainOperations) {
  int32_t h = 0, t = 0;
  int32_t a = mem.AppendLinkedRecord(7, 1, 2, h, t);
  int32_t b = mem.AppendLinkedRecord(7, 1, 2, h, t);
  int32_t c = mem.AppendLinkedRecord(7, 1, 2, h, t);
  EXPECT_EQ(Walk(mem, h, t), (std::vector<int32_t>{a, b, c}));
  EXPECT_EQ(mem.IVLR(7, a, 2), 0);
  EXPECT_EQ(mem.IVLR(7, c, 2), b);

  struct Case { const char* what; int32_t removed; std::vector<int32_t> rest; };
  const Case cases[] = {{"middle", b, {a, c}}, {"head", a, {b, c}}, {"tail", c, {a, b}}};
  for (const Case& k : cases) {
    int32_t h2 = 0, t2 = 0;
    std::vector<int32_t> recs;
    for (int i = 0; i < 3; ++i) recs.push_back(mem.AppendLinkedRecord(7, 1, 2, h2, t2));
    int32_t victim = recs[size_t(k.removed == a ? 0 : k.removed == b ? 1 : 2)];
    mem.DetachRecord(7, 1, 2, h2, t2, victim);
    std::vector<int32_t> expect;
    for (int32_t r : k.rest) expect.push_back(recs[size_t(r == a ? 0 : r == b ? 1 : 2)]);
    EXPECT_EQ(Walk(mem, h2, t2), expect) << k.what;
  }

  // Unlinking the only member empties the chain and gives the record back.
  int32_t h3 = 0, t3 = 0;
  int32_t only = mem.AppendLinkedRecord(7, 1, 2, h3, t3);
  mem.UnlinkRecord(7, 1, 2, h3, t3, only);
  EXPECT_EQ(h3, 0);
  EXPECT_EQ(t3, 0);
  EXPECT_EQ(mem.IVLOFF(7), only);
}

TEST_F(RecordMemoryTest, MoveRecordToAnotherChain) {
  int32_t h1 = 0, t1 = 0, h2 = 0, t2 = 0;
  int32_t a = mem.AppendLinkedRecord(7, 1, 2, h1, t1);
  int32_t b = mem.AppendLinkedRecord(7, 1, 2, h1, t1);
  int32_t x = mem.AppendLinkedRecord(7, 1, 2, h2, t2);
  mem.MoveRecord(7, 1, 2, h1, t1, a, h2, t2);
  EXPECT_EQ(Walk(mem, h1, t1), (std::vector<int32_t>{b}));
  EXPECT_EQ(Walk(mem, h2, t2), (std::vector<int32_t>{x, a}));
  EXPECT_EQ(mem.IVLR(7, a, 2), x);
}

TEST_F(RecordMemoryTest, PagesBeyondTheCoreAreServed) {
  // Every core page as a whole-page record, then one page more.
  for (int32_t p = 1; p <= RecordMemory::CorePages; ++p) ASSERT_EQ(mem.IVLOFF(56), p);
  int32_t extra = mem.IVLOFF(56);
  EXPECT_EQ(extra, RecordMemory::CorePages + 1);
  EXPECT_EQ(mem.IVLR(56, extra, 56), 0);
  mem.VLW(56, extra, 56, 7);
  EXPECT_EQ(mem.IVLR(56, extra, 56), 7);
}

TEST_F(RecordMemoryTest, InitForgetsThePreviousRun) {
  int32_t r = mem.IVLOFF(4);
  mem.VLW(4, r, 3, 5);
  mem.InitRecordMemory();
  EXPECT_EQ(mem.IVLR(4, r, 3), 0);
  EXPECT_EQ(mem.IVLOFF(2), 1);
}

// The words of a large run are taken again by the next one: its records come with the same
// numbers, every field 0 and nothing marked as given back, over several blocks of words, for
// every size class (pages that straddle two blocks included). A class that has the memory to
// itself hands out its records in order.
TEST_F(RecordMemoryTest, ARunAfterALargeOneTakesCleanRecords) {
  for (int32_t pool : {2, 4, 7, 8, 14, 28, 56}) {
    SCOPED_TRACE(pool);
    mem.InitRecordMemory();
    const int64_t count = int64_t(3) * WordSpace::BlockWords / RecordMemory::SlotLength(pool);
    std::vector<int32_t> first;
    for (int64_t k = 0; k < count; ++k) {
      const int32_t r = mem.IVLOFF(pool);
      ASSERT_EQ(r, k + 1);
      for (int32_t f = 1; f <= pool; ++f) mem.VLW(pool, r, f, -1);
      first.push_back(r);
    }
    // Every other record given back: marks all over the blocks.
    for (size_t k = 0; k < first.size(); k += 2) mem.VLON(pool, first[k]);
    mem.InitRecordMemory();
    for (int64_t k = 0; k < count; ++k) {
      const int32_t r = mem.IVLOFF(pool);
      ASSERT_EQ(r, first[size_t(k)]);
      ASSERT_TRUE(mem.IsLiveRecord(pool, r));
      for (int32_t f = 2; f <= pool; ++f) ASSERT_EQ(mem.IVLR(pool, r, f), 0) << r << " " << f;
    }
  }
}

// A reset keeps the blocks of the run before, for the same grammar read again; once a smaller
// run follows, the blocks beyond the kept ones go back: one very large run does not hold its
// memory for good. The words taken again read 0, kept block or fresh.
TEST(WordSpaceTest, AVeryLargeRunKeepsItsBlocksForTheNextRunOnly) {
  constexpr size_t Large = (WordSpace::KeptBlocks + 2) * WordSpace::BlockWords;
  WordSpace words;
  words.Grow(Large);
  words[Large - 1] = 7;
  words.Reset(0);
  words.Reset(Large);  // a run's second reset, with nothing taken since the first
  EXPECT_EQ(words.HeldWords(), Large);
  EXPECT_EQ(words[Large - 1], 0);
  words.Reset(10);
  EXPECT_EQ(words.HeldWords(), Large);
  words[9] = 5;
  words.Reset(12);
  EXPECT_EQ(words.HeldWords(), WordSpace::KeptBlocks * WordSpace::BlockWords);
  EXPECT_EQ(words.size(), 12u);
  EXPECT_EQ(words[9], 0);
  words.Grow(Large);
  EXPECT_EQ(words[Large - 1], 0);
}

TEST_F(RecordMemoryTest, ExhaustionStopsTheRunWithItsMessage) {
  mem.SetCapacityPages(2);
  EXPECT_EQ(mem.IVLOFF(56), 1);
  EXPECT_EQ(mem.IVLOFF(56), 2);
  EXPECT_THROW(mem.IVLOFF(2), RunStopped);
  EXPECT_TRUE(eng->Stopped());
  EXPECT_EQ(eng->out.LastError,
            "MODULE VLTOVR: Fatal error: end of space to swop (INICUR(NDISK).GT.IREND)");
  // Still stopped, without a second message.
  eng->out.LastError.clear();
  EXPECT_THROW(mem.IVLOFF(56), RunStopped);
  EXPECT_EQ(eng->out.LastError, "");
  mem.InitRecordMemory();
  EXPECT_FALSE(eng->Stopped());
  EXPECT_EQ(mem.IVLOFF(56), 1);
}

// Records given back twice, chains given back over a member that went before, and a free
// chain written over: no record is ever handed out while in use, and none twice.
TEST_F(RecordMemoryTest, NoRecordIsHandedOutTwice) {
  const struct {
    const char* what;
    void (*damage)(RecordMemory&, std::vector<int32_t>&);
  } cases[] = {
      {"given back twice",
       [](RecordMemory& m, std::vector<int32_t>& r) {
         m.VLON(4, r[0]);
         m.VLON(4, r[0]);
       }},
      {"chain given back over a member given back before",
       [](RecordMemory& m, std::vector<int32_t>& r) {
         m.VLON(4, r[1]);
         m.ReleaseRecord(4, r[0], r[2]);
         m.ReleaseRecord(4, r[0], r[2]);
       }},
      {"free chain written over",
       [](RecordMemory& m, std::vector<int32_t>& r) {
         m.VLON(4, r[0]);
         m.VLW(4, r[0], 1, r[3]);  // the free record now leads to one in use
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    eng = std::make_unique<Engine>();
    RecordMemory& m = eng->mem;
    std::vector<int32_t> chain;
    int32_t head = 0, tail = 0;
    for (int i = 0; i < 4; ++i) chain.push_back(m.AppendRecord(4, 1, head, tail));
    c.damage(m, chain);
    std::set<int32_t> inUse;
    for (int32_t r : chain)
      if (m.IsLiveRecord(4, r)) inUse.insert(r);
    for (int i = 0; i < 40; ++i) {
      const int32_t r = m.IVLOFF(4);
      EXPECT_TRUE(inUse.insert(r).second) << r;
    }
  }
}

// A chain refilled again and again holds the same records, fields and free chain as one given
// back and taken anew record by record, also when the chain or its free records were touched
// between two refills.
TEST_F(RecordMemoryTest, RefilledChainAsIfTakenOneByOne) {
  const struct {
    const char* what;
    void (*touch)(RecordMemory&, int32_t head, int32_t tail);
  } cases[] = {
      {"untouched", [](RecordMemory&, int32_t, int32_t) {}},
      {"a member given back",
       [](RecordMemory& m, int32_t head, int32_t) { m.VLON(4, m.IVLR(4, head, 1)); }},
      {"a link cut", [](RecordMemory& m, int32_t head, int32_t) { m.VLW(4, head, 1, 0); }},
      {"a record of another pool of the class taken",
       [](RecordMemory& m, int32_t, int32_t) { m.VLW(3, m.IVLOFF(3), 2, 9); }},
      {"the chain given back",
       [](RecordMemory& m, int32_t head, int32_t tail) { m.ReleaseRecord(4, head, tail); }},
  };
  const int64_t counts[] = {5, 9, 3, 0, 4, 30, 30, 1, 17, 2};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Engine refilled, plain;
    Chain a, b;
    for (size_t step = 0; step < std::size(counts); ++step) {
      const int64_t count = counts[step];
      refilled.mem.RefillChain(4, a.First, a.Last, count, [&](int64_t k, auto&& set) {
        set(2, int32_t(step * 100 + k));
        set(3, int32_t(k));
      });
      if (b.First >= 1) plain.mem.ReleaseRecord(4, b.First, b.Last);
      b = Chain{};
      for (int64_t k = 0; k < count; ++k) {
        const int32_t r = plain.mem.AppendRecord(4, 1, b.First, b.Last);
        plain.mem.VLW(4, r, 2, int32_t(step * 100 + k));
        plain.mem.VLW(4, r, 3, int32_t(k));
      }
      ASSERT_EQ(a, b) << step;
      for (int32_t r = b.First, k = 0; r >= 1 && k <= count; r = plain.mem.IVLR(4, r, 1), ++k) {
        for (int32_t field = 1; field <= 4; ++field)
          ASSERT_EQ(refilled.mem.IVLR(4, r, field), plain.mem.IVLR(4, r, field)) << step;
        if (r == b.Last) break;
      }
      if (step % 3 == 1 && a.First >= 1) {
        c.touch(refilled.mem, a.First, a.Last);
        c.touch(plain.mem, b.First, b.Last);
      }
    }
    for (int k = 0; k < 100; ++k) ASSERT_EQ(refilled.mem.IVLOFF(4), plain.mem.IVLOFF(4)) << k;
  }
}

}  // namespace
}  // namespace mv
