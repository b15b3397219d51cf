// The samples' syntax-error text: the source line, cut around the error when it is long, with
// the "!" under the offending character.
#include <gtest/gtest.h>

#include "syntax_error.h"

namespace {

using samples::SyntaxErrorText;

// The last two lines of the text: the shown context and the marker line.
std::pair<std::string, std::string> Context(const std::string& message)
{
    const size_t marker = message.rfind("\r\n");
    const size_t context = message.rfind("\r\n", marker - 1);
    return {message.substr(context + 2, marker - context - 2), message.substr(marker + 2)};
}

TEST(SyntaxErrorText, LongLinesAreCutAroundTheError)
{
    std::string digits;
    for (int i = 0; i < 10000; ++i) digits += static_cast<char>('0' + i % 10);
    const struct {
        std::string src;
        long indSrc;
        std::string context;
        size_t column;  // of the "!"
    } cases[] = {
        {"a + b", 3, "a + b", 2},
        {digits.substr(0, 120), 120, digits.substr(0, 120), 119},  // a line of the widest size stays whole
        {digits.substr(0, 121), 61, digits.substr(0, 120), 60},   // the error within the first 61: cut at the end
        {digits.substr(0, 121), 62, digits.substr(21, 100), 40},  // further in: 40 characters before it
        {digits, 5000, digits.substr(4959, 120), 40},
        {digits, 10001, digits.substr(9960, 40), 40},  // the end marker of a long line
        {"x\r\n" + digits + "\r\ny", 3 + 5000, digits.substr(4959, 120), 40},
    };
    for (const auto& tc : cases) {
        const std::string message = SyntaxErrorText(tc.src, tc.indSrc, 'x', -1, samples::NoAlternative, "<A>", "x");
        const auto [context, marker] = Context(message);
        EXPECT_EQ(context, tc.context) << tc.indSrc;
        EXPECT_EQ(marker, std::string(tc.column, ' ') + "!") << tc.indSrc;
        EXPECT_LT(message.size(), 320u);
    }
}

TEST(SyntaxErrorText, TheMarkStandsUnderTheErrorAfterTabs)
{
    const std::string message = SyntaxErrorText("\ta\t+ ?", 6, '?', -1, samples::WrongTerminal, " ", "z");
    EXPECT_EQ(message, "Line 1, syntax error, found \"?\" when expecting \"z\"\r\n\ta\t+ ?\r\n\t \t  !");
    // Past the end of the text the mark stands where the next character would.
    EXPECT_EQ(Context(SyntaxErrorText("ab", 4, -1, -1, samples::NoAlternative, "<A>", "x")).second, "   !");
}

}  // namespace
