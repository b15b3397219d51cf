// Nested groups of the MSDN and W3C notations on a thread with a small stack: each reader
// holds up to its nesting limit and stops with a failure past it, never by exhausting the
// stack.
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

#include "fakes.h"

namespace {

// The stack a thread of the window program may have; sanitizer builds spend several times as
// much per call.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStack = 8u << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kStack = 8u << 20;
#else
constexpr std::size_t kStack = 1u << 20;
#endif
#else
constexpr std::size_t kStack = 1u << 20;
#endif

void OnSmallStack(const std::function<void()>& body)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStack);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&body)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

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
