#include "grammar_document.h"

#include <cctype>
#include <cstdio>

#include "code_page.h"

namespace kelvantroc {

namespace {

// Colour table indexes of the document.
enum Colour { Plain = 0, Nonterminal = 1, Terminal = 2, Comment = 3 };

std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += ch;
        } else if (c >= 128 || c < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string Run(Colour colour, const std::string& text)
{
    return "\\cf" + std::to_string(colour) + " " + Escaped(text);
}

// One line of a grammar text with its parts coloured; a code such as ''60'' is shown as the
// character it stands for, in quotes.
std::string Line(const std::string& line)
{
    if (!line.empty() && (line[0] == '!' || line.compare(0, 2, "//") == 0)) return "{\\i " + Run(Comment, line) + "}";
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '<') {
            const size_t end = line.find('>', i);
            const size_t stop = end == std::string::npos ? line.size() : end + 1;
            out += Run(Nonterminal, line.substr(i, stop - i));
            i = stop;
        } else if (c == ' ' || c == '\t' || c == '|') {
            out += Run(Plain, std::string(1, c));
            ++i;
        } else if (line.compare(i, 3, "::=") == 0) {
            out += Run(Plain, "::=");
            i += 3;
        } else {
            size_t stop = line.find_first_of(" \t", i);
            if (stop == std::string::npos) stop = line.size();
            std::string word = line.substr(i, stop - i);
            if (word.size() > 4 && word.compare(0, 2, "''") == 0 && std::isdigit(static_cast<unsigned char>(word[2])))
                word = "'" + std::string(1, static_cast<char>(std::stoi(word.substr(2)))) + "'";
            out += "{\\b " + Run(Terminal, word) + "}";
            i = stop;
        }
    }
    return out;
}

} // namespace

std::string WriteGrammarRtf(const std::string& title, const std::string& grammarText)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\n"
                      "{\\colortbl;\\red0\\green0\\blue255;\\red192\\green0\\blue0;\\red0\\green128\\blue0;}\n"
                      "\\f0\\fs28{\\b " +
                      Escaped(title) + "}\\fs20\\par\\par\n";
    size_t from = 0;
    while (from < grammarText.size()) {
        size_t end = grammarText.find('\n', from);
        if (end == std::string::npos) end = grammarText.size();
        std::string line = grammarText.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rtf += Line(line) + "\\cf0\\par\n";
        from = end + 1;
    }
    return rtf + "}\n";
}

bool ReadRtf(const std::string& rtf, RtfDocument& document)
{
    if (rtf.compare(0, 5, "{\\rtf") != 0) return false;
    struct State {
        RtfRun format;
        int skip = 0; // 1: an ignored destination, 2: the font table, 3: the colour table
        int unicodeSkip = 1;
    };
    std::vector<State> stack{State{}};
    std::vector<uint32_t> colours;
    uint32_t colour = 0;
    document = RtfDocument{};
    document.paragraphs.emplace_back();
    int pendingSkip = 0; // characters still to skip after a \uN
    bool fontDone = false;

    auto emit = [&](char c) {
        State& s = stack.back();
        if (s.skip == 2) {
            if (c == ';') fontDone = true;
            else if (!fontDone) document.font += c;
            return;
        }
        if (s.skip == 3) {
            if (c == ';') {
                colours.push_back(colour);
                colour = 0;
            }
            return;
        }
        if (s.skip) return;
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        auto& runs = document.paragraphs.back();
        const RtfRun& f = s.format;
        if (runs.empty() || runs.back().bold != f.bold || runs.back().italic != f.italic ||
            runs.back().color != f.color || runs.back().halfPoints != f.halfPoints) {
            runs.push_back(f);
            runs.back().text.clear();
        }
        runs.back().text += c;
    };

    for (size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            stack.push_back(stack.back());
            ++i;
            continue;
        }
        if (c == '}') {
            if (stack.size() > 1) stack.pop_back();
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            emit(c);
            ++i;
            continue;
        }
        // A control symbol or word.
        ++i;
        if (i >= rtf.size()) break;
        const char s = rtf[i];
        if (s == '\\' || s == '{' || s == '}') {
            emit(s);
            ++i;
            continue;
        }
        if (s == '\'') {
            if (i + 2 < rtf.size() && std::isxdigit(static_cast<unsigned char>(rtf[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(rtf[i + 2])))
                emit(static_cast<char>(std::stoi(rtf.substr(i + 1, 2), nullptr, 16)));
            i += 3;
            continue;
        }
        if (s == '*') {
            stack.back().skip = 1;
            ++i;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            if (s == '~') emit(static_cast<char>(0xA0));
            ++i;
            continue;
        }
        std::string word;
        while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) word += rtf[i++];
        bool hasNumber = false;
        long number = 0;
        bool negative = false;
        if (i < rtf.size() && rtf[i] == '-') {
            negative = true;
            ++i;
        }
        while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
            hasNumber = true;
            number = number * 10 + (rtf[i++] - '0');
            if (number > 1000000) number = 1000000;
        }
        if (negative) number = -number;
        if (i < rtf.size() && rtf[i] == ' ') ++i; // the delimiter belongs to the word

        State& st = stack.back();
        RtfRun& f = st.format;
        if (word == "par" || word == "line") {
            if (!st.skip) document.paragraphs.emplace_back();
        } else if (word == "tab") {
            emit('\t');
        } else if (word == "b") {
            f.bold = !hasNumber || number != 0;
        } else if (word == "i") {
            f.italic = !hasNumber || number != 0;
        } else if (word == "plain") {
            f = RtfRun{};
        } else if (word == "cf") {
            f.color =
                number >= 0 && static_cast<size_t>(number) < colours.size() ? colours[static_cast<size_t>(number)] : 0;
        } else if (word == "fs") {
            if (number > 0) f.halfPoints = static_cast<int>(number);
        } else if (word == "red" || word == "green" || word == "blue") {
            const int shift = word == "red" ? 16 : word == "green" ? 8 : 0;
            colour |= static_cast<uint32_t>(number & 0xFF) << shift;
        } else if (word == "fonttbl") {
            st.skip = 2;
        } else if (word == "colortbl") {
            st.skip = 3;
        } else if (word == "stylesheet" || word == "info" || word == "pict" || word == "header" || word == "footer" ||
                   word == "generator") {
            st.skip = 1;
        } else if (word == "uc") {
            st.unicodeSkip = static_cast<int>(number);
        } else if (word == "u") {
            const long u = number < 0 ? number + 65536 : number;
            const int code = cp1251::codeOf(static_cast<char32_t>(u));
            emit(static_cast<char>(code < 0 ? '?' : code));
            pendingSkip = st.unicodeSkip;
        }
    }
    while (!document.font.empty() && document.font.back() == ' ') document.font.pop_back();
    if (document.paragraphs.back().empty()) document.paragraphs.pop_back();
    return true;
}

} // namespace kelvantroc
