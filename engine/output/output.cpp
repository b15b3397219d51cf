#include "output/output.h"
#include "output/result_name.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/grammar_store.h"

namespace mv {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

std::string CannotWrite(const std::string& name, const std::string& why) {
  return "The file \"" + Printable(name) + "\" cannot be written: " + why;
}

}  // namespace

void OutputUnit::Fail(const std::string& text) {
  Error = text;
  if (Sink) *Sink = text;
}

bool OutputUnit::Open(const std::string& name) {
  Abandon();
  Error.clear();
  Why.clear();
  // A folder under the name could never be replaced: say so now, not after the writing.
  struct stat st {};
  if (::lstat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    Why = "A folder has that name.";
    Fail(CannotWrite(name, "a folder has that name."));
    return false;
  }
  const size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  std::string temp = folder + "." + base + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    Why = SystemReason(errno) + ".";
    Fail(CannotWrite(name, Why));
    return false;
  }
  // The permissions a newly created file would get.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  File = ::fdopen(fd, "wb");
  if (!File) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    Why = SystemReason(error) + ".";
    Fail(CannotWrite(name, Why));
    return false;
  }
  FileName = name;
  TempName = temp;
  WriteErrno = 0;
  return true;
}

bool OutputUnit::Close() {
  if (!File) return true;
  Drain();
  int error = WriteErrno;
  if (std::fflush(File) != 0 && error == 0) error = errno ? errno : EIO;
  if (std::fclose(File) != 0 && error == 0) error = errno ? errno : EIO;
  File = nullptr;
  if (error == 0 && std::rename(TempName.c_str(), FileName.c_str()) != 0) error = errno;
  const std::string name = FileName;
  if (error != 0) ::unlink(TempName.c_str());
  FileName.clear();
  TempName.clear();
  WriteErrno = 0;
  if (error == 0) return true;
  Fail("The file \"" + Printable(name) + "\" could not be written: " + SystemReason(error) +
       "; the old file is kept.");
  return false;
}

void OutputUnit::Abandon() {
  Buffer.clear();
  if (!File) return;
  std::fclose(File);
  ::unlink(TempName.c_str());
  File = nullptr;
  FileName.clear();
  TempName.clear();
  WriteErrno = 0;
}

namespace {

constexpr size_t BlockSize = size_t(1) << 16;

}  // namespace

void OutputUnit::Drain() {
  if (File && WriteErrno == 0 && !Buffer.empty() &&
      std::fwrite(Buffer.data(), 1, Buffer.size(), File) != Buffer.size())
    WriteErrno = errno ? errno : EIO;
  Buffer.clear();
}

void OutputUnit::Write(std::string_view bytes) {
  if (!File || WriteErrno != 0) return;
  Buffer.append(bytes);
  if (Buffer.size() >= BlockSize) Drain();
}

void OutputUnit::WriteLine(std::string_view bytes) {
  if (!File || WriteErrno != 0) return;
  Buffer.append(bytes);
  Buffer.append(LineEnd);
  if (Buffer.size() >= BlockSize) Drain();
}

std::string GrammarNameFault(std::string_view base) { return names::GrammarNameFault(base); }

std::string Printable(std::string_view name) { return names::Printable(name); }

Output::Output(RecordMemory& mem, GrammarStore& store, const RunSettings& run) : Eng{mem, store, run} {
  ResultUnit.ReportTo(&LastError);
  SourceUnit.ReportTo(&LastError);
}

void Output::InitRun() {
  // Files a stopped run left half written are dropped.
  ResultUnit.Abandon();
  SourceUnit.Abandon();
  LastError.clear();
  // A line a stopped run left pending is not the new run's.
  DropPendingLine();
  LineWrittenOn = false;
  CommentState = false;
  ListingLineNumber = 0;
  GrammarFileMode = false;
  ListingTitle.clear();
  SpeltNames.clear();
}

bool LeavesWorkFolder(std::string_view name) {
  return name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
         name == "." || name == "..";
}

bool Output::ResultFileName(const std::string& extension, std::string& name) {
  std::string base = names::ResultBase(Eng.store.ResultBaseName);
  name = names::ResultFileName(Eng.store.ResultBaseName, extension);
  auto hasPathCode = [](const std::string& part) {
    return part.find('/') != std::string::npos || part.find('\0') != std::string::npos;
  };
  if (hasPathCode(extension)) {
    LastError = "The extension \"" + Printable(extension) +
                "\" is refused as part of a file name: it may not contain \"/\" or a zero code.";
    return false;
  }
  if (std::string fault = GrammarNameFault(base); !fault.empty()) {
    LastError = fault;
    return false;
  }
  if (name.empty()) {
    LastError = "The result file has no name.";
    return false;
  }
  return MayWrite(name);
}

bool Output::MayWrite(const std::string& name) {
  if (!WorkFolderFault.empty()) {
    LastError = WorkFolderFault;
    return false;
  }
  if (name.empty() || LeavesWorkFolder(name)) {
    LastError =
        "The file name \"" + Printable(name) + "\" is refused: the file would not be in the work folder.";
    return false;
  }
  struct stat st {};
  auto isGrammarFile = [&] {
    for (const auto& [device, inode] : GrammarFileIds)
      if (uint64_t(st.st_dev) == device && uint64_t(st.st_ino) == inode) return true;
    return false;
  };
  if (!GrammarFileIds.empty() && ::lstat(name.c_str(), &st) == 0 && isGrammarFile()) {
    LastError = "The result file \"" + Printable(name) + "\" would replace the grammar file \"" +
                Printable(GrammarFilePath) +
                "\": the run is refused. Save the grammar under another file name.";
    return false;
  }
  return true;
}

void Output::SetGrammarFile(const std::string& path) {
  GrammarFileIds.clear();
  GrammarFilePath = path;
  if (path.empty()) return;
  // The name itself (a link, when it is one) and the file it leads to.
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) GrammarFileIds.emplace_back(st.st_dev, st.st_ino);
  if (::stat(path.c_str(), &st) == 0) GrammarFileIds.emplace_back(st.st_dev, st.st_ino);
}

bool Output::OpenResultFile(const std::string& extension) {
  std::string name;
  if (!ResultFileName(extension, name)) return false;
  if (ResultUnit.Open(name)) return true;
  LastError = "The result file \"" + Printable(name) + "\" cannot be opened. " + ResultUnit.Reason();
  return false;
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
