// Groups and repetitions: the rules each call sequence leaves in the store, and the language
// those rules derive.
#include <gtest/gtest.h>

#include "engine/store/builder_groups_support.h"
#include "engine/store/store_dump.h"
#include "exports.h"

namespace mv::test {
namespace {

const RulesCase kGroupRules[] = {
    {"optional group", "S: | 'x' BKSBRO | 'a' ; | 'bc' ; BKSBRC 'y' ;",
     {"S ::= 'x' [1] 'y'", "[1] ::= 'a' | 'b' 'c' | ε"}},
    {"repeated optional group: every alternative repeats",
     "S: | BKSBRO | 'a' ; | 'b' ; | 'c' ; BKSBRT ;",
     {"S ::= [1]", "[1] ::= 'a' [1] | 'b' [1] | 'c' [1] | ε"}},
    {"repeated optional group of one symbol", "S: | BKSBRO | 'a' ε ; BKSBRT ;",
     {"S ::= [1]", "[1] ::= 'a' ε [1] | ε"}},
    {"required choice", "S: | BKSBCR | 'a' ; | 'b' ; BKSBCC ;",
     {"S ::= {1}", "{1} ::= 'a' | 'b'"}},
    {"required choice repeated", "S: | BKSBCR | 'a' ; | 'b' ; BKSBCC BKSRPT ;",
     {"S ::= {1} {1}-list", "{1} ::= 'a' | 'b'", "{1}-list ::= {1} {1}-list | ε"}},
    {"nonterminal repeated", "S: | <X> BKSRPT 'c' ;",
     {"S ::= X X-list 'c'", "X ::=", "X-list ::= X X-list | ε"}},
    {"repetition, zero or more", "S: | BKSBCO | 'a' ; | 'b' ; BKSBCN ;",
     {"S ::= {1}-list", "{1}-list ::= {1} {1}-right | ε", "{1} ::= 'a' | 'b'",
      "{1}-right ::= {1} {1}-right | ε"}},
    {"repetition, one or more", "S: | BKSBCO | 'a' ; | 'b' ; BKSBC1 ;",
     {"S ::= {1}-list", "{1}-list ::= {1} {1}-right", "{1} ::= 'a' | 'b'",
      "{1}-right ::= {1} {1}-right | ε"}},
    {"parenthesised group", "S: | 'x' BKSWBO | 'a' ; | 'b' ; BKSW3C ;",
     {"S ::= 'x' (1)", "(1) ::= 'a' | 'b'"}},
    {"parenthesised group ?", "S: | 'x' BKSWBO | 'a' ; | 'b' ; BKSWBQ ;",
     {"S ::= 'x' (1)", "(1) ::= 'a' | 'b' | ε"}},
    {"parenthesised group *", "S: | 'x' BKSWBO | 'a' ; | 'b' ; BKSWBR BKSRPT ;",
     {"S ::= 'x' (1)-list", "(1) ::= 'a' | 'b'", "(1)-list ::= (1) (1)-list | ε"}},
    {"parenthesised group +", "S: | 'x' BKSWBO | 'a' ; | 'b' ; BKSW3C BKSRPT ;",
     {"S ::= 'x' (1) (1)-list", "(1) ::= 'a' | 'b'", "(1)-list ::= (1) (1)-list | ε"}},
    {"name ?", "S: | @X BKSNEX BKSWBQ ;", {"S ::= (1)", "(1) ::= X | ε", "X ::="}},
    {"name *", "S: | @X BKSNEX BKSWBR BKSRPT ;",
     {"S ::= (1)-list", "(1) ::= X", "X ::=", "(1)-list ::= (1) (1)-list | ε"}},
    {"name +", "S: | @X BKSNEX BKSW3C BKSRPT ;",
     {"S ::= (1) (1)-list", "(1) ::= X", "X ::=", "(1)-list ::= (1) (1)-list | ε"}},
    {"nested optional groups", "S: | 'a' BKSBRO | 'b' BKSBRO | 'c' ; BKSBRC ; BKSBRC ;",
     {"S ::= 'a' [1]", "[1] ::= 'b' [2] | ε", "[2] ::= 'c' | ε"}},
    {"nested repetitions: one ε per list",
     "S: | BKSBCO | 'a' BKSBCO | 'b' ; BKSBCN ; BKSBCN ;",
     {"S ::= {1}-list", "{1}-list ::= {1} {1}-right | ε", "{1} ::= 'a' {2}-list",
      "{1}-right ::= {1} {1}-right | ε", "{2}-list ::= {2} {2}-right | ε", "{2} ::= 'b'",
      "{2}-right ::= {2} {2}-right | ε"}},
    {"square brackets and braces number apart",
     "S: | BKSBRO | 'a' ; BKSBRC BKSBCO | 'b' ; BKSBCN BKSBRO | 'c' ; BKSBRC ;",
     {"S ::= [1] {1}-list [2]", "[1] ::= 'a' | ε", "{1}-list ::= {1} {1}-right | ε",
      "{1} ::= 'b'", "{1}-right ::= {1} {1}-right | ε", "[2] ::= 'c' | ε"}},
    {"group of an empty alternative", "S: | BKSBRO | ε ; BKSBRC ;",
     {"S ::= [1]", "[1] ::= ε | ε"}},
    {"one nonterminal repeated in two rules", "S: | <X> BKSRPT ; T: | <X> BKSRPT ;",
     {"S ::= X X-list", "X ::=", "X-list ::= X X-list | ε | X X-list | ε", "T ::= X X-list"}},
    {"square open, brace close +", "S: | BKSBRO | 'a' ; BKSBC1 ;", {"S ::= [1]", "[1] ::= 'a'"}},
    {"square open, brace close *: no list to extend", "S: | BKSBRO | 'a' ; BKSBCN ;",
     {"S ::= [1]", "[1] ::= 'a'"}},
    {"square open, brace close * on an empty group: the next | opens an alternative",
     "S: | BKSBRO BKSBCN 'a' ; | 'b' ;", {"S ::= [1] 'a' | 'b'", "[1] ::="}},
    {"repetition open, square close", "S: | BKSBCO | 'a' ; BKSBRC ;",
     {"S ::= {1}-list", "{1}-list ::= {1} {1}-right", "{1} ::= 'a' | ε",
      "{1}-right ::= {1} {1}-right | ε"}},
    {"square open, choice close, repeated", "S: | BKSBRO | 'a' ; BKSBCC BKSRPT ;",
     {"S ::= [1] [1]-list", "[1] ::= 'a'", "[1]-list ::= [1] [1]-list | ε"}},
    {"choice open, square close", "S: | BKSBCR | 'a' ; BKSBRC ;",
     {"S ::= {1}", "{1} ::= 'a' | ε"}},
    {"choice open, square close, repeated", "S: | BKSBCR | 'a' ; | 'b' ; BKSBRT ;",
     {"S ::= {1}", "{1} ::= 'a' {1} | 'b' {1} | ε"}},
    {"user rule spelled like a group keeps its own alternative unrepeated",
     "S: | <[1]> ; [1]: | 'z' ; T: | BKSBRO | 'a' ; | 'b' ; BKSBRT ;",
     {"S ::= [1]", "[1] ::= 'z' | 'a' [1] | 'b' [1] | ε", "T ::= [1]"}},
    {"closes with no open group are ignored",
     "S: | 'a' BKSBRC BKSBRT BKSBCC BKSBCN BKSBC1 BKSW3C BKSWBR BKSWBQ BKSWBC 'b' ;",
     {"S ::= 'a' 'b'"}},
    {"a new text empties the group stack", "S: | BKSBRO | 'a' ; BKSACT T: | 'b' ; BKSBRC ;",
     {"S ::=", "[1] ::= 'a'", "T ::= 'b'"}},
    {"a new text numbers from 1 again",
     "S: | BKSBRO | 'a' ; BKSBRC ; BKSACT T: | BKSBRO | 'b' ; BKSBRC ;",
     {"S ::= [1]", "[1] ::= 'a' | ε", "T ::= [1]", "[1] ::= 'b' | ε"}},
    {"the enclosing rule goes on after a close", "S: | BKSWBO | 'a' ; BKSW3C 'b' ; | 'c' ;",
     {"S ::= (1) 'b' | 'c'", "(1) ::= 'a'"}},
    {"a wrapped name leaves the next alternative to open", "S: | @X BKSNEX BKSW3C ; | 'c' ;",
     {"S ::= (1) | 'c'", "(1) ::= X", "X ::="}},
    {"repeat with no name", "S: | BKSNAI BKSRPT 'a' ;", {"S ::= 'a'"}},
};

TEST(BuilderGroups, CallSequencesBuildTheirRules) {
  ExpectRules(kGroupRules);
}

TEST(BuilderGroups, NumbersPastFourDigitsStayDistinct) {
  Engine eng;
  StartReading(eng);
  eng.builder.OptionalGroupCounter = 9999;
  eng.builder.GroupCounter = 123455;
  RunScript(eng,
            "S: | BKSBRO | 'a' ; BKSBRC BKSBRO | 'b' ; BKSBRC BKSWBO | 'c' ; BKSW3C "
            "BKSBCO | 'd' ; BKSBC1 ;");
  EXPECT_EQ(DumpRules(eng),
            (std::vector<std::string>{"S ::= [10000] [10001] (123456) {123457}-list",
                                      "[10000] ::= 'a' | ε", "[10001] ::= 'b' | ε",
                                      "(123456) ::= 'c'",
                                      "{123457}-list ::= {123457} {123457}-right",
                                      "{123457} ::= 'd'",
                                      "{123457}-right ::= {123457} {123457}-right | ε"}));
}

// The group entries change the name chain only; the text copy keeps what was spelled.
TEST(BuilderGroups, CloseNamesTheGroupAndKeepsTheTextCopy) {
  Engine eng;
  StartReading(eng);
  RunScript(eng, "S: | @q BKSBRO | 'a' ; BKSBRC");
  EXPECT_EQ(eng.store.NameText(eng.builder.CurrentName.Chars.First,
                               eng.builder.CurrentName.Chars.Last),
            "[1]");
  EXPECT_FALSE(eng.builder.AlternativeJustOpened);
  RunScript(eng, "BKSWBO");
  EXPECT_TRUE(eng.builder.AlternativeJustOpened);
}

TEST(BuilderGroups, RunStartForgetsOpenGroups) {
  Engine eng;
  StartReading(eng);
  RunScript(eng, "S: | BKSBRO BKSBCO BKSWBO | 'a'");
  StartReading(eng);
  RunScript(eng, "T: | 'b' BKSBRC BKSW3C ;");
  EXPECT_EQ(DumpRules(eng), std::vector<std::string>{"T ::= 'b'"});
}

// Every group and class entry, and BKSTRM in a negated class, reached through the exports.
TEST(BuilderGroups, EntriesAreReachedThroughTheLibraryExports) {
  store_test::RunScript(
      "INIT ACT N:S NLI GMN NL BRO NL N:a TRM END NL N:b TRM END BRT BCR NL N:c TRM END BCC RPT "
      "BCO NL N:d TRM END BCN BCO NL N:e TRM END BC1 BRO NL N:f TRM END BRC WBO NL N:g TRM END "
      "W3C WBO NL N:h TRM END WBR RPT N:X NEX WBQ BRS N:i TRL N:j TRB N:k TRF POS WBC N:l TRB "
      "N:m TRE NEG N:n TRM END");
  const Engine& eng = ProcessEngine();
  std::vector<std::string> rules = DumpRules(eng);
  ASSERT_FALSE(rules.empty());
  EXPECT_EQ(rules.back().substr(0, 13), "^n ::= #0 | #");
  rules.pop_back();
  EXPECT_EQ(rules,
            (std::vector<std::string>{
                "S ::= [1] {1} {1}-list {2}-list {3}-list [2] (4) (5)-list (6) [ij-k] l-m ^n",
                "[1] ::= 'a' [1] | 'b' [1] | ε", "{1} ::= 'c'", "{1}-list ::= {1} {1}-list | ε",
                "{2}-list ::= {2} {2}-right | ε", "{2} ::= 'd'", "{2}-right ::= {2} {2}-right | ε",
                "{3}-list ::= {3} {3}-right", "{3} ::= 'e'", "{3}-right ::= {3} {3}-right | ε",
                "[2] ::= 'f' | ε", "(4) ::= 'g'", "(5) ::= 'h'", "(5)-list ::= (5) (5)-list | ε",
                "(6) ::= X | ε", "X ::=", "[ij-k] ::= 'i' | 'j' | 'k'", "l-m ::= 'l' | 'm'"}));
  EXPECT_EQ(MemberCodes(eng, "^n").size(), 255u);
}

struct LanguageCase {
  const char* what;
  const char* script;  // the construct is S's language
  const char* regex;
};

// The strings up to length 4 over a small alphabet that the rules derive are exactly those
// the construct means.
const LanguageCase kGroupLanguages[] = {
    {"optional group", "S: | 'x' BKSBRO | 'a' ; | 'bc' ; BKSBRC 'y' ;", "x(a|bc)?y"},
    {"repeated optional group", "S: | BKSBRO | 'a' ; | 'bc' ; BKSBRT ;", "(a|bc)*"},
    {"repeated required choice", "S: | BKSBCR | 'a' ; | 'b' ; BKSBCC BKSRPT ;", "(a|b)+"},
    {"repeated nonterminal", "S: | <X> BKSRPT 'c' ; X: | 'a' ; | 'b' ;", "(a|b)+c"},
    {"repetition *", "S: | 'x' BKSBCO | 'a' ; | 'b' ; BKSBCN ;", "x(a|b)*"},
    {"repetition +", "S: | 'x' BKSBCO | 'a' ; | 'b' ; BKSBC1 ;", "x(a|b)+"},
    {"parenthesised", "S: | BKSWBO | 'a' ; | 'bc' ; BKSW3C 'x' ;", "(a|bc)x"},
    {"parenthesised ?", "S: | BKSWBO | 'a' ; | 'bc' ; BKSWBQ 'x' ;", "(a|bc)?x"},
    {"parenthesised *", "S: | BKSWBO | 'a' ; | 'bc' ; BKSWBR BKSRPT 'x' ;", "(a|bc)*x"},
    {"parenthesised +", "S: | BKSWBO | 'a' ; | 'bc' ; BKSW3C BKSRPT 'x' ;", "(a|bc)+x"},
    {"name ?", "S: | @X BKSNEX BKSWBQ 'c' ; X: | 'ab' ;", "(ab)?c"},
    {"name *", "S: | @X BKSNEX BKSWBR BKSRPT ; X: | 'a' ; | 'b' ;", "(a|b)*"},
    {"name +", "S: | @X BKSNEX BKSW3C BKSRPT ; X: | 'ab' ;", "(ab)+"},
    {"nested optional", "S: | 'a' BKSBRO | 'b' BKSBRO | 'c' ; BKSBRC ; BKSBRC ;", "a(b(c)?)?"},
    {"nested repetitions", "S: | BKSBCO | 'a' BKSBCO | 'b' ; BKSBCN ; BKSBCN ;", "(ab*)*"},
    {"nested parentheses",
     "S: | BKSWBO | 'a' BKSWBO | 'b' ; | 'c' ; BKSWBR BKSRPT ; BKSW3C BKSRPT ;", "(a(b|c)*)+"},
    {"square open, brace close +", "S: | BKSBRO | 'a' ; | 'b' ; BKSBC1 ;", "a|b"},
    {"repetition open, square close", "S: | BKSBCO | 'a' ; | 'b' ; BKSBRC ;", "(a|b)*"},
    {"square open, choice close, repeated", "S: | BKSBRO | 'a' ; BKSBCC BKSRPT ;", "a+"},
    {"choice open, square close", "S: | BKSBCR | 'a' ; | 'b' ; BKSBRC ;", "(a|b)?"},
    {"choice open, square close, repeated", "S: | BKSBCR | 'a' ; | 'b' ; BKSBRT ;", "(a|b)*"},
};

TEST(BuilderGroups, RulesDeriveWhatTheConstructMeans) {
  for (const LanguageCase& c : kGroupLanguages) {
    SCOPED_TRACE(c.what);
    ExpectLanguage(c.script, c.regex, "abcxy", 4);
  }
}

}  // namespace
}  // namespace mv::test
