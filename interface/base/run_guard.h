// Guards for the work a command starts: Idle cleared while it runs, its closing step (Idle,
// the pointer, the progress bar) run however it ends, and an exception nobody expected written
// to the Process window instead of being dropped.
#pragma once

#include <QString>
#include <exception>
#include <functional>

#include "main_frame.h"
#include "program_state.h"

// Idle cleared for the guard's life; afterwards it is what it was before.
class BusyScope {
public:
    BusyScope() : was_(ModuleMain::Idle) { ModuleMain::Idle = false; }
    ~BusyScope() { ModuleMain::Idle = was_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool was_;
};

// Writes an exception that escaped `where` to the frame's Process window; never throws.
void LogUnexpected(MainFrame* frame, const QString& where, std::exception_ptr failure) noexcept;

// Runs `work`; an exception that escapes it is logged as unexpected. False when one did.
bool RunLogged(MainFrame* frame, const QString& where, const std::function<void()>& work) noexcept;

// The run bracket: `close` runs when the scope ends, however the run inside ended.
class RunBracket {
public:
    RunBracket(MainFrame* frame, std::function<void()> close) : frame_(frame), close_(std::move(close)) {}
    ~RunBracket() { RunLogged(frame_, QStringLiteral("the end of a run"), close_); }
    RunBracket(const RunBracket&) = delete;
    RunBracket& operator=(const RunBracket&) = delete;

private:
    MainFrame* frame_;
    std::function<void()> close_;
};
