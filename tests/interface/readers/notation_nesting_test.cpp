// Nested groups of the MSDN and W3C notations on a thread with a small stack: each reader
// holds up to its nesting limit and stops with a failure past it, never by exhausting the
// stack.
#include <gtest/gtest.h>

#include "fakes.h"
#include "small_stack.h"

namespace {

using small_stack::OnSmallStack;
using small_stack::Repeat;

struct Shape {
    int notation;
    const char* what;
    std::string open, close, end;
};

// Each way a group may hold the next: as its only symbol, after a symbol, as a further
// alternative, after a symbol of a further alternative, repeated.
const Shape kShapes[] = {
    {readers::MSDN, "only symbol", "[ ", " ]", "\r\n"},
    {readers::MSDN, "after a symbol", "[ x ", " ]...", "\r\n"},
    {readers::MSDN, "further alternative", "{ x | ", " }", "\r\n"},
    {readers::MSDN, "symbol of a further alternative", "{ x | y ", " }...", "\r\n"},
    {readers::MSDNWithSemicolon, "over lines", "[\r\nx\r\n| y ", "\r\n]", " ;"},
    {readers::W3C, "only symbol", "(", ")", "\r\n"},
    {readers::W3C, "after a symbol", "(x ", ")*", "\r\n"},
    {readers::W3C, "further alternative", "(x | ", ")?", "\r\n"},
    {readers::W3C, "symbol of a further alternative", "( x | y ", " )+", "\r\n"},
};

TEST(NotationNesting, GroupsNestUpToTheLimitOnASmallStack)
{
    const int limit = readers::LineNotationReader::MaxGroupDepth;
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.what);
        for (int depth : {limit, limit + 1}) {
            const std::string head = shape.notation == readers::W3C ? "a ::= " : "<A> ::= ";
            const std::string text = head + Repeat(shape.open, depth) + "a" + Repeat(shape.close, depth) + shape.end;
            readers::ReadStatus status = readers::ReadStatus::NoReader;
            std::string error;
            OnSmallStack([&] {
                readers::RecordingBuilder builder;
                readers_test::FakeTreeHost host;
                host.textLength = static_cast<readers::Pos>(text.size());
                readers::DerivationTree tree(host);
                status = readers::ParseGrammarByNotation(shape.notation, text, error, {&builder, nullptr, &tree});
            });
            EXPECT_EQ(status, depth <= limit ? readers::ReadStatus::Read : readers::ReadStatus::Failed)
                << shape.notation << " " << depth << ": " << error.substr(0, 200);
        }
    }
}

} // namespace
