// The viewer's token scanner over ordinary C++ expression text.
#include <gtest/gtest.h>

#include "scanner.h"

namespace {

using kelvantroc::GetLexeme;

struct Token {
    int code;
    std::string text;
    bool operator==(const Token&) const = default;
};

void PrintTo(const Token& t, std::ostream* os) { *os << t.code << " '" << t.text << "'"; }

std::vector<Token> Tokens(const std::string& text)
{
    std::vector<Token> tokens;
    long position = 0, previous = 0;
    std::string lexeme;
    for (int guard = 0; guard < 1000; ++guard) {
        const int code = GetLexeme(text, position, previous, lexeme);
        if (code == -1) break;
        tokens.push_back({code, lexeme});
    }
    return tokens;
}

TEST(Scanner, CutsExpressionsIntoTokenCodes)
{
    const int z = 'z', x = 'x', v = 'v', w = 'w';
    const struct {
        std::string text;
        std::vector<Token> tokens;
    } cases[] = {
        {"a+b", {{z, "a"}, {'+', "+"}, {z, "b"}}},
        {"  x", {{z, "x"}}},
        {"a\r\n+\tb\n", {{z, "a"}, {'+', "+"}, {z, "b"}}},
        // Suffixes belong to numbers only.
        {"a!=u", {{z, "a"}, {'K', "!="}, {z, "u"}}},
        {"0.5", {{x, "0.5"}}},
        {".5+5.", {{x, ".5"}, {'+', "+"}, {x, "5."}}},
        {"0x1F", {{x, "0x1F"}}},
        {"1.5e-3f", {{x, "1.5e-3f"}}},
        {"12UL 7ll 3uLL", {{x, "12UL"}, {x, "7ll"}, {x, "3uLL"}}},
        {"1e", {{x, "1"}, {z, "e"}}},
        // Shift and arrow operators keep their codes whatever follows them.
        {"a << b", {{z, "a"}, {'L', "<<"}, {z, "b"}}},
        {"a>>b", {{z, "a"}, {'M', ">>"}, {z, "b"}}},
        {"p->x", {{z, "p"}, {'B', "->"}, {z, "x"}}},
        {"p->*m", {{z, "p"}, {'C', "->*"}, {z, "m"}}},
        {"a<<=1>>=2", {{z, "a"}, {'T', "<<="}, {x, "1"}, {'U', ">>="}, {x, "2"}}},
        {"a::b...c.*d=>e:>f", {{z, "a"}, {'Z', "::"}, {z, "b"}, {'Y', "..."}, {z, "c"}, {'X', ".*"}, {z, "d"}, {'A', "=>"}, {z, "e"}, {'y', ":>"}, {z, "f"}}},
        {"--i++ a+=b", {{'D', "--"}, {z, "i"}, {'G', "++"}, {z, "a"}, {'N', "+="}, {z, "b"}}},
        {"a&&b||c==d<=e>=f", {{z, "a"}, {'I', "&&"}, {z, "b"}, {'J', "||"}, {z, "c"}, {'E', "=="}, {z, "d"}, {'H', "<="}, {z, "e"}, {'F', ">="}, {z, "f"}}},
        // Literals.
        {"'a' 'abc' '\\n' '\\''", {{v, "'a'"}, {v, "'abc'"}, {v, "'\\n'"}, {v, "'\\''"}}},
        {"\"s\\\"t\" L\"u\" L'c'", {{w, "\"s\\\"t\""}, {w, "L\"u\""}, {v, "L'c'"}}},
        {"'ab", {{'\'', "'"}, {z, "ab"}}},
        {"\"ab", {{'"', "\""}, {z, "ab"}}},
        {"L Lvalue L+1", {{z, "L"}, {z, "Lvalue"}, {z, "L"}, {'+', "+"}, {x, "1"}}},
        // Keywords are whole identifiers, in lower case.
        {"do double dox doubles Int longer iffy format const_cast",
         {{233, "do"}, {197, "double"}, {z, "dox"}, {z, "doubles"}, {z, "Int"}, {z, "longer"}, {z, "iffy"}, {z, "format"}, {184, "const_cast"}}},
        {"true false sizeof", {{249, "true"}, {236, "false"}, {244, "sizeof"}}},
        // A byte from 128 on is one token of a code no grammar uses, not a keyword's code.
        {"a\xEC" "b", {{z, "a"}, {128, "\xEC"}, {z, "b"}}},
        {"#", {{'#', "#"}}},
        // Digit separators belong to the number they stand in.
        {"1'000 + 0xFF'FF - 1'000.000'5e1'0f", {{x, "1'000"}, {'+', "+"}, {x, "0xFF'FF"}, {'-', "-"}, {x, "1'000.000'5e1'0f"}}},
        {"1'", {{x, "1"}, {'\'', "'"}}},
        {"1''2", {{x, "1"}, {'\'', "'"}, {'\'', "'"}, {x, "2"}}},
        // Encoding prefixes and raw strings.
        {"u8\"s\" u\"s\" U\"s\" u'c' U'c' u8'c'",
         {{w, "u8\"s\""}, {w, "u\"s\""}, {w, "U\"s\""}, {v, "u'c'"}, {v, "U'c'"}, {v, "u8'c'"}}},
        {"R\"(a\"b\\)\" + LR\"x(y)\")x\" u8R\"(\r\n)\"", {{w, "R\"(a\"b\\)\""}, {'+', "+"}, {w, "LR\"x(y)\")x\""}, {w, "u8R\"(\r\n)\""}}},
        {"u8 u U R uR", {{z, "u8"}, {z, "u"}, {z, "U"}, {z, "R"}, {z, "uR"}}},
        {"R\"(open", {{z, "R"}, {'"', "\""}, {'(', "("}, {z, "open"}}},
        // "$" goes on an identifier but begins none.
        {"$a + a$b", {{'$', "$"}, {z, "a"}, {'+', "+"}, {z, "a$b"}}},
    };
    for (const auto& tc : cases) EXPECT_EQ(Tokens(tc.text), tc.tokens) << tc.text;
}

TEST(Scanner, PositionAndPreviousCode)
{
    const std::string text = "  ab + c  ";
    long position = 0, previous = 0;
    std::string lexeme;
    EXPECT_EQ(GetLexeme(text, position, previous, lexeme), 'z');
    EXPECT_EQ(position, 4);  // the token's last character
    EXPECT_EQ(lexeme, "ab");
    EXPECT_EQ(GetLexeme(text, position, previous, lexeme), '+');
    EXPECT_EQ(previous, 'z');
    EXPECT_EQ(GetLexeme(text, position, previous, lexeme), 'z');
    EXPECT_EQ(position, 8);
    EXPECT_EQ(GetLexeme(text, position, previous, lexeme), -1);
    EXPECT_EQ(lexeme, "");
    EXPECT_EQ(position, 11);
    // After the end every call gives the end again, one position further.
    EXPECT_EQ(GetLexeme(text, position, previous, lexeme), -1);
    EXPECT_EQ(previous, -1);
    EXPECT_EQ(position, 12);
}

}  // namespace
