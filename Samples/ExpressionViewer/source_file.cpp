#include "source_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "cp1251.h"

namespace kelvantroc {

namespace {

std::string Shown(const std::filesystem::path& file) { return samples::Utf8ToCp1251(file.string()); }

const std::string ReadCaption() { return samples::Utf8ToCp1251("Чтение файла"); }
const std::string SaveCaption() { return samples::Utf8ToCp1251("Сохранение файла"); }

}  // namespace

bool ExistFile(const std::filesystem::path& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

bool LoadSourceFile(const std::filesystem::path& file, std::string& text, Messages& messages)
{
    if (!ExistFile(file)) {
        messages.ShowIt(samples::Utf8ToCp1251("Файл ") + Shown(file) + samples::Utf8ToCp1251(" не существует"),
                        ReadCaption(), OkOnly);
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad()) {
        messages.ShowIt(samples::Utf8ToCp1251("Ошибка чтения файла") + Shown(file), ReadCaption(), OkOnly);
        return false;
    }
    // Lines end with LF or CR LF in the file; in the text they are joined by CR LF.
    std::string lines;
    size_t from = 0;
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

bool SaveSourceFile(const std::filesystem::path& file, const std::string& text, Messages& messages)
{
    if (ExistFile(file) &&
        !messages.ShowIt(samples::Utf8ToCp1251("Файл ") + Shown(file) +
                             samples::Utf8ToCp1251(" существует, перезаписать его?"),
                         SaveCaption(), ContinueCancel))
        return false;
    std::error_code ec;
    std::filesystem::path temporary = file;
    temporary += ".saving";
    // A pattern such as the chooser's "*.cpp" and a folder are no names to save under.
    const std::string name = file.filename().string();
    bool written = !name.empty() && name.find_first_of("*?") == std::string::npos &&
                   !std::filesystem::is_directory(file, ec);
    if (written) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
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
        messages.ShowIt(samples::Utf8ToCp1251("Неправильное имя файла ") + Shown(file), SaveCaption(), OkOnly);
        return false;
    }
    return true;
}

}  // namespace kelvantroc
