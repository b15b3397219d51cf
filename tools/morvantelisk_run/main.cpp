// morvantelisk_run: the engine's batch run on a grammar file in the engine's own notation, for
// those who use the engine library without the window program. The result files and the
// parser are written into the work folder, by default the grammar file's folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>

#include "engine_client.h"
#include "output/result_name.h"

namespace {

// Grammar files are text: anything larger is refused before it is read.
constexpr uint64_t MaxGrammarBytes = 64u << 20;

int Usage() {
  std::fputs(
      "usage: morvantelisk_run [-l CODE] GRAMMAR_FILE [WORK_FOLDER]\n"
      "  Reads GRAMMAR_FILE (the engine's own notation), writes the result files\n"
      "  (.dead .unr .lfact .tmp .rul .ntm .sel .log) and the parser into WORK_FOLDER,\n"
      "  by default the grammar file's folder.\n"
      "  -l CODE  target language: 1 Visual Basic (default), 8 C++, 9 C++ class\n",
      stderr);
  return 2;
}

// The reader counts positions in CR LF text: a line feed alone gets its carriage return.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

// The exports of the library this program is linked with.
EngineExports LinkedExports() {
  EngineExports table;
#define MORVANTELISK_RUN_LINK(name) table.name = &::name;
  TAMBERLIX_ENGINE_EXPORTS(MORVANTELISK_RUN_LINK)
#undef MORVANTELISK_RUN_LINK
  return table;
}

using mv::names::Printable;

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "morvantelisk_run: %s\n", Printable(message).c_str());
  return status;
}

// The grammar file's text: a regular file of at most MaxGrammarBytes, else a message.
bool ReadGrammar(const std::string& path, std::string& text, std::string& failure) {
  // Opened without waiting, so that a FIFO cannot block the run before it is refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (!ok) {
    failure = "cannot read " + path + ": " + std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    failure = path + " is no regular file: give the grammar file itself";
    ok = false;
  } else if (uint64_t(st.st_size) > MaxGrammarBytes) {
    failure = path + " is too large for a grammar file (" + std::to_string(st.st_size) +
              " bytes, at most " + std::to_string(MaxGrammarBytes) + ")";
    ok = false;
  }
  if (ok) {
    text.clear();
    char block[65536];
    for (;;) {
      const ssize_t n = ::read(fd, block, sizeof block);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        failure = "cannot read " + path + ": " + std::strerror(errno);
        ok = false;
        break;
      }
      if (n == 0) break;
      text.append(block, size_t(n));
      if (text.size() > MaxGrammarBytes) {
        failure = path + " grew past " + std::to_string(MaxGrammarBytes) + " bytes while read";
        ok = false;
        break;
      }
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace

int Run(int argc, char** argv) {
  int32_t language = 1;
  int arg = 1;
  if (arg + 1 < argc && std::string(argv[arg]) == "-l") {
    char* end = nullptr;
    long code = std::strtol(argv[arg + 1], &end, 10);
    if (!end || *end != '\0' || code < 0 || code > 99) return Usage();
    language = int32_t(code);
    arg += 2;
  }
  if (arg >= argc || argc - arg > 2) return Usage();
  std::error_code ec;
  const std::filesystem::path grammar = std::filesystem::absolute(argv[arg], ec);
  if (ec) return Fail(2, std::string("cannot read ") + argv[arg] + ": " + ec.message());
  std::string raw;
  std::string failure;
  if (!ReadGrammar(grammar.string(), raw, failure)) return Fail(2, failure);
  const std::string text = WithCrLf(raw);
  raw.clear();
  if (text.size() > size_t(INT32_MAX)) return Fail(2, "the grammar file is too large");
  const std::filesystem::path work =
      arg + 1 < argc ? std::filesystem::absolute(argv[arg + 1], ec) : grammar.parent_path();
  if (ec || !std::filesystem::is_directory(work, ec))
    return Fail(2, work.string() + " is no folder");

  // The engine takes the folder without trailing blanks: a folder whose name ends in one
  // would be taken for another.
  const std::string folder = work.string();
  if (folder.back() == ' ')
    return Fail(2, "the work folder \"" + folder +
                       "\" ends in a blank, which the engine cannot take: choose another folder");
  const EngineExports exports = LinkedExports();
  const EngineClient engine(exports);
  engine.Start(language, folder, false, false, false);
  failure = engine.LastError();
  if (!failure.empty()) return Fail(1, failure);
  // No result file may replace the grammar file.
  engine.SetGrammarFile(grammar.string());
  Morvantelisk(text.data(), int32_t(text.size()));

  failure = engine.LastError();
  if (!failure.empty()) return Fail(1, failure);
  const std::string grammarName = engine.GrammarName().value_or(std::string());
  if (grammarName.empty()) return Fail(1, "the text holds no rule; nothing was written");
  std::printf("%s: result files written to %s\n", Printable(grammarName).c_str(),
              Printable(folder).c_str());
  return 0;
}

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fputs("morvantelisk_run: there is not enough memory for the grammar file\n", stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "morvantelisk_run: %s\n", Printable(e.what()).c_str());
  }
  return 1;
}
