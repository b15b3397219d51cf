// The whole way of a Typical text through the engine library: read, cleaned, analysed, select
// sets and the LL(1) test, and the parser text of every target.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine_builder.h"
#include "fuzz_support.h"
#include "morvantelisk.h"
#include "readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string& folder = fuzz::ScratchFolder();
    const int32_t basic = 0;
    const int16_t on = -1, off = 0;
    BnfParserInit(&basic, folder.data(), int32_t(folder.size()), &on, size % 2 ? &on : &off, &off);
    readers::EngineBuilder builder;
    std::string error;
    if (readers::ParseGrammarByNotation(readers::Typical, text, error, {&builder}) !=
        readers::ReadStatus::Read)
        return 0;
    fuzz::CleanAndAnalyse();
    for (int32_t language : {1, 3, 4, 5, 7, 8, 9}) TamberlixCode(&language);
    return 0;
}
