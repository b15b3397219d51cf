// Parsers that the engine generated, one of a grammar that is not LL(1), over any input: each
// accepts or reports an error, never crashes and never goes round for ever, however deep the
// nesting.
#include <cstddef>
#include <cstdint>
#include <string>

bool fuzzed(char* sourceStr, char** errorMsg);
bool clashing(char* sourceStr, char** errorMsg);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    char* message = nullptr;
    fuzzed(text.data(), &message);
    text.assign(reinterpret_cast<const char*>(data), size);
    clashing(text.data(), &message);
    return 0;
}
