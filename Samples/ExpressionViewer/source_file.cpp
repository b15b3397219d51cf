#include "source_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "code_page.h"

namespace kelvantroc {

namespace {

std::string Shown(const std::filesystem::path& file) { return cp1251::fromUtf8(file.string()); }

const std::string_view Bom = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool ValidUtf8(std::string_view bytes, bool& beyondAscii)
{
    beyondAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        const size_t extra = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (extra == 0 || bytes.size() - i <= extra) return false;
        // The second byte's range is narrower after the lead bytes that begin overlong forms,
        // surrogates and code points past the last.
        const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
        const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high) return false;
        for (size_t k = 2; k <= extra; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

const std::string ReadCaption() { return cp1251::fromUtf8("Чтение файла"); }
const std::string SaveCaption() { return cp1251::fromUtf8("Сохранение файла"); }

} // namespace

TextEncoding EncodingOf(std::string_view bytes)
{
    if (bytes.substr(0, Bom.size()) == Bom) return TextEncoding::Utf8WithBom;
    bool beyondAscii = false;
    return ValidUtf8(bytes, beyondAscii) && beyondAscii ? TextEncoding::Utf8 : TextEncoding::Cp1251;
}

bool ExistFile(const std::filesystem::path& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

bool LoadSourceFile(const std::filesystem::path& file, std::string& text, Messages& messages, TextEncoding* encoding)
{
    if (!ExistFile(file)) {
        messages.ShowIt(cp1251::fromUtf8("Файл ") + Shown(file) + cp1251::fromUtf8(" не существует"), ReadCaption(),
                        OkOnly);
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad()) {
        messages.ShowIt(cp1251::fromUtf8("Ошибка чтения файла") + Shown(file), ReadCaption(), OkOnly);
        return false;
    }
    const TextEncoding found = EncodingOf(bytes);
    if (encoding) *encoding = found;
    // Lines end with LF or CR LF in the file; in the text they are joined by CR LF.
    std::string lines;
    size_t from = found == TextEncoding::Utf8WithBom ? Bom.size() : 0;
    while (from < bytes.size()) {
        size_t end = bytes.find('\n', from);
        const bool last = end == std::string::npos;
        if (last) end = bytes.size();
        size_t stop = end;
        if (stop > from && bytes[stop - 1] == '\r') --stop;
        lines.append(bytes, from, stop - from);
        if (!last && end + 1 < bytes.size()) lines += "\r\n";
        from = end + 1;
    }
    text = lines;
    return true;
}

bool SaveSourceFile(const std::filesystem::path& file, const std::string& text, Messages& messages,
                    TextEncoding encoding)
{
    if (ExistFile(file) &&
        !messages.ShowIt(cp1251::fromUtf8("Файл ") + Shown(file) + cp1251::fromUtf8(" существует, перезаписать его?"),
                         SaveCaption(), ContinueCancel))
        return false;
    std::error_code ec;
    std::filesystem::path temporary = file;
    temporary += ".saving";
    // A pattern such as the chooser's "*.cpp" and a folder are no names to save under.
    const std::string name = file.filename().string();
    bool written =
        !name.empty() && name.find_first_of("*?") == std::string::npos && !std::filesystem::is_directory(file, ec);
    if (written) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (encoding == TextEncoding::Utf8WithBom) out << Bom;
        out << text << "\r\n";
        out.close();
        written = static_cast<bool>(out);
    }
    if (written) {
        std::filesystem::rename(temporary, file, ec);
        written = !ec;
    }
    if (!written) {
        std::filesystem::remove(temporary, ec);
        messages.ShowIt(cp1251::fromUtf8("Неправильное имя файла ") + Shown(file), SaveCaption(), OkOnly);
        return false;
    }
    return true;
}

} // namespace kelvantroc
