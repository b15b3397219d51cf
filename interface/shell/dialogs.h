// The small windows the shell opens: splash, options, About and the syntax-error window. The
// modal ones run through dialogs::Modal() (modal.h), which tests script.
#pragma once

#include <string>

class QWidget;

namespace dialogs {

void ShowSplash();
void UnloadSplash();
// Closes the splash at once, its fade cut short.
void CloseSplash();
// Reads the stored options and applies them over the start values.
void OptionsInit();
// Shows the options dialog modally, owned by `owner`.
void ShowOptions(QWidget* owner);
// Empties the options dialog's control lists before the program ends.
void RemoveOptCollection();
void ShowAbout(QWidget* owner);
// The modal window that shows a reader's syntax-error text.
void ShowErrorWindow(QWidget* owner, const std::string& errorText);

} // namespace dialogs
