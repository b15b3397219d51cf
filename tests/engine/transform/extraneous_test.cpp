#include <string>
#include <vector>

#include "engine/support/grammar_fixture.h"
#include "exports.h"

namespace mv::testing {
namespace {

class ExtraneousTest : public EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    Start(CppProcedural);
  }
  Extraneous& x() { return eng->extra; }
  // The rules of a list in the grammar-file form (actions shown), one line per alternative.
  std::string Rules(Chain list) {
    EXPECT_TRUE(out().WriteResultFile(ResultFileKind::Grammar, list.First, list.Last, "", ".g"));
    return ReadFile(TrimmedRight(eng->store.ResultBaseName) + ".g");
  }
  // The names of a list, blank-separated.
  std::string Names(Chain list) {
    std::string names;
    if (list.First < 1) return names;
    for (int32_t r = list.First, n = 0; r >= 1 && n < 100; ++n) {
      if (!names.empty()) names += " ";
      names += eng->store.NameText(eng->mem.IVLR(NonterminalPool, r, NtmNameFirst),
                                   eng->mem.IVLR(NonterminalPool, r, NtmNameLast));
      if (r == list.Last) break;
      r = eng->mem.IVLR(NonterminalPool, r, NtmNext);
    }
    return names;
  }
  struct Split {
    std::string dead, alive, unreachable, reachable;
  };
  // Alive, deletion of the dead, UnReachable, deletion of the unreachable: the GUI's order.
  Split Clean() {
    Split s;
    Chain dead, alive, unreachable, reachable;
    x().Alive(dead, alive);
    s.dead = Names(dead);
    s.alive = Names(alive);
    x().DeleteNonterminals(dead.First, dead.Last);
    x().UnReachable(unreachable, reachable);
    s.unreachable = Names(unreachable);
    s.reachable = Names(reachable);
    x().DeleteNonterminals(unreachable.First, unreachable.Last);
    return s;
  }
};

TEST_F(ExtraneousTest, IdenticalAlternativesAfterTheFirstGo) {
  Rule("S", {{"x", "<B>"}, {"x", "<B>"}, {"x", "<B>", "y"}, {""}, {""}, {"`a`"}, {"`b`"},
             {"`a`"}, {"z"}, {"z"}, {"z"}, {"x"}, {"<B>"}});
  Rule("B", {{"b"}, {"c"}, {"b"}});
  Chain g = x().IdenticalRules();
  EXPECT_EQ(g, Grammar());
  const std::string cleaned =
            "<S>::=x<B>\n"
            "      |x<B>y\n"
            "      |\n"
            "      |`a`\n"
            "      |`b`\n"
            "      |z\n"
            "      |x\n"
            "      |<B>\n"
            "<B>::=b\n"
            "      |c\n"
            "`a`::=\n"
            "`b`::=\n";
  EXPECT_EQ(Rules(Grammar()), cleaned);
  // The first and last alternative of B are rewritten: its last one went.
  int32_t b = eng->mem.IVLR(NonterminalPool, Grammar().First, NtmNext);
  int32_t last = eng->mem.IVLR(NonterminalPool, b, NtmLastRule);
  EXPECT_EQ(last, eng->mem.IVLR(RulePool, eng->mem.IVLR(NonterminalPool, b, NtmFirstRule),
                                RuleNext));
  // Nothing changes on a second call, nor on an empty grammar.
  x().IdenticalRules();
  EXPECT_EQ(Rules(Grammar()), cleaned);
  Start(CppProcedural);
  EXPECT_EQ(x().IdenticalRules(), Chain{});
}

TEST_F(ExtraneousTest, RemovingTheLastAlternativesLeavesTheNextRuleAlone) {
  // Once the alternatives after the first are all gone, the first is the last: the walk must
  // not follow the removed tail's link into the next rule.
  Rule("A", {{"x"}, {"x"}});
  Rule("B", {{"y"}, {"y", "<A>"}, {"y"}});
  Rule("C", {{"z"}, {"w"}, {"w"}});
  ASSERT_TRUE(eng->store.TakeGrammarName());
  x().IdenticalRules();
  EXPECT_EQ(Rules(Grammar()),
            "<A>::=x\n"
            "<B>::=y\n"
            "      |y<A>\n"
            "<C>::=z\n"
            "      |w\n");
}

TEST_F(ExtraneousTest, IdenticalAlternativesOfALongRuleAreAllCompared) {
  // More pairs of alternatives than the memory has records: a duplicate at the end must
  // still be found.
  std::vector<std::vector<std::string>> alts;
  for (int i = 0; i < 400; ++i) alts.push_back({"t" + std::to_string(i)});
  alts.push_back({"t399"});
  alts.push_back({"t398"});
  Rule("S", alts);
  x().IdenticalRules();
  RecordMemory& mem = eng->mem;
  int32_t s = Grammar().First;
  int count = 0;
  for (int32_t r = mem.IVLR(NonterminalPool, s, NtmFirstRule); r >= 1 && count < 1000;
       r = mem.IVLR(RulePool, r, RuleNext)) {
    ++count;
    if (r == mem.IVLR(NonterminalPool, s, NtmLastRule)) break;
  }
  EXPECT_EQ(count, 400);
}

TEST_F(ExtraneousTest, DeadAndUnreachableNonterminals) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>> rules;
    Split expected;
    std::string grammar;
  };
  const Case cases[] = {
      {"everything dead",
       {{"S", {{"<A>"}}}, {"A", {{"<S>", "a"}}}},
       {"S A", "", "", ""},
       "      List of rules is empty\n"},
      {"alive through the second alternative, nothing pruned",
       {{"A", {{"<A>", "a"}, {"b"}}}},
       {"", "A", "", "A"},
       "<A>::=<A>a\n      |b\n"},
      {"an alternative with a dead nonterminal is pruned",
       {{"S", {{"<D>", "x"}, {"s"}, {"t", "<D>"}}}, {"D", {{"d", "<D>"}}}},
       {"D", "S", "", "S"},
       "<S>::=s\n"},
      {"an undefined nonterminal is dead",
       {{"S", {{"<X>"}, {"s"}}}},
       {"X", "S", "", "S"},
       "<S>::=s\n"},
      {"start symbol alive only in the third pass; discovery order",
       {{"S", {{"<B>", "<C>"}}}, {"C", {{"c"}}}, {"B", {{"<C>", "<E>"}}}, {"E", {{"e"}}}},
       {"", "S C E B", "", "S B C E"},
       "<S>::=<B><C>\n<B>::=<C><E>\n<C>::=c\n<E>::=e\n"},
      {"reached only from a dead nonterminal",
       {{"S", {{"s"}}}, {"D", {{"<D>", "<U>"}}}, {"U", {{"u"}, {"<V>"}}}, {"V", {{"v"}}}},
       {"D", "S U V", "U V", "S"},
       "<S>::=s\n"},
      {"dead start symbol: reachability starts from the first alive member",
       {{"S", {{"<S>"}}}, {"A", {{"<B>"}}}, {"B", {{"b"}, {"<S>"}}}},
       {"S", "B A", "A", "B"},
       "<B>::=b\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(CppProcedural);
    for (const auto& [head, alts] : c.rules) Rule(head, alts);
    ASSERT_TRUE(eng->store.TakeGrammarName());
    Split s = Clean();
    EXPECT_EQ(s.dead, c.expected.dead);
    EXPECT_EQ(s.alive, c.expected.alive);
    EXPECT_EQ(s.unreachable, c.expected.unreachable);
    EXPECT_EQ(s.reachable, c.expected.reachable);
    EXPECT_EQ(Names(Grammar()), c.expected.reachable);
    EXPECT_EQ(Rules(Grammar()), c.grammar);
  }
}

TEST_F(ExtraneousTest, AliveKeepsTheListsAndARepeatedUnReachableIsHarmless) {
  Rule("S", {{"<A>"}, {"<U>", "<D>"}});
  Rule("A", {{"a"}});
  Rule("U", {{"u"}});
  Rule("D", {{"<D>"}});
  Chain dead, alive, unreachable, reachable;
  x().Alive(dead, alive);
  EXPECT_EQ(x().DeadList, dead);
  EXPECT_EQ(x().AliveList, alive);
  EXPECT_EQ(Names(alive), "S A U");
  x().UnReachable(unreachable, reachable);
  EXPECT_EQ(Names(unreachable), "U");
  EXPECT_EQ(Names(reachable), "S A");
  EXPECT_EQ(x().ReachableList, reachable);
  x().UnReachable(unreachable, reachable);
  EXPECT_EQ(unreachable, Chain{});
  EXPECT_EQ(Names(reachable), "S A");
  // A new run forgets the lists.
  Start(CppProcedural);
  EXPECT_EQ(x().AliveList, Chain{});
  EXPECT_EQ(x().DeadList, Chain{});
}

TEST_F(ExtraneousTest, DeletedNonterminalsLeaveTheNameTable) {
  Rule("S", {{"s"}, {"<D>"}});
  Rule("D", {{"d", "<D>"}});
  Chain dead, alive;
  x().Alive(dead, alive);
  ASSERT_EQ(Names(dead), "D");
  int32_t deleted = dead.First;
  x().DeleteNonterminals(dead.First, dead.Last);
  Chain unreachable, reachable;
  x().UnReachable(unreachable, reachable);
  // Spelling the name again reuses the given-back character record: the lookup must still
  // add a new nonterminal, not find the given-back one.
  Name("D");
  const Chain name = b().CurrentName.Chars;
  int32_t again = eng->store.FindOrAddNonterminal(name.First, name.Last);
  EXPECT_FALSE(eng->store.Found);
  EXPECT_EQ(Names(Grammar()), "S D");
  EXPECT_EQ(Grammar().Last, again);
  // The free chains still hand out sound records: the deleted record is handed out once.
  int32_t next = eng->mem.IVLOFF(NonterminalPool);
  EXPECT_TRUE(again == deleted || next == deleted) << again << " " << next << " " << deleted;
  EXPECT_NE(next, again);
}

TEST_F(ExtraneousTest, DeletingADeadStartSymbolKeepsTheGrammarName) {
  // The grammar's name is spelled by the start symbol's own name characters; the generated
  // parser still reads it after the dead start symbol went.
  Rule("Expr", {{"<Expr>", "+"}});
  Rule("A", {{"a"}});
  ASSERT_TRUE(eng->store.TakeGrammarName());
  Chain dead, alive;
  x().Alive(dead, alive);
  ASSERT_EQ(Names(dead), "Expr");
  x().DeleteNonterminals(dead.First, dead.Last);
  Name("$Overwrite");  // takes name-character records from the free chains
  const Chain name = eng->store.GrammarName;
  EXPECT_EQ(eng->store.NameText(name.First, name.Last), "Expr");
}

TEST_F(ExtraneousTest, DeletingABucketsMembersKeepsTheOthersFindable) {
  // "ab" and "ba" share a bucket; so do "abc", "cab" and "bca".
  Rule("S", {{"s"}, {"<ab>"}, {"<ba>"}, {"<abc>"}, {"<cab>"}, {"<bca>"}});
  for (const char* n : {"ab", "ba", "abc", "cab", "bca"}) Rule(n, {{"<" + std::string(n) + ">"}});
  Chain dead, alive;
  x().Alive(dead, alive);
  ASSERT_EQ(Names(dead), "ab ba abc cab bca");
  int32_t ba = eng->mem.IVLR(NonterminalPool, dead.First, NtmNext);
  int32_t cab = eng->mem.IVLR(NonterminalPool, eng->mem.IVLR(NonterminalPool, ba, NtmNext),
                              NtmNext);
  // Delete the middle ones only: "ba" (the bucket's last) and "cab" (in the middle).
  x().DeleteNonterminals(ba, ba);
  x().DeleteNonterminals(cab, cab);
  for (const char* n : {"ab", "abc", "bca"}) {
    Name(n);
    eng->store.FindOrAddNonterminal(b().CurrentName.Chars.First, b().CurrentName.Chars.Last);
    EXPECT_TRUE(eng->store.Found) << n;
  }
  for (const char* n : {"ba", "cab"}) {
    Name(n);
    eng->store.FindOrAddNonterminal(b().CurrentName.Chars.First, b().CurrentName.Chars.Last);
    EXPECT_FALSE(eng->store.Found) << n;
  }
}

TEST_F(ExtraneousTest, SplitAlivePrunesReferencesOutsideTheWorkListEvenWhenAllAreAlive) {
  Rule("S", {{"<X>"}, {"s"}});
  Rule("X", {{"x"}});
  int32_t s = Grammar().First;
  int32_t workHead = s, workTail = s, aliveHead = 0, aliveTail = 0;
  eng->store.SplitAlive(workHead, workTail, aliveHead, aliveTail);
  EXPECT_EQ(workHead, 0);
  EXPECT_EQ(aliveHead, s);
  EXPECT_EQ(aliveTail, s);
  ASSERT_TRUE(eng->store.TakeGrammarName());
  EXPECT_EQ(Rules({s, s}), "<S>::=s\n");
}

TEST_F(ExtraneousTest, RemoveAlternativeTakesAnEmptiedNonterminalOutOfItsList) {
  Rule("A", {{"a"}});
  Rule("B", {{"b"}, {"c"}});
  Chain list = Grammar();
  RecordMemory& mem = eng->mem;
  int32_t a = list.First, bNtm = list.Last;
  for (bool giveBack : {false, true}) {
    SCOPED_TRACE(giveBack);
    eng->store.GiveBackSwitch = giveBack;
    int32_t ntm = giveBack ? a : bNtm;
    int32_t head = mem.IVLR(NonterminalPool, ntm, NtmFirstRule);
    int32_t tail = mem.IVLR(NonterminalPool, ntm, NtmLastRule);
    int32_t rule = head;
    eng->store.RemoveAlternative(RuleNext, RuleBack, head, tail, rule, NtmNext, NtmBack,
                                 list.First, list.Last, NtmFirstRule, NtmLastRule, ntm);
    if (giveBack) {
      // A lost its only alternative, both given back: the next rule record is the old one.
      EXPECT_EQ(head, 0);
      EXPECT_EQ(list, (Chain{bNtm, bNtm}));
      EXPECT_EQ(mem.IVLOFF(RulePool), rule);
      // A's record left the name table with it: A spelled again is a new nonterminal.
      Name("A");
      b().BKSNTM();
      EXPECT_FALSE(eng->store.Found);
    } else {
      EXPECT_EQ(mem.IVLR(NonterminalPool, bNtm, NtmFirstRule), tail);
      EXPECT_EQ(head, tail);
      EXPECT_EQ(list, (Chain{a, bNtm}));
    }
  }
}

// The GUI's sequence through the library's exports, with the lists written as result files.
TEST_F(ExtraneousTest, ExportsCleanTheGrammarInTheGuisOrder) {
  const int32_t language = 0;
  const int16_t no = 0;
  std::string path = folder.string();
  ::BnfParserInit(&language, path.data(), int32_t(path.size()), &no, &no, &no);
  auto name = [](const std::string& text) {
    ::BKSNAI();
    for (unsigned char c : text) {
      int32_t code = c;
      ::BKSSYM(&code);
    }
  };
  auto rule = [&](const std::string& head, const std::vector<std::string>& alts) {
    name(head);
    ::BKSNLI();
    ::BKSGMN();
    for (const std::string& alt : alts) {
      ::BKSNL();
      for (char c : alt) {
        name(std::string(1, c));
        if (c >= 'A' && c <= 'Z')
          ::BKSNTM();
        else
          ::BKSTRM();
      }
      ::BKSEND();
    }
  };
  ::BKSACT();
  rule("G", {"aB", "aB", "D"});
  rule("B", {"b"});
  rule("D", {"Dd"});
  rule("U", {"u"});
  char buffer[8];
  ::GetGrammarName(buffer, 8);
  int32_t h = 0, t = 0, dh = 0, dt = 0, ah = 0, at = 0, uh = 0, ut = 0, rh = 0, rt = 0;
  ::IdenticalRules(&h, &t);
  ::Alive(&dh, &dt, &ah, &at);
  ::FileNonterminals(&dh, &dt, " dead nonterminals", 18, ".dead", 5);
  ::DeleteNonterminals(&dh, &dt);
  ::UnReachable(&uh, &ut, &rh, &rt);
  ::FileNonterminals(&uh, &ut, " unreachable nonterminals", 25, ".unr", 4);
  ::DeleteNonterminals(&uh, &ut);
  ::FileRules(&rh, &rt, " grammar after removing extraneous symbols", 42, ".tmp", 4);
  EXPECT_EQ(ReadFile("G.dead"), Numbered(1, "<D>"));
  EXPECT_EQ(ReadFile("G.unr"), Numbered(1, "<U>"));
  EXPECT_EQ(ReadFile("G.tmp"), Numbered(1, "<G>::=a<B>") + Numbered(2, "<B>::=b"));
  // Null arguments are ignored.
  ::IdenticalRules(nullptr, nullptr);
  ::Alive(nullptr, nullptr, nullptr, nullptr);
  ::DeleteNonterminals(nullptr, nullptr);
}

}  // namespace
}  // namespace mv::testing
