#include "engine/codegen/codegen_fixture.h"

#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"

#include <cstdio>
#include <sstream>

namespace mv::testing {

const char* const ExpressionGrammar =
    "E = <T> <E1>\n"
    "E1 = <AddOp> <T> <E1> | ~\n"
    "AddOp = '+' | '-'\n"
    "T = <F> <T1>\n"
    "T1 = <MulOp> <F> <T1> | ~\n"
    "MulOp = '*' | '/'\n"
    "F = <Digit> <Num> | '(' <E> ')'\n"
    "Num = <Digit> <Num> | ~\n"
    "Digit = '0' | '1' | '2' | '3' | '4' | '5' | '6' | '7' | '8' | '9'";

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
        } else if (alt.compare(i, 3, "...") == 0) {
          b().BKSRPT();
          i += 3;
        } else if (alt.compare(i, 2, "{:") == 0) {
          b().BKSBCR();
          b().BKSNL();
          i += 2;
        } else if (alt.compare(i, 2, ":}") == 0) {
          b().BKSEND();
          b().BKSBCC();
          i += 2;
        } else if (ch == '[' || ch == '{' || ch == '(') {
          ch == '[' ? b().BKSBRO() : ch == '{' ? b().BKSBCO() : b().BKSWBO();
          b().BKSNL();
          ++i;
        } else if (ch == '/') {
          b().BKSEND();
          b().BKSNL();
          ++i;
        } else if (alt.compare(i, 4, "]...") == 0) {
          b().BKSEND();
          b().BKSBRT();
          i += 4;
        } else if (ch == ']') {
          b().BKSEND();
          b().BKSBRC();
          ++i;
        } else if (ch == ')') {
          b().BKSEND();
          if (alt.compare(i, 2, ")*") == 0) {
            b().BKSWBR();
            b().BKSRPT();
          } else if (alt.compare(i, 2, ")+") == 0) {
            b().BKSW3C();
            b().BKSRPT();
          } else {
            b().BKSW3C();
          }
          i += alt.compare(i, 2, ")*") == 0 || alt.compare(i, 2, ")+") == 0 ? 2 : 1;
        } else if (ch == '}') {
          b().BKSEND();
          alt.compare(i, 2, "}+") == 0 ? b().BKSBC1() : b().BKSBCN();
          i += 2;
        } else if (ch == '%' && i + 1 < alt.size() && alt[i + 1] == '[') {
          // %[a-cx] a character class, %[^a] a negated one
          size_t end = alt.find(']', i + 3);
          std::string items = alt.substr(i + 2, end - i - 2);
          b().BKSBRS();
          size_t k = 0;
          if (!items.empty() && items[0] == '^') {
            b().BKSNEG();
            k = 1;
          }
          auto spell = [&](char c) {
            b().BKSNAI();
            b().BKSSYM(static_cast<unsigned char>(c));
          };
          for (; k < items.size(); ++k) {
            spell(items[k]);
            if (k + 2 < items.size() && items[k + 1] == '-') {
              b().BKSTRB();
              spell(items[k + 2]);
              b().BKSTRF();
              k += 2;
            } else {
              b().BKSTRL();
            }
          }
          b().BKSPOS();
          b().BKSW3C();
          i = end + 1;
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
  ASSERT_TRUE(eng->store.TakeGrammarName());
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
  ParserHarness harness{folder};
  bool ok = harness.Compile(language, GrammarId, LowerCaseBase(Base()), IsTrue(eng->run.BuildNames),
                            extra);
  CompileLog = harness.CompileLog;
  return ok;
}

std::vector<ParseResult> CodegenFixture::Run(const std::vector<std::string>& sentences) {
  return ParserHarness{folder}.Run(sentences);
}

}  // namespace mv::testing
