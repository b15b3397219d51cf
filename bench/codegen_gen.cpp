// Writes the C++ parser of an expression grammar through the library's exports, for the
// code-generation benchmark: codegen_gen <output folder>.

#include <cstdint>
#include <cstdio>
#include <cstring>
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
  return 0;
}
