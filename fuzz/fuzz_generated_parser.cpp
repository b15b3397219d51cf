// A parser that the engine generated, over any input: it accepts or reports an error, never
// crashes, however deep the nesting.
#include <cstddef>
#include <cstdint>
#include <string>

bool fuzzed(char* sourceStr, char** errorMsg);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    char* message = nullptr;
    fuzzed(text.data(), &message);
    return 0;
}
