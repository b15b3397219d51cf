#include "codegen/codegen.h"

#include <cstdio>

#include "codegen/parser_writer.h"
#include "analysis/analysis.h"
#include "output/output.h"
#include "output/result_name.h"
#include "store/chain_walk.h"
#include "store/run_settings.h"

namespace mv {

namespace {

// A name that the grammar-name check or the work folder refuses names no file.
bool UnsafeFileName(const std::string& name) { return name.empty() || LeavesWorkFolder(name); }

// Where a "//" comment starts outside the literals of a C++ or Java line; npos for none.
size_t CommentStart(const std::string& line) {
  char quote = 0;
  bool escape = false;
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    char ch = line[i];
    if (quote) {
      if (escape) escape = false;
      else if (ch == '\\') escape = true;
      else if (ch == quote) quote = 0;
    } else if (ch == '"' || ch == '\'') {
      quote = ch;
    } else if (ch == '/' && line[i + 1] == '/') {
      return i;
    }
  }
  return std::string::npos;
}

// A C++ comment line that ends in a backslash would swallow the next line into the comment.
void ProtectCommentEnd(std::string& line) {
  if (line.empty() || line.back() != '\\' || CommentStart(line) == std::string::npos) return;
  line += "\t\t\t\t\t\"this text prevents of a multi-line comment\"";
}

// Java reads a backslash and "u" as the start of a character escape even in a comment: such a
// backslash is doubled there (a backslash after an odd number of backslashes starts none).
void ProtectUnicodeEscapes(std::string& line) {
  if (line.find("\\u") == std::string::npos) return;
  const size_t comment = CommentStart(line);
  if (comment == std::string::npos) return;
  size_t run = 0;  // backslashes just before
  for (size_t i = comment; i < line.size(); ++i) {
    if (line[i] == '\\' && run % 2 == 0 && i + 1 < line.size() && line[i + 1] == 'u') {
      line.insert(i, 1, '\\');
      run = 0;
      i += 1;
      continue;
    }
    run = line[i] == '\\' ? run + 1 : 0;
  }
}

// The comment guard of a target on every line of its files, while they are written.
class SourceLineGuard {
public:
  SourceLineGuard(Output& out, const TargetRow& target) : Out(out) {
    if (target.Flag == &TargetLanguageFlags::CppProcedural || target.Flag == &TargetLanguageFlags::CppClass)
      Out.SourceLineFix = &ProtectCommentEnd;
    if (target.Flag == &TargetLanguageFlags::Java) Out.SourceLineFix = &ProtectUnicodeEscapes;
  }
  ~SourceLineGuard() { Out.SourceLineFix = nullptr; }
  SourceLineGuard(const SourceLineGuard&) = delete;
  SourceLineGuard& operator=(const SourceLineGuard&) = delete;

private:
  Output& Out;
};

}  // namespace

CodeGen::CodeGen(RecordMemory& mem, GrammarStore& store, Output& out, RunSettings& run, Analysis& an)
    : Eng{mem, store, out, run, an} {}

bool CodeGen::CheckDeadStart(int32_t start, const Chain& dead) {
  bool found = false;
  if (start >= 1 && dead.First >= 1)
    WalkChain(Eng.mem, NonterminalPool, NtmNext, dead.First, dead.Last,
              [&](int32_t a) { found = found || a == start; });
  if (!found) return false;
  const std::string name = Eng.store.NameText(Eng.mem.IVLR(NonterminalPool, start, NtmNameFirst),
                                              Eng.mem.IVLR(NonterminalPool, start, NtmNameLast));
  StartSymbolFault = "The start symbol <" + name + "> derives no sentence: no parser is written.";
  Eng.out.LastError = StartSymbolFault;
  return true;
}

void CodeGen::LogLine(const std::string& text) {
  if (Eng.out.ResultUnit.IsOpen()) Eng.out.ResultUnit.WriteLine(text);
}

bool CodeGen::OpenSourceWithRetry(std::string name) {
  // The library never asks on the console: only a reply source that a caller set may give
  // one more name.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (Eng.out.MayWrite(name) && Eng.out.SourceUnit.Open(name)) {
      Eng.store.OutputFileName = name.size() < 80 ? name + std::string(80 - name.size(), ' ') : name;
      return true;
    }
    LogLine(Eng.out.LastError);
    if (attempt == 1 || !ReadReply) break;
    std::string reply;
    if (!ReadReply(reply)) break;
    auto last = reply.find_last_not_of(" \r\n\t");
    name = last == std::string::npos ? std::string() : reply.substr(0, last + 1);
    if (name.size() > 80) name.resize(80);
  }
  return false;
}

bool CodeGen::CloseSource() {
  const std::string name = Eng.out.SourceUnit.Name();
  if (!Eng.out.SourceUnit.IsOpen()) return true;
  if (!Eng.out.SourceUnit.Close()) {
    LogLine(Eng.out.SourceUnit.Failure());
    return false;
  }
  WrittenFiles.push_back(name);
  return true;
}

bool CodeGen::SwitchSourceFile(const std::string& name) {
  Eng.out.FlushOutputLine();
  if (!CloseSource()) return false;
  return OpenSourceWithRetry(name);
}

void CodeGen::TamberlixCode(int32_t languageCode) {
  // A failure of an earlier call is not this generation's.
  Eng.out.LastError.clear();
  Eng.run.SetLanguage(languageCode);
  Eng.store.GenerationLogFlag = Eng.store.CollisionReportFlag;
  Eng.store.CollisionReportFlag = false;
  std::string logName;
  // A log that cannot be opened does not stop the generation.
  if (Eng.out.ResultFileName(".log", logName)) Eng.out.ResultUnit.Open(logName);
  if (!StartSymbolFault.empty()) {
    LogLine(StartSymbolFault);
    Eng.out.ResultUnit.Close();
    Eng.out.LastError = StartSymbolFault;
    Eng.store.CollisionReportFlag = Eng.store.GenerationLogFlag;
    return;
  }
  try {
    WriteParserFiles(CurrentArgs());
  } catch (...) {
    // A run stopped midway (record memory used up) leaves no file open and no switch changed;
    // the half-written parser is dropped, the log keeps what it says.
    Eng.out.SourceUnit.Abandon();
    Eng.out.ResultUnit.Close();
    Eng.store.CollisionReportFlag = Eng.store.GenerationLogFlag;
    throw;
  }
  Eng.store.CollisionReportFlag = Eng.store.GenerationLogFlag;
}

void CodeGen::WriteParserFiles(const GeneratorArgs& args) {
  WrittenFiles.clear();
  std::string base = ParserWriter::Cut(Eng.store.ResultBaseName);
  const TargetLanguageFlags& flags = Eng.run.Target;
  auto finish = [&] {
    CloseSource();
    Eng.out.ResultUnit.Close();
  };
  if (std::string fault = GrammarNameFault(base); !fault.empty() || UnsafeFileName(base)) {
    Eng.out.LastError = fault.empty() ? "The grammar name is empty: no parser is written." : fault;
    LogLine(Eng.out.LastError);
    finish();
    return;
  }
  const TargetRow& target = TargetOfFlags(flags);
  SourceLineGuard guard(Eng.out, target);
  const std::string first = names::FirstParserFileName(base, target.Code);
  // A unit stands in the file of its own name: a grammar name that is no identifier, or a
  // keyword, gives a file of another name than the grammar's.
  if (target.Flag == &TargetLanguageFlags::Pascal && first != names::ResultFileName(base, ".pas"))
    LogLine("The unit " + PascalUnitName(base) + " is written to " + first + ".");
  if (!OpenSourceWithRetry(first)) {
    finish();
    return;
  }
  // The generator of each flag of the target table.
  static constexpr std::pair<bool TargetLanguageFlags::*, void (CodeGen::*)(const GeneratorArgs&)>
      generators[] = {
          {&TargetLanguageFlags::Fortran77, &CodeGen::FileParserF77},
          {&TargetLanguageFlags::Fortran90, &CodeGen::FileParserF90},
          {&TargetLanguageFlags::VisualBasic, &CodeGen::FileParserVB},
          {&TargetLanguageFlags::Pascal, &CodeGen::FileParserPascal},
          {&TargetLanguageFlags::Java, &CodeGen::FileParserJava},
          {&TargetLanguageFlags::CppClass, &CodeGen::FileParserCppClass},
          {&TargetLanguageFlags::CppProcedural, &CodeGen::FileParserCpp},
      };
  for (const auto& [flag, write] : generators)
    if (flag == target.Flag) (this->*write)(args);
  Eng.out.FlushOutputLine();
  finish();
}

}  // namespace mv
