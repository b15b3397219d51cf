// The files a run may touch: only those of an accepted grammar name, only in the grammar's own
// folder (or the named folder of an untitled grammar), never the grammar file itself; and the
// result documents saved whole or not at all.
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <filesystem>
#include <fstream>

#include "engine/support/small_disk.h"
#include "frmDocument.h"
#include "frmGrammar.h"
#include "module_main.h"
#include "pipeline.h"
#include "grammar_run_fixture.h"
#include "workspace_state.h"

using namespace ModuleMain;
namespace fs = std::filesystem;

namespace {

const char* const Small = "<S> ::= a <A> | b\n<A> ::= c |\n";

class FileSafetyTest : public WorkspaceTest {
protected:
    fs::path Root() const { return folder_->Path(); }

    // A grammar file in a folder of the test's own, opened as a user would.
    frmGrammar* OpenIn(const std::string& folder, const std::string& file, const std::string& text)
    {
        fs::create_directories(Root() / fs::u8path(folder));
        const fs::path path = Root() / fs::u8path(folder) / fs::u8path(file);
        std::ofstream(path, std::ios::binary) << text;
        main()->OpenGrammarFolder(QString::fromStdString(path.string()));
        return active();
    }

    static bool Exists(const fs::path& p) { return fs::exists(p); }
};

} // namespace

TEST_F(FileSafetyTest, ARefusedGrammarNameNamesNoFileToReadWriteOrDelete)
{
    fs::create_directories(Root() / "sub");
    UntitledWorkFolder = QString::fromStdString((Root() / "sub").string());
    WriteFile("victim.tmp", "keep tmp");
    WriteFile("victim.log", "keep log");
    SetGrammar("<../victim> ::= 'x' <B>\n<B> ::= 'b'\n");
    main()->pipeline().RemoveExtraneousSymbols();
    BuildRun();
    EXPECT_EQ(ReadFile(Path("victim.tmp")), "keep tmp");
    EXPECT_EQ(ReadFile(Path("victim.log")), "keep log");
    EXPECT_FALSE(Exists(Root() / "victim.bas"));
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("is refused as a file name"), std::string::npos) << log;
    EXPECT_EQ(log.find("The parser code is kept in file"), std::string::npos) << log;
}

TEST_F(FileSafetyTest, AGrammarsFilesGoToItsOwnFolderWhateverItsName)
{
    for (const char* folder : {"grün", "дата", "文法", "папка с пробелом", "sp "}) {
        SCOPED_TRACE(folder);
        OpenIn(folder, "G.grm", "<G> ::= a <H>\n<H> ::= b |\n");
        BuildRun();
        EXPECT_TRUE(Exists(Root() / fs::u8path(folder) / "G.bas"));
        EXPECT_FALSE(Exists(Root() / "G.bas"));
        EXPECT_FALSE(Exists(Root() / "sp" / "G.bas"));
    }
}

TEST_F(FileSafetyTest, AWorkFolderThatCannotBeEnteredStopsTheRunAndWritesNothing)
{
    OpenIn("gone", "G.grm", "<G> ::= a <H>\n<H> ::= b |\n");
    fs::rename(Root() / "gone", Root() / "moved");
    BuildRun();
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("cannot be entered"), std::string::npos) << log;
    EXPECT_EQ(log.find("The parser code is kept in file"), std::string::npos) << log;
    EXPECT_FALSE(Exists(Root() / "moved" / "G.bas"));
    EXPECT_FALSE(Exists(Root() / "G.bas"));
    EXPECT_TRUE(Idle);
}

TEST_F(FileSafetyTest, AnUntitledGrammarIsBuiltInTheFolderTheLogNames)
{
    fs::create_directories(Root() / "elsewhere");
    UntitledWorkFolder = Path("untitled");
    QDir::setCurrent(Path("elsewhere"));
    SetGrammar(Small);
    BuildRun();
    EXPECT_TRUE(Exists(Root() / "untitled" / "S.bas"));
    EXPECT_FALSE(Exists(Root() / "elsewhere" / "S.bas"));
    const std::string log = main()->LogText;
    EXPECT_NE(log.find("The files of the untitled grammar are in the folder " + Path("untitled").toStdString()),
              std::string::npos)
        << log;
}

TEST_F(FileSafetyTest, NoResultFileReplacesTheOpenGrammarsOwnFile)
{
    ShowSelect = true;
    const std::string text = "<S> ::= a <A> | b\n<A> ::= c |\n";
    for (const char* name : {"S.tmp", "S.log", "S.sel", "S.bas"}) {
        SCOPED_TRACE(name);
        const std::string folder = std::string("own_") + name;
        OpenIn(folder, name, text);
        BuildRun();
        std::ifstream in(Root() / folder / name, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(after, text);
    }
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("grammar"), std::string::npos) << log;
}

TEST_F(FileSafetyTest, AChangedResultDocumentIsSavedToItsOwnFileWholeOrNotAtAll)
{
    ShowParser = true;
    frmGrammar* g = OpenIn("a b", "G.grm", "<G> ::= a <H>\n<H> ::= b |\n");
    BuildRun();
    frmDocument* d = dynamic_cast<frmDocument*>(g->frmParser);
    ASSERT_NE(d, nullptr);
    const fs::path file = Root() / "a b" / "G.bas";
    const std::string before = ReadFile(QString::fromStdString(file.string()));
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(d->FilePath.toStdString(), file.string());

    // A disk too small for the new text: the old file stays, the window stays, and why is said.
    d->SetLocked(false);
    d->rtfText.SetSelStart(0);
    d->rtfText.SetSelText(std::string(4096, 'x'));
    ASSERT_TRUE(d->TextChanged());
    auto* sub = qobject_cast<QMdiSubWindow*>(d->parentWidget());
    ASSERT_NE(sub, nullptr);
    {
        mv::testing::SmallDisk::Filling full(before.size() + 16);
        ui_->answers = {ui::Yes};
        EXPECT_FALSE(sub->close());
    }
    EXPECT_EQ(ReadFile(QString::fromStdString(file.string())), before);
    ASSERT_FALSE(ui_->messages.empty());
    EXPECT_TRUE(ui_->messages.back().text.contains("File too large")) << ui_->messages.back().text.toStdString();

    ui_->answers = {ui::Yes};
    CloseCancelled = false;
    EXPECT_TRUE(sub->close());
    EXPECT_EQ(ReadFile(QString::fromStdString(file.string())).substr(0, 4096), std::string(4096, 'x'));
    CloseCancelled = false;
}

TEST_F(FileSafetyTest, ADeadStartSymbolIsReportedAndNoParserIsWritten)
{
    SetGrammar("<S> ::= a <S>\n<B> ::= b\n");
    BuildRun();
    const std::string log = MaskedLog();
    EXPECT_NE(log.find("The start symbol <S> derives no sentence"), std::string::npos) << log;
    EXPECT_EQ(log.find("The parser code is kept in file"), std::string::npos) << log;
    EXPECT_FALSE(Exists(Root() / "S.bas"));
    EXPECT_FALSE(Exists(Root() / "B.bas"));
}
