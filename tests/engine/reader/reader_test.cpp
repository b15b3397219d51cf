// The engine's grammar-text reader: the builder calls in reading order, the syntax-error texts,
// and long texts read without recursion per element.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/support/grammar_fixture.h"

namespace mv::testing {
namespace {

class ReaderTest : public EngineFixture {
protected:
  void SetUp() override {
    EngineFixture::SetUp();
    eng->reader.Trace = [this](std::string_view entry, int32_t code) {
      calls += std::string(entry);
      if (entry == "BKSSYM" || entry == "BKSS") calls += "(" + std::to_string(code) + ")";
      calls += " ";
    };
    eng->reader.Echo = [this](const std::string& line) { messages += line + "\n"; };
  }
  // Reads a text in a fresh run.
  void Read(const std::string& text) {
    Start(VisualBasic);
    calls.clear();
    messages.clear();
    eng->reader.Morvantelisk(text);
  }
  static std::string Codes(const std::string& s) {
    std::string r;
    for (unsigned char c : s) r += "BKSSYM(" + std::to_string(c) + ") ";
    return r;
  }

  std::string calls, messages;
};

TEST_F(ReaderTest, BuilderCallsInReadingOrder) {
  Read("<S> ::= <A> 'b' {act} | ;\r\n"
       "{act} ::= x=1\r\n"
       "$ TiTlE = My parser\r\n"
       "$declare= Dim x\r\n"
       "' a comment\r\n"
       "<A>::=xy|''65''\"\"66\"\"|\r\n;");
  EXPECT_EQ(messages, "");
  EXPECT_EQ(calls,
            "BKSACT BKSNAI " + Codes("S") + "BKSNLI BKSGMN BKSNL BKSNAI " + Codes("A") +
                "BKSNTM BKSNAI " + Codes("b") + "BKSTRM BKSNAI " + Codes("act") +
                "BKSACR BKSEND BKSNL BKSNUL BKSEND "
                "BKSNAI " + Codes("act") + "BKSACL BKSACB BKSS(32) BKSS(120) BKSS(61) BKSS(49) "
                "BKSSTM BKSPRG BKSS(32) BKSS(77) BKSS(121) BKSS(32) BKSS(112) BKSS(97) BKSS(114) "
                "BKSS(115) BKSS(101) BKSS(114) BKSDEC BKSS(32) BKSS(68) BKSS(105) BKSS(109) "
                "BKSS(32) BKSS(120) "
                "BKSNAI " + Codes("A") + "BKSNLI BKSGMN BKSNL BKSNAI " + Codes("x") +
                "BKSTRM BKSNAI " + Codes("y") + "BKSTRM BKSEND BKSNL BKSNAI BKSSYM(65) BKSTRM "
                "BKSNAI BKSSYM(66) BKSTRM BKSEND BKSNL BKSNUL BKSEND BKSSYN ");
  // The keyword is read in any case, the text keeps its own.
  EXPECT_EQ(TrimmedRight(eng->store.UserTitle), " My parser");
  EXPECT_EQ(TrimmedRight(eng->store.UserDeclarations[0]), " Dim x");
}

TEST_F(ReaderTest, EdgesOfTheNotation) {
  // An empty text: the batch run finds no grammar and writes nothing.
  Read("");
  EXPECT_EQ(calls, "BKSACT BKSSYN ");
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  // Options and comments only: the same.
  Read("' nothing\r\n$next = Scan\r\n");
  EXPECT_EQ(calls.substr(0, 7), "BKSACT ");
  EXPECT_EQ(calls.substr(calls.size() - 7), "BKSSYN ");
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  // A code above 255, however many digits it has, makes no terminal.
  Read("<S>::=''99999999999999999999''a;");
  EXPECT_EQ(messages, "");
  EXPECT_NE(calls.find("BKSNL BKSNAI BKSTRM BKSNAI " + Codes("a") + "BKSTRM BKSEND"),
            std::string::npos)
      << calls;
  // A quoted code may have no digits: code 0.
  Read("<S>::=''''x;");
  EXPECT_NE(calls.find("BKSNAI BKSSYM(0) BKSTRM"), std::string::npos) << calls;
}

TEST_F(ReaderTest, SyntaxErrorTexts) {
  const std::string ya(1, '\xFF');
  struct Case {
    const char* what;
    std::string text;
    std::string messages;
  };
  const Case cases[] = {
      {"a letter first: no builder call", "A",
       "  Line     1, syntax error, found 'A' when expecting <BNF> with one of: char(9)-char(10) "
       "char(13) \" \" $ ' < { finish\n A\n !\n"},
      {"a rule without ; at the end", "<S> ::= a",
       std::string("  Line     1, syntax error, found '") + '\0' +
           "' when expecting <Blank-Grammatical symbols> with one of: char(0)-char(8) "
           "char(11)-char(12) char(14)-char(31) !-: <-{ }-" + ya + " ; |\n <S> ::= a\n" +
           "          !\n"},
      {"nothing after ::=", "<S>::=",
       "  Line     1, syntax error, found '" + std::string(1, '\0') +
           "' when expecting <Right part> with one of: char(0)-" + ya + "\n <S>::=\n       !\n"},
      {"the end before the first symbol", "<S>::= ",
       "  Line     1, syntax error, found '" + std::string(1, '\0') +
           "' when expecting <Grammatical symbols> with one of: char(0)-char(8) "
           "char(11)-char(12) char(14)-char(31) !-: <-{ }-" + ya + " ; |\n <S>::= \n        !\n"},
      {"a second item that cannot start one", "<S>::=a;\r\n;",
       "  Line     2, syntax error, found ';' when expecting <Rules-Actions-Options set> with "
       "one of: < { $ ' finish\n ;\n !\n"},
      {"a symbol glued to the end of a rule", "<S>::=a;b",
       "  Line     1, syntax error, found 'b' when expecting <Rules set> with one of: "
       "char(9)-char(10) char(13) \" \" $ ' < { finish\n <S>::=a;b\n         !\n"},
      {"an unknown option", "$x",
       "  Line     1, syntax error, found 'x' when expecting <Param> with one of: t d h e n\n"
       " $x\n  !\n"},
      {"a line feed in a nonterminal name", "<S\n>::=a;",
       "  Line     1, syntax error, found '\n' when expecting <Nonterminal set-list> with one "
       "of: char(0)-char(8) char(11)-char(12) char(14)-! #-& (-= ?-" + ya + " >\n <S\n   !\n"},
      {"a tab in an action name", "{a\tb}",
       "  Line     1, syntax error, found '\t' when expecting <Action set-list> with one of: "
       "char(0)-char(8) char(11)-char(12) char(14)-| ~-" + ya + " }\n {a\t\n   !\n"},
      {"a statement ended by a line feed alone", "{a} ::= x\n",
       "  Line     1, syntax error, found '\n' when expecting <Statement set-list> with one of: "
       "char(0)-char(9) char(11)-char(12) char(14)-" + ya + " char(13)\n {a} ::= x\n"
       "          !\n"},
      {"an empty statement ended by a line feed", "$title=\n",
       "  Line     1, syntax error, found '\n' when expecting <Statement> with one of: "
       "char(0)-char(9) char(11)-" + ya + "\n $title=\n        !\n"},
      {"a carriage return without its line feed", "{a}::=x\rz",
       "  Line     1, syntax error, found 'z' when expecting '\n'\n {a}::=x\rz\n         !\n"},
      {"a comment ended by a line feed", "' c\n",
       "  Line     1, syntax error, found '\n' when expecting <Comment set-list> with one of: "
       "char(0)-char(9) char(11)-char(12) char(14)-" + ya + " char(13)\n ' c\n    !\n"},
      {"an open quoted terminal at the end", "<S>::='",
       "  Line     1, syntax error, found '" + std::string(1, '\0') +
           "' when expecting <Terminal-right1> with one of: char(0)-& (-" + ya +
           " '\n <S>::='\n        !\n"},
      {"two characters in quotes", "<S>::=\"ab\";",
       "  Line     1, syntax error, found 'b' when expecting '\"'\n <S>::=\"ab\n         !\n"},
      {"a letter in a code", "<S>::=''6x'';",
       "  Line     1, syntax error, found 'x' when expecting <Integer> with one of: 0-9 \" '\n"
       " <S>::=''6x\n          !\n"},
      {"the ! of a later line stands in its own first column", "<S>::=a;\r\n#",
       "  Line     2, syntax error, found '#' when expecting <Rules-Actions-Options set> with "
       "one of: < { $ ' finish\n #\n !\n"},
      {"= missing after ::", "<S>::a;",
       "  Line     1, syntax error, found 'a' when expecting '='\n <S>::a\n      !\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Read(c.text);
    EXPECT_EQ(messages, c.messages);
    EXPECT_TRUE(eng->reader.ErrorMark());
    // No batch run after an error.
    EXPECT_EQ(calls.find("BKSSYN"), std::string::npos);
    EXPECT_FALSE(eng->out.LastError.empty());
  }
  Read("A");
  EXPECT_EQ(calls, "");
}

TEST_F(ReaderTest, WrongLettersOfAKeywordAreEachReported) {
  Read("$tXXXX = x\r\n");
  // i, t, l and e each meet an x; the blanks after them end the reading.
  EXPECT_EQ(std::count(messages.begin(), messages.end(), '!'), 4);
}

TEST_F(ReaderTest, LongListsAreReadWithoutRecursion) {
  const size_t n = 200000;
  std::string text = "' " + std::string(n, 'c') + "\r\n<" + std::string(n, 'N') + "> ::= " +
                     std::string(n, 'a') + " | " + std::string(n, 'b') + ";\r\n";
  Read(text);
  EXPECT_EQ(messages, "");
  EXPECT_TRUE(Exists(std::string(80, 'N') + ".rul"));
}

TEST_F(ReaderTest, RandomTextsEndEveryReading) {
  // Bytes of the notation and a few others, in random order: every reading ends, with or
  // without an error, and a reading without one has run the batch.
  const std::string alphabet = std::string("<>{}|;:= '\"$\r\n\tabx0129") + '\0' + '\xFF';
  std::mt19937 rng(99);
  eng->reader.Echo = nullptr;
  for (int round = 0; round < 300; ++round) {
    std::string text = round % 3 ? "<S>::=" : "";
    const size_t length = rng() % 40;
    for (size_t i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    Read(text);
    EXPECT_EQ(eng->reader.ErrorMark(), calls.find("BKSSYN") == std::string::npos) << text;
  }
}

}  // namespace
}  // namespace mv::testing
