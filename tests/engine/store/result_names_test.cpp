#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine.h"

namespace {

namespace fs = std::filesystem;

TEST(ResultNames, ExtensionIsNeverCutAndUnsafeNamesAreRefused) {
  const struct {
    std::string base;
    std::string extension;
    bool accepted;
    std::string name;
  } cases[] = {
      {"calc", ".tmp", true, "calc.tmp"},
      {"calc", ".tmp   ", true, "calc.tmp"},
      {std::string(80, 'g'), ".rul", true, std::string(80, 'g') + ".rul"},
      {"../evil", ".tmp", false, ""},
      {"a/b", ".tmp", false, ""},
      {"/etc/passwd", "", false, ""},
      {"a..b", ".tmp", false, ""},
      {"tab\tname", ".tmp", false, ""},
      {"x", "/../y", false, ""},
  };
  for (const auto& c : cases) {
    mv::Engine eng;
    eng.store.ResultBaseName = mv::Padded(c.base, 80);
    std::string name;
    EXPECT_EQ(eng.out.ResultFileName(c.extension, name), c.accepted) << c.base;
    if (c.accepted) {
      EXPECT_EQ(name, c.name);
    } else {
      EXPECT_NE(eng.out.LastError.find("refused"), std::string::npos) << c.base;
      EXPECT_FALSE(eng.out.OpenResultFile(c.extension));
    }
  }
}

TEST(ResultNames, FatalMessageGoesIntoTheOpenResultFile) {
  fs::path saved = fs::current_path();
  fs::path dir = fs::temp_directory_path() / ("mv_result_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  {
    mv::Engine eng;
    eng.store.ResultBaseName = mv::Padded("calc", 80);
    ASSERT_TRUE(eng.out.OpenResultFile(".lst"));
    eng.mem.SetCapacityPages(1);
    eng.mem.IVLOFF(56);
    EXPECT_THROW(eng.mem.IVLOFF(56), mv::RunStopped);
    eng.out.ResultUnit.Close();

    // While a generator writes (flag off) nothing is written.
    eng.mem.InitRecordMemory();
    eng.store.CollisionReportFlag = false;
    ASSERT_TRUE(eng.out.OpenResultFile(".gen"));
    eng.mem.IVLOFF(56);
    EXPECT_THROW(eng.mem.IVLOFF(56), mv::RunStopped);
    eng.out.ResultUnit.Close();
  }
  std::ifstream in(dir / "calc.lst", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string message = "Fatal error: end of space to swop (INICUR(NDISK).GT.IREND)";
  EXPECT_EQ(text, "\n MODULE VLTOVR: " + message + std::string(64 - message.size(), ' ') + "\n");
  EXPECT_EQ(fs::file_size(dir / "calc.gen"), 0u);
  fs::current_path(saved);
  fs::remove_all(dir);
}

}  // namespace
