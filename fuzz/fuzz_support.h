// Shared by the fuzz targets and the parser generator: the scratch folder of the result files,
// and the engine's steps between a reading and the code generation, as the window program runs
// them.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <string>

#include "morvantelisk.h"

namespace fuzz {

// One folder per process for the files the engine writes.
inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/tamberlix-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// Cleaning (with the listings of what goes), nullable nonterminals, numbering, the relation
// matrices, the select sets and the LL(1) verdict, which is returned.
inline int16_t CleanAndAnalyse()
{
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
    return verdict;
}

} // namespace fuzz
