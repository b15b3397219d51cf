// Placeholders for the small windows that are not built yet.
#include "dialogs.h"

#include "cp1251.h"
#include "ui_services.h"

namespace dialogs {

namespace {
void notYet(const QString& what)
{
    ui::Ui().messageBox(what + QStringLiteral(" is not available yet."), ui::AppTitle(), ui::Buttons::Ok,
                        ui::Icon::Information);
}
} // namespace

void ShowSplash() {}
void UnloadSplash() {}
void OptionsInit() {}
void ShowOptions(QWidget*) { notYet(QStringLiteral("The Options dialog")); }
void RemoveOptCollection() {}
void ShowAbout(QWidget*) { notYet(QStringLiteral("The About box")); }
void ShowErrorWindow(QWidget*, const std::string& errorText)
{
    ui::Ui().messageBox(cp1251::toUnicode(errorText), ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
}

} // namespace dialogs
