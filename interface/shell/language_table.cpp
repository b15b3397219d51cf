#include "language_table.h"

#include "cp1251.h"

const std::array<LanguageRow, 10>& LanguageTable()
{
    static const std::array<LanguageRow, 10> table = {{
        {"", "", ""},
        {"Visual Basic", ".bas", "bas"},
        {"VBScript", ".vbs", "vbs"},
        {"Fortran 90", ".f90", "f90"},
        {"Fortran 77", ".for", "for"},
        {"Java", ".java", "java_"},
        {"JavaScript", ".js", "js"},
        {"Pascal", ".pas", "pas"},
        {"Cc", ".cxx", "cc"},
        {"Cpp", ".cpp", "cpp"},
    }};
    return table;
}

const LanguageRow* LanguageRowOf(int code)
{
    if (code < 1 || code > 9) return nullptr;
    return &LanguageTable()[static_cast<size_t>(code)];
}

QString NotationImage(int notation)
{
    switch (notation) {
    case 1: return QStringLiteral("Typical");
    case 2: return QStringLiteral("w3c");
    case 3: return QStringLiteral("MSDN");
    case 4: return QStringLiteral("MSDN with ;");
    default: return QString();
    }
}

namespace {
// Letters of the code page lowered as the generator lowers them: A-Z and А-Я.
QString lowerCodePage(const QString& name)
{
    std::string bytes = cp1251::fromUnicode(name);
    for (char& c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 65 && u <= 90) || (u >= 192 && u <= 223)) c = static_cast<char>(u + 32);
    }
    return cp1251::toUnicode(bytes);
}
} // namespace

QString GeneratedParserFileName(const QString& grammarName, int language)
{
    const QString base = grammarName.trimmed();
    switch (language) {
    case 3: return base + ".f90";
    case 4: return base + ".for";
    case 5: return base + "Parser.java";
    case 7: return base + ".pas";
    case 8: return lowerCodePage(base) + ".cxx";
    case 9: return lowerCodePage(base) + ".cpp";
    default: return base + ".bas";
    }
}

QString GeneratedHeaderFileName(const QString& grammarName) { return lowerCodePage(grammarName.trimmed()) + ".h"; }
