// The shell's fixture with the reading processing installed.
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
