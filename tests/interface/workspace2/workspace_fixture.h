// The shell's fixture with a processing whose readings build no grammar in the engine but feed
// the derivation-tree hooks, as the real reading does.
#pragma once

#include <memory>
#include <string>

#include "pipeline.h"
#include "shell_fixture.h"

class ReadingPipeline : public Pipeline {
public:
    using Pipeline::Pipeline;
    int parses = 0;
    std::string lastError;
    void Parse(std::int32_t language) override;
    void ParseAndReport() override;
};

class WorkspaceTest : public ShellTest {
protected:
    // Starts the program with the reading processing and puts this text into the grammar window.
    void StartWith(const std::string& text);
    ReadingPipeline* reading_ = nullptr;
};
