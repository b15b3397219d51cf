// Grammar files: open, save, save as, save all, the parser document, and the File menu's state.
// A file is read before a window is made for it, and written to a temporary name in its folder
// that is renamed over it once complete.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSaveFile>
#include <QTextEdit>

#include "cp1251.h"
#include "frmGrammar.h"
#include "frmMain.h"
#include "frmSwitch.h"
#include "language_table.h"
#include "module_main.h"
#include "pipeline.h"
#include "recent_files.h"
#include "safe_save.h"
#include "string_table.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

bool writeFile(const QString& path, const std::string& bytes)
{
    QString reason;
    if (safe_save::WriteWhole(path, bytes, reason)) return true;
    ui::Ui().messageBox(QStringLiteral("Can't save ") + path + ": " + reason, ui::AppTitle(), ui::Buttons::Ok,
                        ui::Icon::Exclamation);
    return false;
}

// Generated sources keep LF line ends.
std::string withLF(const std::string& crlf)
{
    std::string out;
    out.reserve(crlf.size());
    for (size_t i = 0; i < crlf.size(); ++i)
        if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) out += crlf[i];
    return out;
}

} // namespace

QString frmMain::GrammarFilter() const
{
    return "Grammars (*" + ExtSource + ")|*" + ExtSource + "|All Files (*.*)|*.*";
}

void frmMain::mnuFileOpen_Click()
{
    if (!Idle) return;
    ui::FileDialog d;
    d.title = QStringLiteral("Open");
    d.filter = GrammarFilter();
    if (const auto name = ui::Ui().openFileName(d)) OpenGrammarFolder(*name);
}

void frmMain::OpenGrammarFolder(const QString& path)
{
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::Ui().messageBox(QStringLiteral("Can't open ") + path + ": " + file.errorString(), ui::AppTitle(),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        Idle = true;
        return;
    }
    const QByteArray data = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;
    file.close();
    if (!readOk) {
        ui::Ui().messageBox(QStringLiteral("Can't read ") + path, ui::AppTitle(), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        Idle = true;
        return;
    }

    frmGrammar* g = nullptr;
    if (!ActiveGrammar || !ActiveGrammar->TextEmpty()) {
        g = AddGrammarWindow(path);
        if (!g) return;
    } else {
        g = ActiveGrammar;
        g->SetCaption(path);
    }
    Idle = false;
    g->LoadFileBytes(std::string(data.constData(), static_cast<size_t>(data.size())));
    {
        QFont f = g->editor->document()->defaultFont();
        PickLocaleFont(f, 0);
        g->editor->document()->setDefaultFont(f);
    }
    g->grmDir = folderOf(path);
    g->diskStamp = safe_save::StampOf(path);
    Idle = true;
    RefreshRecentFiles(path);
    if (QLabel* panel = Panel(g->Key())) {
        panel->setText(" " + g->Caption());
        panel->setToolTip(g->Caption());
    }
    g->MarkSaved();
    TitlesCached = false;
    if (ShowNavigation && NavWindow) NavWindow->SetNodeText(g->Key(), g->Caption());

    Idle = false;
    widenPanel1();
    pipeline_->Parse(0);
    sbPanel1_Width();
    LineNum();
    if (g->subWindow()) g->subWindow()->raise();
    Idle = true;
    unsetCursor();
}

bool frmMain::saveGrammarTo(frmGrammar* g, const QString& path)
{
    // Another program's changes to the file are not overwritten without a question.
    if (path == g->Caption() && g->diskStamp) {
        const auto now = safe_save::StampOf(path);
        if (now && *now != *g->diskStamp &&
            ui::Ui().messageBox("The file " + path +
                                    " has been changed by another program since it was opened or saved.\r\n"
                                    "Overwrite it?",
                                ui::AppTitle(), ui::Buttons::YesNo, ui::Icon::Exclamation) != ui::Yes)
            return false;
    }
    if (!writeFile(path, g->FileBytes())) return false;
    g->diskStamp = safe_save::StampOf(path);
    return true;
}

void frmMain::grammarSavedAs(frmGrammar* g, const QString& path)
{
    g->grmDir = folderOf(path);
    g->SetCaption(path);
    if (QLabel* panel = Panel(g->Key())) {
        panel->setText(path);
        panel->setToolTip(path);
    }
    if (NavWindow) NavWindow->SetNodeText(g->Key(), path);
    g->MarkSaved();
    RefreshRecentFiles(path);
}

bool frmMain::saveNeverSaved(frmGrammar* g, const QString& title)
{
    ui::FileDialog d;
    d.title = title;
    d.filter = GrammarFilter();
    d.fileName = g->Caption();
    const auto name = ui::Ui().saveFileName(d);
    if (!name || !saveGrammarTo(g, *name)) return false;
    grammarSavedAs(g, *name);
    return true;
}

bool frmMain::mnuFileSave_Click()
{
    frmGrammar* g = ActiveGrammar;
    if (!g) return false;
    if (NeverSaved(g->Caption())) return saveNeverSaved(g, QStringLiteral("Save Grammar"));
    if (!saveGrammarTo(g, g->Caption())) return false;
    g->MarkSaved();
    return true;
}

bool frmMain::mnuFileSaveAs_Click()
{
    frmGrammar* g = ActiveGrammar;
    if (!g) return false;
    ui::FileDialog d;
    d.fileName = NeverSaved(g->Caption()) && !g->GrammarName.isEmpty() ? g->GrammarName + ".grm" : g->Caption();
    d.title = QStringLiteral("Save Grammar As");
    d.initialFolder = g->grmDir;
    d.filter = GrammarFilter();
    const auto name = ui::Ui().saveFileName(d);
    if (!name || !saveGrammarTo(g, *name)) return false;
    grammarSavedAs(g, *name);
    return true;
}

void frmMain::mnuFileSaveAll_Click()
{
    const int count = GrammarCount;
    for (int i = 1; i <= count; ++i) {
        frmGrammar* g = GrammarAt(i);
        if (!g) continue;
        if (NeverSaved(g->Caption())) saveNeverSaved(g, QStringLiteral("Save"));
        else if (saveGrammarTo(g, g->Caption())) g->MarkSaved();
    }
}

void frmMain::mnuFileSaveParser_Click()
{
    frmGrammar* g = ActiveGrammar;
    if (!g || !g->frmParser || !g->frmParser->rtf()) return;
    const QString name = QDir::current().absoluteFilePath(GeneratedParserFileName(g->GrammarName, g->iGrmLanguage));
    writeFile(name, withLF(g->frmParser->rtf()->Text()));
}

void frmMain::mnuFileSaveParserAs_Click()
{
    frmGrammar* g = ActiveGrammar;
    if (!g || !g->frmParser || !g->frmParser->rtf()) return;
    ui::FileDialog d;
    d.fileName = GeneratedParserFileName(g->GrammarName, g->iGrmLanguage);
    d.title = QStringLiteral("Save As");
    d.initialFolder = g->grmDir;
    const auto name = ui::Ui().saveFileName(d);
    if (!name || !writeFile(*name, withLF(g->frmParser->rtf()->Text()))) return;
    g->frmParser->setWindowTitle(ui::AppTitle() + " - " + *name);
    g->grmDir = folderOf(*name);
}

void frmMain::mnuFile_Click()
{
    if (!Idle) return;
    QAction* save = cmd_.mnuFileSave;
    QAction* saveAs = cmd_.mnuFileSaveAs;
    QAction* saveAll = cmd_.mnuFileSaveAll;
    QAction* parser = cmd_.mnuFileSaveParser;
    QAction* parserAs = cmd_.mnuFileSaveParserAs;
    save->setText(QStringLiteral("&Save Grammar"));
    saveAs->setText(QStringLiteral("Save Grammar &As..."));
    saveAll->setText(QStringLiteral("Save A&ll Grammars"));
    parser->setText(QStringLiteral("Sa&ve Parser"));
    parserAs->setText(QStringLiteral("Save Pa&rser As..."));
    frmGrammar* g = ActiveGrammar;
    const bool any = g != nullptr;
    cmd_.mnuFileClose->setEnabled(any);
    cmd_.mnuFileCloseResults->setEnabled(any && g->Results());
    cmd_.mnuFilePageSetup->setEnabled(any);
    cmd_.mnuFilePrint->setEnabled(any);
    if (!any) {
        for (QAction* a : {save, saveAs, saveAll, parser, parserAs}) a->setEnabled(false);
        return;
    }
    if (!g->GrammarName.isEmpty()) {
        saveAs->setText("Save <" + g->GrammarName + "> grammar As");
        for (QAction* a : {save, saveAll, saveAs}) a->setEnabled(true);
    } else {
        for (QAction* a : {save, saveAll, saveAs}) a->setEnabled(g->Changed());
    }
    g->frmParser = g->ResultParser();
    if (!g->frmParser) {
        parser->setEnabled(false);
        parserAs->setEnabled(false);
    } else {
        const QString file = GeneratedParserFileName(g->GrammarName, g->iGrmLanguage);
        parser->setText("Save " + file);
        parserAs->setText("Save a copy of " + file + " As");
        parser->setEnabled(true);
        parserAs->setEnabled(true);
    }
}
