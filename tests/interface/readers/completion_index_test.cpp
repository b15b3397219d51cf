// Every node the tree hooks complete is completed at an index between its own start and one
// past the text, also after a syntax error inside a terminal.
#include <gtest/gtest.h>

#include <random>

#include "fakes.h"

namespace {

// Records where each node began and checks each completion against it.
class CheckingHooks final : public readers::TreeHooks {
public:
    explicit CheckingHooks(readers::Pos length) : end_(length + 1) {}
    void NewNode(readers::Pos, std::string_view, readers::Pos, std::string_view) override {}
    void NewLeaf(readers::Pos, std::string_view, readers::Pos, int) override {}
    void CompleteNode(readers::Pos start, std::string_view name, readers::Pos at) override
    {
        if (at < start || at > end_)
            bad.push_back(std::string(name) + " begun at " + std::to_string(start) + " completed at " +
                          std::to_string(at));
    }
    std::vector<std::string> bad;

private:
    readers::Pos end_;
};

std::vector<std::string> BadCompletions(int notation, const std::string& text)
{
    CheckingHooks hooks(static_cast<readers::Pos>(text.size()));
    std::string error;
    readers::ParseGrammarByNotation(notation, text, error, {nullptr, nullptr, &hooks});
    return hooks.bad;
}

TEST(CompletionIndex, CodeAboveTheRangeInsideATerminal)
{
    const std::pair<int, std::string> cases[] = {
        {readers::Typical, "<A> ::= ''2489''\r\n"},
        {readers::Typical, "<A> ::= ''#x1FF''\r\n"},
        {readers::MSDN, "<A> ::= ''300''\r\n"},
        {readers::W3C, "a ::= [#x0300-#x036F]\r\n"},
        {readers::W3C, "a ::= #x100\r\n"},
    };
    for (const auto& [notation, text] : cases) {
        const auto bad = BadCompletions(notation, text);
        EXPECT_TRUE(bad.empty()) << text << bad.front();
    }
}

// Texts made of the notations' own pieces, cut at random places, so that errors fall inside
// every kind of item and at the text's end.
TEST(CompletionIndex, RandomTextsInEveryNotation)
{
    const std::vector<std::string> pieces = {
        "<A>", " ::= ", "a", "'b'", "''65''", "''#x41''", "''300''", "[", "]", "{", "}", "|",
        "(", ")", "*", "+", "?", "`act`", "$title ::= T", "! note", "\r\n", " ", "''^ab''",
        "#x41", "[a-z]", "\"s\"", "/* c */", "...", ";", "x ::= y", "''2489''", "-", "''",
    };
    std::mt19937 rng(7);
    for (int notation : {readers::Typical, readers::W3C, readers::MSDN, readers::MSDNWithSemicolon}) {
        for (int i = 0; i < 3000; ++i) {
            std::string text;
            const int n = 1 + static_cast<int>(rng() % 12);
            for (int k = 0; k < n; ++k) text += pieces[rng() % pieces.size()];
            if (rng() % 2) text.resize(rng() % (text.size() + 1));
            const auto bad = BadCompletions(notation, text);
            ASSERT_TRUE(bad.empty()) << notation << " [" << text << "] " << bad.front();
        }
    }
}

} // namespace
