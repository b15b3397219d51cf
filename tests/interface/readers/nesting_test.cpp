// Nested groups on a thread with a small stack: the reader holds up to its own nesting limit
// and stops with a failure past it, never by exhausting the stack.
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
