// Every transformation keeps the language: on a few hundred random grammars the strings up to a
// small length that the start symbol derives are the same before and after, and no
// nonterminal is left unreachable or dead.
#include <random>

#include "engine/transform/transform_fixture.h"

namespace mv::testing {
namespace {

enum class Step { Factoring, Loops, Self, Corners, All };

constexpr size_t MaxLength = 6;
constexpr int Grammars = 300;

class LanguageTest : public TransformFixture, public ::testing::WithParamInterface<Step> {
protected:
  // A small grammar over a and b, with shared prefixes, left recursion, empty alternatives and
  // actions more often than chance would give them; cleaned as the pipeline cleans it.
  void RandomGrammar(uint32_t seed, bool clean = true) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
    const int n = 2 + pick(4);
    auto ntm = [&](int i) { return "<" + std::string(1, char('A' + i)) + ">"; };
    Start(CppProcedural);
    for (int i = 0; i < n; ++i) {
      std::vector<std::vector<std::string>> alts;
      const int count = 1 + pick(4);
      for (int k = 0; k < count; ++k) {
        std::vector<std::string> alt;
        if (pick(10) == 0) alt.push_back("`q`");
        const int length = pick(4);
        for (int j = 0; j < length; ++j) {
          if (j == 0 && !alts.empty() && pick(3) == 0) {
            // The first symbol of an earlier alternative: something to factor.
            for (const std::string& s : alts[size_t(pick(int(alts.size())))])
              if (s != "`q`" && !s.empty()) {
                alt.push_back(s);
                break;
              }
            if (!alt.empty() && alt.back() != "`q`") continue;
          }
          if (j == 0 && pick(5) == 0)
            alt.push_back(ntm(i));
          else if (pick(3) == 0)
            alt.push_back(ntm(pick(n)));
          else
            alt.push_back(pick(2) ? "a" : "b");
        }
        if (length == 0) alt.push_back("");
        alts.push_back(alt);
      }
      Rule(std::string(1, char('A' + i)), alts);
    }
    if (clean) Clean();
    std::filesystem::remove(folder / (TrimmedRight(eng->store.ResultBaseName) + ".temp"));
  }

  void Apply(Step step) {
    int32_t substitutions = 0, loops = 0;
    switch (step) {
      case Step::Factoring: t().LeftFactoring(); break;
      case Step::Loops: t().RecursiveLoops(); break;
      case Step::Self: t().SelfRecursion(); break;
      case Step::Corners:
        Analyse();
        t().SubstOfAmbigCorner(substitutions, loops);
        break;
      case Step::All:
        t().LeftFactoring();
        t().RecursiveLoops();
        t().SelfRecursion();
        // The window program's cycles, on the store instead of a re-read text.
        for (int cycle = 0; cycle < 8; ++cycle) {
          Analyse();
          t().SubstOfAmbigCorner(substitutions, loops);
          if (substitutions == 0 || loops == 1) break;
          t().LeftFactoring();
        }
        break;
    }
  }
};

TEST_P(LanguageTest, RandomGrammarsKeepTheirLanguage) {
  int transformed = 0;
  for (int seed = 1; seed <= Grammars; ++seed) {
    RandomGrammar(uint32_t(seed));
    if (Grammar().First < 1) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + Listing());
    ASSERT_TRUE(Extraneous().empty());
    const std::set<std::string> before = Language(MaxLength);
    const std::string listing = Listing();
    Apply(GetParam());
    if (Listing() != listing) ++transformed;
    ASSERT_EQ(Language(MaxLength), before) << "after:\n" << Listing();
    const std::vector<std::string> left = Extraneous();
    ASSERT_TRUE(left.empty()) << left.front() << "\nafter:\n" << Listing();
  }
  // Many of the grammars really were changed.
  EXPECT_GT(transformed, Grammars / 20);
}

TEST_P(LanguageTest, DeadAndUndefinedNonterminalsDoNotUpsetIt) {
  // Not cleaned first, as a caller may leave it: the steps end and the grammar stays whole.
  for (int seed = 1; seed <= Grammars / 3; ++seed) {
    RandomGrammar(uint32_t(seed), false);
    Apply(GetParam());
    const std::string listing = Listing();
    EXPECT_EQ(listing.empty(), Grammar().First < 1) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, LanguageTest,
                         ::testing::Values(Step::Factoring, Step::Loops, Step::Self,
                                           Step::Corners, Step::All));

}  // namespace
}  // namespace mv::testing
