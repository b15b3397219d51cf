// The window program opens the files a run writes by the same naming functions the engine
// writes them with: the written names and the shared ones must agree for every target.

#include "engine/codegen/codegen_fixture.h"
#include "output/result_name.h"

namespace mv::testing {
namespace {

class SharedNames : public CodegenFixture {};

TEST_F(SharedNames, TheWrittenParserFilesAreTheSharedNames) {
  for (const std::string name : {"Expr", "\xc0\xc1x"}) {
    // Every code of the target table, and codes outside it (Visual Basic).
    for (int32_t code = 0; code <= 10; ++code) {
      Start(code);
      Grammar(name + " = 'a' <B>\nB = 'b'");
      Generate(code);
      ASSERT_FALSE(eng->codegen.WrittenFiles.empty()) << code;
      EXPECT_EQ(eng->codegen.WrittenFiles.back(), names::ParserFileName(name, code)) << code;
      EXPECT_EQ(eng->codegen.WrittenFiles.front(), names::FirstParserFileName(name, code)) << code;
      if (code == 9) EXPECT_EQ(eng->codegen.WrittenFiles.front(), names::ParserHeaderName(name));
      EXPECT_TRUE(Exists(names::ResultFileName(name, ".log"))) << code;
    }
  }
}

TEST_F(SharedNames, AResultFileOfALongNameKeepsItsWholeExtension) {
  const std::string name(100, 'N');
  Start(VisualBasic);
  Grammar(name + " = 'a'");
  Analyse();
  std::string written;
  ASSERT_TRUE(eng->out.ResultFileName(".select", written));
  EXPECT_EQ(written, names::ResultFileName(name, ".select"));
  EXPECT_EQ(written, std::string(80, 'N') + ".select");
}

}  // namespace
}  // namespace mv::testing
