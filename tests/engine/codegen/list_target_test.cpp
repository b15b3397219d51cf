// Lists are not nesting: in every compiled target a list of a million items parses, while a
// million nested brackets still end in the nesting error.

#include "engine/codegen/target_fixture.h"

namespace mv::testing {
namespace {

// A list grammar, one list of its language, and how its brackets nest: I is an item or a
// bracketed S.
struct ListCase {
  const char* what;
  std::string grammar;
  std::string item;  // the list is this text a million times
  std::string last;  // and this after it
  bool actions = false;
  std::string open = "(", core = "n", close = ")";  // nesting: open^k core close^k
};

const std::string Item = "\nI = 'n' | '(' <S> ')'";

const std::vector<ListCase>& Lists() {
  static const std::vector<ListCase> table = {
      {"two alternatives, the loop form", "S = <I> <R>\nR = ',' <I> <R> | ~" + Item, "n,", "n"},
      {"two alternatives, the list last", "S = <L>\nL = 'a' <L> | <I>" + Item, "a", "n"},
      {"three alternatives, two of them merged",
       "S = <L>\nL = 'a' <L> | 'b' <L> | '(' <S> ')' <L> | ~", "ab", "", false, "(", "", ")"},
      {"three alternatives, each its own list", "S = <L>\nL = <I> ';' <L> | 'b' <L> | ~" + Item, "n;b", "",
       false, "(", "", ");"},
      {"actions around the items", "S = <I> <R>\nR = `begin` ',' <I> `end` <R> | `end` ~" + Item, "n,", "n",
       true},
      {"zero or more times", "S = <I> { ',' <I> }*" + Item, "n,", "n"},
      {"one or more times", "S = { <I> ',' }+ ';'" + Item, "n,", ";", false, "(", "n,;", "),;"},
      {"every alternative repeated", "S = <I> [ ',' <I> / ';' <I> ]..." + Item, "n,", "n"},
      {"a group repeated", "S = {: ',' <I> / ';' <I> :} ... '.'" + Item, ",n", ".", false, ",(", ",n.",
       ")."},
      {"a name repeated", "S = <P> ... ';'\nP = <I> ','" + Item, "n,", ";", false, "(", "n,;", "),;"},
      {"a parenthesised group, zero or more times", "S = <I> ( ',' <I> )*" + Item, "n,", "n"},
      {"a parenthesised group, one or more times", "S = ( <I> ',' )+ ';'" + Item, "n,", ";", false, "(",
       "n,;", "),;"},
  };
  return table;
}

std::string Repeated(const std::string& text, size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

class ListTarget : public TargetFixture, public ::testing::WithParamInterface<int32_t> {};

TEST_P(ListTarget, MillionItemsParseAndMillionBracketsAreTooDeep) {
  const int32_t language = GetParam();
  if (Skip(language)) GTEST_SKIP() << TargetHarness::MissingCompiler(language);
  for (auto& list : Lists()) {
    SCOPED_TRACE(list.what);
    std::string items = Repeated(list.item, 1000000) + list.last;
    std::string deep = Repeated(list.open, 1000000) + list.core + Repeated(list.close, 1000000);
    std::string shallow = Repeated(list.open, 100) + list.core + Repeated(list.close, 100);
    auto results = Parse(language, {list.what, list.grammar, {items, deep, shallow}, list.actions});
    ASSERT_EQ(results.size(), 3u);
    EXPECT_TRUE(results[0].Ok) << results[0].Error.substr(0, 300);
    EXPECT_FALSE(results[1].Ok);
    // The Fortran 77 parser tells only that it failed.
    if (language != Fortran77)
      EXPECT_NE(results[1].Error.find("the nesting is too deep"), std::string::npos) << results[1].Error.substr(0, 300);
    EXPECT_TRUE(results[2].Ok) << results[2].Error.substr(0, 300);
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, ListTarget,
                         ::testing::Values(CppProcedural, CppClass, Fortran90, Fortran77, Java, Pascal),
                         TargetName);

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

// A grammar that is not LL(1): on "x" the list takes its first alternative, whose B reads
// nothing, so a pass of the loop reads nothing. The recursion would have run into the nesting
// limit; the loop reports the same error instead of going round for ever.
TEST_P(ListTarget, PassThatReadsNothingEndsWithTheNestingError) {
  const int32_t language = GetParam();
  if (Skip(language)) GTEST_SKIP() << TargetHarness::MissingCompiler(language);
  auto results = Parse(language, {"not LL(1)", "S = <L> 'x'\nL = <B> <L> | ~\nB = 'b' | ~", {"x", "bx", "bbbbx"}});
  ASSERT_EQ(results.size(), 3u);
  for (auto& result : results) {
    EXPECT_FALSE(result.Ok);
    if (language != Fortran77) EXPECT_NE(result.Error.find("the nesting is too deep"), std::string::npos) << result.Error;
  }
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

// Nesting within the limit parses, and past it is refused, on every run of one Java virtual
// machine: the verdict never hangs on the stack of the caller's thread.
class JavaVerdict : public TargetFixture {};

TEST_F(JavaVerdict, SameOnEveryRun) {
  if (Skip(Java)) GTEST_SKIP() << TargetHarness::MissingCompiler(Java);
  const std::string within = std::string(9000, '(') + "x" + std::string(9000, ')');
  const std::string past = std::string(10001, '(') + "x" + std::string(10001, ')');
  std::vector<std::string> sentences;
  for (int i = 0; i < 10; ++i) {
    sentences.push_back(within);
    sentences.push_back(past);
  }
  auto results = Parse(Java, {"brackets", "S = '(' <S> ')' | 'x'", sentences});
  ASSERT_EQ(results.size(), sentences.size());
  for (size_t i = 0; i < results.size(); i += 2) {
    EXPECT_TRUE(results[i].Ok) << i << results[i].Error.substr(0, 200);
    EXPECT_FALSE(results[i + 1].Ok) << i;
    EXPECT_NE(results[i + 1].Error.find("the nesting is too deep"), std::string::npos) << results[i + 1].Error.substr(0, 200);
  }
}

}  // namespace
}  // namespace mv::testing
