// The grammars of the samples' four parsers, read from their Typical grammar files into the engine:
// each is LL(1), and the expected-set text of every nonterminal, as the engine's Visual Basic
// generator writes it, is the one the hand-written parser reports.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "codegen/parser_writer.h"
#include "formula_compiler.h"
#include "interface/pipeline/pipeline_run.h"
#include "parsers.h"
#include "support/work_folder.h"
#include "syntax_error.h"

namespace {

using Sets = std::vector<std::pair<std::string, std::string>>;

// The (nonterminal, expected-set text) of every ErrH 1 call of the generated procedures.
Sets GeneratedSets(const std::string& bas)
{
    Sets sets;
    std::istringstream lines(bas);
    std::string line;
    bool inProcedures = false;
    const std::regex call("^\\s*ErrH 1, \"(.*)\", \"(.*)\"\\s*$");
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Private Sub s_", 0) == 0) inProcedures = true;
        std::smatch m;
        if (!inProcedures || !std::regex_match(line, m, call)) continue;
        std::string name = m[1];
        for (size_t at; (at = name.find("\"\"")) != std::string::npos;) name.erase(at, 1);
        sets.emplace_back(name, m[2]);
    }
    return sets;
}

Sets Generated(const std::string& file)
{
    test_support::WorkFolder folder("samples-grammar");
    const std::string text = pipeline_test::ReadText(std::string(SAMPLES_SOURCE) + "/" + file);
    EXPECT_FALSE(text.empty()) << file;
    pipeline_test::RunOptions options;
    options.tree = true;
    options.language = 1;  // Visual Basic
    const auto run = pipeline_test::Process(folder.Path(), text, options);
    EXPECT_EQ(run.ReadError, "") << file;
    EXPECT_TRUE(run.LL1) << file << "\n" << run.Select;
    return GeneratedSets(pipeline_test::ReadText(folder.Path() / (run.GrammarName + ".bas")));
}

// The samples' parsers give up on nesting no sooner than the engine's generated parsers do.
static_assert(samples::MaxNesting >= mv::ParserWriter::MaxDepth);

TEST(SampleGrammars, ZentravIsLL1WithTheParsersSelectSets)
{
    EXPECT_EQ(Generated("Basic/CodeGen/Zentrav.grm"), zentrav::FormulaCompiler::ExpectedSets());
}

TEST(SampleGrammars, ExpressionGrammarsAreLL1WithTheParsersSelectSets)
{
    EXPECT_EQ(Generated("ExpressionViewer/grammars/expression.grm"),
              kelvantroc::ExpectedSets(kelvantroc::Grammar::English));
    EXPECT_EQ(Generated("ExpressionViewer/grammars/expression_rus.grm"),
              kelvantroc::ExpectedSets(kelvantroc::Grammar::Russian));
    EXPECT_EQ(Generated("ExpressionViewer/grammars/cpp_grammar.grm"),
              kelvantroc::ExpectedSets(kelvantroc::Grammar::Cpp));
}

}  // namespace
