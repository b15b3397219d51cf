// Left factoring, left-recursion loops, immediate left recursion and corner substitution on
// small grammars, each result as its exact grammar-file listing.
#include <fstream>
#include <utility>

#include "engine/support/small_disk.h"
#include "engine/transform/transform_fixture.h"
#include "exports.h"

namespace mv::testing {
namespace {

using Alternatives = std::vector<std::vector<std::string>>;
// Every worked example keeps the strings of up to this length that it derives.
constexpr size_t MaxLength = 6;
using RuleList = std::vector<std::pair<std::string, Alternatives>>;

struct Case {
  const char* what;
  RuleList rules;
  std::string listing;
};

class TransformTest : public TransformFixture {
protected:
  void Build(const RuleList& rules) {
    Start(CppProcedural);
    for (const auto& [head, alts] : rules) Rule(head, alts);
  }
  std::string HistoryFile() { return ReadFile(TrimmedRight(eng->store.ResultBaseName) + ".temp"); }
};

TEST_F(TransformTest, LeftFactoring) {
  const Case cases[] = {
      {"a common prefix of two, the rest apart",
       {{"E", {{"a", "b", "c"}, {"a", "b", "d"}, {"e"}}}},
       "<E>::=ab<$E_ab>\n      |e\n<$E_ab>::=c\n      |d\n"},
      {"the scanned alternative's own last element joins the prefix",
       {{"E", {{"a", "b"}, {"a", "b", "c"}}}},
       "<E>::=ab<$E_ab>\n<$E_ab>::=\n      |c\n"},
      {"a later alternative's last element ends the prefix before it; the new one is factored",
       {{"E", {{"a", "b", "c"}, {"a", "b"}}}},
       "<E>::=a<$E_a>\n<$E_a>::=b<$$E_a_b>\n<$$E_a_b>::=c\n      |\n"},
      {"three alternatives, one group with K = 1",
       {{"E", {{"a", "b"}, {"a", "c"}, {"a", "d"}}}},
       "<E>::=a<$E_a>\n<$E_a>::=b\n      |c\n      |d\n"},
      {"an empty first element is never a group member",
       {{"E", {{""}, {"a", "b"}, {"a", "c"}}}},
       "<E>::=\n      |a<$E_a>\n<$E_a>::=b\n      |c\n"},
      {"a prefix of mixed kinds is taken whole",
       {{"E", {{"a", "<B>", "x"}, {"a", "<B>", "y"}}}, {"B", {{"b"}}}},
       "<E>::=a<B><$E_aB>\n<B>::=b\n<$E_aB>::=x\n      |y\n"},
      {"an action followed by a terminal",
       {{"E", {{"`s`", "a", "x"}, {"`s`", "a", "y"}}}},
       "<E>::=`s`a<$E_sa>\n<$E_sa>::=x\n      |y\n`s`::=\n"},
      {"> and an apostrophe in the new name",
       {{"E", {{">", "'", "x"}, {">", "'", "y"}}}},
       "<E>::=>\"'\"<$E_chr(62)''>\n<$E_chr(62)''>::=x\n      |y\n"},
      {"nothing in common: unchanged",
       {{"E", {{"a"}, {"b", "<F>"}}}, {"F", {{"f", "g"}}}},
       "<E>::=a\n      |b<F>\n<F>::=fg\n"},
      {"a terminal ab and the prefix a b get names of their own",
       {{"E", {{"ab", "x"}, {"ab", "y"}, {"a", "b", "z"}, {"a", "b", "w"}}}},
       "<E>::=ab<$E_ab>\n      |ab<$E_ab_2>\n<$E_ab>::=x\n      |y\n<$E_ab_2>::=z\n      |w\n"},
      {"a nonterminal of the user's with the new name is left alone",
       {{"E", {{"a", "x"}, {"a", "y"}, {"<$E_a>"}}}, {"$E_a", {{"q"}}}},
       "<E>::=a<$E_a_2>\n      |<$E_a>\n<$E_a>::=q\n<$E_a_2>::=x\n      |y\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.rules);
    const std::set<std::string> language = Language(MaxLength);
    EXPECT_TRUE(t().LeftFactoring());
    EXPECT_EQ(Listing(), c.listing);
    EXPECT_EQ(Language(MaxLength), language);
    EXPECT_TRUE(Extraneous().empty());
  }
  Start(CppProcedural);
  EXPECT_FALSE(t().LeftFactoring());
}

TEST_F(TransformTest, RecursiveLoops) {
  const Case cases[] = {
      {"a lower-numbered corner is substituted after the existing alternatives",
       {{"S", {{"<A>", "a"}, {"b"}}}, {"A", {{"<A>", "c"}, {"<S>", "d"}}}},
       "<S>::=<A>a\n      |b\n<A>::=<A>c\n      |<A>ad\n      |bd\n"},
      {"only the first of two lower-numbered corners in one call",
       {{"S", {{"<B>"}, {"<A>"}, {"s"}}}, {"B", {{"b"}}}, {"A", {{"<S>", "x"}, {"<B>", "y"}, {"z"}}}},
       "<S>::=<B>\n      |<A>\n      |s\n<B>::=b\n"
       "<A>::=<B>y\n      |z\n      |<B>x\n      |<A>x\n      |sx\n"},
      {"the last alternative with a one-alternative corner goes on being scanned",
       {{"S", {{"<B>", "q"}}}, {"B", {{"<A>"}, {"b"}}}, {"A", {{"c"}, {"<S>", "x"}}}},
       "<S>::=<B>q\n<B>::=<A>\n      |b\n<A>::=c\n      |<A>qx\n      |bqx\n"},
      {"leading actions are kept, an empty alternative of the corner leaves the rest",
       {{"S", {{"<A>"}, {""}}}, {"A", {{"`x`", "<S>", "y"}, {"a"}}}},
       "<S>::=<A>\n      |\n<A>::=a\n      |`x`<A>y\n      |`x`y\n`x`::=\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.rules);
    const std::set<std::string> language = Language(MaxLength);
    EXPECT_TRUE(t().RecursiveLoops());
    EXPECT_EQ(Listing(), c.listing);
    EXPECT_EQ(Language(MaxLength), language);
    EXPECT_TRUE(Extraneous().empty());
  }
  Start(CppProcedural);
  EXPECT_FALSE(t().RecursiveLoops());
}

TEST_F(TransformTest, RecursiveLoopsEndOnACycleOfDeadCorners) {
  // B and C are dead: substituting one for the other would never end.
  Build({{"S", {{"<B>"}, {"<C>"}, {"<A>"}, {"s"}}}, {"B", {{"<C>"}}}, {"C", {{"<B>"}}},
         {"A", {{"<B>", "x"}}}});
  EXPECT_TRUE(t().RecursiveLoops());
  EXPECT_EQ(Listing(),
            "<S>::=<B>\n      |<C>\n      |<A>\n      |s\n<B>::=<C>\n<C>::=<C>\n<A>::=<C>x\n");
}

TEST_F(TransformTest, SelfRecursion) {
  const Case cases[] = {
      {"E -> E + T | E - T | T",
       {{"E", {{"<E>", "+", "<T>"}, {"<E>", "-", "<T>"}, {"<T>"}}}, {"T", {{"t"}}}},
       "<E>::=<T><$E>\n<T>::=t\n<$E>::=+<T><$E>\n      |\"-\"<T><$E>\n      |\n"},
      {"A -> A a | b", {{"A", {{"<A>", "a"}, {"b"}}}}, "<A>::=b<$A>\n<$A>::=a<$A>\n      |\n"},
      {"two left-recursive alternatives",
       {{"A", {{"<A>", "a"}, {"<A>", "b"}, {"c"}}}},
       "<A>::=c<$A>\n<$A>::=a<$A>\n      |b<$A>\n      |\n"},
      {"A -> A goes with the actions around it",
       {{"A", {{"`x`", "<A>", "`y`"}, {"a"}}}},
       "<A>::=a\n`x`::=\n`y`::=\n"},
      {"A -> A A is no cycle: it derives more than A when A is nullable",
       {{"A", {{"<A>", "<A>"}, {"a"}, {""}}}},
       "<A>::=a<$A>\n      |<$A>\n<$A>::=<A><$A>\n      |\n"},
      {"all alternatives left-recursive: unchanged",
       {{"S", {{"<A>"}, {"s"}}}, {"A", {{"<A>", "a"}, {"<A>", "b"}}}},
       "<S>::=<A>\n      |s\n<A>::=<A>a\n      |<A>b\n"},
      {"remembered leading actions go in front of the rebuilt alternative",
       {{"A", {{"`x`", "<A>", "a"}, {"b"}}}},
       "<A>::=`x`b<$A>\n<$A>::=a<$A>\n      |\n`x`::=\n"},
      {"the empty alternative becomes the empty element and $A",
       {{"A", {{"<A>", "a"}, {""}}}},
       "<A>::=<$A>\n<$A>::=a<$A>\n      |\n"},
      {"a nonterminal of the user's named $A is left alone",
       {{"A", {{"<A>", "a"}, {"<$A>"}}}, {"$A", {{"c"}}}},
       "<A>::=<$A><$A_2>\n<$A>::=c\n<$A_2>::=a<$A_2>\n      |\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.rules);
    const std::set<std::string> language = Language(MaxLength);
    EXPECT_TRUE(t().SelfRecursion());
    EXPECT_EQ(Listing(), c.listing);
    EXPECT_EQ(Language(MaxLength), language);
  }
  Start(CppProcedural);
  EXPECT_FALSE(t().SelfRecursion());
}

TEST_F(TransformTest, CornerSubstitution) {
  struct SubstCase {
    const char* what;
    RuleList rules;
    int32_t substitutions;
    std::string listing;
    std::vector<ClashRecord> clashes;
  };
  const ClashSymbol B{KindNonterminal, "B"}, b{KindTerminal, "b"}, x{KindTerminal, "x"},
      a{KindTerminal, "a"}, empty{KindEmpty, ""};
  const SubstCase cases[] = {
      {"an LL(1) grammar is left alone",
       {{"A", {{"a"}, {"<B>"}}}, {"B", {{"b"}}}}, 0, "<A>::=a\n      |<B>\n<B>::=b\n", {}},
      {"two corners clash: both substituted, the corner's rule goes",
       {{"A", {{"<B>", "x"}, {"<B>", "y"}}}, {"B", {{"b"}}}}, 2, "<A>::=bx\n      |by\n",
       {{B, B}}},
      {"a terminal against a corner: only the corner is substituted",
       {{"A", {{"b", "x"}, {"<B>", "y"}}}, {"B", {{"b"}}}}, 1, "<A>::=bx\n      |by\n",
       {{b, B}}},
      {"a nullable corner clashes with the empty alternative on the end marker",
       {{"A", {{"<B>"}, {""}}}, {"B", {{""}, {"x"}}}}, 1, "<A>::=\n      |\n      |x\n",
       {{B, empty}}},
      {"three alternatives with one first terminal: two clashes",
       {{"A", {{"a"}, {"a", "b"}, {"a", "c"}}}}, 0, "<A>::=a\n      |ab\n      |ac\n",
       {{a, a}, {a, a}}},
      {"a corner that is its own nonterminal is substituted from a snapshot",
       {{"A", {{"<A>", "x"}, {"a"}}}}, 1, "<A>::=a\n      |<A>xx\n      |ax\n",
       {{{KindNonterminal, "A"}, a}}},
      {"the elements after an empty element are copied",
       {{"A", {{"<B>", "x"}, {"x"}}}, {"B", {{"", "<C>"}}}, {"C", {{"x"}}}}, 1,
       "<A>::=x\n      |<C>x\n<C>::=x\n", {{B, x}}},
  };
  for (const SubstCase& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.rules);
    std::filesystem::remove(folder / (TrimmedRight(eng->store.ResultBaseName) + ".temp"));
    Analyse();
    const std::set<std::string> language = Language(MaxLength);
    int32_t substitutions = -1, loops = -1;
    EXPECT_TRUE(t().SubstOfAmbigCorner(substitutions, loops));
    EXPECT_EQ(substitutions, c.substitutions);
    EXPECT_EQ(loops, 0);
    EXPECT_EQ(Listing(), c.listing);
    EXPECT_EQ(Language(MaxLength), language);
    ASSERT_EQ(t().ClashList.size(), c.clashes.size());
    std::string history;
    for (size_t i = 0; i < c.clashes.size(); ++i) {
      EXPECT_EQ(t().ClashList[i].First, c.clashes[i].First);
      EXPECT_EQ(t().ClashList[i].Second, c.clashes[i].Second);
      history += Transform::HistoryLine(c.clashes[i]) + "\n";
    }
    // An LL(1) grammar leaves no file behind.
    EXPECT_EQ(HistoryFile(), history);
    EXPECT_TRUE(Extraneous().empty());
  }
}

// The window program prints the grammar after a substitution through the list its last run
// kept; the substitution may have taken that list's last member out.
TEST_F(TransformTest, TheKeptGrammarListReadsAsTheGrammarAfterItsLastMemberWentOut) {
  Build({{"A", {{"<B>", "x"}, {"<B>", "y"}}}, {"B", {{"b"}}}});
  std::filesystem::remove(folder / (TrimmedRight(eng->store.ResultBaseName) + ".temp"));
  Analyse();
  const Chain kept = Grammar();
  ASSERT_NE(kept.First, kept.Last);
  int32_t substitutions = 0, loops = 0;
  t().SubstOfAmbigCorner(substitutions, loops);
  ASSERT_FALSE(eng->mem.IsLiveRecord(NonterminalPool, kept.Last));
  const Chain now = ListingArgument(*eng, &kept.First, &kept.Last);
  EXPECT_EQ(now.First, Grammar().First);
  EXPECT_EQ(now.Last, Grammar().Last);
  // A list that is not the grammar's stays empty when a member is gone.
  const int32_t other = Grammar().First + 1000;
  EXPECT_EQ(ListingArgument(*eng, &other, &kept.Last).First, 0);
  // Nor does any other export take the kept list for the grammar.
  EXPECT_EQ(ListArgument(*eng, &kept.First, &kept.Last).First, 0);
}

TEST_F(TransformTest, AClashOfAnEarlierCycleIsALoopInEitherOrder) {
  // The second cycle starts from a fresh store, as the window program's does.
  const std::string longName(300, 'N');
  for (int cycle = 0; cycle < 2; ++cycle) {
    Build({{"A", {{cycle ? "b" : "<" + longName + ">", "x"}, {cycle ? "<" + longName + ">" : "b", "y"}}},
           {longName, {{"b"}}}});
    if (cycle == 0) std::filesystem::remove(folder / (TrimmedRight(eng->store.ResultBaseName) + ".temp"));
    Analyse();
    int32_t substitutions = 0, loops = 0;
    t().SubstOfAmbigCorner(substitutions, loops);
    EXPECT_EQ(substitutions, 1);
    EXPECT_EQ(loops, cycle);
    EXPECT_EQ(t().ClashHistory.size(), size_t(cycle + 1));
  }
  // A name longer than the field is kept whole.
  EXPECT_EQ(t().ClashHistory[0].First.Name, longName);
}

TEST_F(TransformTest, HistoryLinesKeepEveryName) {
  const std::string control = std::string("a b\t\\c") + char(1) + char(255);
  const ClashRecord records[] = {
      {{KindNonterminal, "E"}, {KindTerminal, "+"}},
      {{KindNonterminal, control}, {KindTerminal, " "}},
      {{KindTerminal, std::string(400, 'x')}, {0, ""}},
      {{KindEmpty, ""}, {KindNonterminal, "9lives"}},
  };
  for (const ClashRecord& r : records) {
    const std::string line = Transform::HistoryLine(r);
    EXPECT_EQ(line.find_first_of(std::string("\t\r\n\x01", 4)), std::string::npos);
    ClashRecord back;
    ASSERT_TRUE(Transform::ParseHistoryLine(line, back)) << line;
    EXPECT_EQ(back.First, r.First);
    EXPECT_EQ(back.Second, r.Second);
  }
  // The fixed columns: kind in two, the name in 255.
  const std::string line = Transform::HistoryLine(records[0]);
  EXPECT_EQ(line.size(), 514u);
  EXPECT_EQ(line.substr(0, 3), " 1E");
  EXPECT_EQ(line.substr(257, 3), " 2+");
  ClashRecord unused;
  for (const char* bad : {"", "x", " 7E", " 1E", " 1a\\zz 2b"})
    EXPECT_FALSE(Transform::ParseHistoryLine(bad, unused)) << bad;
}

TEST_F(TransformTest, TheLoopCheckComparesKindsAndNames) {
  const ClashSymbol ntmX{KindNonterminal, "x"}, trmX{KindTerminal, "x"}, trmY{KindTerminal, "y"};
  const ClashRecord clash{ntmX, trmY};
  EXPECT_TRUE(clash.SamePair({ntmX, trmY}));
  EXPECT_TRUE(clash.SamePair({trmY, ntmX}));
  // A terminal and a nonterminal of one name are two symbols.
  EXPECT_FALSE(clash.SamePair({trmX, trmY}));
  EXPECT_FALSE(clash.SamePair({trmY, trmX}));
  EXPECT_FALSE(clash.SamePair({ntmX, ntmX}));
}

TEST_F(TransformTest, AnUnreadableFirstLineIsAnEmptyHistory) {
  Build({{"A", {{"<B>", "x"}, {"<B>", "y"}}}, {"B", {{"b"}}}});
  {
    std::ofstream f(folder / (TrimmedRight(eng->store.ResultBaseName) + ".temp"));
    f << "garbage\n" << Transform::HistoryLine({{KindNonterminal, "B"}, {KindNonterminal, "B"}}) << "\n";
  }
  Analyse();
  int32_t substitutions = 0, loops = 1;
  t().SubstOfAmbigCorner(substitutions, loops);
  EXPECT_EQ(loops, 0);
  EXPECT_EQ(substitutions, 2);
}

TEST_F(TransformTest, AHistoryThatCannotBeWrittenWholeKeepsTheOldOneAndSaysSo) {
  Build({{"A", {{"<B>", "x"}, {"<B>", "y"}}}, {"B", {{"b"}}}});
  const std::string name = TrimmedRight(eng->store.ResultBaseName) + ".temp";
  std::ofstream(folder / name) << "old\n";
  Analyse();
  int32_t substitutions = 0, loops = 0;
  {
    SmallDisk::Filling full(64);  // one history line is longer
    t().SubstOfAmbigCorner(substitutions, loops);
  }
  EXPECT_EQ(HistoryFile(), "old\n");
  EXPECT_NE(eng->out.LastError.find(name), std::string::npos) << eng->out.LastError;
}

TEST_F(TransformTest, TheClaimTableGrowsWithTheTerminals) {
  Alternatives alts;
  for (int i = 0; i < 5000; ++i) alts.push_back({"t" + std::to_string(i)});
  alts.push_back({"<B>"});
  Build({{"A", alts}, {"B", {{"t4999"}}}});
  Analyse();
  int32_t substitutions = 0, loops = 0;
  t().SubstOfAmbigCorner(substitutions, loops);
  ASSERT_EQ(t().ClashList.size(), 1u);
  EXPECT_EQ(t().ClashList[0].First, (ClashSymbol{KindTerminal, "t4999"}));
  EXPECT_EQ(t().ClashList[0].Second, (ClashSymbol{KindNonterminal, "B"}));
  EXPECT_EQ(substitutions, 1);
}

TEST_F(TransformTest, ExportsLeaveTheArgumentsOfAnEmptyGrammar) {
  int32_t lang = 8;
  int16_t off = 0;
  const std::string dir = folder.string();
  ::BnfParserInit(&lang, dir.data(), int32_t(dir.size()), &off, &off, &off);
  ::BKSACT();
  int32_t head = 77, tail = 78;
  ::LeftFactoring(&head, &tail);
  ::RecursiveLoops(&head, &tail);
  ::SelfRecursion(&head, &tail);
  ::SubstOfAmbigCorner(&head, &tail);
  EXPECT_EQ(head, 77);
  EXPECT_EQ(tail, 78);
  // With a grammar, the list comes back.
  ::BKSNAI();
  for (int32_t c : {'A'}) ::BKSSYM(&c);
  ::BKSNLI();
  ::BKSNL();
  ::BKSNAI();
  for (int32_t c : {'a'}) ::BKSSYM(&c);
  ::BKSTRM();
  ::BKSEND();
  ::SelfRecursion(&head, &tail);
  EXPECT_NE(head, 77);
  EXPECT_EQ(head, tail);
}

}  // namespace
}  // namespace mv::testing
