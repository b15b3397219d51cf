#pragma once
// Parser code generation: the entry that chooses the target and opens the generation log, the
// driver that names and opens the generated file, and one generator per target language.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mv {

class Analysis;
class GrammarStore;
class Output;
class ParserWriter;
class RecordMemory;
struct Chain;
struct GeneratorArgs;
struct RunSettings;

class CodeGen {
public:
  CodeGen(RecordMemory& mem, GrammarStore& store, Output& out, RunSettings& run, Analysis& an);

  // Whether the start symbol is on a list of dead nonterminals; if so, it is kept in
  // StartSymbolFault (with LastError) so that no parser is generated in this run.
  bool CheckDeadStart(int32_t start, const Chain& dead);
  // Why no parser may be generated in this run; empty while one may.
  std::string StartSymbolFault;

  // The export's work: target from the language code, generation log, driver.
  void TamberlixCode(int32_t languageCode);
  // Names and opens the generated file of the selected target and runs its generator.
  void WriteParserFiles(const GeneratorArgs& args);

  void FileParserVB(const GeneratorArgs& args);
  void FileParserCpp(const GeneratorArgs& args);
  void FileParserCppClass(const GeneratorArgs& args);
  void FileParserF90(const GeneratorArgs& args);
  void FileParserF77(const GeneratorArgs& args);
  void FileParserJava(const GeneratorArgs& args);
  void FileParserPascal(const GeneratorArgs& args);

  // Appends a nonterminal's name to the pending line spelled as an identifier.
  void NameToIdentifier(int32_t first, int32_t last);
  // The same spelling as a text.
  std::string IdentifierText(int32_t first, int32_t last) const;

  // Select sets of one nonterminal: owners[1..T+1] and the (terminal index, alternative)
  // clashes; returns the LL(1) flag.
  bool SelectSets(int32_t nonterminal, const GeneratorArgs& args, std::vector<int32_t>& owners,
                  std::vector<std::pair<int32_t, int32_t>>& conflicts);

  // The matrices and counts of the analysed grammar, as the generators take them.
  GeneratorArgs CurrentArgs();

  // A line on the generation log (when it is open).
  void LogLine(const std::string& text);
  // Opens the generated-source file; after a failed open asks ReadReply, when a caller set
  // it, once for another name. False (and the failure logged) when no file could be opened.
  bool OpenSourceWithRetry(std::string name);
  // Puts the generated-source file in place and adds it to WrittenFiles; false (and the
  // failure logged, the old file kept) when it could not be written whole.
  bool CloseSource();
  // Closes the generated-source file and opens the next one in its place.
  bool SwitchSourceFile(const std::string& name);
  // The grammar as comment lines at the head of a generated file.
  void GrammarComment();
  // Appends an alternative in the printed notation to the pending line.
  void PrintRuleInto(int32_t rule, int32_t nonterminal);

  // Largest end-marker code any generation used (the code table grows with T).
  int32_t EndMarkerCode = 4096;
  // The date of the header lines; empty for today (tests fix it).
  std::string FixedDate;
  // Names of the files the last generation wrote, in order.
  std::vector<std::string> WrittenFiles;
  // Where another file name may come from after a failed open; none by default, the library
  // never reads the console.
  bool (*ReadReply)(std::string& reply) = nullptr;

private:
  // The writers work on the same parts.
  friend class ParserWriter;
  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    Output& out;
    RunSettings& run;
    Analysis& an;
  } Eng;
};

}  // namespace mv
