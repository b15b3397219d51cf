#include <string>
#include <vector>

#include "engine/support/grammar_fixture.h"
#include "exports.h"

namespace mv::testing {
namespace {

class ListingsTest : public EngineFixture {
protected:
  // The grammar's name (its first rule head) becomes the base of the result files.
  void TakeName() { ASSERT_TRUE(eng->store.TakeGrammarName()); }
  std::string File(ResultFileKind kind, Chain list, const std::string& extension = ".lst") {
    EXPECT_TRUE(out().WriteResultFile(kind, list.First, list.Last, " a title", extension));
    return ReadFile(TrimmedRight(eng->store.ResultBaseName) + extension);
  }
  // The grammar "<G>::=x" read through the exports, its name taken, as the GUI does it.
  void BuildThroughExports() {
    const int32_t language = 0;
    const int16_t no = 0;
    std::string path = folder.string();
    ::BnfParserInit(&language, path.data(), int32_t(path.size()), &no, &no, &no);
    ::BKSACT();
    auto spell = [](int32_t code) {
      ::BKSNAI();
      ::BKSSYM(&code);
    };
    spell('G');
    ::BKSNLI();
    ::BKSGMN();
    ::BKSNL();
    spell('x');
    ::BKSTRM();
    ::BKSEND();
    char name[8];
    ::GetGrammarName(name, 8);
  }
  int32_t Ntm(const std::string& name) {
    int32_t found = 0;
    for (int32_t r = Grammar().First; r >= 1; r = eng->mem.IVLR(NonterminalPool, r, NtmNext)) {
      if (eng->store.NameText(eng->mem.IVLR(NonterminalPool, r, NtmNameFirst),
                              eng->mem.IVLR(NonterminalPool, r, NtmNameLast)) == name)
        found = r;
      if (r == Grammar().Last) break;
    }
    return found;
  }
};

TEST_F(ListingsTest, FileRulesNumbersOneLinePerAlternative) {
  Rule("E", {{"<E>", "+", "<T>"}, {"<T>"}});
  Rule("T", {{"n"}});
  TakeName();
  int32_t e = Ntm("E");
  EXPECT_EQ(File(ResultFileKind::Rules, {e, e}),
            Numbered(1, "<E>::=<E>+<T>") + Numbered(2, "<E>::=<T>"));
  EXPECT_EQ(File(ResultFileKind::Rules, Grammar()),
            Numbered(1, "<E>::=<E>+<T>") + Numbered(2, "<E>::=<T>") + Numbered(3, "<T>::=n"));
}

TEST_F(ListingsTest, TerminalsAreQuotedByTheirFirstCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"[", "\"[\""}, {"]", "\"]\""}, {"{", "\"{\""}, {"}", "\"}\""}, {"|", "\"|\""},
      {"-x", "\"-x\""}, {" ", "\" \""}, {"'", "\"'\""}, {"<", "\"<\""}, {"~", "\"~\""},
      {"`", "\"`\""}, {"\"", "'\"'"}, {"\"a\"", "'\"a\"'"}, {"ab", "ab"}, {"a[", "a["},
      {"\t", "\"\t\""}, {">", ">"}};
  std::vector<std::vector<std::string>> alts;
  std::string expected;
  for (size_t i = 0; i < std::size(cases); ++i) {
    alts.push_back({cases[i].first});
    expected += Numbered(int(i + 1), "<S>::=" + cases[i].second);
  }
  Rule("S", alts);
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Rules, Grammar()), expected);
}

TEST_F(ListingsTest, EmptyAndActionElementsPrintNothingInRuleListings) {
  Rule("A", {{""}, {"`act`", "x", "`act`"}, {"\x0D"}});
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Rules, Grammar()),
            Numbered(1, "<A>::=") + Numbered(2, "<A>::=x") + Numbered(3, "<A>::=''13''"));
}

TEST_F(ListingsTest, EmptyListsWriteOneUnnumberedLine) {
  Rule("A", {{"x"}});
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Rules, {}), "      List of rules is empty\n");
  EXPECT_EQ(File(ResultFileKind::Grammar, {}), "      List of rules is empty\n");
  EXPECT_EQ(File(ResultFileKind::Nonterminals, {}), "      List of nonterminals is empty\n");
}

TEST_F(ListingsTest, FileNonterminalsListsNamesAndRestartsNumbering) {
  Rule("A", {{"<B>", "<C>"}});
  Rule("B", {{"b"}});
  TakeName();
  File(ResultFileKind::Rules, Grammar());
  EXPECT_EQ(File(ResultFileKind::Nonterminals, Grammar()),
            Numbered(1, "<A>") + Numbered(2, "<B>") + Numbered(3, "<C>"));
  int32_t b = Ntm("B");
  EXPECT_EQ(File(ResultFileKind::Nonterminals, {b, b}), Numbered(1, "<B>"));
}

// Names are printed many times and kept as printed; a record given back and taken by another
// name, or a name printed for the grammar file, is spelt anew.
TEST_F(ListingsTest, APrintedNameFollowsItsRecordAndTheFileForm) {
  Rule("S", {{"<T\tab>"}, {"<A>"}});
  Rule("A", {{"<A>", "a"}});
  Rule("T\tab", {{"t"}});
  TakeName();
  const int32_t a = Ntm("A");
  EXPECT_EQ(File(ResultFileKind::Grammar, Grammar()),
            "<S>::=<Tchr(9)ab>\n      |<A>\n<Tchr(9)ab>::=t\n<A>::=<A>a\n");
  EXPECT_EQ(File(ResultFileKind::Nonterminals, Grammar()),
            Numbered(1, "<S>") + Numbered(2, "<T\tab>") + Numbered(3, "<A>"));
  Chain dead, alive;
  eng->extra.Alive(dead, alive);
  ASSERT_EQ(dead.First, a);
  eng->extra.DeleteNonterminals(dead.First, dead.Last);
  // The records given back last are the first taken again: B's record and name chain are
  // those that A had.
  const int32_t nameFirst = eng->mem.IVLR(NonterminalPool, a, NtmNameFirst);
  Rule("B", {{"b"}});
  ASSERT_EQ(Ntm("B"), a);
  ASSERT_EQ(eng->mem.IVLR(NonterminalPool, a, NtmNameFirst), nameFirst);
  EXPECT_EQ(File(ResultFileKind::Nonterminals, Grammar()),
            Numbered(1, "<S>") + Numbered(2, "<T\tab>") + Numbered(3, "<B>"));
}

TEST_F(ListingsTest, FileGrammarWritesTheGrammarFileForm) {
  Rule("A", {{"<B>", "x", "`go`"}, {""}});
  Rule("B", {{"{"}, {"\t"}});
  Action("go", {"first line", "second\tline"});
  Action("idle", {});
  eng->store.UserTitle = Padded("Calc", OptionTextLength);
  eng->store.UserDeclarations[0] = Padded("Dim x", OptionTextLength);
  eng->store.UserDeclarations[2] = Padded("Dim y", OptionTextLength);
  eng->store.UserPreParse[0] = Padded("x = 0", OptionTextLength);
  eng->store.UserPostParse[5] = Padded("y = 1", OptionTextLength);
  eng->store.UserScanner = Padded("Next()", OptionTextLength);
  eng->store.UserErrorReaction = Padded("Stop", OptionTextLength);
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Grammar, Grammar()),
            "<A>::=<B>x`go`\n"
            "      |\n"
            "<B>::=\"{\"\n"
            "      |''9''\n"
            "`go`::=first line\n"
            "`go`::=second''9''line\n"
            "`idle`::=\n"
            "$declare::=Dim x\n"
            "$declare::=Dim y\n"
            "$title::=Calc\n"
            "$pre-step::=x = 0\n"
            "$post-step::=y = 1\n"
            "$next::=Next()\n"
            "$errjob::=Stop\n");
  // The grammar-file mode ends with the file.
  EXPECT_FALSE(out().GrammarFileMode);
  EXPECT_EQ(File(ResultFileKind::Rules, {Ntm("B"), Ntm("B")}),
            Numbered(1, "<B>::=\"{\"") + Numbered(2, "<B>::=\"\t\""));
}

TEST_F(ListingsTest, FileGrammarWithOnlyATitleEndsWithIt) {
  Rule("A", {{"a"}});
  eng->store.UserTitle = Padded("Calc", OptionTextLength);
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Grammar, Grammar()), "<A>::=a\n$title::=Calc\n");
}

TEST_F(ListingsTest, Fortran77ListingLinesCarryTheLabelField) {
  Start(Fortran77);
  Rule("A", {{"a"}});
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Rules, Grammar()), Numbered(1, "      <A>::=a"));
  EXPECT_EQ(File(ResultFileKind::Grammar, Grammar()), "      <A>::=a\n");
}

TEST_F(ListingsTest, PrintRuleAppendsTheNumberedAlternativeUnnumbered) {
  Rule("A", {{"<A>", "\tt"}, {"b"}});
  TakeName();
  int32_t a = Ntm("A");
  int32_t first = eng->mem.IVLR(NonterminalPool, a, NtmFirstRule);
  int32_t second = eng->mem.IVLR(RulePool, first, RuleNext);
  eng->mem.VLW(RulePool, first, RuleNumber, 4);
  eng->mem.VLW(RulePool, second, RuleNumber, 5);
  ASSERT_TRUE(out().ResultUnit.Open("rule.txt"));
  out().StartOutputLine(0);
  out().WriteText("head");
  out().StartOutputLine(0);
  out().PrintRule(4, a);
  out().StartOutputLine(0);
  out().PrintRule(5, a);
  out().PrintRule(9, a);
  out().StartOutputLine(0);
  out().WriteText("tail");
  out().FlushOutputLine();
  out().ResultUnit.Close();
  EXPECT_EQ(ReadFile("rule.txt"), Numbered(1, "head") + "      <A>::=<A>\tt\n" +
                                      "      <A>::=b\n" + Numbered(2, "tail"));
}

TEST_F(ListingsTest, GrammarCommentBlockOfAGeneratedParser) {
  Rule("A", {{"<B>", "x", "`go`"}, {""}, {"\t"}});
  Rule("B", {{"b"}});
  Action("go", {"one", "two"});
  eng->store.CollisionReportFlag = false;
  ASSERT_TRUE(out().SourceUnit.Open("parser.bas"));
  out().PrintGrammarComment(" ", 1, Grammar().First, Grammar().Last);
  out().StartOutputLine(0);
  out().WriteText("Option Explicit");
  out().FlushOutputLine();
  out().PrintGrammarComment(" ", 1, 0, 0);
  out().FlushOutputLine();
  out().SourceUnit.Close();
  EXPECT_EQ(ReadFile("parser.bas"),
            "'   \n"
            "'  <A>::=<B>x`go`||\"\t\"\n"
            "'  <B>::=b\n"
            "'  `go`::=onetwo\n"
            "'  \n"
            "Option Explicit\n"
            "'   : LIST OF NONTERMINALS IS EMPTY\n"
            "'  `go`::=onetwo\n"
            "'  \n");
}

TEST_F(ListingsTest, PrintRulesFollowsTheCurrentChainFields) {
  Rule("A", {{"a"}, {""}});
  Rule("B", {{"b"}});
  RecordMemory& mem = eng->mem;
  int32_t a = Ntm("A");
  int32_t empty = mem.IVLR(RulePool, mem.IVLR(NonterminalPool, a, NtmFirstRule), RuleNext);
  // A list of A alone, with A's empty alternative alone, on the nullable-search links.
  mem.VLW(NonterminalPool, a, NtmNullNext, Ntm("B"));
  mem.VLW(NonterminalPool, a, NtmNullFirstRule, empty);
  mem.VLW(NonterminalPool, a, NtmNullLastRule, empty);
  eng->store.Fields = {NtmNullNext, NtmNullBack, NtmNullFirstRule, NtmNullLastRule, RuleNullNext,
                       RuleNullBack};
  TakeName();
  EXPECT_EQ(File(ResultFileKind::Rules, {a, a}), Numbered(1, "<A>::="));
}

TEST_F(ListingsTest, ResultFileThatCannotBeOpenedIsReported) {
  Rule("Calc", {{"a"}});
  TakeName();
  std::filesystem::create_directory(folder / "Calc.dir");
  EXPECT_FALSE(out().WriteResultFile(ResultFileKind::Rules, Grammar().First, Grammar().Last,
                                     "", ".dir"));
  EXPECT_NE(out().LastError.find("Calc.dir"), std::string::npos) << out().LastError;
  // A later file written whole does not hide the failure.
  EXPECT_TRUE(out().WriteResultFile(ResultFileKind::Rules, Grammar().First, Grammar().Last, "",
                                    ".lst"));
  EXPECT_NE(out().LastError.find("Calc.dir"), std::string::npos) << out().LastError;
  EXPECT_TRUE(out().OpenResultFile(".sel"));
  EXPECT_NE(out().LastError.find("Calc.dir"), std::string::npos) << out().LastError;
  out().ResultUnit.Close();
}

TEST_F(ListingsTest, MemoryRunningOutWhileAGeneratorWritesIsKeptAsTheLatestError) {
  eng->store.CollisionReportFlag = false;
  ASSERT_TRUE(out().SourceUnit.Open("parser.bas"));
  ASSERT_TRUE(out().OpenResultFile(".log"));
  eng->mem.InitRecordMemory();
  eng->mem.SetCapacityPages(1);
  eng->mem.IVLOFF(56);
  EXPECT_THROW(eng->mem.IVLOFF(56), RunStopped);
  out().SourceUnit.Close();
  out().ResultUnit.Close();
  // No line reaches the generated file or the log; the message is there to be asked for.
  EXPECT_EQ(ReadFile("parser.bas"), "");
  EXPECT_EQ(ReadFile(TrimmedRight(eng->store.ResultBaseName) + ".log"), "");
  EXPECT_EQ(out().LastError,
            "MODULE VLTOVR: Fatal error: end of space to swop (INICUR(NDISK).GT.IREND)");
}

// Through the library's exports, as the GUI calls them.
TEST_F(ListingsTest, ExportsWriteTheFileAndReportAFailure) {
  BuildThroughExports();
  const mv::Chain g = ProcessEngine().store.Grammar;
  const std::string title = " grammar after removing extraneous symbols";
  ::FileRules(&g.First, &g.Last, title.data(), int32_t(title.size()), ".tmp", 4);
  EXPECT_EQ(ReadFile("G.tmp"), Numbered(1, "<G>::=x"));
  char error[16];
  ::GetEngineError(error, 16);
  EXPECT_EQ(std::string(error, 16), std::string(16, ' '));

  std::filesystem::create_directory(folder / "G.out");
  ::FileGrammar(&g.First, &g.Last, title.data(), int32_t(title.size()), ".out", 4);
  char message[200];
  ::GetEngineError(message, 200);
  std::string text(message, 200);
  EXPECT_NE(text.find("G.out"), std::string::npos) << text;
  EXPECT_EQ(text.back(), ' ');
}

// A list handle that is no nonterminal record of this run reads as an empty list.
TEST_F(ListingsTest, ForeignListHandlesAreEmptyLists) {
  BuildThroughExports();
  const mv::Chain grammar = ProcessEngine().store.Grammar;
  const int32_t bad[][2] = {{-5, -5}, {999999, 999999}, {grammar.First, 999999}, {1 << 30, 1}};
  for (const auto& handle : bad) {
    ::FileRules(&handle[0], &handle[1], "", 0, ".tmp", 4);
    EXPECT_EQ(ReadFile("G.tmp"), "      List of rules is empty\n") << handle[0];
    ::FileNonterminals(&handle[0], &handle[1], "", 0, ".ntm", 4);
    EXPECT_EQ(ReadFile("G.ntm"), "      List of nonterminals is empty\n") << handle[0];
    ::DeleteNonterminals(&handle[0], &handle[1]);
  }
  // Nothing was deleted through a bad handle.
  ::FileRules(&grammar.First, &grammar.Last, "", 0, ".tmp", 4);
  EXPECT_EQ(ReadFile("G.tmp"), Numbered(1, "<G>::=x"));
}

}  // namespace
}  // namespace mv::testing
