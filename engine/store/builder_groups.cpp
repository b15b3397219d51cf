#include "store/builder.h"

#include "engine.h"

namespace mv {

// Groups and repetitions: not built yet.
void Builder::BKSBRO() {}
void Builder::BKSBRC() {}
void Builder::BKSBRT() {}
void Builder::BKSBCO() {}
void Builder::BKSBCN() {}
void Builder::BKSBC1() {}
void Builder::BKSBCR() {}
void Builder::BKSBCC() {}
void Builder::BKSRPT() {}
void Builder::BKSWBO() {}
void Builder::BKSW3C() {}
void Builder::BKSWBR() {}
void Builder::BKSWBQ() {}
void Builder::BKSNEX() {}

}  // namespace mv
