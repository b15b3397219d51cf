// The Process log: lines in the Process window and, after each, the whole log in
// "Tamberlix.log".
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextEdit>

#include "cp1251.h"
#include "dialogs.h"
#include "frmGrammar.h"
#include "frmLog.h"
#include "frmError.h"
#include "frmMain.h"
#include "module_main.h"
#include "pipeline.h"
#include "ui_services.h"

using namespace ModuleMain;

void frmMain::ShowProcessWindow()
{
    if (!LogDock) {
        LogDock = new QDockWidget(QStringLiteral("Process"), this);
        LogDock->setObjectName(QStringLiteral("LogDock"));
        addDockWidget(Qt::BottomDockWidgetArea, LogDock);
        connect(LogDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (closing_ || PanelCount() == 0) return;
            cmd_.mnuViewProcess->setChecked(visible);
            Panel1()->setToolTip(visible ? QStringLiteral("Click to hide the Process window")
                                         : QStringLiteral("Click to see the Process window"));
        });
        LogDock->hide();
        LogDock->installEventFilter(this);
    }
    delete LogDock->widget();
    auto* log = new frmLog(LogDock);
    LogDock->setWidget(log);
    LogText.clear();
    LogInErrorColour = false;
    LogHeight = 1388;
    resizeDocks({LogDock}, {static_cast<int>(LogHeight / TwipsPerPixel())}, Qt::Vertical);
    SetPanel1Text(QStringLiteral("Click to see the Process window"));
    Panel1()->setToolTip(QStringLiteral("Click to see the Process window"));
    LogWindow = log;
}

void frmMain::WriteLog(const QString& text) { WriteLogBytes(cp1251::fromUnicode(text)); }

void frmMain::WriteLogBytes(const std::string& text)
{
    if (!ShowProcess) return;
    if (!LogWindow) ShowProcessWindow();
    QTextEdit* box = LogWindow->editor;
    box->setUpdatesEnabled(false);
    LogText += text;
    // The file first, so that it always holds the whole log with the new line.
    saveLogFile();

    QTextCursor c(box->document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat format = c.charFormat();
    if (GrammarIsLL1 && LogInErrorColour) {
        format.setForeground(RichText::ColourOf(TextsFont.FontColor));
        LogInErrorColour = false;
    } else if (!GrammarIsLL1) {
        format.setForeground(RichText::ColourOf(ErrorFont.FontColor));
        LogInErrorColour = true;
    }
    QString shown = cp1251::toUnicode(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    c.insertText(shown, format);
    box->setUpdatesEnabled(true);
    box->moveCursor(QTextCursor::End);
    box->ensureCursorVisible();
}

// The current folder when it can be written, else the user's data folder. A failure never
// stops the caller; it is reported once.
void frmMain::saveLogFile()
{
    const auto write = [this](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        const bool ok =
            f.write(LogText.data(), static_cast<qint64>(LogText.size())) == static_cast<qint64>(LogText.size());
        f.close();
        return ok && f.error() == QFileDevice::NoError;
    };
    // A current folder that has been removed reads as empty: it is not the root folder.
    const QString folder = QDir::currentPath();
    const QString here = folder.isEmpty() ? QString() : QDir(folder).absoluteFilePath(QStringLiteral("Tamberlix.log"));
    if (!here.isEmpty() && write(here)) {
        logFilePath_ = here;
        return;
    }
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dataDir.isEmpty() && QDir().mkpath(dataDir)) {
        const QString there = QDir(dataDir).absoluteFilePath(QStringLiteral("Tamberlix.log"));
        if (write(there)) {
            logFilePath_ = there;
            return;
        }
    }
    logFilePath_.clear();
    if (!logFailureReported_) {
        logFailureReported_ = true;
        ui::Ui().messageBox(QStringLiteral("The log file \"Tamberlix.log\" could not be written in ") +
                                QDir::currentPath() + (dataDir.isEmpty() ? QString() : " or in " + dataDir) +
                                QStringLiteral(". The log is kept in the Process window only."),
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
    }
}

void frmMain::WinOnTop(QWidget* form)
{
    if (!form || form->isMaximized()) return;
    if (ShowProcess && LogDock && !isMaximized() && LogDock->isVisible()) LogDock->raise();
    if (ShowNavigation && NavWindow) {
        if (ActiveGrammar) ActiveGrammar->ExpandGrammarNode();
        if (NavDock && NavDock->isVisible()) NavDock->raise();
    }
}

void frmMain::RefreshGrammarText(const std::string& errorText)
{
    if (!LogWindow) ShowProcessWindow();
    ActiveChild = LogWindow;
    LogText += "\r\n";
    LogWindow->editor->moveCursor(QTextCursor::End);
    LogWindow->editor->insertPlainText(QStringLiteral("\n"));
    // The line before the final break: the grammar line that the error quotes. Positions are
    // the window's, where every break counts as CR LF: the log's bytes keep a lone CR or LF
    // as written, which would put every later colour one character off.
    const std::string log = LogWindow->rtfText.Text();
    size_t p = 0;
    if (log.size() >= 3) {
        const size_t cr = log.rfind('\r', log.size() - 3);
        if (cr != std::string::npos && cr > 0) {
            const size_t lf = log.rfind('\n', cr - 1);
            p = lf == std::string::npos ? 0 : lf + 1;
        }
    }
    StyleBase = static_cast<std::int32_t>(p);
    // The quoted line read again for its colours only, then its error marked.
    frmError::ColourQuotedText(LogWindow->rtfText, log.substr(p), StyleBase);
    LogWindow->editor->moveCursor(QTextCursor::End);
    dialogs::ShowErrorWindow(this, errorText);
    ActiveChild = ActiveGrammar;
}
