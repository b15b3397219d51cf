// The system's single-byte code page: grammar texts are bytes, widgets show them through the
// one table of the code page.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "code_page.h"

namespace cp1251 {

QString toUnicode(std::string_view bytes);
// Characters outside the code page become '?'.
std::string fromUnicode(const QString& text);

} // namespace cp1251
