// Character classes, ranges and negated characters: names, member alternatives and the
// language they derive.
#include <gtest/gtest.h>

#include "engine/store/builder_groups_support.h"
#include "engine/store/store_dump.h"
#include "exports.h"

namespace mv::test {
namespace {

// Class items: @c BKSTRL for a character, @lo BKSTRB @hi BKSTRF for a range.
const RulesCase kClassRules[] = {
    {"class", "S: | BKSBRS @a BKSTRL @b BKSTRL @c BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [abc]", "[abc] ::= 'a' | 'b' | 'c'"}},
    {"members in code order", "S: | BKSBRS @c BKSTRL @b BKSTRL @a BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [cba]", "[cba] ::= 'a' | 'b' | 'c'"}},
    {"a repeated item is one member", "S: | BKSBRS @a BKSTRL @a BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [aa]", "[aa] ::= 'a'"}},
    {"ranges and a single item",
     "S: | BKSBRS @a BKSTRB @c BKSTRF @0 BKSTRB @1 BKSTRF @_ BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [a-c0-1_]", "[a-c0-1_] ::= '0' | '1' | '_' | 'a' | 'b' | 'c'"}},
    {"a range item written high to low", "S: | BKSBRS @c BKSTRB @a BKSTRF BKSPOS BKSW3C ;",
     {"S ::= [c-a]", "[c-a] ::= 'a' | 'b' | 'c'"}},
    {"characters spelled by code in the name", "S: | BKSBRS #62 BKSTRL #32 BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [chr62chr32]", "[chr62chr32] ::= #32 | '>'"}},
    {"codes 0 and 255", "S: | BKSBRS #255 BKSTRL #0 BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [chr255chr0]", "[chr255chr0] ::= #0 | #255"}},
    {"a class member and a plain terminal are one terminal",
     "S: | 'a' BKSBRS @a BKSTRL BKSPOS BKSW3C ;", {"S ::= 'a' [a]", "[a] ::= 'a'"}},
    {"class ? makes only this use optional",
     "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSWBQ ; | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSW3C ;",
     {"S ::= (1) | [ab]", "[ab] ::= 'a' | 'b' | 'a' | 'b'", "(1) ::= [ab] | ε"}},
    {"class ? takes the next group number",
     "S: | BKSBRS @a BKSTRL BKSPOS BKSWBQ BKSWBO | 'b' ; BKSW3C ;",
     {"S ::= (1) (2)", "[a] ::= 'a'", "(1) ::= [a] | ε", "(2) ::= 'b'"}},
    {"class *", "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSWBR BKSRPT ;",
     {"S ::= [ab]-list", "[ab] ::= 'a' | 'b'", "[ab]-list ::= [ab] [ab]-list | ε"}},
    {"class +", "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSW3C BKSRPT ;",
     {"S ::= [ab] [ab]-list", "[ab] ::= 'a' | 'b'", "[ab]-list ::= [ab] [ab]-list | ε"}},
    {"class inside a group", "S: | BKSWBO | BKSBRS @a BKSTRL BKSPOS BKSW3C 'b' ; BKSWBR BKSRPT ;",
     {"S ::= (1)-list", "(1) ::= [a] 'b'", "[a] ::= 'a'", "(1)-list ::= (1) (1)-list | ε"}},
    {"an item above 255 adds no code, not the one spelled before",
     "S: | @z BKSBRS #300 BKSTRL BKSPOS BKSW3C ;", {"S ::= [chr300]", "[chr300] ::="}},
    {"an item below 0 adds no code", "S: | BKSBRS #-5 BKSTRL BKSPOS BKSW3C ;",
     {"S ::= [chr-5]", "[chr-5] ::="}},
    {"a negated class of every code has no alternative",
     "S: | BKSBRS BKSNEG #0 BKSTRB #255 BKSTRF BKSPOS BKSW3C ;",
     {"S ::= [^chr0-chr255]", "[^chr0-chr255] ::="}},
    {"a text begins without negation", "S: | BKSNEG BKSACT T: | 'a' ;", {"S ::=", "T ::= 'a'"}},
};

TEST(BuilderClasses, CallSequencesBuildTheirRules) {
  ExpectRules(kClassRules);
}

std::vector<int> Codes(std::initializer_list<std::pair<int, int>> ranges) {
  std::vector<int> codes;
  for (auto [from, to] : ranges)
    for (int k = from; k <= to; ++k) codes.push_back(k);
  return codes;
}

struct MembersCase {
  const char* what;
  const char* script;
  const char* start;  // S's rules
  const char* name;   // the auxiliary nonterminal
  std::vector<int> members;
};

const MembersCase kMembers[] = {
    {"negated class", "S: | BKSBRS BKSNEG @a BKSTRL BKSPOS BKSW3C ;", "S ::= [^a]", "[^a]",
     Codes({{0, 96}, {98, 255}})},
    {"negated class of the apostrophe", "S: | BKSBRS BKSNEG #39 BKSTRL BKSPOS BKSW3C ;",
     "S ::= [^chr39]", "[^chr39]", Codes({{0, 38}, {40, 255}})},
    {"negated class placed by its own close",
     "S: | BKSBRS BKSNEG @x BKSTRL BKSPOS BKSWBC BKSTRM ;", "S ::= [^x]", "[^x]",
     Codes({{0, 119}, {121, 255}})},
    {"negated class with a range",
     "S: | BKSBRS BKSNEG @a BKSTRB @z BKSTRF @_ BKSTRL BKSPOS BKSW3C ;", "S ::= [^a-z_]",
     "[^a-z_]", Codes({{0, 94}, {96, 96}, {123, 255}})},
    {"a range bound above 255 stops at 255",
     "S: | BKSBRS @A BKSTRB #300 BKSTRF BKSPOS BKSW3C ;", "S ::= [A-chr300]", "[A-chr300]",
     Codes({{65, 255}})},
    {"range terminal", "S: | @a BKSTRB @z BKSTRE ;", "S ::= a-z", "a-z", Codes({{97, 122}})},
    {"range terminal high to low", "S: | @z BKSTRB @a BKSTRE ;", "S ::= z-a", "z-a",
     Codes({{97, 122}})},
    {"range terminal of quote to greater-than", "S: | #34 BKSTRB #62 BKSTRE ;",
     "S ::= chr34-chr62", "chr34-chr62", Codes({{34, 62}})},
    {"range terminal from a blank", "S: | #32 BKSTRB @~ BKSTRE ;", "S ::= chr32-~", "chr32-~",
     Codes({{32, 126}})},
    {"range terminal of every code", "S: | #0 BKSTRB #255 BKSTRE ;", "S ::= chr0-chr255",
     "chr0-chr255", Codes({{0, 255}})},
    {"range terminal while negated", "S: | BKSNEG @a BKSTRB @c BKSTRE ;", "S ::= ^a-c", "^a-c",
     Codes({{0, 96}, {100, 255}})},
    {"negated character", "S: | BKSNEG @a BKSTRM ;", "S ::= ^a", "^a",
     Codes({{0, 96}, {98, 255}})},
    {"negated double quote", "S: | BKSNEG #34 BKSTRM ;", "S ::= ^chr34", "^chr34",
     Codes({{0, 33}, {35, 255}})},
    {"negated tab", "S: | BKSNEG #9 BKSTRM ;", "S ::= ^chr9", "^chr9",
     Codes({{0, 8}, {10, 255}})},
    {"negated code 0", "S: | BKSNEG #0 BKSTRM ;", "S ::= ^chr0", "^chr0", Codes({{1, 255}})},
    {"negated code 255", "S: | BKSNEG #255 BKSTRM ;", "S ::= ^chr255", "^chr255",
     Codes({{0, 254}})},
};

TEST(BuilderClasses, MembersAreOneAlternativePerCodeInOrder) {
  for (const MembersCase& c : kMembers) {
    SCOPED_TRACE(c.what);
    Engine eng;
    StartReading(eng);
    RunScript(eng, c.script);
    EXPECT_EQ(DumpRules(eng).front(), c.start);
    EXPECT_EQ(MemberCodes(eng, c.name), c.members);
    EXPECT_EQ(eng.builder.GroupStack, 0);
  }
}

// A class met again finds its nonterminal and appends its members once more.
TEST(BuilderClasses, SameClassTwiceSharesTheNonterminal) {
  Engine eng;
  StartReading(eng);
  RunScript(eng, "S: | BKSBRS BKSNEG @a BKSTRL BKSPOS BKSW3C ; T: | BKSNEG @a BKSTRM BKSNEG @a BKSTRM ;");
  std::vector<StoredNonterminal> grammar = ReadGrammar(eng);
  ASSERT_EQ(grammar.size(), 4u);
  EXPECT_EQ(grammar[3].Name, "^a");
  EXPECT_EQ(grammar[3].Alternatives.size(), 510u);
  EXPECT_EQ(DumpRules(eng)[2], "T ::= ^a ^a");
}

TEST(BuilderClasses, ClassNameAndNegationOfTheClassBeingBuilt) {
  Engine eng;
  StartReading(eng);
  RunScript(eng, "S: | BKSBRS BKSNEG @a BKSTRL");
  EXPECT_TRUE(eng.builder.CharacterClass.Negated);
  RunScript(eng, "BKSPOS");
  // The rules are made, the negation is over, and nothing is placed before the close.
  EXPECT_FALSE(eng.builder.CharacterClass.Negated);
  EXPECT_EQ(MemberCodes(eng, "[^a]").size(), 255u);
  RunScript(eng, "BKSWBC");
  EXPECT_EQ(eng.builder.CurrentName.Chars, Chain{});
  RunScript(eng, ";");
  EXPECT_EQ(DumpRules(eng).front(), "S ::= [^a]");
}

// The terminal reader's class ends with the whole current name empty, its text copy too.
TEST(BuilderClasses, ClassCloseEmptiesTheCurrentName) {
  store_test::RunScript("INIT ACT N:S NLI GMN NL BRS NEG N:x TRL POS WBC");
  char buf[6] = "xxxxx";
  GetName(buf, 5);
  EXPECT_EQ(std::string(buf, 5), "     ");
  EXPECT_EQ(ProcessEngine().builder.CurrentName.Chars, Chain{});
}

struct LanguageCase {
  const char* what;
  const char* script;
  const char* regex;
  const char* alphabet;
  size_t maxLength;
};

const LanguageCase kClassLanguages[] = {
    {"class", "S: | BKSBRS @a BKSTRB @c BKSTRF BKSPOS BKSW3C ;", "[a-c]", "abcd", 3},
    {"class high to low", "S: | BKSBRS @c BKSTRB @a BKSTRF BKSPOS BKSW3C ;", "[a-c]", "abcd", 3},
    {"class ?, and the same class without",
     "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSWBQ 'x' ; | BKSBRS @a BKSTRL @b BKSTRL BKSPOS "
     "BKSW3C 'y' ;",
     "[ab]?x|[ab]y", "abxy", 4},
    {"class *", "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSWBR BKSRPT 'x' ;", "[ab]*x", "abcx", 4},
    {"class +", "S: | BKSBRS @a BKSTRL @b BKSTRL BKSPOS BKSW3C BKSRPT ;", "[ab]+", "abc", 4},
    {"negated class", "S: | BKSBRS BKSNEG @a BKSTRL BKSPOS BKSW3C ;", "[^a]", "ab", 2},
    {"negated class *", "S: | BKSBRS BKSNEG @a BKSTRL BKSPOS BKSWBR BKSRPT ;", "[^a]*", "ab", 2},
    {"range terminal", "S: | @z BKSTRB @a BKSTRE ;", "[a-z]", "amz{`", 2},
    {"negated character", "S: | 'b' BKSNEG @a BKSTRM ;", "b[^a]", "ab", 2},
};

TEST(BuilderClasses, RulesDeriveWhatTheConstructMeans) {
  for (const LanguageCase& c : kClassLanguages) {
    SCOPED_TRACE(c.what);
    ExpectLanguage(c.script, c.regex, c.alphabet, c.maxLength);
  }
}

}  // namespace
}  // namespace mv::test
