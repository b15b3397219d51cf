#pragma once
// Settings of a run that BnfParserInit takes: the target language and the generator options.

#include <cstdint>

#include "store/targets.h"

namespace mv {

// Logical values of the engine: true -1, false 0; a logical is tested on its lowest bit.
inline constexpr int32_t True = -1;
inline constexpr int32_t False = 0;
inline constexpr bool IsTrue(int32_t logical) { return (logical & 1) != 0; }

struct RunSettings {
  TargetLanguageFlags Target;
  int32_t BuildActions = False;
  int32_t BuildTree = False;
  int32_t BuildNames = False;

  // Sets the one flag of a LanguageCode; unknown codes select Visual Basic.
  void SetLanguage(int32_t languageCode) {
    Target = TargetLanguageFlags{};
    Target.VisualBasic = false;
    Target.*WrittenTarget(languageCode).Flag = true;
  }
};

}  // namespace mv
