// Runs a reading on a thread with the stack a thread of the window program may have, so that a
// reader that spends too much stack per nesting level crashes the test instead of passing.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstddef>
#include <functional>
#include <string>

namespace small_stack {

// Sanitizer builds spend several times as much stack per call.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::size_t kStack = 8u << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr std::size_t kStack = 8u << 20;
#else
inline constexpr std::size_t kStack = 1u << 20;
#endif
#else
inline constexpr std::size_t kStack = 1u << 20;
#endif

inline void OnSmallStack(const std::function<void()>& body)
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

inline std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

} // namespace small_stack
