#pragma once
// A fixture that generates a grammar's parser in any compiled target, the C++ ones included,
// compiles it with the machine's compiler and runs it over sentences.

#include <gtest/gtest.h>

#include "engine/codegen/codegen_fixture.h"
#include "engine/codegen/target_harness.h"

namespace mv::testing {

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
