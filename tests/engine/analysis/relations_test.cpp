// Relation matrices through their texts.
#include "analysis_fixture.h"

namespace mv::testing {
namespace {

using Matrix = Analysis::Matrix;

const char* const Expression =
    "E = T E' ; E' = + T E' | ~ ; T = F T' ; T' = * F T' | ~ ; F = ( E ) | i";

// Numbering of the expression grammar: E T E' F T' are 1..5, + ( ) i * are 6..10, the end
// marker 11.
TEST_F(AnalysisFixture, ExpressionGrammarMatrices) {
  Texts t = Analyse(Expression);
  EXPECT_EQ(t.EndOf, Columns({
                         "*****",  // E
                         " * **",  // T
                         " ****",  // E'
                         "   * ",  // F
                         "   **",  // T'
                     }));
  EXPECT_EQ(t.FolDirBy, Columns({
                            "     ", "     ", " *   ", "     ", "   * ",  // E T E' F T'
                            "     ", "     ", "*    ", "     ", "     ",  // + ( ) i *
                        }));
  EXPECT_EQ(t.BeginsWith, Columns({
                              "*    ", "**   ", "  *  ", "** * ", "    *",  // E T E' F T'
                              "  *  ", "** * ", "     ", "** * ", "    *",  // + ( ) i *
                          }));
  EXPECT_EQ(t.FollowedBy, Columns({
                              "     ", "     ", " * **", "     ", "   * ",  // E T E' F T'
                              " * **", "     ", "*****", "     ", "   * ",  // + ( ) i *
                              "*****",                                     // end marker
                          }));
}

// A Get outside its turn shows what the region holds by then, read in its own column order.
TEST_F(AnalysisFixture, GetAfterTheRegionWasReused) {
  Texts t = Analyse(Expression);
  EXPECT_EQ(eng->an.MatrixText(Matrix::EndOf), t.FollowedBy.substr(0, 25));
  EXPECT_EQ(eng->an.MatrixText(Matrix::FolDirBy), t.BeginsWith);
}

TEST_F(AnalysisFixture, OneRuleOfOneTerminal) {
  Texts t = Analyse("A = a");
  EXPECT_EQ(t.EndOf, "*");
  EXPECT_EQ(t.FolDirBy, "  ");
  EXPECT_EQ(t.BeginsWith, "**");
  EXPECT_EQ(t.FollowedBy, "  *");
}

// B and C end A, C directly follows B, whatever actions and nullable symbols stand between.
TEST_F(AnalysisFixture, NullableAndActionsArePassedOver) {
  for (const char* grammar : {"A = B C ; B = b ; C = c | ~", "A = B @act C @x ; B = b ; C = c | ~",
                              "A = B D C ; B = b ; C = c | ~ ; D = @d | ~"}) {
    SCOPED_TRACE(grammar);
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
    Texts t = Analyse(grammar);
    Analysis& an = eng->an;
    const int32_t n = eng->store.Counts.N;
    auto at = [&](const std::string& text, int32_t rows, int32_t i, int32_t j) {
      return text.at(size_t((j - 1) * rows + (i - 1)));
    };
    // A B C are 1 2 3.
    EXPECT_EQ(at(t.EndOf, n, 1, 2), '*');
    EXPECT_EQ(at(t.EndOf, n, 1, 3), '*');
    EXPECT_EQ(at(t.FolDirBy, eng->store.Counts.S, 3, 2), '*');
    // c follows B through the product's terminal row, with no BEGINS-WITH entry for it.
    const int32_t c = eng->store.Counts.S;  // the terminals are b and c
    EXPECT_TRUE(an.FollowedByHolds(c, 2));
    EXPECT_FALSE(an.BeginsWithHolds(c, 2));
  }
}

TEST_F(AnalysisFixture, EmptyGrammarGivesEmptyMatrices) {
  Number();
  Analysis& an = eng->an;
  EXPECT_EQ(an.InitMatrix(), "");
  an.IsEndOf();
  an.IsFollowedDirectlyBy();
  an.EndOf_FolDirBy_Prod();
  an.BeginsWith();
  an.IsFollowedBy();
  char guard = 'x';
  for (Matrix m : {Matrix::EndOf, Matrix::FolDirBy, Matrix::BeginsWith, Matrix::FollowedBy}) {
    EXPECT_EQ(an.MatrixTextSize(m), 0);
    EXPECT_TRUE(an.MatrixText(m, &guard, 1));
  }
  EXPECT_EQ(guard, 'x');
}

// Column by column: each column of IS-FOLLOWED-BY ends with its end-marker element.
TEST_F(AnalysisFixture, FollowedByColumnsEndWithTheEndMarker) {
  Texts t = Analyse("S = A b ; A = a | ~");
  ASSERT_EQ(t.FollowedBy.size(), 5u * 2u);  // S+1 = 5 rows, N = 2 columns
  EXPECT_EQ(t.FollowedBy.substr(0, 5), "    *");  // S is followed by the end marker only
  EXPECT_EQ(t.FollowedBy.substr(5, 5), "  *  ");  // A by b (row 3; a is row 4)
}

TEST_F(AnalysisFixture, LayoutThatDoesNotFit) {
  struct Case {
    int32_t n, s;
    const char* digits;
  } cases[] = {
      {300, 4600, nullptr},                   // 3*4600*300 + 600 = 4,140,600 fits
      {1000, 1500, " 4502000"},               // just over
      {100000, 200000, "60000200000"},     // far beyond 32 bits, all digits shown
  };
  for (const Case& c : cases) {
    eng->store.Counts.N = c.n;
    eng->store.Counts.S = c.s;
    std::string message = eng->an.InitMatrix();
    if (!c.digits) {
      EXPECT_EQ(message, "");
      EXPECT_TRUE(eng->an.LayoutFits());
      continue;
    }
    EXPECT_EQ(message, std::string(" Fatal error: no room of memory. Memory request:") +
                           c.digits + " bytes.\nActual memory size: 4194304 bytes.");
    EXPECT_FALSE(eng->an.LayoutFits());
  }
}

// After a layout that did not fit, no matrix is written anywhere.
TEST_F(AnalysisFixture, NoMatrixTextAfterAFailedLayout) {
  Analyse("A = a");
  eng->store.Counts.S = 5000;
  eng->store.Counts.N = 1000;
  EXPECT_NE(eng->an.InitMatrix(), "");
  eng->store.Counts.N = 1;
  eng->store.Counts.S = 2;
  std::string buffer(16, 'x');
  EXPECT_FALSE(eng->an.MatrixText(Matrix::BeginsWith, buffer.data(), 16));
  EXPECT_EQ(buffer, std::string(16, 'x'));
}

TEST_F(AnalysisFixture, MatrixTextNeverWritesPastTheBuffer) {
  Analyse(Expression);
  std::string buffer(55, 'x');  // IS-FOLLOWED-BY needs 11 x 5 = 55
  EXPECT_FALSE(eng->an.MatrixText(Matrix::FollowedBy, buffer.data(), 54));
  EXPECT_EQ(buffer, std::string(55, 'x'));
  EXPECT_TRUE(eng->an.MatrixText(Matrix::FollowedBy, buffer.data(), 55));
  EXPECT_EQ(buffer, eng->an.MatrixText(Matrix::FollowedBy));
}

}  // namespace
}  // namespace mv::testing
