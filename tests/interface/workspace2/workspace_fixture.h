// The shell's fixture, started, with the program's own processing or with the reading one.
#pragma once

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

// The started program with its own processing over the engine library.
class ProgramTest : public ShellTest {
protected:
    void SetUp() override;
    // Puts the text (LF line ends) into the grammar window, in the Typical notation, as saved.
    void SetText(const std::string& text);
    std::string Text() const;
    std::string Log() const;
};
