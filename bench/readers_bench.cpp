// Reading speed of the notation readers and the colouring parsers. Prints the median of runs:
// the language grammar fixture into the engine; a large grammar in each notation into the
// engine and with the builder that does nothing; each colouring parser over a large text; and
// generated Typical grammars of 1, 4 and 16 MB into the engine, whose time should grow in
// proportion to the size.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
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

// One grammar, `rules` rules long, in the notation's own words: the same symbols, groups,
// strings, codes and comments in each.
std::string Grammar(int notation, int rules)
{
    std::string t;
    for (int i = 0; i < rules; ++i) {
        const std::string n = std::to_string(i);
        switch (notation) {
        case readers::Typical:
            t += "<Rule number " + n + "> ::= <A> b 'cd' | [ e | <F" + n + "> ] ''65'' { g h }* `act`\r\n";
            t += "! a comment line of some length\r\n";
            break;
        case readers::MSDN:
            t += "<Rule number " + n + "> ::= <A> b 'cd' | [ e | <F" + n + "> ] ''65'' { g h }... `act`\r\n";
            t += "! a comment line of some length\r\n";
            break;
        case readers::MSDNWithSemicolon:
            t += "<Rule number " + n + "> ::= <A> b 'cd'\r\n  | [ e | <F" + n + "> ] ''65'' { g h }... `act` ;\r\n";
            t += "! a comment line of some length\r\n";
            break;
        case readers::W3C:
            t += "Rule_number_" + n + " ::= A 'b' 'cd' | ('e' | F" + n + ")? #d65 ('g' 'h')* `act`\r\n";
            t += "/* a comment line of some length */\r\n";
            break;
        }
    }
    return t;
}

std::string Repeat(const std::string& unit, std::size_t size)
{
    std::string t;
    while (t.size() < size) t += unit;
    return t;
}

// The terminal list as the pipeline writes it, 256 codes over and over.
std::string TerminalList(std::size_t size)
{
    std::string t;
    for (int i = 0; t.size() < size; ++i) {
        const int code = i % 256;
        std::string n = std::to_string(i + 1);
        t += std::string(n.size() < 7 ? 7 - n.size() : 0, ' ') + n + std::string(10, ' ') +
             static_cast<char>(code) + std::string(18, ' ') + "chr(" + std::to_string(code) + ")\r\n";
    }
    return t;
}

double MBps(std::size_t bytes, double ms) { return bytes / 1e6 / (ms / 1000); }

void Report(const char* what, std::size_t bytes, double ms, int runs)
{
    std::printf("%-44s %9zu bytes %9.2f ms (median of %d) %7.1f MB/s\n", what, bytes, ms, runs, MBps(bytes, ms));
}

void StartRun()
{
    const std::int32_t language = 0;
    const std::int16_t off = 0;
    BnfParserInit(&language, "", 0, &off, &off, &off);
}

// A Typical grammar of about `bytes` bytes whose rules refer to one another by tens of
// thousands of distinct names, many of them anagrams (the same bucket of the name tables).
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
    const int runs = 9;
    // "generated" as a second argument times only the generated grammars (for a profile).
    const bool generatedOnly = argc > 2 && std::string(argv[2]) == "generated";
    // "null" times only the readings with the builder that does nothing (the readers' own cost).
    const bool nullOnly = argc > 2 && std::string(argv[2]) == "null";

    readers::EngineBuilder engine;
    const struct {
        int notation;
        const char* name;
    } notations[] = {{readers::Typical, "Typical"},
                     {readers::W3C, "W3C"},
                     {readers::MSDN, "MSDN"},
                     {readers::MSDNWithSemicolon, "MSDN with ;"}};
    if (!generatedOnly && !nullOnly) {
        const double intoEngine = MedianMs(runs, [&] {
            StartRun();
            std::string error;
            readers::ParseGrammarByNotation(readers::Typical, grammar, error, {&engine});
            if (!error.empty()) std::printf("error: %s\n", error.c_str());
        });
        Report("language grammar into the engine", grammar.size(), intoEngine, runs);

        for (const auto& n : notations) {
            const std::string text = Grammar(n.notation, 2000);
            const double ms = MedianMs(runs, [&] {
                StartRun();
                std::string error;
                readers::ParseGrammarByNotation(n.notation, text, error, {&engine});
                if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
            });
            Report((std::string(n.name) + ", 2000 rules into the engine").c_str(), text.size(), ms, runs);
        }
    }
    if (!generatedOnly) {
        for (const auto& n : notations) {
            const std::string text = Grammar(n.notation, 12000);
            const double ms = MedianMs(runs, [&] {
                std::string error;
                readers::ParseGrammarByNotation(n.notation, text, error, {});
                if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
            });
            Report((std::string(n.name) + ", builder that does nothing").c_str(), text.size(), ms, runs);
        }
    }
    if (!generatedOnly && !nullOnly) {
        readers::NullStyleHooks style;
        const std::size_t big = 1'000'000;
        const struct {
            const char* name;
            std::string text;
            std::function<void(const std::string&)> colour;
        } colourings[] = {
            {"terminal list (SetTerminalListFont)", TerminalList(big),
             [&](const std::string& t) {
                 std::string error;
                 readers::SetTerminalListFont(t, error, style);
                 if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
             }},
            {"grammar document (BNFSetDocFonts2)",
             Repeat("<Rule number 1> ::= <A> b 'c' | ''65'' e-f `act`\r\n' a comment line\r\n"
                    "! an error line\r\n`act` ::= n = n + 1\r\n",
                    big),
             [&](const std::string& t) {
                 std::string error;
                 readers::BNFSetDocFonts2(t, error, style);
                 if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
             }},
            {"Visual Basic code (SetVBCodeFonts)",
             Repeat("Private Sub s_12(ByVal x As Long)\n    If LL1 = 97 Then Scan Else ErrH 1, \"<A>\"\n"
                    "    ' a comment\nEnd Sub\n",
                    big),
             [&](const std::string& t) { readers::SetVBCodeFonts(t, style, nullptr); }},
            {"C++ code (SetCppCodeFonts)",
             Repeat("static void s_12(long x) {\n    if (LL1 == 97) { Scan(); } else ErrH(1, \"<A>\");\n"
                    "    // a comment\n}\n#include <cstdio>\n",
                    big),
             [&](const std::string& t) { readers::SetCppCodeFonts(t, style, nullptr); }},
        };
        for (const auto& c : colourings) {
            const double ms = MedianMs(runs, [&] { c.colour(c.text); });
            Report(c.name, c.text.size(), ms, runs);
        }

    }

    for (const std::size_t megabytes : {1u, 4u, 16u}) {
        if (nullOnly) break;
        const std::string text = GeneratedGrammar(megabytes * 1'000'000);
        const int generatedRuns = megabytes >= 16 ? 3 : 5;
        const double ms = MedianMs(generatedRuns, [&] {
            StartRun();
            std::string error;
            readers::ParseGrammarByNotation(readers::Typical, text, error, {&engine});
            if (!error.empty()) std::printf("error: %s\n", error.substr(0, 200).c_str());
        });
        Report(("Typical, generated " + std::to_string(megabytes) + " MB into the engine").c_str(),
               text.size(), ms, generatedRuns);
    }
    return 0;
}
