#pragma once
// CP1251 bytes to and from the windows' Unicode text.

#include <QFont>
#include <QString>
#include <string>

#include "cp1251.h"

namespace samples {

// The samples' fixed-pitch font; where "Courier New" is not installed, the system's typewriter font.
inline QFont CourierNew()
{
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

inline QString ToQt(const std::string& bytes)
{
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) s.append(QChar(Cp1251ToUnicode(static_cast<unsigned char>(c))));
    return s;
}

// One byte for each UTF-16 unit, so positions stay the same; `missing` stands for a character
// the code page has no code for.
inline std::string FromQt(const QString& text, char missing = '?')
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const int code = UnicodeToCp1251(c.unicode());
        bytes += code < 0 ? missing : static_cast<char>(code);
    }
    return bytes;
}

}  // namespace samples
