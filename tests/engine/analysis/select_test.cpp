// Select sets, clashes, the select-set report and the LL(1) verdict.
#include <algorithm>
#include <filesystem>
#include <memory>

#include "analysis_fixture.h"

namespace mv::testing {
namespace {

const std::string Separator = "      '" + std::string(63, '~') + "\n";

std::string Line(const std::string& text) { return "      " + text + "\n"; }

class Select : public AnalysisFixture {
protected:
  // owners[1..T+1] and the flag of one nonterminal.
  std::vector<int32_t> Owners(const std::string& name, int32_t& flag) {
    std::vector<int32_t> owners;
    eng->an.SelectSetOfAlternative(Nonterminal(name), owners, flag);
    return std::vector<int32_t>(owners.begin() + 1, owners.end() - 1);
  }
  int16_t Report(const std::string& grammar, const std::string& ext = ".sel") {
    Analyse(grammar);
    int16_t verdict = 7;
    EXPECT_TRUE(eng->an.FileSetOfSelect(ext, verdict));
    return verdict;
  }
};

TEST_F(Select, OwnersAndClashes) {
  struct Case {
    const char* grammar;
    std::vector<int32_t> owners;  // terminal index 1..T, then the end marker
    int32_t flag;
    std::vector<SelectCollision> clashes;
  } cases[] = {
      {"S = a X | b ; X = x", {1, 2, 0, 0}, -1, {}},
      // a begins A too: the second alternative clashes on a and keeps nothing.
      {"S = a | A ; A = a", {1, 0}, 0, {{1, 2}}},
      // A nullable alternative of the start symbol selects the end marker.
      {"S = a S | ~", {1, 2}, -1, {}},
      // Each clash is recorded as often as it is met.
      {"S = A | B | a ; A = a | ~ ; B = a", {1, 1}, 0, {{1, 2}, {1, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grammar);
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
    Analyse(c.grammar);
    int32_t flag = 5;
    EXPECT_EQ(Owners("S", flag), c.owners);
    EXPECT_EQ(flag, c.flag);
    EXPECT_EQ(eng->an.SelectCollisions(), c.clashes);
  }
}

// A handle that names no nonterminal selects nothing and clashes nowhere.
TEST_F(Select, ForeignHandleSelectsNothing) {
  Analyse("S = a | A ; A = a");
  for (int32_t handle : {0, -3, 999999}) {
    std::vector<int32_t> owners;
    int32_t flag = 5;
    eng->an.SelectSetOfAlternative(handle, owners, flag);
    EXPECT_EQ(owners, std::vector<int32_t>(4, 0));
    EXPECT_EQ(flag, -1);
    EXPECT_TRUE(eng->an.SelectCollisions().empty());
  }
}

const char* const Expression =
    "E = T E' ; E' = + T E' | ~ ; T = F T' ; T' = * F T' | ~ ; F = ( E ) | i";

TEST_F(Select, ExpressionGrammarReport) {
  EXPECT_EQ(Report(Expression), -1);
  EXPECT_EQ(ReadFile("E.sel"), Line("  1\t<E>::=<T><E'>\t\t\t\"(\" \"i\"") + Separator +
                                   Line("  2\t<T>::=<F><T'>\t\t\t\"(\" \"i\"") + Separator +
                                   Line("  3\t<E'>::=+<T><E'>\t\t\t\"+\"") +
                                   Line("  4\t<E'>::=\t\t\t\")\" finish") + Separator +
                                   Line("  5\t<F>::=(<E>)\t\t\t\"(\"") +
                                   Line("  6\t<F>::=i\t\t\t\"i\"") + Separator +
                                   Line("  7\t<T'>::=*<F><T'>\t\t\t\"*\"") +
                                   Line("  8\t<T'>::=\t\t\t\")\" \"+\" finish"));
}

TEST_F(Select, DanglingElseIsNotLL1) {
  EXPECT_EQ(Report("S = i E t S S' | a ; S' = e S | ~ ; E = b"), 0);
  EXPECT_EQ(ReadFile("S.sel"),
            Line("  1\t<S>::=i<E>t<S><S'>\t\t\t\"i\"") + Line("  2\t<S>::=a\t\t\t\"a\"") +
                Separator + Line("  3\t<E>::=b\t\t\t\"b\"") + Separator +
                Line("  4\t<S'>::=e<S>\t\t\t\"e\"") +
                Line("! 5\t<S'>::=\t\t\t\"e\" brings ambiguity\t\t\tfinish"));
}

// Several clashes of a nonterminal: "bring"; a clash on the end marker shows as finish.
TEST_F(Select, SeveralClashesAndTheEndMarker) {
  EXPECT_EQ(Report("S = A | B ; A = a | ~ ; B = a | ~"), 0);
  EXPECT_EQ(ReadFile("S.sel"),
            Line("  1\t<S>::=<A>\t\t\t\"a\" finish") +
                Line("! 2\t<S>::=<B>\t\t\t\"a\" finish bring ambiguity\t\t\t") + Separator +
                Line("  3\t<A>::=a\t\t\t\"a\"") + Line("  4\t<A>::=\t\t\tfinish") + Separator +
                Line("  5\t<B>::=a\t\t\t\"a\"") + Line("  6\t<B>::=\t\t\tfinish"));
}

// Runs of consecutive codes, and the forms of blanks, quotes, apostrophes and control codes.
TEST_F(Select, CharacterFormsAndRuns) {
  struct Case {
    const char* terminals;  // the alternatives of S, one terminal each
    const char* set;        // the select set of the first alternative when all go to one
  } cases[] = {
      {"a b c d", "\"a\"-\"d\""},
      {"a c d x", "\"a\" \"c\"-\"d\" \"x\""},
      {"\\x20 \\x22 \\x27", "' ' '\"' \"'\""},
      {"\\x09 \\x0a \\x7f \\x91 \\xe9", "''9''-''10'' ''127'' ''145'' \"\xe9\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.terminals);
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
    // S = X ; X = each terminal, so S's one alternative selects them all.
    std::string alts;
    for (const std::string& w : Words(c.terminals)) alts += (alts.empty() ? "" : " | ") + w;
    EXPECT_EQ(Report("S = X ; X = " + alts), -1);
    std::string report = ReadFile("S.sel");
    EXPECT_EQ(report.substr(0, report.find('\n') + 1),
              Line("  1\t<S>::=<X>\t\t\t" + std::string(c.set)));
  }
}

TEST_F(Select, ClashingCharacterForms) {
  // Terminals tab, double quote and x each clash between S's two alternatives.
  EXPECT_EQ(Report("S = A | B ; A = \\x09 | \\x22 | x ; B = \\x09 | \\x22 | x"), 0);
  std::string report = ReadFile("S.sel");
  std::string second = report.substr(report.find('\n') + 1);
  EXPECT_EQ(second.substr(0, second.find('\n') + 1),
            Line("! 2\t<S>::=<B>\t\t\tchar(9) '\"' \"x\" bring ambiguity\t\t\t"));
}

// The code table goes by the first character of a terminal. A terminal that no alternative
// uses takes no code (it would hide ab behind its own a), nor does a code beyond the table.
TEST_F(Select, CodeTableTakesOnlyNumberedTerminalsWithinRange) {
  Build("S = ab | az | q");
  DropAlternative("S", 1);
  // The third alternative becomes a terminal whose first code is 5000.
  Builder& b = eng->builder;
  Name("S");
  b.BKSNLI();
  b.BKSNL();
  b.BKSNAI();
  for (int32_t code : {int32_t(5000), int32_t('q')}) b.BKSSYM(code);
  b.BKSTRM();
  b.BKSEND();
  AnalyseBuilt();
  int16_t verdict = 0;
  EXPECT_TRUE(eng->an.FileSetOfSelect(".sel", verdict));
  EXPECT_EQ(verdict, -1);
  EXPECT_EQ(ReadFile("S.sel"), Line("  1\t<S>::=ab\t\t\t\"a\"") + Line("  2\t<S>::=q\t\t\t\"q\"") +
                                   Line("  3\t<S>::=\x88q\t\t\t"));
}

// Codes above 255 in a select set are written as the line writes their codes (their low byte,
// 256 as the byte 0), between the plain codes around them.
TEST_F(Select, CodesAboveAByteInASelectSet) {
  Build("S = X ; X = a | z");
  Builder& b = eng->builder;
  Name("X");
  b.BKSNLI();
  for (int32_t code : {256, 300}) {
    b.BKSNL();
    b.BKSNAI();
    b.BKSSYM(code);
    b.BKSTRM();
    b.BKSEND();
  }
  AnalyseBuilt();
  int16_t verdict = 0;
  EXPECT_TRUE(eng->an.FileSetOfSelect(".sel", verdict));
  const std::string report = ReadFile("S.sel");
  EXPECT_EQ(report.substr(0, report.find('\n') + 1),
            Line("  1\t<S>::=<X>\t\t\t\"a\" \"z\" \"" + std::string(1, '\0') + "\" \",\""));
}

// A report that cannot be written still gives the verdict, and says why.
TEST_F(Select, UnwritableReportStillGivesTheVerdict) {
  std::filesystem::create_directory(folder / "S.sel");
  Analyse("S = i E t S S' | a ; S' = e S | ~ ; E = b");
  int16_t verdict = 5;
  EXPECT_FALSE(eng->an.FileSetOfSelect(".sel", verdict));
  EXPECT_EQ(verdict, 0);
  EXPECT_NE(eng->out.LastError, "");
}

TEST_F(Select, NullableRulesListing) {
  Build("A = B C x | B ; B = C ; C = ~ | y ; D = A x");
  eng->an.Nullable();
  EXPECT_EQ(ReadFile("A.tmp"), " " + std::string("     1") + std::string(10, ' ') + "<A>::=<B>\n" +
                                   "      2          <C>::=\n" + "      3          <B>::=<C>\n");
}

// A grammar left empty by the cleaning still gets its nullable listing, so that no listing of
// an earlier run is shown in its place.
TEST_F(Select, NullableListingOfAnEmptyGrammar) {
  {
    std::ofstream stale(folder / "S.tmp");
    stale << "      1          <S>::=\n";
  }
  // S is dead, so the cleaning leaves no grammar.
  Build("S = S a");
  Chain dead, alive, unreachable, reachable;
  eng->extra.Alive(dead, alive);
  eng->extra.DeleteNonterminals(dead.First, dead.Last);
  eng->extra.UnReachable(unreachable, reachable);
  ASSERT_EQ(eng->store.Grammar, Chain{});
  EXPECT_EQ(eng->an.Nullable(), Chain{});
  EXPECT_EQ(ReadFile("S.tmp"), "      1            LIST OF NONTERMINALS IS EMPTY\n");
  EXPECT_TRUE(eng->store.GiveBackSwitch);
}

// An alternative whose number was negative takes the positive one when the report passes it
// and is printed with the later alternative of that number, on its line.
TEST_F(Select, ReportPrintsEveryAlternativeOfANumber) {
  Analyse("S = a | b | c");
  const int32_t first = eng->mem.IVLR(NonterminalPool, Nonterminal("S"), NtmFirstRule);
  eng->mem.VLW(RulePool, first, RuleNumber, -3);
  int16_t verdict = 7;
  ASSERT_TRUE(eng->an.FileSetOfSelect(".sel", verdict));
  EXPECT_EQ(ReadFile("S.sel"), Line("  2\t<S>::=b\t\t\t\"b\"") +
                                   Line("  3\t<S>::=a<S>::=c\t\t\t\"c\""));
}

// The clashes stand in records as if each nonterminal gave its chain back and took one record
// per clash: the same records with the same fields, and the same records handed out after,
// whether the next nonterminal has more clashes, fewer or none.
TEST_F(Select, ClashRecordsAsIfTakenOneByOne) {
  const char* const grammar =
      "S = A | A | A | D ; A = a | b | c | d ; B = a | a | ~ ; C = B | a | b ; "
      "D = a | C | B | A ; E = x | y ; F = A | B | C | D | a ; G = A | A";
  Analyse(grammar);
  std::unique_ptr<Engine> engine = std::move(eng);
  eng = std::make_unique<Engine>();
  eng->BnfParserInit(1, folder.string(), 0, 0, 0);
  Analyse(grammar);
  Engine& plain = *eng;
  constexpr int32_t pool = 4;
  Chain chain;
  std::vector<int32_t> owners;
  size_t most = 0;
  for (int32_t a = engine->store.Grammar.First; a >= 1;
       a = engine->mem.IVLR(NonterminalPool, a, NtmNext)) {
    int32_t flag = 0;
    engine->an.SelectSetOfAlternative(a, owners, flag);
    const std::vector<SelectCollision> clashes = engine->an.SelectCollisions();
    most = std::max(most, clashes.size());
    if (chain.First >= 1) plain.mem.ReleaseRecord(pool, chain.First, chain.Last);
    chain = Chain{};
    for (const SelectCollision& c : clashes) {
      const int32_t rec = plain.mem.AppendRecord(pool, 1, chain.First, chain.Last);
      plain.mem.VLW(pool, rec, 2, c.Index);
      plain.mem.VLW(pool, rec, 3, c.Rule);
    }
    ASSERT_EQ(engine->an.SelectCollisionList, chain);
    ASSERT_EQ(engine->mem.FreeChainHead(2), plain.mem.FreeChainHead(2));
    for (int32_t r = chain.First, k = 0; r >= 1 && k < 100; r = plain.mem.IVLR(pool, r, 1), ++k) {
      for (int32_t field = 1; field <= 4; ++field)
        ASSERT_EQ(engine->mem.IVLR(pool, r, field), plain.mem.IVLR(pool, r, field));
      if (r == chain.Last) break;
    }
    if (a == engine->store.Grammar.Last) break;
  }
  EXPECT_GE(most, 3u);
  for (int k = 0; k < 300; ++k) ASSERT_EQ(engine->mem.IVLOFF(pool), plain.mem.IVLOFF(pool)) << k;
}

}  // namespace
}  // namespace mv::testing
