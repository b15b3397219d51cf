#include <climits>
#include <string>
#include <vector>

#include "engine/support/grammar_fixture.h"

namespace mv::testing {
namespace {

class OutputLineTest : public EngineFixture {
protected:
  // Output lines go to the generated-source file.
  void ToSource(int32_t language) {
    Start(language);
    eng->store.CollisionReportFlag = false;
    ASSERT_TRUE(out().SourceUnit.Open("source.txt"));
  }
  std::string Source() {
    out().FlushOutputLine();
    out().SourceUnit.Close();
    return ReadFile("source.txt");
  }
  // Output lines go to a result file as listing lines.
  void ToListing(int32_t language) {
    Start(language);
    ASSERT_TRUE(out().ResultUnit.Open("listing.txt"));
  }
  std::string Listing() {
    out().FlushOutputLine();
    out().ResultUnit.Close();
    return ReadFile("listing.txt");
  }
  static std::string Run(size_t n, char from = 'a') {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(char(from + i % 26));
    return s;
  }
};

TEST_F(OutputLineTest, StatementLinesBreakAtEachTargetsWidth) {
  struct Case {
    int32_t language;
    int32_t label;
    size_t length;
    std::vector<std::pair<std::string, size_t>> lines;  // prefix, then that many codes
    std::vector<std::string> endings;
  };
  const Case cases[] = {
      {VisualBasic, 0, 2500, {{"", 1000}, {"", 1000}, {"", 500}}, {" _", " _", ""}},
      {Fortran90, 0, 200, {{"", 129}, {"", 71}}, {"&", ""}},
      {Fortran77, 0, 150, {{"      ", 66}, {"     &", 66}, {"     &", 18}}, {"", "", ""}},
      {CppProcedural, 0, 1500, {{"", 1000}, {"", 500}}, {"", ""}},
      {Pascal, 0, 1000, {{"", 1000}}, {""}},
      {Java, 7, 1200, {{"7     ", 994}, {"", 206}}, {"", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ToSource(c.language);
    std::string text = Run(c.length);
    out().StartOutputLine(c.label);
    out().WriteText(text);
    std::string expected;
    size_t at = 0;
    for (size_t i = 0; i < c.lines.size(); ++i) {
      expected += c.lines[i].first + text.substr(at, c.lines[i].second) + c.endings[i] + "\n";
      at += c.lines[i].second;
    }
    EXPECT_EQ(Source(), expected);
  }
}

TEST_F(OutputLineTest, Fortran77LabelFieldIsSixColumns) {
  const std::pair<int32_t, std::string> cases[] = {
      {120, "120   "}, {99999, "99999 "}, {100000, "      "}, {-5, "      "}, {0, "      "}};
  for (const auto& [label, field] : cases) {
    ToSource(Fortran77);
    out().StartOutputLine(label);
    out().WriteText("CONTINUE");
    EXPECT_EQ(Source(), field + "CONTINUE\n") << label;
  }
}

TEST_F(OutputLineTest, CommentLinesContinueWithTheTargetsMarker) {
  const std::tuple<int32_t, std::string, std::string, size_t> cases[] = {
      {CppClass, "// ", "//", 1000}, {VisualBasic, "'  ", "' ", 1000},
      {Fortran77, "!  ", "! ", 72}, {Fortran90, "!  ", "! ", 129}};
  for (const auto& [language, start, continuation, width] : cases) {
    SCOPED_TRACE(language);
    ToSource(language);
    std::string text = Run(width + 10);
    out().StartOutputLine(Output::CommentLabel);
    out().WriteText(text);
    size_t first = width - start.size();
    EXPECT_EQ(Source(), start + text.substr(0, first) + "\n" + continuation +
                            text.substr(first) + "\n");
  }
}

TEST_F(OutputLineTest, StatementPutIntoCommentStateContinuesAsComment) {
  ToSource(VisualBasic);
  out().StartOutputLine(0);
  out().WriteText(Run(990));
  out().SetCommentState();
  out().WriteText(Run(30, 'A'));
  EXPECT_EQ(Source(), Run(990) + Run(10, 'A') + "\n' " + Run(30, 'A').substr(10) + "\n");
}

TEST_F(OutputLineTest, EmptyStartWritesNoLineButPrefixesDo) {
  ToSource(CppProcedural);
  out().StartOutputLine(0);
  out().StartOutputLine(0);
  out().WriteText("x;");
  out().StartOutputLine(Output::CommentLabel);
  out().StartOutputLine(12);
  out().StartOutputLine(0);
  EXPECT_EQ(Source(), "x;\n// \n12    \n");
}

// A new run starts with an empty line, whatever a stopped run left pending.
TEST_F(OutputLineTest, NewRunDropsThePendingLine) {
  ToSource(CppProcedural);
  out().StartOutputLine(0);
  out().WriteText("stale");
  out().SourceUnit.Abandon();
  ToSource(CppProcedural);
  out().StartOutputLine(0);
  out().WriteText("x;");
  EXPECT_EQ(Source(), "x;\n");
}

TEST_F(OutputLineTest, ControlCodesAreWrittenEscaped) {
  ToSource(CppProcedural);
  const int32_t codes[] = {'a', 13, 0, 9, 127, 145, 148, 149, 256, 512 + 'b', 255, 31, 32};
  out().StartOutputLine(0);
  out().AppendLineCodes(codes, int32_t(std::size(codes)));
  std::string expected = "a''13''''0''\t''127''''145''''148''";
  expected += char(149);
  expected += '\0';
  expected += "b";
  expected += char(255);
  expected += "''31'' \n";
  EXPECT_EQ(Source(), expected);
}

// The byte scan that looks at eight bytes at a time finds the first escaped byte wherever it
// stands, whatever the byte, and bytes are written as the same codes would be.
TEST_F(OutputLineTest, BytesAreEscapedAsTheirCodesAtEveryPlace) {
  for (size_t length = 0; length <= 20; ++length)
    for (size_t at = 0; at <= length; ++at)
      for (int k = 0; k < 256; ++k) {
        std::string text(length, 'x');
        if (at < length) text[at] = char(k);
        const bool escaped = at < length && IsEscaped(k, false);
        ASSERT_EQ(PlainBytes(text), escaped ? at : length) << length << ' ' << at << ' ' << k;
      }
  std::string bytes;
  std::vector<int32_t> codes;
  for (int k = 255; k >= 0; --k) {
    bytes += char(k);
    bytes += "ab";
    codes.insert(codes.end(), {k, 'a', 'b'});
  }
  ToSource(CppProcedural);
  out().StartOutputLine(0);
  out().AppendLineCodes(codes.data(), int32_t(codes.size()));
  const std::string fromCodes = Source();
  ToSource(CppProcedural);
  out().StartOutputLine(0);
  out().WriteText(bytes);
  EXPECT_EQ(Source(), fromCodes);
}

TEST_F(OutputLineTest, LineOfEscapesIsWrittenWhole) {
  ToListing(CppProcedural);
  std::vector<int32_t> codes(1000, 1);
  out().StartOutputLine(0);
  out().AppendLineCodes(codes.data(), int32_t(codes.size()));
  std::string escaped;
  for (int i = 0; i < 1000; ++i) escaped += "''1''";
  EXPECT_EQ(Listing(), Numbered(1, escaped));
}

TEST_F(OutputLineTest, ListingLinesAreNumberedAndContinuedUnnumbered) {
  ToListing(VisualBasic);
  std::string text = Run(1200);
  out().StartOutputLine(0);
  out().WriteText(text);
  out().StartOutputLine(0);
  out().WriteText("next");
  EXPECT_EQ(Listing(), Numbered(1, text.substr(0, 1000)) + "        " + text.substr(1000) +
                           "\n" + Numbered(2, "next"));
}

TEST_F(OutputLineTest, NegativeLineNumberWritesOneLineUnnumbered) {
  ToListing(CppProcedural);
  out().StartOutputLine(0);
  out().WriteText("one");
  out().FlushOutputLine();
  out().ListingLineNumber = -out().ListingLineNumber;
  out().WriteText("plain");
  out().FlushOutputLine();
  out().WriteText("two");
  out().FlushOutputLine();
  out().StartListing(" a title that is never written");
  out().WriteText("restart");
  EXPECT_EQ(Listing(), Numbered(1, "one") + "      plain\n" + Numbered(2, "two") +
                           Numbered(1, "restart"));
}

TEST_F(OutputLineTest, GrammarFileModeWritesBareLinesWithTabsEscaped) {
  ToListing(CppProcedural);
  out().GrammarFileMode = true;
  out().StartOutputLine(0);
  out().WriteText("<A>::=\tb");
  out().FlushOutputLine();
  out().GrammarFileMode = false;
  out().WriteText("\tc");
  EXPECT_EQ(Listing(), "<A>::=''9''b\n" + Numbered(1, "\tc"));
}

TEST_F(OutputLineTest, NumbersAndTexts) {
  const std::pair<int32_t, std::string> digits[] = {
      {0, "0"}, {7, "7"}, {-1, "-1"}, {10, "10"}, {999999999, "999999999"},
      {1000000000, "1000000000"}, {INT_MAX, "2147483647"}, {-1000000000, "-1000000000"},
      {INT_MIN, "-2147483648"}};
  for (const auto& [value, text] : digits) {
    int32_t codes[Output::MaxDigitCodes];
    int32_t count = -1;
    Output::IntToDigitCodes(value, codes, count);
    EXPECT_EQ(std::string(codes, codes + count), text) << value;
  }
  EXPECT_EQ(Output::IntToText(-45), "-45       ");
  EXPECT_EQ(Output::IntToText(INT_MIN), "-2147483648");
  EXPECT_EQ(Output::LowerCaseText("AbZ9_\xC0"), "abz9_\xC0");
  EXPECT_EQ(Output::CharCode(256), 256);
  EXPECT_EQ(Output::CharCode(257), 1);
  EXPECT_EQ(Output::CharCode(-1), 255);

  ToSource(CppProcedural);
  const int32_t values[] = {3, 10, 2, -4};
  out().StartOutputLine(0);
  out().WriteIntList(values, 3);
  out().WriteIntList(values + 3, 1);
  out().WriteIntList(values, 0);
  out().WriteText("abc", 2);
  out().WriteText("abc", -1);
  EXPECT_EQ(Source(), "3,10,2-4ab\n");
}

TEST_F(OutputLineTest, NameChainIsWrittenFromFirstToLast) {
  Rule("Start", {{"x"}});
  ToSource(CppProcedural);
  Rule("Start", {{"x"}});
  Chain name{eng->mem.IVLR(NonterminalPool, Grammar().First, NtmNameFirst),
             eng->mem.IVLR(NonterminalPool, Grammar().First, NtmNameLast)};
  int32_t second = eng->mem.IVLR(NameCharPool, name.First, CharNext);
  out().StartOutputLine(0);
  out().WriteNameChain(NameCharPool, name.First, name.Last, CharNext, CharField::CharCode);
  out().WriteText("|");
  out().WriteNameChain(NameCharPool, second, second, CharNext, CharField::CharCode);
  out().WriteText("|");
  out().WriteNameChain(NameCharPool, 0, name.Last, CharNext, CharField::CharCode);
  out().WriteNameChain(NameCharPool, name.First, 0, CharNext, CharField::CharCode);
  EXPECT_EQ(Source(), "Start|t|\n");
}

}  // namespace
}  // namespace mv::testing
