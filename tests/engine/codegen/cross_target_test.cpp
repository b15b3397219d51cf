// Every target's parser compiled with the machine's compiler and run over the same sentences:
// all accept and reject alike, each with its own error text, and none crashes on deep nesting.

#include "engine/codegen/target_fixture.h"

namespace mv::testing {
namespace {

using CrossTarget = TargetFixture;

// A nonterminal of a 1,500-character name with the alternatives of every odd code.
std::string LongLines() {
  std::string longName(1500, 'n');
  std::string grammar = "S = 'a' <" + longName + ">\n" + longName + " = ";
  for (int c = 1; c <= 253; c += 2) grammar += (c > 1 ? " | #" : "#") + std::to_string(c);
  return grammar;
}

const std::vector<GrammarCase>& Table() {
  static const std::vector<GrammarCase> table = {
      {"expressions", ExpressionGrammar,
       {"1", "12+3*(4-5)/67", "((7))", "", "a", "1+*2", "(1", "1)", "2 "}},
      {"lines, LF and CR LF, tabs",
       "L = <Item> <L1>\nL1 = #10 <Item> <L1> | #13 #10 <Item> <L1> | ~\nItem = #9 'x' 'y' ';' | 'x' 'y' ';'",
       {"xy;\nxy;\r\n\txy;", "xz", "xy;\nxyz;\nxy;", "xy;\r\nxyz;\r\nxy;", "xy;\r\nxy", "\txq;", "xy;\n\nxy;"}},
      {"groups and repetitions", "S = 'x' [ 'a' / 'b' 'c' ] 'y' { 'd' / 'e' }* { 'f' }+ ';'",
       {"xyf;", "xaydeedff;", "xbcyf;", "xby;", "xyd;", "xayf"}},
      {"actions", "S = `begin` 'a' <L> `end`\nL = ',' 'a' <L> | ~", {"a,a,a", "a;", "a,", ""}, true},
      {"character classes", "S = %[a-c] %[^x] <T>\nT = %[0-9] <T> | ~",
       {"a!", "cz123", "d", "ax", "b\xff" "9", "b", "", "a\n1"}},
      {"upper-half bytes", "S = #255 #200 <R>\nR = #128 <R> | ~", {"\xff\xc8", "\xff\xc8\x80\x80", "\xff", "\xc8"}},
      {"quotes, apostrophes and backslashes in names and characters",
       "S = 'x' <a\"b\\> '\\' <Q>\na\"b\\ = '\\' '\"' | '\"'\nQ = ''' | ' ' ''' | ~",
       {"x\\\"\\", "x\"\\", "xq", "x\\y", "x\"\\'", "x\"\\ '", "x\"\\ x"}},
      {"left recursion", "S = <S> 'a' | 'b'", {"ba", "b"}},
      {"a backslash before u in the comments", "S = '\\' 'u' <T>\nT = 'x' | ~", {"\\ux", "\\u", "\\x"}},
      {"nonterminals named like keywords and the parser's own names",
       "S = <int> <next> <parse> <a(> <abracket_>\nint = 'i'\nnext = 'n'\nparse = 'p'\na( = 'q'\nabracket_ = 'r'",
       {"inpqr", "inpq"}},
      {"a nonterminal without a rule", "S = 'a' <X> | 'b'", {"b", "a", "ab"}},
      {"names and statements longer than a line", LongLines(), {"a\x01", "a\xfd", "a\x02", "a"}},
      {"a grammar name that is no identifier", "my-g = 'a' <rest>\nrest = 'b'", {"ab", "a", "abb"}},
  };
  return table;
}

// Each target accepts and rejects what the C++ parser does, with its own form of error text.
class Agreement : public CrossTarget, public ::testing::WithParamInterface<int32_t> {};

TEST_P(Agreement, AcceptsAndRejectsAsTheCppParser) {
  const int32_t language = GetParam();
  if (Skip(language)) GTEST_SKIP() << TargetHarness::MissingCompiler(language);
  for (auto& c : Table()) {
    SCOPED_TRACE(c.what);
    auto reference = Parse(CppProcedural, c);
    auto results = Parse(language, c);
    ASSERT_EQ(reference.size(), c.sentences.size());
    ASSERT_EQ(results.size(), c.sentences.size());
    for (size_t i = 0; i < results.size(); ++i) {
      SCOPED_TRACE("sentence: " + c.sentences[i]);
      EXPECT_EQ(results[i].Ok, reference[i].Ok) << results[i] << reference[i];
      if (results[i].Ok) continue;
      switch (language) {
        case Fortran90:
        case Pascal: EXPECT_EQ(results[i].Error.substr(0, 7), "  Line ") << results[i].Error; break;
        case Java: EXPECT_EQ(results[i].Error.substr(0, 5), "Line ") << results[i].Error; break;
        default: EXPECT_EQ(results[i].Error, ""); break;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, Agreement, ::testing::Values(Fortran90, Fortran77, Java, Pascal), TargetName);

// The error texts of each target for the same faults: a wrong character in a branch, a
// wrong later terminal, the end of the text, a tab before the error column and nesting past
// the limit (a million brackets, three procedure calls each).
TEST_F(CrossTarget, ErrorTextsOfEachTarget) {
  const std::string deep = std::string(1000000, '(') + "1" + std::string(1000000, ')');
  const GrammarCase c{"expressions", ExpressionGrammar, {"1+a", "(1", "\t", "x\n(1;", deep}};
  const std::string marker = std::string(40, ' ') + "!";
  const std::string shown(120, '(');
  struct Expected {
    int32_t language;
    std::vector<std::string> errors;
  } cases[] = {
      {Fortran90,
       {"  Line     1, syntax error, found 'a' when expecting <T> with one of: ( 0-9\n 1+a\n   !",
        "  Line     1, syntax error, found 'end marker' when expecting ')'\n (1\n   !",
        "  Line     1, syntax error, found '\t' when expecting <E> with one of: ( 0-9\n \t\n !",
        "  Line     1, syntax error, found 'x' when expecting <E> with one of: ( 0-9\n x\n !",
        "  Line     1, syntax error, found '(', the nesting is too deep\n " + shown + "\n " + marker}},
      {Pascal,
       {"  Line     1, syntax error, found 'a' when expecting <T> with one of: ( 0- 9\n 1+a\n   !",
        "  Line     1, syntax error, found 'end marker' when expecting ')'\n (1\n   !",
        "  Line     1, syntax error, found '\t' when expecting <E> with one of: ( 0- 9\n \t\n !",
        "  Line     1, syntax error, found 'x' when expecting <E> with one of: ( 0- 9\n x\n !",
        "  Line     1, syntax error, found '(', the nesting is too deep\n " + shown + "\n " + marker}},
      {Java,
       {"Line 1 syntax error, found 'a' when expecting <T> with one of: '(' '0' '1' '2' '3' '4' '5' '6' '7' '8' '9'\n1+a\n  ^",
        "Line 1 syntax error, found 'end marker' when expecting ')'\n(1\n  ^",
        "Line 1 syntax error, found '\t' when expecting <E> with one of: '(' '0' '1' '2' '3' '4' '5' '6' '7' '8' '9'\n\t\n^",
        "Line 1 syntax error, found 'x' when expecting <E> with one of: '(' '0' '1' '2' '3' '4' '5' '6' '7' '8' '9'\nx\n^",
        "Line 1 syntax error, found '(', the nesting is too deep\n" + shown + "\n" + std::string(40, ' ') + "^"}},
      {Fortran77, {"", "", "", "", ""}},
  };
  int ran = 0;
  for (auto& e : cases) {
    SCOPED_TRACE(e.language);
    if (Skip(e.language)) continue;
    ++ran;
    auto results = Parse(e.language, c);
    ASSERT_EQ(results.size(), e.errors.size());
    for (size_t i = 0; i < results.size(); ++i) {
      EXPECT_FALSE(results[i].Ok) << i;
      EXPECT_EQ(results[i].Error, e.errors[i]) << i;
    }
  }
  if (ran == 0) GTEST_SKIP() << "none of gfortran, javac and fpc is installed";
}

// The error line of CR LF text without its carriage return, the mark under the error column
// after a tab.
TEST_F(CrossTarget, ErrorLineOfCrLfTextWithTabs) {
  const GrammarCase c{"lines", "L = <Item> <L1>\nL1 = #13 #10 <Item> <L1> | ~\nItem = #9 'x' 'y' ';' | 'x' 'y' ';'",
                      {"xy;\r\n\txq;\r\nxy;", "xy;\r\nxy"}};
  const std::string fortran = "  Line     2, syntax error, found 'q' when expecting 'y'\n \txq;\n \t !";
  const std::string fortranEnd = "  Line     2, syntax error, found 'end marker' when expecting ';'\n xy\n   !";
  struct Expected {
    int32_t language;
    std::vector<std::string> errors;
  } cases[] = {
      {Fortran90, {fortran, fortranEnd}},
      {Pascal, {fortran, fortranEnd}},
      {Java,
       {"Line 2 syntax error, found 'q' when expecting 'y'\n\txq;\n\t ^",
        "Line 2 syntax error, found 'end marker' when expecting ';'\nxy\n  ^"}},
  };
  int ran = 0;
  for (auto& e : cases) {
    SCOPED_TRACE(e.language);
    if (Skip(e.language)) continue;
    ++ran;
    auto results = Parse(e.language, c);
    ASSERT_EQ(results.size(), e.errors.size());
    for (size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i].Error, e.errors[i]) << i;
  }
  if (ran == 0) GTEST_SKIP() << "none of gfortran, javac and fpc is installed";
}

// The Java parser calls the tree hooks through its actions object, in parsing order; each pass
// of a list's loop is a node of its own under the caller's node, as in the C++ loop form.
TEST_F(CrossTarget, JavaTreeHooks) {
  if (Skip(Java)) GTEST_SKIP() << TargetHarness::MissingCompiler(Java);
  Start(Java);
  Grammar("S = 'a' <L>\nL = ',' 'a' <L> | ~");
  Generate(Java, false, true);
  TargetHarness harness{folder};
  ASSERT_TRUE(harness.Compile(Java, "S", "S"));
  auto results = harness.Run({"a,a", "a;"});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], (ParseResult{"N 1  1 <S>\nL 1 <S> 1 97\nN 1 <S> 2 <L>\nL 2 <L> 2 44\nL 2 <L> 3 97\n"
                                     "C 2 <L> 4\nN 1 <S> 4 <L>\nC 4 <L> 4\nC 1 <S> 4\n",
                                     true, ""}));
  EXPECT_FALSE(results[1].Ok);
}

}  // namespace
}  // namespace mv::testing
