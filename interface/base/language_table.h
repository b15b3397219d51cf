// The target languages by LanguageCode, and the names of the files their generators write.
#pragma once

#include <QString>
#include <array>

struct LanguageRow {
    const char* Name;
    const char* Extension; // of the parser file
    const char* Image; // of the Build button
};

// Rows 1 to 9; row 0 is empty.
const std::array<LanguageRow, 10>& LanguageTable();
// The row of a code, or nullptr outside 1 to 9.
const LanguageRow* LanguageRowOf(int code);

// Image keys of the Notation button, by NotationCode 1 to 4 ("" outside).
QString NotationImage(int notation);

// The file the generator writes for a grammar of that name in that language: the name with
// "Parser" before ".java" for Java, lower-cased (the code page's letters) for the two C++
// targets (the class target's ".cpp"; its header is HeaderFileName).
QString GeneratedParserFileName(const QString& grammarName, int language);
QString GeneratedHeaderFileName(const QString& grammarName);
