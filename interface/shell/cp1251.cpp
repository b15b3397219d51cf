// Windows-1251 both ways. Code 0x98 has no character in the code page; it maps to U+0098 so
// that every byte survives a round trip through a widget.
#include "cp1251.h"

#include <array>
#include <unordered_map>

namespace cp1251 {
namespace {

constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

const std::unordered_map<char16_t, unsigned char>& reverseTable()
{
    static const auto table = [] {
        std::unordered_map<char16_t, unsigned char> t;
        for (int b = 0x80; b < 0x100; ++b) t[charOf(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
        return t;
    }();
    return table;
}

} // namespace

char16_t charOf(unsigned char byte)
{
    if (byte < 0x80) return byte;
    if (byte < 0xC0) return kHigh[byte - 0x80];
    return static_cast<char16_t>(0x0410 + (byte - 0xC0));  // А..я in order
}

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
    const auto& rev = reverseTable();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else {
            const auto it = rev.find(u);
            out.push_back(it == rev.end() ? '?' : static_cast<char>(it->second));
        }
    }
    return out;
}

} // namespace cp1251
