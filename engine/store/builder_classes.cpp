#include "store/builder.h"

#include "engine.h"

namespace mv {

// Character classes and ranges: not built yet.
void Builder::BKSTRB() {}
void Builder::BKSTRE() {}
void Builder::BKSBRS() {}
void Builder::BKSNEG() {}
void Builder::BKSTRL() {}
void Builder::BKSTRF() {}
void Builder::BKSPOS() {}
void Builder::BKSWBC() {}
void Builder::NegatedClassTerminal() {}

}  // namespace mv
