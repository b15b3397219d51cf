// Exports of the analysis: nullable nonterminals, numbering, symbol names, relation matrices,
// select sets and the LL(1) verdict.
#include "exports.h"

using mv::Analysis;
using mv::Engine;
using mv::Guarded;

namespace {

void Out(int32_t* p, int32_t value) {
  if (p) *p = value;
}

// A Get export: the matrix text into the caller's array, never past its capacity.
void GetMatrix(Analysis::Matrix which, const char* name, char* matrix, int32_t capacity) {
  Guarded([&](Engine& eng) {
    if (eng.an.MatrixText(which, matrix, capacity < 0 ? 0 : capacity)) return;
    eng.out.LastError = !eng.an.LayoutFits() ? std::string(name) + ": the relation matrices are not laid out."
                                             : std::string(name) + ": the array holds " +
                                                   std::to_string(capacity) + " bytes, the matrix needs " +
                                                   std::to_string(eng.an.MatrixTextSize(which)) + ".";
  });
}

}  // namespace

MORVANTELISK_API void Nullable(int32_t* head, int32_t* tail) {
  Guarded([&](Engine& eng) {
    mv::Chain list = eng.an.Nullable();
    Out(head, list.First);
    Out(tail, list.Last);
  });
}

MORVANTELISK_API void NtmNumbering(int32_t* nonterminals) {
  Guarded([&](Engine& eng) { Out(nonterminals, eng.an.NtmNumbering()); });
}

MORVANTELISK_API void TrmNumbering(int32_t* terminals) {
  Guarded([&](Engine& eng) { Out(terminals, eng.an.TrmNumbering()); });
}

MORVANTELISK_API void RulesNumbering(int32_t* rules) {
  Guarded([&](Engine& eng) { Out(rules, eng.an.RulesNumbering()); });
}

MORVANTELISK_API char* GetNtmName(char* buffer, int32_t bufferLength, int32_t* cursor) {
  Guarded([&](Engine& eng) {
    int32_t c = mv::Value(cursor);
    mv::FillBuffer(buffer, bufferLength, eng.an.GetNtmName(c));
    Out(cursor, c);
  });
  return buffer;
}

MORVANTELISK_API char* GetTrmName(char* buffer, int32_t bufferLength, int32_t* cursor) {
  Guarded([&](Engine& eng) {
    int32_t c = mv::Value(cursor);
    mv::FillBuffer(buffer, bufferLength, eng.an.GetTrmName(c));
    Out(cursor, c);
  });
  return buffer;
}

MORVANTELISK_API char* InitMatrix(char* message, int32_t messageLength) {
  Guarded([&](Engine& eng) { mv::FillBuffer(message, messageLength, eng.an.InitMatrix()); });
  return message;
}

MORVANTELISK_API void IsEndOf(void) {
  Guarded([](Engine& eng) { eng.an.IsEndOf(); });
}

MORVANTELISK_API void IsFollowedDirectlyBy(void) {
  Guarded([](Engine& eng) { eng.an.IsFollowedDirectlyBy(); });
}

MORVANTELISK_API void EndOf_FolDirBy_Prod(void) {
  Guarded([](Engine& eng) { eng.an.EndOf_FolDirBy_Prod(); });
}

MORVANTELISK_API void BeginsWith(void) {
  Guarded([](Engine& eng) { eng.an.BeginsWith(); });
}

MORVANTELISK_API void IsFollowedBy(void) {
  Guarded([](Engine& eng) { eng.an.IsFollowedBy(); });
}

MORVANTELISK_API void GetIsEndOf(char* matrix, int32_t capacity) {
  GetMatrix(Analysis::Matrix::EndOf, "GetIsEndOf", matrix, capacity);
}

MORVANTELISK_API void GetIsFolDirBy(char* matrix, int32_t capacity) {
  GetMatrix(Analysis::Matrix::FolDirBy, "GetIsFolDirBy", matrix, capacity);
}

MORVANTELISK_API void GetBeginsWith(char* matrix, int32_t capacity) {
  GetMatrix(Analysis::Matrix::BeginsWith, "GetBeginsWith", matrix, capacity);
}

MORVANTELISK_API void GetIsFollowedBy(char* matrix, int32_t capacity) {
  GetMatrix(Analysis::Matrix::FollowedBy, "GetIsFollowedBy", matrix, capacity);
}

MORVANTELISK_API void FileSetOfSelect(int16_t* verdict, const char* extension, int32_t extensionLength) {
  Guarded([&](Engine& eng) {
    int16_t v = 0;
    eng.an.FileSetOfSelect(mv::TextArgument(extension, extensionLength), v);
    if (verdict) *verdict = v;
  });
}
