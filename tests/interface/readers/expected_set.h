// The codes that an expected-set text of a reader's error message names.
#pragma once

#include <bitset>
#include <string_view>

namespace readers_test {

struct ExpectedCodes {
    std::bitset<256> codes;
    bool finish = false;
    bool operator==(const ExpectedCodes&) const = default;
};

// Items separated by blanks: a character, "' '", "chr(n)", "''n''", "finish", or a range of
// two of them joined by "-". Throws std::invalid_argument on anything else.
ExpectedCodes ParseExpectedSet(std::string_view text);

} // namespace readers_test
