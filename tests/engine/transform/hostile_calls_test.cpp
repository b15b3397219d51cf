// Builder and cleaning exports called in orders no reader makes: every call returns, and a
// list is never given back while the grammar still holds it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "engine.h"
#include "exports.h"
#include "engine/store/store_dump.h"

using store_test::RunScript;

namespace {

// Runs body in a child process that the alarm ends after a few seconds: a call that never
// returns fails the test instead of hanging the suite.
::testing::AssertionResult Returns(const std::function<void()>& body) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    alarm(10);
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM ? "the calls never returned"
                                                                 : "the calls crashed");
}

struct Lists {
  int32_t deadHead = 0, deadTail = 0, aliveHead = 0, aliveTail = 0;
  int32_t unrHead = 0, unrTail = 0, reachHead = 0, reachTail = 0;
};

// Alive, DeleteNonterminals of the dead list, UnReachable, DeleteNonterminals of the
// unreachable list: the cleaning as the pipeline runs it.
void Clean(Lists& l) {
  Alive(&l.deadHead, &l.deadTail, &l.aliveHead, &l.aliveTail);
  DeleteNonterminals(&l.deadHead, &l.deadTail);
  UnReachable(&l.unrHead, &l.unrTail, &l.reachHead, &l.reachTail);
  DeleteNonterminals(&l.unrHead, &l.unrTail);
}

// A name chain handed to two symbols was given back twice, and the free chain looped.
TEST(HostileCalls, SharedNameChainAfterAGroupOpen) {
  EXPECT_TRUE(Returns([] {
    Lists l;
    RunScript("INIT C:91 RPT BRO C:97 RPT ACT NLI");
    Clean(l);
    // The records given back are handed out again and looked up by name.
    RunScript("N:x NLI GMN NL N:y NTM N:x NTM END");
    Nullable(&l.deadHead, &l.deadTail);
  }));
}

// SplitAlive's passes over a damaged chain had no bound.
TEST(HostileCalls, RepetitionOpenedAfterAlive) {
  EXPECT_TRUE(Returns([] {
    int32_t h[4] = {};
    RunScript("INIT NTM BCR");
    Alive(&h[0], &h[1], &h[2], &h[3]);
    RunScript("BCR");
    Nullable(&h[0], &h[1]);
  }));
}

// Each way of handing one chain to two symbols, followed by the cleaning twice over.
TEST(HostileCalls, NoNameChainIsSharedBetweenSymbols) {
  const char* const scripts[] = {
      "INIT ACT BRO C:97 NTM BRC",           // a name spelled on after a group open
      "INIT ACT N:a NTM RPT ACT RPT",        // a repetition after a new text, same name
      "INIT ACT N:a NEG NTM TRM POS NTM",    // a negated item without its class begun
      "INIT ACT N:S NLI GMN NL N:a NTM C:98 NTM END",  // a name spelled on after its use
  };
  for (const char* script : scripts) {
    SCOPED_TRACE(script);
    EXPECT_TRUE(Returns([script] {
      Lists l;
      RunScript(script);
      Clean(l);
      Clean(l);
      RunScript("N:z NLI NL N:a NTM N:b TRM END");
      Clean(l);
    }));
  }
}

TEST(HostileCalls, DeleteNonterminalsRefusesAListOfTheGrammar) {
  RunScript("INIT ACT N:S NLI GMN NL N:A NTM END N:A NLI NL N:a TRM END N:D NLI NL N:D NTM END");
  const mv::Engine& eng = mv::ProcessEngine();
  int32_t head = eng.store.Grammar.First, tail = eng.store.Grammar.Last;
  // Before the split the whole grammar, and a part of it, are refused.
  DeleteNonterminals(&head, &tail);
  DeleteNonterminals(&tail, &tail);
  EXPECT_EQ(store_test::DumpRules(eng), "<S> ::= <A>\n<A> ::= \"a\"\n<D> ::= <D>\n");
  Lists l;
  Alive(&l.deadHead, &l.deadTail, &l.aliveHead, &l.aliveTail);
  // Between Alive and UnReachable the alive list is the grammar.
  DeleteNonterminals(&l.aliveHead, &l.aliveTail);
  DeleteNonterminals(&l.deadHead, &l.deadTail);
  // The dead list is gone: a second deletion of it finds no record to give back.
  DeleteNonterminals(&l.deadHead, &l.deadTail);
  UnReachable(&l.unrHead, &l.unrTail, &l.reachHead, &l.reachTail);
  DeleteNonterminals(&l.reachHead, &l.reachTail);
  EXPECT_EQ(store_test::DumpRules(eng), "<S> ::= <A>\n<A> ::= \"a\"\n");
  EXPECT_TRUE(eng.mem.IsLiveRecord(mv::NonterminalPool, l.reachHead));
  EXPECT_FALSE(eng.mem.IsLiveRecord(mv::NonterminalPool, l.deadHead));
  // Records taken afterwards are the given-back ones, never one of the grammar's.
  RunScript("N:E NLI NL N:e TRM END");
  EXPECT_EQ(store_test::DumpRules(eng), "<S> ::= <A>\n<A> ::= \"a\"\n<E> ::= \"e\"\n");
}

}  // namespace

// The immediate left-recursion step walked the nonterminal chain until it met the grammar's
// last nonterminal; a chain that runs round without it (as arbitrary builder calls can leave
// it) held the step for ever.
TEST(HostileCalls, SelfRecursionEndsOnAChainThatMissesItsEnd) {
  EXPECT_TRUE(Returns([] {
    RunScript("INIT N:S NTM T:a TRM END N:B NTM T:b TRM END");
    mv::Engine& eng = mv::ProcessEngine();
    const int32_t first = eng.store.Grammar.First;
    ASSERT_GE(first, 1);
    ASSERT_NE(first, eng.store.Grammar.Last);
    eng.mem.VLW(mv::NonterminalPool, first, mv::NtmNext, first);
    int32_t head = first, tail = eng.store.Grammar.Last;
    SelfRecursion(&head, &tail);
  }));
}

// The identical-rule search compared every pair of alternatives that hash alike; alternatives
// whose element chains never reach their last element (arbitrary builder calls can leave them)
// all hash alike, and each comparison walked the whole element space: thousands of them held
// the search for minutes. They are now no one's copy, and true copies still go.
TEST(HostileCalls, IdenticalRulesPassOverAlternativesThatNeverEnd) {
  EXPECT_TRUE(Returns([] {
    std::string script = "INIT ACT N:S NLI GMN NL N:a TRM END NL N:a TRM END";
    constexpr int kLooping = 2000;
    for (int k = 0; k < kLooping; ++k) script += " NL N:b TRM N:c TRM END";
    RunScript(script);
    mv::Engine& eng = mv::ProcessEngine();
    const int32_t s = eng.store.Grammar.First;
    int32_t rule = eng.mem.IVLR(mv::NonterminalPool, s, mv::NtmFirstRule);
    rule = eng.mem.IVLR(mv::RulePool, rule, mv::RuleNext);
    for (int k = 0; k < kLooping; ++k) {
      rule = eng.mem.IVLR(mv::RulePool, rule, mv::RuleNext);
      const int32_t first = eng.mem.IVLR(mv::RulePool, rule, mv::RuleFirstElement);
      eng.mem.VLW(mv::ElementPool, first, mv::ElemNext, first);
    }
    int32_t head = s, tail = eng.store.Grammar.Last;
    IdenticalRules(&head, &tail);
    int alternatives = 0;
    for (int32_t r = eng.mem.IVLR(mv::NonterminalPool, s, mv::NtmFirstRule);
         r >= 1 && alternatives <= kLooping + 2; r = eng.mem.IVLR(mv::RulePool, r, mv::RuleNext)) {
      ++alternatives;
      if (r == eng.mem.IVLR(mv::NonterminalPool, s, mv::NtmLastRule)) break;
    }
    if (alternatives != kLooping + 1) _exit(2);
  }));
}

// The corner substitution walked the nonterminal chain with no bound at all, and the parser
// writers walked it up to ten million steps, renaming each visit of a name once more: a chain
// that runs round without its end held both for ever.
TEST(HostileCalls, CornersAndParsersEndOnAChainThatMissesItsEnd) {
  char folder[] = "/tmp/hostile_calls_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  for (int32_t target = 1; target <= 9; ++target) {
    SCOPED_TRACE(target);
    EXPECT_TRUE(Returns([&] {
      const int16_t on = -1, off = 0;
      BnfParserInit(&target, folder, int32_t(std::strlen(folder)), &on, &off, &on);
      RunScript("ACT N:S NLI GMN NL N:a TRM N:B NTM END N:B NLI NL N:b TRM END");
      mv::Engine& eng = mv::ProcessEngine();
      const int32_t first = eng.store.Grammar.First;
      int32_t numbered = 0;
      NtmNumbering(&numbered);
      eng.mem.VLW(mv::NonterminalPool, first, mv::NtmNext, first);
      int32_t head = first, tail = eng.store.Grammar.Last;
      RecursiveLoops(&head, &tail);
      TamberlixCode(&target);
    }));
  }
  std::filesystem::remove_all(folder);
}

// Clearing the group stack popped until it met the bottom; a stack that runs round (as
// arbitrary builder calls can leave it) held the next action or run start for ever.
TEST(HostileCalls, GroupStackThatRunsRoundIsCleared) {
  EXPECT_TRUE(Returns([] {
    RunScript("INIT ACT N:S NLI GMN NL BRO");
    mv::Engine& eng = mv::ProcessEngine();
    const int32_t top = eng.builder.GroupStack;
    if (top < 1) _exit(2);
    // Below the top, a record already given back whose link leads to itself.
    const int32_t given = eng.mem.IVLOFF(mv::GroupContextPool);
    eng.mem.VLON(mv::GroupContextPool, given);
    eng.mem.VLW(mv::GroupContextPool, given, mv::GrpNext, given);
    eng.mem.VLW(mv::GroupContextPool, top, mv::GrpNext, given);
    RunScript("ACT");
    if (eng.builder.GroupStack != 0) _exit(3);
  }));
}

// Left factoring and the ambiguous-corner substitution walked the nonterminal chain until they
// met the grammar's last nonterminal, with no bound: a chain that runs round without it held
// either for ever.
TEST(HostileCalls, FactoringAndAmbiguousCornersEndOnAChainThatMissesItsEnd) {
  const std::function<void(int32_t&, int32_t&)> steps[] = {
      [](int32_t& head, int32_t& tail) { LeftFactoring(&head, &tail); },
      [](int32_t& head, int32_t& tail) { SubstOfAmbigCorner(&head, &tail); },
  };
  for (const auto& step : steps) {
    EXPECT_TRUE(Returns([&] {
      RunScript("INIT ACT N:S NLI GMN NL N:a TRM N:B NTM END NL N:a TRM END "
                "N:B NLI NL N:b TRM END NL N:b TRM N:c TRM END");
      mv::Engine& eng = mv::ProcessEngine();
      const int32_t first = eng.store.Grammar.First;
      if (first < 1 || first == eng.store.Grammar.Last) _exit(2);
      eng.mem.VLW(mv::NonterminalPool, first, mv::NtmNext, first);
      int32_t head = first, tail = eng.store.Grammar.Last;
      step(head, tail);
    }));
  }
}

// A cycle A -> A is taken out of its nonterminal's chain until none is left; a rule chain that
// leads from that alternative back to itself kept it at the head after every removal, and the
// removal went on for ever.
TEST(HostileCalls, SelfRecursionEndsOnARuleChainThatLeadsBackToItsCycle) {
  EXPECT_TRUE(Returns([] {
    RunScript("INIT ACT N:S NLI GMN NL N:S NTM END NL N:a TRM END");
    mv::Engine& eng = mv::ProcessEngine();
    const int32_t s = eng.store.Grammar.First;
    const int32_t cycle = eng.mem.IVLR(mv::NonterminalPool, s, mv::NtmFirstRule);
    if (cycle < 1 || cycle == eng.mem.IVLR(mv::NonterminalPool, s, mv::NtmLastRule)) _exit(2);
    eng.mem.VLW(mv::RulePool, cycle, mv::RuleNext, cycle);
    int32_t head = s, tail = eng.store.Grammar.Last;
    SelfRecursion(&head, &tail);
  }));
}
