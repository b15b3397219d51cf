#include <gtest/gtest.h>

#include <string>

#include "exports.h"
#include "store_dump.h"

namespace {

using store_test::DumpActions;
using store_test::DumpRules;
using store_test::DumpTerminals;
using store_test::RunScript;

std::string GrammarName() {
  char buf[20];
  GetGrammarName(buf, sizeof buf);
  return mv::TrimmedRight(std::string(buf, sizeof buf));
}

struct ScriptCase {
  const char* what;
  const char* script;
  const char* rules;
  const char* terminals;
};

// Call sequences and the store they leave.
const ScriptCase kCases[] = {
    {"two rules, nonterminal used before its rule",
     "INIT ACT N:S NLI GMN NL N:A NTM END NL N:b TRM END N:A NLI GMN NL N:a TRM END",
     "<S> ::= <A>\n<S> ::= \"b\"\n<A> ::= \"a\"\n", "\"b\" \"a\""},
    {"a later rule for S appends its alternatives",
     "INIT ACT N:S NLI GMN NL N:A NTM END NL N:b TRM END N:A NLI GMN NL N:a TRM END "
     "N:S NLI GMN NL N:c TRM END",
     "<S> ::= <A>\n<S> ::= \"b\"\n<S> ::= \"c\"\n<A> ::= \"a\"\n", "\"b\" \"a\" \"c\""},
    {"NL right after NLI claims the opened alternative, a second NL opens another",
     "INIT ACT N:S NLI GMN NL NL N:x TRM END", "<S> ::=\n<S> ::= \"x\"\n", "\"x\""},
    {"a multi-character terminal is one terminal, found again by its spelling",
     "INIT ACT N:S NLI GMN NL N:ab TRM N:x TRM N:ab TRM END", "<S> ::= \"ab\" \"x\" \"ab\"\n",
     "\"ab\" \"x\""},
    {"empty alternative", "INIT ACT N:S NLI GMN NL NUL END NL N:a TRM END",
     "<S> ::= #\n<S> ::= \"a\"\n", "\"a\""},
    {"action element", "INIT ACT N:S NLI GMN NL N:a TRM N:act ACR END",
     "<S> ::= \"a\" `act`\n", "\"a\""},
    {"names colliding in a bucket and a prefix are told apart",
     "INIT ACT N:S NLI GMN NL N:ab NTM N:ba NTM N:a NTM N:ab NTM N:ba NTM END",
     "<S> ::= <ab> <ba> <a> <ab> <ba>\n<ab> ::= ?\n<ba> ::= ?\n<a> ::= ?\n", ""},
    {"a nonterminal and a terminal spelled alike are two symbols",
     "INIT ACT N:S NLI GMN NL N:a NTM N:a TRM END", "<S> ::= <a> \"a\"\n<a> ::= ?\n", "\"a\""},
    {"a code above 255 is part of the name",
     "INIT ACT N:S NLI GMN NL NAI C:97 C:300 TRM N:a TRM END", "<S> ::= \"a\\300\" \"a\"\n",
     "\"a\\300\" \"a\""},
    {"after ACT a rule head read before is a new nonterminal",
     "INIT ACT N:S NLI GMN NL N:a TRM END ACT N:S NLI GMN NL N:b TRM END",
     "<S> ::= \"a\"\n<S> ::= \"b\"\n", "\"a\" \"b\""},
    {"elements before any rule head belong to no rule", "INIT ACT N:a TRM END NUL END", "",
     "\"a\""},
    {"an empty terminal name adds nothing", "INIT ACT N:S NLI GMN NL NAI TRM END", "<S> ::=\n",
     ""},
    {"elements after END stay out of the rule until END again",
     "INIT ACT N:S NLI GMN NL N:a TRM END N:b TRM", "<S> ::= \"a\"\n", "\"a\" \"b\""},
};

TEST(Builder, CallSequencesBuildTheStore) {
  for (const ScriptCase& c : kCases) {
    RunScript(c.script);
    const mv::Engine& eng = mv::ProcessEngine();
    EXPECT_EQ(DumpRules(eng), c.rules) << c.what;
    EXPECT_EQ(DumpTerminals(eng), c.terminals) << c.what;
  }
}

TEST(Builder, GrammarHasOneRecordPerNonterminal) {
  RunScript("INIT ACT N:S NLI GMN NL N:A NTM END N:A NLI GMN NL N:a TRM END");
  const mv::Engine& eng = mv::ProcessEngine();
  EXPECT_EQ(eng.mem.IVLR(mv::NonterminalPool, eng.store.Grammar.First, mv::NtmNext),
            eng.store.Grammar.Last);
  EXPECT_NE(eng.store.Grammar.First, eng.store.Grammar.Last);

  RunScript("INIT ACT N:S NLI GMN NL N:a TRM END ACT N:S NLI GMN NL N:b TRM END");
  EXPECT_NE(eng.store.Grammar.First, eng.store.Grammar.Last);
}

TEST(Builder, FirstRuleHeadNamesTheGrammar) {
  RunScript("INIT ACT N:Expr NLI GMN NL N:T NTM END N:T NLI GMN NL N:x TRM END");
  EXPECT_EQ(GrammarName(), "Expr");
  EXPECT_EQ(GrammarName(), "Expr");  // twice in a run gives the same
}

TEST(Builder, ActionDefinitionsCollectLinesInOrder) {
  const struct {
    const char* script;
    const char* actions;
  } cases[] = {
      {"INIT ACT N:act ACL ACB S:x=1 STM ACB S:y=2 STM", "`act` ::= x=1 | y=2\n"},
      {"INIT ACT N:act ACL ACB T:x=1 STM", "`act` ::= x=1\n"},
      // Used before its definition; a second definition adds its lines to the same action.
      {"INIT ACT N:S NLI GMN NL N:act ACR END N:act ACL ACB S:a STM N:act ACL ACB S:b STM",
       "`act` ::= a | b\n"},
      {"INIT ACT N:act ACL ACB STM", "`act` ::= \n"},
      // Without a new ACB the line repeats the earlier text.
      {"INIT ACT N:act ACL ACB S:ab STM S:c STM", "`act` ::= ab | abc\n"},
      {"INIT ACT N:act ACL ACB SC:321 STM", "`act` ::= \\321\n"},
      // No action named in this run: the line goes nowhere.
      {"INIT ACT ACB S:x STM", ""},
  };
  for (const auto& c : cases) {
    RunScript(c.script);
    EXPECT_EQ(DumpActions(mv::ProcessEngine()), c.actions) << c.script;
  }
}

TEST(Builder, RunStartForgetsBuilderStateOfThePreviousRun) {
  RunScript("INIT ACT N:S NLI GMN NL N:a TRM END N:act ACL ACB T:old N:pending");
  // No ACT, no NAI, no ACB: nothing of the first run may leak into the second.
  RunScript("INIT NL N:x TRM END N:S NLI GMN NL N:b TRM END N:act ACL STM");
  const mv::Engine& eng = mv::ProcessEngine();
  EXPECT_EQ(DumpRules(eng), "<> ::= \"x\"\n<S> ::= \"b\"\n");
  EXPECT_EQ(DumpTerminals(eng), "\"x\" \"b\"");
  EXPECT_EQ(DumpActions(eng), "`act` ::= \n");
  // The name's text outlives the run start; only its records went.
  RunScript("INIT");
  char buf[8] = "xxxxxxx";
  GetName(buf, 8);
  EXPECT_EQ(std::string(buf, 8), "act     ");
  RunScript("C:98");
  GetName(buf, 8);
  EXPECT_EQ(std::string(buf, 8), "actb    ");
}

TEST(Builder, NameTextKeepsItsFirst1024Characters) {
  std::string longA(1100, 'a');
  std::string longB = std::string(1100, 'a') + "b";
  RunScript("INIT ACT N:S NLI GMN NL N:" + longA + " TRM N:" + longB + " TRM END");
  std::string buf(1200, 'x');
  GetName(buf.data(), int32_t(buf.size()));
  EXPECT_EQ(buf, std::string(1024, 'a') + std::string(176, ' '));
  // The chain keeps every character: the two names are two terminals.
  const mv::Engine& eng = mv::ProcessEngine();
  EXPECT_EQ(DumpTerminals(eng), "\"" + longA + "\" \"" + longB + "\"");
}

TEST(Builder, CodesOutsideAByteStayOutOfTheNameText) {
  RunScript("INIT ACT NAI C:97 C:300 C:-5 C:98");
  char buf[4];
  GetName(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "ab  ");
  EXPECT_EQ(mv::ProcessEngine().builder.LastCharacter, 98);
}

TEST(Builder, ExhaustedMemoryStopsTheRunUntilTheNextStart) {
  RunScript("INIT");
  mv::Engine& eng = mv::ProcessEngine();
  eng.mem.SetCapacityPages(3);
  // Names, rules and elements fill three pages quickly; the builder must stop, not crash.
  std::string script = "ACT N:S NLI GMN";
  for (int i = 0; i < 200; ++i) script += " NL N:t" + std::to_string(i) + " TRM END";
  RunScript(script);
  EXPECT_TRUE(eng.Stopped());
  EXPECT_EQ(eng.out.LastError,
            "MODULE VLTOVR: Fatal error: end of space to swop (INICUR(NDISK).GT.IREND)");
  // Later exports answer harmlessly.
  char buf[6] = "keep!";
  GetGrammarName(buf, 5);
  EXPECT_EQ(std::string(buf, 5), "keep!");
  RunScript("N:x NLI GMN NL N:y NTM END ACB S:q STM PRG S:t DEC S:u");
  EXPECT_TRUE(eng.Stopped());

  eng.mem.SetCapacityPages(mv::RecordMemory::DefaultCapacityPages);
  RunScript("INIT ACT N:S NLI GMN NL N:a TRM END");
  EXPECT_FALSE(eng.Stopped());
  EXPECT_EQ(DumpRules(eng), "<S> ::= \"a\"\n");
}

}  // namespace
