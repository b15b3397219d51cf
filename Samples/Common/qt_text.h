#pragma once
// CP1251 bytes to and from the windows' Unicode text.

#include <QFont>
#include <QString>
#include <string>

#include "code_page.h"
#include "syntax_error.h"

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
    for (char c : bytes) s.append(QChar(cp1251::charOf(static_cast<unsigned char>(c))));
    return s;
}

// One byte for each UTF-16 unit, so positions stay the same; `missing` stands for a character
// the code page has no code for.
inline std::string FromQt(const QString& text, char missing = '?')
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const int code = cp1251::codeOf(c.unicode());
        bytes += code < 0 ? missing : static_cast<char>(code);
    }
    return bytes;
}

// A parser's error text as the person sees it: `src` is what the parser read, made by FromQt from
// `typed`, so each byte stands for one character of `typed`. The context line and the character
// found show the characters as typed, also those that the code page lacks.
inline QString ShownError(const std::string& error, const std::string& src, const QString& typed, long indSrc)
{
    QString shown = ToQt(error);
    if (typed.size() != static_cast<qsizetype>(src.size())) return shown;
    const QString found = "found \"";
    const qsizetype at = shown.indexOf(found);
    if (at >= 0 && indSrc >= 1 && indSrc <= typed.size() && !typed[indSrc - 1].isSurrogate() &&
        shown.mid(at + found.size(), 2) == ToQt(src.substr(static_cast<size_t>(indSrc - 1), 1)) + "\"")
        shown[at + found.size()] = typed[indSrc - 1];
    // The context line is the last but one.
    const qsizetype marker = shown.lastIndexOf("\r\n");
    const qsizetype line = marker > 0 ? shown.lastIndexOf("\r\n", marker - 1) : -1;
    const ContextRange context = ErrorContext(src, indSrc);
    if (line >= 0 && marker - line - 2 == context.length)
        shown.replace(line + 2, context.length, typed.mid(context.first, context.length));
    return shown;
}

} // namespace samples
