#include "language_table.h"

#include "output/result_name.h"

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

// Named by the engine's own function, so that the two sides always agree.
QString GeneratedParserFileName(const QString& grammarName, int language)
{
    return cp1251::toUnicode(mv::names::ParserFileName(cp1251::fromUnicode(grammarName.trimmed()), language));
}

QString GeneratedHeaderFileName(const QString& grammarName)
{
    return cp1251::toUnicode(mv::names::ParserHeaderName(cp1251::fromUnicode(grammarName.trimmed())));
}
