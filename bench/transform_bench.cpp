// Time of the attempt to make a grammar LL(1): left factoring, the removal of left-recursion
// loops and immediate left recursion, and corner substitution, repeated until the grammar is
// LL(1), a clash comes back or nothing changes, on generated grammars of 100, 300 and 1,000
// nonterminals. Prints the median of several runs of each step, the analysis between the
// cycles, and how the times grow with the grammar.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine.h"
#include "engine_bench_support.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;
using bench::Name;

// A chain of nonterminals N(i) -> a N(i+1) ; | C(i) b, with C(i) -> a c | d, and every fifth
// N(i) left-recursive (N(i) -> N(i) +): the corner C(i) clashes with the first alternative on
// a, and after its substitution left factoring makes the grammar LL(1). Half of the
// nonterminals are N(i), half C(i).
void BuildGrammar(mv::Engine& eng, int nonterminals) {
  mv::Builder& b = eng.builder;
  b.BKSACT();
  auto terminal = [&](int c) {
    b.BKSNAI();
    b.BKSSYM(c);
    b.BKSTRM();
  };
  auto nonterminal = [&](const std::string& name) {
    Name(b, name);
    b.BKSNTM();
  };
  auto n = [](int i) { return "N" + std::to_string(i); };
  auto c = [](int i) { return "C" + std::to_string(i); };
  const int chain = (nonterminals + 1) / 2;
  for (int i = 0; i < chain; ++i) {
    const int a = 'a' + i % 13, d = 'n' + i % 13, next = 'a' + (i + 2) % 13, digit = '0' + i % 10;
    Name(b, n(i));
    b.BKSNLI();
    b.BKSGMN();
    b.BKSNL();
    if (i + 1 == chain) {
      terminal('x');
      b.BKSEND();
      break;
    }
    terminal(a);
    nonterminal(n(i + 1));
    terminal(';');
    b.BKSEND();
    b.BKSNL();
    nonterminal(c(i));
    terminal(digit);
    b.BKSEND();
    if (i % 5 == 0) {
      b.BKSNL();
      nonterminal(n(i));
      terminal('+');
      b.BKSEND();
    }
    Name(b, c(i));
    b.BKSNLI();
    b.BKSNL();
    terminal(a);
    terminal(next);
    b.BKSEND();
    b.BKSNL();
    terminal(d);
    b.BKSEND();
  }
}

void Analyse(mv::Engine& eng, bool& fits) {
  mv::Analysis& an = eng.an;
  an.NtmNumbering();
  an.TrmNumbering();
  an.RulesNumbering();
  an.Nullable();
  fits = an.InitMatrix().empty();
  if (!fits) return;
  an.IsEndOf();
  an.IsFollowedDirectlyBy();
  an.EndOf_FolDirBy_Prod();
  an.BeginsWith();
  an.IsFollowedBy();
}

struct Figures {
  double factoring = 0, loops = 0, corners = 0, analysis = 0;
  int cycles = 0, finalN = 0, loopsSeen = 0;
  const char* end = "";
};

bool verdictLL1(mv::Engine& eng) {
  bool ll1 = true;
  std::vector<int32_t> owners;
  int32_t flag = -1;
  for (int32_t a = eng.store.Grammar.First; a >= 1;) {
    eng.an.SelectSetOfAlternative(a, owners, flag);
    ll1 = ll1 && flag != 0;
    if (a == eng.store.Grammar.Last) break;
    a = eng.mem.IVLR(mv::NonterminalPool, a, mv::NtmNext);
  }
  return ll1;
}

Figures RunOnce(int nonterminals, const std::filesystem::path& folder) {
  Figures f;
  mv::Engine eng;
  eng.BnfParserInit(8, folder.string(), 0, 0, 0);
  BuildGrammar(eng, nonterminals);
  eng.store.TakeGrammarName();
  std::filesystem::remove(folder / "N0.temp");
  for (f.end = "cycle limit"; f.cycles < 30; ++f.cycles) {
    auto t0 = Clock::now();
    eng.trans.LeftFactoring();
    auto t1 = Clock::now();
    eng.trans.RecursiveLoops();
    eng.trans.SelfRecursion();
    auto t2 = Clock::now();
    bool fits = false;
    Analyse(eng, fits);
    auto t3 = Clock::now();
    f.factoring += Ms(t0, t1);
    f.loops += Ms(t1, t2);
    f.analysis += Ms(t2, t3);
    if (!fits) {
      f.end = "relation space full";
      break;
    }
    int32_t substitutions = 0, loops = 0;
    eng.trans.SubstOfAmbigCorner(substitutions, loops);
    f.corners += Ms(t3, Clock::now());
    // A clash that comes back (loops) is counted but does not stop the cycles here: they go on
    // until nothing is substituted any more.
    f.loopsSeen += loops;
    if (substitutions == 0) {
      f.end = verdictLL1(eng) ? "LL(1)" : "no clash with a corner left";
      break;
    }
  }
  f.finalN = eng.an.NtmNumbering();
  return f;
}

}  // namespace

int main() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "tamberlix_transform_bench";
  std::filesystem::create_directories(folder);
  const int sizes[] = {100, 300, 1000};
  const int runs = 5;
  std::printf("Transformations towards LL(1), median of %d runs (ms)\n", runs);
  std::printf("%6s %10s %10s %10s %10s %7s %7s %7s  %s\n", "N", "factoring", "loops",
              "corners", "analysis", "cycles", "repeats", "N after", "ended by");
  double previous[3] = {0, 0, 0};
  int previousN = 0;
  for (int n : sizes) {
    std::vector<double> fa, lo, co, an;
    Figures last;
    for (int r = 0; r < runs; ++r) {
      last = RunOnce(n, folder);
      fa.push_back(last.factoring);
      lo.push_back(last.loops);
      co.push_back(last.corners);
      an.push_back(last.analysis);
    }
    const double m[3] = {Median(fa), Median(lo), Median(co)};
    std::printf("%6d %10.2f %10.2f %10.2f %10.2f %7d %7d %7d  %s\n", n, m[0], m[1], m[2],
                Median(an), last.cycles + 1, last.loopsSeen, last.finalN, last.end);
    if (previousN > 0) {
      std::printf("       growth for %.1fx the nonterminals: factoring %.1fx, loops %.1fx, "
                  "corners %.1fx\n",
                  double(n) / previousN, m[0] / std::max(previous[0], 1e-3),
                  m[1] / std::max(previous[1], 1e-3), m[2] / std::max(previous[2], 1e-3));
    }
    std::copy(m, m + 3, previous);
    previousN = n;
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
