// Grammar files: opened into a window only once read, saved in their own line ends and bytes,
// written to a temporary name and renamed, and failures reported.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTreeWidget>

#include "frmSwitch.h"
#include "language_table.h"
#include "shell_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include "engine/support/small_disk.h"

using namespace ModuleMain;

namespace {

struct Sample {
    const char* name;
    int notation;
    std::string lf;  // the text with LF line ends
};

// One grammar per notation, with characters of the code page's upper half.
const std::vector<Sample>& samples()
{
    static const std::vector<Sample> s = {
        {"typical", 1, "! Ausdr\xFC" "cke \xE8 \xFF\n<Expr> ::= <Term> { '+' <Term> }*\n<Term> ::= 'x' | '\xC0'\n"},
        {"w3c", 2, "Expr ::= Term ( '+' Term )*\nTerm ::= 'x' | [#x80-#xFF] | '\x98'\n"},
        {"msdn", 3, "expr:\n\tterm\n\texpr + term\nterm:\n\tx\n\t\xE0\n"},
        {"msdn-semicolon", 4, "expr : term | expr '+' term ;\nterm : 'x' | '\xE9' ;\n"},
    };
    return s;
}

std::string withEnds(const std::string& lf, const std::string& end)
{
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += end;
        else out += c;
    }
    return out;
}

} // namespace

TEST_F(ShellTest, FilesOfEveryNotationAndLineEndKeepTheirBytesThroughOpenAndSave)
{
    Start();
    for (const Sample& s : samples()) {
        for (const std::string end : {"\n", "\r\n", "\r"}) {
            SCOPED_TRACE(std::string(s.name) + (end == "\n" ? " LF" : end == "\r" ? " CR" : " CRLF"));
            const std::string bytes = withEnds(s.lf, end);
            const QString file = WriteFile(std::string(s.name) + ".grm", bytes);
            main()->OpenGrammarFolder(file);
            frmGrammar* g = active();
            ASSERT_EQ(g->Caption(), file);
            g->iGrmNotation = s.notation;
            // The readers get CR LF whatever the file holds.
            EXPECT_EQ(g->rtfText.Text(), withEnds(s.lf, "\r\n"));
            EXPECT_FALSE(g->Changed());
            EXPECT_EQ(g->grmDir, QFileInfo(file).absolutePath() + "/");
            // An edit, then Save: the file keeps its line ends and every other byte.
            g->rtfText.SetSelStart(0);
            g->rtfText.SetSelText("!x" + end.substr(0, 0) + "\r\n");
            EXPECT_TRUE(g->Changed());
            ASSERT_TRUE(main()->mnuFileSave_Click());
            EXPECT_FALSE(g->Changed());
            EXPECT_EQ(ReadFile(file), "!x" + end + bytes);
            main()->UnloadGrammar(g);
        }
    }
    EXPECT_TRUE(ui_->messages.empty());
    EXPECT_TRUE(ui_->dialogs.empty());
}

TEST_F(ShellTest, ANewGrammarIsSavedWithLFAndTakesItsPath)
{
    Start();
    frmGrammar* g = active();
    g->rtfText.SetText("<a> ::= 'x'\r\n<b> ::= 'y'");
    g->rtfText.SetSelText("");  // marks a change
    const QString file = Path("new.grm");
    ui_->files = {file};
    ASSERT_TRUE(main()->mnuFileSave_Click());
    ASSERT_EQ(ui_->dialogs.size(), 1u);
    EXPECT_EQ(ui_->dialogs[0].title, "Save Grammar");
    EXPECT_EQ(ui_->dialogs[0].fileName, "Untitled 1");
    EXPECT_EQ(ui_->dialogs[0].filter, "Grammars (*.grm)|*.grm|All Files (*.*)|*.*");
    EXPECT_EQ(ReadFile(file), "<a> ::= 'x'\n<b> ::= 'y'");
    EXPECT_EQ(g->Caption(), file);
    EXPECT_EQ(main()->Panel(g->Key())->text(), file);
    EXPECT_EQ(NavWindow->Node(g->Key())->text(0), file);
    EXPECT_EQ(AppSettings().recentFile(1), file);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(QFileInfo(file).absolutePath()).entryList({"new*"}, QDir::Files), QStringList{"new.grm"});
}

TEST_F(ShellTest, SaveAsProposesTheGrammarNameWithTheGrmExtension)
{
    Start();
    ExtSource = ".ebnf";
    active()->GrammarName = "Expr";
    main()->mnuFileSaveAs_Click();
    ASSERT_EQ(ui_->dialogs.size(), 1u);
    EXPECT_EQ(ui_->dialogs[0].fileName, "Expr.grm");
    EXPECT_EQ(ui_->dialogs[0].title, "Save Grammar As");
    EXPECT_EQ(ui_->dialogs[0].filter, "Grammars (*.ebnf)|*.ebnf|All Files (*.*)|*.*");
    EXPECT_EQ(active()->Caption(), "Untitled 1");  // cancelled: nothing changed
}

TEST_F(ShellTest, SaveAllAsksForEachUntitledGrammarItsOwnName)
{
    Start();
    main()->AddGrammarWindow(QString());
    main()->AddGrammarWindow(QString());
    for (int k = 1; k <= 3; ++k) GrammarAt(k)->rtfText.SetText(QStringLiteral("<g%1> ::= 'x'").arg(k).toStdString());
    ui_->files = {Path("one.grm"), std::nullopt, Path("three.grm")};
    main()->mnuFileSaveAll_Click();
    ASSERT_EQ(ui_->dialogs.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ui_->dialogs[k].fileName, QStringLiteral("Untitled %1").arg(k + 1));
        EXPECT_EQ(ui_->dialogs[k].title, "Save");
    }
    EXPECT_EQ(GrammarAt(1)->Caption(), Path("one.grm"));
    EXPECT_EQ(GrammarAt(2)->Caption(), "Untitled 2");
    EXPECT_EQ(GrammarAt(3)->Caption(), Path("three.grm"));
    EXPECT_EQ(ReadFile(Path("three.grm")), "<g3> ::= 'x'");
}

TEST_F(ShellTest, AFailedSaveIsReportedAndLeavesTheFileAsItWas)
{
    Start();
    const QString file = WriteFile("keep.grm", "old\n");
    main()->OpenGrammarFolder(file);
    active()->rtfText.SetText("new text");
    active()->rtfText.SetSelText("!");
    // The folder cannot take the temporary file: make the name a folder.
    QDir().mkpath(Path("blocked.grm"));
    ui_->files = {Path("blocked.grm")};
    EXPECT_FALSE(main()->mnuFileSaveAs_Click());
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.startsWith("Can't save "));
    EXPECT_EQ(active()->Caption(), file);
    EXPECT_TRUE(active()->Changed());
    EXPECT_EQ(ReadFile(file), "old\n");
}

TEST_F(ShellTest, OpeningReusesAnEmptyActiveWindowAndOtherwiseAddsOne)
{
    Start();
    const QString a = WriteFile("a.grm", "<a> ::= 'x'\n");
    const QString b = WriteFile("b.grm", "<b> ::= 'y'\n");
    main()->OpenGrammarFolder(a);
    EXPECT_EQ(GrammarCount, 1);
    EXPECT_EQ(active()->Caption(), a);
    // The reading of the opened grammar names its panel and node after the grammar.
    EXPECT_EQ(main()->Panel("Root  1")->text(), "a ");
    EXPECT_EQ(NavWindow->Node("Root  1")->text(0), "a");
    main()->OpenGrammarFolder(b);
    EXPECT_EQ(GrammarCount, 2);
    EXPECT_EQ(active()->Caption(), b);
    EXPECT_EQ(GrammarAt(1)->Caption(), a);
    EXPECT_EQ(AppSettings().recentFiles(), (QStringList{b, a}));
    EXPECT_TRUE(Idle);
}

TEST_F(ShellTest, AFileThatCannotBeReadGetsNoWindow)
{
    Start();
    active()->rtfText.SetText("keep");
    main()->OpenGrammarFolder(Path("missing.grm"));
    EXPECT_EQ(OpenGrammars(), 1);
    EXPECT_EQ(active()->rtfText.Text(), "keep");
    EXPECT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(AppSettings().recentFiles().isEmpty());
    EXPECT_TRUE(Idle);
}

TEST_F(ShellTest, TheOpenCommandUsesTheDialogAndACancelChangesNothing)
{
    Start();
    main()->mnuFileOpen_Click();
    ASSERT_EQ(ui_->dialogs.size(), 1u);
    EXPECT_EQ(ui_->dialogs[0].title, "Open");
    EXPECT_EQ(OpenGrammars(), 1);
    const QString f = WriteFile("o.grm", "<o> ::= 'x'\n");
    ui_->files = {f};
    main()->mnuFileOpen_Click();
    EXPECT_EQ(active()->Caption(), f);
}

TEST_F(ShellTest, ParserFilesAreSavedUnderTheGeneratorsNames)
{
    struct Case {
        int language;
        const char* name;
    };
    for (const Case& c : {Case{1, "Expr.bas"}, Case{3, "Expr.f90"}, Case{4, "Expr.for"}, Case{5, "ExprParser.java"},
                          Case{7, "Expr.pas"}, Case{8, "expr.cxx"}, Case{9, "expr.cpp"}}) {
        EXPECT_EQ(GeneratedParserFileName("Expr", c.language), c.name) << c.language;
    }
    EXPECT_EQ(GeneratedParserFileName(QString::fromUtf8("\xD0\x90\xD0\xB1" "C"), 8), QString::fromUtf8("\xD0\xB0\xD0\xB1" "c.cxx"));
    EXPECT_EQ(GeneratedHeaderFileName("Expr"), "expr.h");

    Start();
    frmGrammar doc;  // any window with a rich text serves as the parser document here
    doc.rtfText.SetText("class ExprParser {}\r\n");
    active()->GrammarName = "Expr";
    active()->iGrmLanguage = 5;
    active()->frmParser = &doc;
    main()->mnuFileSaveParser_Click();
    EXPECT_EQ(ReadFile(Path("ExprParser.java")), "class ExprParser {}\n");
    ui_->files = {Path("copy/Other.java")};
    QDir().mkpath(Path("copy"));
    main()->mnuFileSaveParserAs_Click();
    EXPECT_EQ(ui_->dialogs.at(0).fileName, "ExprParser.java");
    EXPECT_EQ(ui_->dialogs.at(0).title, "Save As");
    EXPECT_EQ(ReadFile(Path("copy/Other.java")), "class ExprParser {}\n");
    EXPECT_EQ(doc.windowTitle(), "Tamberlix - " + Path("copy/Other.java"));
    EXPECT_EQ(active()->grmDir, Path("copy") + "/");
    active()->frmParser = nullptr;
}

TEST_F(ShellTest, AGrammarChangedOnDiskSinceItWasOpenedIsOverwrittenOnlyAfterAQuestion)
{
    Start();
    const QString file = WriteFile("shared.grm", "<S> ::= 'a'\n");
    main()->OpenGrammarFolder(file);
    active()->rtfText.SetSelStart(0);
    active()->rtfText.SetSelText("<T> ::= 'b'\n");
    // Another program writes the file meanwhile (a new inode, as editors save).
    QFile::remove(file);
    WriteFile("shared.grm", "theirs\n");
    for (const ui::Answer answer : {ui::No, ui::Yes}) {
        ui_->messages.clear();
        ui_->answers = {answer};
        EXPECT_EQ(main()->mnuFileSave_Click(), answer == ui::Yes);
        ASSERT_EQ(ui_->messages.size(), 1u);
        EXPECT_TRUE(ui_->messages[0].text.contains("changed by another program")) << ui_->messages[0].text.toStdString();
        EXPECT_EQ(ReadFile(file) == "theirs\n", answer == ui::No);
    }
    // Saved by us: the next save asks nothing.
    ui_->messages.clear();
    EXPECT_TRUE(main()->mnuFileSave_Click());
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(ShellTest, AGrammarSaveOnAFullDiskSaysWhyAndKeepsTheOldFile)
{
    Start();
    const QString file = WriteFile("big.grm", "<S> ::= 'a'\n");
    main()->OpenGrammarFolder(file);
    active()->rtfText.SetSelStart(0);
    active()->rtfText.SetSelText(std::string(8192, ' '));
    {
        mv::testing::SmallDisk::Filling full(1024);
        EXPECT_FALSE(main()->mnuFileSave_Click());
    }
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.contains("File too large")) << ui_->messages[0].text.toStdString();
    EXPECT_EQ(ReadFile(file), "<S> ::= 'a'\n");
    EXPECT_TRUE(active()->Changed());
}

TEST_F(ShellTest, ASavedGrammarKeepsItsPermissionsAndOwner)
{
    Start();
    const QString file = WriteFile("owned.grm", "<S> ::= 'a'\n");
    const QByteArray name = QFile::encodeName(file);
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) ASSERT_EQ(::chown(name.constData(), 4321, 4321), 0);
    main()->OpenGrammarFolder(file);
    active()->rtfText.SetSelStart(0);
    active()->rtfText.SetSelText("<T> ::= 'b'\n");
    EXPECT_TRUE(main()->mnuFileSave_Click());
    struct stat st {};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4321u);
    }
    EXPECT_EQ(ReadFile(file).substr(0, 11), "<T> ::= 'b'");
}
