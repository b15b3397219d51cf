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
    // In memory where the system has such a folder: an input can write hundreds of files, and
    // with several fuzzing jobs at once they waited on the disk's journal for many seconds.
    static const std::string folder = [] {
        char inMemory[] = "/dev/shm/tamberlix-fuzz-XXXXXX";
        if (const char* made = mkdtemp(inMemory)) return std::string(made);
        char pattern[] = "/tmp/tamberlix-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// Above this many alternatives a grammar is not generated: a generated parser comments each
// branch with its whole rule, so its text grows with the square of a nonterminal's
// alternatives, and the instrumented generators would take minutes over one input.
inline constexpr int32_t GeneratedAlternativesLimit = 600;

// Cleaning (with the listings of what goes), nullable nonterminals, numbering, the relation
// matrices, the select sets and the LL(1) test; returns the number of alternatives.
inline int32_t CleanAndAnalyse()
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
    int32_t rules = 0;
    RulesNumbering(&rules);
    char message[100];
    InitMatrix(message, sizeof message);
    IsEndOf();
    IsFollowedDirectlyBy();
    EndOf_FolDirBy_Prod();
    BeginsWith();
    IsFollowedBy();
    int16_t verdict = 0;
    FileSetOfSelect(&verdict, ".sel", 4);
    return rules;
}

} // namespace fuzz
