// Exports of the listings and of the engine's latest error text.
#include "exports.h"

namespace {

void ResultFileExport(mv::ResultFileKind kind, const int32_t* head, const int32_t* tail, const char* title,
                      int32_t titleLength, const char* extension, int32_t extensionLength) {
  mv::Guarded([&](mv::Engine& eng) {
    mv::Chain list = mv::ListingArgument(eng, head, tail);
    eng.out.WriteResultFile(kind, list.First, list.Last, mv::TextArgument(title, titleLength),
                            mv::TextArgument(extension, extensionLength));
  });
}

}  // namespace

MORVANTELISK_API void FileRules(const int32_t* head, const int32_t* tail, const char* title,
                                int32_t titleLength, const char* extension, int32_t extensionLength) {
  ResultFileExport(mv::ResultFileKind::Rules, head, tail, title, titleLength, extension, extensionLength);
}

MORVANTELISK_API void FileGrammar(const int32_t* head, const int32_t* tail, const char* title,
                                  int32_t titleLength, const char* extension, int32_t extensionLength) {
  ResultFileExport(mv::ResultFileKind::Grammar, head, tail, title, titleLength, extension, extensionLength);
}

MORVANTELISK_API void FileNonterminals(const int32_t* head, const int32_t* tail, const char* title,
                                       int32_t titleLength, const char* extension, int32_t extensionLength) {
  ResultFileExport(mv::ResultFileKind::Nonterminals, head, tail, title, titleLength, extension,
                   extensionLength);
}

MORVANTELISK_API char* GetEngineError(char* buffer, int32_t bufferLength) {
  // Answers also after a stopped run: the fatal message is what the caller wants then.
  try {
    mv::FillBuffer(buffer, bufferLength, mv::ProcessEngine().out.LastError);
  } catch (...) {
  }
  return buffer;
}

MORVANTELISK_API void SetGrammarFile(const char* path, int32_t pathLength) {
  mv::Guarded([&](mv::Engine& eng) { eng.out.SetGrammarFile(mv::TextArgument(path, pathLength)); });
}
