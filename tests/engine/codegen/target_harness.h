#pragma once
// Compiles the generated Fortran 90, Fortran 77, Java and Object Pascal parsers with the
// machine's compilers and a small main program in each language, and runs them over sentences.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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
  // Compiles one generated file of language 3, 4, 5, 7, 8 or 9 on its own (a Java parser with
  // an actions class), with the named files created empty first (a C++ parser's user header).
  bool CompileAlone(int32_t language, const std::string& file, const std::string& id,
                    const std::vector<std::string>& emptyFiles = {});
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
  bool Build(const std::string& build);
  int32_t Language = 0;
  std::string Command;
};

}  // namespace mv::testing
