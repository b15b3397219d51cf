#pragma once
// Symbol names spelled as identifiers of the generated code.

#include <set>
#include <string>

#include "output/identifier_spelling.h"

namespace mv {

// Bytes made into an identifier by replacing every other character with "_".
std::string IdentifierFromBytes(const std::string& text);
// C++ keywords and the names of the library functions a generated parser uses.
const std::set<std::string>& CppReservedNames();
// The identifier with "_" appended while it is a keyword.
std::string CppIdentifier(std::string name);
// The identifier made a Visual Basic name: it begins with a letter, and "_" is appended while
// it is a keyword or one of the module's own names (compared without regard to case).
std::string VbIdentifier(std::string name);

// A Fortran name: begins with a letter, at most 63 characters, "_" appended while it is one of
// the parser's own names (compared without regard to case).
std::string FortranIdentifier(const std::string& name);
// A Java name: "_" appended while it is a keyword or one of the class's own names.
std::string JavaIdentifier(const std::string& name);

}  // namespace mv
