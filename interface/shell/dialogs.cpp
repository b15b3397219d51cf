// The shell's small windows, as the main window and the start-up reach them.
#include "dialogs.h"

#include <QApplication>
#include <QPointer>

#include "frmAbout.h"
#include "frmError.h"
#include "frmGrammar.h"
#include "frmMain.h"
#include "frmOptions.h"
#include "frmSplash2.h"
#include "modal.h"
#include "module_main.h"
#include "pipeline.h"
#include "program_options.h"

namespace dialogs {

namespace {
QPointer<frmSplash2>& splash()
{
    static QPointer<frmSplash2> s;
    return s;
}
} // namespace

void ShowSplash()
{
    if (splash()) return;
    auto* s = new frmSplash2;
    s->setAttribute(Qt::WA_DeleteOnClose);
    splash() = s;
    s->Form_Load();
}

void UnloadSplash()
{
    // Start-up is done; the fade may still be running and closes the window when it ends.
    if (frmSplash2* s = splash()) s->CloseWhenFaded();
    splash() = nullptr;
}

void CloseSplash()
{
    if (frmSplash2* s = splash()) s->close();
    splash() = nullptr;
}

void OptionsInit() { options::ApplyToProgram(options::ReadStored().values); }

void ShowOptions(QWidget* owner)
{
    frmOptions dialog(owner);
    dialog.Form_Load();
    dialog.Form_Activate();
    Modal().Run(dialog);
}

// The dialog's lists live and die with each dialog; nothing outlives it.
void RemoveOptCollection() {}

void ShowAbout(QWidget* owner)
{
    frmAbout about(owner);
    Modal().Run(about);
}

void ShowErrorWindow(QWidget* owner, const std::string& errorText)
{
    using namespace ModuleMain;
    frmError window(owner);
    ActiveChild = window.body;
    window.SetErrorText(errorText);
    // The quoted source line is read again from its start, so that its error is marked.
    const size_t lf = errorText.find('\n');
    const size_t p = lf == std::string::npos ? 0 : lf + 1;
    StyleBase = static_cast<std::int32_t>(p);
    frmError::ColourQuotedText(window.rtfText, errorText.substr(p) + "\r\n", StyleBase);
    window.ShowFromStart();
    Modal().Run(window);
    ActiveChild = ActiveGrammar;
}

} // namespace dialogs
