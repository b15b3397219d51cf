#pragma once
// Compiles the generated Fortran 90, Fortran 77, Java and Object Pascal parsers with the
// machine's compilers and a small main program in each language, and runs them over sentences;
// and a fixture that does so for any compiled target, the C++ ones included.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/codegen/codegen_fixture.h"
#include "engine/codegen/parser_harness.h"

namespace mv::testing {

struct TargetHarness {
  explicit TargetHarness(std::filesystem::path workFolder) : folder(std::move(workFolder)) {}

  std::filesystem::path folder;  // the work folder that holds the generated file
  std::string CompileLog;

  // Why the language's compiler cannot be used here; empty when it can.
  static std::string MissingCompiler(int32_t language);

  // Compiles the parser of language 3 (base + ".f90"), 4 (base + ".for", generated with the
  // title and error reaction of F77Title and F77Reaction), 5 (base + "Parser.java") or 7
  // (base + ".pas"). `id` is the grammar name as the generated identifiers spell it. Fails the
  // test when the compiler fails.
  bool Compile(int32_t language, const std::string& base, const std::string& id);
  // Runs the compiled parser over the sentences. A Fortran 90 or Pascal parser accepts when it
  // writes nothing; what it writes is its error text.
  std::vector<ParseResult> Run(const std::vector<std::string>& sentences);

  std::string ReadFile(const std::string& name) const;

  // The Fortran 77 parser tells its caller of an error only through the texts the grammar
  // gives it: an alternate return.
  static constexpr const char* F77Title = "SUBROUTINE PARSE(Src,*)";
  static constexpr const char* F77Declaration = "CHARACTER *(*) Src";
  static constexpr const char* F77Reaction = "GOTO 90006";

private:
  int32_t Language = 0;
  std::string Command;
};

struct GrammarCase {
  const char* what;
  std::string grammar;
  std::vector<std::string> sentences;
  bool actions = false;
};

// An action that does nothing visible, in each target's own statement form.
std::string QuietAction(int32_t language);

// The name of a target's instance of a test.
std::string TargetName(const ::testing::TestParamInfo<int32_t>& info);

class TargetFixture : public CodegenFixture {
protected:
  // Generates, compiles and runs one target over the sentences; the actions "begin" and "end"
  // do nothing. The Fortran 77 parser gets the title and error reaction of the harness.
  std::vector<ParseResult> Parse(int32_t language, const GrammarCase& c);
  // The grammar name as the language's identifiers spell it.
  std::string Id(int32_t language) const;
  // Skips the test when a compiler is missing.
  static bool Skip(int32_t language);
};

}  // namespace mv::testing
