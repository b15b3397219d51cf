// The Process log: the lines in the window, their colours, and the log file's bytes.
#include <QDir>
#include <QDockWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <unistd.h>

#include "frmLog.h"
#include "frmError.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

std::int32_t colourAt(frmLog* log, int docPos)
{
    QTextCursor c(log->editor->document());
    c.setPosition(docPos + 1);
    const QColor q = c.charFormat().foreground().color();
    return q.red() + 256 * q.green() + 65536 * q.blue();
}

} // namespace

TEST_F(ShellTest, TheLogFileHoldsTheWholeLogAfterEveryLine)
{
    Start();
    main()->WriteLog("12:00:00   - Grammar reading\r\n");
    EXPECT_EQ(ReadFile(Path("Tamberlix.log")), "12:00:00   - Grammar reading\r\n");
    main()->WriteLogBytes("12:00:01 ... 3 rules \xE8 \xFF\r\n");
    EXPECT_EQ(ReadFile(Path("Tamberlix.log")), "12:00:00   - Grammar reading\r\n12:00:01 ... 3 rules \xE8 \xFF\r\n");
    EXPECT_EQ(main()->LogFilePath(), QDir(Path("")).absoluteFilePath("Tamberlix.log"));
    EXPECT_EQ(LogWindow->rtfText.Text(), "12:00:00   - Grammar reading\r\n12:00:01 ... 3 rules \xE8 \xFF\r\n");
}

TEST_F(ShellTest, ALogFollowsTheCurrentFolder)
{
    Start();
    main()->WriteLog("one\r\n");
    QDir().mkpath(Path("grammars"));
    QDir::setCurrent(Path("grammars"));
    main()->WriteLog("two\r\n");
    EXPECT_EQ(ReadFile(Path("grammars/Tamberlix.log")), "one\r\ntwo\r\n");
}

TEST_F(ShellTest, NothingIsLoggedWhileTheProcessWindowIsSwitchedOff)
{
    Start();
    ShowProcess = false;
    main()->WriteLog("hidden\r\n");
    EXPECT_TRUE(main()->LogText.empty());
    EXPECT_FALSE(QFile::exists(Path("Tamberlix.log")));
}

TEST_F(ShellTest, LinesOfANonLL1GrammarAreInTheErrorColourUntilItIsLL1Again)
{
    Start();
    main()->WriteLog("a\r\n");
    GrammarIsLL1 = false;
    main()->WriteLog("b\r\n");
    main()->WriteLog("c\r\n");
    GrammarIsLL1 = true;
    main()->WriteLog("d\r\n");
    frmLog* log = LogWindow;
    // Document positions: "a\n" 0-1, "b\n" 2-3, "c\n" 4-5, "d\n" 6-7.
    EXPECT_EQ(colourAt(log, 2), ErrorFont.FontColor);
    EXPECT_EQ(colourAt(log, 4), ErrorFont.FontColor);
    const QColor texts = RichText::ColourOf(TextsFont.FontColor);
    EXPECT_EQ(colourAt(log, 6), texts.red() + 256 * texts.green() + 65536 * texts.blue());
    EXPECT_FALSE(main()->LogInErrorColour);
}

TEST_F(ShellTest, ALineWithoutAProcessWindowStartsANewEmptyLog)
{
    Start();
    main()->WriteLog("old\r\n");
    delete main()->ProcessDock()->widget();
    ASSERT_EQ(LogWindow, nullptr);
    main()->WriteLog("new\r\n");
    ASSERT_NE(LogWindow, nullptr);
    EXPECT_EQ(LogWindow->rtfText.Text(), "new\r\n");
    EXPECT_EQ(ReadFile(Path("Tamberlix.log")), "new\r\n");
}

TEST_F(ShellTest, ALogThatCannotBeWrittenGoesToTheDataFolderOrIsReportedOnce)
{
    Start();
    // The current folder is gone: nothing can be written there, not even by root.
    QDir().mkpath(Path("gone"));
    QDir::setCurrent(Path("gone"));
    QDir(Path("gone")).removeRecursively();
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
    main()->WriteLog("first\r\n");
    EXPECT_TRUE(main()->LogFilePath().startsWith(Path("data"))) << main()->LogFilePath().toStdString();
    EXPECT_EQ(ReadFile(main()->LogFilePath()), "first\r\n");
    EXPECT_TRUE(ui_->messages.empty());

    // Nowhere to write: the lines still reach the window, and one message says so.
    qputenv("XDG_DATA_HOME", "/dev/null/data");
    main()->WriteLog("second\r\n");
    main()->WriteLog("third\r\n");
    EXPECT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(LogWindow->rtfText.Text(), "first\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(main()->LogFilePath().isEmpty());
    if (oldData.isEmpty()) qunsetenv("XDG_DATA_HOME");
    else qputenv("XDG_DATA_HOME", oldData);
    QDir::setCurrent(Path(""));
}

TEST_F(ShellTest, TheProcessWindowIsToggledByTheViewMenuAndItsCloseBoxOnlyHidesIt)
{
    Start();
    EXPECT_EQ(main()->Panel1Text().isEmpty(), false);
    main()->mnuViewProcess_Click();
    EXPECT_TRUE(main()->ProcessDock()->isVisible());
    EXPECT_EQ(main()->Panel1()->toolTip(), "Click to hide the Process window");
    main()->ProcessDock()->close();
    EXPECT_FALSE(main()->ProcessDock()->isVisible());
    EXPECT_NE(LogWindow, nullptr);
    EXPECT_FALSE(main()->action("mnuViewProcess")->isChecked());
    EXPECT_EQ(main()->Panel1()->toolTip(), "Click to see the Process window");
}

TEST_F(ShellTest, ASyntaxErrorIsShownAtTheEndOfTheLogAndInTheErrorWindow)
{
    Start();
    main()->WriteLog("12:00:00 ... syntax error\r\n<a> x\r\n");
    const std::string error = "Line 1, syntax error, found \"x\" when expecting \"=\"\r\n<a> x\r\n    !";
    std::string shown;
    modal_->script = [&shown](QDialog& d) {
        if (auto* w = qobject_cast<frmError*>(&d)) shown = w->rtfText.Text();
    };
    main()->RefreshGrammarText(error);
    EXPECT_EQ(main()->LogText, "12:00:00 ... syntax error\r\n<a> x\r\n\r\n");
    // The grammar line in the log is coloured as grammar text.
    RichText& log = LogWindow->rtfText;
    log.SetSelStart(static_cast<RichText::Pos>(std::string("12:00:00 ... syntax error\r\n").size()));
    log.SetSelLength(3);
    EXPECT_EQ(log.SelText(), "<a>");
    EXPECT_EQ(log.SelColor(), NtmFont.FontColor);
    EXPECT_EQ(shown, error);
    // Last, the error window's copy of the quoted line is read again from its start.
    EXPECT_EQ(StyleBase, static_cast<std::int32_t>(error.find('\n') + 1));
    EXPECT_EQ(ActiveChild, ActiveGrammar);
}

TEST_F(ShellTest, AQuotedGrammarLineIsColouredInPlaceAfterALineThatEndsInALoneLineFeed)
{
    Start();
    // The capacity message breaks its two lines with a lone LF.
    for (const char* before : {"", "12:00:00 Fatal error: no room of memory.\nActual memory size: 4194304 bytes.\r\n",
                               "12:00:00 one\rtwo\r\n"}) {
        SCOPED_TRACE(before);
        main()->WriteLog(QString::fromLatin1(before) + "12:00:00 ... syntax error\r\n<a> x\r\n");
        main()->RefreshGrammarText("Line 1, syntax error, found \"x\" when expecting \"=\"\r\n<a> x\r\n    !");
        RichText& log = LogWindow->rtfText;
        const std::string shown = log.Text();
        const size_t line = shown.rfind("<a> x\r\n");
        ASSERT_NE(line, std::string::npos);
        log.SetSelStart(static_cast<RichText::Pos>(line));
        log.SetSelLength(3);
        EXPECT_EQ(log.SelText(), "<a>");
        EXPECT_EQ(log.SelColor(), NtmFont.FontColor);
        log.SetSelStart(static_cast<RichText::Pos>(line + 4));
        log.SetSelLength(1);
        EXPECT_EQ(log.SelText(), "x");
        EXPECT_EQ(log.SelColor(), ErrorFont.FontColor);
        // The file keeps the lines as they were written.
        EXPECT_NE(main()->LogText.find(before), std::string::npos);
    }
}
