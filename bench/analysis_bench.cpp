// Time of the analysis of a grammar near the capacity of the relation space: about 1,000
// nonterminals over 256 one-character terminals (3*S*N + 2*N just below 4,194,304). Prints the
// median of several runs of: numbering, the five relation kernels and the select sets of every
// nonterminal; then, for information, the nullable search and the select-set report.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine.h"
#include "engine_bench_support.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;
using bench::Name;

// Every nonterminal has three alternatives of one to four symbols, nonterminals and terminals
// drawn at random; every fifth nonterminal also has an empty alternative. Random references
// make one large cycle of BEGINS-WITH, the dense case of the closure.
void BuildGrammar(mv::Engine& eng, int nonterminals) {
  std::mt19937 rng(1210);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  mv::Builder& b = eng.builder;
  b.BKSACT();
  // Every terminal code occurs once in the first rule, so all 256 are numbered.
  Name(b, "N0");
  b.BKSNLI();
  b.BKSGMN();
  for (int c = 0; c < 256; ++c) {
    b.BKSNL();
    b.BKSNAI();
    b.BKSSYM(c);
    b.BKSTRM();
    Name(b, "N" + std::to_string(1 + c % (nonterminals - 1)));
    b.BKSNTM();
    b.BKSEND();
  }
  for (int i = 1; i < nonterminals; ++i) {
    Name(b, "N" + std::to_string(i));
    b.BKSNLI();
    b.BKSGMN();
    for (int a = 0; a < 3; ++a) {
      b.BKSNL();
      int len = pick(1, 4);
      for (int k = 0; k < len; ++k) {
        if (pick(0, 2) == 0) {
          b.BKSNAI();
          b.BKSSYM(pick(0, 255));
          b.BKSTRM();
        } else {
          Name(b, "N" + std::to_string(pick(0, nonterminals - 1)));
          b.BKSNTM();
        }
      }
      b.BKSEND();
    }
    if (i % 5 == 0) {
      b.BKSNL();
      b.BKSNUL();
      b.BKSEND();
    }
  }
  eng.store.TakeGrammarName();
}

}  // namespace

int main() {
  const int runs = 9;
  auto folder = std::filesystem::temp_directory_path() / "analysis-bench";
  std::filesystem::create_directories(folder);
  mv::Engine eng;
  eng.BnfParserInit(1, folder.string(), 0, 0, 0);
  BuildGrammar(eng, 1000);
  mv::Analysis& an = eng.an;
  an.Nullable();

  // Stages timed one by one; their sum is the figure of the whole analysis.
  const char* const names[] = {"numbering",     "IsEndOf",    "IsFollowedDirectlyBy",
                               "EndOf_FolDirBy_Prod", "BeginsWith", "IsFollowedBy",
                               "select sets"};
  constexpr int stages = 7;
  std::vector<double> times[stages], analysis, nullable, report;
  int64_t owned = 0;
  for (int run = 0; run < runs; ++run) {
    Clock::time_point t[stages + 1];
    t[0] = Clock::now();
    an.NtmNumbering();
    an.TrmNumbering();
    an.RulesNumbering();
    if (!an.InitMatrix().empty()) {
      std::printf("the grammar does not fit the relation space\n");
      return 1;
    }
    t[1] = Clock::now();
    an.IsEndOf();
    t[2] = Clock::now();
    an.IsFollowedDirectlyBy();
    t[3] = Clock::now();
    an.EndOf_FolDirBy_Prod();
    t[4] = Clock::now();
    an.BeginsWith();
    t[5] = Clock::now();
    an.IsFollowedBy();
    t[6] = Clock::now();
    std::vector<int32_t> owners;
    owned = 0;
    for (int32_t a = eng.store.Grammar.First; a >= 1;
         a = eng.mem.IVLR(mv::NonterminalPool, a, mv::NtmNext)) {
      int32_t flag = 0;
      an.SelectSetOfAlternative(a, owners, flag);
      for (int32_t o : owners) owned += o != 0;
      if (a == eng.store.Grammar.Last) break;
    }
    t[7] = Clock::now();
    an.Nullable();
    auto t8 = Clock::now();
    int16_t verdict = 0;
    an.FileSetOfSelect(".sel", verdict);
    auto t9 = Clock::now();
    for (int k = 0; k < stages; ++k) times[k].push_back(Ms(t[k], t[k + 1]));
    analysis.push_back(Ms(t[0], t[stages]));
    nullable.push_back(Ms(t[stages], t8));
    report.push_back(Ms(t8, t9));
  }
  const mv::SymbolCounts& c = eng.store.Counts;
  std::printf("grammar: N=%d T=%d S=%d R=%d, relation space %lld of 4194304\n", c.N, c.T, c.S,
              c.R, 3LL * c.S * c.N + 2LL * c.N);
  std::printf("numbering + relation kernels + select sets: median %.2f ms of %d runs (%lld "
              "selected entries)\n",
              Median(analysis), runs, static_cast<long long>(owned));
  for (int k = 0; k < stages; ++k) std::printf("  %-22s %8.2f ms\n", names[k], Median(times[k]));
  std::printf("nullable search with its listing: median %.2f ms\n", Median(nullable));
  std::printf("select-set report file: median %.2f ms\n", Median(report));
  std::filesystem::remove_all(folder);
  return 0;
}
