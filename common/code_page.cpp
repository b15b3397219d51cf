// Windows-1251 both ways: the upper half from a table, the way back through an index built once.
#include "code_page.h"

#include <array>

namespace cp1251 {
namespace {

// Unicode of the codes 0x80 to 0xBF; from 0xC0 on the code page holds А..я in order.
constexpr std::array<char16_t, 64> High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// The highest character of the code page is U+2122; an index below it gives each byte back.
constexpr char32_t Highest = 0x2122;

const std::array<short, Highest + 1>& Index()
{
    static const auto index = [] {
        std::array<short, Highest + 1> codes{};
        codes.fill(-1);
        for (int b = 0; b < 256; ++b) codes[charOf(static_cast<unsigned char>(b))] = static_cast<short>(b);
        return codes;
    }();
    return index;
}

} // namespace

char16_t charOf(unsigned char code)
{
    if (code < 0x80) return code;
    if (code < 0xC0) return High[code - 0x80];
    return static_cast<char16_t>(0x0410 + (code - 0xC0));
}

int codeOf(char32_t u)
{
    if (u < 0x80) return static_cast<int>(u);
    return u <= Highest ? Index()[u] : -1;
}

std::string fromUtf8(std::string_view utf8, char missing)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t extra = c < 0x80                 ? 0
                             : c >= 0xC2 && c <= 0xDF ? 1
                             : c >= 0xE0 && c <= 0xEF ? 2
                             : c >= 0xF0 && c <= 0xF4 ? 3
                                                      : 4;
        char32_t u = extra == 0 ? c : c & (0x3F >> extra);
        bool valid = extra < 4 && utf8.size() - i > extra;
        for (size_t k = 1; valid && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            u = (u << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and what lies past U+10FFFF are no characters.
        valid = valid && !(extra == 2 && u < 0x800) && !(extra == 3 && (u < 0x10000 || u > 0x10FFFF)) &&
                !(u >= 0xD800 && u <= 0xDFFF);
        if (!valid) {
            out += missing;
            ++i;
            continue;
        }
        const int code = codeOf(u);
        out += code < 0 ? missing : static_cast<char>(code);
        i += extra + 1;
    }
    return out;
}

} // namespace cp1251
