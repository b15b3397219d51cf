// The batch run after a reading without errors: its result files in order, their numbering,
// and its failures.
#include <string>

#include "engine/support/grammar_fixture.h"
#include "reader/batch_run.h"

namespace mv::testing {
namespace {

class BatchRunTest : public EngineFixture {
protected:
  void Read(const std::string& text, int32_t language = VisualBasic) {
    Start(language);
    eng->reader.Morvantelisk(text);
  }
  // The numbered lines of a listing, from `first` on.
  static std::string Lines(int first, const std::vector<std::string>& texts) {
    std::string lines;
    for (const std::string& t : texts) lines += Numbered(first++, t);
    return lines;
  }
};

TEST_F(BatchRunTest, ResultFilesInOrderWithTheirNumbering) {
  Read("<S> ::= <A> x | y ;\r\n<A> ::= a ;\r\n<D> ::= <D> d ;\r\n<U> ::= u ;\r\n");
  EXPECT_FALSE(eng->reader.ErrorMark());
  // The numbers run on from one file to the next, up to the rule listing.
  EXPECT_EQ(ReadFile("S.dead"), Lines(1, {"<D>::=<D>d"}));
  EXPECT_EQ(ReadFile("S.unr"), Lines(2, {"<U>::=u"}));
  EXPECT_EQ(ReadFile("S.lfact"), Lines(3, {"<S>::=<A>x", "<S>::=y", "<A>::=a"}));
  EXPECT_EQ(ReadFile("S.tmp"), Lines(6, {"  LIST OF NONTERMINALS IS EMPTY"}));
  EXPECT_EQ(ReadFile("S.rul"), Lines(7, {"<S>::=<A>x", "<S>::=y", "<A>::=a"}));
  // The nonterminal list and the select sets start again from 1.
  EXPECT_EQ(ReadFile("S.ntm"), Lines(1, {"1     <S>", "2     <A>"}));
  EXPECT_EQ(ReadFile("S.sel").substr(0, 16), "        1\t<S>::=");
  EXPECT_FALSE(Exists("S.err"));
  EXPECT_TRUE(Exists("S.log"));
  EXPECT_TRUE(Exists("S.bas"));
  // Every terminal of the table is numbered, also those of the deleted rules.
  EXPECT_EQ(eng->store.Counts.N, 2);
  EXPECT_EQ(eng->store.Counts.T, 5);
  EXPECT_EQ(eng->store.Counts.R, 3);
}

TEST_F(BatchRunTest, NothingExtraneousStillGivesTheFirstFiles) {
  Read("<E>::=<E>+<T>|<T>;\r\n<T>::=i;\r\n", CppProcedural);
  EXPECT_EQ(ReadFile("E.dead"), Lines(1, {"  LIST OF NONTERMINALS IS EMPTY"}));
  EXPECT_EQ(ReadFile("E.unr"), Lines(2, {"  LIST OF NONTERMINALS IS EMPTY"}));
  // Not LL(1): its parser is written all the same.
  EXPECT_NE(ReadFile("E.sel").find("E"), std::string::npos);
  EXPECT_TRUE(Exists("e.cxx"));
}

TEST_F(BatchRunTest, MatricesThatDoNotFitEndTheRunWithTheErrFile) {
  // 1,200 nonterminals and 10 terminals need 3 * 1210 * 1200 + 2 * 1200 elements.
  std::string text;
  for (int i = 0; i < 1200; ++i)
    text += "<N" + std::to_string(i) + ">::=" + std::string(1, char('0' + i % 10)) + "<N" +
            std::to_string(i + 1) + ">|z;\r\n";
  text += "<N1200>::=q;\r\n";
  Read(text);
  EXPECT_EQ(eng->store.Counts.N, 1201);
  EXPECT_EQ(BatchRun::NoRoomLine(4502000),
            " Fatal error: no room of memory. Memory request: 4502000 bytes.  Memory size:"
            " 4194304 bytes.");
  const int64_t need = 3 * int64_t(1201 + 12) * 1201 + 2 * 1201;
  EXPECT_EQ(ReadFile("N0.err"), BatchRun::NoRoomLine(need) + "\n");
  EXPECT_FALSE(Exists("N0.sel"));
  EXPECT_FALSE(Exists("N0.log"));
  EXPECT_TRUE(Exists("N0.ntm"));
}

TEST_F(BatchRunTest, ALongNameKeepsItsExtensions) {
  const std::string name(100, 'L');
  Read("<" + name + ">::=a;\r\n");
  for (const char* ext : {".dead", ".unr", ".lfact", ".rul", ".ntm", ".sel", ".log", ".bas"})
    EXPECT_TRUE(Exists(name.substr(0, 80) + ext)) << ext;
}

TEST_F(BatchRunTest, ANameThatLeavesTheWorkFolderWritesNothing) {
  // A control code stays in the work folder: such a name is an ordinary file name.
  for (const std::string& name : std::vector<std::string>{"../up", "sub/dir"}) {
    SCOPED_TRACE(name);
    Read("<" + name + ">::=a;\r\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_NE(eng->out.LastError.find("refused"), std::string::npos);
  }
}

TEST_F(BatchRunTest, ALogThatCannotBeOpenedIsReported) {
  std::filesystem::create_directory(folder / "G.log");
  Read("<G>::=g;\r\n");
  EXPECT_NE(eng->out.LastError.find("G.log"), std::string::npos);
  EXPECT_TRUE(Exists("G.bas"));
}

}  // namespace
}  // namespace mv::testing
