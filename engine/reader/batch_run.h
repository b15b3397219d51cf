#pragma once
// The batch processing run that the engine's reader starts after a text without syntax errors:
// dead and unreachable nonterminals, nullable nonterminals, numbering, relations, select sets
// and the parser, each stage leaving a result file named after the grammar.

#include <cstdint>
#include <string>

namespace mv {

class Analysis;
class CodeGen;
class Extraneous;
class GrammarStore;
class Output;
class RecordMemory;
struct RunSettings;

class BatchRun {
public:
  BatchRun(RecordMemory& mem, GrammarStore& store, Output& out, RunSettings& run, Analysis& an,
           Extraneous& extra, CodeGen& codegen);

  void ProcessGrammar();

  // The one line of the ".err" file when the relation matrices need more than there is.
  static std::string NoRoomLine(int64_t need);

private:
  // Writes the rules of a list into ResultBaseName + extension; a file that cannot be written
  // is skipped, its failure kept in LastError.
  void WriteRules(const std::string& extension, const std::string& title, int32_t head, int32_t tail);
  void WriteNonterminals();
  // Whether every file the run may write is allowed (LastError says why not).
  bool MayWriteEveryFile();
  // A start symbol that derives no sentence: said in the log and LastError; no parser.
  void RefuseDeadStart();
  void GenerateParser();

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    Output& out;
    RunSettings& run;
    Analysis& an;
    Extraneous& extra;
    CodeGen& codegen;
  } Eng;
};

}  // namespace mv
