// The bytes of everything a run writes, held against hashes recorded from the engine: random
// grammars with awkward names, long lines, action texts and option texts, generated in every
// language code with random generator options, plus the listings and the select report of
// each. A changed byte in any file changes its case's hash.
//
// When the generated text changes on purpose, write the hashes anew and review the diff:
//   TAMBERLIX_WRITE_GOLDEN=1 engine_tests --gtest_filter='GeneratedBytes.*'

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "engine/support/grammar_fixture.h"

namespace mv::testing {
namespace {

constexpr int GrammarCount = 48;
const char* const GoldenFile = TAMBERLIX_TEST_SOURCE_DIR "/engine/codegen/generated_bytes.golden";

uint64_t Fnv(uint64_t hash, const std::string& bytes) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

class RandomGrammar {
public:
  explicit RandomGrammar(uint32_t seed) : Rng(seed) {}

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }

  // Letters mostly; now and then a code that a target must quote, escape or break around.
  std::string Text(int length, bool odd) {
    static const std::string plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    static const std::string special = " \"'\\/*!&;,(){}<>|-+=#$%u`[]~.:";
    std::string text;
    for (int i = 0; i < length; ++i) {
      int kind = odd ? Pick(1, 100) : 1;
      if (kind <= 70)
        text += plain[size_t(Pick(0, int(plain.size()) - 1))];
      else if (kind <= 90)
        text += special[size_t(Pick(0, int(special.size()) - 1))];
      else if (kind <= 95)
        text += char(Pick(1, 31));
      else
        text += char(Pick(127, 255));
    }
    return text;
  }

  int Length() {
    int k = Pick(1, 100);
    if (k <= 80) return Pick(1, 10);
    if (k <= 95) return Pick(11, 80);
    return Pick(100, 320);
  }

  std::string Grammar;  // the start symbol's name
  std::vector<std::string> Nonterminals, Terminals, Actions;
  std::vector<std::vector<std::string>> ActionTexts;
  std::mt19937 Rng;
};

class GeneratedBytes : public EngineFixture {
protected:
  void Spell(const std::string& text) {
    b().BKSNAI();
    for (unsigned char c : text) b().BKSSYM(c);
  }

  // The grammar of one seed, built through the builder.
  void Build(RandomGrammar& g) {
    const int nonterminals = g.Pick(2, 14);
    g.Nonterminals.clear();
    g.Nonterminals.push_back("G" + g.Text(g.Pick(0, 12), false));
    while (int(g.Nonterminals.size()) < nonterminals) {
      std::string name = g.Text(g.Length(), true);
      // A backslash before "u" or at the end tests the comment guards of Java and C++.
      if (g.Chance(10)) name += "\\u";
      if (g.Chance(10)) name += "\\";
      if (std::find(g.Nonterminals.begin(), g.Nonterminals.end(), name) == g.Nonterminals.end())
        g.Nonterminals.push_back(name);
    }
    g.Terminals.clear();
    for (int i = g.Pick(1, 12); i > 0; --i)
      g.Terminals.push_back(g.Chance(10)   ? std::string("\\")
                            : g.Chance(70) ? std::string(1, char(g.Pick(0, 255)))
                                           : g.Text(g.Pick(2, 6), true));
    g.Actions.clear();
    for (int i = g.Pick(0, 3); i > 0; --i) g.Actions.push_back("act" + g.Text(g.Pick(1, 8), true));

    for (size_t n = 0; n < g.Nonterminals.size(); ++n) {
      Spell(g.Nonterminals[n]);
      b().BKSNLI();
      b().BKSGMN();
      // Some nonterminals are long lists of one-terminal alternatives that share their tail.
      const bool list = g.Chance(20);
      const int alternatives = list ? g.Pick(5, 40) : g.Pick(1, 5);
      for (int a = 0; a < alternatives; ++a) {
        b().BKSNL();
        if (list) {
          b().BKSNAI();
          b().BKSSYM(g.Pick(0, 255));
          b().BKSTRM();
          Spell(g.Nonterminals[size_t(g.Pick(0, nonterminals - 1))]);
          b().BKSNTM();
          b().BKSEND();
          continue;
        }
        const int elements = g.Pick(0, 5);
        if (elements == 0) b().BKSNUL();
        for (int e = 0; e < elements; ++e) {
          int kind = g.Pick(1, 10);
          if (kind <= 4) {
            Spell(g.Terminals[size_t(g.Pick(0, int(g.Terminals.size()) - 1))]);
            b().BKSTRM();
          } else if (kind <= 8 || g.Actions.empty()) {
            Spell(g.Nonterminals[size_t(g.Pick(0, nonterminals - 1))]);
            b().BKSNTM();
          } else {
            Spell(g.Actions[size_t(g.Pick(0, int(g.Actions.size()) - 1))]);
            b().BKSACR();
          }
        }
        b().BKSEND();
      }
    }
    for (const std::string& action : g.Actions) {
      Spell(action);
      b().BKSACL();
      for (int i = g.Pick(0, 3); i > 0; --i) {
        b().BKSACB();
        for (unsigned char c : g.Text(g.Chance(20) ? g.Pick(100, 1200) : g.Pick(0, 60), true)) b().BKSSTS(c);
        b().BKSSTM();
      }
    }
  }

  // Option texts some runs set: they are written into the parsers as given.
  void Options(RandomGrammar& g) {
    auto text = [&] { return Padded(g.Chance(50) ? std::string() : g.Text(g.Pick(1, 150), true), OptionTextLength); };
    GrammarStore& st = eng->store;
    st.UserTitle = text();
    if (g.Chance(30)) st.UserScanner = text();
    if (g.Chance(30)) st.UserErrorReaction = g.Chance(50) ? Padded("$extern", OptionTextLength) : text();
    for (auto* lines : {&st.UserDeclarations, &st.UserPreParse, &st.UserPostParse})
      for (auto& line : *lines) line = text();
  }

  // Every file in the work folder, by name, then removed.
  std::map<std::string, std::string> TakeFiles() {
    std::map<std::string, std::string> files;
    for (auto& entry : std::filesystem::directory_iterator(folder)) {
      files[entry.path().filename().string()] = ReadFile(entry.path().filename().string());
      std::filesystem::remove(entry.path());
    }
    return files;
  }

  // One case: the seed's grammar in one language; the hash of every file the run wrote.
  uint64_t Case(uint32_t seed, int32_t language) {
    eng = std::make_unique<Engine>();
    RandomGrammar g(seed * 131u + uint32_t(language));
    Start(language);
    RandomGrammar shape(seed);  // the same grammar in every language
    Build(shape);
    Options(g);
    EXPECT_TRUE(eng->store.TakeGrammarName());
    Analysis& an = eng->an;
    an.Nullable();
    an.NtmNumbering();
    an.TrmNumbering();
    an.RulesNumbering();
    EXPECT_EQ(TrimmedRight(an.InitMatrix()), "");
    an.IsEndOf();
    an.IsFollowedDirectlyBy();
    an.EndOf_FolDirBy_Prod();
    an.BeginsWith();
    an.IsFollowedBy();
    const Chain grammar = eng->store.Grammar;
    eng->out.WriteResultFile(ResultFileKind::Rules, grammar.First, grammar.Last, " rules", ".rul");
    eng->out.WriteResultFile(ResultFileKind::Grammar, grammar.First, grammar.Last, " grammar", ".grm");
    eng->out.WriteResultFile(ResultFileKind::Nonterminals, grammar.First, grammar.Last, " names", ".ntm");
    int16_t verdict = 0;
    an.FileSetOfSelect(".sel", verdict);
    eng->run.BuildActions = g.Chance(50) ? True : False;
    eng->run.BuildTree = g.Chance(50) ? True : False;
    eng->run.BuildNames = g.Chance(50) ? True : False;
    eng->store.CollisionReportFlag = g.Chance(80);
    eng->codegen.FixedDate = "01.02.03";
    eng->codegen.TamberlixCode(language);
    uint64_t hash = 14695981039346656037ULL;
    for (auto& [name, bytes] : TakeFiles()) {
      hash = Fnv(hash, name);
      hash = Fnv(hash, std::to_string(bytes.size()));
      hash = Fnv(hash, bytes);
    }
    return hash;
  }
};

TEST_F(GeneratedBytes, EveryFileOfEveryLanguageAsRecorded) {
  std::map<std::string, std::string> recorded;
  {
    std::ifstream in(GoldenFile);
    std::string key, hash;
    while (in >> key >> hash) recorded[key] = hash;
  }
  const bool writing = std::getenv("TAMBERLIX_WRITE_GOLDEN") != nullptr;
  std::ostringstream written;
  int differing = 0;
  for (uint32_t seed = 1; seed <= GrammarCount; ++seed) {
    for (int32_t language = 1; language <= 9; ++language) {
      const std::string key = std::to_string(seed) + "/" + std::to_string(language);
      char hash[20];
      std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Case(seed, language)));
      written << key << " " << hash << "\n";
      if (!writing && recorded[key] != hash && ++differing <= 10)
        ADD_FAILURE() << "grammar " << seed << ", language " << language << ": the files differ";
    }
  }
  if (writing) {
    std::ofstream(GoldenFile) << written.str();
    return;
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace mv::testing
