// The text-style hooks over a rich text.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

struct Fixture {
    readers::FontSet fonts = DistinctFonts();
    FakeRichText rich{10};
    readers::TextStyler styler{fonts, &rich};
};

TEST(TextStyle, NothingReadYetStylesNothingAndPutsTheCaretAtZero)
{
    Fixture f;
    f.rich.selStart = 4;
    f.styler.ApplyTextsFont(1);
    EXPECT_EQ(f.rich.Map(f.fonts), "..........");
    EXPECT_EQ(f.rich.selStart, 0);
    EXPECT_EQ(f.styler.StyleEnd, 0);
}

TEST(TextStyle, EachHookStylesFromTheCaretToBeforeThePosition)
{
    Fixture f;
    f.styler.ApplyTextsFont(1);
    f.styler.ApplyNtmFont(4);   // characters 0..2
    f.styler.ApplyTextsFont(6); // 3..4
    f.styler.ApplyTrmFont(7);   // 5
    f.styler.ApplyActFont(8);   // 6
    f.styler.ApplyCnsFont(9);   // 7
    f.styler.ApplyErrorFont(10);// 8
    EXPECT_EQ(f.rich.Map(f.fonts), "NNNxxTACE.");
    EXPECT_EQ(f.rich.selStart, 9);
    EXPECT_EQ(f.styler.StyleLength, 1);
    EXPECT_FALSE(f.rich.hold);
}

TEST(TextStyle, SecondCallAtTheSamePositionStylesNothing)
{
    Fixture f;
    f.styler.ApplyTextsFont(1);
    f.styler.ApplyNtmFont(4);
    const int writes = f.rich.writes;
    f.styler.ApplyTrmFont(4);
    f.styler.ApplyTextsFont(4);
    EXPECT_EQ(f.rich.writes, writes);
    EXPECT_EQ(f.rich.Map(f.fonts), "NNN.......");
}

TEST(TextStyle, CaretBeyondThePositionStaysWhereItIs)
{
    Fixture f;
    f.rich.selStart = 6;
    f.styler.ApplyNtmFont(4);
    EXPECT_EQ(f.rich.selStart, 6);
    EXPECT_EQ(f.styler.StyleLength, -3);
    EXPECT_EQ(f.rich.Map(f.fonts), "..........");
    // The texts hook moves the caret even when it styles nothing.
    f.styler.ApplyTextsFont(4);
    EXPECT_EQ(f.rich.selStart, 3);
}

TEST(TextStyle, MixedSelectionGetsTheRecordsValue)
{
    Fixture f;
    f.rich.chars[0] = f.fonts.TrmFont;
    f.rich.chars[1] = f.fonts.TrmFont;
    f.rich.chars[1].FontSize = 14;
    f.styler.ApplyTextsFont(1);
    f.styler.ApplyTrmFont(3);
    EXPECT_EQ(f.rich.Map(f.fonts).substr(0, 2), "TT");
    EXPECT_EQ(f.rich.writes, 1);  // only the size differed
}

TEST(TextStyle, FastWorkSwitchesColouringOff)
{
    Fixture f;
    f.styler.FastWork = true;
    f.rich.selStart = 5;
    f.styler.ApplyTextsFont(3);
    f.styler.ApplyNtmFont(8);
    EXPECT_EQ(f.rich.Map(f.fonts), "..........");
    EXPECT_EQ(f.rich.selStart, 5);
    EXPECT_EQ(f.rich.holdChanges, 0);
}

TEST(TextStyle, StyleBaseShiftsIntoTheRichText)
{
    // Reading the last part of a text that starts at offset 4 of the rich text.
    Fixture f;
    f.styler.StyleBase = 4;
    f.styler.ApplyTextsFont(1);  // what lies before the part is plain text; caret to 4
    EXPECT_EQ(f.rich.selStart, 4);
    f.styler.ApplyNtmFont(3);    // characters 4..5
    EXPECT_EQ(f.rich.Map(f.fonts), "xxxxNN....");
}

} // namespace
