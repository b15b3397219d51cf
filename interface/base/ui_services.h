// What a person would otherwise answer: message boxes, file dialogs, the printer dialog and the
// clock. The program uses the Qt implementation; tests install scripted ones.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;
class QPrinter;

namespace ui {

// Answers as the message boxes give them.
enum Answer : std::int32_t { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Critical, Question };

struct FileDialog {
    QString title;
    QString filter; // "Grammars (*.grm)|*.grm|All Files (*.*)|*.*"
    QString initialFolder;
    QString fileName; // proposed name
};

class UiServices {
public:
    virtual ~UiServices() = default;
    virtual Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon) = 0;
    // nullopt when the dialog was cancelled.
    virtual std::optional<QString> openFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog& dialog) = 0;
    // The printer dialog; false when cancelled. Page Setup passes printer settings only.
    virtual bool printDialog(QPrinter& printer, const QString& title, bool selection) = 0;
    // Milliseconds since some fixed moment.
    virtual std::int64_t tickCount() = 0;
    // Lets pending window events run (the clock's wait between two animation steps).
    virtual void processEvents() = 0;
};

UiServices& Ui();
// Installs the services; the previous ones are dropped. nullptr restores the Qt ones.
void SetUi(std::unique_ptr<UiServices> services);

// The program's title, which titles its message boxes and names its settings.
QString AppTitle();

// Converts the "Name|*.ext|Name|*.*" filter of the grammar dialogs to Qt's form.
QString QtFilter(const QString& filter);

} // namespace ui
