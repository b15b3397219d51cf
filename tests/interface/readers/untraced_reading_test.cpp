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

// Counts the calls, so that the test knows whether the tree sink was used.
class CountingTree final : public readers::TreeHooks {
public:
    explicit CountingTree(bool listening = true) : listening_(listening) {}
    long calls = 0;
    bool Listening() const override { return listening_; }
    void NewNode(readers::Pos, std::string_view, readers::Pos, std::string_view) override { ++calls; }
    void NewLeaf(readers::Pos, std::string_view, readers::Pos, int) override { ++calls; }
    void CompleteNode(readers::Pos, std::string_view, readers::Pos) override { ++calls; }

private:
    bool listening_;
};

struct Outcome {
    readers::ReadStatus status = readers::ReadStatus::Read;
    std::string error, trace, style;
};

// A notation reader, or with a notation code of 0 or -1 the colouring parser of grammar
// documents or of the terminal list.
constexpr int kDocument = 0;
constexpr int kTerminalList = -1;

Outcome Read(int notation, const std::string& text, readers::TreeHooks* tree)
{
    readers::RecordingBuilder builder;
    StyleLog style;
    const readers::ReaderHooks hooks{&builder, &style, tree};
    Outcome o;
    if (notation == kDocument) {
        readers::DocumentColouring(hooks).BNFSetDocFonts2(text, o.error);
    } else if (notation == kTerminalList) {
        readers::TerminalListColouring(hooks).SetTerminalListFont(text, o.error);
    } else {
        o.status = readers::ParseGrammarByNotation(notation, text, o.error, hooks);
    }
    o.trace = builder.trace;
    o.style = style.log;
    return o;
}

// Texts of the notations' own pieces, or good lines of the reader's own kind with a piece put
// in, cut at random places: the readings end in every kind of error as well as successfully,
// and lists end after one level or many.
TEST(UntracedReading, BuildsColoursAndFailsAsATracedReading)
{
    const std::vector<std::string> pieces = {
        "<A>", " ::= ", "a", "'b'", "''65''", "''#x41''", "''300''", "[", "]", "{", "}", "|", "(", ")", "*", "+",
        "?", "`act`", "$title ::= T", "! note", "\r\n", " ", "''^ab''", "#x41", "[a-z]", "\"s\"", "/* c */",
        "...", ";", "x ::= y", "-", "''", "<B c>", "<chr(65)d>", "`a chr(7)`", "\t", "#d65", "}*", "-> ",
        "\xFF", "\x01", "$Declare ::= d", "$ \t NEXT ::= n", "      12          a                  chr(97)",
    };
    const struct {
        int reader;
        std::vector<std::string> lines;
    } kinds[] = {
        {readers::Typical,
         {"<A> ::= a 'b' [ c | <D e> ] { f }* ''#x41'' `act`\r\n", "  | g-h ''^ab''\r\n", "! note\r\n",
          "`act` ::= x = 1\r\n", "$TITLE ::= T\r\n", "\r\n"}},
        {readers::W3C,
         {"A ::= 'a' ('b' | C)? #x41 [a-z]* `act`\r\n", "/* c ** d */\r\n", "`act` ::= x = 1\r\n", "\r\n"}},
        {readers::MSDN,
         {"<A> ::= a 'b' [ c | <D e> ] { f }... `act`\r\n", "! note\r\n", "`act` ::= x = 1\r\n", "\r\n"}},
        {readers::MSDNWithSemicolon, {"<A> ::= a 'b'\r\n  | [ c | <D> ] { e }... `act` ;\r\n", "' note\r\n"}},
        {kDocument,
         {"<A> ::= <B> b 'c' | ''65'' e-f `act`\r\n", "' a comment\r\n", "! an error line\r\n",
          "`act` ::= n = n + 1\r\n"}},
        {kTerminalList,
         {"      1          a                  chr(97)\r\n", "     12          \x01                  chr(1)\r\n"}},
    };
    std::mt19937 rng(11);
    for (const auto& kind : kinds) {
        int read = 0;
        for (int i = 0; i < 3000; ++i) {
            std::string text;
            if (i % 2) {
                const int n = 1 + static_cast<int>(rng() % 16);
                for (int k = 0; k < n; ++k) text += pieces[rng() % pieces.size()];
            } else {
                const int n = 1 + static_cast<int>(rng() % 8);
                for (int k = 0; k < n; ++k) text += kind.lines[rng() % kind.lines.size()];
                if (rng() % 2) text.insert(rng() % (text.size() + 1), pieces[rng() % pieces.size()]);
            }
            if (rng() % 3 == 0) text.resize(rng() % (text.size() + 1));
            CountingTree tree, deaf(false);
            const Outcome traced = Read(kind.reader, text, &tree);
            // No tree sink, or one that does not listen: nothing is kept for the tree.
            const Outcome untraced = Read(kind.reader, text, i % 3 ? nullptr : &deaf);
            ASSERT_GT(tree.calls, 0);
            ASSERT_EQ(deaf.calls, 0);
            ASSERT_EQ(untraced.status, traced.status) << kind.reader << " [" << text << "]";
            ASSERT_EQ(untraced.error, traced.error) << kind.reader << " [" << text << "]";
            ASSERT_EQ(untraced.trace, traced.trace) << kind.reader << " [" << text << "]";
            ASSERT_EQ(untraced.style, traced.style) << kind.reader << " [" << text << "]";
            if (traced.error.empty()) ++read;
        }
        // Successful readings too, not only errors.
        EXPECT_GT(read, 300) << kind.reader;
    }
}

} // namespace
