// The program-wide state of the window program: one value in named groups. The names the rest
// of the program reads and writes are references into that value, so a fresh start is one
// assignment and nothing lives outside it.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

#include "options_string.h"
#include "style_hooks.h"

class RichText;

namespace ModuleMain {

using FontRec = readers::FontRec;

// RGB(r, g, b) as the stored options write a colour; system colours are 0x80000000 + index.
constexpr std::int32_t RGB(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr std::int32_t SystemColour(int index)
{
    return static_cast<std::int32_t>(0x80000000u + static_cast<unsigned>(index));
}

// A font record with a name, a size and a colour, its effects off.
inline FontRec MakeFont(const char* name, int size, std::int32_t colour)
{
    FontRec f;
    f.FontName = name;
    f.FontSize = size;
    f.FontColor = colour;
    return f;
}

// Every member starts at the value the program starts with.
struct ProgramState {
    // The stored options, field group by field group.
    options::OptionValues options;

    // What the options set: the processing switches, the extensions, the fonts, the notation
    // and the target language.
    struct Switches {
        bool PreFact = true;
        bool ShowFact = true;
        bool PreLoops = true;
        bool BuildActions = true;
        bool BuildTree = false;
        bool BuildNames = false;
        bool ShowLoops = true;
        bool PreLeftRecursion = true;
        bool ShowLeftRecursion = true;
        bool ShowNull = true;
        bool ShowNonterminals = true;
        bool ShowTerminals = true;
        bool ShowIsEndOf = true;
        bool ShowBeginsWith = true;
        bool ShowIsFollowedBy = true;
        bool ShowSelect = true;
        bool ShowParser = true;

        // Extensions of grammar files and of the result files.
        QString ExtSource = QStringLiteral(".grm");
        QString ExtDead = QStringLiteral(".tmp");
        QString ExtUnreach = QStringLiteral(".tmp");
        QString ExtFact = QStringLiteral(".tmp");
        QString ExtLoops = QStringLiteral(".tmp");
        QString ExtLeftRecursion = QStringLiteral(".tmp");
        QString ExtNonterminals = QStringLiteral(".tmp");
        QString ExtSelect = QStringLiteral(".tmp");

        // The seven font records, in their fixed order; the readers' text-style hooks read the set.
        readers::FontSet Fonts{
            MakeFont("Courier New", 10, SystemColour(8)),    MakeFont("Arial", 7, SystemColour(13)),
            MakeFont("Courier New", 10, RGB(0, 0, 128)),     MakeFont("Courier New", 10, RGB(0, 0, 192)),
            MakeFont("Courier New", 10, RGB(128, 128, 128)), MakeFont("Courier New", 10, RGB(0, 128, 0)),
            MakeFont("Courier New", 10, RGB(160, 0, 0))};

        std::int32_t CurNotation = 1;
        std::int32_t CurLanguage = 1;
        bool MarkerGraphic = false;
    } switches;

    // The frame's layout, in twips, and what it shows.
    struct Layout {
        std::int32_t ChildHeight = 0;
        std::int32_t ChildWidth = 0;
        std::int32_t NavWidth = 0;
        std::int32_t LogHeight = 0;
        bool DockingView = false;
        bool ResizeEnabled = true;
        bool NavDocked = false;
        bool LogDocked = false;
        bool ShowNavigation = true;
        bool ShowProcess = true;
        bool NavRefresh = false;
        bool TitlesCached = false;
        std::int32_t GrayColor = RGB(192, 192, 192);
        std::int32_t RoseColor = RGB(236, 192, 192);
    } layout;

    // The find and replace dialog's question and where it stands.
    struct Find {
        QString FindText;
        bool FindMatchCase = false;
        std::int32_t FindStart = 0;
        bool FindRestart = false;
        int FindDirection = 0;
        bool FindOnly = false;
        std::int32_t FindWrapAnswer = 0;
        bool FindShown = false;
    } find;

    // Progress of a tree run or a keyword colouring.
    struct Progress {
        float ProgressStep = 0;
        float ProgressSum = 0;
        std::int32_t ProgressCount = 0;
        std::int32_t ProgressReportAt = 0;
        std::int32_t ProgressMax = 0;
        std::int32_t ProgressReportStep = 0;
    } progress;

    // The run: whether one is going, how it was asked to end, and the text it styles.
    struct Run {
        bool Idle = true;
        bool StopRequested = false;
        bool CloseCancelled = false;
        QString InterruptMsg;
        bool FastWork = false;
        bool GrammarIsLL1 = true;
        QString RuleEnd1 = QStringLiteral("\r");
        QString RuleEnd2 = QStringLiteral("\n");
        QString ActiveGrammarName;
        std::int32_t StyleBase = 0;
        std::int32_t StyleLength = 0;
        std::int32_t StyleEnd = 0;
    } run;
};

inline ProgramState State;

inline bool& PreFact = State.switches.PreFact;
inline bool& ShowFact = State.switches.ShowFact;
inline bool& PreLoops = State.switches.PreLoops;
inline bool& BuildActions = State.switches.BuildActions;
inline bool& BuildTree = State.switches.BuildTree;
inline bool& BuildNames = State.switches.BuildNames;
inline bool& ShowLoops = State.switches.ShowLoops;
inline bool& PreLeftRecursion = State.switches.PreLeftRecursion;
inline bool& ShowLeftRecursion = State.switches.ShowLeftRecursion;
inline bool& ShowNull = State.switches.ShowNull;
inline bool& ShowNonterminals = State.switches.ShowNonterminals;
inline bool& ShowTerminals = State.switches.ShowTerminals;
inline bool& ShowIsEndOf = State.switches.ShowIsEndOf;
inline bool& ShowBeginsWith = State.switches.ShowBeginsWith;
inline bool& ShowIsFollowedBy = State.switches.ShowIsFollowedBy;
inline bool& ShowSelect = State.switches.ShowSelect;
inline bool& ShowParser = State.switches.ShowParser;
inline QString& ExtSource = State.switches.ExtSource;
inline QString& ExtDead = State.switches.ExtDead;
inline QString& ExtUnreach = State.switches.ExtUnreach;
inline QString& ExtFact = State.switches.ExtFact;
inline QString& ExtLoops = State.switches.ExtLoops;
inline QString& ExtLeftRecursion = State.switches.ExtLeftRecursion;
inline QString& ExtNonterminals = State.switches.ExtNonterminals;
inline QString& ExtSelect = State.switches.ExtSelect;
inline readers::FontSet& Fonts = State.switches.Fonts;
inline FontRec& TextsFont = Fonts.TextsFont;
inline FontRec& MatrixFont = Fonts.MatrixFont;
inline FontRec& NtmFont = Fonts.NtmFont;
inline FontRec& TrmFont = Fonts.TrmFont;
inline FontRec& ActFont = Fonts.ActFont;
inline FontRec& CnsFont = Fonts.CnsFont;
inline FontRec& ErrorFont = Fonts.ErrorFont;
inline std::int32_t& CurNotation = State.switches.CurNotation;
inline std::int32_t& CurLanguage = State.switches.CurLanguage;
inline bool& MarkerGraphic = State.switches.MarkerGraphic;

inline std::int32_t& ChildHeight = State.layout.ChildHeight;
inline std::int32_t& ChildWidth = State.layout.ChildWidth;
inline std::int32_t& NavWidth = State.layout.NavWidth;
inline std::int32_t& LogHeight = State.layout.LogHeight;
inline bool& DockingView = State.layout.DockingView;
inline bool& ResizeEnabled = State.layout.ResizeEnabled;
inline bool& NavDocked = State.layout.NavDocked;
inline bool& LogDocked = State.layout.LogDocked;
inline bool& ShowNavigation = State.layout.ShowNavigation;
inline bool& ShowProcess = State.layout.ShowProcess;
inline bool& NavRefresh = State.layout.NavRefresh;
inline bool& TitlesCached = State.layout.TitlesCached;
inline std::int32_t& GrayColor = State.layout.GrayColor;
inline std::int32_t& RoseColor = State.layout.RoseColor;

inline QString& FindText = State.find.FindText;
inline bool& FindMatchCase = State.find.FindMatchCase;
inline std::int32_t& FindStart = State.find.FindStart;
inline bool& FindRestart = State.find.FindRestart;
inline int& FindDirection = State.find.FindDirection;
inline bool& FindOnly = State.find.FindOnly;
inline std::int32_t& FindWrapAnswer = State.find.FindWrapAnswer;
inline bool& FindShown = State.find.FindShown;

inline float& ProgressStep = State.progress.ProgressStep;
inline float& ProgressSum = State.progress.ProgressSum;
inline std::int32_t& ProgressCount = State.progress.ProgressCount;
inline std::int32_t& ProgressReportAt = State.progress.ProgressReportAt;
inline std::int32_t& ProgressMax = State.progress.ProgressMax;
inline std::int32_t& ProgressReportStep = State.progress.ProgressReportStep;

inline bool& Idle = State.run.Idle;
inline bool& StopRequested = State.run.StopRequested;
inline bool& CloseCancelled = State.run.CloseCancelled;
inline QString& InterruptMsg = State.run.InterruptMsg;
inline bool& FastWork = State.run.FastWork;
inline bool& GrammarIsLL1 = State.run.GrammarIsLL1;
inline QString& RuleEnd1 = State.run.RuleEnd1;
inline QString& RuleEnd2 = State.run.RuleEnd2;
inline QString& ActiveGrammarName = State.run.ActiveGrammarName;
inline std::int32_t& StyleBase = State.run.StyleBase;
inline std::int32_t& StyleLength = State.run.StyleLength;
inline std::int32_t& StyleEnd = State.run.StyleEnd;

// The program's own folder (where the executable lies).
QString ProgramFolder();
// Twips of one pixel of the screen.
double TwipsPerPixel();
// True when the window is never saved: its caption begins "Unsaved " or "Untitled".
bool NeverSaved(const QString& caption);

// A font record as a font (its colour aside).
QFont FontOf(const FontRec& rec);
// The whole text styled in TextsFont; the caret goes to 0.
void ApplyTextsFontToAll(RichText& text);

} // namespace ModuleMain
