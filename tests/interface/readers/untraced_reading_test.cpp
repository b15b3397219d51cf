// A reading with no tree sink keeps no nodes at all; what it builds, colours and reports must
// be what the same reading gives with a tree sink attached.
#include <gtest/gtest.h>

#include <random>

#include "fakes.h"

namespace {

// Every style call as text.
class StyleLog final : public readers::StyleHooks {
public:
    std::string log;
    void ApplyTextsFont(readers::Pos p) override { add('X', p); }
    void ApplyCnsFont(readers::Pos p) override { add('C', p); }
    void ApplyNtmFont(readers::Pos p) override { add('N', p); }
    void ApplyTrmFont(readers::Pos p) override { add('T', p); }
    void ApplyActFont(readers::Pos p) override { add('A', p); }
    void ApplyErrorFont(readers::Pos p) override { add('E', p); }

private:
    void add(char font, readers::Pos p) { log += font + std::to_string(p) + ' '; }
};

// Counts nodes, so that the test knows the tree sink was really used.
class CountingTree final : public readers::TreeHooks {
public:
    long nodes = 0;
    void NewNode(readers::Pos, std::string_view, readers::Pos, std::string_view) override { ++nodes; }
    void NewLeaf(readers::Pos, std::string_view, readers::Pos, int) override {}
    void CompleteNode(readers::Pos, std::string_view, readers::Pos) override {}
};

struct Outcome {
    readers::ReadStatus status;
    std::string error, trace, style;
};

Outcome Read(int notation, const std::string& text, readers::TreeHooks* tree)
{
    readers::RecordingBuilder builder;
    StyleLog style;
    Outcome o;
    o.status = readers::ParseGrammarByNotation(notation, text, o.error, {&builder, &style, tree});
    o.trace = builder.trace;
    o.style = style.log;
    return o;
}

// Texts of the notations' own pieces, cut at random places, so that the readings end in
// every kind of error as well as successfully, and lists end after one level or many.
TEST(UntracedReading, BuildsColoursAndFailsAsATracedReading)
{
    const std::vector<std::string> pieces = {
        "<A>", " ::= ", "a", "'b'", "''65''", "''#x41''", "''300''", "[", "]", "{", "}", "|", "(", ")", "*", "+",
        "?", "`act`", "$title ::= T", "! note", "\r\n", " ", "''^ab''", "#x41", "[a-z]", "\"s\"", "/* c */",
        "...", ";", "x ::= y", "-", "''", "<B c>", "<chr(65)d>", "`a chr(7)`", "\t", "#d65", "}*", "-> ",
        "\xFF", "\x01", "$Declare ::= d", "$ \t NEXT ::= n",
    };
    std::mt19937 rng(11);
    int read = 0;
    for (int notation : {readers::Typical, readers::W3C, readers::MSDN, readers::MSDNWithSemicolon}) {
        for (int i = 0; i < 3000; ++i) {
            std::string text;
            const int n = 1 + static_cast<int>(rng() % 16);
            for (int k = 0; k < n; ++k) text += pieces[rng() % pieces.size()];
            if (rng() % 3 == 0) text.resize(rng() % (text.size() + 1));
            CountingTree tree;
            const Outcome traced = Read(notation, text, &tree);
            const Outcome untraced = Read(notation, text, nullptr);
            ASSERT_GT(tree.nodes, 0);
            ASSERT_EQ(untraced.status, traced.status) << notation << " [" << text << "]";
            ASSERT_EQ(untraced.error, traced.error) << notation << " [" << text << "]";
            ASSERT_EQ(untraced.trace, traced.trace) << notation << " [" << text << "]";
            ASSERT_EQ(untraced.style, traced.style) << notation << " [" << text << "]";
            if (traced.status == readers::ReadStatus::Read) ++read;
        }
    }
    // Successful readings too, not only errors.
    EXPECT_GT(read, 200);
}

} // namespace
