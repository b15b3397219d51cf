// Start-up of the window program, and the main window as the shell reaches it. The state lives
// in the base (program_state.h) and the workspace (workspace_state.h).
#pragma once

#include <QStringList>
#include <cstdint>

#include "program_state.h"
#include "workspace_state.h"

class frmMain;

namespace ModuleMain {

inline frmMain* MainForm = nullptr;

// Step 2 of Main: every start value. Tests call it to begin from a fresh program.
void SetStartValues();

// The program's start procedure; returns the main window, shown. The arguments are the
// command line without the program's name.
frmMain* Main(const QStringList& arguments);

// The Notation and Build images and the rule-end delimiters from CurNotation, CurLanguage.
void SetNotationBuildButtons();
// The Quick button: colouring off (fast work) or on again.
void ToggleQuickMode();

} // namespace ModuleMain
