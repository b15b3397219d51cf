// The name index beside the bucket chains changes nothing that can be seen: large random
// grammars, built once with the index and once with every look-up walking its bucket, give
// the same listings, select sets, matrices and record numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine.h"
#include "store/name_key_index.h"
#include "support/work_folder.h"

namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A random grammar through the builder: a few thousand names drawn from a small alphabet, so
// that many share a bucket and many are met again, with groups, repetitions and actions.
void BuildRandomGrammar(mv::Engine& eng, uint32_t seed) {
  std::mt19937 rng(seed);
  mv::Builder& b = eng.builder;
  auto name = [&](int n) {
    b.BKSNAI();
    // Anagrams share a bucket: the hash is a sum of codes.
    std::string text = std::to_string(n);
    std::shuffle(text.begin(), text.end(), rng);
    for (unsigned char c : "n" + text) b.BKSSYM(c);
  };
  auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
  b.BKSACT();
  const int rules = 3000;
  for (int r = 0; r < rules; ++r) {
    name(r == 0 ? 0 : pick(rules + 400));
    b.BKSNLI();
    b.BKSGMN();
    for (int a = 0, alts = 1 + pick(3); a < alts; ++a) {
      b.BKSNL();
      int items = pick(4);
      if (items == 0) b.BKSNUL();
      for (int i = 0; i < items; ++i) {
        switch (pick(9)) {
          case 0: case 1: case 2:
            name(pick(rules + 400));
            b.BKSNTM();
            break;
          case 3: case 4:
            b.BKSNAI();
            for (int k = 0, len = 1 + pick(2); k < len; ++k) b.BKSSYM('a' + pick(20));
            b.BKSTRM();
            break;
          case 5:
            b.BKSNAI();
            b.BKSSYM('a' + pick(5));
            b.BKSSYM('0' + pick(10));
            b.BKSACR();
            break;
          case 7:
            // A name spelled on after it was placed gets a chain of its own; codes outside a
            // byte belong to the chain only.
            name(pick(rules + 400));
            b.BKSNTM();
            b.BKSSYM(pick(2) ? 300 + pick(3) : -1 - pick(3));
            b.BKSNTM();
            b.BKSSYM('q');
            b.BKSTRM();
            break;
          case 6:
            b.BKSBRO();
            b.BKSNL();
            name(pick(rules));
            b.BKSNTM();
            b.BKSEND();
            b.BKSBRC();
            break;
          default:
            b.BKSBCO();
            b.BKSNL();
            b.BKSNAI();
            b.BKSSYM('x');
            b.BKSTRM();
            b.BKSEND();
            b.BKSBCN();
            break;
        }
      }
      b.BKSEND();
    }
  }
}

// Everything a run writes after the cleaning and the analysis, with the record numbers of the
// lists it hands out.
std::string RunOutputs(bool index, uint32_t seed) {
  test_support::WorkFolder folder("name-index");
  mv::Engine eng;
  eng.BnfParserInit(8, folder.Path().string(), 0, 0, 0);
  eng.store.NameIndexOn = index;
  BuildRandomGrammar(eng, seed);
  std::ostringstream out;
  mv::Chain g = eng.extra.IdenticalRules();
  mv::Chain dead, alive, unreachable, reachable;
  eng.extra.Alive(dead, alive);
  eng.out.WriteResultFile(mv::ResultFileKind::Nonterminals, dead.First, dead.Last, "", ".dead");
  eng.extra.DeleteNonterminals(dead.First, dead.Last);
  eng.extra.UnReachable(unreachable, reachable);
  eng.out.WriteResultFile(mv::ResultFileKind::Nonterminals, unreachable.First, unreachable.Last,
                          "", ".unr");
  eng.extra.DeleteNonterminals(unreachable.First, unreachable.Last);
  out << g.First << ' ' << g.Last << ' ' << dead.First << ' ' << dead.Last << ' ' << alive.First
      << ' ' << alive.Last << ' ' << unreachable.First << ' ' << reachable.Last << '\n';
  mv::Chain nullable = eng.an.Nullable();
  out << nullable.First << ' ' << eng.an.NtmNumbering() << ' ' << eng.an.TrmNumbering() << ' '
      << eng.an.RulesNumbering() << '\n';
  g = eng.store.Grammar;
  eng.out.WriteResultFile(mv::ResultFileKind::Rules, g.First, g.Last, "", ".rul");
  eng.out.WriteResultFile(mv::ResultFileKind::Grammar, g.First, g.Last, "", ".grm");
  out << eng.an.InitMatrix() << '\n';
  eng.an.IsEndOf();
  eng.an.IsFollowedDirectlyBy();
  eng.an.EndOf_FolDirBy_Prod();
  eng.an.BeginsWith();
  eng.an.IsFollowedBy();
  out << std::hash<std::string>{}(eng.an.MatrixText(mv::Analysis::Matrix::FollowedBy)) << '\n';
  int16_t verdict = 0;
  eng.an.FileSetOfSelect(".sel", verdict);
  out << verdict << '\n';
  const std::string base = mv::TrimmedRight(eng.store.ResultBaseName);
  for (const char* ext : {".dead", ".unr", ".tmp", ".rul", ".grm", ".sel"}) {
    const std::string text = FileText(folder.Path() / (base + ext));
    EXPECT_FALSE(text.empty()) << ext;
    out << ext << '\n' << text;
  }
  return out.str();
}

TEST(NameIndex, RandomGrammarsGiveTheSameOutputsWithAndWithoutIndex) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE(seed);
    const std::string plain = RunOutputs(false, seed);
    const std::string indexed = RunOutputs(true, seed);
    ASSERT_GT(plain.size(), 10000u);
    EXPECT_TRUE(plain == indexed);
  }
}

// Names looked up through what was gathered while they were spelled sit in the bucket that
// their characters give, as names looked up by walking them do.
TEST(NameIndex, EveryNameSitsInTheBucketOfItsCharacters) {
  test_support::WorkFolder folder("name-index");
  mv::Engine eng;
  eng.BnfParserInit(8, folder.Path().string(), 0, 0, 0);
  BuildRandomGrammar(eng, 6);
  const mv::RecordMemory& m = eng.mem;
  mv::GrammarStore& st = eng.store;
  struct Table {
    int32_t pool, firstBucket;
    mv::Chain list;
  } tables[] = {{mv::NonterminalPool, mv::NonterminalBuckets, st.Grammar},
                {mv::TerminalPool, mv::TerminalBuckets, st.Terminals},
                {mv::ActionPool, mv::ActionBuckets, st.Actions}};
  int names = 0;
  for (const Table& t : tables)
    for (int32_t r = t.list.First; r >= 1; r = m.IVLR(t.pool, r, 1)) {
      const int32_t bucket = t.firstBucket + st.NameHash(mv::NameHashModulus, m.IVLR(t.pool, r, 3),
                                                         m.IVLR(t.pool, r, 4));
      bool there = false;
      const int32_t last = m.IVLR(t.pool, st.NameTable[size_t(bucket)], 6);
      for (int32_t b = st.NameTable[size_t(bucket)]; b >= 1 && !there; b = m.IVLR(t.pool, b, 5)) {
        there = b == r;
        if (b == last) break;
      }
      EXPECT_TRUE(there) << "record " << r << " of pool " << t.pool;
      ++names;
      if (r == t.list.Last) break;
    }
  EXPECT_GT(names, 3000);
}

// An engine at a run start, with the index on or off, and a name spelled through its builder.
struct IndexedRun {
  explicit IndexedRun(bool index) {
    eng.BnfParserInit(0, folder.Path().string(), 0, 0, 0);
    eng.store.NameIndexOn = index;
  }
  void Name(const char* text) {
    eng.builder.BKSNAI();
    for (const char* c = text; *c; ++c) eng.builder.BKSSYM(*c);
  }
  test_support::WorkFolder folder{"name-index"};
  mv::Engine eng;
};

// Deleted names leave the index as they leave the buckets: reading a deleted name again adds a
// new record in both cases.
TEST(NameIndex, DeletedAndClearedNamesAreForgottenByTheIndex) {
  for (bool index : {false, true}) {
    SCOPED_TRACE(index);
    IndexedRun run(index);
    mv::Engine& eng = run.eng;
    mv::Builder& b = eng.builder;
    auto name = [&](const char* text) { run.Name(text); };
    b.BKSACT();
    name("S"); b.BKSNLI(); b.BKSGMN(); b.BKSNL(); name("s"); b.BKSTRM(); b.BKSEND();
    name("D"); b.BKSNTM();
    mv::Chain dead, alive;
    eng.extra.Alive(dead, alive);
    ASSERT_GE(dead.First, 1);
    eng.extra.DeleteNonterminals(dead.First, dead.Last);
    name("D");
    b.BKSNTM();
    EXPECT_FALSE(eng.store.Found);
    name("S");
    b.BKSNTM();
    EXPECT_TRUE(eng.store.Found);
    b.BKSACT();
    name("S");
    b.BKSNTM();
    EXPECT_FALSE(eng.store.Found);
  }
}

// A record given back through a stale handle while the name tables still list it, and taken
// over by an action (a record of the same size), no longer carries its name: a later look-up
// of the name, as an element or as a rule head read lately (last, or before a group), does
// not lead to it, with the index as without.
TEST(NameIndex, ARecordGivenBackUnderItsNameIsNotFoundAgain) {
  enum Reading { Element, ReopenedHead, ReopenedAfterGroup };
  const struct {
    int32_t handlePool;
    Reading reading;
  } cases[] = {{mv::NonterminalPool, Element},
               {mv::ActionPool, Element},
               {mv::NonterminalPool, ReopenedHead},
               {mv::ActionPool, ReopenedHead},
               {mv::NonterminalPool, ReopenedAfterGroup}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.handlePool) + " " + std::to_string(c.reading));
    std::string outcome[2];
    for (bool index : {false, true}) {
      IndexedRun run(index);
      mv::Engine& eng = run.eng;
      mv::Builder& b = eng.builder;
      auto name = [&](const char* text) { run.Name(text); };
      b.BKSACT();
      name("A"); b.BKSNLI(); b.BKSGMN(); b.BKSNL(); name("B"); b.BKSNTM();
      if (c.reading == ReopenedAfterGroup) {
        b.BKSBRO(); b.BKSNL(); name("C"); b.BKSNTM(); b.BKSEND(); b.BKSBRC();
      }
      b.BKSEND();
      const int32_t a = eng.store.Grammar.First;
      const mv::Chain head = b.RuleHeadName;
      eng.mem.VLON(c.handlePool, a);
      name("act");
      b.BKSACR();
      ASSERT_EQ(eng.mem.IVLR(mv::ElementPool, eng.store.CurrentAlternative.Last, mv::ElemReferent), a);
      int32_t led = 0;
      if (c.reading == Element) {
        name("A");
        b.BKSNTM();
        led = eng.mem.IVLR(mv::ElementPool, eng.store.CurrentAlternative.Last, mv::ElemReferent);
      } else {
        ASSERT_EQ(b.RuleHeadName, head);
        b.BKSNL();
        // The name leads to the record that took the new alternative.
        name("A");
        led = eng.store.FindOrAddNonterminal(b.CurrentName.Chars.First, b.CurrentName.Chars.Last);
        EXPECT_TRUE(eng.store.Found);
        EXPECT_EQ(eng.mem.IVLR(mv::NonterminalPool, led, mv::NtmLastRule), eng.store.CurrentAlternative.Rule);
      }
      EXPECT_NE(led, a);
      outcome[index] = std::to_string(eng.store.Found) + " " + std::to_string(led) + " " +
                       std::to_string(eng.store.Grammar.First) + " " + std::to_string(eng.store.Grammar.Last);
    }
    EXPECT_EQ(outcome[0], outcome[1]);
  }
}

// The hash a spelled name carries along byte by byte is the hash of its whole key, and the
// index finds every key it holds through many growths, with some keys removed on the way.
TEST(NameIndex, KeysStayFoundThroughGrowthAndCarriedHashes) {
  for (const std::string key : {std::string("L"), std::string("abcL"),
                                std::string("\xff\x01\x02\x03\x04R"), std::string(300, 'x')}) {
    uint64_t h = mv::NameKeyIndex::Seed;
    for (size_t i = 0; i + 1 < key.size(); ++i) h = mv::NameKeyIndex::Step(h, uint8_t(key[i]));
    EXPECT_EQ(mv::NameKeyIndex::Finish(mv::NameKeyIndex::Step(h, uint8_t(key.back()))),
              mv::NameKeyIndex::Hash(key));
  }
  mv::NameKeyIndex index;
  const int n = 20000;
  auto key = [](int i) { return "k" + std::to_string(i) + "L"; };
  for (int i = 1; i <= n; ++i) {
    index.Add(key(i), i);
    if (i % 7 == 0) index.Remove(key(i / 2), i / 2);
  }
  for (int i = 1; i <= n; ++i) {
    const bool removed = i * 2 <= n && (i * 2) % 7 == 0;
    const bool removedLate = (i * 2 + 1) <= n && (i * 2 + 1) % 7 == 0;
    EXPECT_EQ(index.Find(key(i)), removed || removedLate ? 0 : i) << i;
  }
  EXPECT_EQ(index.Find("kL"), 0);
}

// Two keys whose hashes fold to the same 32 bits land in one slot's run with the same tag:
// only their bytes tell them apart, and removing one leaves the other.
TEST(NameIndex, KeysWithTheSameTagAreToldApartByTheirBytes) {
  auto key = [](int i) { return "c" + std::to_string(i) + "L"; };
  auto fold = [](uint64_t h) { return uint32_t(h ^ (h >> 32)); };
  std::unordered_map<uint32_t, int> seen;
  int a = 0, b = 0;
  for (int i = 1; i < 2000000 && a == 0; ++i) {
    const auto [at, added] = seen.emplace(fold(mv::NameKeyIndex::Hash(key(i))), i);
    if (!added) a = at->second, b = i;
  }
  ASSERT_NE(a, 0) << "no two keys share a tag";
  mv::NameKeyIndex index;
  index.Add(key(a), 1);
  index.Add(key(b), 2);
  EXPECT_EQ(index.Find(key(a)), 1);
  EXPECT_EQ(index.Find(key(b)), 2);
  index.Remove(key(a), 1);
  EXPECT_EQ(index.Find(key(a)), 0);
  EXPECT_EQ(index.Find(key(b)), 2);
  index.Add(key(a), 3);
  EXPECT_EQ(index.Find(key(a)), 3);
}

// Removed keys leave their entries behind; when the key space runs short they go and the
// live keys keep their records. Only live keys that fill the room are refused.
TEST(NameIndex, RemovedEntriesMakeRoomAndLiveKeysStay) {
  mv::NameKeyIndex index;
  index.SetKeyRoom(200);
  index.Add("keepA", 1);
  index.Add("keepB", 2);
  for (int i = 0; i < 1000; ++i) {
    const std::string key = "churn" + std::to_string(i);
    index.Add(key, 10 + i);
    ASSERT_EQ(index.Find(key), 10 + i) << i;
    index.Remove(key, 10 + i);
    ASSERT_EQ(index.Find(key), 0) << i;
  }
  EXPECT_EQ(index.Find("keepA"), 1);
  EXPECT_EQ(index.Find("keepB"), 2);
  EXPECT_THROW(
      for (int i = 0; i < 100; ++i) index.Add("live" + std::to_string(i), 100 + i), std::length_error);
  EXPECT_EQ(index.Find("keepA"), 1);
  EXPECT_EQ(index.Find("live0"), 100);
}

// A cleared index forgets every key, whether it kept its slots for the next run (well filled)
// or gave them back (filled little, or with most keys removed), and takes keys again.
TEST(NameIndex, AClearedIndexForgetsEveryKeyWhetherItKeepsItsSlotsOrNot) {
  auto key = [](int i) { return "k" + std::to_string(i) + "L"; };
  const struct {
    int added, removed;
  } cases[] = {{20000, 0}, {20000, 19000}, {3, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.added);
    mv::NameKeyIndex index;
    for (int i = 1; i <= c.added; ++i) index.Add(key(i), i);
    for (int i = 1; i <= c.removed; ++i) index.Remove(key(i), i);
    index.Clear();
    EXPECT_TRUE(index.IsEmpty());
    for (int i = 1; i <= c.added; ++i) ASSERT_EQ(index.Find(key(i)), 0) << i;
    for (int i = 1; i <= 100; ++i) index.Add(key(i * 3), i);
    for (int i = 1; i <= 300; ++i) ASSERT_EQ(index.Find(key(i)), i % 3 == 0 ? i / 3 : 0) << i;
  }
}

}  // namespace
