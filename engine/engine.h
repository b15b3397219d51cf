#pragma once
// One Engine holds all state of a run. Each area is a component that is handed the other
// components it uses; the exports forward to the process-wide engine (exports.h), tests make
// their own.

#include <cstdint>
#include <string>

#include "analysis/analysis.h"
#include "codegen/codegen.h"
#include "output/output.h"
#include "reader/batch_run.h"
#include "reader/grammar_reader.h"
#include "store/builder.h"
#include "store/grammar_store.h"
#include "store/record_memory.h"
#include "store/run_settings.h"
#include "transform/extraneous.h"
#include "transform/transform.h"

namespace mv {

class Engine {
public:
  static constexpr size_t MaxWorkFolderLength = 260;

  Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Start of a run: language, work folder (made current; when it cannot be, every file of the
  // run is refused with the reason; an empty one keeps the current folder), generator options; empties the
  // record memory and the grammar store and forgets the grammar file.
  void BnfParserInit(int32_t languageCode, const std::string& workFolder, int32_t buildActions,
                     int32_t buildTree, int32_t buildNames);
  // Defaults of every component for a new run (after InitRecordMemory).
  void InitGrammarStore();

  // True once the run was stopped (record memory used up); the next BnfParserInit clears it.
  bool Stopped() const { return mem.Exhausted(); }

  // Components, in construction order; each takes references to those it uses, so one that
  // is named before it is built is only bound, not used.
  RecordMemory mem;
  Output out;
  GrammarStore store;
  Builder builder;
  RunSettings run;
  Analysis an;
  Extraneous extra;
  CodeGen codegen;
  Transform trans;
  GrammarReader reader;
  BatchRun batch;
};

}  // namespace mv
