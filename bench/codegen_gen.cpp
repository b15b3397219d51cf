// Writes the C++ parser of an expression grammar through the library's exports, for the
// code-generation benchmark: codegen_gen <output folder>.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "morvantelisk.h"

namespace {

void Name(const std::string& text) {
  BKSNAI();
  for (unsigned char c : text) {
    int32_t code = c;
    BKSSYM(&code);
  }
}

// One rule; "<X>" is a nonterminal, "" the empty element, anything else a terminal.
void Rule(const std::string& head, const std::vector<std::vector<std::string>>& alts) {
  Name(head);
  BKSNLI();
  BKSGMN();
  for (auto& alt : alts) {
    BKSNL();
    for (auto& item : alt) {
      if (item.empty()) {
        BKSNUL();
      } else if (item.size() > 2 && item.front() == '<') {
        Name(item.substr(1, item.size() - 2));
        BKSNTM();
      } else {
        Name(item);
        BKSTRM();
      }
    }
    BKSEND();
  }
}

// The same parser without the nesting limit, named "benchfree", so that the benchmark can
// tell what the limit costs.
void WriteUnlimitedCopy(const std::string& folder) {
  std::ifstream in(folder + "/benchexpr.cxx", std::ios::binary);
  std::ostringstream out;
  std::string line;
  int skip = 0;
  while (std::getline(in, line)) {
    if (skip > 0) {
      --skip;
      continue;
    }
    if (line.find("if (nestingDepth > maxNestingDepth)") != std::string::npos) {
      skip = 4;  // the test, its braces, the error call and the return
      continue;
    }
    // The procedures without the depth parameter.
    for (const char* from : {"long nestingDepth", "nestingDepth + 1"}) {
      size_t at = line.find(from);
      if (at != std::string::npos) line.erase(at, std::strlen(from));
    }
    // A procedure that calls nothing leaves its depth parameter unnamed.
    if (line.size() > 6 && line.compare(line.size() - 6, 6, "(long)") == 0) line.erase(line.size() - 5, 4);
    if (line.rfind("L:\t", 0) == 0 && line.find("(1);") != std::string::npos)
      line.replace(line.find("(1);"), 4, "();");
    for (size_t at = line.find("benchexpr"); at != std::string::npos; at = line.find("benchexpr", at))
      line.replace(at, 9, "benchfree");
    if (line == "#include \"benchfree.h\"") line = "#include \"benchexpr.h\"";
    // The scanner is a global function of the same name in both parsers.
    for (size_t at = line.find("next("); at != std::string::npos; at = line.find("next(", at + 9))
      if (at == 0 || !(std::isalnum(static_cast<unsigned char>(line[at - 1])) || line[at - 1] == '_'))
        line.replace(at, 5, "nextfree(");
    out << line << "\n";
  }
  std::ofstream(folder + "/benchfree.cxx", std::ios::binary) << out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: codegen_gen <output folder>\n");
    return 2;
  }
  int32_t language = 8;
  int16_t off = 0;
  BnfParserInit(&language, argv[1], int32_t(std::strlen(argv[1])), &off, &off, &off);
  BKSACT();
  Rule("benchexpr", {{"<T>", "<E1>"}});
  Rule("E1", {{"<AddOp>", "<T>", "<E1>"}, {""}});
  Rule("AddOp", {{"+"}, {"-"}});
  Rule("T", {{"<F>", "<T1>"}});
  Rule("T1", {{"<MulOp>", "<F>", "<T1>"}, {""}});
  Rule("MulOp", {{"*"}, {"/"}});
  // An operand is a one-letter variable or an expression in parentheses; the 26 letter
  // alternatives share one branch.
  std::vector<std::vector<std::string>> factor;
  for (char v = 'a'; v <= 'z'; ++v) factor.push_back({std::string(1, v)});
  factor.push_back({"(", "<benchexpr>", ")"});
  Rule("F", factor);

  char name[80];
  GetGrammarName(name, sizeof name);
  int32_t head = 0, tail = 0, n = 0, t = 0, r = 0;
  Nullable(&head, &tail);
  NtmNumbering(&n);
  TrmNumbering(&t);
  RulesNumbering(&r);
  char message[100];
  InitMatrix(message, sizeof message);
  IsEndOf();
  IsFollowedDirectlyBy();
  EndOf_FolDirBy_Prod();
  BeginsWith();
  IsFollowedBy();
  TamberlixCode(&language);
  WriteUnlimitedCopy(argv[1]);
  return 0;
}
