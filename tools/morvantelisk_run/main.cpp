// morvantelisk_run: the engine's batch run on a grammar file in the engine's own notation, for
// those who use the engine library without the window program. The result files and the
// parser are written into the work folder, by default the grammar file's folder.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "morvantelisk.h"

namespace {

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

std::string Trimmed(const char* buffer, size_t size) {
  std::string text(buffer, size);
  size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

}  // namespace

int main(int argc, char** argv) {
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
  const std::filesystem::path grammar = std::filesystem::absolute(argv[arg]);
  std::ifstream in(grammar, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "morvantelisk_run: cannot read %s\n", grammar.string().c_str());
    return 2;
  }
  const std::string text = WithCrLf(
      std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  const std::filesystem::path work =
      arg + 1 < argc ? std::filesystem::absolute(argv[arg + 1]) : grammar.parent_path();
  std::error_code ec;
  if (!std::filesystem::is_directory(work, ec)) {
    std::fprintf(stderr, "morvantelisk_run: %s is no folder\n", work.string().c_str());
    return 2;
  }

  const std::string folder = work.string();
  const int16_t off = 0;
  BnfParserInit(&language, folder.data(), int32_t(folder.size()), &off, &off, &off);
  if (text.size() > size_t(INT32_MAX)) {
    std::fputs("morvantelisk_run: the grammar file is too large\n", stderr);
    return 2;
  }
  Morvantelisk(text.data(), int32_t(text.size()));

  char error[1024];
  GetEngineError(error, int32_t(sizeof error));
  const std::string failure = Trimmed(error, sizeof error);
  if (!failure.empty()) {
    std::fprintf(stderr, "morvantelisk_run: %s\n", failure.c_str());
    return 1;
  }
  char name[80];
  std::fill(std::begin(name), std::end(name), ' ');
  GetGrammarName(name, int32_t(sizeof name));
  const std::string grammarName = Trimmed(name, sizeof name);
  if (grammarName.empty()) {
    std::fputs("morvantelisk_run: the text holds no rule; nothing was written\n", stderr);
    return 1;
  }
  std::printf("%s: result files written to %s\n", grammarName.c_str(), folder.c_str());
  return 0;
}
