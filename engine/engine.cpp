#include "engine.h"

#include <filesystem>
#include <system_error>

namespace mv {

Engine::Engine()
    : mem(*this), out(*this), store(*this), builder(*this), an(*this), extra(*this), codegen(*this), trans(*this),
      reader(*this), batch(*this) {
  InitGrammarStore();
}

void Engine::BnfParserInit(int32_t languageCode, const std::string& workFolder,
                           int32_t buildActions, int32_t buildTree, int32_t buildNames) {
  std::string folder = TrimmedRight(workFolder);
  if (!folder.empty() && folder.size() <= 260) {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(folder), ec);  // ignored on failure
  }
  run.BuildActions = buildActions;
  run.BuildTree = buildTree;
  run.BuildNames = buildNames;
  run.SetLanguage(languageCode);
  mem.InitRecordMemory();
  InitGrammarStore();
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

bool Engine::TakeGrammarName() {
  const Chain& name = store.GrammarName;
  if (name.First < 1 || name.Last < 1) return false;
  std::string text = store.NameText(name.First, name.Last);
  store.ResultBaseName = Padded(text.substr(0, FileNameLength), FileNameLength);
  return true;
}

}  // namespace mv
