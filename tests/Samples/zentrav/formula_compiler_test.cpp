// The formula compiler's core: the steps it writes for given formulas, its syntax errors, and
// random formulas whose steps, evaluated one by one, give what the formula gives directly.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "formula_compiler.h"

using zentrav::FormulaCompiler;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find("\r\n", from);
        EXPECT_NE(end, std::string::npos) << "every step ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

struct Compiled {
    std::vector<std::string> steps;
    std::string error;
};

Compiled Compile(FormulaCompiler& compiler, const std::string& formula)
{
    Compiled c;
    compiler.ParseFormula(formula, c.error);
    c.steps = Lines(compiler.Steps());
    return c;
}

TEST(FormulaCompiler, TheInitialFormulaGivesItsFourteenSteps)
{
    FormulaCompiler compiler;
    const Compiled c = Compile(compiler, "f-o*(e^(-e/(A*k*T)*(-(V+R*I)))-E)-V/S");
    EXPECT_EQ(c.error, "");
    const std::vector<std::string> expected = {
        "   A   *   k   -> 101", " 101   *   T   -> 102", "   e   / 102   -> 103",
        "   R   *   I   -> 104", "   V   + 104   -> 105", "       - 105   -> 106",
        " 103   * 106   -> 107", "       - 107   -> 108", "   e   ^ 108   -> 109",
        " 109   -   E   -> 110", "   o   * 110   -> 111", "   f   - 111   -> 112",
        "   V   /   S   -> 113", " 112   - 113   -> 114"};
    EXPECT_EQ(c.steps, expected);
    EXPECT_EQ(compiler.Cells(), " 114");
}

TEST(FormulaCompiler, AcceptedFormulas)
{
    const struct {
        std::string formula;
        std::vector<std::string> steps;
        std::string cells;
    } cases[] = {
        {"A*k", {"   A   *   k   -> 101"}, " 101"},
        {"-A", {"       -   A   -> 101"}, " 101"},
        {"A^B^C", {"   A   ^   B   -> 101", " 101   ^   C   -> 102"}, " 102"},
        {"A", {}, "   A"},
        {"+(7)", {}, "   7"},
        {"-a*b+c", {"   a   *   b   -> 101", "       - 101   -> 102", " 102   +   c   -> 103"}, " 103"},
        {"a-b-c", {"   a   -   b   -> 101", " 101   -   c   -> 102"}, " 102"},
    };
    for (const auto& tc : cases) {
        FormulaCompiler compiler;
        const Compiled c = Compile(compiler, tc.formula);
        EXPECT_EQ(c.error, "") << tc.formula;
        EXPECT_EQ(c.steps, tc.steps) << tc.formula;
        EXPECT_EQ(compiler.Cells(), tc.cells) << tc.formula;
    }
}

TEST(FormulaCompiler, SyntaxErrorsKeepTheStepsFoundBeforeThem)
{
    const struct {
        std::string formula;
        std::string error;
        std::vector<std::string> steps;
    } cases[] = {
        {"A + B",
         "Line 1, syntax error, found \" \" when expecting <F-List> with one of: ^ )-+ - / finish\r\n"
         "A + B\r\n !",
         {}},
        {"12",
         "Line 1, syntax error, found \"2\" when expecting <F-List> with one of: ^ )-+ - / finish\r\n"
         "12\r\n !",
         {}},
        {"(A*B",
         "Line 1, syntax error, found \"end marker\" when expecting \")\"\r\n(A*B\r\n    !",
         {"   A   *   B   -> 101"}},
        // Text after a complete formula is an error, not silently dropped.
        {"A+B)C",
         "Line 1, syntax error, found \")\" when expecting <Zentrav> with one of: finish\r\n"
         "A+B)C\r\n   !",
         {"   A   +   B   -> 101"}},
        {"A*+B",
         "Line 1, syntax error, found \"+\" when expecting <Fact> with one of: ( 0-9 A-Z a-z\r\n"
         "A*+B\r\n  !",
         {}},
        // The shown line ends before its line break.
        {"A+\r\nB",
         "Line 1, syntax error, found \"\r\" when expecting <Term> with one of: ( 0-9 A-Z a-z\r\n"
         "A+\r\n  !",
         {}},
    };
    for (const auto& tc : cases) {
        FormulaCompiler compiler;
        const Compiled c = Compile(compiler, tc.formula);
        EXPECT_EQ(c.error, tc.error) << tc.formula;
        EXPECT_EQ(c.steps, tc.steps) << tc.formula;
    }
}

TEST(FormulaCompiler, AFormulaThatCannotBeginKeepsThePreviousSteps)
{
    FormulaCompiler compiler;
    Compile(compiler, "A*k");
    for (const std::string formula : {"", "*A", " A"}) {
        const Compiled c = Compile(compiler, formula);
        EXPECT_NE(c.error.find("when expecting <Zentrav> with one of: ( + - 0-9 A-Z a-z"),
                  std::string::npos) << formula;
        EXPECT_EQ(c.steps, std::vector<std::string>{"   A   *   k   -> 101"}) << formula;
    }
    std::string error;
    compiler.ParseFormula("", error);
    EXPECT_EQ(error, "Line 1, syntax error, found \"end marker\" when expecting <Zentrav> with "
                     "one of: ( + - 0-9 A-Z a-z\r\n\r\n!");
    // The next good formula starts again at 101.
    EXPECT_EQ(Compile(compiler, "x/y").steps, std::vector<std::string>{"   x   /   y   -> 101"});
}

TEST(FormulaCompiler, DeepNestingIsAMessageNotACrash)
{
    FormulaCompiler compiler;
    const int depth = 100000;
    const std::string formula = std::string(depth, '(') + "A" + std::string(depth, ')');
    std::string error;
    compiler.ParseFormula(formula, error);
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error.substr(0, 200);

    // A nesting within the limit compiles.
    const std::string fine = std::string(500, '(') + "A+B" + std::string(500, ')');
    compiler.ParseFormula(fine, error);
    EXPECT_EQ(error, "");
}

TEST(FormulaCompiler, AddressesPastNineThousandNineHundredNinetyNineStayAligned)
{
    std::string formula = "a";
    for (int i = 0; i < 10000; ++i) formula += "+b";
    FormulaCompiler compiler;
    const Compiled c = Compile(compiler, formula);
    ASSERT_EQ(c.error, "");
    ASSERT_EQ(c.steps.size(), 10000u);
    EXPECT_EQ(c.steps.front(), "    a    +    b   ->  101");
    EXPECT_EQ(c.steps.back(), "10099    +    b   ->10100");
    for (const auto& line : c.steps) {
        EXPECT_EQ(line.size(), c.steps.front().size()) << line;
        EXPECT_EQ(line.find("->"), c.steps.front().find("->")) << line;
    }
}

// A reference evaluator of the formula language, and random formulas in it.
class Reference {
public:
    explicit Reference(const std::string& f) : F(f) {}
    double Evaluate() { return Express(); }

    static double Value(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 1.0 + (c % 7) / 4.0; }

private:
    char Peek() const { return I < F.size() ? F[I] : '\0'; }
    double Express()
    {
        double v;
        if (Peek() == '-') {
            ++I;
            v = -Term();
        } else {
            if (Peek() == '+') ++I;
            v = Term();
        }
        while (Peek() == '+' || Peek() == '-') v = F[I++] == '+' ? v + Term() : v - Term();
        return v;
    }
    double Term()
    {
        double v = Fact();
        while (Peek() == '*' || Peek() == '/') v = F[I++] == '*' ? v * Fact() : v / Fact();
        return v;
    }
    double Fact()
    {
        double v = P();
        while (Peek() == '^') {
            ++I;
            v = std::pow(v, P());
        }
        return v;
    }
    double P()
    {
        if (Peek() == '(') {
            ++I;
            const double v = Express();
            ++I;  // ')'
            return v;
        }
        return Value(F[I++]);
    }
    std::string F;
    size_t I = 0;
};

class RandomFormula {
public:
    explicit RandomFormula(unsigned seed) : Rng(seed) {}
    std::string Make() { return Express(0); }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng); }
    std::string Express(int depth)
    {
        std::string s = Pick(4) == 0 ? "-" : Pick(8) == 0 ? "+" : "";
        s += Term(depth);
        for (int n = Pick(3); n > 0; --n) s += std::string(1, "+-"[Pick(2)]) + Term(depth);
        return s;
    }
    std::string Term(int depth)
    {
        std::string s = Fact(depth);
        for (int n = Pick(3); n > 0; --n) s += std::string(1, "*/"[Pick(2)]) + Fact(depth);
        return s;
    }
    std::string Fact(int depth)
    {
        std::string s = P(depth);
        if (Pick(5) == 0) s += "^" + P(depth);
        return s;
    }
    std::string P(int depth)
    {
        if (depth < 3 && Pick(4) == 0) return "(" + Express(depth + 1) + ")";
        static const std::string operands = "abcxyzABKT123456789";
        return std::string(1, operands[static_cast<size_t>(Pick(static_cast<int>(operands.size())))]);
    }
    std::mt19937 Rng;
};

// Runs the steps: every cell is an operand character or an address of an earlier step.
double RunSteps(const std::vector<std::string>& steps, const std::string& lastCell)
{
    std::map<std::string, double> memory;
    auto value = [&](const std::string& cell) {
        if (cell.size() == 1) return Reference::Value(cell[0]);
        return memory.at(cell);
    };
    std::string last;
    for (const auto& line : steps) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        if (words.size() == 4) {
            EXPECT_EQ(words[0], "-") << line;
            memory[words[3]] = -value(words[1]);
        } else {
            EXPECT_EQ(words.size(), 5u) << line;
            const double a = value(words[0]), b = value(words[2]);
            const char op = words[1][0];
            memory[words[4]] = op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b
                             : op == '/' ? a / b : std::pow(a, b);
        }
        last = words.back();
    }
    std::string cell = lastCell;
    cell.erase(0, cell.find_first_not_of(' '));
    EXPECT_TRUE(steps.empty() || cell == last);
    return value(cell);
}

TEST(FormulaCompiler, RandomFormulasComputeWhatTheyDenote)
{
    RandomFormula random(20261210);
    for (int i = 0; i < 2000; ++i) {
        const std::string formula = random.Make();
        FormulaCompiler compiler;
        const Compiled c = Compile(compiler, formula);
        ASSERT_EQ(c.error, "") << formula;
        const double expected = Reference(formula).Evaluate();
        const double got = RunSteps(c.steps, compiler.Cells());
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << formula;
        } else {
            EXPECT_DOUBLE_EQ(got, expected) << formula;
        }
    }
}

}  // namespace
