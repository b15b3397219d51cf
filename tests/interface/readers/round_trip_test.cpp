// The grammar file that the engine prints reads back with the Typical reader as the same
// grammar: the window program replaces its text with it after every transformation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"
#include "support/work_folder.h"

namespace {

class RoundTrip : public ::testing::Test {
protected:
    void Restart()
    {
        const std::int32_t language = 0;
        const std::int16_t off = 0;
        const std::string f = folder_.Path().string();
        BnfParserInit(&language, f.data(), static_cast<std::int32_t>(f.size()), &off, &off, &off);
    }

    // Reads a text (LF line ends made CR LF) into a fresh run; the reader's error text.
    std::string Read(const std::string& text)
    {
        Restart();
        std::string crlf;
        for (char c : text) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        std::string error;
        readers::ParseGrammarByNotation(readers::Typical, crlf, error, {&builder_});
        char name[80];
        GetGrammarName(name, sizeof name);
        return error;
    }

    std::string File(const std::string& ext, bool grammar)
    {
        std::int32_t head = 0, tail = 0, deadHead = 0, deadTail = 0;
        // The grammar's list as the pipeline has it after cleaning.
        Alive(&deadHead, &deadTail, &head, &tail);
        DeleteNonterminals(&deadHead, &deadTail);
        UnReachable(&deadHead, &deadTail, &head, &tail);
        DeleteNonterminals(&deadHead, &deadTail);
        (grammar ? FileGrammar : FileRules)(&head, &tail, "", 0, ext.data(),
                                            static_cast<std::int32_t>(ext.size()));
        std::ifstream in(folder_.Path() / ("G" + ext), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    test_support::WorkFolder folder_{"round-trip"};
    readers::EngineBuilder builder_;
};

// A terminal in one of the forms the Typical notation has for a code.
std::string Terminal(std::mt19937& rng, int code)
{
    const bool plain = code > 32 && code < 127 && std::string("<[]`{|}'\"-").find(char(code)) ==
                                                        std::string::npos;
    if (plain && rng() % 2) return std::string(1, char(code));
    return "''" + std::to_string(code) + "''";
}

// A random grammar text over every code 0..255, with groups, repetitions, ranges, negated
// classes, actions and action definitions.
std::string RandomGrammar(std::uint32_t seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); };
    const int n = 2 + pick(4);
    auto ntm = [&] { return "<N" + std::to_string(pick(n)) + ">"; };
    auto simple = [&] { return pick(3) ? Terminal(rng, pick(256)) : ntm(); };
    std::string text = "<N0>::=''" + std::to_string(pick(256)) + "''\n";
    for (int i = 0; i < n; ++i) {
        text += "<N" + std::to_string(i) + ">::=";
        const int alternatives = 1 + pick(3);
        for (int k = 0; k < alternatives; ++k) {
            if (k > 0) text += "|";
            const int length = pick(5);
            for (int j = 0; j < length; ++j) {
                switch (pick(8)) {
                case 0: text += "[" + simple() + "|" + simple() + simple() + "]"; break;
                case 1: text += "{" + simple() + "}" + (pick(2) ? "*" : "+"); break;
                case 2: {
                    const int lo = pick(250);
                    text += "''" + std::to_string(lo) + "''-''" + std::to_string(lo + pick(5)) + "''";
                    break;
                }
                case 3: {
                    const int lo = pick(250);
                    text += "''^#d" + std::to_string(lo) + "-#d" + std::to_string(lo + 1 + pick(4)) +
                            "#d" + std::to_string(pick(256)) + "''";
                    break;
                }
                case 4: text += "`act" + std::to_string(pick(3)) + "`"; break;
                default: text += simple(); break;
                }
            }
        }
        text += "\n";
    }
    text += "`act0`::= x = y + 1;\n`act1`::=call it\n";
    return text;
}

TEST_F(RoundTrip, APrintedGrammarReadsBackAsTheSameGrammar)
{
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        const std::string source = "<G>::=<N0>\n" + RandomGrammar(seed);
        SCOPED_TRACE(source);
        ASSERT_EQ(Read(source), "");
        const std::string printed = File(".g1", true);
        const std::string rules = File(".r1", false);
        if (printed.find("<G>") == std::string::npos) continue;
        ASSERT_EQ(Read(printed), "") << printed;
        EXPECT_EQ(File(".g2", true), printed);
        EXPECT_EQ(File(".r2", false), rules);
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

TEST_F(RoundTrip, EveryCodeIsOneTerminalAfterTheRoundTrip)
{
    std::string source = "<G>::=";
    for (int code = 0; code < 256; ++code) source += "|''" + std::to_string(code) + "''";
    source += "\n";
    ASSERT_EQ(Read(source), "");
    const std::string printed = File(".g1", true);
    // The tab, like every other control code, stands bare in its escaped form.
    EXPECT_NE(printed.find("      |''9''\n"), std::string::npos);
    EXPECT_EQ(printed.find("\"''"), std::string::npos);
    ASSERT_EQ(Read(printed), "") << printed;
    EXPECT_EQ(File(".g2", true), printed);
    std::int32_t n = 0, t = 0;
    NtmNumbering(&n);
    TrmNumbering(&t);
    EXPECT_EQ(t, 256);
}

} // namespace
