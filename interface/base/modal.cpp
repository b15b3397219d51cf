#include "modal.h"

#include <QDialog>

namespace dialogs {

namespace {

class ExecRunner final : public ModalRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

std::unique_ptr<ModalRunner>& current()
{
    static std::unique_ptr<ModalRunner> runner;
    return runner;
}

} // namespace

ModalRunner& Modal()
{
    auto& r = current();
    if (!r) r = std::make_unique<ExecRunner>();
    return *r;
}

void SetModalRunner(std::unique_ptr<ModalRunner> runner) { current() = std::move(runner); }

int ScriptedModal::Run(QDialog& dialog)
{
    ++runs;
    if (script) script(dialog);
    return dialog.result();
}

} // namespace dialogs
