// The builder that drives the engine library through its exported entry points.
#pragma once

#include "builder.h"

namespace readers {

class EngineBuilder final : public Builder {
public:
#define READERS_ENGINE_PLAIN(name) void name() override;
#define READERS_ENGINE_CODE(name) void name(std::int32_t code) override;
    READERS_BUILDER_ENTRIES(READERS_ENGINE_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(READERS_ENGINE_CODE)
#undef READERS_ENGINE_PLAIN
#undef READERS_ENGINE_CODE
};

} // namespace readers
