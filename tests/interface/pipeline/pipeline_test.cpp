// Whole processing runs: a grammar text read by the real notation readers into
// the engine library, cleaned, analysed and turned into parsers, the C++ ones compiled and run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

#include "engine/codegen/parser_harness.h"
#include "pipeline_run.h"
#include "support/work_folder.h"

using namespace pipeline_test;
using mv::testing::ParseResult;
using mv::testing::ParserHarness;

namespace {

constexpr int32_t VisualBasic = 1, Fortran90 = 3, Fortran77 = 4, Java = 5, Pascal = 7, CppProcedural = 8, CppClass = 9;

struct Sentence {
    std::string text;
    std::string error;  // "" when the sentence must be accepted
    std::string trace;  // the actions' trace, when actions are built
};

struct Case {
    const char* what;
    std::string text;
    std::string name;  // the grammar's name
    bool ll1;
    int32_t N, T;
    std::vector<std::string> dead, unreachable, nullable;
    std::vector<std::string> startFirst;  // the terminals the start symbol begins with
    std::vector<std::string> selectLines;  // lines the select listing must hold
    bool actions;
    std::vector<Sentence> sentences;
};

std::string Fixture(const std::string& file) { return ReadText(std::string(PIPELINE_FIXTURES) + "/" + file); }

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const std::vector<Case>& Cases()
{
    const std::string NotQuoteLfCr = "chr(0)-chr(9) chr(11)-chr(12) chr(14)-chr(38) (-\xFF '";
    static const std::vector<Case> cases = {
        {"expressions with actions",
         "! Sums and products of numbers, with an action after each operation.\n"
         "<Expr> ::= <Term> <Expr rest>\n"
         "<Expr rest> ::= + <Term> `add` <Expr rest> | - <Term> `sub` <Expr rest> |\n"
         "<Term> ::= <Factor> <Term rest>\n"
         "<Term rest> ::= * <Factor> `mul` <Term rest> | / <Factor> `quot` <Term rest> |\n"
         "<Factor> ::= <Digit> { <Digit> }* `num` | ( <Expr> )\n"
         "<Digit> ::= 0-9\n"
         "`add` ::= act(\"add\");\n"
         "`sub` ::= act(\"sub\");\n"
         "`mul` ::= act(\"mul\");\n"
         "`quot` ::= act(\"quot\");\n"
         "`num` ::= act(\"num\");\n",
         "Expr", true, 10, 16, {}, {},
         {"Expr rest", "Term rest", "{1}-list", "{1}-right"},
         {"(", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         {"        1\t<Expr>::=<Term><Expr rest>\t\t\t\"(\" \"0\"-\"9\"",
          "        5\t<Expr rest>::=\t\t\t\")\" finish"},
         true,
         {{"1+2*3", "", "A num\nA num\nA num\nA mul\nA add\n"},
          {"(12-3)/4", "", "A num\nA num\nA sub\nA num\nA quot\n"},
          {"7", "", "A num\n"},
          {"", "Line1, syntax error, found \"end marker\" when expecting <Expr> with one of: ( 0-9"},
          {"1+*2", "Line1, syntax error, found \"*\" when expecting <Term> with one of: ( 0-9", "A num\n"},
          {"(1", "Line1, syntax error, found \"end marker\" when expecting \")\"\n(1\n  !", "A num\n"},
          {"1)", "Line1, syntax error, found \")\" when expecting <Expr> with one of: finish", "A num\n"}}},

        {"groups and repetitions",
         "<List> ::= ( [ <Item> { , <Item> }* ] )\n"
         "<Item> ::= x | y [ ? ] | { z }+ ;\n",
         "List", true, 10, 8, {}, {},
         {"[1]", "{1}-list", "[2]", "{1}-right", "{2}-right"},
         {"("},
         {"        3\t<[1]>::=\t\t\t\")\"", "        10\t<[2]>::=\t\t\t\")\" \",\""},
         false,
         {{"()", ""},
          {"(x)", ""},
          {"(x,y?,zzz;,y)", ""},
          {"(y,z;)", ""},
          {"(x,)", "Line1, syntax error, found \")\" when expecting <Item> with one of: x y z"},
          {"(;)", "Line1, syntax error, found \";\" when expecting <[1]> with one of: x-z )"},
          {"(z)", "Line1, syntax error, found \")\" when expecting <{2}-right> with one of: z ;"},
          {"(x", "Line1, syntax error, found \"end marker\" when expecting <{1}-list> with one of: , )"}}},

        {"character ranges and a negated class",
         "<Tokens> ::= <Token> { ''32'' <Token> }*\n"
         "<Token> ::= <Name> | <Quoted>\n"
         "<Name> ::= a-z { a-z | 0-9 | _ }*\n"
         "<Quoted> ::= \"'\" { ''^#x27#x0A#x0D'' }* \"'\"\n",
         "Tokens", true, 0, 0, {}, {}, {},
         {"'", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p",
          "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"},
         {},
         false,
         {{"abc", ""},
          {"x_1 'it is' 'a\"b' z", ""},
          {"''", ""},
          {"a  b", "Line1, syntax error, found \" \" when expecting <Token> with one of: a-z '"},
          // the set of the negated class: every code but the quote, LF and CR
          {"'open", "Line1, syntax error, found \"end marker\" when expecting <{3}-right> with one of: " + NotQuoteLfCr},
          {"'a\nb'", "Line1, syntax error, found \"\n\" when expecting <{3}-right> with one of: " + NotQuoteLfCr},
          {"Abc", "Line1, syntax error, found \"A\" when expecting <Tokens> with one of: ' a-z"}}},

        {"dead, unreachable and identical alternatives",
         "<S> ::= a <A> | b <B> | a <A> | <Dead>\n"
         "<A> ::= x | x | y\n"
         "<B> ::= <A> z\n"
         "<Dead> ::= d <Dead>\n"
         "<Lost> ::= q <A>\n"
         "<Lost too> ::= <Lost>\n",
         "S", true, 3, 5, {"Dead"}, {"Lost", "Lost too"}, {},
         {"a", "b"},
         {"        1\t<S>::=a<A>\t\t\t\"a\"", "        5\t<B>::=<A>z\t\t\t\"x\"-\"y\""},
         false,
         {{"ax", ""},
          {"byz", ""},
          {"d", "Line1, syntax error, found \"d\" when expecting <S> with one of: a b"},
          {"aq", "Line1, syntax error, found \"q\" when expecting <A> with one of: x-y"},
          {"axx", "Line1, syntax error, found \"x\" when expecting <S> with one of: finish"}}},

        {"dangling else, not LL(1)",
         "<Stmt> ::= i <Stmt> <Else part> | s\n"
         "<Else part> ::= e <Stmt> |\n",
         "Stmt", false, 2, 3, {}, {}, {"Else part"},
         {"i", "s"},
         {"      ! 4\t<Else part>::=\t\t\t\"e\" brings ambiguity\t\t\tfinish"},
         false,
         // the parser still works: an "e" goes with the nearest "i"
         {{"s", ""},
          {"ises", ""},
          {"iises", ""},
          {"ie", "Line1, syntax error, found \"e\" when expecting <Stmt> with one of: i s"}}},

        {"option texts and actions in C++",
         "$declare ::= int depth, deepest;\n"
         "$pre-step ::= depth = deepest = 0;\n"
         "$post-step ::= printf(\"deepest %d\\n\", deepest);\n"
         "<Nest> ::= ( `in` <Nest> `out` ) <Nest> |\n"
         "`in` ::= if (++depth > deepest) deepest = depth;\n"
         "`out` ::= depth--;\n",
         "Nest", true, 1, 2, {}, {}, {"Nest"},
         {"("},
         {"        2\t<Nest>::=\t\t\t\")\" finish"},
         true,
         {{"", "", "deepest 0\n"},
          {"(()(()))()", "", "deepest 3\n"},
          // the post-step runs after an error too, before the error is returned
          {"(()", "Line1, syntax error, found \"end marker\" when expecting \")\"\n(()\n   !",
           "deepest 2\n"}}},

        {"no terminals at all",
         "<A> ::= <B> <C>\n"
         "<B> ::=\n"
         "<C> ::= <B>\n",
         "A", true, 3, 0, {}, {}, {"A", "B", "C"},
         {},
         {"        1\t<A>::=<B><C>\t\t\tfinish"},
         false,
         {{"", ""},
          {"x", "Line1, syntax error, found \"x\" when expecting <A> with one of: finish"}}},
    };
    return cases;
}

// The tree hooks' trace of "(y)": node, leaf and completion calls in parsing order.
const std::string TreeTrace =
    "N 1  1 List\nL 1 List 1 40\nN 1 List 2 [1]\nN 2 [1] 2 Item\nL 2 Item 2 121\n"
    "N 2 Item 3 [2]\nC 3 [2] 3\nC 2 Item 3\nN 2 [1] 3 {1}-list\nC 3 {1}-list 3\nC 2 [1] 3\n"
    "L 1 List 3 41\nC 1 List 4\n";

class Pipeline : public ::testing::Test {
protected:
    // The work folder as a new grammar's first run finds it.
    void EmptyFolder()
    {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    bool Exists(const std::string& file) const { return std::filesystem::exists(folder_ / file); }
    std::string Read(const std::string& file) const { return ReadText(folder_ / file); }

    // A build in one C++ target, compiled and run over the case's sentences.
    std::vector<ParseResult> BuildAndRun(const Case& c, int32_t language, int notation = 1)
    {
        RunOptions options;
        options.actions = c.actions;
        options.language = language;
        options.notation = notation;
        const RunResult r = Process(folder_, c.text, options);
        EXPECT_EQ(r.ReadError, "");
        ParserHarness harness{folder_};
        if (!harness.Compile(language, c.name, Lower(c.name), false)) return {};
        std::vector<std::string> sentences;
        for (const Sentence& s : c.sentences) sentences.push_back(s.text);
        return harness.Run(sentences);
    }

    test_support::WorkFolder work_{"pipeline-test"};
    const std::filesystem::path& folder_ = work_.Path();
};

TEST_F(Pipeline, AnalysisOfEachGrammar)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const RunResult r = Process(folder_, c.text, {});
        ASSERT_EQ(r.ReadError, "");
        EXPECT_EQ(r.GrammarName, c.name);
        EXPECT_EQ(r.NameError, "");
        EXPECT_EQ(r.LL1, c.ll1);
        if (c.N != 0) {
            EXPECT_EQ(r.N, c.N);
            EXPECT_EQ(r.T, c.T);
        }
        EXPECT_EQ(r.Dead, c.dead);
        EXPECT_EQ(r.Unreachable, c.unreachable);
        if (!c.nullable.empty()) EXPECT_EQ(r.Nullable, c.nullable);
        EXPECT_EQ(r.NonterminalNames.at(1), c.name) << "the start symbol is numbered 1";
        EXPECT_EQ(r.FirstTerminals(c.name), c.startFirst);
        // the start symbol is followed by the end marker, the last row
        EXPECT_TRUE(RunResult::At(r.IsFollowedBy, r.N + r.T + 1, r.N + r.T + 1, 1));
        EXPECT_EQ(r.Select.find("brings ambiguity") == std::string::npos, c.ll1) << r.Select;
        for (const std::string& line : c.selectLines)
            EXPECT_NE(r.Select.find(line + "\n"), std::string::npos) << line << "\n" << r.Select;
    }
}

TEST_F(Pipeline, BuildsInEveryTargetWriteTheirFiles)
{
    const Case& c = Cases().front();
    const std::string lower = Lower(c.name);
    struct Target {
        int32_t language;
        std::vector<std::string> files;
        std::string keyLine;  // a line of the parser file
    };
    const Target targets[] = {
        {CppProcedural, {lower + ".cxx"}, "bool Expr(char *sourceStr, char **errorMsg)"},
        {CppClass, {lower + ".cpp", lower + ".h"}, "bool ExprParser::parse(char *sourceStr, char **errorMsg)"},
        {VisualBasic, {c.name + ".bas"}, "Public Sub Expr(SourceStr As String, ErrorMsg As String)"},
        {Fortran90, {c.name + ".f90"}, "Subroutine Expr(Src)"},
        {Fortran77, {c.name + ".for"}, "      SUBROUTINE Expr(Src)"},
        {Java, {c.name + "Parser.java"}, "\tpublic boolean parse(String sourceStr) throws ExprParseException"},
        {Pascal, {c.name + ".pas"}, "procedure TExpr.Expr(src: string);"},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.language);
        EmptyFolder();
        RunOptions options;
        options.actions = true;
        options.language = t.language;
        const RunResult r = Process(folder_, c.text, options);
        ASSERT_EQ(r.ReadError, "");
        for (const std::string& file : t.files) EXPECT_TRUE(Exists(file)) << file;
        EXPECT_NE(Read(t.files.front()).find(t.keyLine + "\n"), std::string::npos)
            << Read(t.files.front());
        // the action texts reach the parser
        EXPECT_NE(Read(t.files.front()).find("act(\"quot\");"), std::string::npos);
        EXPECT_TRUE(Exists(c.name + ".log"));
    }
}

TEST_F(Pipeline, GeneratedCppParsersAcceptAndReject)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const auto procedural = BuildAndRun(c, CppProcedural);
        const auto cls = BuildAndRun(c, CppClass);
        EXPECT_EQ(procedural, cls);
        ASSERT_EQ(procedural.size(), c.sentences.size());
        for (size_t i = 0; i < c.sentences.size(); ++i) {
            const Sentence& s = c.sentences[i];
            ParseResult expected{s.trace, s.error.empty(), s.error};
            EXPECT_EQ(procedural[i], expected) << "sentence: " << s.text;
        }
    }
}

// The expression grammar written in the other notations builds a parser that answers every
// sentence as the Typical one does.
TEST_F(Pipeline, ParsersFromEveryNotationAgree)
{
    const std::string actions = "`add` ::= act(\"add\");\n`sub` ::= act(\"sub\");\n`mul` ::= act(\"mul\");\n"
                                "`quot` ::= act(\"quot\");\n`num` ::= act(\"num\");\n";
    const struct {
        int notation;
        std::string text;
    } written[] = {
        {3, "! Sums and products of numbers, with an action after each operation.\n"
            "<Expr> ::= <Term> <Expr rest>\n"
            "<Expr rest> ::= + <Term> `add` <Expr rest> | - <Term> `sub` <Expr rest> |\n"
            "<Term> ::= <Factor> <Term rest>\n"
            "<Term rest> ::= * <Factor> `mul` <Term rest> | / <Factor> `quot` <Term rest> |\n"
            "<Factor> ::= <Digit>... `num` | ( <Expr> )\n"
            "<Digit> ::= 0-9\n" + actions},
        {4, "! Sums and products of numbers, with an action after each operation.\n"
            "<Expr> ::= <Term> <Expr rest> ;\n"
            "<Expr rest> ::= + <Term> `add` <Expr rest>\n  | - <Term> `sub` <Expr rest>\n  | ;\n"
            "<Term> ::= <Factor> <Term rest> ;\n"
            "<Term rest> ::= * <Factor> `mul` <Term rest>\n  | / <Factor> `quot` <Term rest>\n  | ;\n"
            "<Factor> ::= {0-9}... `num` | ( <Expr> ) ;\n" + actions},
        {2, "/* Sums and products of numbers, with an action after each operation. */\n"
            "[1] Expr ::= Term Expr_rest\n"
            "[2] Expr_rest ::= '+' Term `add` Expr_rest | '-' Term `sub` Expr_rest |\n"
            "[3] Term ::= Factor Term_rest\n"
            "[4] Term_rest ::= '*' Factor `mul` Term_rest | '/' Factor `quot` Term_rest |\n"
            "[5] Factor ::= [0-9]+ `num` | '(' Expr ')'\n" + actions},
    };
    Case c = Cases()[0];
    for (const auto& w : written) {
        SCOPED_TRACE(w.notation);
        c.text = w.text;
        const auto results = BuildAndRun(c, CppProcedural, w.notation);
        ASSERT_EQ(results.size(), c.sentences.size());
        for (size_t i = 0; i < c.sentences.size(); ++i) {
            const Sentence& s = c.sentences[i];
            ParseResult expected{s.trace, s.error.empty(), s.error};
            EXPECT_EQ(results[i], expected) << "sentence: " << s.text;
        }
    }
}

// The generator options given at the run's start reach the parser: tree hooks, and procedures
// named after their nonterminals with the entry named "<grammar>main".
TEST_F(Pipeline, GeneratorOptionsReachTheParser)
{
    RunOptions options;
    options.tree = true;
    options.names = true;
    options.language = CppProcedural;
    const RunResult r = Process(folder_, Cases()[1].text, options);
    ASSERT_EQ(r.ReadError, "");
    const std::string code = Read("list.cxx");
    EXPECT_NE(code.find("bool Listmain(char *sourceStr, char **errorMsg)\n"), std::string::npos);
    EXPECT_NE(code.find("void square_1_square(int parentIndex, const char *parentNode, long nestingDepth)\n"), std::string::npos);
    ParserHarness harness{folder_};
    ASSERT_TRUE(harness.Compile(CppProcedural, "List", "list", true));
    const auto results = harness.Run({"(y)", "(w)"});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].Ok) << results[0];
    EXPECT_EQ(results[0].Trace, TreeTrace);
    EXPECT_EQ(results[1].Error.substr(0, 29), "Line1, syntax error, found \"w");
}

// Runs that stop early: a syntax error ends the run after the reading, a grammar without a
// productive start after the dead nonterminals, matrices too large for the relation space at
// their initialisation. No select listing and no parser is written.
TEST_F(Pipeline, RunsThatStopEarly)
{
    std::string big;
    for (int i = 1; i < 1300; ++i)
        big += "<N" + std::to_string(i) + "> ::= t" + std::to_string(i % 200) + " <N" +
               std::to_string(i + 1) + "> |\n";
    big += "<N1300> ::= z\n";
    struct Stop {
        const char* what;
        std::string text;
        std::string readError, matrixMessage;
        std::vector<std::string> dead;
        bool noRules;
    } stops[] = {
        {"syntax error", "<A> ::= a\n<B> ::= [ b\n",
         "Line 2, syntax error, found \"\r\" when expecting <Brackets content list> with one of: "
         "| ] }\r\n<B> ::= [ b\r\n           !", "", {}, false},
        {"no productive start", "<A> ::= a <B>\n<B> ::= b <A>\n", "", "", {"A", "B"}, true},
        {"matrices too large", big, "",
         "Fatal error: no room of memory. Memory request: 5119400 bytes.\n"
         "Actual memory size: 4194304 bytes.", {}, false},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.what);
        EmptyFolder();
        RunOptions options;
        options.language = CppProcedural;
        const RunResult r = Process(folder_, stop.text, options);
        EXPECT_EQ(r.ReadError, stop.readError);
        EXPECT_EQ(r.MatrixMessage, stop.matrixMessage);
        EXPECT_EQ(r.Dead, stop.dead);
        EXPECT_EQ(r.NoRules, stop.noRules);
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            const std::string ext = entry.path().extension().string();
            EXPECT_TRUE(ext != ".sel" && ext != ".cxx" && ext != ".log") << entry.path();
        }
    }
}

// A start symbol with blanks or with Cyrillic letters (code page 1251) fails the grammar-name
// check, but the run goes on: the result files carry the name as it is and the parser's
// identifiers spell the other characters out.
TEST_F(Pipeline, GrammarNameThatFailsTheCheck)
{
    struct NameCase {
        const char* what;
        std::string text, name, nameError, id, lower;
        std::string good, bad, badError;
    } cases[] = {
        {"blanks", "<Sum of terms> ::= x <More>\n<More> ::= + x <More> |\n", "Sum of terms",
         "Line 1, syntax error, found \" \" when expecting <{1}-right> with one of: "
         "0-9 A-Z _ a-z finish\r\nSum\r\n   !",
         "Sum_space_of_space_terms", "sum of terms", "x+x+x", "x+",
         "Line1, syntax error, found \"end marker\" when expecting \"x\"\nx+\n  !"},
        {"Cyrillic letters",
         "<\xD1\xF3\xEC\xEC\xE0> ::= \xE0 <\xD5\xE2\xEE\xF1\xF2>\n"
         "<\xD5\xE2\xEE\xF1\xF2> ::= + \xE0 <\xD5\xE2\xEE\xF1\xF2> |\n",
         "\xD1\xF3\xEC\xEC\xE0",
         "Line 1, syntax error, found \"\xD1\" when expecting <Grammar_Name> with one of: "
         "A-Z a-z\r\n\r\n!",
         "_209__243__236__236__224_", "\xF1\xF3\xEC\xEC\xE0", "\xE0+\xE0", "\xE0+b",
         "Line1, syntax error, found \"b\" when expecting \"\xE0\"\n\xE0+b\n  !"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyFolder();
        RunOptions options;
        options.language = CppProcedural;
        const RunResult r = Process(folder_, c.text, options);
        ASSERT_EQ(r.ReadError, "");
        EXPECT_EQ(r.GrammarName, c.name);
        EXPECT_EQ(r.NameError, c.nameError);
        EXPECT_TRUE(r.LL1);
        EXPECT_TRUE(Exists(c.name + ".sel"));
        EXPECT_TRUE(Exists(c.lower + ".cxx"));
        ParserHarness harness{folder_};
        ASSERT_TRUE(harness.Compile(CppProcedural, c.id, c.lower, false));
        const auto results = harness.Run({c.good, c.bad});
        ASSERT_EQ(results.size(), 2u);
        EXPECT_TRUE(results[0].Ok) << results[0];
        EXPECT_EQ(results[1].Error, c.badError);
    }
}

// A grammar name longer than 80 characters comes back cut to 80, and the result and parser
// files are named by just that, so the caller finds them by the name it was given.
TEST_F(Pipeline, LongGrammarNameIsCutTo80Characters)
{
    const std::string name = "Expr" + std::string(96, 'x'), cut = name.substr(0, 80);
    RunOptions options;
    options.language = CppProcedural;
    const RunResult r = Process(folder_, "<" + name + "> ::= a | ( <" + name + "> )\n", options);
    ASSERT_EQ(r.ReadError, "");
    EXPECT_EQ(r.GrammarName, cut);
    EXPECT_EQ(r.NameError, "");
    EXPECT_TRUE(Exists(cut + ".sel"));
    EXPECT_TRUE(Exists(Lower(cut) + ".cxx"));
}

// The program runs the pipeline again and again in one process: a run after a larger grammar
// writes the same files as the first run did.
TEST_F(Pipeline, RepeatedRunsWriteTheSameFiles)
{
    auto filesOf = [&](const std::string& text) {
        EmptyFolder();
        RunOptions options;
        options.actions = true;
        options.language = CppClass;
        EXPECT_EQ(Process(folder_, text, options).ReadError, "");
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            files[entry.path().filename().string()] = ReadText(entry.path());
        return files;
    };
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const auto first = filesOf(c.text);
        EXPECT_GE(first.size(), 5u);
        filesOf(Fixture("minilang.grm"));
        EXPECT_EQ(filesOf(c.text), first);
    }
}

// "$errjob ::= $extern" in the grammar text hands syntax errors to the program's own handler.
TEST_F(Pipeline, ExternalErrorHandler)
{
    const std::string text = "$errjob ::= $extern\n<S> ::= a <T>\n<T> ::= b | c\n";
    for (int32_t language : {CppProcedural, CppClass}) {
        SCOPED_TRACE(language);
        EmptyFolder();
        RunOptions options;
        options.language = language;
        ASSERT_EQ(Process(folder_, text, options).ReadError, "");
        ParserHarness harness{folder_};
        ASSERT_TRUE(harness.Compile(language, "S", "s", false));
        const auto results = harness.Run({"ab", "ad", "x"});
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0], (ParseResult{"", true, ""}));
        // the handler gets the error's kind, the nonterminal and the expected set; the text
        // is the handler's to write
        EXPECT_EQ(results[1], (ParseResult{"E 1 <T> b-c\n", false, ""}));
        EXPECT_EQ(results[2], (ParseResult{"E 1 <S> a\n", false, ""}));
    }
}

// A language grammar of some hundred rules, not LL(1): its keywords begin like identifiers.
// Its option texts are Visual Basic, so the C++ build leaves them out.
TEST_F(Pipeline, LanguageGrammar)
{
    const std::string text = Fixture("minilang.grm");
    RunOptions options;
    options.actions = true;
    options.language = VisualBasic;
    const RunResult r = Process(folder_, text, options);
    ASSERT_EQ(r.ReadError, "");
    EXPECT_EQ(r.GrammarName, "Program");
    EXPECT_FALSE(r.LL1);
    EXPECT_GT(r.R, 300);
    // The keyword rules and their letter rules are reached from nowhere, and nothing else.
    EXPECT_EQ(r.Unreachable.size(), 151u);
    for (const std::string& name : r.Unreachable)
        EXPECT_TRUE(name.rfind("Keyword ", 0) == 0 || name.find('-') != std::string::npos) << name;
    const std::string bas = Read("Program.bas");
    EXPECT_NE(bas.find("Dim Depth As Long\n"), std::string::npos);
    EXPECT_NE(bas.find("Depth = Depth + 1\n"), std::string::npos);

    std::string withoutOptions;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("$", 0) != 0) withoutOptions += line + "\n";
    options.actions = false;
    options.language = CppProcedural;
    EXPECT_EQ(Process(folder_, withoutOptions, options).ReadError, "");
    ParserHarness harness{folder_};
    EXPECT_TRUE(harness.Compile(CppProcedural, "Program", "program", false));
}

}  // namespace
