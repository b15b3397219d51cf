// The typed engine client over a table of stand-in exports: what it makes of padded, untouched
// and sized buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine_client.h"

namespace {

// What the stand-ins hand back, and what they were given.
struct Fake {
    std::string error, grammarName;
    bool namesGrammar = false;
    std::vector<std::string> names;
    std::int32_t capacity = -1;
    std::string matrix;  // written when it fits the capacity
} fake;

void Fill(char* buffer, std::int32_t length, const std::string& text)
{
    std::memset(buffer, ' ', static_cast<std::size_t>(length));
    std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), static_cast<std::size_t>(length)));
}

char* FakeError(char* buffer, std::int32_t length)
{
    Fill(buffer, length, fake.error);
    return buffer;
}

char* FakeGrammarName(char* buffer, std::int32_t length)
{
    if (fake.namesGrammar) Fill(buffer, length, fake.grammarName);
    return buffer;
}

char* FakeName(char* buffer, std::int32_t length, std::int32_t* cursor)
{
    Fill(buffer, length, fake.names.at(static_cast<std::size_t>((*cursor)++)));
    return buffer;
}

void FakeMatrix(char* matrix, std::int32_t capacity)
{
    fake.capacity = capacity;
    if (fake.matrix.size() <= static_cast<std::size_t>(capacity)) std::memcpy(matrix, fake.matrix.data(), fake.matrix.size());
}

EngineExports Table()
{
    EngineExports t;
    t.GetEngineError = FakeError;
    t.GetGrammarName = FakeGrammarName;
    t.GetNtmName = t.GetTrmName = FakeName;
    t.GetIsEndOf = FakeMatrix;
    return t;
}

class EngineClientTest : public ::testing::Test {
protected:
    void SetUp() override { fake = Fake{}; }
    EngineExports table_ = Table();
    EngineClient client_{table_};
};

} // namespace

TEST_F(EngineClientTest, TextsComeBackWithoutTheirPadding)
{
    EXPECT_EQ(client_.LastError(), "");
    fake.error = " Fatal error: no room of memory.\r\n 12 x 34 ";
    EXPECT_EQ(client_.LastError(), "Fatal error: no room of memory.\r\n 12 x 34");
}

TEST_F(EngineClientTest, AFailureLongerThanANameBufferComesBackWhole)
{
    // A work folder refused for its length is quoted in full before the reason.
    fake.error = "The work folder \"/" + std::string(3000, 'd') + " e\" is longer than 260 characters: no file is written.";
    EXPECT_EQ(client_.LastError(), fake.error);
}

TEST_F(EngineClientTest, AReadingThatNamedNoGrammarGivesNoNameNotAnEmptyOne)
{
    EXPECT_FALSE(client_.GrammarName().has_value());
    fake.namesGrammar = true;
    fake.grammarName = "Expr";
    EXPECT_EQ(client_.GrammarName(), "Expr");
}

TEST_F(EngineClientTest, NamesSitAtTheirNumbersAndABlankTerminalStaysOneBlank)
{
    fake.names = {"S", "   ", "List"};
    EXPECT_EQ(client_.NonterminalNames(3), (std::vector<std::string>{"", "S", "", "List"}));
    fake.names = {"a", "   ", "\r"};
    EXPECT_EQ(client_.TerminalNames(3), (std::vector<std::string>{"", "a", " ", "\r"}));
    EXPECT_EQ(client_.TerminalNames(0), std::vector<std::string>{""});
    EXPECT_EQ(client_.TerminalNames(-1), std::vector<std::string>{""});
}

TEST_F(EngineClientTest, AMatrixGetsItsExactSizeAsCapacityAndStaysBlankWhereNothingWasWritten)
{
    fake.matrix = "* *  *";
    EXPECT_EQ(client_.Matrix(&EngineExports::GetIsEndOf, 3, 2), "* *  *");
    EXPECT_EQ(fake.capacity, 6);
    // Too small for what the engine holds: nothing is written, and the caller sees blanks.
    EXPECT_EQ(client_.Matrix(&EngineExports::GetIsEndOf, 2, 2), "    ");
    EXPECT_EQ(fake.capacity, 4);
}
