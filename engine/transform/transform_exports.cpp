// Exports of left factoring, the recursion transformations and corner substitution.
#include "exports.h"

namespace {

// The grammar's NonterminalList after a transformation; nothing is written for an empty one.
template <class Step>
void TransformExport(int32_t* head, int32_t* tail, Step step) {
  mv::Guarded([&](mv::Engine& eng) {
    if (!step(eng.trans)) return;
    if (head) *head = eng.store.Grammar.First;
    if (tail) *tail = eng.store.Grammar.Last;
  });
}

}  // namespace

MORVANTELISK_API void LeftFactoring(int32_t* head, int32_t* tail) {
  TransformExport(head, tail, [](mv::Transform& t) { return t.LeftFactoring(); });
}

MORVANTELISK_API void RecursiveLoops(int32_t* head, int32_t* tail) {
  TransformExport(head, tail, [](mv::Transform& t) { return t.RecursiveLoops(); });
}

MORVANTELISK_API void SelfRecursion(int32_t* head, int32_t* tail) {
  TransformExport(head, tail, [](mv::Transform& t) { return t.SelfRecursion(); });
}

MORVANTELISK_API void SubstOfAmbigCorner(int32_t* substitutions, int32_t* loops) {
  mv::Guarded([&](mv::Engine& eng) {
    int32_t s = 0, l = 0;
    if (!eng.trans.SubstOfAmbigCorner(s, l)) return;
    if (substitutions) *substitutions = s;
    if (loops) *loops = l;
  });
}
