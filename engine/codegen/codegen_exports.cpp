#include "exports.h"

extern "C" MORVANTELISK_API void TamberlixCode(const int32_t* languageCode) {
  mv::Guarded([&](mv::Engine& eng) { eng.codegen.TamberlixCode(mv::Value(languageCode)); });
}
