#include "engine/codegen/codegen_fixture.h"

#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"

#include <cstdio>
#include <sstream>

namespace mv::testing {

std::ostream& operator<<(std::ostream& os, const ParseResult& r) {
  return os << "{trace:\n" << r.Trace << (r.Ok ? "OK" : "ERR ") << r.Error << "}";
}

namespace {

std::string Trim(const std::string& s) {
  auto a = s.find_first_not_of(' ');
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// Splits at " | " that stands outside quotes.
std::vector<std::string> Alternatives(const std::string& text) {
  std::vector<std::string> alts;
  std::string cur;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '|' && (i == 0 || text[i - 1] == ' ') &&
        (i + 1 == text.size() || text[i + 1] == ' ')) {
      alts.push_back(Trim(cur));
      cur.clear();
      continue;
    }
    cur += ch;
  }
  alts.push_back(Trim(cur));
  return alts;
}

}  // namespace

void CodegenFixture::Grammar(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty()) continue;
    auto eq = line.find(" = ");
    ASSERT_NE(eq, std::string::npos) << line;
    Name(Trim(line.substr(0, eq)));
    b().BKSNLI();
    b().BKSGMN();
    for (const std::string& alt : Alternatives(line.substr(eq + 3))) {
      b().BKSNL();
      size_t i = 0;
      while (i < alt.size()) {
        if (alt[i] == ' ') {
          ++i;
          continue;
        }
        char ch = alt[i];
        if (ch == '<') {
          size_t end = alt.find('>', i + 1);
          while (end + 1 < alt.size() && alt[end + 1] != ' ') end = alt.find('>', end + 1);
          Name(alt.substr(i + 1, end - i - 1));
          b().BKSNTM();
          i = end + 1;
        } else if (ch == '`') {
          size_t end = alt.find('`', i + 1);
          Name(alt.substr(i + 1, end - i - 1));
          b().BKSACR();
          i = end + 1;
        } else if (ch == '\'') {
          // 'c': the character between the quotes, whatever it is
          Name(alt.substr(i + 1, 1));
          b().BKSTRM();
          i += 3;
        } else if (ch == '"') {
          size_t end = alt.find('"', i + 1);
          Name(alt.substr(i + 1, end - i - 1));
          b().BKSTRM();
          i = end + 1;
        } else if (ch == '#') {
          size_t end = alt.find(' ', i);
          if (end == std::string::npos) end = alt.size();
          b().BKSNAI();
          b().BKSSYM(std::stoi(alt.substr(i + 1, end - i - 1)));
          b().BKSTRM();
          i = end;
        } else if (ch == '[' || ch == '{') {
          ch == '[' ? b().BKSBRO() : b().BKSBCO();
          b().BKSNL();
          ++i;
        } else if (ch == '/') {
          b().BKSEND();
          b().BKSNL();
          ++i;
        } else if (ch == ']') {
          b().BKSEND();
          b().BKSBRC();
          ++i;
        } else if (ch == '}') {
          b().BKSEND();
          alt.compare(i, 2, "}+") == 0 ? b().BKSBC1() : b().BKSBCN();
          i += 2;
        } else if (ch == '~') {
          b().BKSNUL();
          ++i;
        } else {
          FAIL() << "bad element in: " << alt;
        }
      }
      b().BKSEND();
    }
  }
}

void CodegenFixture::Generate(int32_t language, bool actions, bool tree, bool names) {
  eng->run.BuildActions = actions ? True : False;
  eng->run.BuildTree = tree ? True : False;
  eng->run.BuildNames = names ? True : False;
  Analyse();
  eng->codegen.FixedDate = "10.12.26";
  eng->codegen.TamberlixCode(language);
  GrammarId = CppIdentifier(
      eng->codegen.IdentifierText(eng->store.GrammarName.First, eng->store.GrammarName.Last));
}

void CodegenFixture::Analyse() {
  ASSERT_TRUE(eng->TakeGrammarName());
  eng->an.Nullable();
  eng->an.NtmNumbering();
  eng->an.TrmNumbering();
  eng->an.RulesNumbering();
  ASSERT_EQ(Trim(eng->an.InitMatrix()), "");
  eng->an.IsEndOf();
  eng->an.IsFollowedDirectlyBy();
  eng->an.EndOf_FolDirBy_Prod();
  eng->an.BeginsWith();
  eng->an.IsFollowedBy();
}

std::string CodegenFixture::Base() const {
  std::string base = eng->store.ResultBaseName;
  return base.substr(0, base.find_last_not_of(' ') + 1);
}

std::vector<std::string> CodegenFixture::Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (char ch : text) {
    if (ch == '\n') {
      lines.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

std::vector<std::string> CodegenFixture::Block(const std::string& file, const std::string& head,
                                               const std::string& end) const {
  std::vector<std::string> all = Lines(ReadFile(file)), block;
  bool in = false;
  for (auto& line : all) {
    if (!in && line == head) in = true;
    if (in) {
      block.push_back(line);
      if (line == end && block.size() > 1) break;
    }
  }
  return block;
}

bool CodegenFixture::Compile(int32_t language, const std::string& extra) {
  const std::string& G = GrammarId;
  std::string lower = LowerCaseBase(Base());
  std::ostringstream hooks;
  hooks << "#include <stdio.h>\n#include <string.h>\n"
        << "void act(const char *text);\n";
  std::ostringstream main;
  main << "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>\n#include <string>\n";
  // Sentences come from a file, separated by a zero byte; every result ends with "---".
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
  if (language == CppProcedural) {
    hooks << "void " << G << "NewNode(int parentIndex, char *parentNode, int thisIndex, char *thisNode);\n"
          << "void " << G << "CompleteNode(int thisIndex, char *thisNode, int indSrc);\n"
          << "void " << G << "NewLeaf(int thisIndex, char *thisNode, int indSrc, int ll1);\n"
          << "bool " << G << "Errh(int numErr, char *gramSymb, char *expectedSet);\n"
          << extra;
    std::ofstream(folder / (lower + ".h"), std::ios::binary) << hooks.str();
    main << "void act(const char *text) { printf(\"A %s\\n\", text); }\n"
         << "void " << G << "NewNode(int parentIndex, char *parentNode, int thisIndex, char *thisNode)"
         << " { printf(\"N %d %s %d %s\\n\", parentIndex, parentNode, thisIndex, thisNode); }\n"
         << "void " << G << "CompleteNode(int thisIndex, char *thisNode, int indSrc)"
         << " { printf(\"C %d %s %d\\n\", thisIndex, thisNode, indSrc); }\n"
         << "void " << G << "NewLeaf(int thisIndex, char *thisNode, int indSrc, int ll1)"
         << " { printf(\"L %d %s %d %d\\n\", thisIndex, thisNode, indSrc, ll1); }\n"
         // the generated parser has its own handler unless the grammar asks for an external one
         << "__attribute__((weak)) bool " << G << "Errh(int numErr, char *gramSymb, char *expectedSet)"
         << " { printf(\"E %d %s %s\\n\", numErr, gramSymb, expectedSet); return true; }\n";
    std::string entry = IsTrue(eng->run.BuildNames) ? G + "main" : G;
    main << "bool " << entry << "(char *sourceStr, char **errorMsg);\n";
    parse = "bool ok = " + entry + "(src, &msg);";
    generated = lower + ".cxx";
  } else {
    std::ostringstream acts;
    acts << "#include <stdio.h>\nclass " << G << "Parser;\nvoid act(const char *text);\n"
         << "class " << G << "Acts\n{\npublic:\n"
         << "  " << G << "Acts(" << G << "Parser *) {}\n"
         << "  void newNode(int parentIndex, char *parentNode, int thisIndex, char *thisNode)"
         << " { printf(\"N %d %s %d %s\\n\", parentIndex, parentNode, thisIndex, thisNode); }\n"
         << "  void completeNode(int thisIndex, char *thisNode, int indSrc)"
         << " { printf(\"C %d %s %d\\n\", thisIndex, thisNode, indSrc); }\n"
         << "  void newLeaf(int thisIndex, char *thisNode, int indSrc, int ll1)"
         << " { printf(\"L %d %s %d %d\\n\", thisIndex, thisNode, indSrc, ll1); }\n"
         << "  bool errh(int numErr, char *gramSymb, char *expectedSet)"
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

std::vector<ParseResult> CodegenFixture::Run(const std::vector<std::string>& sentences) {
  {
    std::ofstream in(folder / "sentences.bin", std::ios::binary);
    for (auto& s : sentences) in << s << '\0';
  }
  std::string cmd = "cd '" + folder.string() + "' && ./parser sentences.bin > run.out 2>&1";
  int rc = std::system(cmd.c_str());
  EXPECT_EQ(rc, 0);
  std::string out = ReadFile("run.out");
  std::vector<ParseResult> results;
  const std::string endMark = "\n@@END\n";
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find(endMark, start);
    if (end == std::string::npos) break;
    std::string chunk = out.substr(start, end - start);
    // Trace lines never begin with "@@": the first such line is the result.
    size_t at = chunk.rfind("@@", 0) == 0 ? 0 : chunk.find("\n@@");
    if (at != 0 && at != std::string::npos) ++at;
    ParseResult r;
    r.Trace = chunk.substr(0, at);
    std::string result = at == std::string::npos ? std::string() : chunk.substr(at);
    r.Ok = result == "@@OK";
    if (!r.Ok && result.rfind("@@ERR ", 0) == 0) r.Error = result.substr(6);
    results.push_back(r);
    start = end + endMark.size();
  }
  return results;
}

}  // namespace mv::testing
