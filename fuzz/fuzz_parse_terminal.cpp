// ParseTerminal from any position of any text: a terminal, a syntax error or a refused
// position, and the position handed back lies within the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    // The first two bytes choose the position, most often one inside the text.
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const int choice = data[0] | (data[1] << 8);
    readers::Pos at = choice % (static_cast<readers::Pos>(text.size()) + 4) - 1;
    readers::RecordingBuilder builder;
    readers::TerminalReader reader({&builder, nullptr, nullptr});
    std::string error;
    bool bad = false;
    const readers::Pos start = at;
    try {
        reader.ParseTerminal(text, at, error, bad, 1, "<Caller>");
    } catch (const readers::ReaderFailure&) {
        if (start >= 1 && start <= static_cast<readers::Pos>(text.size()) + 1) __builtin_trap();
        return 0;
    }
    if (at < 1 || at > static_cast<readers::Pos>(text.size()) + 1) __builtin_trap();
    if (bad == error.empty()) __builtin_trap();
    return 0;
}
