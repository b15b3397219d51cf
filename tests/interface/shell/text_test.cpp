// The code page and the rich-text positions, where CR LF counts as two.
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <functional>

#include "cp1251.h"
#include "rich_text.h"
#include "shell_fixture.h"

TEST(Cp1251, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const QString text = cp1251::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1251::fromUnicode(text), all);
    EXPECT_EQ(text[0xFF], QChar(0x044F));  // я
    EXPECT_EQ(text[0xC0], QChar(0x0410));  // А
    EXPECT_EQ(text[0x88], QChar(0x20AC));  // €
    EXPECT_EQ(text[0xB9], QChar(0x2116));  // №
    EXPECT_EQ(cp1251::fromUnicode(QString(QChar(0x4E2D))), "?");
}

TEST(RichTextPositions, LineBreaksCountTwo)
{
    QTextEdit edit;
    RichText t(&edit);
    t.SetText("ab\ncd\r\n\r\nef");
    EXPECT_EQ(t.Text(), "ab\r\ncd\r\n\r\nef");
    EXPECT_EQ(t.TextLength(), 12);
    struct Case {
        RichText::Pos pos;
        int line;
        char next;  // the character that a one-character selection there holds
    };
    for (const Case& c : {Case{0, 0, 'a'}, Case{1, 0, 'b'}, Case{4, 1, 'c'}, Case{5, 1, 'd'}, Case{10, 3, 'e'},
                          Case{11, 3, 'f'}}) {
        SCOPED_TRACE(c.pos);
        t.SetSelStart(c.pos);
        EXPECT_EQ(t.SelStart(), c.pos);
        EXPECT_EQ(t.GetLineFromChar(c.pos), c.line);
        t.SetSelLength(1);
        EXPECT_EQ(t.SelText(), std::string(1, c.next));
    }
    t.SetSelStart(1);
    t.SetSelLength(5);
    EXPECT_EQ(t.SelText(), "b\r\ncd");
    EXPECT_EQ(t.SelLength(), 5);
}

// Every byte and every kind of line break reads back from a box as AsShown says.
TEST(RichTextPositions, AsShownIsWhatTheBoxReadsBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (const std::string& text : {all, std::string("a\r\nb\rc\nd\n\re\r\r\n"), std::string("\r\n"),
                                    std::string("x\r"), std::string("\xA0\xA0\n"), std::string()}) {
        SCOPED_TRACE(text.size());
        QPlainTextEdit edit;
        RichText t(&edit);
        t.SetText(text);
        EXPECT_EQ(RichText::AsShown(text), t.Text());
    }
}

TEST(RichTextPositions, AttributesReadBackAsStoredAndMixedSelectionsHaveNone)
{
    QTextEdit edit;
    RichText t(&edit);
    t.SetText("abcdef");
    t.SetSelStart(0);
    t.SetSelLength(3);
    t.SetSelColor(ModuleMain::SystemColour(8));
    t.SetSelBold(true);
    EXPECT_EQ(t.SelColor(), ModuleMain::SystemColour(8));
    EXPECT_EQ(t.SelBold(), true);
    t.SetSelStart(2);
    t.SetSelLength(3);
    EXPECT_EQ(t.SelBold(), std::nullopt);
    EXPECT_EQ(t.SelColor(), std::nullopt);
    EXPECT_EQ(t.SelItalic(), false);
}

namespace {

// The colour that a selection of `length` characters at `at` reads back, -1 when mixed.
std::int32_t ColourAt(RichText& t, RichText::Pos at, RichText::Pos length)
{
    t.SetSelStart(at);
    t.SetSelLength(length);
    return t.SelColor().value_or(-1);
}

QTextCharFormat Coloured(std::int32_t code) { return RichText::ColourFormat(code); }

// The first `length` characters of every block coloured 2.
void ColourEveryBlock(RichText& t, int length)
{
    std::vector<RichText::Overlay> ranges;
    for (QTextBlock b = t.document()->begin(); b.isValid(); b = b.next()) ranges.push_back({b.position(), length, 0});
    t.LayOver(ranges, {Coloured(2)});
}

} // namespace

TEST(RichTextOverlays, LaterRangesWinAndTheCharactersOwnFormatShowsWhereNoneLies)
{
    QPlainTextEdit edit;
    RichText t(&edit);
    t.SetText("abcdef\r\nghij");
    t.SetSelStart(0);
    t.SetSelLength(t.TextLength());
    t.SetSelColor(1);
    // Editor positions: "abcdef" is 0..5, the break 6, "ghij" 7..10.
    t.LayOver({{0, 4, 0}, {2, 1, 1}, {5, 4, 0}}, {Coloured(2), Coloured(3)});
    struct Case {
        RichText::Pos at, length;
        std::int32_t colour;
    };
    for (const Case& c : {Case{0, 2, 2}, Case{2, 1, 3}, Case{3, 1, 2}, Case{4, 1, 1}, Case{5, 1, 2}, Case{8, 2, 2},
                          Case{10, 2, 1}, Case{3, 2, -1}, Case{1, 2, -1}}) {
        SCOPED_TRACE(c.at);
        EXPECT_EQ(ColourAt(t, c.at, c.length), c.colour);
    }
    // A caret answers the format of the character before it.
    t.SetSelStart(3);
    EXPECT_EQ(t.SelColor(), 3);
    t.ClearOverlays();
    EXPECT_EQ(ColourAt(t, 0, t.TextLength()), 1);
}

TEST(RichTextOverlays, AttributesSetOnASelectionReachTheRangesUnderIt)
{
    QPlainTextEdit edit;
    RichText t(&edit);
    t.SetText("abcdef");
    t.LayOver({{0, 6, 0}}, {Coloured(2)});
    t.SetSelStart(2);
    t.SetSelLength(2);
    t.SetSelColor(7);
    t.SetSelBold(true);
    EXPECT_EQ(ColourAt(t, 2, 2), 7);
    EXPECT_EQ(ColourAt(t, 0, 2), 2);
    EXPECT_EQ(ColourAt(t, 4, 2), 2);
    t.SetSelStart(2);
    t.SetSelLength(2);
    EXPECT_EQ(t.SelBold(), true);
    t.SetSelLength(3);
    EXPECT_EQ(t.SelBold(), std::nullopt);
}

TEST(RichTextOverlays, AFlattenedCopyHoldsTheColoursInItsCharacters)
{
    QPlainTextEdit edit;
    RichText t(&edit);
    t.SetText("abc\r\ndef");
    t.LayOver({{1, 5, 0}}, {Coloured(ModuleMain::RGB(0, 0, 255))});
    const auto copy = t.Flattened();
    ASSERT_EQ(copy->toPlainText(), QStringLiteral("abc\ndef"));
    const auto colourAfter = [&](int pos) {
        QTextCursor c(copy.get());
        c.setPosition(pos);
        return c.charFormat().foreground().color();
    };
    EXPECT_NE(colourAfter(1), QColor(Qt::blue));
    EXPECT_EQ(colourAfter(2), QColor(Qt::blue));
    EXPECT_EQ(colourAfter(6), QColor(Qt::blue));
    EXPECT_NE(colourAfter(7), QColor(Qt::blue));
}

// Colouring a long text lays out nothing: a block is laid out, and its layout takes its
// colours, when it is first seen.
TEST(RichTextOverlays, ColouringALongTextLeavesTheBlocksOutOfSightUnlaidOut)
{
    QPlainTextEdit edit;
    edit.resize(300, 200);
    edit.show();
    RichText t(&edit);
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "<N" + std::to_string(i) + "> ::= a b c\r\n";
    t.SetText(text);
    QApplication::processEvents();
    ColourEveryBlock(t, 4);
    QApplication::processEvents();
    const QTextBlock last = edit.document()->lastBlock().previous();
    EXPECT_EQ(last.layout()->lineCount(), 0);
    EXPECT_EQ(last.layout()->formats().size(), 0);
    EXPECT_EQ(ColourAt(t, t.TextLength() - 19, 4), 2);
    // The first block is seen, laid out again with its colours.
    EXPECT_GT(edit.document()->begin().layout()->lineCount(), 0);
    EXPECT_EQ(edit.document()->begin().layout()->formats().size(), 1);
    // Scrolled into sight, the last one is too.
    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_GT(last.layout()->lineCount(), 0);
    EXPECT_EQ(last.layout()->formats().size(), 1);
}

// A block that takes its colours when first seen is not reported as changed with the next edit
// elsewhere: an edit at the end is reported as only itself.
TEST(RichTextOverlays, ABlockTakingItsColoursLeavesNoChangeForTheNextEdit)
{
    QPlainTextEdit edit;
    edit.resize(300, 200);
    edit.show();
    RichText t(&edit);
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "<N" + std::to_string(i) + "> ::= a\r\n";
    t.SetText(text);
    ColourEveryBlock(t, 2);
    QApplication::processEvents();
    ASSERT_EQ(edit.document()->begin().layout()->formats().size(), 1);
    int reportedFrom = -1;
    QObject::connect(edit.document(), &QTextDocument::contentsChange,
                     [&](int from, int, int) { reportedFrom = from; });
    QTextCursor end(edit.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("x"));
    EXPECT_EQ(reportedFrom, end.position() - 1);
}

// A waiting fill runs before whatever first reaches the text through the adapter, once; a new
// text drops it.
TEST(RichTextWaitingFill, TheFirstReadOrWriteFillsTheTextAndANewTextDropsIt)
{
    struct Case {
        const char* name;
        std::function<void(RichText&)> touch;
        std::string text;  // afterwards
    };
    const Case cases[] = {
        {"text", [](RichText& t) { (void)t.Text(); }, "ab\r\ncd"},
        {"length", [](RichText& t) { (void)t.TextLength(); }, "ab\r\ncd"},
        {"caret", [](RichText& t) { t.SetSelStart(4); }, "ab\r\ncd"},
        {"colour", [](RichText& t) { (void)t.SelColor(); }, "ab\r\ncd"},
        {"colour set", [](RichText& t) { t.SetSelColor(ModuleMain::RGB(1, 2, 3)); }, "ab\r\ncd"},
        {"typed", [](RichText& t) { t.SetSelText("x"); }, "xab\r\ncd"},
        {"document", [](RichText& t) { (void)t.document(); }, "ab\r\ncd"},
        {"new text", [](RichText& t) { t.SetText("z"); }, "z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPlainTextEdit edit;
        RichText t(&edit);
        int fills = 0;
        t.FillLater([&] {
            ++fills;
            t.SetText("ab\ncd");
        });
        EXPECT_TRUE(t.Waiting());
        EXPECT_TRUE(edit.document()->isEmpty());
        c.touch(t);
        EXPECT_FALSE(t.Waiting());
        EXPECT_EQ(t.Text(), c.text);
        EXPECT_EQ(fills, c.text == "z" ? 0 : 1);
    }
}
