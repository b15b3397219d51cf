#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine.h"
#include "support/work_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(ResultNames, ExtensionIsNeverCutAndUnsafeNamesAreRefused) {
  // refused: "" accepted, else the part named by the message.
  const struct {
    std::string base;
    std::string extension;
    std::string refused;
    std::string name;
  } cases[] = {
      {"calc", ".tmp", "", "calc.tmp"},
      {"calc", ".tmp   ", "", "calc.tmp"},
      {std::string(80, 'g'), ".rul", "", std::string(80, 'g') + ".rul"},
      {"../evil", ".tmp", "grammar name", ""},
      {"a/b", ".tmp", "grammar name", ""},
      {"/etc/passwd", "", "grammar name", ""},
      {"..", "", "grammar name", ""},
      {".", ".", "grammar name", ""},
      {std::string("nul\0x", 5), ".tmp", "grammar name", ""},
      // Two dots anywhere, a control code, or "." (hidden files such as "..sel") are refused.
      {"a..b", ".tmp", "grammar name", ""},
      {"..", ".tmp", "grammar name", ""},
      {".", ".sel", "grammar name", ""},
      {"tab\tname", ".tmp", "grammar name", ""},
      {std::string("esc\x1b[2J"), ".tmp", "grammar name", ""},
      {"a.b c", ".tmp", "", "a.b c.tmp"},
      {"x", "/../y", "extension", ""},
      {"x", std::string(".t\0", 3), "extension", ""},
  };
  for (const auto& c : cases) {
    test_support::WorkFolder folder("result-names");
    std::filesystem::current_path(folder.Path());
    mv::Engine eng;
    eng.store.ResultBaseName = mv::Padded(c.base, 80);
    std::string name;
    EXPECT_EQ(eng.out.ResultFileName(c.extension, name), c.refused.empty()) << c.base;
    if (c.refused.empty()) {
      EXPECT_EQ(name, c.name);
      EXPECT_TRUE(eng.out.OpenResultFile(c.extension)) << c.base;
      eng.out.ResultUnit.Close();
      EXPECT_TRUE(fs::exists(folder.Path() / c.name)) << c.base;
    } else {
      EXPECT_NE(eng.out.LastError.find("refused"), std::string::npos) << c.base;
      EXPECT_NE(eng.out.LastError.find(c.refused), std::string::npos) << eng.out.LastError;
      EXPECT_FALSE(eng.out.OpenResultFile(c.extension));
      EXPECT_TRUE(fs::is_empty(folder.Path())) << c.base;
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
