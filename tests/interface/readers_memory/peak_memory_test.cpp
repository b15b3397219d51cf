// Long one-line texts cost the readers a few bytes per input byte, not one list node of
// tens of bytes per character. Every allocation of this process is counted, so the figure is
// the readers' own peak over the text they were given.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "readers.h"

namespace {
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
} // namespace

void* operator new(std::size_t n)
{
    void* p = std::malloc(n + sizeof(std::max_align_t));
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = n;
    const std::size_t now = live += n;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return static_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept
{
    if (!p) return;
    char* base = static_cast<char*>(p) - sizeof(std::max_align_t);
    live -= *reinterpret_cast<std::size_t*>(base);
    std::free(base);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

constexpr std::size_t kLong = 20u << 20;

struct LongText {
    int notation;  // 0: the grammar-document colouring
    const char* what;
    std::string head;
    char fill;
    std::string tail;
};

const LongText kTexts[] = {
    {readers::Typical, "comment", "! ", 'k', "\r\n"},
    {readers::Typical, "string", "<A> ::= '", 'c', "'\r\n"},
    {readers::Typical, "name", "<", 'n', "> ::= b\r\n"},
    {readers::Typical, "blanks", "<A> ::= a", ' ', "b\r\n"},
    {readers::W3C, "comment", "/* ", 'k', " */\r\n"},
    {readers::W3C, "string", "a ::= '", 'c', "'\r\n"},
    {readers::W3C, "name", "a", 'n', " ::= b\r\n"},
    {readers::W3C, "blanks", "a ::= a", ' ', "b\r\n"},
    {readers::MSDN, "string", "<A> ::= '", 'c', "'\r\n"},
    {readers::MSDN, "name", "<", 'n', "> ::= b\r\n"},
    {readers::MSDN, "blanks", "<A> ::= a", ' ', "b\r\n"},
    {readers::MSDNWithSemicolon, "string", "<A> ::= '", 'c', "' ;\r\n"},
    {readers::MSDNWithSemicolon, "name", "<", 'n', "> ::= b ;\r\n"},
    {readers::MSDNWithSemicolon, "blanks", "<A> ::= a", ' ', "b ;\r\n"},
    {0, "comment", "' ", 'k', "\r\n"},
    {0, "name", "<", 'n', "> ::= b\r\n"},
    {0, "blanks", "<A> ::= a", ' ', "b\r\n"},
};

TEST(ReadersMemory, LongOneLineTextsCostAFewBytesPerByte)
{
    for (const LongText& t : kTexts) {
        SCOPED_TRACE(std::to_string(t.notation) + " " + t.what);
        const std::string text = t.head + std::string(kLong, t.fill) + t.tail;
        std::string error;
        const std::size_t before = live.load();
        peak = before;
        if (t.notation == 0) {
            readers::NullStyleHooks style;
            readers::BNFSetDocFonts2(text, error, style);
            EXPECT_TRUE(error.empty()) << error.substr(0, 200);
        } else {
            EXPECT_EQ(readers::ParseGrammarByNotation(t.notation, text, error, {}),
                      readers::ReadStatus::Read)
                << error.substr(0, 200);
        }
        const double perByte = static_cast<double>(peak.load() - before) / static_cast<double>(text.size());
        EXPECT_LT(perByte, 8.0);
        std::printf("notation %d %-8s %.2f bytes per byte\n", t.notation, t.what, perByte);
    }
}

} // namespace
