#include <gtest/gtest.h>

#include <string>

#include "exports.h"
#include "store_dump.h"

namespace {

using store_test::RunScript;

std::string Trim(const std::string& s) { return mv::TrimmedRight(s); }
const mv::GrammarStore& Store() { return mv::ProcessEngine().store; }

TEST(OptionTexts, SelectorsFillTheirTexts) {
  const struct {
    const char* selector;
    const std::string* (*text)();
  } cases[] = {
      {"PRG", [] { return &Store().UserTitle; }},
      {"EXT", [] { return &Store().UserExternal; }},
      {"NXT", [] { return &Store().UserScanner; }},
      {"ERJ", [] { return &Store().UserErrorReaction; }},
      {"OFF", [] { return &Store().F77StackTemplates[0]; }},
      {"VLW", [] { return &Store().F77StackTemplates[1]; }},
      {"PSH", [] { return &Store().F77StackTemplates[2]; }},
      {"VLR", [] { return &Store().F77StackTemplates[3]; }},
      {"POP", [] { return &Store().F77StackTemplates[4]; }},
      {"ON", [] { return &Store().F77StackTemplates[5]; }},
  };
  for (const auto& c : cases) {
    RunScript(std::string("INIT ACT ") + c.selector + " S:first " + c.selector + " S:x=1");
    EXPECT_EQ(*c.text(), mv::Padded("x=1", 1024)) << c.selector;
    // Selecting with no characters leaves the text blank (the default is gone too).
    RunScript(std::string("INIT ACT ") + c.selector);
    EXPECT_EQ(*c.text(), std::string(1024, ' ')) << c.selector;
  }
}

TEST(OptionTexts, LineArraysKeepEveryLine) {
  const struct {
    const char* selector;
    const std::vector<std::string>* (*lines)();
  } cases[] = {
      {"DEC", [] { return &Store().UserDeclarations; }},
      {"BEG", [] { return &Store().UserPreParse; }},
      {"POST", [] { return &Store().UserPostParse; }},
  };
  for (const auto& c : cases) {
    std::string script = "INIT ACT";
    for (int i = 1; i <= 101; ++i) script += std::string(" ") + c.selector + " S:l" + std::to_string(i);
    script += std::string(" ") + c.selector;  // an empty line
    RunScript(script);
    const std::vector<std::string>& lines = *c.lines();
    ASSERT_EQ(lines.size(), 102u) << c.selector;
    EXPECT_EQ(Trim(lines[0]), "l1");
    EXPECT_EQ(Trim(lines[99]), "l100");
    EXPECT_EQ(Trim(lines[100]), "l101");
    EXPECT_EQ(lines[101], std::string(1024, ' '));
  }
}

TEST(OptionTexts, ActResetsLineCountersOnly) {
  RunScript("INIT ACT DEC S:one DEC S:two ACT DEC S:new");
  EXPECT_EQ(Trim(Store().UserDeclarations[0]), "new");
  EXPECT_EQ(Trim(Store().UserDeclarations[1]), "two");
}

TEST(OptionTexts, CharactersAreCutToTheLowByteAndPast1024Dropped) {
  RunScript("INIT ACT PRG SC:321 SC:66");
  EXPECT_EQ(Trim(Store().UserTitle), "AB");

  std::string script = "INIT ACT PRG S:" + std::string(1030, 'x') + " DEC S:" + std::string(1030, 'y');
  RunScript(script);
  EXPECT_EQ(Store().UserTitle, std::string(1024, 'x'));
  EXPECT_EQ(Store().UserDeclarations[0], std::string(1024, 'y'));
  EXPECT_EQ(Trim(Store().UserExternal), "EXTERNAL NEXT,ERRJOB");
  EXPECT_EQ(Store().UserDeclarations[1], std::string(1024, ' '));
}

TEST(OptionTexts, TargetPersistsAcrossOtherBuilderCalls) {
  RunScript("INIT ACT NXT S:ab N:S NLI GMN NL N:a TRM END S:c");
  EXPECT_EQ(Trim(Store().UserScanner), "abc");
}

TEST(OptionTexts, CharactersWithNoTextSelectedAreIgnored) {
  // A fresh engine has no text selected.
  mv::Engine eng;
  eng.builder.BKSS(65);
  EXPECT_EQ(eng.store.UserTitle, std::string(1024, ' '));
  EXPECT_EQ(eng.mem.PagesInUse(), 0);
  // A line array whose counter ACT reset has no line to write to.
  RunScript("INIT ACT DEC S:x ACT S:y");
  EXPECT_EQ(Trim(Store().UserDeclarations[0]), "x");
  EXPECT_EQ(Store().UserDeclarations[1], std::string(1024, ' '));
}

}  // namespace
