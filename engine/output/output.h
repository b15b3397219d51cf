#pragma once
// Output units of the engine: ResultUnit (result files, listings, the generation log) and
// SourceUnit (the generated parser file), both opened in the current (work) folder.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/grammar_store.h"
#include "store/targets.h"

namespace mv {

class GrammarStore;
class RecordMemory;
struct RunSettings;

// Every line the engine writes ends with this.
inline constexpr const char* LineEnd = "\n";

// Whether a code is written as two apostrophes, its decimal value and two apostrophes; the tab
// only where escapeTab is set (in the grammar file).
bool IsEscaped(int32_t code, bool escapeTab);
// How many bytes at the start of text are written as they stand (no tab counts as escaped).
size_t PlainBytes(std::string_view text);
// Appends bytes to out as a line writes them: each escaped code spelt out.
void AppendSpelt(std::string& out, std::string_view bytes);

// One output file, written as bytes. The bytes go to a temporary file in the same folder, which
// replaces the named file only when every write and the close succeeded: a failed or abandoned
// file leaves the old one as it was, and a link under the name is replaced, not followed.
class OutputUnit {
public:
  OutputUnit() = default;
  OutputUnit(const OutputUnit&) = delete;
  OutputUnit& operator=(const OutputUnit&) = delete;
  ~OutputUnit() { Abandon(); }

  // Starts the file; false (with Failure() set) when it cannot be created.
  bool Open(const std::string& name);
  // Puts the file in place; false (with Failure() set, the old file kept) when a write, the
  // close or the rename failed. True when no file was open.
  bool Close();
  // Drops the file being written; the old one stays.
  void Abandon();
  bool IsOpen() const { return File != nullptr; }
  const std::string& Name() const { return FileName; }
  // Bytes are gathered and handed to the file in large blocks.
  void Write(std::string_view bytes);
  void WriteLine(std::string_view bytes);
  // Why the latest Open or Close failed; empty after a success.
  const std::string& Failure() const { return Error; }
  // The reason alone of the latest failed Open, as a sentence.
  const std::string& Reason() const { return Why; }
  // A failure is also kept in *sink (the engine's latest error).
  void ReportTo(std::string* sink) { Sink = sink; }

private:
  void Fail(const std::string& text);
  // Hands the gathered bytes to the file.
  void Drain();

  std::FILE* File = nullptr;
  std::string Buffer;
  std::string FileName;
  std::string TempName;
  // errno of the first write that failed; 0 while every write went through.
  int WriteErrno = 0;
  std::string Error;
  std::string Why;
  std::string* Sink = nullptr;
};

// Why a grammar name cannot name files ("/", "..", a control code, or the name "."); empty
// when it can.
std::string GrammarNameFault(std::string_view base);

// A name with its control codes spelled out (ESC as "\x1B"), for a message.
std::string Printable(std::string_view name);

// What a result-file export writes.
enum class ResultFileKind { Rules, Grammar, Nonterminals };

// Whether a file name (or a part of one) could name a file outside the work folder: a "/", a
// zero code (which would end the name early), or the name "." or "..".
bool LeavesWorkFolder(std::string_view name);

class Output {
public:
  static constexpr int32_t LineCapacity = 2048;
  // The label of a comment line: the four characters "CO  " as one integer.
  static constexpr int32_t CommentLabel = 538988355;
  // Room that IntToDigitCodes needs: a sign and ten digits.
  static constexpr int32_t MaxDigitCodes = 11;
  static constexpr size_t ListingTitleLength = 64;

  Output(RecordMemory& mem, GrammarStore& store, const RunSettings& run);

  // Output state of a new run.
  void InitRun();

  // The pending output line. A writer starts each line with StartOutputLine, appends to it and
  // ends its output with FlushOutputLine; a full line is broken at the target's width.
  void StartOutputLine(int32_t label);
  void WriteText(std::string_view text, int32_t n);
  void WriteText(std::string_view text);
  // The same for text whose escaped codes are spelt already: no byte of it is looked at.
  void WriteSpeltText(std::string_view text);
  // The column at which the pending line breaks.
  int32_t LineWidth();
  void AppendLineCodes(const int32_t* codes, int32_t n);
  void FlushOutputLine();
  void SetCommentState();
  void WriteNameChain(int32_t pool, int32_t first, int32_t last, int32_t link, int32_t codeField);
  void WriteIntList(const int32_t* values, int32_t n);
  // One listing record on ResultUnit, numbered by ListingLineNumber; `text` as written, with
  // only its tabs still to escape in the grammar file.
  void WriteListingLine(std::string_view text);
  // The pending line as it would be written; dropping it writes nothing.
  const std::string& PendingLine() const { return Pending; }
  void DropPendingLine();
  // Applied to every line that goes to SourceUnit before it is written (the generators' guard
  // of comments); none when null.
  void (*SourceLineFix)(std::string& line) = nullptr;
  void StartListing(std::string_view title);

  // codes must hold MaxDigitCodes.
  static void IntToDigitCodes(int32_t value, int32_t* codes, int32_t& count);
  // The decimal form, left-aligned in ten characters.
  static std::string IntToText(int32_t value);
  static std::string Decimal(int32_t value);
  static std::string LowerCaseText(std::string_view text);
  static int32_t CharCode(int32_t code);

  // Printed grammars.
  void PrintRules(std::string_view title, int32_t head, int32_t tail);
  void PrintRule(int32_t ruleNumber, int32_t nonterminal);
  // The one rule record of a nonterminal, as PrintRule prints each rule of its number.
  void PrintRuleRecord(int32_t rule, int32_t nonterminal);
  void PrintGrammarComment(std::string_view text, int32_t count, int32_t head, int32_t tail);
  void PrintGrammar(std::string_view title, int32_t head, int32_t tail);
  // The frame of FileRules, FileGrammar and FileNonterminals: false (with LastError set) when
  // the file could not be opened.
  bool WriteResultFile(ResultFileKind kind, int32_t head, int32_t tail, std::string_view title,
                       std::string_view extension);

  // The name of a result file: ResultBaseName without trailing blanks and the extension,
  // which is never cut. False (with LastError set, naming the grammar name or the extension,
  // whichever is at fault) when the file would not be in the work folder.
  bool ResultFileName(const std::string& extension, std::string& name);
  // Opens the result file of an extension on ResultUnit; false (with LastError set) on failure.
  // A success leaves an earlier failure in LastError.
  bool OpenResultFile(const std::string& extension);
  // Whether the engine may write a file of this name in the work folder: the work folder was
  // entered, the name stays in it, and it is not the grammar file being read. False with
  // LastError set.
  bool MayWrite(const std::string& name);
  // The grammar file that the caller reads (SetGrammarFile); no result file replaces it.
  void SetGrammarFile(const std::string& path);
  // Why the work folder cannot be used; empty when BnfParserInit entered it.
  std::string WorkFolderFault;

  // A fatal message, kept in LastError and written on ResultUnit only while
  // CollisionReportFlag is on: an empty line, then " MODULE ", the routine in six columns,
  // ": " and the message up to its first "!" in 64.
  void WriteMessage(const std::string& routine, const std::string& message);

  OutputUnit ResultUnit;
  OutputUnit SourceUnit;
  // The latest failure to write a file, or the latest fatal message.
  std::string LastError;

  // Listing state: the number of the last numbered line; below 0, the next line goes without
  // a number and the value then becomes its own magnitude.
  int32_t ListingLineNumber = 0;
  // On while the grammar file is written: no line numbers, tabs escaped.
  bool GrammarFileMode = false;
  std::string ListingTitle;

  // Codes on the pending line (an escaped code counts one).
  int32_t Column = 0;
  // Part of the pending line has been written already (a grammar-file line past LineCapacity).
  bool LineWrittenOn = false;
  bool CommentState = false;

private:
  void AppendCode(int32_t code);
  // Appends codes with no break logic; every byte of `bytes` is one code (spelt: none escaped).
  void AppendCodes(std::string_view bytes, bool spelt = false);
  void AppendCodes(const int32_t* codes, int32_t n);
  // The line full: written on or flushed.
  void LineFull();
  bool UnbrokenLines() const;
  void AppendBytes(std::string_view bytes) { AppendCodes(bytes); }
  // Appends codes to the pending line, broken at the target's width.
  template <class Code>
  void AppendWrapped(const Code* codes, int32_t n, bool spelt = false);
  void BreakStatementLine(int breakForm, const char* mark);
  // How lines of the run's target are commented and continued.
  LineForm CurrentLineForm();
  // The pending line's bytes for a listing: tabs escaped in the grammar file.
  std::string_view ListingBytes(std::string_view text);
  void WriteName(int32_t pool, int32_t record);
  void WriteElements(int32_t rule, bool tabQuoted, bool showActions);
  void WriteRuleHead(int32_t nonterminal);
  void WriteActionHead(int32_t action);
  void WriteActionLine(int32_t line);

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    const RunSettings& run;
  } Eng;
  // The pending line as written: escaped codes spelled out, tabs still bare (whether they
  // are escaped depends on where the line goes).
  std::string Pending;
  std::string Scratch;
  // A name being printed, kept for the next.
  std::vector<int32_t> NameCodes;
  std::string NameBytes;
  // Nonterminal and action names as printed, by record: reports and parsers print each name
  // many times. An entry holds while its record's stamp and name chain stay as they were.
  struct SpeltName {
    NameStamp Stamp;
    int32_t First = 0;
    int32_t Last = 0;
    bool FileMode = false;
    std::string Bytes;
  };
  std::unordered_map<int64_t, SpeltName> SpeltNames;
  SpeltName* SpeltNameOf(int32_t pool, int32_t record);
  // The line form of the flags last asked for.
  TargetLanguageFlags FormFlags;
  LineForm Form = LineForm::VisualBasic;
  bool FormKnown = false;
  // Device and inode of the grammar file's name and of the file it leads to.
  std::vector<std::pair<uint64_t, uint64_t>> GrammarFileIds;
  std::string GrammarFilePath;
};

}  // namespace mv
