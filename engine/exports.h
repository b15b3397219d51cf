#pragma once
// Shared by the files that define the library's exports: the process-wide engine and the guard
// that keeps every exception and every stopped run on this side of the C boundary.

#include <cstdint>
#include <exception>
#include <new>
#include <string>

#include "engine.h"
#include "morvantelisk.h"

namespace mv {

// The engine that the exports forward to.
inline Engine& ProcessEngine() {
  static Engine engine;
  return engine;
}

// Keeps the text of a failed call for GetEngineError; with no memory left even for the text,
// a fixed one.
inline void GuardFailure(Engine& eng, const char* text, const char* detail = "") noexcept {
  try {
    eng.out.LastError = std::string(text) + detail;
  } catch (...) {
    static const char kNoMemory[] = "There is not enough memory for this step.";
    eng.out.LastError.assign(kNoMemory, eng.out.LastError.capacity() >= sizeof kNoMemory - 1
                                            ? sizeof kNoMemory - 1
                                            : eng.out.LastError.capacity());
  }
}

// Runs the body of an export: nothing while the run is stopped, and no exception escapes.
// GetEngineError then tells the failure of this call: the stop's fatal message, or the text of
// any other exception (running out of memory included), with half-written files dropped.
template <class Body>
void Guarded(Body&& body) noexcept {
  Engine* eng = nullptr;
  try {
    eng = &ProcessEngine();
    if (eng->Stopped()) return;
    eng->out.LastError.clear();
    if (!eng->out.WorkFolderFault.empty()) eng->out.LastError = eng->out.WorkFolderFault;
    body(*eng);
    return;
  } catch (const RunStopped&) {
  } catch (const std::bad_alloc&) {
    if (eng) GuardFailure(*eng, "There is not enough memory for this step.");
  } catch (const std::exception& e) {
    if (eng) GuardFailure(*eng, "Internal failure: ", e.what());
  } catch (...) {
    if (eng) GuardFailure(*eng, "Internal failure of unknown kind.");
  }
  if (eng) {
    eng->out.ResultUnit.Abandon();
    eng->out.SourceUnit.Abandon();
  }
}

// A text argument (pointer and length by value) as bytes; a null or negative one is empty.
inline std::string TextArgument(const char* text, int32_t length) {
  return text && length > 0 ? std::string(text, size_t(length)) : std::string();
}

// Writes a text result into the caller's buffer, cut to its length and padded with blanks.
inline void FillBuffer(char* buffer, int32_t length, const std::string& text) {
  if (!buffer || length <= 0) return;
  size_t n = size_t(length);
  for (size_t i = 0; i < n; ++i) buffer[i] = i < text.size() ? text[i] : ' ';
}

// A 32-bit argument passed by reference; a null pointer reads as 0.
inline int32_t Value(const int32_t* p) { return p ? *p : 0; }
inline int32_t Value(const int16_t* p) { return p ? int32_t(*p) : 0; }

// A NonterminalList passed in by a caller; a handle that is no nonterminal record in use in this
// run (one given back included) makes the list empty, so that nothing walks from it.
inline Chain ListArgument(const Engine& eng, const int32_t* head, const int32_t* tail) {
  Chain list{Value(head), Value(tail)};
  if (!eng.mem.IsLiveRecord(NonterminalPool, list.First) || !eng.mem.IsLiveRecord(NonterminalPool, list.Last))
    return Chain{};
  return list;
}

// A list to be written out. The grammar's own list, kept by a caller across a transformation that
// gave its last member back as unreachable, is the grammar as it stands now.
inline Chain ListingArgument(const Engine& eng, const int32_t* head, const int32_t* tail) {
  const int32_t first = Value(head), last = Value(tail);
  if (first >= 1 && first == eng.store.Grammar.First && eng.mem.IsRecord(NonterminalPool, last) &&
      !eng.mem.IsLiveRecord(NonterminalPool, last))
    return eng.store.Grammar;
  return ListArgument(eng, head, tail);
}

}  // namespace mv
