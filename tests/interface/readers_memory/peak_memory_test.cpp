// Long one-line texts cost the readers a few bytes per input byte, not one list node of
// tens of bytes per character. Every allocation of this process is counted, so the figure is
// the readers' own peak over the text they were given.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine_builder.h"
#include "morvantelisk.h"
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

// Aligned blocks (the engine's word space) are counted too: the size sits one alignment before
// the block.
void* operator new(std::size_t n, std::align_val_t al)
{
    const std::size_t a = static_cast<std::size_t>(al) < sizeof(std::size_t) ? sizeof(std::size_t)
                                                                               : static_cast<std::size_t>(al);
    void* p = std::aligned_alloc(a, (n + a + a - 1) / a * a);
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = n;
    const std::size_t now = live += n;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return static_cast<char*>(p) + a;
}
void operator delete(void* p, std::align_val_t al) noexcept
{
    if (!p) return;
    const std::size_t a = static_cast<std::size_t>(al) < sizeof(std::size_t) ? sizeof(std::size_t)
                                                                               : static_cast<std::size_t>(al);
    char* base = static_cast<char*>(p) - a;
    live -= *reinterpret_cast<std::size_t*>(base);
    std::free(base);
}
void operator delete(void* p, std::size_t, std::align_val_t al) noexcept { operator delete(p, al); }

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

// A Typical grammar of about `bytes` bytes whose rules refer to one another by tens of
// thousands of distinct names.
std::string GeneratedGrammar(std::size_t bytes)
{
    std::string t;
    t.reserve(bytes + 200);
    auto name = [](unsigned k) {
        std::string d = std::to_string(k);
        std::reverse(d.begin(), d.end());
        return "<Rule " + d + ">";
    };
    for (unsigned n = 1; t.size() < bytes; ++n) {
        const unsigned span = n < 1000 ? 1000 : n;
        t += name(n) + " ::= " + name((n * 7919u) % span) + " 'ab' " + name((n * 104729u) % span) +
             " x | [ " + name((n * 31u) % span) + " ] `act " + std::to_string(n % 97) + "` | y\r\n";
    }
    return t;
}

// Peak bytes per input byte of a grammar read into the engine: the records it becomes, the
// name tables and the reader together.
double EnginePeakPerByte(std::size_t bytes)
{
    const std::string text = GeneratedGrammar(bytes);
    readers::EngineBuilder engine;
    const std::int32_t language = 0;
    const std::int16_t off = 0;
    // A run start gives back the previous run's records.
    BnfParserInit(&language, "", 0, &off, &off, &off);
    const std::size_t before = live.load();
    peak = before;
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(readers::Typical, text, error, {&engine}),
              readers::ReadStatus::Read)
        << error.substr(0, 200);
    const double perByte = static_cast<double>(peak.load() - before) / static_cast<double>(text.size());
    BnfParserInit(&language, "", 0, &off, &off, &off);
    return perByte;
}

// The engine's memory grows with the grammar, not faster: 16 MB cost per byte what 1 MB does,
// and growing never holds two copies of the records at once.
TEST(ReadersMemory, AGrammarReadIntoTheEngineTakesMemoryInProportion)
{
    const double small = EnginePeakPerByte(1u << 20);
    const double large = EnginePeakPerByte(16u << 20);
    std::printf("into the engine: 1 MB %.2f, 16 MB %.2f bytes per byte\n", small, large);
    EXPECT_LT(large, small * 1.15);
    // The records of this grammar take about 13 bytes per byte; a word space that moved to a
    // larger copy when it grew held both copies at once (about 26).
    EXPECT_LT(large, 18.0);
}

} // namespace
