// Nullable marks, the symbol numbering and the symbols' names.
#include "analysis_fixture.h"

namespace mv::testing {
namespace {

class Numbering : public AnalysisFixture {
protected:
  std::vector<std::pair<std::string, int32_t>> Names(bool terminals, int calls) {
    std::vector<std::pair<std::string, int32_t>> names;
    int32_t cursor = 0;
    for (int i = 0; i < calls; ++i) {
      std::string name = terminals ? eng->an.GetTrmName(cursor) : eng->an.GetNtmName(cursor);
      names.emplace_back(name, cursor);
    }
    return names;
  }
  // Names of a list chained through the nullable-search links.
  std::vector<std::string> NullableNames(Chain list) {
    std::vector<std::string> names;
    for (int32_t a = list.First; a >= 1; a = eng->mem.IVLR(NonterminalPool, a, NtmNullNext)) {
      names.push_back(eng->store.NameText(eng->mem.IVLR(NonterminalPool, a, NtmNameFirst),
                                          eng->mem.IVLR(NonterminalPool, a, NtmNameLast)));
      if (a == list.Last) break;
    }
    return names;
  }
};

using Pairs = std::vector<std::pair<std::string, int32_t>>;

// Nonterminals are numbered in grammar order (first met, here S A B), terminals by their first
// occurrence in that order, while the terminal table keeps reading order (b before a).
TEST_F(Numbering, OrderOfNumbersAndNames) {
  Build("S = A B ; B = b | c b ; A = a b");
  Number();
  const SymbolCounts& c = eng->store.Counts;
  EXPECT_EQ(c.N, 3);
  EXPECT_EQ(c.T, 3);
  EXPECT_EQ(c.S, 6);
  EXPECT_EQ(c.R, 4);
  EXPECT_EQ(Names(false, 4), (Pairs{{"S", 1}, {"A", 2}, {"B", 0}, {"S", 1}}));
  // a 1, b 2, c 3; the table holds b, c, a, but the names come in number order.
  EXPECT_EQ(Names(true, 3), (Pairs{{"a", 1}, {"b", 2}, {"c", 0}}));
  // Rules: S 1, A 2, B 3 and 4.
  std::vector<int32_t> rules;
  for (const char* name : {"S", "A", "B"}) {
    int32_t a = Nonterminal(name);
    for (int32_t r = eng->mem.IVLR(NonterminalPool, a, NtmFirstRule); r >= 1;
         r = eng->mem.IVLR(RulePool, r, RuleNext)) {
      rules.push_back(eng->mem.IVLR(RulePool, r, RuleNumber));
      if (r == eng->mem.IVLR(NonterminalPool, a, NtmLastRule)) break;
    }
  }
  EXPECT_EQ(rules, (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST_F(Numbering, OneNonterminalAlwaysGivesCursorZero) {
  Build("A = a");
  Number();
  EXPECT_EQ(Names(false, 2), (Pairs{{"A", 0}, {"A", 0}}));
  EXPECT_EQ(Names(true, 2), (Pairs{{"a", 0}, {"a", 0}}));
}

// A terminal whose only alternative was taken out keeps -1 and is never named.
TEST_F(Numbering, UnusedTerminalIsSkipped) {
  Build("S = a | z | c");
  DropAlternative("S", 1);
  Number();
  EXPECT_EQ(eng->store.Counts.T, 2);
  EXPECT_EQ(Names(true, 3), (Pairs{{"a", 1}, {"c", 0}, {"a", 1}}));
}

// Past the last numbered terminal a call that keeps a non-zero cursor finds nothing left,
// wherever that terminal stands in the table.
TEST_F(Numbering, CallPastTheLastNumberedTerminal) {
  struct Case {
    const char* grammar;
    int dropped;  // the alternative taken out, so that its terminal keeps -1
    Pairs calls;  // cursor 0 first, then each call keeps the cursor it was given before
  } cases[] = {
      {"S = a | c | z", 2, {{"a", 1}, {"c", 0}, {"", 0}}},
      {"S = a | z | c", 1, {{"a", 1}, {"c", 0}, {"", 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grammar);
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
    Build(c.grammar);
    DropAlternative("S", c.dropped);
    Number();
    Pairs got;
    int32_t cursor = 0;
    for (size_t i = 0; i < c.calls.size(); ++i) {
      if (i == 2) cursor = 2;  // a caller that does not restart
      std::string name = eng->an.GetTrmName(cursor);
      got.emplace_back(name, cursor);
    }
    EXPECT_EQ(got, c.calls);
  }
}

TEST_F(Numbering, LongNameIsCut) {
  std::string name(1100, 'n');
  Build(name + " = a");
  Number();
  int32_t cursor = 0;
  EXPECT_EQ(eng->an.GetNtmName(cursor), std::string(1024, 'n'));
}

TEST_F(Numbering, EmptyGrammar) {
  Number();
  EXPECT_EQ(eng->store.Counts.N, 0);
  EXPECT_EQ(eng->store.Counts.T, 0);
  EXPECT_EQ(eng->store.Counts.R, 0);
  EXPECT_EQ(eng->an.NullableList, Chain{});
  int32_t cursor = 7;
  EXPECT_EQ(eng->an.GetNtmName(cursor), "");
  EXPECT_EQ(cursor, 7);
}

TEST_F(Numbering, NullableNonterminals) {
  struct Case {
    const char* grammar;
    std::vector<std::string> nullable;  // in the order of the nullable list
  } cases[] = {
      {"S = A x ; A = ~", {"A"}},
      {"S = A x ; A = @act", {"A"}},
      {"S = A B ; A = ~ ; B = @b", {"S", "A", "B"}},
      {"S = A x ; A = B x | y ; B = ~", {"B"}},
      // Found pass by pass (C, then B, then A); the first of the list goes to the front.
      {"A = B C ; B = C ; C = ~ | y ; D = A x", {"A", "C", "B"}},
      {"S = a", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grammar);
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
    Build(c.grammar);
    Number();
    EXPECT_EQ(NullableNames(eng->an.NullableList), c.nullable);
    for (const TextRule& r : ParseGrammarText(c.grammar)) {
      bool expected = std::count(c.nullable.begin(), c.nullable.end(), r.Head) > 0;
      EXPECT_EQ(eng->mem.IVLR(NonterminalPool, Nonterminal(r.Head), NtmNullable), expected)
          << r.Head;
    }
  }
}

}  // namespace
}  // namespace mv::testing
