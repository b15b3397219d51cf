// The code page between bytes and the widgets' Unicode text.
#include "cp1251.h"

namespace cp1251 {

QString toUnicode(std::string_view bytes)
{
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* d = out.data();
    for (unsigned char b : bytes) *d++ = QChar(charOf(b));
    return out;
}

std::string fromUnicode(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const int code = codeOf(c.unicode());
        out.push_back(code < 0 ? '?' : static_cast<char>(code));
    }
    return out;
}

} // namespace cp1251
