// The GUI binds the library by name at run time: the exports must be found and work there.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "morvantelisk.h"

namespace {

TEST(SharedLibrary, ExportsAreBoundByNameAndShareOneState) {
  void* lib = dlopen(TAMBERLIX_MORVANTELISK_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto init = reinterpret_cast<decltype(&BnfParserInit)>(dlsym(lib, "BnfParserInit"));
  auto nai = reinterpret_cast<decltype(&BKSNAI)>(dlsym(lib, "BKSNAI"));
  auto sym = reinterpret_cast<decltype(&BKSSYM)>(dlsym(lib, "BKSSYM"));
  auto nli = reinterpret_cast<decltype(&BKSNLI)>(dlsym(lib, "BKSNLI"));
  auto gmn = reinterpret_cast<decltype(&BKSGMN)>(dlsym(lib, "BKSGMN"));
  auto act = reinterpret_cast<decltype(&BKSACT)>(dlsym(lib, "BKSACT"));
  auto name = reinterpret_cast<decltype(&GetGrammarName)>(dlsym(lib, "GetGrammarName"));
  ASSERT_TRUE(init && nai && sym && nli && gmn && act && name);
  EXPECT_EQ(dlsym(lib, "_ZN2mv14ProcessEngineEv"), nullptr);  // internals stay hidden

  int32_t lang = 8;
  int16_t off = 0;
  init(&lang, "", 0, &off, &off, &off);
  act();
  nai();
  for (char c : std::string("Calc")) {
    int32_t code = c;
    sym(&code);
  }
  nli();
  gmn();
  char buf[10];
  EXPECT_EQ(name(buf, 10), buf);
  EXPECT_EQ(std::string(buf, 10), "Calc      ");
  dlclose(lib);
}

}  // namespace
