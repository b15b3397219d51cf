// The C++ targets: text and behaviour of shapes the other test files leave out, and what the
// generation entry reports.

#include "engine/codegen/codegen_fixture.h"

namespace mv::testing {
namespace {

using TextLines = std::vector<std::string>;

class CppTargets : public CodegenFixture {
protected:
  // Generates one C++ target, compiles it and runs it over the sentences.
  std::vector<ParseResult> Parse(int32_t language, const std::string& grammar,
                                 const std::vector<std::string>& sentences) {
    Start(language);
    Grammar(grammar);
    Generate(language);
    if (!Compile(language)) return {};
    return Run(sentences);
  }
};

// A nonterminal that is used but has no rule gets a procedure that only reports the error.
TEST_F(CppTargets, NonterminalWithoutAlternativesCompiles) {
  for (int32_t language : {CppProcedural, CppClass}) {
    auto results = Parse(language, "S = 'a' <X> | 'b'", {"b", "a"});
    ASSERT_EQ(results.size(), 2u) << language;
    EXPECT_TRUE(results[0].Ok) << language;
    EXPECT_EQ(results[1].Error,
              "Line1, syntax error, found \"end marker\" when expecting <X> with one of: ")
        << language;
  }
  EXPECT_EQ(Block("s.cpp", "void SParser::S2()", "}"),
            (TextLines{"void SParser::S2()", "{\t// Procedure <X>", "\t{",
                       "\t\tbad = errh(1, \"<X>\", \"\");", "\t}", "}"}));
}

// Without names from the symbols the procedures are the grammar name and a number; for the
// grammar "ll" that would be the scanner's own ll1.
TEST_F(CppTargets, NumberedProceduresAvoidTheParsersNames) {
  for (int32_t language : {CppProcedural, CppClass}) {
    auto results = Parse(language, "ll = 'a' <B>\nB = 'b'", {"ab", "aa"});
    ASSERT_EQ(results.size(), 2u) << language;
    EXPECT_TRUE(results[0].Ok) << language;
    EXPECT_EQ(results[1].Error, "Line1, syntax error, found \"a\" when expecting <B> with one of: b")
        << language;
  }
  std::string header = ReadFile("ll.h");
  EXPECT_NE(header.find("\tvoid ll1_(void);\n\tvoid ll2(void);\n"), std::string::npos) << header;
}

// A generation that writes its files reports no failure, also after one that was refused.
TEST_F(CppTargets, SuccessfulGenerationLeavesNoStaleError) {
  Start(CppProcedural);
  Grammar("x = 'a'");
  Analyse();
  eng->store.ResultBaseName = Padded("../x", FileNameLength);
  eng->codegen.TamberlixCode(CppProcedural);
  EXPECT_NE(eng->out.LastError, "");
  eng->store.ResultBaseName = Padded("x", FileNameLength);
  eng->codegen.TamberlixCode(CppProcedural);
  EXPECT_TRUE(Exists("x.cxx"));
  EXPECT_EQ(eng->out.LastError, "");
}

}  // namespace
}  // namespace mv::testing
