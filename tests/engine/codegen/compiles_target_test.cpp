// Output that always compiles: grammars whose names or choices once gave text that a target's
// compiler refused, generated, compiled and run in every compiled target.

#include "engine/codegen/target_fixture.h"

namespace mv::testing {
namespace {

struct CompileCase {
  const char* what;
  std::string grammar;
  std::vector<std::string> sentences;
  std::vector<bool> accepted;
  bool java = true;  // javac cannot open a file whose name is not UTF-8
};

const std::vector<CompileCase>& Cases() {
  static const std::vector<CompileCase> table = {
      // Two alternatives keep no character: a case label written for each would stand twice.
      {"alternatives that can never be chosen", "S = 'a' | 'a' 'b' | 'a' 'c'", {"a", "ab", "b"}, {true, false, false}},
      {"a grammar name that is no identifier", "Ex-pr = 'a' <B>\nB = 'b'", {"ab", "a"}, {true, false}},
      {"a grammar name that is a keyword", "Program = 'a' <Record>\nRecord = 'b'", {"ab", "a"}, {true, false}},
      {"a grammar name that is a keyword too", "Record = 'a'", {"a", "b"}, {true, false}},
      {"a Cyrillic grammar name", "\xc2\xfb\xf0 = 'a' <\xc1>\n\xc1 = 'b'", {"ab", "a"}, {true, false}, false},
  };
  return table;
}

class CompilesInEveryTarget : public TargetFixture, public ::testing::WithParamInterface<int32_t> {};

TEST_P(CompilesInEveryTarget, AndParses) {
  const int32_t language = GetParam();
  if (Skip(language)) GTEST_SKIP() << TargetHarness::MissingCompiler(language);
  for (auto& c : Cases()) {
    if (language == Java && !c.java) continue;
    SCOPED_TRACE(c.what);
    auto results = Parse(language, {c.what, c.grammar, c.sentences});
    ASSERT_EQ(results.size(), c.sentences.size());
    for (size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i].Ok, c.accepted[i]) << c.sentences[i];
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, CompilesInEveryTarget,
                         ::testing::Values(CppProcedural, CppClass, Fortran90, Fortran77, Java, Pascal),
                         TargetName);

}  // namespace
}  // namespace mv::testing
