// The code-generation entry: the target of a language code, the file names, the log, and what
// happens when a file cannot be written.

#include <filesystem>

#include "engine/codegen/codegen_fixture.h"
#include "engine/support/small_disk.h"
#include "exports.h"

namespace mv::testing {
namespace {

class Driver : public CodegenFixture {};

TEST_F(Driver, LanguageCodesChooseTargetAndFiles) {
  struct Case {
    int32_t code;
    std::vector<std::string> files;
    std::string firstLine;
    std::string log = "   2 recursive procedures have been generated.\n";
  } cases[] = {
      {3, {"Expr.f90"}, "!  Subroutine Expr(Src)", "     2 procedures have been generated.\n"},
      {4, {"Expr.for"}, "!  SUBROUTINE Expr(Src)", "     2  simulations of recursive procedures have been generated.\n"},
      {5, {"ExprParser.java"}, "// Name: ExprParser.java"},
      {7, {"Expr.pas"}, "// procedure Expr(src: string);", "     2 procedures have been generated.\n"},
      {0, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {1, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {2, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {6, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {10, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {-1, {"Expr.bas"}, "'  Sub Expr(Source, ErrMsg)"},
      {8, {"expr.cxx"}, "// ///////////////////////////////////////////////////////////////"},
      {9, {"expr.h", "expr.cpp"}, "// ///////////////////////////////////////////////////////////////"},
  };
  for (auto& c : cases) {
    Start(c.code);
    Grammar("Expr = 'a' <B>\nB = 'b'");
    Generate(c.code);
    EXPECT_EQ(eng->codegen.WrittenFiles, c.files) << c.code;
    for (auto& file : c.files) EXPECT_EQ(Lines(ReadFile(file)).at(0), c.firstLine) << file;
    EXPECT_EQ(ReadFile("Expr.log"), c.log) << c.code;
    EXPECT_TRUE(eng->store.CollisionReportFlag);
    for (auto& file : c.files) std::filesystem::remove(folder / file);
  }
}

// Windows Cyrillic capitals are lowered in the C++ file names and kept elsewhere; the include
// guard is an identifier.
TEST_F(Driver, CyrillicBaseNameInCppTargets) {
  const std::string name = "\xc0\xc1x";  // two capitals and a small Latin letter
  Start(CppClass);
  Grammar(name + " = 'a'");
  Generate(CppClass);
  EXPECT_EQ(eng->codegen.WrittenFiles, (std::vector<std::string>{"\xe0\xe1x.h", "\xe0\xe1x.cpp"}));
  EXPECT_NE(ReadFile("\xe0\xe1x.h").find("#ifndef __X_H\n"), std::string::npos);
  EXPECT_TRUE(Exists(name + ".log"));
  Start(VisualBasic);
  Grammar(name + " = 'a'");
  Generate(VisualBasic);
  EXPECT_TRUE(Exists(name + ".bas"));
}

// A grammar name that reaches outside the work folder writes no file there.
TEST_F(Driver, NameWithPathIsRefused) {
  Start(CppProcedural);
  Grammar("x = 'a'");
  Analyse();
  eng->store.ResultBaseName = Padded("../escape", FileNameLength);
  eng->codegen.TamberlixCode(CppProcedural);
  EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "escape.cxx"));
  EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "escape.log"));
  EXPECT_TRUE(eng->codegen.WrittenFiles.empty());
  EXPECT_NE(eng->out.LastError.find("refused"), std::string::npos) << eng->out.LastError;
}

// Two dots, a control code or the name "." name no file: the run says why.
TEST_F(Driver, DotsAndControlCodesInANameAreRefused) {
  for (const std::string name : {std::string("x..y"), std::string("t\tab"), std::string(".")}) {
    SCOPED_TRACE(name);
    Start(VisualBasic);
    Grammar("x = 'a'");
    Analyse();
    eng->store.ResultBaseName = Padded(name, FileNameLength);
    auto files = [&] {
      auto range = std::filesystem::directory_iterator(folder);
      return std::distance(begin(range), end(range));
    };
    const auto before = files();
    eng->codegen.TamberlixCode(VisualBasic);
    EXPECT_EQ(files(), before);
    EXPECT_NE(eng->out.LastError.find("is refused"), std::string::npos) << eng->out.LastError;
  }
}

// A file that cannot be opened: one more name is asked for only when a reply can be had; with
// none the failure goes to the log and the call returns.
TEST_F(Driver, UnopenableFileAsksOnceThenGivesUp) {
  Start(CppClass);
  Grammar("expr = 'a'");
  std::filesystem::create_directory(folder / "expr.cpp");  // the implementation file cannot be created
  eng->codegen.ReadReply = [](std::string&) { return false; };
  Generate(CppClass);
  EXPECT_EQ(eng->codegen.WrittenFiles, (std::vector<std::string>{"expr.h"}));
  const std::string failure = "The file \"expr.cpp\" cannot be written: a folder has that name.\n";
  EXPECT_EQ(ReadFile("expr.log"), failure);

  Start(CppClass);
  Grammar("expr = 'a'");
  eng->codegen.ReadReply = [](std::string& reply) {
    reply = "other.cpp";
    return true;
  };
  Generate(CppClass);
  EXPECT_EQ(eng->codegen.WrittenFiles, (std::vector<std::string>{"expr.h", "other.cpp"}));
  EXPECT_EQ(Lines(ReadFile("other.cpp")).at(1), "// Name: other.cpp");
  EXPECT_EQ(ReadFile("expr.log"), failure + "   1 recursive procedures have been generated.\n");
}

// A run that stops midway (record memory used up) leaves no file open and the report switch
// as it was.
TEST_F(Driver, StoppedRunRestoresTheReportSwitch) {
  std::string grammar = "S = 'a'";
  for (int i = 0; i < 500; ++i) grammar += " | 'a' 'b'";
  // The smallest memory that holds the grammar and its analysis: the 500 clashes that the
  // generation records then need more.
  bool stopped = false;
  for (int64_t pages = 20; pages < 400 && !stopped; pages += 2) {
    eng->mem.SetCapacityPages(pages);
    try {
      Start(CppProcedural);
      Grammar(grammar);
      Analyse();
    } catch (const RunStopped&) {
      continue;
    }
    try {
      eng->codegen.TamberlixCode(CppProcedural);
    } catch (const RunStopped&) {
      stopped = true;
    }
  }
  ASSERT_TRUE(stopped);
  EXPECT_TRUE(eng->store.CollisionReportFlag);
  EXPECT_FALSE(eng->out.SourceUnit.IsOpen());
  EXPECT_FALSE(eng->out.ResultUnit.IsOpen());
}

// The guard after a C++ comment that ends in a backslash is written with the file, not
// patched in afterwards: when the file cannot hold it, the old file stays and the run says so.
TEST_F(Driver, CommentGuardIsPartOfTheCheckedWrite) {
  const std::string grammar = "S = 'a' '\\'";
  Start(CppProcedural);
  Grammar(grammar);
  Generate(CppProcedural);
  const std::string whole = ReadFile("s.cxx");
  ASSERT_NE(whole.find("\n// <S>::=a\\\t\t\t\t\t\"this text prevents"), std::string::npos);

  eng = std::make_unique<Engine>();
  Start(CppProcedural);
  Grammar(grammar);
  {
    SmallDisk::Filling full(whole.size() - 1);
    Generate(CppProcedural);
  }
  EXPECT_EQ(ReadFile("s.cxx"), whole);
  EXPECT_NE(eng->out.LastError.find("could not be written"), std::string::npos) << eng->out.LastError;
  EXPECT_TRUE(eng->codegen.WrittenFiles.empty());
}

// The export, as the GUI calls it after the analysis exports.
TEST_F(Driver, ThroughTheLibraryExports) {
  int32_t language = CppProcedural;
  int16_t on = -1, off = 0;
  std::string dir = folder.string();
  BnfParserInit(&language, dir.data(), int32_t(dir.size()), &off, &on, &off);
  BKSACT();
  auto name = [](const std::string& text) {
    BKSNAI();
    for (unsigned char c : text) {
      int32_t code = c;
      BKSSYM(&code);
    }
  };
  name("Top");
  BKSNLI();
  BKSGMN();
  BKSNL();
  name("x");
  BKSTRM();
  BKSEND();
  char buffer[100];
  GetGrammarName(buffer, 80);
  int32_t head, tail, n, t, r;
  Nullable(&head, &tail);
  NtmNumbering(&n);
  TrmNumbering(&t);
  RulesNumbering(&r);
  InitMatrix(buffer, 100);
  IsEndOf();
  IsFollowedDirectlyBy();
  EndOf_FolDirBy_Prod();
  BeginsWith();
  IsFollowedBy();
  TamberlixCode(&language);
  EXPECT_NE(ReadFile("top.cxx").find("\tTopNewLeaf(thisIndex, thisNode, indSrc, ll1);\n"), std::string::npos);
  EXPECT_EQ(ReadFile("Top.log"), "   1 recursive procedures have been generated.\n");
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

class GenerationLog : public CodegenFixture {};

// A grammar that is not LL(1): the log says so after the count line and names the
// nonterminals whose choices clash, in every target.
TEST_F(GenerationLog, NamesTheNonterminalsThatAreNotLL1) {
  struct Case {
    int32_t language;
    std::string count;
  } cases[] = {
      {VisualBasic, "   3 recursive procedures have been generated."},
      {Fortran90, "     3 procedures have been generated."},
      {Fortran77, "     3  simulations of recursive procedures have been generated."},
      {Java, "   3 recursive procedures have been generated."},
      {Pascal, "     3 procedures have been generated."},
      {CppProcedural, "   3 recursive procedures have been generated."},
  };
  for (auto& c : cases) {
    Start(c.language);
    Grammar("S = <A> <B>\nA = 'a' | 'a' 'b'\nB = <S> | 'c' | 'c' 'd'");
    Generate(c.language);
    EXPECT_EQ(ReadFile("S.log"), c.count + "\nThe grammar is not LL(1): the choices of <A>, <B> clash.\n")
        << c.language;
  }
}

}  // namespace
}  // namespace mv::testing
