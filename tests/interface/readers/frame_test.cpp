// The shared reader frame: error texts, the scanner, the dispatch.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace readers_test;

namespace {

// A reader with no grammar: stands at a position and reports an error there.
class Probe : public readers::ReaderFrame {
public:
    Probe() : ReaderFrame({}) {}
    std::string ErrorAt(std::string_view text, readers::Pos pos)
    {
        Start(text);
        while (indSrc < pos) Scan();
        ErrH(1, "<X>", "e");
        return ErrMsg;
    }
    std::string Lowered(std::string_view text)
    {
        Start(text);
        LowCase = true;
        indSrc = 0;
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            Scan();
            out += static_cast<char>(LL1);
        }
        return out;
    }
};

struct ErrorCase {
    const char* what;
    std::string text;
    readers::Pos pos;
    std::string error;
};

const std::string kHead = " when expecting <X> with one of: e\r\n";

const ErrorCase kErrors[] = {
    {"CR LF, second line", "ab\r\ncd\r\nef\r\n", 6, "Line 2, syntax error, found \"d\"" + kHead + "cd\r\n !"},
    {"LF only keeps the line's last character", "ab\ncd\nef\n", 5,
     "Line 2, syntax error, found \"d\"" + kHead + "cd\r\n !"},
    {"LF only, error on the line end", "ab\ncd\n", 6, "Line 2, syntax error, found \"\n\"" + kHead + "cd\r\n  !"},
    {"empty LF line", "ab\n\ncd", 4, "Line 2, syntax error, found \"\n\"" + kHead + "\r\n!"},
    {"empty CR LF line", "ab\r\n\r\ncd", 5, "Line 2, syntax error, found \"\r\"" + kHead + "\r\n!"},
    {"error on a CR", "ab\r\n", 3, "Line 1, syntax error, found \"\r\"" + kHead + "ab\r\n  !"},
    {"end of a text without a final line end", "ab\r\ncd", 7,
     "Line 2, syntax error, found \"end marker\"" + kHead + "cd\r\n  !"},
    {"end of a text with a final line end", "ab\r\n", 5,
     "Line 2, syntax error, found \"end marker\"" + kHead + "\r\n!"},
    {"empty text", "", 1, "Line 1, syntax error, found \"end marker\"" + kHead + "\r\n!"},
    {"no line end after the error: the line up to it", "abcd", 3,
     "Line 1, syntax error, found \"c\"" + kHead + "ab\r\n  !"},
    {"a CR that ends no line stays in the context", "ab\rcd", 5,
     "Line 1, syntax error, found \"d\"" + kHead + "ab\rc\r\n    !"},
    {"end of a text ending in CR without LF", "x\r\nab\r", 7,
     "Line 2, syntax error, found \"end marker\"" + kHead + "ab\r\r\n   !"},
};

class FrameErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FrameErrors, ContextLineAndMarker)
{
    const ErrorCase& c = GetParam();
    EXPECT_EQ(Probe().ErrorAt(c.text, c.pos), c.error) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, FrameErrors, ::testing::ValuesIn(kErrors));

TEST(ReaderFrame, LowCaseLowersTheLettersOfTheCodePage)
{
    EXPECT_EQ(Probe().Lowered("AZaz09_\xC0\xDF\xA8\xB2\xFF\xE0"),
              "azaz09_\xE0\xFF\xB8\xB3\xFF\xE0");
}

TEST(ReaderFrame, LineEndsMadeCrLf)
{
    EXPECT_EQ(readers::ToCrLf("a\nb\r\nc\n\n"), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(readers::ToCrLf(""), "");
}

// A builder that fails as a run-time error inside a reader would.
class ThrowingBuilder final : public readers::Builder {
public:
#define THROWING_PLAIN(name) void name() override {}
#define THROWING_CODE(name) void name(std::int32_t) override { throw std::overflow_error("overflow"); }
    READERS_BUILDER_ENTRIES(THROWING_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(THROWING_CODE)
#undef THROWING_PLAIN
#undef THROWING_CODE
};

struct DispatchCase {
    int notation;
    std::string text;
    readers::ReadStatus status;
    bool errorEmpty;
};

const DispatchCase kDispatch[] = {
    {1, "<A> ::= x\r\n", readers::ReadStatus::Read, true},
    {1, "<A> ::= x", readers::ReadStatus::SyntaxError, false},
    {2, "A ::= x\r\n", readers::ReadStatus::Read, true},
    {2, "A ::= x", readers::ReadStatus::SyntaxError, false},
    {3, "<A> ::= x\r\n", readers::ReadStatus::Read, true},
    {3, "<A> ::= x", readers::ReadStatus::SyntaxError, false},
    {4, "<A> ::= x ;", readers::ReadStatus::Read, true},
    {4, "<A> ::= x", readers::ReadStatus::SyntaxError, false},
};

TEST(ParseGrammarByNotation, RunsTheReaderOfTheNotation)
{
    for (const DispatchCase& c : kDispatch) {
        readers::ProgramState program;
        int pointerResets = 0;
        program.RestoreMousePointer = [&] { ++pointerResets; };
        std::string error = "old";
        readers::RecordingBuilder b;
        EXPECT_EQ(readers::ParseGrammarByNotation(c.notation, c.text, error, {&b}, &program), c.status)
            << c.notation;
        EXPECT_EQ(error.empty(), c.errorEmpty) << c.notation << ": " << error;
        EXPECT_TRUE(program.Idle);
        EXPECT_EQ(pointerResets, 1);
        EXPECT_EQ(b.trace.substr(0, 6), "BKSACT") << c.notation;
    }
}

TEST(ParseGrammarByNotation, UnknownCodeRunsNothingAndKeepsTheCallersText)
{
    for (int notation : {0, 5, -1}) {
        readers::ProgramState program;
        program.Idle = false;
        std::string error = "as set by the caller";
        readers::RecordingBuilder b;
        EXPECT_EQ(readers::ParseGrammarByNotation(notation, "<A> ::= x\r\n", error, {&b}, &program),
                  readers::ReadStatus::NoReader);
        EXPECT_EQ(error, "as set by the caller");
        EXPECT_EQ(b.trace, "");
        EXPECT_TRUE(program.Idle);
    }
}

TEST(ParseGrammarByNotation, AFailureInsideTheReaderIsNeverASuccess)
{
    const std::pair<int, const char*> texts[] = {
        {1, "<A> ::= x\r\n"}, {2, "A ::= x\r\n"}, {3, "<A> ::= x\r\n"}, {4, "<A> ::= x ;"}};
    for (const auto& [notation, text] : texts) {
        readers::ProgramState program;
        ThrowingBuilder b;
        std::string error;  // "" as a caller would start
        EXPECT_EQ(readers::ParseGrammarByNotation(notation, text, error, {&b}, &program),
                  readers::ReadStatus::Failed)
            << notation;
        EXPECT_EQ(error, "Reading failed: overflow");
        EXPECT_TRUE(program.Idle);
    }
}

TEST(ParseGrammarByNotation, GroupsNestedTooDeepStopTheReadingAsAFailure)
{
    const int depth = readers::TypicalReader::MaxGroupDepth + 10;
    const std::string text = "<A> ::= " + std::string(depth, '[') + " a " + std::string(depth, ']') + "\r\n";
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(1, text, error, {}), readers::ReadStatus::Failed);
    EXPECT_NE(error.find("nested"), std::string::npos) << error;
}

TEST(ParseGrammarByNotation, NestingUpToTheLimitIsRead)
{
    const int depth = readers::TypicalReader::MaxGroupDepth;
    const std::string text = "<A> ::= " + std::string(depth, '[') + " a " + std::string(depth, ']') + "\r\n";
    std::string error;
    EXPECT_EQ(readers::ParseGrammarByNotation(1, text, error, {}), readers::ReadStatus::Read) << error;
}

TEST(ColourGrammarText, ColoursWithoutBuilding)
{
    const readers::FontSet fonts = DistinctFonts();
    const std::string text = "<A> ::= x\r\n";
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    std::string error;
    EXPECT_EQ(readers::ColourGrammarText(1, text, error, styler), readers::ReadStatus::Read);
    EXPECT_EQ(rich.Map(fonts), "NNNxxxxxTxx");
}

} // namespace

namespace {

// The nodes waiting for completion cost two bytes each while they lie close together, and come
// back in the reverse order with their positions, however far apart.
TEST(NodeStack, TwoBytesANodeAndExactPositions)
{
    readers::NodeStack stack;
    const std::string_view a = "<A>", b = "<B>";
    for (readers::Pos i = 1; i <= 100000; ++i) stack.Push(i, i % 2 ? a : b);
    EXPECT_EQ(stack.Top(), 200000u);
    const readers::NodeStack::Mark base = stack.Top();
    const readers::Pos far[] = {100000, 100254, 100255, 5000000000, 5000000000, 5000000300};
    for (readers::Pos p : far) stack.Push(p, b);
    for (int i = 5; i >= 0; --i) {
        const auto [index, name] = stack.Pop();
        EXPECT_EQ(index, far[i]);
        EXPECT_EQ(name, "<B>");
    }
    EXPECT_EQ(stack.Top(), base);
    for (readers::Pos i = 100000; i >= 1; --i) {
        const auto [index, name] = stack.Pop();
        ASSERT_EQ(index, i);
        ASSERT_EQ(name.data(), (i % 2 ? a : b).data());
    }
    EXPECT_EQ(stack.Top(), 0u);
}

} // namespace
