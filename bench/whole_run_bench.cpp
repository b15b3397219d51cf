// The whole engine run on a grammar of 1,000 nonterminals, as the window program drives it:
// the Typical text read into the engine, the analysis up to the select-set report, and the
// C++ parser written. Prints the median of several runs for each phase and its share; then,
// for information, one nonterminal of many alternatives through the C++ generator.
//   whole_run_bench [nonterminals] [alternatives of the wide nonterminal] [its language code]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// Every nonterminal has three alternatives of one to five symbols, single-character terminals
// and nonterminals drawn at random, and now and then an action; every fifth has an empty one.
std::string GrammarText(int nonterminals) {
  std::mt19937 rng(2027);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::string terminals = "abcdefghijklmnopqrstuvwxyz0123456789+-*/=;:.,()";
  std::string t = "`act` ::= n = n + 1\r\n";
  for (int i = 0; i < nonterminals; ++i) {
    t += "<Nonterminal " + std::to_string(i) + "> ::=";
    for (int a = 0; a < 3; ++a) {
      if (a > 0) t += " |";
      for (int k = pick(1, 5); k > 0; --k) {
        int kind = pick(0, 9);
        if (kind < 4)
          t += std::string(" '") + terminals[size_t(pick(0, int(terminals.size()) - 1))] + "'";
        else if (kind < 9)
          t += " <Nonterminal " + std::to_string(pick(0, nonterminals - 1)) + ">";
        else
          t += " `act`";
      }
    }
    if (i % 5 == 4) t += " |";
    t += "\r\n";
  }
  return t;
}

// One nonterminal of `count` alternatives of three character codes: no two alike past their
// first terminal (up to 40,000), so that none shares another's branch.
std::string WideText(int count) {
  auto code = [](int c) { return " ''" + std::to_string(40 + c % 200) + "''"; };
  std::string t = "<Wide> ::= <Tail>";
  for (int i = 0; i < count; ++i) t += " |" + code(i * 7) + code(i) + code(i / 200);
  t += "\r\n<Tail> ::= 'y'\r\n";
  return t;
}

void StartRun(const std::string& folder, int32_t language) {
  const int16_t off = 0, on = -1;
  BnfParserInit(&language, folder.data(), int32_t(folder.size()), &on, &off, &off);
}

bool Read(const std::string& text) {
  readers::EngineBuilder engine;
  std::string error;
  readers::ParseGrammarByNotation(readers::Typical, text, error, {&engine});
  if (!error.empty()) std::printf("reading failed: %s\n", error.substr(0, 200).c_str());
  return error.empty();
}

// The relations and select sets; the select-set report too when `report` is set.
bool Analyse(bool report) {
  int32_t head = 0, tail = 0, n = 0;
  Nullable(&head, &tail);
  NtmNumbering(&n);
  TrmNumbering(&n);
  RulesNumbering(&n);
  char message[512] = {};
  InitMatrix(message, int32_t(sizeof message));
  if (message[0] != ' ' && message[0] != '\0') {
    std::printf("analysis failed: %.200s\n", message);
    return false;
  }
  IsEndOf();
  IsFollowedDirectlyBy();
  EndOf_FolDirBy_Prod();
  BeginsWith();
  IsFollowedBy();
  int16_t verdict = 0;
  if (report) FileSetOfSelect(&verdict, ".sel", 4);
  return true;
}

void Generate(int32_t language) { TamberlixCode(&language); }

}  // namespace

int main(int argc, char** argv) {
  const int nonterminals = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int wide = argc > 2 ? std::atoi(argv[2]) : 10000;
  const int32_t wideLanguage = argc > 3 ? std::atoi(argv[3]) : 8;
  const int runs = 9;
  const auto folder = std::filesystem::temp_directory_path() / "whole-run-bench";
  std::filesystem::create_directories(folder);
  const std::string text = GrammarText(nonterminals);

  std::vector<double> read, analyse, generate, whole;
  for (int run = 0; run < runs; ++run) {
    StartRun(folder.string(), 8);
    const auto t0 = Clock::now();
    if (!Read(text)) return 1;
    const auto t1 = Clock::now();
    if (!Analyse(true)) return 1;
    const auto t2 = Clock::now();
    Generate(8);
    const auto t3 = Clock::now();
    read.push_back(Ms(t0, t1));
    analyse.push_back(Ms(t1, t2));
    generate.push_back(Ms(t2, t3));
    whole.push_back(Ms(t0, t3));
  }
  std::uintmax_t parserBytes = 0;
  for (auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".cxx") parserBytes += entry.file_size();
  const double total = Median(whole);
  std::printf("grammar: %d nonterminals, %zu bytes of Typical text; C++ parser of %ju bytes\n",
              nonterminals, text.size(), parserBytes);
  std::printf("whole run: median %.2f ms of %d runs\n", total, runs);
  const struct {
    const char* name;
    const std::vector<double>& times;
  } phases[] = {{"read", read}, {"analyse", analyse}, {"generate C++", generate}};
  for (const auto& phase : phases)
    std::printf("  %-14s %8.2f ms  %5.1f%%\n", phase.name, Median(phase.times),
                100.0 * Median(phase.times) / total);

  // Planning and writing stay linear in one nonterminal's alternatives.
  if (wide > 0) {
    std::vector<double> times;
    const std::string wideText = WideText(wide);
    for (int run = 0; run < 3; ++run) {
      StartRun(folder.string(), wideLanguage);
      if (!Read(wideText) || !Analyse(false)) return 1;
      const auto t0 = Clock::now();
      Generate(wideLanguage);
      times.push_back(Ms(t0, Clock::now()));
    }
    std::printf("one nonterminal of %d alternatives, generation in language %d: median %.2f ms "
                "of 3 runs\n",
                wide, wideLanguage, Median(times));
  }
  std::filesystem::remove_all(folder);
  return 0;
}
