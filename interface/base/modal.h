// How the shell's modal windows are run: the program runs them to their end; tests install a
// runner that acts on the window and returns at once.
#pragma once

#include <functional>
#include <memory>

class QDialog;

namespace dialogs {

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Runs the dialog modally; the dialog's result code.
    virtual int Run(QDialog& dialog) = 0;
};

ModalRunner& Modal();
// Installs a runner; nullptr restores the one that waits for the user.
void SetModalRunner(std::unique_ptr<ModalRunner> runner);

// A runner that hands each dialog to a function (tests).
class ScriptedModal final : public ModalRunner {
public:
    std::function<void(QDialog&)> script;
    int runs = 0;
    int Run(QDialog& dialog) override;
};

} // namespace dialogs
