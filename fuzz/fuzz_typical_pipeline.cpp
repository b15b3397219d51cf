// The whole way of a Typical text through the engine library: read, cleaned, analysed, select
// sets and the LL(1) test, and the parser text of every target.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"

namespace {

// Result files of every input go to one scratch folder.
const std::string& WorkFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/tamberlix-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string& folder = WorkFolder();
    const int32_t basic = 0;
    const int16_t on = -1, off = 0;
    BnfParserInit(&basic, folder.data(), int32_t(folder.size()), &on, size % 2 ? &on : &off, &off);
    readers::EngineBuilder builder;
    std::string error;
    if (readers::ParseGrammarByNotation(readers::Typical, text, error, {&builder}) !=
        readers::ReadStatus::Read)
        return 0;
    char name[80];
    GetGrammarName(name, sizeof name);
    int32_t head = 0, tail = 0, otherHead = 0, otherTail = 0, count = 0;
    IdenticalRules(&head, &tail);
    Alive(&head, &tail, &otherHead, &otherTail);
    FileNonterminals(&head, &tail, "dead", 4, ".dead", 5);
    DeleteNonterminals(&head, &tail);
    UnReachable(&head, &tail, &otherHead, &otherTail);
    FileNonterminals(&head, &tail, "unreachable", 11, ".unr", 4);
    DeleteNonterminals(&head, &tail);
    FileRules(&otherHead, &otherTail, "rules", 5, ".rul", 4);
    Nullable(&head, &tail);
    NtmNumbering(&count);
    TrmNumbering(&count);
    RulesNumbering(&count);
    char message[100];
    InitMatrix(message, sizeof message);
    IsEndOf();
    IsFollowedDirectlyBy();
    EndOf_FolDirBy_Prod();
    BeginsWith();
    IsFollowedBy();
    int16_t verdict = 0;
    FileSetOfSelect(&verdict, ".sel", 4);
    for (int32_t language : {1, 3, 4, 5, 7, 8, 9}) TamberlixCode(&language);
    return 0;
}
