#include "output/output.h"
#include "output/result_name.h"

#include "engine.h"

namespace mv {

bool OutputUnit::Open(const std::string& name) {
  Close();
  File = std::fopen(name.c_str(), "wb");
  if (File) FileName = name;
  return File != nullptr;
}

void OutputUnit::Close() {
  if (File) std::fclose(File);
  File = nullptr;
  FileName.clear();
}

void OutputUnit::Write(const std::string& bytes) {
  if (File) std::fwrite(bytes.data(), 1, bytes.size(), File);
}

void OutputUnit::WriteLine(const std::string& bytes) {
  Write(bytes);
  Write(LineEnd);
}

Output::Output(Engine& engine) : Eng(engine) {}

void Output::InitRun() {
  ResultUnit.Close();
  SourceUnit.Close();
  LastError.clear();
  Column = 0;
  CommentState = false;
  ListingLineNumber = 0;
  GrammarFileMode = false;
  ListingTitle.clear();
}

bool LeavesWorkFolder(std::string_view name) {
  return name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
         name == "." || name == "..";
}

bool Output::ResultFileName(const std::string& extension, std::string& name) {
  std::string base = names::ResultBase(Eng.store.ResultBaseName);
  name = names::ResultFileName(Eng.store.ResultBaseName, extension);
  // Only what could put a file outside the work folder is refused: "x..y" or a control code
  // is an ordinary file name there.
  auto hasPathCode = [](const std::string& part) {
    return part.find('/') != std::string::npos || part.find('\0') != std::string::npos;
  };
  if (hasPathCode(extension) && !hasPathCode(base)) {
    LastError = "The extension \"" + extension +
                "\" is refused as part of a file name: it may not contain \"/\" or a zero code.";
    return false;
  }
  if (hasPathCode(base) || LeavesWorkFolder(name)) {
    LastError = "The grammar name \"" + base +
                "\" is refused as a file name: the file would not be in the work folder.";
    return false;
  }
  if (name.empty()) {
    LastError = "The result file has no name.";
    return false;
  }
  return true;
}

bool Output::OpenResultFile(const std::string& extension) {
  std::string name;
  if (!ResultFileName(extension, name)) return false;
  if (!ResultUnit.Open(name)) {
    LastError = "The result file \"" + name + "\" cannot be opened.";
    return false;
  }
  // A result file written means no failure to report.
  LastError.clear();
  return true;
}

void Output::WriteMessage(const std::string& routine, const std::string& message) {
  std::string text = message.substr(0, message.find('!'));
  std::string line = " MODULE " + Padded(routine, 6) + ": " + Padded(text, 64);
  // Kept also while a generator writes, so that a stopped generation is not taken for success.
  LastError = TrimmedRight(line.substr(1));
  if (!Eng.store.CollisionReportFlag) return;
  if (ResultUnit.IsOpen()) {
    ResultUnit.WriteLine("");
    ResultUnit.WriteLine(line);
  } else {
    // No result file is open between the result-file exports: the message goes to stderr.
    std::fputs(LineEnd, stderr);
    std::fputs((line + LineEnd).c_str(), stderr);
  }
}

}  // namespace mv
