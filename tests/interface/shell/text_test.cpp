// The code page and the rich-text positions, where CR LF counts as two.
#include <QTextEdit>

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
