// The example grammar that comes with the program, built in every target: each parser
// compiles with the machine's compiler.
#include <gtest/gtest.h>

#include "engine/codegen/target_harness.h"
#include "pipeline_run.h"
#include "support/work_folder.h"

using namespace pipeline_test;

namespace {

TEST(ExampleGrammar, ItsParserCompilesInEveryTarget)
{
    const std::string text = ReadText(PIPELINE_EXAMPLES "/expression.grm");
    ASSERT_FALSE(text.empty());
    struct Target {
        int32_t language;
        std::string file;
        std::vector<std::string> emptyFiles;  // what the user supplies
    } targets[] = {{1, "Expression.bas", {}},          {3, "Expression.f90", {}},
                   {4, "Expression.for", {}},          {5, "ExpressionParser.java", {}},
                   {7, "Expression.pas", {}},          {8, "expression.cxx", {"expression.h"}},
                   {9, "expression.cpp", {}}};
    for (const Target& t : targets) {
        SCOPED_TRACE(t.language);
        test_support::WorkFolder work{"example-grammar"};
        RunOptions options;
        options.language = t.language;
        ASSERT_EQ(Process(work.Path(), text, options).ReadError, "");
        ASSERT_TRUE(std::filesystem::exists(work.Path() / t.file));
        // Visual Basic has no compiler here.
        if (t.language == 1 || !mv::testing::TargetHarness::MissingCompiler(t.language).empty()) continue;
        mv::testing::TargetHarness harness{work.Path()};
        EXPECT_TRUE(harness.CompileAlone(t.language, t.file, "Expression", t.emptyFiles));
    }
}

}  // namespace
