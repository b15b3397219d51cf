// Export of the engine's own grammar-text reader.
#include "exports.h"

MORVANTELISK_API void Morvantelisk(const char* text, int32_t textLength) {
  mv::Guarded([&](mv::Engine& eng) { eng.reader.Morvantelisk(mv::TextArgument(text, textLength)); });
}
