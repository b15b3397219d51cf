// Start-up and the program-wide state.
#include "module_main.h"

#include <QApplication>
#include <QDir>
#include <QTextEdit>

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
    ActiveGrammar = nullptr;
    NavWindow = nullptr;
    LogWindow = nullptr;
    ActiveChild = nullptr;
    FindText.clear();
    FindMatchCase = false;
    FindStart = 0;
    FindRestart = false;
    FindDirection = 0;
    FindOnly = false;
    FindWrapAnswer = 0;
    FindShown = false;
    Grammars.assign(1, nullptr);
    GrammarCount = 0;
    InterruptMsg.clear();
    NavRefresh = false;
    StopRequested = false;
    StyleBase = StyleLength = StyleEnd = 0;
    ChildHeight = ChildWidth = NavWidth = LogHeight = 0;
    DockingView = NavDocked = LogDocked = false;
    ActiveGrammarName.clear();
    TitlesCached = false;

    // In the order Main writes them.
    FastWork = false;
    CloseCancelled = false;
    Idle = true;
    ShowNavigation = true;
    ShowProcess = true;
    BuildActions = true;
    BuildTree = false;
    BuildNames = false;
    CurNotation = 1;
    PreFact = true;
    ShowFact = true;
    PreLoops = true;
    ShowLoops = ShowLeftRecursion = ShowNull = ShowNonterminals = ShowTerminals = true;
    ShowIsEndOf = ShowBeginsWith = ShowIsFollowedBy = ShowSelect = ShowParser = true;
    PreLeftRecursion = true;
    ExtSource = QStringLiteral(".grm");
    ExtDead = ExtUnreach = ExtFact = ExtLoops = ExtLeftRecursion = ExtNonterminals = ExtSelect =
        QStringLiteral(".tmp");
    const auto font = [](const char* name, int size, std::int32_t colour) {
        FontRec f;
        f.FontName = name;
        f.FontSize = size;
        f.FontColor = colour;
        return f;
    };
    TextsFont = font("Courier New", 10, SystemColour(8));
    MatrixFont = font("Arial", 7, SystemColour(13));
    NtmFont = font("Courier New", 10, RGB(0, 0, 128));
    TrmFont = font("Courier New", 10, RGB(0, 0, 192));
    ActFont = font("Courier New", 10, RGB(128, 128, 128));
    CnsFont = font("Courier New", 10, RGB(0, 128, 0));
    ErrorFont = font("Courier New", 10, RGB(160, 0, 0));
    MarkerGraphic = false;
    GrayColor = RGB(192, 192, 192);
    RoseColor = RGB(236, 192, 192);
    GrammarIsLL1 = true;
    ResizeEnabled = true;
    CurLanguage = 1;
    RuleEnd1 = QStringLiteral("\r");
    RuleEnd2 = QStringLiteral("\n");
}

QString ProgramFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

frmMain* Main(const QStringList& arguments)
{
    dialogs::ShowSplash();
    SetStartValues();
    MainForm = new frmMain;
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

frmGrammar* GrammarAt(std::int32_t n)
{
    if (n < 1 || n >= static_cast<std::int32_t>(Grammars.size())) return nullptr;
    return Grammars[static_cast<size_t>(n)];
}

void SetNotationBuildButtons() { SetNotationBuildImages(CurNotation, CurLanguage); }

void SetNotationBuildImages(std::int32_t notation, std::int32_t language)
{
    RuleEnd1 = QStringLiteral("\r");
    RuleEnd2 = QStringLiteral("\n");
    if (notation == 4) RuleEnd1 = RuleEnd2 = QStringLiteral(";");
    if (!MainForm) return;
    const QString n = NotationImage(notation);
    if (!n.isEmpty()) MainForm->SetButtonImage(QStringLiteral("Notation"), n);
    if (const LanguageRow* row = LanguageRowOf(language))
        MainForm->SetButtonImage(QStringLiteral("Build"), QString::fromLatin1(row->Image));
}

QFont FontOf(const FontRec& rec)
{
    QFont f(QString::fromStdString(rec.FontName));
    f.setPointSize(rec.FontSize > 0 ? rec.FontSize : 10);
    f.setBold(rec.FontBold);
    f.setItalic(rec.FontItalic);
    f.setUnderline(rec.FontUnderline);
    f.setStrikeOut(rec.FontStrikethru);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

void ApplyTextsFontToAll(RichText& t)
{
    t.SetHoldUnchanged(true);
    t.SetSelStart(0);
    t.SetSelLength(t.TextLength());
    t.SetSelFontName(TextsFont.FontName);
    t.SetSelFontSize(TextsFont.FontSize);
    t.SetSelColor(TextsFont.FontColor);
    t.SetSelBold(TextsFont.FontBold);
    t.SetSelItalic(TextsFont.FontItalic);
    t.SetSelUnderline(TextsFont.FontUnderline);
    t.SetSelStrikeThru(TextsFont.FontStrikethru);
    t.SetSelStart(0);
    t.SetHoldUnchanged(false);
}

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
