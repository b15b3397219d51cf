#include "scanner.h"

#include <cctype>
#include <map>

namespace kelvantroc {

namespace {

// The code that GetLexeme returned last, across parses.
long LastLexemeCode = 0;

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHex(unsigned char c) { return std::isxdigit(c) != 0; }
bool IsIdStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
// "$" continues an identifier but begins none.
bool IsIdChar(unsigned char c) { return IsIdStart(c) || IsDigit(c) || c == '$'; }

// A cursor over the rest of the text; At() past the end is 0, which continues no token.
struct Cursor {
    std::string_view s;
    size_t i = 0;
    unsigned char At(size_t k = 0) const { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0; }
    bool Take(unsigned char c)
    {
        if (At() != c) return false;
        ++i;
        return true;
    }
};

// The suffix of an integer (u, l, ll in either case and order) or of a floating number (f, l).
void IntegerSuffix(Cursor& c)
{
    auto longs = [&c] {
        if (c.At() == 'l' || c.At() == 'L') {
            const unsigned char l = c.At();
            ++c.i;
            c.Take(l); // ll or LL, never lL
        }
    };
    if (c.At() == 'u' || c.At() == 'U') {
        ++c.i;
        longs();
    } else if (c.At() == 'l' || c.At() == 'L') {
        longs();
        if (c.At() == 'u' || c.At() == 'U') ++c.i;
    }
}

// Digits of one kind; an apostrophe between two of them separates groups ("1'000").
template <class IsKind>
void Digits(Cursor& c, IsKind isKind)
{
    while (isKind(c.At()) ||
           (c.At() == '\'' && c.i > 0 && isKind(static_cast<unsigned char>(c.s[c.i - 1])) && isKind(c.At(1))))
        ++c.i;
}

void Digits(Cursor& c) { Digits(c, IsDigit); }

// A number: decimal, octal or hexadecimal integer, or a floating number, with its suffix.
void Number(Cursor& c)
{
    if (c.At() == '0' && (c.At(1) == 'x' || c.At(1) == 'X') && IsHex(c.At(2))) {
        c.i += 2;
        Digits(c, IsHex);
        IntegerSuffix(c);
        return;
    }
    bool floating = false;
    Digits(c);
    if (c.At() == '.') {
        floating = true;
        ++c.i;
        Digits(c);
    }
    if ((c.At() == 'e' || c.At() == 'E') &&
        (IsDigit(c.At(1)) || ((c.At(1) == '+' || c.At(1) == '-') && IsDigit(c.At(2))))) {
        floating = true;
        c.i += IsDigit(c.At(1)) ? 1 : 2;
        Digits(c);
    }
    if (floating) {
        if (c.At() == 'f' || c.At() == 'F' || c.At() == 'l' || c.At() == 'L') ++c.i;
    } else {
        IntegerSuffix(c);
    }
}

// A character or string literal from its opening quote; false when it breaks off before its
// closing quote (at a line end or the end of the text).
bool Literal(Cursor& c, unsigned char quote)
{
    ++c.i;
    bool any = false;
    while (c.At() != quote) {
        const unsigned char ch = c.At();
        if (ch == 0 && c.i >= c.s.size()) return false;
        if (ch == '\r' || ch == '\n') return false;
        if (ch == '\\') {
            ++c.i;
            if (c.i >= c.s.size() || c.At() == '\r' || c.At() == '\n') return false;
        }
        ++c.i;
        any = true;
    }
    if (quote == '\'' && !any) return false; // '' is no character
    ++c.i;
    return true;
}

// A raw string literal from its opening quote: R"delimiter( ... )delimiter", over line ends; false
// when it has no end.
bool RawLiteral(Cursor& c)
{
    const size_t open = c.s.find('(', c.i + 1);
    if (open == std::string_view::npos || open - c.i - 1 > 16) return false;
    const std::string_view delimiter = c.s.substr(c.i + 1, open - c.i - 1);
    if (delimiter.find_first_of(" )\\\t\r\n\"") != std::string_view::npos) return false;
    const std::string close = ")" + std::string(delimiter) + "\"";
    const size_t end = c.s.find(close, open + 1);
    if (end == std::string_view::npos) return false;
    c.i = end + close.size();
    return true;
}

// The encoding prefixes of literals, longest first; those ending in "R" begin raw strings.
const char* const LiteralPrefixes[] = {"u8R", "uR", "UR", "LR", "u8", "u", "U", "L", "R"};

// A literal with a prefix at the start of `c`: its code, or 0 when there is none or it breaks off.
char PrefixedLiteral(Cursor& c)
{
    for (const std::string_view prefix : LiteralPrefixes) {
        if (c.s.substr(0, prefix.size()) != prefix) continue;
        const unsigned char quote = c.At(prefix.size());
        if (quote != '"' && quote != '\'') continue;
        c.i = prefix.size();
        if (prefix.back() == 'R') {
            if (quote == '"' && RawLiteral(c)) return token::StringLiteral;
        } else if (Literal(c, quote)) {
            return quote == '"' ? token::StringLiteral : token::CharLiteral;
        }
        c.i = 0;
        return 0;
    }
    return 0;
}

// Operators of two or more characters, longest first where one begins another.
const std::pair<const char*, char> Operators[] = {
    {"->*", 'C'}, {"<<=", 'T'}, {">>=", 'U'}, {"...", 'Y'}, {"=>", 'A'}, {"->", 'B'}, {"--", 'D'},
    {"==", 'E'},  {">=", 'F'},  {"++", 'G'},  {"<=", 'H'},  {"&&", 'I'}, {"||", 'J'}, {"!=", 'K'},
    {"<<", 'L'},  {">>", 'M'},  {"+=", 'N'},  {"&=", 'O'},  {"/=", 'P'}, {"%=", 'Q'}, {"*=", 'R'},
    {"|=", 'S'},  {"-=", 'V'},  {"^=", 'W'},  {".*", 'X'},  {"::", 'Z'}, {":>", 'y'},
};

} // namespace

char ScanKeyword(const std::string& identifier)
{
    static const std::map<std::string, unsigned char> keywords = {{"float", 168},
                                                                  {"const_cast", 184},
                                                                  {"private", 192},
                                                                  {"protected", 193},
                                                                  {"public", 194},
                                                                  {"bool", 195},
                                                                  {"char", 196},
                                                                  {"double", 197},
                                                                  {"int", 198},
                                                                  {"long", 199},
                                                                  {"short", 200},
                                                                  {"signed", 201},
                                                                  {"unsigned", 202},
                                                                  {"void", 203},
                                                                  {"wchar_t", 204},
                                                                  {"class", 205},
                                                                  {"enum", 206},
                                                                  {"namespace", 207},
                                                                  {"struct", 208},
                                                                  {"typename", 209},
                                                                  {"union", 210},
                                                                  {"const", 211},
                                                                  {"volatile", 212},
                                                                  {"auto", 213},
                                                                  {"explicit", 214},
                                                                  {"export", 215},
                                                                  {"extern", 216},
                                                                  {"friend", 217},
                                                                  {"inline", 218},
                                                                  {"mutable", 219},
                                                                  {"register", 220},
                                                                  {"static", 221},
                                                                  {"template", 222},
                                                                  {"typedef", 223},
                                                                  {"using", 224},
                                                                  {"virtual", 225},
                                                                  {"asm", 226},
                                                                  {"break", 227},
                                                                  {"case", 228},
                                                                  {"catch", 229},
                                                                  {"continue", 230},
                                                                  {"default", 231},
                                                                  {"delete", 232},
                                                                  {"do", 233},
                                                                  {"dynamic_cast", 234},
                                                                  {"else", 235},
                                                                  {"false", 236},
                                                                  {"for", 237},
                                                                  {"goto", 238},
                                                                  {"if", 239},
                                                                  {"new", 240},
                                                                  {"operator", 241},
                                                                  {"reinterpret_cast", 242},
                                                                  {"return", 243},
                                                                  {"sizeof", 244},
                                                                  {"static_cast", 245},
                                                                  {"switch", 246},
                                                                  {"this", 247},
                                                                  {"throw", 248},
                                                                  {"true", 249},
                                                                  {"try", 250},
                                                                  {"typeid", 251},
                                                                  {"while", 252}};
    const auto k = keywords.find(identifier);
    return static_cast<char>(k == keywords.end() ? token::Identifier : k->second);
}

char ScanLexeme(std::string_view rest, long& length)
{
    Cursor c{rest};
    const unsigned char first = c.At();
    char code = static_cast<char>(first);
    if (const char literal = PrefixedLiteral(c)) {
        code = literal;
    } else if (IsIdStart(first)) {
        // Also the prefix of a literal that breaks off: it is an identifier of its own.
        while (IsIdChar(c.At())) ++c.i;
        code = ScanKeyword(std::string(rest.substr(0, c.i)));
    } else if (IsDigit(first) || (first == '.' && IsDigit(c.At(1)))) {
        Number(c);
        code = token::Number;
    } else if (first == '"' || first == '\'') {
        // An unterminated literal is the quote alone, coded by itself; the parser reports it.
        if (Literal(c, first)) code = first == '"' ? token::StringLiteral : token::CharLiteral;
        else c.i = 1;
    } else if (first >= 128) {
        c.i = 1;
        code = static_cast<char>(token::Foreign);
    } else {
        c.i = 1;
        for (const auto& [text, opCode] : Operators) {
            const std::string_view op(text);
            if (rest.substr(0, op.size()) == op) {
                c.i = op.size();
                code = opCode;
                break;
            }
        }
    }
    length = static_cast<long>(c.i);
    return code;
}

int GetLexeme(const std::string& text, long& position, long& previous, std::string& lexeme)
{
    previous = LastLexemeCode;
    position = position + 1;
    const long len = static_cast<long>(text.size());
    while (position <= len && IsSpace(static_cast<unsigned char>(text[static_cast<size_t>(position - 1)]))) ++position;
    if (position > len) {
        LastLexemeCode = token::End;
        lexeme.clear();
        return token::End;
    }
    long length = 1;
    const std::string_view rest = std::string_view(text).substr(static_cast<size_t>(position - 1));
    const int code = static_cast<unsigned char>(ScanLexeme(rest, length));
    LastLexemeCode = code;
    lexeme = std::string(rest.substr(0, static_cast<size_t>(length)));
    position = position + length - 1;
    return code;
}

} // namespace kelvantroc
