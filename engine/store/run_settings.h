#pragma once
// Settings of a run that BnfParserInit takes: the target language and the generator options.

#include <cstdint>

namespace mv {

// Logical values of the engine: true -1, false 0; a logical is tested on its lowest bit.
inline constexpr int32_t True = -1;
inline constexpr int32_t False = 0;
inline constexpr bool IsTrue(int32_t logical) { return (logical & 1) != 0; }

// Exactly one flag is set after SetLanguage.
struct TargetLanguageFlags {
  bool Fortran77 = false;
  bool Fortran90 = false;
  bool VisualBasic = true;
  bool Pascal = false;
  bool Java = false;
  bool CppClass = false;
  bool CppProcedural = false;
};

struct RunSettings {
  TargetLanguageFlags Target;
  int32_t BuildActions = False;
  int32_t BuildTree = False;
  int32_t BuildNames = False;

  // Sets the one flag of a LanguageCode; unknown codes select Visual Basic.
  void SetLanguage(int32_t languageCode) {
    Target = TargetLanguageFlags{};
    Target.VisualBasic = false;
    switch (languageCode) {
      case 3: Target.Fortran90 = true; break;
      case 4: Target.Fortran77 = true; break;
      case 5: Target.Java = true; break;
      case 7: Target.Pascal = true; break;
      case 8: Target.CppProcedural = true; break;
      case 9: Target.CppClass = true; break;
      default: Target.VisualBasic = true; break;
    }
  }
};

}  // namespace mv
