// The grammar file that the engine prints reads back with the Typical reader as the same
// grammar, before and after each transformation: the window program replaces its text with it
// after every transformation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
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

// A grammar as the builder receives it: the first rule's head is the start symbol.
struct Symbol {
    char kind;  // 'N' nonterminal, 'T' terminal, 'A' action
    std::string name;
    bool operator==(const Symbol&) const = default;
};
using Alternative = std::vector<Symbol>;
struct Grammar {
    std::vector<std::string> order;
    std::map<std::string, std::vector<Alternative>> rules;
    void Add(const std::string& head, const Alternative& alt)
    {
        if (!rules.count(head)) order.push_back(head);
        rules[head].push_back(alt);
    }
};

// The grammar that a reading built, from the builder calls it made.
Grammar FromTrace(const std::string& trace)
{
    Grammar g;
    std::istringstream in(trace);
    std::string call, name, head;
    Alternative alt;
    while (in >> call) {
        if (call == "BKSNAI") name.clear();
        else if (call.rfind("BKSSYM(", 0) == 0) name.push_back(char(std::stoi(call.substr(7))));
        else if (call == "BKSNLI") head = name;
        else if (call == "BKSNL") alt.clear();
        else if (call == "BKSNTM") alt.push_back({'N', name});
        else if (call == "BKSTRM") alt.push_back({'T', name});
        else if (call == "BKSACR") alt.push_back({'A', name});
        else if (call == "BKSEND") g.Add(head, alt);
    }
    return g;
}

// The strings of at most n terminals that the start symbol derives.
std::set<std::string> Language(const Grammar& g, std::size_t n)
{
    std::map<std::string, std::set<std::string>> lang;
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& [head, alts] : g.rules)
            for (const Alternative& alt : alts) {
                std::set<std::string> current{""};
                for (const Symbol& s : alt) {
                    if (s.kind == 'A') continue;
                    std::set<std::string> next;
                    for (const std::string& w : current) {
                        if (s.kind == 'T') {
                            if (w.size() + s.name.size() <= n) next.insert(w + s.name);
                        } else {
                            for (const std::string& u : lang[s.name])
                                if (w.size() + u.size() <= n) next.insert(w + u);
                        }
                    }
                    current.swap(next);
                }
                for (const std::string& w : current) changed = lang[head].insert(w).second || changed;
            }
    }
    return g.order.empty() ? std::set<std::string>{} : lang[g.order.front()];
}

// Names that the Typical notation cannot hold as they are (a ">", control codes, a text that
// reads as a spelt code) and rules longer than a listing line.
class NameSpelling : public RoundTrip {
protected:

    void Spell(const std::string& name)
    {
        engine_.BKSNAI();
        for (unsigned char c : name) engine_.BKSSYM(c);
    }

    // Builds a grammar through the builder entries, as a reader would, and cleans it as the
    // window program does before a transformation.
    void Build(const Grammar& g)
    {
        Restart();
        std::filesystem::remove(folder_.Path() / "G.temp");
        engine_.BKSACT();
        for (const std::string& head : g.order)
            for (const Alternative& alt : g.rules.at(head)) {
                Spell(head);
                engine_.BKSNLI();
                engine_.BKSGMN();
                engine_.BKSNL();
                for (const Symbol& s : alt) {
                    Spell(s.name);
                    if (s.kind == 'N') engine_.BKSNTM();
                    if (s.kind == 'T') engine_.BKSTRM();
                    if (s.kind == 'A') engine_.BKSACR();
                }
                if (alt.empty()) engine_.BKSNUL();
                engine_.BKSEND();
            }
        Clean();
    }

    // The grammar's list as the window program has it; the result files take its name.
    void Clean()
    {
        char name[80];
        GetGrammarName(name, sizeof name);
        std::int32_t deadHead = 0, deadTail = 0;
        Alive(&deadHead, &deadTail, &head_, &tail_);
        DeleteNonterminals(&deadHead, &deadTail);
        UnReachable(&deadHead, &deadTail, &head_, &tail_);
        DeleteNonterminals(&deadHead, &deadTail);
    }

    std::string Printed()
    {
        std::filesystem::remove(folder_.Path() / "G.g");
        FileGrammar(&head_, &tail_, "", 0, ".g", 2);
        std::ifstream in(folder_.Path() / "G.g", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Reads a printed grammar with the Typical reader into a fresh run; the reader's error.
    std::string ReadBack(const std::string& printed, readers::Builder& builder)
    {
        Restart();
        std::string error;
        readers::ParseGrammarByNotation(readers::Typical, readers::ToCrLf(printed), error, {&builder});
        Clean();
        return error;
    }

    // Print, read back, print again: the same text, and the reading built `g`'s names.
    void ExpectRoundTrip(const Grammar& g)
    {
        Build(g);
        const std::string printed = Printed();
        readers::RecordingBuilder trace;
        ASSERT_EQ(ReadBack(printed, trace), "") << printed;
        EXPECT_EQ(FromTrace(trace.trace).rules, g.rules) << printed;
        ASSERT_EQ(ReadBack(printed, engine_), "") << printed;
        EXPECT_EQ(Printed(), printed);
    }

    readers::EngineBuilder& engine_ = builder_;
    std::int32_t head_ = 0, tail_ = 0;
};

TEST_F(NameSpelling, NamesHoldingAnyCodeReadBackAsThemselves)
{
    // Every code 1..255 inside a nonterminal name and an action name, texts that read as a
    // spelt code or nearly so, and names that are only such a text.
    std::vector<std::string> names;
    for (int code = 1; code < 256; ++code) names.push_back("N" + std::string(1, char(code)) + "x");
    for (const char* tricky : {"chr(62)", "$E_chr(62)''", "cchr(9)", "chr(99)hr(62)", "chr(255)",
                               "chr(256)", "chr(0062)", "chr(", "chr(6", "chr()", "chr(62)chr(62)",
                               ">", ">>", "`", "chr(62", "$B_>", "$$H_>_chr(62)"})
        names.push_back(tricky);
    Grammar g;
    Alternative all;
    for (const std::string& n : names) all.push_back({'N', n});
    g.Add("G", all);
    for (std::size_t i = 0; i < names.size(); ++i)
        g.Add(names[i], {{'T', "a"}, {'A', names[(i * 7) % names.size()]}});
    ExpectRoundTrip(g);

    // A name without such a code prints as it always has.
    Build(g);
    const std::string printed = Printed();
    EXPECT_NE(printed.find("\n<N#x>::=a`"), std::string::npos);
    EXPECT_NE(printed.find("<N" "chr(62)" "x>"), std::string::npos);
    EXPECT_NE(printed.find("<chr(99)hr(62)>"), std::string::npos);
    EXPECT_NE(printed.find("<chr(256)>"), std::string::npos);
    EXPECT_NE(printed.find("`chr(96)`"), std::string::npos);
}

TEST_F(NameSpelling, LongRulesStayOnOneLine)
{
    // Forty names fill more than a listing line; a hundred more than the pending line holds.
    for (int count : {40, 100}) {
        SCOPED_TRACE(count);
        Grammar g;
        Alternative alt;
        for (int i = 0; i < count; ++i) {
            const std::string name = "Statement_list_item_number_" + std::to_string(100 + i).substr(1);
            alt.push_back({'N', name});
            g.Add(name, {{'T', "x"}});
        }
        g.rules["G"];
        g.order.insert(g.order.begin(), "G");
        g.rules["G"].push_back(alt);
        g.rules["G"].push_back({{'T', "y"}});
        ExpectRoundTrip(g);
        Build(g);
        const std::string printed = Printed();
        EXPECT_EQ(printed.substr(0, printed.find('\n')).size(), 6 + count * 31u);
        EXPECT_EQ(printed.substr(printed.find('\n'), 9), "\n      |y");
    }
}

enum class Step { Factoring, Loops, LeftRecursion, Corners };

class StepLanguage : public NameSpelling, public ::testing::WithParamInterface<Step> {
protected:
    // Names a user may have, made to be awkward: ">" and spelt-code texts, control codes,
    // and names that the transformations' own names would extend.
    Grammar RandomGrammar(std::uint32_t seed)
    {
        static const std::vector<std::string> pool = {
            "B_>", "$B_>", "H>", "chr(62)", "c\x01", "\t>", "chr(9)x", "A\x7f", "a\x92z", "$H_>"};
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); };
        const int n = 2 + pick(4);
        std::vector<std::string> names{"G"};
        for (int i = 1; i < n; ++i)
            names.push_back(pool[static_cast<std::size_t>(pick(int(pool.size())))] + std::to_string(i));
        Grammar g;
        for (int i = 0; i < n; ++i) {
            const int count = 1 + pick(4);
            for (int k = 0; k < count; ++k) {
                Alternative alt;
                const int length = pick(4);
                for (int j = 0; j < length; ++j) {
                    if (j == 0 && pick(4) == 0) alt.push_back({'N', names[std::size_t(i)]});
                    else if (pick(3) == 0) alt.push_back({'N', names[std::size_t(pick(n))]});
                    else alt.push_back({'T', pick(5) == 0 ? ">" : pick(2) ? "a" : "b"});
                }
                g.Add(names[std::size_t(i)], alt);
            }
        }
        return g;
    }

    void Apply(Step step)
    {
        LeftFactoring(&head_, &tail_);
        if (step == Step::Loops || step == Step::LeftRecursion) RecursiveLoops(&head_, &tail_);
        if (step == Step::LeftRecursion) SelfRecursion(&head_, &tail_);
        if (step != Step::Corners) return;
        std::int32_t n = 0, h = 0, t = 0;
        Nullable(&h, &t);
        NtmNumbering(&n);
        TrmNumbering(&n);
        RulesNumbering(&n);
        char message[256];
        InitMatrix(message, sizeof message);
        IsEndOf();
        IsFollowedDirectlyBy();
        EndOf_FolDirBy_Prod();
        BeginsWith();
        IsFollowedBy();
        std::int32_t substitutions = 0, loops = 0;
        SubstOfAmbigCorner(&substitutions, &loops);
    }
};

TEST_P(StepLanguage, EachStepKeepsTheLanguageOfTheGrammarItPrints)
{
    int changed = 0, checked = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const Grammar g = RandomGrammar(seed);
        const std::set<std::string> language = Language(g, 6);
        // A dead start symbol leaves a grammar of another name.
        if (language.empty()) continue;
        Build(g);
        const std::string before = Printed();
        Apply(GetParam());
        const std::string printed = Printed();
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + before + "after:\n" + printed);
        changed += printed != before;
        readers::RecordingBuilder trace;
        ASSERT_EQ(ReadBack(printed, trace), "");
        ASSERT_EQ(Language(FromTrace(trace.trace), 6), language);
        // Read as the next run reads it (which puts the nonterminals in the order the start
        // symbol reaches them), it prints as a text that reads back to itself.
        ASSERT_EQ(ReadBack(printed, engine_), "");
        const std::string again = Printed();
        ASSERT_EQ(ReadBack(again, engine_), "");
        ASSERT_EQ(Printed(), again);
        ++checked;
    }
    EXPECT_GT(checked, 150);
    EXPECT_GT(changed, 30);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepLanguage,
                         ::testing::Values(Step::Factoring, Step::Loops, Step::LeftRecursion, Step::Corners));

} // namespace
