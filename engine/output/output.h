#pragma once
// Output units of the engine: ResultUnit (result files, listings, the generation log) and
// SourceUnit (the generated parser file), both opened in the current (work) folder.

#include <cstdint>
#include <cstdio>
#include <string>

namespace mv {

class Engine;

// Every line the engine writes ends with this.
inline constexpr const char* LineEnd = "\n";

// One output file, written as bytes.
class OutputUnit {
public:
  OutputUnit() = default;
  OutputUnit(const OutputUnit&) = delete;
  OutputUnit& operator=(const OutputUnit&) = delete;
  ~OutputUnit() { Close(); }

  // Creates or replaces the file; false when it cannot be opened.
  bool Open(const std::string& name);
  void Close();
  bool IsOpen() const { return File != nullptr; }
  const std::string& Name() const { return FileName; }
  void Write(const std::string& bytes);
  void WriteLine(const std::string& bytes);

private:
  std::FILE* File = nullptr;
  std::string FileName;
};

class Output {
public:
  explicit Output(Engine& engine);

  // Output state of a new run.
  void InitRun();

  // The name of a result file: ResultBaseName without trailing blanks and the extension,
  // which is never cut. False (with LastError set) when the grammar name would reach outside
  // the work folder or holds control characters.
  bool ResultFileName(const std::string& extension, std::string& name);
  // Opens the result file of an extension on ResultUnit; false (with LastError set) on failure.
  bool OpenResultFile(const std::string& extension);

  // A fatal message on ResultUnit (only while CollisionReportFlag is on): an empty line, then
  // " MODULE ", the routine in six columns, ": " and the message up to its first "!" in 64.
  void WriteMessage(const std::string& routine, const std::string& message);

  OutputUnit ResultUnit;
  OutputUnit SourceUnit;
  // The latest failure to write a file, or the latest fatal message.
  std::string LastError;

private:
  Engine& Eng;
};

}  // namespace mv
