// Colouring while typing and the marking of syntax errors in the grammar text.
#include <QApplication>
#include <QTextEdit>

#include "frmGrammar.h"
#include "module_main.h"
#include "readers.h"
#include "grammar_run_fixture.h"

using namespace ModuleMain;

TEST_F(WorkspaceTest, EveryOneOfThousandsOfFailingLinesIsMarkedWithoutDeepCalls)
{
    std::string text = "<S> ::= a\n";
    for (int i = 0; i < 3000; ++i) text += "<A" + std::to_string(i) + "> :- b\n";
    SetGrammar(text);
    main()->pipeline().Parse(0);
    ASSERT_FALSE(main()->pipeline().ParseErrorText.empty());
    RichText& t = active()->rtfText;
    const std::string crlf = t.Text();
    // The "-" of the first and of the last failing line are in the error font.
    const auto first = crlf.find(":-");
    const auto last = crlf.rfind(":-");
    EXPECT_EQ(ColourAt(t, static_cast<readers::Pos>(first) + 1), ErrorFont.FontColor);
    EXPECT_EQ(ColourAt(t, static_cast<readers::Pos>(last) + 1), ErrorFont.FontColor);
    // The nonterminal at the start of a failing line is coloured by the re-reading.
    EXPECT_EQ(ColourAt(t, static_cast<readers::Pos>(crlf.rfind("<A2999>")) + 1), NtmFont.FontColor);
}

TEST_F(WorkspaceTest, AnErrorOnALastLineWithoutLineEndIsMarkedToTheEnd)
{
    SetGrammar("<S> ::= a\n<A> :- b");
    main()->pipeline().Parse(0);
    ASSERT_FALSE(main()->pipeline().ParseErrorText.empty());
    RichText& t = active()->rtfText;
    EXPECT_EQ(ColourAt(t, std::string("<S> ::= a\r\n<A> :").size(), 3), ErrorFont.FontColor);
    // The editor's text is left as it was.
    EXPECT_EQ(t.Text(), "<S> ::= a\r\n<A> :- b");
}

TEST_F(WorkspaceTest, TheMainWindowsMarkingStopsWhenAPassGetsNoFurther)
{
    SetGrammar("<S> ::= a\n<A> :- b\n<B> :- c\n");
    RichText& t = active()->rtfText;
    const std::string source = t.Text();
    std::string error;
    readers::NullStyleHooks none;
    readers::ColourGrammarText(1, source, error, none);
    ASSERT_FALSE(error.empty());
    // The caret at the very end: the backward search finds no line start.
    t.SetSelStart(t.TextLength());
    StyleBase = 0;
    main()->pipeline().MarkSyntaxErrors(t, source, error);
    EXPECT_EQ(StyleBase, 0);
    EXPECT_EQ(t.Text(), source);
}

TEST_F(WorkspaceTest, TypingOnALineResetsItAndLeavingItColoursItAgain)
{
    SetGrammar("<S> ::= a <A>\n<A> ::= b\n");
    main()->pipeline().Parse(0);
    RichText& t = active()->rtfText;
    ASSERT_EQ(ColourAt(t, 1), NtmFont.FontColor);
    // Typing on line 1 gives the line the texts font at once.
    t.SetSelStart(std::string("<S> ::= a").size());
    t.SetSelText(" c");
    EXPECT_EQ(ColourAt(t, 1), TextsFont.FontColor);
    EXPECT_TRUE(active()->Changed());
    // Leaving it reads the line alone and colours it again.
    t.SetSelStart(std::string("<S> ::= a c <A>\r\n").size() + 2);
    EXPECT_EQ(ColourAt(t, 1), NtmFont.FontColor);
    EXPECT_EQ(ColourAt(t, std::string("<S> ::= a c <A>\r\n").size() + 1), NtmFont.FontColor);
    // A syntax error typed into a line is marked when the caret leaves it.
    t.SetSelStart(std::string("<S> ::= a c <A>\r\n<A> :").size());
    t.SetSelText("x");
    t.SetSelStart(0);
    EXPECT_EQ(ColourAt(t, std::string("<S> ::= a c <A>\r\n<A> :").size(), 2), ErrorFont.FontColor);
    QApplication::processEvents();
    EXPECT_EQ(t.Text(), "<S> ::= a c <A>\r\n<A> :x:= b\r\n");
}

TEST_F(WorkspaceTest, TypingOnALastLineWithoutLineEndAddsAnEmptyLine)
{
    SetGrammar("<S> ::= a");
    RichText& t = active()->rtfText;
    t.SetSelStart(t.TextLength());
    t.SetSelText(" b");
    QApplication::processEvents();
    EXPECT_EQ(t.Text(), "<S> ::= a b\r\n");
    EXPECT_EQ(t.SelStart(), std::string("<S> ::= a b").size());
    // Typing on another line adds nothing.
    t.SetSelStart(0);
    t.SetSelText(" ");
    QApplication::processEvents();
    EXPECT_EQ(t.Text(), " <S> ::= a b\r\n");
}

TEST_F(WorkspaceTest, InQuickModeTypingOnlyMarksTheGrammarChanged)
{
    SetGrammar("<S> ::= a\n<A> ::= b\n");
    main()->pipeline().Parse(0);
    FastWork = true;
    RichText& t = active()->rtfText;
    const std::int32_t before = ColourAt(t, 1);
    t.SetSelStart(3);
    t.SetSelText("x");
    EXPECT_TRUE(active()->Changed());
    EXPECT_EQ(ColourAt(t, 1), before);
    t.SetSelStart(std::string("<S>x ::= a\r\n").size());
    EXPECT_EQ(ColourAt(t, 1), before);
    FastWork = false;
}
