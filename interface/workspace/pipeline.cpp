// The processing run and the readings of the grammar text that it starts from. Every step is
// one or two engine calls, announced in the Process log and the status bar; what the options
// ask to see becomes a result window of the active grammar.
#include "pipeline.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QProgressBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTime>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <utility>

#include "bound_builder.h"
#include "colouring.h"
#include "cp1251.h"
#include "engine_binding.h"
#include "frmDocument.h"
#include "frmGrammar.h"
#include "frmGrid.h"
#include "frmSwitch.h"
#include "workspace_state.h"
#include "output/result_name.h"
#include "readers.h"
#include "run_guard.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Time() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }

std::string bytes(const QString& text) { return cp1251::fromUnicode(text); }

bool fileExists(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return static_cast<bool>(in);
}

// Progress of a long colouring on the main window's progress bar; the window stays responsive.
Colouring::Progress progressOn(MainFrame& main)
{
    return [&main](std::size_t done, std::size_t total) {
        if (total < 8192) return;
        QProgressBar* bar = main.ProgressBar();
        if (!bar) return;
        if (done >= total) {
            bar->setVisible(false);
            return;
        }
        bar->setRange(0, 1000);
        bar->setValue(static_cast<int>(1000.0 * static_cast<double>(done) / static_cast<double>(total)));
        bar->setVisible(true);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

// A colouring of a result document by one of the readers, given the box's text in CR LF.
using DocumentColouring = std::function<void(Colouring&, const std::string& text, frmDocument&, bool progress)>;

// The colouring of a document for when its text reaches the box, with the fonts and FastWork
// of the run that made it. No event runs meanwhile: the box may be painting. With progress the
// hourglass shows and the box is repainted once at the end; without, only the colours change.
frmDocument::Colour colourLater(DocumentColouring colour)
{
    return [fonts = Fonts, fast = FastWork, colour = std::move(colour)](frmDocument& d, bool progress) {
        MainFrame* main = progress ? Frame : nullptr;
        if (main) {
            d.setCursor(Qt::WaitCursor);
            d.editor->setUpdatesEnabled(false);
        }
        const readers::Pos caret = d.rtfText.SelStart();
        const std::int32_t base = StyleBase;
        StyleBase = 0;
        {
            Colouring colouring(d.rtfText, fonts, fast);
            colouring.SetCaret(0);
            colour(colouring, d.rtfText.Text(), d, main != nullptr);
            // The caret goes back at once: moving it to where the reading ended would lay out the
            // whole text to show it.
            colouring.SetCaret(caret);
            // The document was just loaded: it takes the texts font as a whole. Writing its ranges
            // takes a few milliseconds; the code colouring showed its own progress.
            colouring.Finish({}, fast ? nullptr : &fonts.TextsFont);
        }
        StyleBase = base;
        d.rtfText.SetSelStart(caret);
        if (main) {
            d.unsetCursor();
            if (ActiveGrammar) ActiveGrammar->unsetCursor();
            main->Window()->unsetCursor();
            d.editor->setUpdatesEnabled(true);
        }
    };
}

// The MDI area is not repainted while a run fills it: each result window would otherwise be
// laid out and painted as it comes, under the ones that follow, which was most of a short
// run's time. The area is painted once, as the run left it. The status bar, the progress bar
// and the Process window go on showing the run.
class AreaHeld {
public:
    explicit AreaHeld(MainFrame& main) : area_(main.MdiArea())
    {
        if (area_ && area_->updatesEnabled()) area_->setUpdatesEnabled(false);
        else area_ = nullptr;
    }
    ~AreaHeld()
    {
        if (area_) area_->setUpdatesEnabled(true);
    }
    AreaHeld(const AreaHeld&) = delete;
    AreaHeld& operator=(const AreaHeld&) = delete;

private:
    QPointer<QMdiArea> area_;
};

} // namespace

// The grammar's name as the engine took it, which names every result file of the run; empty
// when the name or the folder was refused, and then no file is read or deleted.
static std::string RunBase;

// The folder the run writes in.
static QString RunFolder;

// The grammar's own file, which no result file of the run may delete or replace.
static std::optional<std::pair<dev_t, ino_t>> RunGrammarFile;

namespace {

// Which file a name stands for, whatever its spelling or links.
std::optional<std::pair<dev_t, ino_t>> fileId(const char* name)
{
    struct stat st {};
    if (::stat(name, &st) != 0) return std::nullopt;
    return std::make_pair(st.st_dev, st.st_ino);
}

bool isGrammarFile(const std::string& name) { return RunGrammarFile && fileId(name.c_str()) == RunGrammarFile; }

void removeResult(const std::string& extension)
{
    if (RunBase.empty()) return;
    const std::string name = mv::names::ResultFileName(RunBase, extension);
    if (!isGrammarFile(name)) std::remove(name.c_str());
}

// The folder of an untitled grammar's files: one the user can find, never the program's.
QString untitledFolder()
{
    if (!UntitledWorkFolder.isEmpty()) return UntitledWorkFolder;
    QString home = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (home.isEmpty()) home = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return home + QStringLiteral("/Tamberlix");
}

} // namespace

void Pipeline::Log(const QString& text) { main_.WriteLog(Time() + text + CrLf); }
void Pipeline::status(const QString& text) { main_.SetPanel1Text(text); }
void Pipeline::letRun() { ui::Ui().processEvents(); }

bool Pipeline::engineWrote(const EngineExports& e)
{
    const std::string error = EngineClient(e).LastError();
    if (error.empty()) return true;
    Log(" ... " + cp1251::toUnicode(error));
    return false;
}

void Pipeline::ResetForNewGrammar()
{
    ShowExtraneousLists = true;
    GrammarFirst = GrammarLast = 0;
}

// ---- readings of the grammar text ----

void Pipeline::readGrammar(frmGrammar& g, bool engineRun, std::int32_t language)
{
    if (engineRun) ActiveChild = &g;
    if (ShowProcess) {
        if (!LogWindow) main_.ShowProcessWindow();
        if (!main_.LogBytes().empty()) main_.WriteLog(CrLf);
    }
    const QString panel = main_.Panel1Text();
    Log("   - Parsing grammar: " + g.Caption());
    status("Parsing grammar - " + g.Caption());
    g.setCursor(Qt::WaitCursor);
    const EngineExports* e = nullptr;
    if (engineRun) {
        e = Engine();
        if (!e) {
            g.unsetCursor();
            status(panel);
            return;
        }
        QString dir = g.grmDir;
        const bool untitled = NeverSaved(g.Caption()) || dir.isEmpty();
        if (untitled) {
            dir = untitledFolder();
            QDir().mkpath(dir);
            if (!dir.endsWith('/')) dir += '/';
        }
        RunFolder = dir;
        // The folder in the file system's own bytes, never through the code page.
        const EngineClient engine(*e);
        engine.Start(language, QFile::encodeName(dir).toStdString(), BuildActions, BuildTree, BuildNames);
        RunRefusal = engine.LastError();
        RunGrammarFile.reset();
        if (RunRefusal.empty() && !untitled) {
            // No result file may take the place of the grammar's own file.
            const std::string file = QFile::encodeName(g.Caption()).toStdString();
            engine.SetGrammarFile(file);
            RunGrammarFile = fileId(file.c_str());
        }
    }
    letRun();
    g.editor->setUpdatesEnabled(false);
    if (!engineRun || !FastWork) g.SetFont();
    const readers::Pos savedSelStart = g.rtfText.SelStart();
    if (!engineRun) ActiveChild = &g;
    // The reader is given CR LF at the end; the editor's text is left as it is.
    std::string text = g.rtfText.Text();
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
    StyleBase = 0;
    g.ClearErrorList();
    // After a syntax error the caret goes to where the reading stopped.
    readers::Pos caret = savedSelStart;
    {
        Colouring colouring(g.rtfText);
        colouring.SetCaret(0);
        std::string error;
        if (e) {
            BoundBuilder builder(*e);
            colouring.Read(g.iGrmNotation, text, error, &builder);
            ParseErrorText = error;
        } else {
            colouring.Read(g.iGrmNotation, text, error, nullptr);
        }
        if (!error.empty()) caret = colouring.Caret();
        g.ParseAfterSyntaxError(text, error, colouring);
        colouring.Finish(progressOn(main_));
    }
    g.unsetCursor();
    main_.Window()->unsetCursor();
    g.rtfText.SetSelStart(caret);
    g.editor->setUpdatesEnabled(true);
    letRun();
    if (!e) {
        status(panel);
        return;
    }
    if (!RunRefusal.empty()) {
        Log(" ... " + cp1251::toUnicode(RunRefusal));
        status(panel);
        return;
    }
    const std::optional<std::string> named = EngineClient(*e).GrammarName();
    if (!named) {
        status(panel);
        return;
    }
    const std::string& taken = *named;
    RunRefusal = mv::names::GrammarNameFault(mv::names::ResultBase(taken));
    if (RunRefusal.empty()) RunBase = taken;
    else Log(" ... " + cp1251::toUnicode(RunRefusal));
    std::string check;
    readers::Grammar_Name(taken, check);
    if (!check.empty()) {
        ui::Ui().messageBox(QStringLiteral("Invalid grammar name '") + cp1251::toUnicode(taken) +
                                QStringLiteral("'. Use next syntax:\r\n"
                                               "<Grammar_Name> ::= <Letter> { <Letter> | <Digit> | _ }*\r\n"
                                               "<Letter> ::= A-Z | a-z\r\n"
                                               "<Digit> ::= 0-9"),
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::None);
    } else {
        g.GrammarName = cp1251::toUnicode(taken);
    }
    main_.SetPanelText(ActiveGrammarName, g.GrammarName + " ");
    if (ShowNavigation && NavWindow) NavWindow->SetNodeText(ActiveGrammarName, g.GrammarName);
    status(panel);
}

void Pipeline::Parse(std::int32_t language)
{
    frmGrammar* g = ActiveGrammar;
    if (!g || g->TextEmpty()) return;
    RunBase.clear();
    RunRefusal.clear();
    readGrammar(*g, true, language);
}

void Pipeline::ParseGrammarForFonts()
{
    frmGrammar* g = ActiveGrammar;
    if (!g || g->TextEmpty()) return;
    readGrammar(*g, false, 0);
}

void Pipeline::ParseAndReport()
{
    ParseErrorText.clear();
    Parse(0);
    if (!ParseErrorText.empty()) {
        main_.WriteLog(Time() + " ... syntax error" + CrLf + cp1251::toUnicode(ParseErrorText));
        main_.RefreshGrammarText(ParseErrorText);
    }
}

void Pipeline::MarkSyntaxErrors(RichText& text, const std::string& source, const std::string& errorText)
{
    if (errorText.empty() || !ActiveChild) return;
    // The text may lie further down in the rich text (the caller's StyleBase).
    const readers::Pos base = StyleBase;
    Colouring colouring(text);
    std::string error = errorText;
    readers::Pos lastEnd = 0;
    while (!error.empty()) {
        StyleBase = static_cast<std::int32_t>(base);
        const readers::Pos s = colouring.Caret() - base;
        readers::Pos p = 0;
        if (s + 2 <= static_cast<readers::Pos>(source.size())) {
            const auto lf = source.rfind('\n', static_cast<size_t>(s + 1));
            p = lf == std::string::npos ? 0 : static_cast<readers::Pos>(lf) + 1;
        }
        const auto lastLf = error.rfind('\n');
        const readers::Pos k =
            static_cast<readers::Pos>(lastLf == std::string::npos ? error.size() : error.size() - lastLf - 1);
        if (k == 0) break;
        const auto cr = source.find('\r', static_cast<size_t>(p));
        const readers::Pos e = cr == std::string::npos ? 0 : static_cast<readers::Pos>(cr) + 1;
        readers::Pos q = p + k;
        if (q == e) q = s + 1;
        colouring.ApplyTextsFont(q);
        colouring.ApplyErrorFont(e);
        StyleBase = static_cast<std::int32_t>(base + e - 1);
        if (e == 0) break;
        colouring.SetCaret(base + e - 1);
        // Each pass must get further into the text than the one before.
        if (e <= lastEnd) break;
        lastEnd = e;
        const std::string rest = source.substr(static_cast<size_t>(e - 1));
        if (rest.empty()) break;
        std::string next;
        colouring.Read(ActiveGrammar ? ActiveGrammar->iGrmNotation : 1, rest, next, nullptr);
        error = next;
    }
    colouring.Finish();
    StyleBase = static_cast<std::int32_t>(base);
}

// ---- removal of extraneous symbols ----

void Pipeline::RemoveExtraneousRules(std::int32_t, std::int32_t& head, std::int32_t& tail)
{
    removeExtraneous(false, head, tail);
}

void Pipeline::RemoveExtraneousSymbols()
{
    std::int32_t head = 0, tail = 0;
    removeExtraneous(true, head, tail);
}

// The run's cleaning and the Tools command share every step; the command always shows the
// removed lists and puts the cleaned grammar into the editor.
void Pipeline::removeExtraneous(bool tools, std::int32_t& head, std::int32_t& tail)
{
    Parse(0);
    frmGrammar* g = ActiveGrammar;
    // The reason is in the log already; the callers stop on ParseErrorText.
    if (!RunRefusal.empty()) {
        ParseErrorText = RunRefusal;
        return;
    }
    if (!ParseErrorText.empty()) {
        main_.WriteLog(Time() + " ... syntax error" + CrLf + cp1251::toUnicode(ParseErrorText));
        main_.RefreshGrammarText(ParseErrorText);
        return;
    }
    const EngineExports* e = Engine();
    if (!g || !e) return;
    const auto name = [g] { return g->GrammarName; };
    const EngineClient engine(*e);
    bool shown = false;
    main_.WriteLog(Time() + " ... grammar - " + name() + CrLf + Time() +
                   "   - Searching and removing identical rules..." + CrLf);
    status("Searching and removing identical rules");
    letRun();
    std::int32_t ih = 0, it = 0;
    e->IdenticalRules(&ih, &it);
    main_.WriteLog(Time() + " ... grammar - " + name() + CrLf + Time() + "   - Searching dead nonterminals..." + CrLf);
    status("Searching dead nonterminals");
    letRun();
    std::int32_t dh = 0, dt = 0, ah = 0, at = 0;
    e->Alive(&dh, &dt, &ah, &at);
    const auto removeList = [&](std::int32_t h, std::int32_t t, const QString& docTitle, const char* fileTitle,
                                const QString& ext, const QString& what) {
        letRun();
        g->RemoveDocument(docTitle);
        QString listed;
        if (tools || ShowExtraneousLists) {
            shown = true;
            engine.FileNonterminals(h, t, fileTitle, bytes(ext));
            if (engineWrote(*e))
                if (frmDocument* d = LoadResultDocument(docTitle, ext)) listed = cp1251::toUnicode(d->rtfText.Text());
        }
        // The command's log shows the removed names too.
        main_.WriteLog((tools ? listed : QString()) + Time() + " ... removing " + what + " nonterminals" + CrLf);
        if (what == QLatin1String("dead"))
            status(tools ? QStringLiteral("Deleting dead nonterminals") : QStringLiteral("Removing dead nonterminals"));
        else status(QStringLiteral("Removing unreachable nonterminals"));
        letRun();
        e->DeleteNonterminals(&h, &t);
    };
    if (dh != 0 && dt != 0) {
        removeList(dh, dt, QStringLiteral("Dead nonterminals"), " dead nonterminals", ExtDead, QStringLiteral("dead"));
    } else {
        Log(" ... list of nonteminals is empty");
        status("List of dead nonteminals is empty");
    }
    if (ah == 0) {
        Log(" ... fatal error: there are no rules in this grammar");
        ParseErrorText = "Fatal error: there are no rules in this grammar";
        main_.RefreshGrammarText(ParseErrorText);
        return;
    }
    Log("   - Searching unreachable nonterminals...");
    status("Searching unreachable nonterminals");
    letRun();
    std::int32_t uh = 0, ut = 0, rh = 0, rt = 0;
    e->UnReachable(&uh, &ut, &rh, &rt);
    head = rh;
    tail = rt;
    if (uh != 0 && ut != 0) {
        removeList(uh, ut, QStringLiteral("Unreachable nonterminals"), " unreachable nonterminals", ExtUnreach,
                   QStringLiteral("unreachable"));
    } else {
        Log(" ... list of nonteminals is empty");
        status("List of unreachable nonteminals is empty");
    }
    if (tools) {
        engine.FileGrammar(rh, rt, " grammar after removing extraneous symbols", ".tmp");
        const std::string file = mv::names::ResultFileName(RunBase, ".tmp");
        if (engineWrote(*e) && !RunBase.empty() && !isGrammarFile(file) && fileExists(file)) {
            std::ifstream in(file, std::ios::binary);
            const std::string cleaned((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            g->bHoldUnChanged = true;
            g->rtfText.SetText(cleaned);
            g->bHoldUnChanged = false;
            g->Tag = -g->Number();
        }
        removeResult(".tmp");
    } else if (shown) {
        const QString docTitle = QStringLiteral("Grammar after removing extraneous symbols");
        g->RemoveDocument(docTitle);
        engine.FileRules(rh, rt, " grammar after removing extraneous symbols", ".tmp");
        if (engineWrote(*e)) LoadResultDocument(docTitle, QStringLiteral(".tmp"));
        removeResult(".tmp");
    }
}

// ---- result documents ----

frmDocument* Pipeline::LoadResultDocument(const QString& title, const QString& extension)
{
    frmGrammar* g = ActiveGrammar;
    if (!g) return nullptr;
    const bool idle = Idle;
    Idle = false;
    const std::string file = mv::names::ResultFileName(RunBase, bytes(extension));
    // A file the engine did not write this time is reported, never shown in its place; the
    // program is left as idle as it was.
    if (RunBase.empty() || isGrammarFile(file) || !fileExists(file)) {
        Log(" ... the result file \"" + cp1251::toUnicode(file) + "\" is missing");
        Idle = idle;
        return nullptr;
    }
    frmDocument* d = g->LoadNewDoc(g->GrammarName, title);
    ActiveChild = d;
    // The reading stops at the first line that is not in the listing's notation; what is
    // behind it keeps the texts font.
    d->LoadFile(file, colourLater([](Colouring& c, const std::string& text, frmDocument&, bool) {
        std::string error;
        c.Apply([&](readers::StyleHooks& hooks) { readers::BNFSetDocFonts2(text, error, hooks); });
    }));
    ActiveChild = g;
    letRun();
    return d;
}

// ---- the run ----

void Pipeline::showMatrixGrid(bool& firstGrid)
{
    if (!firstGrid) return;
    Log(" ... preparing grid params to show the matrixes");
    status("...preparing grid params to show the matrixes");
    if (auto* grid = dynamic_cast<frmGrid*>(ActiveChild))
        grid->VertText(NonterminalNames, static_cast<int>(NonterminalNames.size()) - 1, TerminalNames,
                       static_cast<int>(TerminalNames.size()) - 2);
    firstGrid = false;
}

void Pipeline::gridStep(const std::string& matrix, int N, int T, int cols, int terminalTitles, int rows,
                        const QString& title, std::int32_t colour, bool& firstGrid)
{
    frmGrammar* g = ActiveGrammar;
    frmGrid* grid = g->LoadNewGrid(NonterminalNames, N, TerminalNames, T, cols, N + 1, g->GrammarName, title);
    ActiveChild = grid;
    main_.WinOnTop(grid);
    showMatrixGrid(firstGrid);
    grid->ColumnTitles(NonterminalNames, N, TerminalNames, terminalTitles);
    grid->FillGrid(matrix, NonterminalNames, N, rows, RichText::ColourOf(colour));
}

void Pipeline::GetNewParser(std::int32_t language)
{
    frmGrammar* g = ActiveGrammar;
    if (!g || g->TextEmpty()) return;
    if (!Idle && !main_.IsLL1Run()) return;
    const EngineExports* e = Engine();
    if (!e) return;
    const AreaHeld held(main_);
    analysisRun(g, e, language);
    // The results a person sees as the run ends get their texts now, while the code colouring
    // can show its progress; the others wait until they are seen.
    const QString panel = main_.Panel1Text();
    {
        // The fills are the run's own work, however the run ended.
        const BusyScope busy;
        if (ActiveGrammar) ActiveGrammar->FillSeenDocuments();
    }
    status(panel);
}

void Pipeline::analysisRun(frmGrammar* g, const EngineExports* e, std::int32_t language)
{
    Idle = false;
    g->CloseAllDocuments();
    g->CloseAllGrids();
    GrammarIsLL1 = true;
    MatrixFailed = false;
    ParseErrorText.clear();
    std::int32_t first = 0, last = 0;
    // A run that ends early leaves its reason in the status bar, not the step it was at.
    const auto failed = [this] {
        const std::string why = ParseErrorText.substr(0, ParseErrorText.find_first_of("\r\n"));
        status(cp1251::toUnicode(EngineClient::Trimmed(why.data(), why.size())));
    };
    RemoveExtraneousRules(language, first, last);
    if (!ParseErrorText.empty()) {
        failed();
        return;
    }

    preparatoryTransformations(first, last);

    Log("   - Searching nullable rules...");
    status("Searching nullable rules");
    letRun();
    std::int32_t nh = 0, nt = 0;
    e->Nullable(&nh, &nt);
    const bool nullableWritten = engineWrote(*e);
    if (nh == 0 || nt == 0) {
        Log(" ... list of rules is empty");
        status("List of rules is empty");
    } else if (ShowNull && nullableWritten) {
        LoadResultDocument(QStringLiteral("Nullable rules"), QStringLiteral(".tmp"));
    }
    letRun();
    const EngineClient engine(*e);
    if (ShowNonterminals) {
        engine.FileNonterminals(first, last, " list of nonterminals", bytes(ExtNonterminals));
        if (engineWrote(*e)) LoadResultDocument(QStringLiteral("Nonterminals"), ExtNonterminals);
    }

    Log("   - Marking grammar...");
    status("Marking grammar");
    letRun();
    std::int32_t N = 0, T = 0, R = 0;
    e->NtmNumbering(&N);
    Log(" ... number of nonterminals - " + QString::number(N));
    letRun();
    e->TrmNumbering(&T);
    Log(" ... number of terminals - " + QString::number(T));
    letRun();
    if (T <= 0) main_.RefreshGrammarText("There are no terminals in this grammar.");
    e->RulesNumbering(&R);
    main_.WriteLog(Time() + " ... number of rules - " + QString::number(R) + CrLf + Time() +
                   " ... getting names of nonterminals" + CrLf);
    letRun();
    if (N < 0) N = 0;
    if (T < 0) T = 0;

    status("...getting names of nonterminals:");
    NonterminalNames.clear();
    for (const std::string& name : engine.NonterminalNames(N)) NonterminalNames.push_back(cp1251::toUnicode(name));
    letRun();
    Log(" ... getting names of terminals ");
    status("...getting names of terminals:");
    TerminalNames.clear();
    std::string list;
    frmDocument* terminals = nullptr;
    if (ShowTerminals) {
        terminals = g->LoadNewDoc(g->GrammarName, QStringLiteral("Terminals"));
        ActiveChild = terminals;
        main_.WinOnTop(terminals);
    }
    const std::vector<std::string> terminalNames = engine.TerminalNames(T);
    for (std::size_t i = 0; i < terminalNames.size(); ++i) {
        const std::string& t = terminalNames[i];
        TerminalNames.push_back(cp1251::toUnicode(t));
        if (ShowTerminals && i > 0) {
            const int c = static_cast<unsigned char>(t[0]);
            std::string number = std::to_string(i);
            if (number.size() < 7) number.insert(0, 7 - number.size(), ' ');
            list += number + std::string(10, ' ') + t + std::string(10, ' ');
            list += c == 10 ? std::string(10, ' ') + "        chr(" : std::string("chr(");
            list += std::to_string(c) + ")\r\n";
        }
    }
    TerminalNames.push_back(QStringLiteral("end marker"));
    letRun();
    if (terminals) {
        // The list itself is read, so that a line-feed or carriage-return terminal stays one
        // character; the box holds it as a line break.
        terminals->SetTextLater(list, colourLater([list](Colouring& c, const std::string&, frmDocument&, bool) {
            std::string error;
            c.Apply([&](readers::StyleHooks& hooks) {
                LoneBreakShift shift(list, hooks);
                readers::SetTerminalListFont(list, error, shift);
            });
        }));
        ActiveChild = g;
        letRun();
    }

    Log("   - Initializing matrixes...");
    status("Initializing matrixes");
    ParseErrorText = engine.InitMatrix();
    MatrixFailed = !ParseErrorText.empty();
    if (!ParseErrorText.empty()) {
        // Logged as the engine words it, after its leading blank.
        main_.WriteLog(Time() + " " + cp1251::toUnicode(ParseErrorText) + CrLf);
        main_.RefreshGrammarText(ParseErrorText);
        failed();
        return;
    }
    bool firstGrid = false;
    if (ShowIsEndOf || ShowBeginsWith || ShowIsFollowedBy) {
        TitlePictures.assign(static_cast<size_t>(N + T) + 2, QPixmap());
        // The titles are measured afresh for every run, so that none is cut.
        TitlesCached = false;
        firstGrid = true;
    }
    // The relation matrices in the order the engine builds them, each from the ones before.
    // A matrix has one column per nonterminal and N rows, then T rows per `terminalRows` and
    // `extraRows` more; its grid has a title column and terminal titles for the rows past N.
    struct MatrixStep {
        const char* log; // the status bar shows it without its indent and dots
        void (*EngineExports::*compute)();
        EngineClient::MatrixGetter fetch; // none for the product, which is only kept
        int terminalRows, extraRows;
        const bool* show;
        const char* title;
        std::int32_t colour;
    };
    const MatrixStep steps[] = {
        {"   - Calculating Is-End-Of matrix...", &EngineExports::IsEndOf, &EngineExports::GetIsEndOf, 0, 0,
         &ShowIsEndOf, "Is-End-Of", RGB(192, 0, 0)},
        {"   - Calculating Is-Followed-Directly-By matrix...", &EngineExports::IsFollowedDirectlyBy,
         &EngineExports::GetIsFolDirBy, 1, 0, nullptr, nullptr, 0},
        {"   - Calculating (Is-End-Of) x (Is-Followed-Directly-By) Production matrix",
         &EngineExports::EndOf_FolDirBy_Prod, nullptr, 0, 0, nullptr, nullptr, 0},
        {"   - Calculating Begins-With matrix...", &EngineExports::BeginsWith, &EngineExports::GetBeginsWith, 1, 0,
         &ShowBeginsWith, "Begins-With", RGB(0, 192, 0)},
        {"   - Calculating Is-Followed-By matrix...", &EngineExports::IsFollowedBy, &EngineExports::GetIsFollowedBy, 1,
         1, &ShowIsFollowedBy, "Is-Followed-By", RGB(0, 0, 192)},
    };
    for (const MatrixStep& step : steps) {
        const QString log = QLatin1String(step.log);
        Log(log);
        QString shown = log.mid(5);
        if (shown.endsWith(QLatin1String("..."))) shown.chop(3);
        status(shown);
        letRun();
        (e->*step.compute)();
        letRun();
        if (!step.fetch) continue;
        const int symbolRows = T * step.terminalRows + step.extraRows, rows = N + symbolRows;
        const std::string matrix =
            engine.Matrix(step.fetch, static_cast<std::size_t>(rows), static_cast<std::size_t>(N));
        letRun();
        if (step.show && *step.show)
            gridStep(matrix, N, T, rows + 1, symbolRows, rows, QLatin1String(step.title), step.colour, firstGrid);
    }

    Log("   - Calculating the Set of select...");
    status("Calculating the Set of select");
    letRun();
    GrammarIsLL1 = engine.FileSetOfSelect(bytes(ExtSelect));
    const bool selectWritten = engineWrote(*e);
    if (!GrammarIsLL1) {
        Log(" ... grammar is not LL(1)");
        status("Grammar is not LL(1)");
        letRun();
    }
    if (ShowSelect && selectWritten) LoadResultDocument(QStringLiteral("Set of select"), ExtSelect);

    // The run ends on its result: the parser file, or the verdict of the test.
    if (!main_.IsLL1Run() && main_.IsBuildRequested()) ParserCodeStep(language);
    else status(GrammarIsLL1 ? QStringLiteral("Grammar is LL(1)") : QStringLiteral("Grammar is not LL(1)"));
    letRun();
    Idle = true;
    GrammarFirst = first;
    GrammarLast = last;
}

// ---- the parser code ----

void Pipeline::ParserCodeStep(std::int32_t language)
{
    frmGrammar* g = ActiveGrammar;
    const EngineExports* e = Engine();
    if (!g || !e) return;
    Log("   - Getting parser code...");
    status("getting parser code");
    letRun();
    e->TamberlixCode(&language);
    const std::string failure = EngineClient(*e).LastError();

    const bool java = main_.ButtonImage(QStringLiteral("Build")) == QLatin1String("java_");
    const QString prefix = java ? QStringLiteral("Parser") : QString();
    const QString grammarName = g->GrammarName;
    const std::string parserFile = mv::names::ParserFileName(RunBase, language);
    // The log, the status bar and the document name the file as it is on disk (the C++
    // targets write their names in lower case).
    const QString title = cp1251::toUnicode(parserFile);
    const std::string logFile = mv::names::ResultFileName(RunBase, ".log");

    QString head;
    if (!RunBase.empty() && !isGrammarFile(logFile) && fileExists(logFile)) {
        frmDocument* logDoc = g->LoadNewDoc(grammarName, title);
        logDoc->LoadFile(logFile);
        // Only the head is wanted: the document closes before its text is ever in the box.
        std::ifstream in(logFile, std::ios::binary);
        std::string start(256, '\0');
        in.read(start.data(), static_cast<std::streamsize>(start.size()));
        start.resize(static_cast<std::size_t>(in.gcount()));
        head = cp1251::toUnicode(RichText::AsShown(start).substr(0, 46));
        frmGrammar::CloseResultWindow(logDoc);
    }
    // What the engine could not write is a failure, never a parser "kept in file".
    if (!failure.empty() || RunBase.empty() || isGrammarFile(parserFile) || !fileExists(parserFile)) {
        const QString why = failure.empty()
                                ? "The parser file \"" + cp1251::toUnicode(parserFile) + "\" was not written."
                                : cp1251::toUnicode(failure);
        main_.WriteLog(Time() + " ..." + head + CrLf + Time() + " ... " + why + CrLf);
        status(why);
        removeResult(".tmp");
        removeResult(".log");
        return;
    }
    main_.WriteLog(Time() + " ..." + head + CrLf + Time() + " ... The parser code is kept in file " + title + CrLf);
    // An untitled grammar has no folder of its own: the user is told where its files are.
    if (NeverSaved(g->Caption())) Log("   - The files of the untitled grammar are in the folder " + RunFolder);
    status("The parser code is kept in file " + title);
    removeResult(".tmp");
    removeResult(".log");
    if (!ShowParser) return;

    // The keywords are coloured by the "Build" button's image: Visual Basic, or C++ and Java
    // alike; Fortran and Pascal code is not coloured.
    const QString image = main_.ButtonImage(QStringLiteral("Build"));
    const bool vb = image == QLatin1String("bas");
    const bool cpp = image == QLatin1String("java_") || image == QLatin1String("cc") || image == QLatin1String("cpp");
    const auto open = [&](const QString& docTitle, const std::string& file, bool asVB, bool asCpp) {
        frmDocument* d = g->LoadNewDoc(grammarName, docTitle);
        ActiveChild = d;
        frmDocument::Colour colour;
        if (!FastWork && (asVB || asCpp)) {
            // Cleared for the rest of the run; its finish sets it again.
            Idle = false;
            colour = colourLater([asVB](Colouring& c, const std::string& text, frmDocument& doc, bool progress) {
                std::optional<CodeProgress> shown;
                if (progress) shown.emplace(Frame->ProgressBar(), Frame->Panel1(), doc.rtfText, c);
                CodeProgress* host = shown ? &*shown : nullptr;
                c.Apply([&](readers::StyleHooks& hooks) {
                    if (asVB) readers::SetVBCodeFonts(text, hooks, host);
                    else readers::SetCppCodeFonts(text, hooks, host);
                });
            });
        }
        d->LoadFile(file, std::move(colour));
        d->SetLocked(false);
        g->frmParser = d;
        letRun();
        return d;
    };
    open(title, parserFile, vb, cpp);
    g->GrammarName = grammarName + prefix;
    status("The parser code is kept in file " + title);
    if (language == 9) {
        const std::string header = mv::names::ParserHeaderName(RunBase);
        if (fileExists(header)) open(cp1251::toUnicode(header), header, false, true);
    }
}

// ---- commands of the transformation issue ----
