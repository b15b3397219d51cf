// The shell's fixture, started, with the program's own processing or with the reading one.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "reading_pipeline.h"
#include "shell_fixture.h"

class WorkspaceTest : public ShellTest {
protected:
    // Starts the program with the reading processing and puts this text into the grammar window.
    void StartWith(const std::string& text);
    ReadingPipeline* reading_ = nullptr;
};

// Message boxes answered Yes or OK and recorded; a hook runs where the program lets events run.
class ProbeUi final : public ui::UiServices {
public:
    std::vector<QString> messages;
    std::function<void()> onEvents;
    ui::Answer messageBox(const QString& text, const QString&, ui::Buttons buttons, ui::Icon) override
    {
        messages.push_back(text);
        return buttons == ui::Buttons::YesNo ? ui::Yes : ui::Ok;
    }
    std::optional<QString> openFileName(const ui::FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const ui::FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&, const QString&, bool) override { return false; }
    std::int64_t tickCount() override { return 0; }
    void processEvents() override
    {
        if (onEvents) onEvents();
    }
};

// The started program with its own processing over the engine library.
class ProgramTest : public ShellTest {
protected:
    void SetUp() override;
    // Puts the text (LF line ends) into the grammar window, in the Typical notation, as saved.
    void SetText(const std::string& text);
    std::string Text() const;
    std::string Log() const;
};
