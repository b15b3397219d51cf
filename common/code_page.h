#pragma once
// The system's single-byte code page, CP1251, in one table: texts are bytes, and where a person
// sees them they are decoded and encoded here. No Qt; the windows add their own adapters.

#include <string>
#include <string_view>

namespace cp1251 {

// The Unicode character of a byte. Code 0x98, which the code page leaves out, stands for U+0098,
// so that every byte survives a round trip.
char16_t charOf(unsigned char code);

// The byte of a Unicode character; -1 when the code page has none.
int codeOf(char32_t u);

// UTF-8 text (the programs' own literal texts, file names) as bytes of the code page; `missing`
// for a character the code page lacks and for each byte that is no part of valid UTF-8.
std::string fromUtf8(std::string_view utf8, char missing = '?');

} // namespace cp1251
