// Generated C++ parsers compiled with g++ and run over sentences.

#include <regex>
#include <set>

#include "engine/codegen/codegen_fixture.h"

namespace mv::testing {

class CompiledParserBase : public CodegenFixture {
protected:
  // Generates, compiles and runs one C++ target.
  std::vector<ParseResult> Parse(const std::string& grammar, int32_t language,
                                 const std::vector<std::string>& sentences, bool actions = false,
                                 bool tree = false, bool names = false,
                                 const std::string& extra = std::string()) {
    Start(language);
    Grammar(grammar);
    for (auto& [name, lines] : ActionTexts) Action(name, lines);
    if (!ErrorReaction.empty()) eng->store.UserErrorReaction = Padded(ErrorReaction, OptionTextLength);
    if (!PreParse.empty()) eng->store.UserPreParse[0] = Padded(PreParse, OptionTextLength);
    Generate(language, actions, tree, names);
    if (!Compile(language, extra)) return {};
    return Run(sentences);
  }
  // Both C++ targets; they must agree, sentence by sentence.
  std::vector<ParseResult> ParseBoth(const std::string& grammar,
                                     const std::vector<std::string>& sentences,
                                     bool actions = false, bool tree = false, bool names = false) {
    auto procedural = Parse(grammar, CppProcedural, sentences, actions, tree, names);
    auto cls = Parse(grammar, CppClass, sentences, actions, tree, names);
    EXPECT_EQ(procedural, cls);
    EXPECT_EQ(procedural.size(), sentences.size());
    return procedural;
  }

  struct Case {
    std::string sentence;
    ParseResult expected;
  };
  // Each sentence through both targets, with its expected result.
  void Check(const std::string& grammar, const std::vector<Case>& cases) {
    std::vector<std::string> sentences;
    for (auto& c : cases) sentences.push_back(c.sentence);
    auto results = ParseBoth(grammar, sentences);
    ASSERT_EQ(results.size(), cases.size());
    for (size_t i = 0; i < results.size(); ++i)
      EXPECT_EQ(results[i], cases[i].expected) << "sentence: " << cases[i].sentence;
  }

  std::vector<std::pair<std::string, std::vector<std::string>>> ActionTexts;
  std::string ErrorReaction;
  std::string PreParse;
};

namespace {

class CompiledParser : public CompiledParserBase {};

ParseResult Ok(const std::string& trace = std::string()) { return {trace, true, ""}; }
ParseResult Err(const std::string& error, const std::string& trace = std::string()) {
  return {trace, false, error};
}


TEST_F(CompiledParser, ExpressionGrammarAcceptsAndRejects) {
  Check(ExpressionGrammar, {
      {"1", Ok()},
      {"12+3*(4-5)/67", Ok()},
      {"((7))", Ok()},
      {"", Err("Line1, syntax error, found \"end marker\" when expecting <E> with one of: ( 0-9")},
      {"a", Err("Line1, syntax error, found \"a\" when expecting <E> with one of: ( 0-9")},
      {"1+*2", Err("Line1, syntax error, found \"*\" when expecting <T> with one of: ( 0-9")},
      {"(1", Err("Line1, syntax error, found \"end marker\" when expecting \")\"\n(1\n  !")},
      // A parse that stops before the end of the text is an error at the start symbol.
      {"1)", Err("Line1, syntax error, found \")\" when expecting <E> with one of: finish")},
      {"2 ", Err("Line1, syntax error, found \" \" when expecting <Num> with one of: 0-9 )-+ - / finish")},
  });
}

// The error line and the "!" under the offending character, for LF and CR LF text, the first
// line, empty lines and tabs.
TEST_F(CompiledParser, ErrorTextShowsTheLineAndMarksTheColumn) {
  const char* grammar =
      "L = <Item> <L1>\n"
      "L1 = #10 <Item> <L1> | #13 #10 <Item> <L1> | ~\n"
      "Item = #9 'x' 'y' ';' | 'x' 'y' ';'";
  Check(grammar, {
      {"xy;\nxy;\r\n\txy;", Ok()},
      {"xz", Err("Line1, syntax error, found \"z\" when expecting \"y\"\nxz\n !")},
      {"xy;\nxyz;\nxy;", Err("Line2, syntax error, found \"z\" when expecting \";\"\nxyz;\n  !")},
      {"xy;\r\nxyz;\r\nxy;", Err("Line2, syntax error, found \"z\" when expecting \";\"\nxyz;\n  !")},
      {"xy;\r\nxy", Err("Line2, syntax error, found \"end marker\" when expecting \";\"\nxy\n  !")},
      {"\txq;", Err("Line1, syntax error, found \"q\" when expecting \"y\"\n\txq;\n\t !")},
      {"xy;\n\nxy;", Err("Line2, syntax error, found \"\n\" when expecting <Item> with one of: chr(9) x")},
  });
}

// Groups and repetitions become nonterminals with names of their own ("[1]", "{2}-list").
TEST_F(CompiledParser, GrammarWithGroups) {
  for (bool names : {false, true}) {
    auto results = ParseBoth("S = 'x' [ 'a' / 'b' 'c' ] 'y' { 'd' / 'e' }* { 'f' }+ ';'",
                             {"xyf;", "xaydeedff;", "xbcyf;", "xby;", "xyd;", "xayf"}, false, true, names);
    ASSERT_EQ(results.size(), 6u);
    EXPECT_TRUE(results[0].Ok);
    EXPECT_TRUE(results[1].Ok);
    EXPECT_TRUE(results[2].Ok);
    EXPECT_EQ(results[3].Error, "Line1, syntax error, found \"y\" when expecting \"c\"\nxby;\n  !");
    EXPECT_EQ(results[4].Error.substr(0, 30), "Line1, syntax error, found \";\"");
    EXPECT_EQ(results[5].Error.substr(0, 36), "Line1, syntax error, found \"end mark");
    EXPECT_NE(results[1].Trace.find("N 1 S 2 [1]\n"), std::string::npos) << results[1].Trace;
  }
  // The group calls nothing: its depth parameter has no name.
  EXPECT_NE(ReadFile("s.cpp").find("void SParser::square_1_square(int parentIndex, const char *parentNode, long)"),
            std::string::npos);
}

// Bytes 128 to 255 are characters; 255 is not the end of the text.
TEST_F(CompiledParser, UpperHalfBytesAreCharacters) {
  auto results = ParseBoth("S = #255 #200 <R>\nR = #128 <R> | ~", {"\xff\xc8", "\xff\xc8\x80\x80", "\xff"});
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1], Ok());
  EXPECT_EQ(results[2], Err("Line1, syntax error, found \"end marker\" when expecting \"\xc8\"\n\xff\n !"));
}

// Tree hooks and actions in the order the parser meets them; the loop form makes one node per
// pass, each completed once.
TEST_F(CompiledParser, HooksAndActionsInParsingOrder) {
  ActionTexts = {{"begin", {"act(\"begin\");"}}, {"end", {"act(\"end\");"}}};
  auto results = ParseBoth("S = `begin` 'a' <L> `end`\nL = ',' 'a' <L> | ~", {"a,a,a", "a;"}, true, true);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok("N 1  1 S\n"
                           "A begin\n"
                           "L 1 S 1 97\n"
                           "N 1 S 2 L\nL 2 L 2 44\nL 2 L 3 97\nC 2 L 4\n"
                           "N 1 S 4 L\nL 4 L 4 44\nL 4 L 5 97\nC 4 L 6\n"
                           "N 1 S 6 L\nC 6 L 6\n"
                           "A end\n"
                           "C 1 S 6\n"));
  EXPECT_EQ(results[1].Error, "Line1, syntax error, found \";\" when expecting <L> with one of: , finish");
}

// An action after the tail call runs after the recursion returns, so no loop is made there.
TEST_F(CompiledParser, ActionAfterTheTailCallKeepsTheRecursion) {
  ActionTexts = {{"after", {"act(\"after\");"}}, {"none", {"act(\"none\");"}}};
  auto results = ParseBoth("S = <L>\nL = ',' <L> `after` | `none`", {",,", ""}, true);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok("A none\nA after\nA after\n"));
  EXPECT_EQ(results[1], Ok("A none\n"));
  EXPECT_EQ(ReadFile("s.cpp").find("while (true)"), std::string::npos);
}

// The loop ends at the end of its ending alternative, not at an empty element inside one.
TEST_F(CompiledParser, LoopFormBreaksAtTheEndOfTheAlternative) {
  auto results = ParseBoth("S = <L>\nL = 'y' ~ 'z' | 'x' <L>", {"xxyz", "yz", "xx", "y"});
  ASSERT_EQ(results.size(), 4u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1], Ok());
  EXPECT_EQ(results[2].Error, "Line1, syntax error, found \"end marker\" when expecting <L> with one of: y x");
  EXPECT_EQ(results[3].Error, "Line1, syntax error, found \"end marker\" when expecting \"z\"\ny\n !");
  EXPECT_NE(ReadFile("s.cpp").find("while (true)"), std::string::npos);
}

// The previous character and the lower-case reading are there when the grammar's texts use
// them, and left out of the procedural parser when they do not.
TEST_F(CompiledParser, PreviousCharacterAndLowerCaseWhenTheGrammarUsesThem) {
  ActionTexts = {{"show", {"act(ll0 == 98 ? \"b\" : \"?\");"}}};
  PreParse = "lowCase = true;";
  auto results = ParseBoth("S = 'a' 'b' `show`", {"AB", "ab", "Ax"}, true);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0], Ok("A b\n"));
  EXPECT_EQ(results[1], Ok("A b\n"));
  EXPECT_FALSE(results[2].Ok);
  ActionTexts.clear();
  PreParse.clear();
  Parse("S = 'a' 'b'", CppProcedural, {"ab"});
  std::string text = ReadFile("s.cxx");
  EXPECT_EQ(text.find("ll0"), std::string::npos);
  EXPECT_EQ(text.find("lowCase"), std::string::npos);
  EXPECT_NE(text.find("static const long fin = -1;"), std::string::npos);
}

// An alternative whose every character an earlier one took keeps no code and is never taken.
TEST_F(CompiledParser, AlternativeWithoutCodesCompiles) {
  auto results = ParseBoth("S = 'a' | 'a' 'b'", {"a", "ab"});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1].Error, "Line1, syntax error, found \"b\" when expecting <S> with one of: finish");
  std::string text = ReadFile("s.cpp");
  EXPECT_NE(text.find("\telse if (false)"), std::string::npos);
  EXPECT_NE(text.find("//!!!!!!!!!!! Ambiguous choice with: \"a\" \n"), std::string::npos);
}

// Quotes and backslashes in names and characters, and comment lines that end in a backslash.
TEST_F(CompiledParser, NamesAndCharactersAreEscaped) {
  auto results = ParseBoth("S = 'x' <a\"b\\> '\\'\na\"b\\ = '\\' '\"' | '\"'",
                           {"x\\\"\\", "x\"\\", "xq", "x\\y"}, false, true);
  ASSERT_EQ(results.size(), 4u);
  EXPECT_TRUE(results[0].Ok);
  EXPECT_TRUE(results[1].Ok);
  EXPECT_EQ(results[2].Error,
            "Line1, syntax error, found \"q\" when expecting <a\"b\\> with one of: \\ chr(34)");
  EXPECT_EQ(results[3].Error, "Line1, syntax error, found \"y\" when expecting \"\"\"\nx\\y\n  !");
  EXPECT_NE(results[0].Trace.find("N 1 S 2 a\"b\\\n"), std::string::npos) << results[0].Trace;
  std::string text = ReadFile("s.cpp");
  EXPECT_NE(text.find("\n//  \\\t\t\t\t\t\"this text prevents of a multi-line comment\"\n"), std::string::npos);
  EXPECT_NE(text.find("\t{\t// <S>::=x<a\"b\\>\\\t\t\t\t\t\"this text prevents of a multi-line comment\"\n"),
            std::string::npos);
}

// A grammar name that is no identifier is spelled as one in every name built from it.
TEST_F(CompiledParser, GrammarNameSpelledAsIdentifier) {
  auto results = ParseBoth("my-g = 'a' <rest>\nrest = 'b'", {"ab", "a"});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1].Error, "Line1, syntax error, found \"end marker\" when expecting <rest> with one of: b");
  EXPECT_NE(ReadFile("my-g.cpp").find("bool my_dash_gParser::parse(char *sourceStr, char **errorMsg)"),
            std::string::npos);
}

// Procedure names from symbol names: keywords, the parser's own names and two names that spell
// the same identifier stay distinct.
TEST_F(CompiledParser, NamedProceduresStayDistinct) {
  auto results = ParseBoth("S = <int> <next> <a(> <abracket_> <S1>\nint = 'i'\nnext = 'n'\n"
                           "a( = 'p'\nabracket_ = 'q'\nS1 = 'z'",
                           {"inpqz", "inpq"}, false, false, true);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1].Error, "Line1, syntax error, found \"end marker\" when expecting <S1> with one of: z");
}

// Procedure names from symbol names that the parser's own headers declare (functions, macros)
// are made distinct, so the file still compiles.
TEST_F(CompiledParser, NamedProceduresAvoidTheHeadersNames) {
  const std::vector<std::string> names = {"getchar", "tmpfile", "puts",    "index",  "remove",
                                           "rename",  "fopen",   "strdup",  "memmove", "perror",
                                           "feof",    "BUFSIZ",  "SEEK_SET", "getline", "stpcpy",
                                           "fileno"};
  std::string grammar = "S =", rules, sentence;
  for (size_t i = 0; i < names.size(); ++i) {
    grammar += " <" + names[i] + ">";
    sentence += char('a' + i);
    rules += "\n" + names[i] + " = '" + sentence.back() + "'";
  }
  auto results = ParseBoth(grammar + rules, {sentence, sentence.substr(0, sentence.size() - 1)},
                           false, false, true);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1].Error,
            "Line1, syntax error, found \"end marker\" when expecting <fileno> with one of: p");
}

// Statement lines longer than the line width are broken between tokens, never in a literal.
TEST_F(CompiledParser, LongLinesBreakBetweenTokens) {
  std::string longName(1500, 'n');
  std::string grammar = "S = 'a' <" + longName + ">\n" + longName + " = ";
  for (int c = 1; c <= 253; c += 2) grammar += (c > 1 ? " | #" : "#") + std::to_string(c);
  // With names from the symbols the procedure's name is cut to fit on a line.
  for (bool names : {false, true}) {
    auto results = ParseBoth(grammar, {"a\x01", "a\xfd", "a\x02"}, false, true, names);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_TRUE(results[0].Ok);
    EXPECT_TRUE(results[1].Ok);
    std::string expected = "Line1, syntax error, found \"\x02\" when expecting <" + longName +
                           "> with one of: chr(1) chr(3) chr(5)";
    EXPECT_EQ(results[2].Error.substr(0, expected.size()), expected);
    EXPECT_EQ(results[2].Error.substr(results[2].Error.size() - 5), "\xf9 \xfb \xfd");
  }
}

TEST_F(CompiledParser, ExternalErrorHandler) {
  ErrorReaction = "$extern";
  auto results = ParseBoth("S = 'a' 'b'", {"ab", "c", "ac"});
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1], Err("", "E 1 <S> a\n"));
  EXPECT_EQ(results[2], Err("", "E 2   b\n"));
}

TEST_F(CompiledParser, UserErrorReactionStandsInPlaceOfTheCalls) {
  ErrorReaction = "bad = true; printf(\"A failed\\n\");";
  auto results = ParseBoth("S = 'a' <L>\nL = 'b' <L> | ~", {"abb", "ac", "x"});
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0], Ok());
  EXPECT_EQ(results[1], Err("", "A failed\n"));
  EXPECT_EQ(results[2], Err("", "A failed\n"));
}

// The Visual Basic module and the C++ file choose the same branches, test the same characters
// and name the same expected sets.
TEST_F(CompiledParser, VisualBasicAgreesWithCpp) {
  auto skeleton = [](const std::string& text, bool basic) {
    std::vector<std::string> out;
    std::regex vbCase("^\tCase (.*)\t\t' .*$"), vbTest("^\t\tIf LL1 <> (\\d+) Then$"),
        vbElse("^\t\tErrH 1, \"(.*)\", \"(.*)\"$"), cppIf("^\t(?:else )?if \\((.*)\\)\t\t\t\t// .*$"),
        cppTest("^\t\tif\\(ll1 != (\\d+)\\)$"), cppElse("^\t\tbad = \\w+Errh\\(1, \"(.*)\", \"(.*)\"\\);$");
    std::regex range("(\\d+) To (\\d+)"), cRange("\\(?ll1>=(\\d+) && ll1<=(\\d+)\\)?"), cOne("ll1==(\\w+)");
    for (auto& line : Lines(text)) {
      std::smatch m;
      if (basic && std::regex_match(line, m, vbCase)) {
        std::string items = std::regex_replace(std::string(m[1]), range, "$1-$2");
        out.push_back("branch " + (items == "Is < fin" ? std::string("none") : items));
      } else if (!basic && std::regex_match(line, m, cppIf)) {
        std::string items = std::regex_replace(std::string(m[1]), cRange, "$1-$2");
        items = std::regex_replace(items, cOne, "$1");
        items = std::regex_replace(items, std::regex(" \\|\\| "), ", ");
        out.push_back("branch " + (items == "false" ? std::string("none") : items));
      } else if (std::regex_match(line, m, basic ? vbTest : cppTest)) {
        out.push_back("test " + std::string(m[1]));
      } else if (std::regex_match(line, m, basic ? vbElse : cppElse)) {
        out.push_back("else " + std::string(m[1]) + " " + std::string(m[2]));
      }
    }
    return out;
  };
  const char* grammar = "S = <E> ';'\nE = <T> '+' <E> | <T> | '-' <E>\nT = 'a' | 'b' 'c' | '(' <E> ')'";
  Start(VisualBasic);
  Grammar(grammar);
  Generate(VisualBasic);
  auto basic = skeleton(ReadFile("S.bas"), true);
  Start(CppProcedural);
  Grammar(grammar);
  Generate(CppProcedural);
  auto cpp = skeleton(ReadFile("s.cxx"), false);
  EXPECT_GT(basic.size(), 10u);
  EXPECT_EQ(basic, cpp);
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

class CppRobustness : public CompiledParserBase {};

// Past the nesting limit the parser reports an error where it stands instead of running out
// of stack; the depth counts calls, so nesting just below the limit still parses.
TEST_F(CppRobustness, DeepNestingGivesTheDepthError) {
  const std::string deep = std::string(1000000, '(') + "1" + std::string(1000000, ')');
  // Three procedure calls per bracket: E, T and F.
  const std::string fits = std::string(3000, '(') + "1" + std::string(3000, ')');
  for (int32_t language : {CppProcedural, CppClass}) {
    auto results = Parse(ExpressionGrammar, language, {deep, fits, "(((1)"});
    ASSERT_EQ(results.size(), 3u) << language;
    // The 10,001st call is the F of the 3,334th bracket (E T F per bracket, E T F first).
    std::string shown(40, '(');
    EXPECT_EQ(results[0].Error, "Line1, syntax error, found \"(\", the nesting is too deep\n" +
                                    std::string(120, '(') + "\n" + std::string(40, ' ') + "!")
        << language;
    EXPECT_EQ(results[1], Ok()) << language;
    EXPECT_EQ(results[2].Error, "Line1, syntax error, found \"end marker\" when expecting \")\"\n(((1)\n     !");
  }
}

// A left-recursive grammar recurses without reading: the limit stops it.
TEST_F(CppRobustness, LeftRecursionGivesTheDepthError) {
  auto results = Parse("S = <S> 'a' | 'b'", CppProcedural, {"ba", "b"});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].Error, "Line1, syntax error, found \"b\", the nesting is too deep\nba\n!");
  EXPECT_EQ(results[1].Error, "Line1, syntax error, found \"b\", the nesting is too deep\nb\n!");
  EXPECT_NE(ReadFile("S.log").find("The grammar is not LL(1): the choices of <S> clash."), std::string::npos)
      << ReadFile("S.log");
}

// On a long line the error text shows the line around the error column, the mark still under
// the offending character.
TEST_F(CppRobustness, LongLineIsCutAroundTheErrorColumn) {
  std::string line;
  for (int i = 0; i < 2500; ++i) line += "ac";
  auto results = Parse("S = <L> ';'\nL = 'a' 'c' <L> | ~", CppProcedural,
                       {line + "ab", "x\n" + line + "ab;", "acab"});
  ASSERT_EQ(results.size(), 3u);
  const std::string head = "Line1, syntax error, found \"b\" when expecting \"c\"\n";
  std::string shown;
  for (int i = 0; i < 20; ++i) shown += "ca";
  EXPECT_EQ(results[0].Error, head + shown + "b\n" + std::string(40, ' ') + "!");
  EXPECT_EQ(results[1].Error.substr(0, 30), "Line1, syntax error, found \"x\"");
  EXPECT_EQ(results[2].Error, head + "acab\n   !");
}

// The generated C++ compiles cleanly under -Wall -Wextra, with every option a grammar can set.
TEST_F(CppRobustness, CompilesWithoutWarnings) {
  struct Case {
    int32_t language;
    bool actions, tree, names;
  } cases[] = {{CppProcedural, false, false, false}, {CppProcedural, true, true, true},
               {CppClass, false, false, false},      {CppClass, true, true, false}};
  for (auto& c : cases) {
    ActionTexts = {{"a", {"act(\"a\");"}}};
    // R's branch tests a run and a single code together.
    Parse("S = <E> <R> ';'\nE = 'x' `a` [ '+' <E> ] | '(' <E> ')'\nR = 'a' | 'b' | 'c' | 'e' | ~", c.language,
          {"x;"}, c.actions, c.tree, c.names);
    std::string file = c.language == CppProcedural ? "s.cxx" : "s.cpp";
    std::string cmd = "cd '" + folder.string() + "' && g++ -std=c++17 -Wall -Wextra -fsyntax-only " +
                      file + " > warnings.log 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadFile("warnings.log"), "") << c.language << c.actions << c.tree << c.names;
  }
}

}  // namespace
}  // namespace mv::testing
