#include "engine_builder.h"

#include "morvantelisk.h"

namespace readers {

#define READERS_FORWARD_PLAIN(name)                                                                                    \
    void EngineBuilder::name() { ::name(); }
#define READERS_FORWARD_CODE(name)                                                                                     \
    void EngineBuilder::name(std::int32_t code) { ::name(&code); }
READERS_BUILDER_ENTRIES(READERS_FORWARD_PLAIN)
READERS_BUILDER_CODE_ENTRIES(READERS_FORWARD_CODE)
#undef READERS_FORWARD_PLAIN
#undef READERS_FORWARD_CODE

} // namespace readers
