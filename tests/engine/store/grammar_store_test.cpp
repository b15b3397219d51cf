#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine.h"

namespace mv {
namespace {

class GrammarStoreTest : public ::testing::Test {
protected:
  // A fresh name chain holding the text.
  Chain Name(const std::string& text) {
    Chain c;
    for (unsigned char ch : text) {
      int32_t r = eng.mem.AppendRecord(NameCharPool, CharNext, c.First, c.Last);
      eng.mem.VLW(NameCharPool, r, CharCode, ch);
    }
    return c;
  }
  int32_t Terminal(const std::string& text) {
    Chain c = Name(text);
    return eng.store.FindOrAddTerminal(c.First, c.Last);
  }
  int32_t Nonterminal(const std::string& text) {
    Chain c = Name(text);
    return eng.store.FindOrAddNonterminal(c.First, c.Last);
  }

  Engine eng;
};

TEST_F(GrammarStoreTest, NameHashSumsCodesPlusOne) {
  Chain ab = Name("ab"), ba = Name("ba"), empty;
  EXPECT_EQ(eng.store.NameHash(255, ab.First, ab.Last), (97 + 1 + 98 + 1) % 255);
  EXPECT_EQ(eng.store.NameHash(255, ab.First, ab.Last), eng.store.NameHash(255, ba.First, ba.Last));
  EXPECT_EQ(eng.store.NameHash(255, empty.First, empty.Last), 0);
}

TEST_F(GrammarStoreTest, FindOrAddFindsBySpellingWithinOneTable) {
  int32_t ab = Terminal("ab");
  EXPECT_FALSE(eng.store.Found);
  int32_t ba = Terminal("ba");  // same bucket
  int32_t a = Terminal("a");    // a proper prefix
  EXPECT_FALSE(eng.store.Found);
  EXPECT_NE(ab, ba);
  EXPECT_NE(a, ab);
  EXPECT_EQ(Terminal("ba"), ba);
  EXPECT_TRUE(eng.store.Found);
  EXPECT_EQ(Terminal("ab"), ab);
  EXPECT_EQ(Terminal("a"), a);
  // The bucket chain of "ab" and "ba": first record holds the last one.
  int32_t bucket = TerminalBuckets + eng.store.NameHash(255, eng.mem.IVLR(TerminalPool, ab, 3),
                                                        eng.mem.IVLR(TerminalPool, ab, 4));
  EXPECT_EQ(eng.store.NameTable[size_t(bucket)], ab);
  EXPECT_EQ(eng.mem.IVLR(TerminalPool, ab, TrmBucketNext), ba);
  EXPECT_EQ(eng.mem.IVLR(TerminalPool, ab, TrmBucketLast), ba);
  // The terminal chain in order of first meeting, doubly linked.
  EXPECT_EQ(eng.store.Terminals.First, ab);
  EXPECT_EQ(eng.store.Terminals.Last, a);
  EXPECT_EQ(eng.mem.IVLR(TerminalPool, a, TrmBack), ba);
  // The same spelling in another table is another record.
  int32_t ntm = Nonterminal("a");
  EXPECT_FALSE(eng.store.Found);
  EXPECT_EQ(eng.store.Grammar.First, ntm);
}

// A name spelled through the builder carries its key and hash along; a chain built any other
// way is walked for them. Both ways lead to one record, for byte codes and wider ones alike.
TEST_F(GrammarStoreTest, SpelledAndWalkedNamesMeetOneRecord) {
  const std::vector<std::vector<int32_t>> names = {
      {'a'}, {'a', 'b', 'c'}, {254}, {255}, {0, 255, 1}, {300, -5, 'a'}, {70000, 'x', 65536}};
  auto walkedChain = [&](const std::vector<int32_t>& codes) {
    Chain c;
    for (int32_t code : codes)
      eng.mem.VLW(NameCharPool, eng.mem.AppendRecord(NameCharPool, CharNext, c.First, c.Last),
                  CharCode, code);
    return c;
  };
  eng.builder.BKSACT();
  for (const auto& codes : names) {
    eng.builder.BKSNAI();
    for (int32_t c : codes) eng.builder.BKSSYM(c);
    eng.builder.BKSNTM();
    const int32_t spelled = eng.mem.IVLR(ElementPool, eng.store.CurrentAlternative.Last,
                                         ElemReferent);
    const Chain walked = walkedChain(codes);
    EXPECT_EQ(eng.store.FindOrAddNonterminal(walked.First, walked.Last), spelled) << codes[0];
    EXPECT_TRUE(eng.store.Found);
  }
  // And the other way round: a walked name first, then spelled.
  const Chain walked = walkedChain({1000, 'q'});
  const int32_t first = eng.store.FindOrAddNonterminal(walked.First, walked.Last);
  EXPECT_FALSE(eng.store.Found);
  eng.builder.BKSNAI();
  eng.builder.BKSSYM(1000);
  eng.builder.BKSSYM('q');
  eng.builder.BKSNTM();
  EXPECT_EQ(eng.mem.IVLR(ElementPool, eng.store.CurrentAlternative.Last, ElemReferent), first);
}

TEST_F(GrammarStoreTest, ClearedNameTablesForgetNamesButKeepChains) {
  int32_t a = Nonterminal("a");
  eng.store.ClearNameTables();
  int32_t again = Nonterminal("a");
  EXPECT_NE(again, a);
  EXPECT_EQ(eng.store.Grammar.First, a);
  EXPECT_EQ(eng.store.Grammar.Last, again);
}

TEST_F(GrammarStoreTest, AlternativesChainInOrder) {
  Chain head = Name("E");
  for (int i = 0; i < 3; ++i) {
    eng.store.OpenRuleAlternative(head.First, head.Last);
    eng.store.AddEmptyElement();
    eng.store.CloseAlternative();
  }
  int32_t e = eng.store.Grammar.First;
  int32_t first = eng.mem.IVLR(NonterminalPool, e, NtmFirstRule);
  int32_t last = eng.mem.IVLR(NonterminalPool, e, NtmLastRule);
  int32_t second = eng.mem.IVLR(RulePool, first, RuleNext);
  EXPECT_EQ(eng.mem.IVLR(RulePool, second, RuleNext), last);
  EXPECT_EQ(eng.mem.IVLR(RulePool, last, RuleBack), second);
  EXPECT_EQ(eng.mem.IVLR(RulePool, first, RuleBack), 0);
  int32_t elem = eng.mem.IVLR(RulePool, last, RuleFirstElement);
  EXPECT_EQ(eng.mem.IVLR(RulePool, last, RuleLastElement), elem);
  EXPECT_EQ(eng.mem.IVLR(ElementPool, elem, ElemKind), KindEmpty);
  EXPECT_EQ(eng.store.CurrentAlternative.Rule, last);
}

TEST_F(GrammarStoreTest, EmptyTerminalNameAddsNothing) {
  eng.store.EnterNamedRecord(0, 0);
  EXPECT_EQ(eng.store.Terminals.First, 0);
  EXPECT_EQ(eng.store.CurrentAlternative.First, 0);
}

}  // namespace
}  // namespace mv
