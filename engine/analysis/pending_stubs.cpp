#include "analysis/analysis.h"
#include "engine.h"
namespace mv {
void Analysis::WriteNullableListing(const Chain&) {}
int32_t Analysis::CheckLL1() { return -1; }
bool Analysis::FileSetOfSelect(const std::string&, int16_t& v) { v = -1; return false; }
}
