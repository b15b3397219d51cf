// A fresh program for each test: scripted message boxes, file dialogs and clock, its own
// settings file and work folder, and the main window made by the start procedure.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QString>
#include <QTreeWidget>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "frmGrammar.h"
#include "frmMain.h"
#include "modal.h"
#include "module_main.h"
#include "settings.h"
#include "support/work_folder.h"
#include "ui_services.h"

class ScriptedUi final : public ui::UiServices {
public:
    struct Message {
        QString text, title;
        ui::Buttons buttons;
        bool overSplash = false;  // the splash window was still on the screen
    };
    std::vector<Message> messages;
    std::deque<ui::Answer> answers;               // next message-box answers; Ok/No/... by default
    std::deque<std::optional<QString>> files;     // next file-dialog answers; cancel when empty
    std::vector<ui::FileDialog> dialogs;          // what the dialogs were asked
    std::int64_t clock = 0;
    int printDialogs = 0;
    std::vector<std::pair<QString, bool>> printRequests;  // title, selection offered

    ui::Answer messageBox(const QString& text, const QString& title, ui::Buttons buttons, ui::Icon) override
    {
        messages.push_back({text, title, buttons, SplashShown()});
        if (!answers.empty()) {
            const ui::Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == ui::Buttons::Ok ? ui::Ok : ui::No;
    }
    std::optional<QString> openFileName(const ui::FileDialog& d) override { return next(d); }
    std::optional<QString> saveFileName(const ui::FileDialog& d) override { return next(d); }
    bool printDialog(QPrinter&, const QString& title, bool selection) override
    {
        ++printDialogs;
        printRequests.emplace_back(title, selection);
        return false;
    }
    std::int64_t clockStep = 1;                   // milliseconds the clock moves per reading
    std::int64_t tickCount() override
    {
        const std::int64_t now = clock;
        clock += clockStep;
        return now;
    }
    void processEvents() override {}

    static bool SplashShown()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmSplash2") && w->isVisible()) return true;
        return false;
    }

private:
    std::optional<QString> next(const ui::FileDialog& d)
    {
        dialogs.push_back(d);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (Main) with this command line.
    void Start(const QStringList& arguments = {});
    // Writes a file in the work folder and gives its full path.
    QString WriteFile(const std::string& name, const std::string& bytes);
    static std::string ReadFile(const QString& path);
    QString Path(const std::string& name) const;

    frmMain* main() const { return ModuleMain::MainForm; }
    frmGrammar* active() const { return ModuleMain::ActiveGrammar; }
    int OpenGrammars() const;

    ScriptedUi* ui_ = nullptr;
    dialogs::ScriptedModal* modal_ = nullptr;  // modal windows return at once
    std::unique_ptr<test_support::WorkFolder> folder_;
    QString iniFile_;
};
