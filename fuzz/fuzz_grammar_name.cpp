// The grammar-name check over any text: a name is accepted exactly when it is a letter
// followed by letters, digits and underscores.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    readers::Grammar_Name(text, error);
    auto letter = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    bool valid = !text.empty() && letter(text[0]);
    for (unsigned char c : text) valid = valid && (letter(c) || (c >= '0' && c <= '9') || c == '_');
    if (valid != error.empty()) __builtin_trap();
    return 0;
}
