// Keyword colouring of generated Visual Basic, C++ and Java code.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

class FakeBars final : public readers::CodeColouringHost {
public:
    std::string text;
    std::vector<bool> shown;
    std::vector<double> values;
    std::vector<std::string> status;
    void ShowProgressBar(bool visible) override { shown.push_back(visible); }
    double ProgressBarMax() const override { return 100; }
    void SetProgressValue(double value) override { values.push_back(value); }
    void SetStatusText(const std::string& t) override { status.push_back(t); }
    readers::Pos GetLineFromChar(readers::Pos offset) const override
    {
        const auto end = text.begin() + std::min<readers::Pos>(offset, static_cast<readers::Pos>(text.size()));
        return std::count(text.begin(), end, '\n');
    }
    readers::Pos SelStart() const override { return selStart ? *selStart : 0; }
    const readers::Pos* selStart = nullptr;
};

enum class Target { VB, Cpp };

std::string Map(Target target, const std::string& text)
{
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    FakeBars bars;
    bars.text = text;
    if (target == Target::VB) readers::SetVBCodeFonts(text, styler, &bars);
    else readers::SetCppCodeFonts(text, styler, &bars);
    return rich.Map(fonts);
}

struct MapCase {
    Target target;
    const char* what;
    std::string text;
    std::string map;
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << c.what; }

const MapCase kMaps[] = {
    {Target::VB, "keywords", "If x Then", "NNxxxNNNN"},
    {Target::VB, "keywords are case-sensitive", "if IF x", "......."},
    {Target::VB, "comment to the line end", "' a comment\r\nDim x", "CCCCCCCCCCCxxNNN.."},
    {Target::VB, "a quote with no delimiter behind is no comment", "'comment Sub", "xxxxxxxxxNNN"},
    {Target::VB, "dot is a delimiter", "x.Sub", "xxNNN"},
    {Target::VB, "Property Let as two words", "Property Let", "NNNNNNNNxNNN"},
    {Target::VB, "keyword in a string", "s = \"x End y\"", "xxxxxxxNNN..."},
    {Target::VB, "ambiguity mark", "x !!!!!!!!!!! y", "EEEEEEEEEEEEE.."},
    {Target::VB, "ambiguity mark written as a comment",
     "'!!!!!!!!!!! Ambiguous choice with: If\r\nEnd If",
     std::string(12, 'E') + std::string(26, 'C') + "xxNNNxNN"},
    {Target::Cpp, "keywords and preprocessor words", "#include <x>\nint main", "EEEEEEEExxxxxTTT....."},
    {Target::Cpp, "-> and :: split words", "a->int std::string x::char", "xxxTTTxxxxxxxxxxxxxxxxTTTT"},
    {Target::Cpp, "block comment", "/* int x; */ int y;", "CCCCCCCCCCCCxTTT..."},
    {Target::Cpp, "block comment to the end of the text", "int /* int", "TTTxCCCCCC"},
    {Target::Cpp, "line comment", "// int\nint", "CCCCCCxTTT"},
    {Target::Cpp, "ambiguity mark and its line", "//!!!!!!!!!!! if a\nif", "EEEEEEEEEEEEEEEEEExTT"},
    {Target::Cpp, "Java words", "public boolean throws", "TTTTTTxTTTTTTTxTTTTTT"},
};

class CodeColouringMap : public ::testing::TestWithParam<MapCase> {};

TEST_P(CodeColouringMap, StyleMap)
{
    const MapCase& c = GetParam();
    EXPECT_EQ(Map(c.target, c.text), c.map) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeColouringMap, ::testing::ValuesIn(kMaps));

TEST(CodeColouring, EmptyTextShowsAndHidesTheBarOnly)
{
    for (Target target : {Target::VB, Target::Cpp}) {
        const readers::FontSet fonts = DistinctFonts();
        FakeRichText rich(0);
        readers::TextStyler styler(fonts, &rich);
        FakeBars bars;
        readers::CodeColouring c(styler, &bars);
        if (target == Target::VB) c.SetVBCodeFonts("");
        else c.SetCppCodeFonts("");
        EXPECT_EQ(bars.shown, (std::vector<bool>{true, false}));
        EXPECT_TRUE(bars.status.empty());
    }
}

TEST(CodeColouring, ProgressOfAShortTextStepsAtLeastOnce)
{
    const std::string text = "a b c d e f g h i j\nk l m\n";
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    FakeBars bars;
    bars.text = text;
    readers::CodeColouring c(styler, &bars);
    c.SetVBCodeFonts(text);
    EXPECT_GE(c.ProgressReportStep, 1);
    ASSERT_FALSE(bars.values.empty());
    EXPECT_TRUE(std::is_sorted(bars.values.begin(), bars.values.end()));
    EXPECT_LE(bars.values.back(), 100.0);
    ASSERT_FALSE(bars.status.empty());
    EXPECT_EQ(bars.status.front(), "Line 1 of 3");
    EXPECT_EQ(bars.shown, (std::vector<bool>{true, false}));
}

TEST(NextToken, CutsWordsAndLeavesTheDelimiter)
{
    readers::NullStyleHooks none;
    readers::CodeColouring c(none, nullptr);
    EXPECT_EQ(c.NextToken("", " "), "");  // no text given yet
    EXPECT_EQ(c.NextToken("  ab(cd) e", " "), "ab(cd)");
    EXPECT_EQ(c.TokenStart, 3);
    EXPECT_EQ(c.TokenLength, 6);
    EXPECT_EQ(c.ScanPos, 9);
    EXPECT_EQ(c.NextToken("", " "), "e");
    EXPECT_EQ(c.NextToken("", " "), "");
    EXPECT_EQ(c.NextToken("x(y", "("), "x");
    EXPECT_EQ(c.NextToken("", ""), "(y");  // another delimiter set starts right at the "("
}

} // namespace
