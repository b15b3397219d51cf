// Start-up and the program-wide state.
#include "module_main.h"

#include <QApplication>
#include <QDir>

#include "dialogs.h"
#include "frmGrammar.h"
#include "frmMain.h"
#include "language_table.h"
#include "recent_files.h"
#include "ui_services.h"
#include "pipeline.h"
#include "rich_text.h"

namespace ModuleMain {

void SetStartValues()
{
    MainForm = nullptr;
    ResetWindows();
    State = ProgramState{};
}

frmMain* Main(const QStringList& arguments)
{
    dialogs::ShowSplash();
    SetStartValues();
    MainForm = new frmMain;
    Frame = MainForm;
    MainForm->setAttribute(Qt::WA_DeleteOnClose);
    // The program's own folder is current before the command-line file is read, so that a
    // relative name means the same as it did in the folder the program was started from.
    const QString startFolder = QDir::currentPath();
    QStringList absolute;
    for (const QString& a : arguments) absolute << (a.trimmed().isEmpty() ? a : QDir(startFolder).absoluteFilePath(a));
    MainForm->MDIForm_Load(absolute.join(' '));
    dialogs::UnloadSplash();
    QDir::setCurrent(ProgramFolder());
    LoadRecentFileMenu();
    FindDirection = 1;
    return MainForm;
}

void SetNotationBuildButtons() { SetNotationBuildImages(CurNotation, CurLanguage); }

void ToggleQuickMode()
{
    if (!MainForm) return;
    if (!FastWork) {
        MainForm->SetButtonImage(QStringLiteral("Quick"), QStringLiteral("Quick_green"));
        if (ActiveGrammar) {
            RichText& t = ActiveGrammar->rtfText;
            const auto start = t.SelStart(), length = t.SelLength();
            Idle = false;
            ApplyTextsFontToAll(t);
            t.SetSelStart(start);
            t.SetSelLength(length);
            Idle = true;
        }
        FastWork = true;
    } else {
        MainForm->SetButtonImage(QStringLiteral("Quick"), QStringLiteral("Quick_yellow"));
        FastWork = false;
        if (ActiveGrammar) {
            frmGrammar* g = ActiveGrammar;
            RichText& t = g->rtfText;
            const auto start = t.SelStart(), length = t.SelLength();
            Idle = false;
            MainForm->pipeline().Parse(0);
            t.SetSelStart(start);
            t.SetSelLength(length);
            Idle = true;
            MainForm->LineNum();
            g->WSwitch(false);
            MainForm->WinOnTop(g);
            ActiveGrammar = g;
        }
    }
}

} // namespace ModuleMain
