#pragma once
// The samples' texts are single-byte CP1251 strings; these convert at the edges where a person
// sees them.

#include <string>
#include <string_view>

namespace samples {

char16_t Cp1251ToUnicode(unsigned char c);
// The code of a Unicode character, -1 when the code page has none.
int UnicodeToCp1251(char32_t u);
// A UTF-8 text (the samples' own literal texts) as CP1251 bytes; "?" for what has no code.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace samples
