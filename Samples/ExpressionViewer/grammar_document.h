#pragma once
// The viewer's grammar documents: written here, from a grammar file's rules, as RTF with the
// nonterminals, terminals and comments in colour, and read back by a small RTF reader that
// knows the part of RTF such documents use (Qt has no RTF reader).

#include <cstdint>
#include <string>
#include <vector>

namespace kelvantroc {

struct RtfRun {
    std::string text; // CP1251
    bool bold = false;
    bool italic = false;
    uint32_t color = 0; // 0xRRGGBB
    int halfPoints = 24;
};

struct RtfDocument {
    std::string font;
    std::vector<std::vector<RtfRun>> paragraphs;
};

// The RTF text of a grammar document: the title, then every line of the grammar text.
std::string WriteGrammarRtf(const std::string& title, const std::string& grammarText);

// Reads groups, \par, \line, \tab, \b, \i, \cf, \fs, \plain, \'hh, \uN, escaped symbols, the
// font and colour tables; other control words and ignorable destinations are skipped. False
// when the text is not RTF.
bool ReadRtf(const std::string& rtf, RtfDocument& document);

} // namespace kelvantroc
