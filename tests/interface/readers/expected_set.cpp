#include "expected_set.h"

#include <stdexcept>
#include <string>

namespace readers_test {

namespace {

bool StartsWith(std::string_view s, std::size_t i, std::string_view what)
{
    return s.substr(i, what.size()) == what;
}

bool ItemEnd(std::string_view s, std::size_t i) { return i >= s.size() || s[i] == ' ' || s[i] == '-'; }

// One end of an item at i; i moves past it.
int Endpoint(std::string_view s, std::size_t& i)
{
    auto number = [&](std::size_t from, std::string_view close) {
        const std::size_t end = s.find(close, from);
        if (end == std::string_view::npos) throw std::invalid_argument(std::string(s));
        const int code = std::stoi(std::string(s.substr(from, end - from)));
        i = end + close.size();
        return code;
    };
    if (StartsWith(s, i, "chr(")) return number(i + 4, ")");
    if (StartsWith(s, i, "''") && i + 2 < s.size() && s[i + 2] >= '0' && s[i + 2] <= '9')
        return number(i + 2, "''");
    if (StartsWith(s, i, "' '") && ItemEnd(s, i + 3)) {
        i += 3;
        return ' ';
    }
    if (i >= s.size()) throw std::invalid_argument(std::string(s));
    return static_cast<unsigned char>(s[i++]);
}

} // namespace

ExpectedCodes ParseExpectedSet(std::string_view s)
{
    ExpectedCodes out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (StartsWith(s, i, "finish") && (i + 6 == s.size() || s[i + 6] == ' ')) {
            out.finish = true;
            i += 6;
        } else {
            const int lo = Endpoint(s, i);
            int hi = lo;
            if (i + 1 < s.size() && s[i] == '-' && s[i + 1] != ' ') {
                ++i;
                hi = Endpoint(s, i);
            }
            if (lo > hi) throw std::invalid_argument(std::string(s));
            for (int c = lo; c <= hi; ++c) out.codes.set(static_cast<std::size_t>(c));
        }
        if (i < s.size()) {
            if (s[i] != ' ') throw std::invalid_argument(std::string(s));
            ++i;
        }
    }
    return out;
}

} // namespace readers_test
