// The readers' builder over the bound engine library: every builder entry point forwards to
// its export in the table.
#pragma once

#include "builder.h"
#include "engine_binding.h"

class BoundBuilder final : public readers::Builder {
public:
    explicit BoundBuilder(const EngineExports& engine) : e_(engine) {}

#define SHELL_BOUND_PLAIN(name)                                                                                        \
    void name() override { e_.name(); }
#define SHELL_BOUND_CODE(name)                                                                                         \
    void name(std::int32_t code) override { e_.name(&code); }
    READERS_BUILDER_ENTRIES(SHELL_BOUND_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(SHELL_BOUND_CODE)
#undef SHELL_BOUND_PLAIN
#undef SHELL_BOUND_CODE

private:
    const EngineExports& e_;
};
