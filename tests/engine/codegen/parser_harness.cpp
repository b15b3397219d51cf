#include "engine/codegen/parser_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace mv::testing {

std::ostream& operator<<(std::ostream& os, const ParseResult& r) {
  return os << "{trace:\n" << r.Trace << (r.Ok ? "OK" : "ERR ") << r.Error << "}";
}

std::string ParserHarness::ReadFile(const std::string& name) const {
  std::ifstream in(folder / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<ParseResult> SplitResults(const std::string& out) {
  std::vector<ParseResult> results;
  const std::string endMark = "@@END\n";
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find(endMark, start);
    if (end == std::string::npos) break;
    std::string chunk = out.substr(start, end - start);
    // Trace lines never begin with "@@": the last such line is the result.
    size_t at = chunk.rfind("@@", 0) == 0 ? 0 : chunk.rfind("\n@@");
    if (at != 0 && at != std::string::npos) ++at;
    std::string before = at == std::string::npos ? chunk : chunk.substr(0, at);
    std::string result = at == std::string::npos ? std::string() : chunk.substr(at);
    if (!result.empty() && result.back() == '\n') result.pop_back();
    ParseResult r;
    if (result == "@@DONE") {
      if (!before.empty() && before.back() == '\n') before.pop_back();
      r.Ok = before.empty();
      r.Error = before;
    } else {
      r.Trace = before;
      r.Ok = result == "@@OK";
      if (!r.Ok && result.rfind("@@ERR ", 0) == 0) r.Error = result.substr(6);
    }
    results.push_back(r);
    start = end + endMark.size();
  }
  return results;
}

bool ParserHarness::Compile(int32_t language, const std::string& G, const std::string& lower,
                            bool buildNames, const std::string& extra) {
  std::ostringstream hooks;
  hooks << "#include <stdio.h>\n#include <string.h>\n"
        << "void act(const char *text);\n";
  std::ostringstream main;
  main << "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>\n#include <string>\n";
  // Sentences come from a file, separated by a zero byte; every result ends with "@@END".
  std::string loop =
      "int main(int argc, char **argv)\n{\n"
      "  FILE *f = fopen(argv[1], \"rb\");\n  std::string all;\n  int c;\n"
      "  while ((c = fgetc(f)) != EOF) all += (char) c;\n  fclose(f);\n"
      "  size_t start = 0;\n"
      "  while (start < all.size())\n  {\n"
      "    size_t end = all.find('\\0', start);\n"
      "    std::string s = all.substr(start, end - start);\n"
      "    char *src = strdup(s.c_str());\n"
      "    char *msg = NULL;\n"
      "    PARSE\n"
      "    if (ok) printf(\"@@OK\\n@@END\\n\"); else printf(\"@@ERR %s\\n@@END\\n\", msg ? msg : \"\");\n"
      "    fflush(stdout);\n"
      "    free(src);\n"
      "    start = end + 1;\n  }\n  return 0;\n}\n";
  std::string parse;
  std::string generated;
  if (language == 8) {
    hooks << "void " << G << "NewNode(int parentIndex, const char *parentNode, int thisIndex, const char *thisNode);\n"
          << "void " << G << "CompleteNode(int thisIndex, const char *thisNode, int indSrc);\n"
          << "void " << G << "NewLeaf(int thisIndex, const char *thisNode, int indSrc, int ll1);\n"
          << "bool " << G << "Errh(int numErr, const char *gramSymb, const char *expectedSet);\n"
          << extra;
    std::ofstream(folder / (lower + ".h"), std::ios::binary) << hooks.str();
    main << "void act(const char *text) { printf(\"A %s\\n\", text); }\n"
         << "void " << G << "NewNode(int parentIndex, const char *parentNode, int thisIndex, const char *thisNode)"
         << " { printf(\"N %d %s %d %s\\n\", parentIndex, parentNode, thisIndex, thisNode); }\n"
         << "void " << G << "CompleteNode(int thisIndex, const char *thisNode, int indSrc)"
         << " { printf(\"C %d %s %d\\n\", thisIndex, thisNode, indSrc); }\n"
         << "void " << G << "NewLeaf(int thisIndex, const char *thisNode, int indSrc, int ll1)"
         << " { printf(\"L %d %s %d %d\\n\", thisIndex, thisNode, indSrc, ll1); }\n"
         // the generated parser has its own handler unless the grammar asks for an external one
         << "__attribute__((weak)) bool " << G << "Errh(int numErr, const char *gramSymb, const char *expectedSet)"
         << " { printf(\"E %d %s %s\\n\", numErr, gramSymb, expectedSet); return true; }\n";
    std::string entry = buildNames ? G + "main" : G;
    main << "bool " << entry << "(char *sourceStr, char **errorMsg);\n";
    parse = "bool ok = " + entry + "(src, &msg);";
    generated = lower + ".cxx";
  } else {
    std::ostringstream acts;
    acts << "#include <stdio.h>\nclass " << G << "Parser;\nvoid act(const char *text);\n"
         << "class " << G << "Acts\n{\npublic:\n"
         << "  " << G << "Acts(" << G << "Parser *) {}\n"
         << "  void newNode(int parentIndex, const char *parentNode, int thisIndex, const char *thisNode)"
         << " { printf(\"N %d %s %d %s\\n\", parentIndex, parentNode, thisIndex, thisNode); }\n"
         << "  void completeNode(int thisIndex, const char *thisNode, int indSrc)"
         << " { printf(\"C %d %s %d\\n\", thisIndex, thisNode, indSrc); }\n"
         << "  void newLeaf(int thisIndex, const char *thisNode, int indSrc, int ll1)"
         << " { printf(\"L %d %s %d %d\\n\", thisIndex, thisNode, indSrc, ll1); }\n"
         << "  bool errh(int numErr, const char *gramSymb, const char *expectedSet)"
         << " { printf(\"E %d %s %s\\n\", numErr, gramSymb, expectedSet); return true; }\n"
         << extra << "};\n";
    std::ofstream(folder / (lower + "acts.h"), std::ios::binary) << acts.str();
    main << "#include \"" << lower << ".h\"\n"
         << "void act(const char *text) { printf(\"A %s\\n\", text); }\n";
    parse = G + "Parser parser;\n    bool ok = parser.parse(src, &msg);";
    generated = lower + ".cpp";
  }
  std::string body = loop;
  body.replace(body.find("PARSE"), 5, parse);
  std::ofstream(folder / "harness_main.cpp", std::ios::binary) << main.str() << body;
  std::string cmd = "cd '" + folder.string() + "' && g++ -std=c++17 -w -O0 -o parser '" +
                    generated + "' harness_main.cpp > compile.log 2>&1";
  int rc = std::system(cmd.c_str());
  CompileLog = ReadFile("compile.log");
  EXPECT_EQ(rc, 0) << CompileLog;
  return rc == 0;
}

std::vector<ParseResult> ParserHarness::Run(const std::vector<std::string>& sentences) {
  {
    std::ofstream in(folder / "sentences.bin", std::ios::binary);
    for (auto& s : sentences) in << s << '\0';
  }
  // A parser that goes round for ever fails the test instead of holding it.
  std::string cmd = "cd '" + folder.string() + "' && timeout 300 ./parser sentences.bin > run.out 2>&1";
  int rc = std::system(cmd.c_str());
  EXPECT_EQ(rc, 0);
  return SplitResults(ReadFile("run.out"));
}

}  // namespace mv::testing
