// The target languages by LanguageCode: what the window program shows for each, the flag a
// run sets, the files its generator writes and the form of their lines. Header-only, so that
// the window program reads the very table the engine writes by.
#pragma once

#include <cstdint>

namespace mv {

// Exactly one flag is set after RunSettings::SetLanguage.
struct TargetLanguageFlags {
  bool Fortran77 = false;
  bool Fortran90 = false;
  bool VisualBasic = true;
  bool Pascal = false;
  bool Java = false;
  bool CppClass = false;
  bool CppProcedural = false;
};

// How a generated line is commented and continued.
enum class LineForm { Fortran77, Fortran90, VisualBasic, SlashComment };

struct TargetRow {
  int32_t Code;
  const char* Name;       // as the window program lists it
  const char* Extension;  // of the parser file, as the window program lists it
  const char* Image;      // of the Build button
  // The language whose generator runs for this code (VBScript and JavaScript write Visual
  // Basic), its flag, and the files it writes: the grammar's base (lower-cased for the C++
  // targets) with `ParserSuffix`; the file opened first, when another, with `FirstSuffix`.
  int32_t Writes;
  bool TargetLanguageFlags::*Flag;
  const char* ParserSuffix;
  const char* FirstSuffix;
  bool LowerCaseNames;
  LineForm Form;
};

using F = TargetLanguageFlags;
inline constexpr TargetRow TargetTable[] = {
    {1, "Visual Basic", ".bas", "bas", 1, &F::VisualBasic, ".bas", nullptr, false, LineForm::VisualBasic},
    {2, "VBScript", ".vbs", "vbs", 1, &F::VisualBasic, ".bas", nullptr, false, LineForm::VisualBasic},
    {3, "Fortran 90", ".f90", "f90", 3, &F::Fortran90, ".f90", nullptr, false, LineForm::Fortran90},
    {4, "Fortran 77", ".for", "for", 4, &F::Fortran77, ".for", nullptr, false, LineForm::Fortran77},
    {5, "Java", ".java", "java_", 5, &F::Java, "Parser.java", nullptr, false, LineForm::SlashComment},
    {6, "JavaScript", ".js", "js", 1, &F::VisualBasic, ".bas", nullptr, false, LineForm::VisualBasic},
    {7, "Pascal", ".pas", "pas", 7, &F::Pascal, ".pas", nullptr, false, LineForm::SlashComment},
    {8, "Cc", ".cxx", "cc", 8, &F::CppProcedural, ".cxx", nullptr, true, LineForm::SlashComment},
    {9, "Cpp", ".cpp", "cpp", 9, &F::CppClass, ".cpp", ".h", true, LineForm::SlashComment},
};

// The row of a code, or nullptr outside 1 to 9.
inline constexpr const TargetRow* TargetRowOf(int32_t code) {
  return code >= 1 && code <= 9 ? &TargetTable[code - 1] : nullptr;
}

// The row whose generator a run of that code uses: unknown codes write Visual Basic.
inline constexpr const TargetRow& WrittenTarget(int32_t code) {
  const TargetRow* row = TargetRowOf(code);
  return TargetTable[(row ? row->Writes : 1) - 1];
}

// The row of the flag a run has set.
inline constexpr const TargetRow& TargetOfFlags(const TargetLanguageFlags& flags) {
  for (const TargetRow& row : TargetTable)
    if (row.Code == row.Writes && flags.*row.Flag) return row;
  return TargetTable[0];
}

}  // namespace mv
