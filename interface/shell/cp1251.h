// The system's single-byte code page: grammar texts are bytes, widgets show them through this
// one table.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace cp1251 {

QString toUnicode(std::string_view bytes);
// Characters outside the code page become '?'.
std::string fromUnicode(const QString& text);
char16_t charOf(unsigned char byte);

} // namespace cp1251
