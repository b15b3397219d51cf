// Reading speed of the Typical reader: the language grammar fixture into the engine, a
// megabyte of grammar text with the builder that does nothing, and generated grammars of 1, 5
// and 20 MB into the engine, whose time should grow in proportion to the size. Prints the
// median of runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"

namespace {

template <class F>
double MedianMs(int runs, F&& f)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::string Megabyte()
{
    std::string t;
    while (t.size() < 1'000'000) {
        t += "<Rule number> ::= <A> b 'cd' | [ e | <F> ] ''65'' { g h }* `act`\r\n";
        t += "! a comment line of some length\r\n";
    }
    return t;
}

// A grammar of about `bytes` bytes whose rules refer to one another by tens of thousands of
// distinct names, many of them anagrams (the same bucket of the name tables).
std::string GeneratedGrammar(std::size_t bytes)
{
    std::string t;
    t.reserve(bytes + 200);
    unsigned n = 0;
    auto name = [](unsigned k) {
        std::string d = std::to_string(k);
        std::reverse(d.begin(), d.end());
        return "<Rule " + d + ">";
    };
    while (t.size() < bytes) {
        ++n;
        const unsigned span = n < 1000 ? 1000 : n;
        t += name(n) + " ::= " + name((n * 7919u) % span) + " 'ab' " + name((n * 104729u) % span) +
             " x | [ " + name((n * 31u) % span) + " ] `act " + std::to_string(n % 97) + "` | y\r\n";
        if (n % 16 == 0) t += "! comment line of the generated grammar\r\n";
    }
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string fixture = argc > 1 ? argv[1] : READERS_FIXTURE;
    std::ifstream in(fixture, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string grammar = readers::ToCrLf(s.str());
    const std::string big = Megabyte();
    const int runs = 9;

    readers::EngineBuilder engine;
    const double intoEngine = MedianMs(runs, [&] {
        const std::int32_t language = 0;
        const std::int16_t off = 0;
        BnfParserInit(&language, "", 0, &off, &off, &off);
        std::string error;
        readers::ParseGrammarByNotation(readers::Typical, grammar, error, {&engine});
        if (!error.empty()) std::printf("error: %s\n", error.c_str());
    });
    const double megabyte = MedianMs(runs, [&] {
        std::string error;
        readers::ParseGrammarByNotation(readers::Typical, big, error, {});
        if (!error.empty()) std::printf("error: %s\n", error.c_str());
    });
    std::printf("language grammar (%zu bytes) into the engine: %.2f ms (median of %d)\n",
                grammar.size(), intoEngine, runs);
    std::printf("%zu bytes, builder that does nothing: %.2f ms (median of %d), %.1f MB/s\n",
                big.size(), megabyte, runs, big.size() / 1e6 / (megabyte / 1000));
    for (const std::size_t megabytes : {1u, 5u, 20u}) {
        const std::string text = GeneratedGrammar(megabytes * 1'000'000);
        const double ms = MedianMs(megabytes >= 20 ? 3 : 5, [&] {
            const std::int32_t language = 0;
            const std::int16_t off = 0;
            BnfParserInit(&language, "", 0, &off, &off, &off);
            std::string error;
            readers::ParseGrammarByNotation(readers::Typical, text, error, {&engine});
            if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
        });
        std::printf("%zu MB generated grammar into the engine: %.0f ms (median of %d), %.1f MB/s\n",
                    megabytes, ms, megabytes >= 20 ? 3 : 5, text.size() / 1e6 / (ms / 1000));
    }
    return 0;
}
