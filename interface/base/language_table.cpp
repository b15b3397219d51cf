#include "language_table.h"

#include "output/result_name.h"

#include "cp1251.h"

// Read from the engine's own target table, so that the names shown are the names written.
const std::array<LanguageRow, 10>& LanguageTable()
{
    static const std::array<LanguageRow, 10> table = [] {
        std::array<LanguageRow, 10> rows{};
        rows[0] = {"", "", ""};
        for (const mv::TargetRow& t : mv::TargetTable)
            rows[static_cast<size_t>(t.Code)] = {t.Name, t.Extension, t.Image};
        return rows;
    }();
    return table;
}

const LanguageRow* LanguageRowOf(int code)
{
    if (!mv::TargetRowOf(code)) return nullptr;
    return &LanguageTable()[static_cast<size_t>(code)];
}

QString NotationImage(int notation)
{
    switch (notation) {
    case 1:
        return QStringLiteral("Typical");
    case 2:
        return QStringLiteral("w3c");
    case 3:
        return QStringLiteral("MSDN");
    case 4:
        return QStringLiteral("MSDN with ;");
    default:
        return QString();
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
