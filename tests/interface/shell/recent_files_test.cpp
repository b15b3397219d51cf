// The recent-file list: newest first, no duplicates, at most 11, read by keys 1 to 11.
#include <QAction>
#include <QSettings>

#include "recent_files.h"
#include "shell_fixture.h"

using namespace ModuleMain;

namespace {

QStringList shown()
{
    QStringList out;
    for (size_t k = 1; k < MainForm->mnuRecentFile.size(); ++k)
        if (MainForm->mnuRecentFile[k]->isVisible()) out << MainForm->mnuRecentFile[k]->text();
    return out;
}

QStringList files(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i) out << QStringLiteral("/g/f%1.grm").arg(i);
    return out;
}

} // namespace

TEST_F(ShellTest, AnEmptyStoreShowsNoEntriesAndNoSeparator)
{
    Start();
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_FALSE(main()->mnuRecentFile[0]->isVisible());
}

TEST_F(ShellTest, RecentFilesAreNewestFirstWithoutDuplicatesAndAtMostEleven)
{
    Start();
    for (const QString& f : files(1, 12)) RefreshRecentFiles(f);
    QStringList expected = files(2, 12);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(shown(), expected);
    EXPECT_TRUE(main()->mnuRecentFile[0]->isVisible());

    // Entry 4 moves to the head; 1 to 3 move down one; 5 to 11 stay.
    const QString fourth = expected[3];
    RefreshRecentFiles(fourth);
    QStringList after = expected;
    after.removeAt(3);
    after.prepend(fourth);
    EXPECT_EQ(shown(), after);
    EXPECT_EQ(AppSettings().recentFile(5), expected[4]);

    // The head again rewrites only entry 1.
    RefreshRecentFiles(fourth);
    EXPECT_EQ(shown(), after);
}

TEST_F(ShellTest, PathsThatDifferInCaseAreTwoEntries)
{
    Start();
    RefreshRecentFiles("/g/A.grm");
    RefreshRecentFiles("/g/a.grm");
    EXPECT_EQ(shown(), (QStringList{"/g/a.grm", "/g/A.grm"}));
}

TEST_F(ShellTest, RecentFilesAreReadByTheirKeysInOrder)
{
    // Written in an order in which a store that sorts its keys as text would put 10 and 11
    // before 2.
    {
        QSettings s(iniFile_, QSettings::IniFormat);
        for (int k : {11, 10, 3, 2, 1, 9, 8, 7, 6, 5, 4})
            s.setValue(QStringLiteral("Recent Files/RecentFile%1").arg(k), QStringLiteral("/g/f%1.grm").arg(k));
    }
    Start();
    EXPECT_EQ(shown(), files(1, 11));
}

TEST_F(ShellTest, ARecentFileThatIsGoneOpensNoWindowAndStaysListed)
{
    Start();
    const QString gone = Path("gone.grm");
    RefreshRecentFiles(gone);
    main()->AddGrammarWindow(QString())->rtfText.SetText("x");
    const int before = OpenGrammars();
    main()->mnuRecentFile_Click(1);
    EXPECT_EQ(OpenGrammars(), before);
    for (int k = 1; k <= GrammarCount; ++k)
        if (GrammarAt(k)) EXPECT_NE(GrammarAt(k)->Caption(), gone);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_TRUE(ui_->messages[0].text.contains(gone));
    EXPECT_EQ(shown(), QStringList{gone});
    EXPECT_TRUE(Idle);
}

TEST_F(ShellTest, ARecentEntryOpensItsFile)
{
    const QString file = WriteFile("r.grm", "<r> ::= 'x'\n");
    Start();
    RefreshRecentFiles(file);
    RefreshRecentFiles("/g/other.grm");
    main()->mnuRecentFile_Click(2);
    EXPECT_EQ(active()->Caption(), file);
    EXPECT_EQ(shown(), (QStringList{file, "/g/other.grm"}));
}
