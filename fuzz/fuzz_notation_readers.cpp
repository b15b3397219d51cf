// The notation readers over any text, with the recording builder, colouring and a derivation
// tree: a reading ends with a result, a syntax error or a reported failure, never a crash; and
// without the tree it builds and fails the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers.h"

namespace {

// Every hook the readers call, each doing nothing but checking its positions.
struct CheckingHooks final : readers::StyleHooks, readers::TreeHooks {
    readers::Pos length = 0;
    void Check(readers::Pos p) const
    {
        if (p < 0 || p > length + 2) __builtin_trap();
    }
#define FUZZ_STYLE(name) \
    void name(readers::Pos at) override { Check(at); }
    FUZZ_STYLE(ApplyTextsFont)
    FUZZ_STYLE(ApplyCnsFont)
    FUZZ_STYLE(ApplyNtmFont)
    FUZZ_STYLE(ApplyActFont)
    FUZZ_STYLE(ApplyTrmFont)
    FUZZ_STYLE(ApplyErrorFont)
#undef FUZZ_STYLE
    void NewNode(readers::Pos parentIndex, std::string_view, readers::Pos thisIndex,
                 std::string_view) override
    {
        Check(parentIndex);
        Check(thisIndex);
    }
    void NewLeaf(readers::Pos thisIndex, std::string_view, readers::Pos indSrc, int) override
    {
        Check(thisIndex);
        Check(indSrc);
    }
    void CompleteNode(readers::Pos thisIndex, std::string_view, readers::Pos indSrc) override
    {
        Check(thisIndex);
        Check(indSrc);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    readers::RecordingBuilder builder;
    CheckingHooks hooks;
    hooks.length = static_cast<readers::Pos>(size);
    // Every notation through the dispatch: Typical, W3C, MSDN and MSDN with ";".
    // Each is read again with no tree sink, where no node is kept: it must build and fail alike.
    for (int notation : {readers::Typical, readers::W3C, readers::MSDN, readers::MSDNWithSemicolon}) {
        builder.clear();
        std::string error;
        const auto status = readers::ParseGrammarByNotation(notation, text, error, {&builder, &hooks, &hooks});
        readers::RecordingBuilder untraced;
        std::string untracedError;
        const auto untracedStatus =
            readers::ParseGrammarByNotation(notation, text, untracedError, {&untraced, &hooks, nullptr});
        if (untracedStatus != status || untracedError != error || untraced.trace != builder.trace) __builtin_trap();
    }
    return 0;
}
