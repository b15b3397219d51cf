// A processing whose readings build no grammar in the engine but feed the derivation-tree
// hooks, as the real reading does.
#pragma once

#include <string>

#include "pipeline.h"

class ReadingPipeline : public Pipeline {
public:
    using Pipeline::Pipeline;
    int parses = 0;
    std::string lastError;
    void Parse(std::int32_t language) override;
    void ParseAndReport() override;
};
