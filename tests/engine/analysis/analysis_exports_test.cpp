// The analysis exports as the GUI calls them: buffers, capacities and the error text.
#include <cstring>

#include "analysis_fixture.h"
#include "exports.h"

namespace mv::testing {
namespace {

class Exports : public AnalysisFixture {
protected:
  void StartRun() {
    int32_t language = 0;
    int16_t no = 0;
    std::string dir = folder.string();
    BnfParserInit(&language, dir.data(), int32_t(dir.size()), &no, &no, &no);
  }
  void Spell(const std::string& name) {
    BKSNAI();
    for (unsigned char c : name) {
      int32_t code = c;
      BKSSYM(&code);
    }
  }
  // S = a S | b, through the builder exports.
  void BuildSmall() {
    BKSACT();
    Spell("S");
    BKSNLI();
    BKSGMN();
    BKSNL();
    Spell("a");
    BKSTRM();
    Spell("S");
    BKSNTM();
    BKSEND();
    BKSNL();
    Spell("b");
    BKSTRM();
    BKSEND();
  }
  std::string ErrorText() {
    char buffer[200];
    GetEngineError(buffer, 200);
    return TrimmedRight(std::string(buffer, 200));
  }
};

TEST_F(Exports, RunOfTheGui) {
  StartRun();
  BuildSmall();
  char name[16];
  GetGrammarName(name, 16);
  int32_t head = -1, tail = -1, n = 0, t = 0, r = 0;
  Nullable(&head, &tail);
  EXPECT_EQ(head, 0);
  NtmNumbering(&n);
  TrmNumbering(&t);
  RulesNumbering(&r);
  EXPECT_EQ(std::vector<int32_t>({n, t, r}), std::vector<int32_t>({1, 2, 2}));
  char text[8];
  int32_t cursor = 0;
  GetTrmName(text, 8, &cursor);
  EXPECT_EQ(std::string(text, 8), "a       ");
  EXPECT_EQ(cursor, 1);
  cursor = 0;
  GetNtmName(text, 8, &cursor);
  EXPECT_EQ(std::string(text, 8), "S       ");

  char message[100];
  std::memset(message, 'x', 100);
  InitMatrix(message, 100);
  EXPECT_EQ(std::string(message, 100), std::string(100, ' '));
  IsEndOf();
  IsFollowedDirectlyBy();
  EndOf_FolDirBy_Prod();
  BeginsWith();
  IsFollowedBy();
  // (S+1) x N = 4 bytes; a smaller array is left alone and the reason can be read.
  char matrix[5] = {'x', 'x', 'x', 'x', 'x'};
  GetIsFollowedBy(matrix, 3);
  EXPECT_EQ(std::string(matrix, 5), "xxxxx");
  EXPECT_NE(ErrorText(), "");
  GetIsFollowedBy(matrix, 5);
  EXPECT_EQ(std::string(matrix, 5), "   *x");
  std::memset(matrix, 'x', 5);
  GetBeginsWith(matrix, 5);
  EXPECT_EQ(std::string(matrix, 5), "***xx");

  int16_t verdict = 5;
  FileSetOfSelect(&verdict, ".sel", 4);
  EXPECT_EQ(verdict, -1);
  EXPECT_EQ(ErrorText(), "");
  EXPECT_EQ(ReadFile("S.sel"), "        1\t<S>::=a<S>\t\t\t\"a\"\n        2\t<S>::=b\t\t\t\"b\"\n");
}

TEST_F(Exports, NoMatrixAfterAFailedLayout) {
  StartRun();
  BuildSmall();
  int32_t n = 0, t = 0, r = 0;
  NtmNumbering(&n);
  TrmNumbering(&t);
  RulesNumbering(&r);
  ProcessEngine().store.Counts.N = 2000;
  ProcessEngine().store.Counts.S = 2000;
  char message[100];
  InitMatrix(message, 100);
  EXPECT_EQ(std::string(message, 32), " Fatal error: no room of memory.");
  ProcessEngine().store.Counts.N = 1;
  ProcessEngine().store.Counts.S = 3;
  IsEndOf();
  char matrix[8] = "xxxxxxx";
  GetIsEndOf(matrix, 8);
  EXPECT_EQ(std::string(matrix), "xxxxxxx");
  EXPECT_NE(ErrorText(), "");
}

}  // namespace
}  // namespace mv::testing
