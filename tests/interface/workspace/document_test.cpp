// The result document window and the readings of the grammar text that the commands start.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTreeWidget>

#include "frmGrammar.h"
#include "frmSwitch.h"
#include "module_main.h"
#include "grammar_run_fixture.h"

using namespace ModuleMain;

namespace {

bool CloseDocument(frmDocument* d)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(d->parentWidget());
    return sub ? sub->close() : d->close();
}

frmDocument* EditedDocument(frmGrammar* g, const QString& title)
{
    frmDocument* d = g->LoadNewDoc("G", title);
    d->SetLocked(false);
    d->rtfText.SetText("listing\r\n");
    d->rtfText.SetSelStart(0);
    d->rtfText.SetSelText("my ");
    return d;
}

} // namespace

TEST_F(WorkspaceTest, AnUneditedDocumentClosesWithoutAQuestion)
{
    SetGrammar("<S> ::= a\n");
    TestRun();
    frmDocument* d = DocumentTitled("Set of select");
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->TextChanged());
    ui_->messages.clear();
    EXPECT_TRUE(CloseDocument(d));
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(WorkspaceTest, AnEditedDocumentAsksAndSavesUnderTheLastWordOfItsCaption)
{
    frmGrammar* g = active();
    g->GrammarName = "G";
    struct Case {
        ui::Answer answer;
        bool closes, saved;
    };
    for (const Case c : {Case{ui::Yes, true, true}, Case{ui::No, true, false}, Case{ui::Cancel, false, false}}) {
        QFile::remove(Path("factoring"));
        frmDocument* d = EditedDocument(g, "Left factoring");
        ASSERT_TRUE(d->TextChanged());
        ui_->messages.clear();
        ui_->answers = {c.answer};
        CloseCancelled = false;
        EXPECT_EQ(CloseDocument(d), c.closes);
        ASSERT_EQ(ui_->messages.size(), 1u);
        EXPECT_EQ(ui_->messages[0].text, "Save changes to the factoring?");
        EXPECT_EQ(QFileInfo::exists(Path("factoring")), c.saved);
        if (c.saved) EXPECT_EQ(ReadFile(Path("factoring")), "my listing\r\n");
        EXPECT_EQ(CloseCancelled, !c.closes);
    }
    CloseCancelled = false;
}

TEST_F(WorkspaceTest, ClosingAGrammarClosesItsResultsAndTheirNodes)
{
    SetGrammar("<S> ::= a <S> | b\n");
    TestRun();
    frmGrammar* g = active();
    ASSERT_TRUE(g->Results());
    QPointer<frmDocument> d = g->Document(1);
    QPointer<frmGrid> grid = g->Grid(1);
    main()->AddGrammarWindow(QString());
    g->MarkSaved();
    EXPECT_TRUE(main()->UnloadGrammar(g));
    QApplication::processEvents();
    EXPECT_TRUE(d.isNull());
    EXPECT_TRUE(grid.isNull());
    EXPECT_EQ(NavWindow->Node("Root  1"), nullptr);
}

TEST_F(WorkspaceTest, AReadingNamesTheGrammarsPanelAndNodeAndSeparatesRunsInTheLog)
{
    SetGrammar("<Sum> ::= a\n");
    main()->pipeline().ParseAndReport();
    EXPECT_EQ(active()->GrammarName, "Sum");
    EXPECT_EQ(main()->Panel(ActiveGrammarName)->text(), "Sum ");
    EXPECT_EQ(NavWindow->Node(ActiveGrammarName)->text(0), "Sum");
    main()->pipeline().ParseAndReport();
    EXPECT_EQ(MaskedLog(), "TT:TT:TT   - Parsing grammar: Untitled 1\r\n\r\nTT:TT:TT   - Parsing grammar: Untitled 1\r\n");
    // Without the Process window nothing is logged and the reading is the same.
    ShowProcess = false;
    main()->LogText.clear();
    SetGrammar("<Other> ::= b\n");
    main()->pipeline().ParseAndReport();
    EXPECT_TRUE(main()->LogText.empty());
    EXPECT_EQ(active()->GrammarName, "Other");
    ShowProcess = true;
}

TEST_F(WorkspaceTest, AReadingThatStopsBeforeTheNameKeepsTheOldName)
{
    SetGrammar("<Sum> ::= a\n");
    main()->pipeline().Parse(0);
    main()->SetPanel1Text("before");
    SetGrammar("<Bad :- a\n");
    main()->pipeline().ParseAndReport();
    EXPECT_FALSE(main()->pipeline().ParseErrorText.empty());
    EXPECT_EQ(active()->GrammarName, "Sum");
    EXPECT_EQ(main()->Panel1Text(), "before");
    EXPECT_NE(MaskedLog().find("TT:TT:TT ... syntax error\r\nLine 1, syntax error"), std::string::npos);
}

TEST_F(WorkspaceTest, TheToolsCommandPutsTheCleanedGrammarIntoTheEditor)
{
    SetGrammar("<S> ::= a <S> | b | <A> c\n<A> ::= x <A>\n<B> ::= d\n");
    main()->mnuToolsExtraneous_Click();
    const std::string text = active()->rtfText.Text();
    EXPECT_NE(text.find("<S>"), std::string::npos) << text;
    EXPECT_EQ(text.find("<A>"), std::string::npos) << text;
    EXPECT_EQ(text.find("<B>"), std::string::npos) << text;
    EXPECT_NE(DocumentTitled("Dead nonterminals"), nullptr);
    EXPECT_NE(DocumentTitled("Unreachable nonterminals"), nullptr);
    EXPECT_EQ(DocumentTitled("Grammar after removing extraneous symbols"), nullptr);
    // The removed names reach the log.
    EXPECT_NE(MaskedLog().find("<A>"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("S.tmp")));
    EXPECT_TRUE(Idle);
}

TEST_F(WorkspaceTest, TypingAtTheEndOfADocumentAddsAnEmptyLineAndMarksItChanged)
{
    frmGrammar* g = active();
    g->GrammarName = "G";
    frmDocument* d = g->LoadNewDoc("G", "G.bas");
    d->SetLocked(false);
    d->LoadFile(Path("missing").toStdString());
    const bool idle = Idle;
    Idle = false;
    d->rtfText.SetText("Sub x");
    Idle = idle;
    EXPECT_FALSE(d->TextChanged());
    d->rtfText.SetSelStart(d->rtfText.TextLength());
    d->rtfText.SetSelText("()");
    QApplication::processEvents();
    EXPECT_EQ(d->rtfText.Text(), "Sub x()\r\n");
    EXPECT_EQ(d->rtfText.SelStart(), 7);
    EXPECT_TRUE(d->TextChanged());
    EXPECT_FALSE(d->LoadFile(Path("missing").toStdString()));
}

TEST_F(WorkspaceTest, ADocumentWhoseSaveFailsStaysOpenWithItsText)
{
    frmGrammar* g = active();
    g->GrammarName = "G";
    // The caption's last word names a folder: the text cannot be written there.
    QDir(Path("")).mkdir("blocked");
    frmDocument* d = EditedDocument(g, "blocked");
    ui_->answers = {ui::Yes};
    EXPECT_FALSE(CloseDocument(d));
    ASSERT_EQ(ui_->messages.size(), 2u);
    EXPECT_EQ(ui_->messages[1].text,
              "The file \"" + Path("blocked") + "\" could not be written: it is not a regular file");
    EXPECT_EQ(d->rtfText.Text(), "my listing\r\n");
    EXPECT_TRUE(CloseCancelled);
    CloseCancelled = false;
    d->SetLocked(true);
}

TEST_F(WorkspaceTest, AGrammarWindowStaysOpenWhileARunWorksOnIt)
{
    frmGrammar* g = active();
    Idle = false;
    EXPECT_FALSE(main()->UnloadGrammar(g));
    EXPECT_EQ(GrammarAt(1), g);
    EXPECT_TRUE(CloseCancelled);
    Idle = true;
    CloseCancelled = false;
}

TEST_F(WorkspaceTest, AReadingForColoursOnlyLeavesTheNameAndTheEngineRunAlone)
{
    SetGrammar("<Sum> ::= a\n");
    main()->pipeline().Parse(0);
    SetGrammar("<Other> :- b\n");
    main()->pipeline().ParseErrorText.clear();
    main()->pipeline().ParseGrammarForFonts();
    EXPECT_EQ(active()->GrammarName, "Sum");
    EXPECT_TRUE(main()->pipeline().ParseErrorText.empty());
    RichText& t = active()->rtfText;
    t.SetSelStart(1);
    t.SetSelLength(3);
    EXPECT_EQ(t.SelColor(), NtmFont.FontColor);
    t.SetSelStart(std::string("<Other> :").size());
    t.SetSelLength(3);
    EXPECT_EQ(t.SelColor(), ErrorFont.FontColor);
}

TEST_F(WorkspaceTest, ADocumentKeptByCancelKeepsItsNumberWhenAllAreClosed)
{
    frmGrammar* g = active();
    g->GrammarName = "G";
    g->LoadNewDoc("G", "one");
    frmDocument* kept = EditedDocument(g, "two");
    g->LoadNewDoc("G", "three");
    ui_->answers = {ui::Cancel};
    g->CloseAllDocuments();
    CloseCancelled = false;
    EXPECT_EQ(g->Documents(), std::vector<frmDocument*>{kept});
    EXPECT_EQ(g->DocCount(), 2);
    EXPECT_EQ(g->LoadNewDoc("G", "four")->Number(), 3);
    // Its later closing is within the list.
    ui_->answers = {ui::No};
    EXPECT_TRUE(CloseDocument(kept));
    EXPECT_EQ(g->Document(2), nullptr);
    EXPECT_EQ(g->DocCount(), 3);
}
