// The batch run after a reading without errors: its result files in order, their numbering,
// and its failures.
#include <string>

#include <fstream>
#include <iterator>

#include "engine/support/grammar_fixture.h"
#include "engine/support/small_disk.h"
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
  // No select sets and no parser: the run failed, though the ".err" file was written.
  EXPECT_NE(eng->out.LastError.find("no room of memory"), std::string::npos) << eng->out.LastError;
}

TEST_F(BatchRunTest, ALongNameKeepsItsExtensions) {
  const std::string name(100, 'L');
  Read("<" + name + ">::=a;\r\n");
  for (const char* ext : {".dead", ".unr", ".lfact", ".rul", ".ntm", ".sel", ".log", ".bas"})
    EXPECT_TRUE(Exists(name.substr(0, 80) + ext)) << ext;
}

TEST_F(BatchRunTest, ANameThatLeavesTheWorkFolderWritesNothing) {
  for (const std::string& name : std::vector<std::string>{"../up", "sub/dir", "a..b"}) {
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

TEST_F(BatchRunTest, AStartSymbolThatDerivesNoSentenceGivesNoParser) {
  // Cleaning would leave <B> as the start symbol: a parser of another language.
  Read("<S> ::= a <S> ;\r\n<B> ::= b ;\r\n");
  const std::string failure = "The start symbol <S> derives no sentence: no parser is written.";
  EXPECT_EQ(eng->out.LastError, failure);
  EXPECT_EQ(ReadFile("S.log"), failure + "\n");
  EXPECT_TRUE(Exists("S.dead"));
  EXPECT_FALSE(Exists("S.bas"));
  EXPECT_FALSE(Exists("S.sel"));
}

TEST_F(BatchRunTest, AResultFileNeverReplacesTheGrammarFile) {
  const std::string grammar = "<S> ::= s ;\r\n";
  const struct {
    const char* file;
    int32_t language;
  } cases[] = {{"S.tmp", VisualBasic}, {"S.log", VisualBasic}, {"S.sel", VisualBasic},
               {"S.bas", VisualBasic}, {"s.cxx", CppProcedural}, {"s.h", CppClass}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    std::ofstream(folder / c.file, std::ios::binary) << grammar;
    Start(c.language);
    eng->out.SetGrammarFile((folder / c.file).string());
    eng->reader.Morvantelisk(grammar);
    EXPECT_NE(eng->out.LastError.find("would replace the grammar file"), std::string::npos)
        << eng->out.LastError;
    EXPECT_EQ(ReadFile(c.file), grammar);
    // The run is refused before its first file.
    EXPECT_FALSE(Exists("S.dead"));
  }
}

TEST_F(BatchRunTest, ALinkUnderAResultNameIsReplacedNotFollowed) {
  test_support::WorkFolder outside("outside");
  const std::filesystem::path victim = outside.Path() / "victim";
  std::ofstream(victim, std::ios::binary) << "keep";
  std::filesystem::create_symlink(victim, folder / "S.unr");
  std::filesystem::create_symlink(victim, folder / "S.bas");
  Read("<S> ::= s ;\r\n<U> ::= u ;\r\n");
  EXPECT_EQ(eng->out.LastError, "");
  std::ifstream in(victim, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(folder / "S.unr"));
  EXPECT_EQ(ReadFile("S.unr"), Numbered(2, "<U>::=u"));
  EXPECT_FALSE(std::filesystem::is_symlink(folder / "S.bas"));
}

TEST_F(BatchRunTest, AFullDiskKeepsTheOldFilesAndFailsTheRun) {
  // 600 rules: each listing and the parser are larger than the disk.
  std::string text;
  for (int i = 0; i < 600; ++i)
    text += "<N" + std::to_string(i) + ">::=a<N" + std::to_string(i + 1) + ">|z;\r\n";
  text += "<N600>::=q;\r\n";
  SmallDisk disk(folder, 16384);
  SCOPED_TRACE(disk.Kind());
  std::ofstream(folder / "N0.rul", std::ios::binary) << "old rules";
  std::ofstream(folder / "N0.bas", std::ios::binary) << "old parser";
  Start(VisualBasic);
  {
    SmallDisk::Filling full(disk);
    eng->reader.Morvantelisk(text);
  }
  EXPECT_NE(eng->out.LastError.find("written"), std::string::npos) << eng->out.LastError;
  EXPECT_EQ(ReadFile("N0.rul"), "old rules");
  EXPECT_EQ(ReadFile("N0.bas"), "old parser");
  EXPECT_TRUE(eng->codegen.WrittenFiles.empty());
  // No temporary file is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

}  // namespace
}  // namespace mv::testing
