// Exports of the run start, the grammar access and the builder entries.
#include "exports.h"

using mv::Engine;
using mv::Guarded;
using mv::Value;

MORVANTELISK_API void BnfParserInit(const int32_t* languageCode, const char* workFolder,
                                    int32_t workFolderLength, const int16_t* buildActions,
                                    const int16_t* buildTree, const int16_t* buildNames) {
  // The one export that runs after a stopped run: it starts the next one.
  try {
    mv::ProcessEngine().BnfParserInit(Value(languageCode), mv::TextArgument(workFolder, workFolderLength),
                                      Value(buildActions), Value(buildTree), Value(buildNames));
  } catch (...) {
  }
}

MORVANTELISK_API char* GetGrammarName(char* buffer, int32_t bufferLength) {
  Guarded([&](Engine& eng) {
    if (eng.store.TakeGrammarName())
      mv::FillBuffer(buffer, bufferLength, mv::TrimmedRight(eng.store.ResultBaseName));
  });
  return buffer;
}

MORVANTELISK_API char* GetName(char* buffer, int32_t bufferLength) {
  try {
    mv::FillBuffer(buffer, bufferLength, mv::ProcessEngine().builder.CurrentName.Text);
  } catch (...) {
  }
  return buffer;
}

MORVANTELISK_API void GetGrammarParam(int32_t* nonterminals, int32_t* terminals) {
  const mv::SymbolCounts& counts = mv::ProcessEngine().store.Counts;
  if (nonterminals) *nonterminals = counts.N;
  if (terminals) *terminals = counts.T;
}

MORVANTELISK_API char* ReturnString(char* buffer, int32_t bufferLength, const char* text1,
                                    int32_t text1Length, const char* text2, int32_t text2Length) {
  try {
    mv::FillBuffer(buffer, bufferLength,
                   mv::TextArgument(text1, text1Length) + mv::TextArgument(text2, text2Length));
  } catch (...) {
  }
  return buffer;
}

#define MV_BUILDER_ENTRY(name)                        \
  MORVANTELISK_API void name(void) {                  \
    Guarded([](Engine& eng) { eng.builder.name(); }); \
  }
#define MV_BUILDER_CODE_ENTRY(name)                                  \
  MORVANTELISK_API void name(const int32_t* code) {                  \
    Guarded([code](Engine& eng) { eng.builder.name(Value(code)); }); \
  }
#define MV_SELECTOR_ENTRY(name, call, target)               \
  MORVANTELISK_API void name(void) {                        \
    Guarded([](Engine& eng) { eng.builder.call(target); }); \
  }

MV_BUILDER_ENTRY(BKSACT)
MV_BUILDER_ENTRY(BKSNAI)
MV_BUILDER_CODE_ENTRY(BKSSYM)
MV_BUILDER_ENTRY(BKSNLI)
MV_BUILDER_ENTRY(BKSGMN)
MV_BUILDER_ENTRY(BKSNL)
MV_BUILDER_ENTRY(BKSNTM)
MV_BUILDER_ENTRY(BKSTRM)
MV_BUILDER_ENTRY(BKSACR)
MV_BUILDER_ENTRY(BKSNUL)
MV_BUILDER_ENTRY(BKSEND)
MV_BUILDER_ENTRY(BKSACL)
MV_BUILDER_ENTRY(BKSACB)
MV_BUILDER_CODE_ENTRY(BKSSTS)
MV_BUILDER_ENTRY(BKSSTM)

MV_BUILDER_ENTRY(BKSTRB)
MV_BUILDER_ENTRY(BKSTRE)
MV_BUILDER_ENTRY(BKSBRS)
MV_BUILDER_ENTRY(BKSNEG)
MV_BUILDER_ENTRY(BKSTRL)
MV_BUILDER_ENTRY(BKSTRF)
MV_BUILDER_ENTRY(BKSPOS)
MV_BUILDER_ENTRY(BKSWBC)

MV_BUILDER_ENTRY(BKSBRO)
MV_BUILDER_ENTRY(BKSBRC)
MV_BUILDER_ENTRY(BKSBRT)
MV_BUILDER_ENTRY(BKSBCO)
MV_BUILDER_ENTRY(BKSBCN)
MV_BUILDER_ENTRY(BKSBC1)
MV_BUILDER_ENTRY(BKSBCR)
MV_BUILDER_ENTRY(BKSBCC)
MV_BUILDER_ENTRY(BKSRPT)
MV_BUILDER_ENTRY(BKSWBO)
MV_BUILDER_ENTRY(BKSW3C)
MV_BUILDER_ENTRY(BKSWBR)
MV_BUILDER_ENTRY(BKSWBQ)
MV_BUILDER_ENTRY(BKSNEX)

MV_SELECTOR_ENTRY(BKSPRG, SelectText, mv::TargetTitle)
MV_SELECTOR_ENTRY(BKSEXT, SelectText, mv::TargetExternal)
MV_SELECTOR_ENTRY(BKSNXT, SelectText, mv::TargetScanner)
MV_SELECTOR_ENTRY(BKSERJ, SelectText, mv::TargetErrorReaction)
MV_SELECTOR_ENTRY(BKSOFF, SelectText, mv::TargetTemplateFirst)
MV_SELECTOR_ENTRY(BKSVLW, SelectText, mv::TargetTemplateFirst + 1)
MV_SELECTOR_ENTRY(BKSPSH, SelectText, mv::TargetTemplateFirst + 2)
MV_SELECTOR_ENTRY(BKSVLR, SelectText, mv::TargetTemplateFirst + 3)
MV_SELECTOR_ENTRY(BKSPOP, SelectText, mv::TargetTemplateFirst + 4)
MV_SELECTOR_ENTRY(BKSON, SelectText, mv::TargetTemplateLast)
MV_SELECTOR_ENTRY(BKSDEC, OpenOptionLine, mv::TargetDeclarations)
MV_SELECTOR_ENTRY(BKSBEG, OpenOptionLine, mv::TargetPreParse)
MV_SELECTOR_ENTRY(BKSPOST, OpenOptionLine, mv::TargetPostParse)
MV_BUILDER_CODE_ENTRY(BKSS)

// End of a grammar read by the engine's own reader: the whole batch run.
MORVANTELISK_API void BKSSYN(void) {
  Guarded([](Engine& eng) { eng.batch.ProcessGrammar(); });
}
