// The one table of the code page that the window program and the samples share.
#include <gtest/gtest.h>

#include <set>

#include "code_page.h"

namespace {

TEST(CodePage, EveryByteSurvivesARoundTrip)
{
    std::set<char16_t> characters;
    for (int b = 0; b < 256; ++b) {
        const char16_t u = cp1251::charOf(static_cast<unsigned char>(b));
        EXPECT_EQ(cp1251::codeOf(u), b) << b;
        characters.insert(u);
    }
    EXPECT_EQ(characters.size(), 256u);  // no two bytes share a character
}

TEST(CodePage, KnownCharacters)
{
    const struct {
        unsigned char code;
        char16_t u;
    } cases[] = {
        {'A', u'A'},  {0x7F, 0x7F},   {0xC0, u'А'}, {0xDF, u'Я'}, {0xE0, u'а'}, {0xFF, u'я'},
        {0xA8, u'Ё'}, {0xB8, u'ё'},   {0x88, u'€'}, {0xB9, u'№'}, {0x99, u'™'}, {0xA0, 0x00A0},
        {0x98, 0x0098},  // the code that the code page leaves out stands for itself
    };
    for (const auto& tc : cases) {
        EXPECT_EQ(cp1251::charOf(tc.code), tc.u) << int(tc.code);
        EXPECT_EQ(cp1251::codeOf(tc.u), tc.code) << int(tc.code);
    }
    for (const char32_t none : {U'é', U'☺', U'中', U'\U0001F600', char32_t(0x2123), char32_t(0x110000)})
        EXPECT_EQ(cp1251::codeOf(none), -1) << static_cast<unsigned long>(none);
}

TEST(CodePage, FromUtf8)
{
    EXPECT_EQ(cp1251::fromUtf8("Файл a.cpp"), "\xD4\xE0\xE9\xEB a.cpp");
    EXPECT_EQ(cp1251::fromUtf8("ё№€"), "\xB8\xB9\x88");
    // What the code page lacks, and bytes that are no UTF-8, each become the stand-in.
    EXPECT_EQ(cp1251::fromUtf8("a☺b"), "a?b");
    EXPECT_EQ(cp1251::fromUtf8("a\U0001F600b", '#'), "a#b");
    EXPECT_EQ(cp1251::fromUtf8("a\xD0"), "a?");              // cut short
    EXPECT_EQ(cp1251::fromUtf8("\xC0\xAF" "b"), "??b");       // an overlong form
    EXPECT_EQ(cp1251::fromUtf8("\xED\xA0\x80"), "???");       // a surrogate
    EXPECT_EQ(cp1251::fromUtf8("\xFF" "a"), "?a");
}

}  // namespace
