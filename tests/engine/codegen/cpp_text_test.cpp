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
  // It can neither recurse nor call: no depth test, no depth.
  EXPECT_EQ(Block("s.cpp", "void SParser::S2(long)", "}"),
            (TextLines{"void SParser::S2(long)", "{\t// Procedure <X>", "\t{", "\t\tbad = errh(1, \"<X>\", \"\");",
                       "\t}", "}"}));
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
  EXPECT_NE(header.find("\tvoid ll1_(long nestingDepth);\n\tvoid ll2(long nestingDepth);\n"), std::string::npos) << header;
}

// A user title names the entry; the class target defines it as the member that its header
// declares.
TEST_F(CppTargets, UserTitleNamesTheEntry) {
  struct Case {
    int32_t language;
    std::string title, file, head;
  } cases[] = {
      {CppProcedural, "bool S(char *sourceStr, char **errorMsg)", "s.cxx",
       "bool S(char *sourceStr, char **errorMsg)"},
      {CppClass, "bool parse(char *sourceStr, char **errorMsg)", "s.cpp",
       "bool SParser::parse(char *sourceStr, char **errorMsg)"},
      {CppClass, "bool  parse (char *sourceStr, char **errorMsg)", "s.cpp",
       "bool  SParser::parse (char *sourceStr, char **errorMsg)"},
  };
  for (auto& c : cases) {
    Start(c.language);
    Grammar("S = 'a' <L>\nL = ',' <L> | ~");
    eng->store.UserTitle = Padded(c.title, OptionTextLength);
    // With a title the length and the result are the user's to set.
    eng->store.UserPreParse = {Padded("lenSrc = strlen(src);", 100)};
    eng->store.UserPostParse = {Padded("*errorMsg = errMsg;", 100), Padded("return !bad;", 100)};
    Generate(c.language);
    TextLines lines = Lines(ReadFile(c.file));
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.head), lines.end()) << c.head;
    ASSERT_TRUE(Compile(c.language)) << c.title;
    auto results = Run({"a,,", "a;"});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].Ok);
    EXPECT_EQ(results[1].Error, "Line1, syntax error, found \";\" when expecting <L> with one of: , finish");
  }
  EXPECT_NE(ReadFile("s.h").find("\tbool  parse (char *sourceStr, char **errorMsg);\n"), std::string::npos);
}

// The implementation file between its includes and the entry: the commented-out block only
// with actions, the acts object's constructor and destructor with actions or tree hooks.
TEST_F(CppTargets, ClassImplementationHead) {
  const TextLines ctorDtor = {" ", "exprParser::exprParser(void)", "{",
                              "\tpexprActs = new exprActs(this);", "}", " ",
                              "exprParser::~exprParser()", "{", "\tdelete pexprActs;", "}"};
  const TextLines block = {" ", "/*", "// \tuser defined AST generating procedures",
                           "\tvoid newNode(int parentIndex, const char *parentNode, int thisIndex, const char *thisNode);",
                           "\tvoid completeNode(int thisIndex, const char *thisNode, int indSrc);",
                           "\tvoid newLeaf(int thisIndex, const char *thisNode, int indSrc, int ll1);",
                           "// the user actions called during the parsing:", "\tgo();\t\t// act", "*/"};
  struct Case {
    bool actions, tree;
    TextLines block;
  } cases[] = {
      {false, false, {}},
      {false, true, {}},
      {true, false, {" ", "/*", "// the user actions called during the parsing:", "\tgo();\t\t// act", "*/"}},
      {true, true, block},
  };
  for (auto& c : cases) {
    Start(CppClass);
    Grammar("expr = 'a' `act`");
    Action("act", {"go();"});
    Generate(CppClass, c.actions, c.tree);
    TextLines expected = {"#include \"expr.h\"", " ",
                          "// deepest nesting of the procedures; past it the parser reports an error instead of",
                          "// running out of stack", "static const long maxNestingDepth = 10000;"};
    expected.insert(expected.end(), c.block.begin(), c.block.end());
    if (c.actions || c.tree) expected.insert(expected.end(), ctorDtor.begin(), ctorDtor.end());
    expected.insert(expected.end(), {" ", "bool exprParser::parse(char *sourceStr, char **errorMsg)"});
    EXPECT_EQ(Block("expr.cpp", "#include \"expr.h\"", "bool exprParser::parse(char *sourceStr, char **errorMsg)"),
              expected)
        << c.actions << c.tree;
  }
}

// A second generation of the same grammar rewrites the log and leaves the first target's file
// alone; with the report switch off the log gets no count line.
TEST_F(CppTargets, SecondGenerationRewritesTheLog) {
  Start(CppProcedural);
  Grammar("Expr = 'a' <B>\nB = 'b'");
  Generate(CppProcedural);
  std::string procedural = ReadFile("expr.cxx");
  eng->codegen.TamberlixCode(CppClass);
  EXPECT_EQ(ReadFile("Expr.log"), "   2 recursive procedures have been generated.\n");
  EXPECT_EQ(ReadFile("expr.cxx"), procedural);
  EXPECT_TRUE(Exists("expr.h"));
  EXPECT_TRUE(Exists("expr.cpp"));
  EXPECT_TRUE(eng->run.Target.CppClass);
  EXPECT_FALSE(eng->run.Target.CppProcedural);

  eng->store.CollisionReportFlag = false;
  eng->codegen.TamberlixCode(CppProcedural);
  EXPECT_FALSE(eng->store.CollisionReportFlag);
  EXPECT_EQ(ReadFile("Expr.log"), "");
  EXPECT_EQ(ReadFile("expr.cxx"), procedural);
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
