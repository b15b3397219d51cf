#pragma once
// Compiles a generated C++ parser with g++ and a small main, and runs it over sentences. It
// needs only the files in the work folder, so it serves tests that drive the engine through
// its exports as well as those that hold an engine of their own.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mv::testing {

// What the generated parser did with one sentence: the hook and action trace lines, then
// "OK" or "ERR" and the error text.
struct ParseResult {
  std::string Trace;
  bool Ok = false;
  std::string Error;
  bool operator==(const ParseResult&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ParseResult& r);

// Splits a harness's output into results: each ends with "@@END"; before it "@@OK", "@@ERR"
// and the error text, or "@@DONE" after a parser whose only output is its error message.
std::vector<ParseResult> SplitResults(const std::string& out);

struct ParserHarness {
  std::filesystem::path folder;  // the work folder that holds the generated files
  std::string CompileLog;

  // Compiles the C++ parser of language 8 (procedural, "<lower>.cxx") or 9 (class,
  // "<lower>.cpp" and "<lower>.h") with a harness: tree hooks, the acts class, `act(text)`
  // for action texts (traces "A text"), an external error handler that traces
  // "E num symbol set" and a main. `grammarId` is the grammar name as the generated
  // identifiers spell it; `buildNames` as the generator option was set. Fails the test when
  // g++ fails.
  bool Compile(int32_t language, const std::string& grammarId, const std::string& lower,
               bool buildNames, const std::string& extra = std::string());
  // Runs the compiled parser over the sentences.
  std::vector<ParseResult> Run(const std::vector<std::string>& sentences);

  std::string ReadFile(const std::string& name) const;
};

}  // namespace mv::testing
