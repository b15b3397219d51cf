// The workspace's share of the program-wide state: its open windows, what the main window
// handed it, and what only the grammar windows and the processing read and write.
#pragma once

#include <QPixmap>
#include <QString>
#include <cstdint>
#include <vector>

#include "main_frame.h"
#include "program_state.h"

class frmGrammar;
class frmSwitch;
class frmLog;
class ChildForm;
class Pipeline;

namespace ModuleMain {

// The main window as the workspace sees it, and its processing; set when the main window is
// made, nullptr before and after.
inline MainFrame* Frame = nullptr;
inline Pipeline* Processing = nullptr;

inline frmGrammar* ActiveGrammar = nullptr;
inline frmSwitch* NavWindow = nullptr;
inline frmLog* LogWindow = nullptr;
inline ChildForm* ActiveChild = nullptr;

// 1-based as the list is numbered: entry 0 is never used. A closed window leaves nullptr.
inline std::vector<frmGrammar*> Grammars(1, nullptr);
inline std::int32_t GrammarCount = 0;

// The navigation key of the result window that last took the focus.
inline QString ActiveNodeKey;
// The rotated column titles of the grids of one run, 1..N+T+1 (entry 0 unused); an empty
// pixmap where a one-character terminal is shown as text.
inline std::vector<QPixmap> TitlePictures;
// Height of the title row and width of the title column, in pixels.
inline int TitleLength = 0;
// Height of one line of title text, in pixels.
inline int TitleTextHeight = 0;

// Where an untitled grammar's run writes its files; empty: the user's documents folder.
inline QString UntitledWorkFolder;

// The open windows forgotten, as at a fresh start.
void ResetWindows();

// The grammar window of number n, or nullptr.
frmGrammar* GrammarAt(std::int32_t n);

// The Notation and Build images for a notation and a language, and the rule-end delimiters
// of the notation.
void SetNotationBuildImages(std::int32_t notation, std::int32_t language);

} // namespace ModuleMain
