#include "syntax_error.h"

#include <algorithm>

namespace samples {

namespace {

// The error's line number and the 1-based range [left, right) of the line shown around it.
void Context(const std::string& src, long indSrc, long& lineNum, long& left, long& right)
{
    const long lenSrc = static_cast<long>(src.size());
    lineNum = 1;
    left = 1;
    right = lenSrc + 1;
    for (long i = 1; i <= lenSrc; ++i) {
        if (src[static_cast<size_t>(i - 1)] != '\n') continue;
        if (indSrc > i) {
            ++lineNum;
            left = i + 1;
        } else {
            right = i;
            break;
        }
    }
    // A carriage return before the line feed is not part of the shown line.
    if (right > left && src[static_cast<size_t>(right - 2)] == '\r') --right;
    // A line too long to show is shown around the error, as the generated parsers show it: from
    // 40 characters before the error when it stands further in than 60, at most 120 characters.
    if (right - left > ContextWidth) {
        if (indSrc - left > ContextLead) left = indSrc - ContextBefore;
        right = std::min(right, left + ContextWidth);
    }
}

} // namespace

ContextRange ErrorContext(const std::string& src, long indSrc)
{
    long lineNum = 0, left = 0, right = 0;
    Context(src, indSrc, lineNum, left, right);
    return {left - 1, std::max(0L, right - left)};
}

std::string SyntaxErrorText(const std::string& src, long indSrc, long ll1, long fin, int errNum,
                            const std::string& what, const std::string& expected)
{
    const long lenSrc = static_cast<long>(src.size());
    long lineNum = 0, left = 0, right = 0;
    Context(src, indSrc, lineNum, left, right);

    std::string msg = "Line " + std::to_string(lineNum) + ", syntax error, found ";
    if (ll1 == fin) msg += "\"end marker\"";
    else if (ll1 >= 0 && ll1 <= 255) msg += "\"" + std::string(1, static_cast<char>(ll1)) + "\"";
    switch (errNum) {
    case NoAlternative:
        msg += " when expecting " + what + " with one of: " + expected;
        break;
    case WrongTerminal:
        msg += " when expecting \"" + expected + "\"";
        break;
    default:
        msg += " where " + what + " is nested too deeply";
        break;
    }
    msg += "\r\n";
    if (left < right) msg += src.substr(static_cast<size_t>(left - 1), static_cast<size_t>(right - left));
    msg += "\r\n";
    // A tab stays a tab, so that the "!" stands under the offending character.
    for (long i = left; i < indSrc && i <= lenSrc; ++i) msg += src[static_cast<size_t>(i - 1)] == '\t' ? '\t' : ' ';
    if (indSrc > lenSrc + 1) msg += std::string(static_cast<size_t>(indSrc - std::max(left, lenSrc + 1)), ' ');
    msg += "!";
    return msg;
}

} // namespace samples
