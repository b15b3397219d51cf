// Exports of the removal of identical rules and of dead and unreachable nonterminals.
#include "exports.h"

namespace {

void Put(int32_t* head, int32_t* tail, const mv::Chain& list) {
  if (head) *head = list.First;
  if (tail) *tail = list.Last;
}

}  // namespace

MORVANTELISK_API void IdenticalRules(int32_t* head, int32_t* tail) {
  mv::Guarded([&](mv::Engine& eng) { Put(head, tail, eng.extra.IdenticalRules()); });
}

MORVANTELISK_API void Alive(int32_t* deadHead, int32_t* deadTail, int32_t* aliveHead, int32_t* aliveTail) {
  mv::Guarded([&](mv::Engine& eng) {
    mv::Chain dead, alive;
    const int32_t start = eng.store.Grammar.First;
    eng.extra.Alive(dead, alive);
    // A dead start symbol leaves no language: this run generates no parser.
    eng.codegen.CheckDeadStart(start, dead);
    Put(deadHead, deadTail, dead);
    Put(aliveHead, aliveTail, alive);
  });
}

MORVANTELISK_API void UnReachable(int32_t* unreachableHead, int32_t* unreachableTail, int32_t* reachableHead,
                                  int32_t* reachableTail) {
  mv::Guarded([&](mv::Engine& eng) {
    mv::Chain unreachable, reachable;
    eng.extra.UnReachable(unreachable, reachable);
    Put(unreachableHead, unreachableTail, unreachable);
    Put(reachableHead, reachableTail, reachable);
  });
}

MORVANTELISK_API void DeleteNonterminals(const int32_t* head, const int32_t* tail) {
  mv::Guarded([&](mv::Engine& eng) {
    mv::Chain list = mv::ListArgument(eng, head, tail);
    if (list.First != 0) eng.extra.DeleteNonterminals(list.First, list.Last);
  });
}
