#include "store_dump.h"

#include <map>
#include <sstream>
#include <stdexcept>

#include "engine.h"
#include "morvantelisk.h"

namespace store_test {

using namespace mv;

namespace {
constexpr int kMaxSteps = 1000000;  // a damaged chain must not hang a test

std::string Escaped(const Engine& eng, int pool, int first, int last) {
  std::string out;
  int steps = 0;
  for (int c = first; c >= 1 && steps++ < kMaxSteps;) {
    int code = eng.mem.IVLR(pool, c, CharCode);
    if (code >= 32 && code <= 126 && code != '\\' && code != '"')
      out.push_back(char(code));
    else
      out += "\\" + std::to_string(code);
    if (c == last) break;
    c = eng.mem.IVLR(pool, c, CharNext);
  }
  return out;
}
}  // namespace

std::string NameOf(const Engine& eng, int first, int last) {
  return Escaped(eng, NameCharPool, first, last);
}

std::string DumpRules(const Engine& eng) {
  const RecordMemory& m = eng.mem;
  std::ostringstream out;
  int steps = 0;
  for (int n = eng.store.Grammar.First; n >= 1 && steps++ < kMaxSteps;) {
    std::string head = "<" + NameOf(eng, m.IVLR(NonterminalPool, n, NtmNameFirst),
                                     m.IVLR(NonterminalPool, n, NtmNameLast)) + "> ::=";
    int lastRule = m.IVLR(NonterminalPool, n, NtmLastRule);
    int r = m.IVLR(NonterminalPool, n, NtmFirstRule);
    if (r < 1) out << head << " ?\n";
    while (r >= 1 && steps++ < kMaxSteps) {
      out << head;
      int lastElem = m.IVLR(RulePool, r, RuleLastElement);
      for (int e = m.IVLR(RulePool, r, RuleFirstElement); e >= 1 && steps++ < kMaxSteps;) {
        int ref = m.IVLR(ElementPool, e, ElemReferent);
        switch (m.IVLR(ElementPool, e, ElemKind)) {
          case KindNonterminal:
            out << " <" << NameOf(eng, m.IVLR(NonterminalPool, ref, NtmNameFirst),
                                  m.IVLR(NonterminalPool, ref, NtmNameLast)) << ">";
            break;
          case KindTerminal:
            out << " \"" << NameOf(eng, m.IVLR(TerminalPool, ref, TrmNameFirst),
                                   m.IVLR(TerminalPool, ref, TrmNameLast)) << "\"";
            break;
          case KindAction:
            out << " `" << NameOf(eng, m.IVLR(ActionPool, ref, ActNameFirst),
                                  m.IVLR(ActionPool, ref, ActNameLast)) << "`";
            break;
          case KindEmpty: out << " #"; break;
          default: out << " !kind"; break;
        }
        if (e == lastElem) break;
        e = m.IVLR(ElementPool, e, ElemNext);
      }
      out << "\n";
      if (r == lastRule) break;
      r = m.IVLR(RulePool, r, RuleNext);
    }
    if (n == eng.store.Grammar.Last) break;
    n = m.IVLR(NonterminalPool, n, NtmNext);
  }
  return out.str();
}

std::string DumpTerminals(const Engine& eng) {
  const RecordMemory& m = eng.mem;
  std::string out;
  int steps = 0;
  for (int t = eng.store.Terminals.First; t >= 1 && steps++ < kMaxSteps;) {
    if (!out.empty()) out += " ";
    out += "\"" + NameOf(eng, m.IVLR(TerminalPool, t, TrmNameFirst),
                         m.IVLR(TerminalPool, t, TrmNameLast)) + "\"";
    if (t == eng.store.Terminals.Last) break;
    t = m.IVLR(TerminalPool, t, TrmNext);
  }
  return out;
}

std::string DumpActions(const Engine& eng) {
  const RecordMemory& m = eng.mem;
  std::ostringstream out;
  int steps = 0;
  for (int a = eng.store.Actions.First; a >= 1 && steps++ < kMaxSteps;) {
    out << "`" << NameOf(eng, m.IVLR(ActionPool, a, ActNameFirst), m.IVLR(ActionPool, a, ActNameLast))
        << "` ::=";
    int lastLine = m.IVLR(ActionPool, a, ActLastLine);
    bool firstLine = true;
    for (int l = m.IVLR(ActionPool, a, ActFirstLine); l >= 1 && steps++ < kMaxSteps;) {
      out << (firstLine ? " " : " | ")
          << Escaped(eng, ActionCharPool, m.IVLR(ActionLinePool, l, LineFirstChar),
                     m.IVLR(ActionLinePool, l, LineLastChar));
      firstLine = false;
      if (l == lastLine) break;
      l = m.IVLR(ActionLinePool, l, LineNext);
    }
    out << "\n";
    if (a == eng.store.Actions.Last) break;
    a = m.IVLR(ActionPool, a, ActNext);
  }
  return out.str();
}

void RunScript(const std::string& script) {
  static const std::map<std::string, void (*)()> entries = {
      {"ACT", BKSACT}, {"NAI", BKSNAI}, {"NLI", BKSNLI}, {"GMN", BKSGMN}, {"NL", BKSNL},
      {"NTM", BKSNTM}, {"TRM", BKSTRM}, {"ACR", BKSACR}, {"NUL", BKSNUL}, {"END", BKSEND},
      {"ACL", BKSACL}, {"ACB", BKSACB}, {"STM", BKSSTM}, {"PRG", BKSPRG}, {"EXT", BKSEXT},
      {"NXT", BKSNXT}, {"ERJ", BKSERJ}, {"OFF", BKSOFF}, {"VLW", BKSVLW}, {"PSH", BKSPSH},
      {"VLR", BKSVLR}, {"POP", BKSPOP}, {"ON", BKSON},   {"DEC", BKSDEC}, {"BEG", BKSBEG},
      {"POST", BKSPOST}, {"BRO", BKSBRO}, {"BRC", BKSBRC}, {"BRT", BKSBRT}, {"BCO", BKSBCO},
      {"BCN", BKSBCN}, {"BC1", BKSBC1}, {"BCR", BKSBCR}, {"BCC", BKSBCC}, {"RPT", BKSRPT},
      {"WBO", BKSWBO}, {"W3C", BKSW3C}, {"WBR", BKSWBR}, {"WBQ", BKSWBQ}, {"NEX", BKSNEX},
      {"TRB", BKSTRB}, {"TRE", BKSTRE}, {"BRS", BKSBRS}, {"NEG", BKSNEG}, {"TRL", BKSTRL},
      {"TRF", BKSTRF}, {"POS", BKSPOS}, {"WBC", BKSWBC}, {"SYN", BKSSYN},
  };
  std::istringstream in(script);
  std::string tok;
  auto each = [](const std::string& text, void (*entry)(const int32_t*)) {
    for (unsigned char ch : text) {
      int32_t code = ch;
      entry(&code);
    }
  };
  while (in >> tok) {
    if (tok == "INIT") {
      int32_t lang = 0;
      int16_t off = 0;
      BnfParserInit(&lang, "", 0, &off, &off, &off);
    } else if (tok.rfind("N:", 0) == 0) {
      BKSNAI();
      each(tok.substr(2), BKSSYM);
    } else if (tok.rfind("C:", 0) == 0) {
      int32_t code = std::stoi(tok.substr(2));
      BKSSYM(&code);
    } else if (tok.rfind("SC:", 0) == 0) {
      int32_t code = std::stoi(tok.substr(3));
      BKSS(&code);
    } else if (tok.rfind("S:", 0) == 0) {
      each(tok.substr(2), BKSS);
    } else if (tok.rfind("T:", 0) == 0) {
      each(tok.substr(2), BKSSTS);
    } else {
      auto it = entries.find(tok);
      if (it == entries.end()) throw std::invalid_argument("unknown builder token " + tok);
      it->second();
    }
  }
}

}  // namespace store_test
