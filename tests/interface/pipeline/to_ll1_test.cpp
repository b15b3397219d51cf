// The window program's attempt to make a grammar LL(1), through the library's exports: each
// cycle reads the grammar text with the Typical reader, cleans it, factors it, removes left
// recursion, analyses it and substitutes clashing corners; the printed grammar is the next
// cycle's text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"
#include "support/work_folder.h"

namespace {

struct Outcome {
    bool ll1 = false;
    int cycles = 0;
    bool loops = false;
    std::string grammar;  // the text of the last cycle
};

class ToLL1 : public ::testing::Test {
protected:
    std::string Slurp(const std::string& file)
    {
        std::ifstream in(folder_.Path() / file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    Outcome Run(std::string text)
    {
        Outcome o;
        for (o.cycles = 1; o.cycles <= 10; ++o.cycles) {
            o.grammar = text;
            const std::int32_t language = 0;
            const std::int16_t off = 0;
            const std::string f = folder_.Path().string();
            BnfParserInit(&language, f.data(), static_cast<std::int32_t>(f.size()), &off, &off,
                          &off);
            std::string crlf, error;
            for (char c : text) {
                if (c == '\n') crlf += '\r';
                crlf += c;
            }
            readers::ParseGrammarByNotation(readers::Typical, crlf, error, {&builder_});
            EXPECT_EQ(error, "") << text;
            if (!error.empty()) return o;
            char name[80];
            GetGrammarName(name, sizeof name);
            std::int32_t head = 0, tail = 0, h2 = 0, t2 = 0;
            IdenticalRules(&head, &tail);
            Alive(&h2, &t2, &head, &tail);
            DeleteNonterminals(&h2, &t2);
            UnReachable(&h2, &t2, &head, &tail);
            DeleteNonterminals(&h2, &t2);
            LeftFactoring(&head, &tail);
            RecursiveLoops(&head, &tail);
            SelfRecursion(&head, &tail);
            std::int32_t n = 0, t = 0, r = 0;
            Nullable(&h2, &t2);
            NtmNumbering(&n);
            TrmNumbering(&t);
            RulesNumbering(&r);
            char message[100];
            InitMatrix(message, sizeof message);
            IsEndOf();
            IsFollowedDirectlyBy();
            EndOf_FolDirBy_Prod();
            BeginsWith();
            IsFollowedBy();
            std::int16_t verdict = 0;
            FileSetOfSelect(&verdict, ".sel", 4);
            if (verdict == -1) {
                o.ll1 = true;
                FileGrammar(&head, &tail, "", 0, ".grm", 4);
                o.grammar = Slurp("G.grm");
                break;
            }
            std::int32_t substitutions = 0, loops = 0;
            SubstOfAmbigCorner(&substitutions, &loops);
            o.loops = loops == 1;
            if (substitutions == 0 || o.loops) break;
            // The grammar's list again: substitution may have taken nonterminals out.
            IdenticalRules(&head, &tail);
            FileGrammar(&head, &tail, "", 0, ".grm", 4);
            text = Slurp("G.grm");
        }
        // The window program deletes the history when it is done.
        std::filesystem::remove(folder_.Path() / "G.temp");
        return o;
    }

    test_support::WorkFolder folder_{"to-ll1"};
    readers::EngineBuilder builder_;
};

TEST_F(ToLL1, LeftRecursionAndCommonPrefixesGoInOneCycle)
{
    const Outcome o = Run("<G>::=<G>+<T>|<G>-<T>|<T>\n"
                          "<T>::=<T>*<F>|<F>\n"
                          "<F>::=(<G>)|i|i\"[\"<G>\"]\"\n");
    EXPECT_TRUE(o.ll1);
    EXPECT_EQ(o.cycles, 1);
    // Factoring first takes the common <G> out of the left-recursive alternatives.
    EXPECT_EQ(o.grammar,
              "<G>::=<T><$G>\n"
              "<T>::=<F><$T>\n"
              "<F>::=(<G>)\n"
              "      |i<$F_i>\n"
              "<$G_G>::=+<T>\n"
              "      |\"-\"<T>\n"
              "<$F_i>::=\n"
              "      |\"[\"<G>\"]\"\n"
              "<$G>::=<$G_G><$G>\n"
              "      |\n"
              "<$T>::=*<F><$T>\n"
              "      |\n");
}

TEST_F(ToLL1, ClashingCornersAreSubstitutedAndFactoredInTheNextCycle)
{
    const Outcome o = Run("<G>::=<A>x|<B>y\n<A>::=a\n<B>::=a\n");
    EXPECT_TRUE(o.ll1);
    EXPECT_EQ(o.cycles, 2);
    EXPECT_EQ(o.grammar, "<G>::=a<$G_a>\n<$G_a>::=x\n      |y\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "G.temp"));
}

TEST_F(ToLL1, AClashThatComesBackEndsTheCycles)
{
    // Every substitution brings the same pair of first symbols back.
    const Outcome o = Run("<G>::=<A>|a<G>\n<A>::=a<A>|a\n");
    EXPECT_FALSE(o.ll1);
    EXPECT_TRUE(o.loops);
    EXPECT_EQ(o.cycles, 3);
}

} // namespace
