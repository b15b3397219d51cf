// Steps over one very large nonterminal and over a long chain of unit rules: the search for
// identical alternatives, the alive and reachable split, the nullable search, the analysis
// with its select-set report, the search for clashing corners, left factoring and a pass of each recursion removal. Each
// should grow in proportion to the grammar. Prints the median of several runs of each step
// per size. An argument below 1 scales the sizes down (to time a slow build in reasonable
// time).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine.h"
#include "engine_bench_support.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;
using bench::Name;

void Terminal(mv::Builder& b, const std::string& name) {
  Name(b, name);
  b.BKSTRM();
}

void Nonterminal(mv::Builder& b, const std::string& name) {
  Name(b, name);
  b.BKSNTM();
}

// A new grammar whose start symbol S is opened.
mv::Builder& StartS(mv::Engine& eng) {
  mv::Builder& b = eng.builder;
  b.BKSACT();
  Name(b, "S");
  b.BKSNLI();
  b.BKSGMN();
  return b;
}

// S with `width` alternatives "t<i mod 5000> B<i mod 7> u<i / 5000>", every tenth one
// repeating the one before; B0..B6 each derive "b" or nothing.
void Wide(mv::Engine& eng, int width) {
  mv::Builder& b = StartS(eng);
  for (int i = 0; i < width; ++i) {
    const int k = i % 10 == 9 ? i - 1 : i;
    b.BKSNL();
    Terminal(b, "t" + std::to_string(k % 5000));
    Nonterminal(b, "B" + std::to_string(k % 7));
    Terminal(b, "u" + std::to_string(k / 5000));
    b.BKSEND();
  }
  for (int k = 0; k < 7; ++k) {
    Name(b, "B" + std::to_string(k));
    b.BKSNLI();
    b.BKSNL();
    Terminal(b, "b");
    b.BKSEND();
    b.BKSNL();
    b.BKSNUL();
    b.BKSEND();
  }
}

// C0 -> C1 -> ... -> C<length-1> -> c, each a unit rule.
void Chain(mv::Engine& eng, int length) {
  mv::Builder& b = eng.builder;
  b.BKSACT();
  for (int i = 0; i < length; ++i) {
    Name(b, "C" + std::to_string(i));
    b.BKSNLI();
    b.BKSGMN();
    b.BKSNL();
    if (i + 1 < length)
      Nonterminal(b, "C" + std::to_string(i + 1));
    else
      Terminal(b, "c");
    b.BKSEND();
  }
}

// S with `width` alternatives in groups of ten sharing a first terminal: "p<g> q<i mod 10>".
void Groups(mv::Engine& eng, int width) {
  mv::Builder& b = StartS(eng);
  for (int i = 0; i < width; ++i) {
    b.BKSNL();
    Terminal(b, "p" + std::to_string(i / 10));
    Terminal(b, "q" + std::to_string(i % 10));
    b.BKSEND();
  }
}

struct Step {
  const char* name;
  std::function<void(mv::Engine&)> run;
};

void Time(const char* grammar, int size, const std::function<void(mv::Engine&, int)>& build,
          const std::vector<Step>& steps, const std::filesystem::path& folder) {
  const int runs = 3;
  std::vector<std::vector<double>> times(steps.size());
  for (int r = 0; r < runs; ++r) {
    // Each run starts without the clash history that the run before left in the folder.
    std::error_code ec;
    for (const auto& file : std::filesystem::directory_iterator(folder, ec))
      std::filesystem::remove(file.path(), ec);
    mv::Engine eng;
    eng.BnfParserInit(8, folder.string(), 0, 0, 0);
    build(eng, size);
    eng.store.TakeGrammarName();
    for (size_t s = 0; s < steps.size(); ++s) {
      const auto t0 = Clock::now();
      steps[s].run(eng);
      times[s].push_back(Ms(t0, Clock::now()));
    }
  }
  std::printf("%-34s %8d", grammar, size);
  for (size_t s = 0; s < steps.size(); ++s)
    std::printf("  %s %9.1f", steps[s].name, Median(times[s]));
  std::printf("  (ms, median of %d)\n", runs);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
  auto scaled = [&](int n) { return std::max(10, int(n * scale)); };
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "tamberlix_cleaning_bench";
  std::filesystem::create_directories(folder);
  const std::vector<Step> cleaning = {
      {"identical", [](mv::Engine& e) { e.extra.IdenticalRules(); }},
      {"alive", [](mv::Engine& e) { mv::Chain d, a; e.extra.Alive(d, a); }},
      {"reachable", [](mv::Engine& e) { mv::Chain u, r; e.extra.UnReachable(u, r); }},
      {"nullable", [](mv::Engine& e) { e.an.Nullable(); }},
      {"analysis", [](mv::Engine& e) {
         mv::Analysis& an = e.an;
         an.NtmNumbering();
         an.TrmNumbering();
         an.RulesNumbering();
         if (!an.InitMatrix().empty()) return;
         an.IsEndOf();
         an.IsFollowedDirectlyBy();
         an.EndOf_FolDirBy_Prod();
         an.BeginsWith();
         an.IsFollowedBy();
         int16_t verdict = 0;
         an.FileSetOfSelect(".sel", verdict);
       }},
      {"corners", [](mv::Engine& e) {
         int32_t substitutions = 0, loops = 0;
         e.trans.SubstOfAmbigCorner(substitutions, loops);
       }},
  };
  for (int n : {12500, 50000, 200000})
    Time("one nonterminal, alternatives", scaled(n), Wide, cleaning, folder);
  for (int n : {12500, 25000, 50000})
    Time("chain of unit rules", scaled(n), Chain, cleaning, folder);
  const std::vector<Step> factoring = {
      {"left factoring", [](mv::Engine& e) { e.trans.LeftFactoring(); }},
      {"self recursion", [](mv::Engine& e) { e.trans.SelfRecursion(); }},
      {"recursion loops", [](mv::Engine& e) { e.trans.RecursiveLoops(); }},
  };
  for (int n : {1000, 10000, 200000})
    Time("groups of ten sharing a prefix", scaled(n), Groups, factoring, folder);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
