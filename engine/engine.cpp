#include "engine.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace mv {

Engine::Engine()
    : out(mem, store, run),
      store(mem),
      builder(mem, store),
      an(mem, store, out),
      extra(mem, store, builder),
      codegen(mem, store, out, run, an),
      trans(mem, store, builder, an, extra, out),
      reader(builder, out, batch),
      batch(mem, store, out, run, an, extra, codegen) {
  mem.ExhaustedNotice = [this] {
    out.WriteMessage(RecordMemory::ExhaustedRoutine, RecordMemory::ExhaustedMessage);
  };
  InitGrammarStore();
}

void Engine::BnfParserInit(int32_t languageCode, const std::string& workFolder, int32_t buildActions,
                           int32_t buildTree, int32_t buildNames) {
  // The folder is taken in the file system's own bytes. When it cannot be entered the run
  // writes nothing: never into whatever folder happens to be current. An empty one keeps the
  // current folder (the caller chose it).
  const std::string folder = TrimmedRight(workFolder);
  std::string fault;
  if (folder.size() > MaxWorkFolderLength) {
    fault = "The work folder \"" + Printable(folder) + "\" is longer than " +
            std::to_string(MaxWorkFolderLength) + " characters: no file is written.";
  } else if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
    fault = "The work folder \"" + Printable(folder) + "\" cannot be entered: " + std::strerror(errno) +
            "; no file is written.";
  }
  run.BuildActions = buildActions;
  run.BuildTree = buildTree;
  run.BuildNames = buildNames;
  run.SetLanguage(languageCode);
  mem.InitRecordMemory();
  InitGrammarStore();
  out.WorkFolderFault = fault;
  out.LastError = fault;
  out.SetGrammarFile("");
  codegen.StartSymbolFault.clear();
}

void Engine::InitGrammarStore() {
  store.InitGrammarStore();
  // Nothing may keep pointing at records of the previous run.
  store.ClearNameTables();
  builder.ClearRunState();
  out.InitRun();
  an.InitRun();
  extra.InitRun();
  trans.InitRun();
}

}  // namespace mv
