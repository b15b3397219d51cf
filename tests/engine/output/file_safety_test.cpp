// Where the engine may write: a work folder that cannot be used writes nothing anywhere, a
// failed call says why through the latest error, and no call waits on the console.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>

#include "engine/support/grammar_fixture.h"
#include "exports.h"

namespace mv::testing {
namespace {

namespace fs = std::filesystem;

class FileSafety : public EngineFixture {};

TEST_F(FileSafety, AWorkFolderThatCannotBeUsedWritesNothingAnywhere) {
  std::ofstream(folder / "plain", std::ios::binary) << "x";
  const struct {
    std::string folder;
    const char* reason;
  } cases[] = {
      {(folder / "missing").string(), "cannot be entered"},
      {(folder / "plain").string(), "cannot be entered"},
      {(folder / std::string(300, 'd')).string(), "longer than 260"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    // The previous run's folder is current: nothing may land there.
    Start(VisualBasic);
    const auto before = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    eng->BnfParserInit(VisualBasic, c.folder, 0, 0, 0);
    EXPECT_NE(eng->out.LastError.find(c.reason), std::string::npos) << eng->out.LastError;
    eng->reader.Morvantelisk("<S> ::= s ;\r\n");
    EXPECT_NE(eng->out.LastError.find(c.reason), std::string::npos) << eng->out.LastError;
    eng->codegen.TamberlixCode(VisualBasic);
    EXPECT_NE(eng->out.LastError.find(c.reason), std::string::npos) << eng->out.LastError;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
  }
}

TEST_F(FileSafety, AWorkFolderThatCannotBeWrittenFailsTheRunWithItsReason) {
  const fs::path readOnly = folder / "ro";
  fs::create_directory(readOnly);
  // Root writes into any folder: a read-only file system stands in for a folder without rights.
  const bool mounted = ::geteuid() == 0 &&
                       ::mount("tmpfs", readOnly.c_str(), "tmpfs", MS_RDONLY, "size=4k") == 0;
  if (!mounted) fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
  if (!mounted && ::geteuid() == 0) GTEST_SKIP() << "root may write anywhere and cannot mount";
  Start(VisualBasic);
  const auto before = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  eng->BnfParserInit(VisualBasic, readOnly.string(), 0, 0, 0);
  eng->reader.Morvantelisk("<S> ::= s ;\r\n");
  EXPECT_NE(eng->out.LastError.find("cannot be written"), std::string::npos) << eng->out.LastError;
  EXPECT_TRUE(fs::is_empty(readOnly));
  fs::current_path(folder);
  if (mounted) ::umount2(readOnly.c_str(), MNT_DETACH);
  else fs::permissions(readOnly, fs::perms::owner_all);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
}

TEST_F(FileSafety, AWorkFolderInTheFileSystemsOwnBytesIsEntered) {
  for (const std::string name : {"grün", "дата", "文法", "папка с пробелом"}) {
    SCOPED_TRACE(name);
    fs::create_directory(folder / name);
    eng->BnfParserInit(VisualBasic, (folder / name).string(), 0, 0, 0);
    eng->reader.Morvantelisk("<S> ::= s ;\r\n");
    EXPECT_EQ(eng->out.LastError, "");
    EXPECT_TRUE(fs::exists(folder / name / "S.bas"));
  }
}

// Every failure of an export, an exception of any kind included, is the latest error and drops
// the file it was writing; a stopped run keeps its fatal message.
TEST_F(FileSafety, AnExceptionInAnExportIsReportedAsItsFailure) {
  const std::string work = folder.string();
  const int32_t language = VisualBasic;
  const int16_t off = 0;
  ::BnfParserInit(&language, work.data(), int32_t(work.size()), &off, &off, &off);
  std::ofstream(folder / "p.bas", std::ios::binary) << "old";
  const struct {
    void (*raise)();
    const char* text;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, "not enough memory"},
      {[] { throw std::out_of_range("basic_string::substr"); }, "basic_string::substr"},
      {[] { throw 7; }, "Internal failure"},
  };
  Engine& process = ProcessEngine();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Guarded([&](Engine& e) {
      ASSERT_TRUE(e.out.SourceUnit.Open("p.bas"));
      e.out.SourceUnit.WriteLine("half");
      c.raise();
    });
    EXPECT_NE(process.out.LastError.find(c.text), std::string::npos) << process.out.LastError;
    EXPECT_FALSE(process.out.SourceUnit.IsOpen());
    EXPECT_EQ(ReadFile("p.bas"), "old");
    // The next call that succeeds reports no failure.
    Guarded([](Engine&) {});
    EXPECT_EQ(process.out.LastError, "");
  }
}

TEST_F(FileSafety, AParserFileThatCannotBeWrittenAsksNoOne) {
  Rule("s", {{"a"}});
  eng->store.TakeGrammarName();
  fs::create_directory(folder / "s.bas");
  EXPECT_EQ(eng->codegen.ReadReply, nullptr);
  ::testing::internal::CaptureStdout();
  eng->codegen.TamberlixCode(VisualBasic);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.find("OUTPUT FILE"), std::string::npos) << printed;
  EXPECT_NE(eng->out.LastError.find("s.bas"), std::string::npos) << eng->out.LastError;
  EXPECT_NE(ReadFile("s.log").find("s.bas"), std::string::npos);
}

// The window program's way: the cleaning finds the start symbol dead; the generation that
// follows writes no parser of what is left and says why.
TEST_F(FileSafety, ADeadStartSymbolFoundByTheCleaningGivesNoParser) {
  const int32_t language = VisualBasic;
  const int16_t off = 0;
  const std::string dir = folder.string();
  ::BnfParserInit(&language, dir.data(), int32_t(dir.size()), &off, &off, &off);
  BKSACT();
  auto name = [](const std::string& text) {
    BKSNAI();
    for (unsigned char c : text) {
      int32_t code = c;
      BKSSYM(&code);
    }
  };
  auto rule = [&](const std::string& head, const std::vector<std::string>& items) {
    name(head);
    BKSNLI();
    BKSGMN();
    BKSNL();
    for (const std::string& item : items) {
      name(item);
      if (item == head) BKSNTM(); else BKSTRM();
    }
    BKSEND();
  };
  rule("S", {"a", "S"});  // <S> ::= a <S>: no sentence
  rule("B", {"b"});
  char buffer[200];
  GetGrammarName(buffer, 80);
  int32_t deadHead = 0, deadTail = 0, aliveHead = 0, aliveTail = 0;
  Alive(&deadHead, &deadTail, &aliveHead, &aliveTail);
  const std::string failure = "The start symbol <S> derives no sentence: no parser is written.";
  auto error = [&] {
    GetEngineError(buffer, int32_t(sizeof buffer));
    return TrimmedRight(std::string(buffer, sizeof buffer));
  };
  EXPECT_EQ(error(), failure);
  DeleteNonterminals(&deadHead, &deadTail);
  int32_t generate = VisualBasic;
  TamberlixCode(&generate);
  EXPECT_EQ(error(), failure);
  EXPECT_FALSE(Exists("S.bas"));
  EXPECT_EQ(ReadFile("S.log"), failure + "\n");
}

}  // namespace
}  // namespace mv::testing
