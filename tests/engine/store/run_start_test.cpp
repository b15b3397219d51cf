#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "exports.h"
#include "store_dump.h"

namespace {

namespace fs = std::filesystem;

void Init(int32_t language, const std::string& folder, int16_t actions = 0, int16_t tree = 0,
          int16_t names = 0) {
  BnfParserInit(&language, folder.data(), int32_t(folder.size()), &actions, &tree, &names);
}

// Restores the current folder that a test changes.
class RunStart : public ::testing::Test {
protected:
  void SetUp() override { saved = fs::current_path(); }
  void TearDown() override { fs::current_path(saved); }
  fs::path saved;
};

TEST_F(RunStart, LanguageCodeSetsExactlyOneTargetFlag) {
  using Flags = mv::TargetLanguageFlags;
  const struct {
    int32_t code;
    bool Flags::*flag;
  } cases[] = {
      {3, &Flags::Fortran90},    {4, &Flags::Fortran77},   {5, &Flags::Java},
      {7, &Flags::Pascal},       {8, &Flags::CppProcedural}, {9, &Flags::CppClass},
      {0, &Flags::VisualBasic},  {1, &Flags::VisualBasic}, {2, &Flags::VisualBasic},
      {6, &Flags::VisualBasic},  {10, &Flags::VisualBasic}, {-3, &Flags::VisualBasic},
  };
  bool Flags::*all[] = {&Flags::Fortran77, &Flags::Fortran90, &Flags::VisualBasic,
                        &Flags::Pascal,    &Flags::Java,      &Flags::CppClass,
                        &Flags::CppProcedural};
  for (const auto& c : cases) {
    Init(c.code, "");
    const Flags& f = mv::ProcessEngine().run.Target;
    for (auto flag : all) EXPECT_EQ(f.*flag, flag == c.flag) << "code " << c.code;
  }
}

TEST_F(RunStart, GeneratorOptionsAreWidenedLogicals) {
  Init(0, "", -1, 1, -2);
  const mv::RunSettings& run = mv::ProcessEngine().run;
  EXPECT_EQ(run.BuildActions, -1);
  EXPECT_TRUE(mv::IsTrue(run.BuildActions));
  EXPECT_TRUE(mv::IsTrue(run.BuildTree));   // 1 counts as true
  EXPECT_FALSE(mv::IsTrue(run.BuildNames)); // -2 counts as false
}

TEST_F(RunStart, WorkFolderBecomesCurrentWhenItCan) {
  fs::path dir = fs::temp_directory_path() / ("mv_run_start_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path start = fs::current_path();

  Init(0, dir.string() + "   ");  // trailing blanks are not part of the path
  EXPECT_EQ(fs::current_path(), fs::canonical(dir));

  // Empty, missing or over-long folders leave the current folder as it is.
  const std::string unchanged[] = {"", "    ", (dir / "missing").string(),
                                   "/" + std::string(261, 'x')};
  for (const std::string& folder : unchanged) {
    fs::current_path(start);
    Init(0, folder);
    EXPECT_EQ(fs::current_path(), start) << folder;
  }
  fs::current_path(start);
  fs::remove_all(dir);
}

TEST_F(RunStart, RunStartEmptiesTheStoreAndSetsDefaults) {
  store_test::RunScript("INIT ACT N:S NLI GMN NL N:a TRM END PRG S:Calc EXT S:x");
  Init(0, "");
  const mv::Engine& eng = mv::ProcessEngine();
  EXPECT_EQ(store_test::DumpRules(eng), "");
  EXPECT_EQ(store_test::DumpTerminals(eng), "");
  EXPECT_EQ(eng.store.UserTitle, std::string(1024, ' '));
  EXPECT_EQ(mv::TrimmedRight(eng.store.UserExternal), "EXTERNAL NEXT,ERRJOB");
  EXPECT_EQ(mv::TrimmedRight(eng.store.F77StackTemplates[0]), "$LOC=IVLOFF($NQURC)");
  EXPECT_EQ(mv::TrimmedRight(eng.store.F77StackTemplates[5]), "CALL VLON($NQURC,$LOC)");
  EXPECT_EQ(eng.store.ResultBaseName, mv::Padded("ListingTmp.lst", 80));
  EXPECT_EQ(eng.store.OutputFileName, mv::Padded("ResultTmp.for", 80));
  EXPECT_EQ(eng.store.GrammarFileName, mv::Padded("GrammarTmp.grm", 80));
  EXPECT_TRUE(eng.store.GrammarNameOpen);
  EXPECT_TRUE(eng.store.GiveBackSwitch);
  EXPECT_TRUE(eng.store.CollisionReportFlag);
}

TEST_F(RunStart, GrammarNameIsBlankPaddedAndCutAt80) {
  const struct {
    std::string name;
    int32_t buffer;
    std::string expected;
  } cases[] = {
      {"abc", 80, "abc" + std::string(77, ' ')},
      {"abc", 1024, "abc" + std::string(1021, ' ')},
      {"abc", 2, "ab"},
      {std::string(100, 'n'), 100, std::string(80, 'n') + std::string(20, ' ')},
  };
  for (const auto& c : cases) {
    store_test::RunScript("INIT ACT N:" + c.name + " NLI GMN NL N:a TRM END");
    std::string buf(size_t(c.buffer), 'x');
    EXPECT_EQ(GetGrammarName(buf.data(), c.buffer), buf.data());
    EXPECT_EQ(buf, c.expected) << c.name;
  }
  EXPECT_EQ(mv::ProcessEngine().store.ResultBaseName, std::string(80, 'n'));
}

TEST_F(RunStart, GrammarNameBeforeAnyRuleLeavesBufferAndBaseName) {
  store_test::RunScript("INIT ACT N:S");
  char buf[6] = "12345";
  GetGrammarName(buf, 5);
  EXPECT_EQ(std::string(buf), "12345");
  EXPECT_EQ(mv::ProcessEngine().store.ResultBaseName, mv::Padded("ListingTmp.lst", 80));
}

TEST_F(RunStart, ReturnStringJoinsTwoTexts) {
  const struct {
    const char* t1;
    const char* t2;
    int32_t buffer;
    std::string expected;
  } cases[] = {
      {"abc", "def", 5, "abcde"},
      {"abc", "def", 8, "abcdef  "},
      {"", "", 3, "   "},
  };
  for (const auto& c : cases) {
    std::string buf(size_t(c.buffer), 'x');
    ReturnString(buf.data(), c.buffer, c.t1, int32_t(strlen(c.t1)), c.t2,
                 int32_t(strlen(c.t2)));
    EXPECT_EQ(buf, c.expected);
  }
}

TEST_F(RunStart, GrammarParamKeepsCountsAcrossRuns) {
  mv::ProcessEngine().store.Counts = mv::SymbolCounts{3, 4, 7, 9};
  Init(0, "");
  int32_t n = -1, t = -1;
  GetGrammarParam(&n, &t);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(t, 4);
}

}  // namespace
