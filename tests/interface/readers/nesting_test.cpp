// Nested groups on a thread with a small stack: the reader holds up to its own nesting limit
// and stops with a failure past it, never by exhausting the stack.
#include <gtest/gtest.h>

#include "fakes.h"
#include "small_stack.h"

namespace {

using small_stack::OnSmallStack;
using small_stack::Repeat;

struct Shape {
    const char* what;
    int notation;
    std::string head, open, inner, close, tail;
    int limit;
};

void NestUpToTheLimit(const Shape& shape)
{
    SCOPED_TRACE(shape.what);
    for (int depth : {shape.limit, shape.limit + 1}) {
        const std::string text = shape.head + Repeat(shape.open, depth) + shape.inner +
                                 Repeat(shape.close, depth) + shape.tail;
        readers::ReadStatus status = readers::ReadStatus::NoReader;
        std::string error;
        OnSmallStack([&] {
            readers::RecordingBuilder builder;
            readers_test::FakeTreeHost host;
            host.textLength = static_cast<readers::Pos>(text.size());
            readers::DerivationTree tree(host);
            status = readers::ParseGrammarByNotation(shape.notation, text, error,
                                                     {&builder, nullptr, &tree});
        });
        EXPECT_EQ(status, depth <= shape.limit ? readers::ReadStatus::Read
                                               : readers::ReadStatus::Failed)
            << depth << ": " << error.substr(0, 200);
    }
}

// Each way a group may hold the next: as its only symbol, after a symbol, as a further
// alternative, after a symbol of a further alternative, inside a repetition.
TEST(Nesting, TypicalGroupsNestUpToTheLimitOnASmallStack)
{
    const int limit = readers::TypicalReader::MaxGroupDepth;
    const Shape shapes[] = {
        {"only symbol", readers::Typical, "<A> ::= ", "[ ", "a", " ]", "\r\n", limit},
        {"after a symbol", readers::Typical, "<A> ::= ", "[ x ", "a", " ]", "\r\n", limit},
        {"further alternative", readers::Typical, "<A> ::= ", "[ x | ", "a", " ]", "\r\n", limit},
        {"symbol of a further alternative", readers::Typical, "<A> ::= ", "[ x | y ", "a", " ]", "\r\n",
         limit},
        {"repetition", readers::Typical, "<A> ::= ", "{ x | y ", "a", " }*", "\r\n", limit},
    };
    for (const Shape& shape : shapes) NestUpToTheLimit(shape);
}

TEST(Nesting, W3CAndMsdnGroupsNestUpToTheLimitOnASmallStack)
{
    const int limit = readers::LineNotationReader::MaxGroupDepth;
    const Shape shapes[] = {
        {"W3C group", readers::W3C, "A ::= ", "( 'x' | ", "'a'", " )", "\r\n", limit},
        {"MSDN group", readers::MSDN, "<A> ::= ", "[ x | ", "a", " ]", "\r\n", limit},
    };
    for (const Shape& shape : shapes) NestUpToTheLimit(shape);
}

} // namespace
