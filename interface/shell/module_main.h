// The program-wide state of the window program: one set, read and written by the shell, the
// readers' hooks and the grammar workspace.
#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "style_hooks.h"

class frmMain;
class frmGrammar;
class frmSwitch;
class frmLog;
class ChildForm;
class RichText;

namespace ModuleMain {

using FontRec = readers::FontRec;

// RGB(r, g, b) as the stored options write a colour; system colours are 0x80000000 + index.
constexpr std::int32_t RGB(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr std::int32_t SystemColour(int index) { return static_cast<std::int32_t>(0x80000000u + static_cast<unsigned>(index)); }

inline frmMain* MainForm = nullptr;
inline frmGrammar* ActiveGrammar = nullptr;
inline frmSwitch* NavWindow = nullptr;
inline frmLog* LogWindow = nullptr;
inline ChildForm* ActiveChild = nullptr;

inline QString FindText;
inline bool FindMatchCase = false;
inline std::int32_t FindStart = 0;
inline bool FindRestart = false;
inline int FindDirection = 0;
inline bool FindOnly = false;
inline std::int32_t FindWrapAnswer = 0;
inline bool FindShown = false;

// 1-based as the list is numbered: entry 0 is never used. A closed window leaves nullptr.
inline std::vector<frmGrammar*> Grammars(1, nullptr);
inline std::int32_t GrammarCount = 0;

inline QString InterruptMsg;
inline bool FastWork = false;
inline bool GrammarIsLL1 = true;
inline std::int32_t CurLanguage = 1;
inline QString RuleEnd1 = QStringLiteral("\r");
inline QString RuleEnd2 = QStringLiteral("\n");
inline bool NavRefresh = false;
inline bool StopRequested = false;
inline bool CloseCancelled = false;
inline bool Idle = true;
inline bool ShowNavigation = true;
inline bool ShowProcess = true;
inline std::int32_t CurNotation = 1;

// Pipeline switches.
inline bool PreFact = true;
inline bool ShowFact = true;
inline bool PreLoops = true;
inline bool BuildActions = true;
inline bool BuildTree = false;
inline bool BuildNames = false;
inline bool ShowLoops = true;
inline bool PreLeftRecursion = true;
inline bool ShowLeftRecursion = true;
inline bool ShowNull = true;
inline bool ShowNonterminals = true;
inline bool ShowTerminals = true;
inline bool ShowIsEndOf = true;
inline bool ShowBeginsWith = true;
inline bool ShowIsFollowedBy = true;
inline bool ShowSelect = true;
inline bool ShowParser = true;

// Extensions of grammar files and of the result files.
inline QString ExtSource = QStringLiteral(".grm");
inline QString ExtDead = QStringLiteral(".tmp");
inline QString ExtUnreach = QStringLiteral(".tmp");
inline QString ExtFact = QStringLiteral(".tmp");
inline QString ExtLoops = QStringLiteral(".tmp");
inline QString ExtLeftRecursion = QStringLiteral(".tmp");
inline QString ExtNonterminals = QStringLiteral(".tmp");
inline QString ExtSelect = QStringLiteral(".tmp");

// The seven font records, in their fixed order; the readers' text-style hooks read the set.
inline readers::FontSet Fonts;
inline FontRec& TextsFont = Fonts.TextsFont;
inline FontRec& MatrixFont = Fonts.MatrixFont;
inline FontRec& NtmFont = Fonts.NtmFont;
inline FontRec& TrmFont = Fonts.TrmFont;
inline FontRec& ActFont = Fonts.ActFont;
inline FontRec& CnsFont = Fonts.CnsFont;
inline FontRec& ErrorFont = Fonts.ErrorFont;

inline std::int32_t StyleBase = 0;
inline std::int32_t StyleLength = 0;
inline std::int32_t StyleEnd = 0;

// Layout, in twips.
inline std::int32_t ChildHeight = 0;
inline std::int32_t ChildWidth = 0;
inline std::int32_t NavWidth = 0;
inline std::int32_t LogHeight = 0;
inline bool DockingView = false;
inline bool ResizeEnabled = true;
inline bool NavDocked = false;
inline bool LogDocked = false;

inline QString ActiveGrammarName;
inline bool MarkerGraphic = false;

// Progress of a tree run or a keyword colouring.
inline float ProgressStep = 0;
inline float ProgressSum = 0;
inline std::int32_t ProgressCount = 0;
inline std::int32_t ProgressReportAt = 0;
inline std::int32_t ProgressMax = 0;
inline std::int32_t ProgressReportStep = 0;

inline bool TitlesCached = false;
inline std::int32_t GrayColor = RGB(192, 192, 192);
inline std::int32_t RoseColor = RGB(236, 192, 192);

// Step 2 of Main: every start value, in the order Main writes them. Tests call it to begin
// from a fresh program.
void SetStartValues();

// The program's start procedure; returns the main window, shown. The arguments are the
// command line without the program's name.
frmMain* Main(const QStringList& arguments);

// The program's own folder (where the executable lies).
QString ProgramFolder();

// The Notation and Build images and the rule-end delimiters from CurNotation, CurLanguage;
// a grammar window passes its own notation and language to the second.
void SetNotationBuildButtons();
void SetNotationBuildImages(std::int32_t notation, std::int32_t language);

// A font record as a font (its colour aside).
QFont FontOf(const FontRec& rec);
// The whole text styled in TextsFont; the caret goes to 0.
void ApplyTextsFontToAll(RichText& text);
// The Quick button: colouring off (fast work) or on again.
void ToggleQuickMode();

// The grammar window of number n, or nullptr.
frmGrammar* GrammarAt(std::int32_t n);

} // namespace ModuleMain
