#pragma once
// Test support for the builder's group and class entries: a short script notation for call
// sequences, a dump of the rules in the store, and an enumerator of the strings that a
// nonterminal derives up to a length.
//
// Script tokens (blank-separated):
//   S:      S is a rule head (BKSNAI, BKSSYM per character, BKSNLI, BKSGMN)
//   |  ;    BKSNL, BKSEND
//   ε       BKSNUL
//   'abc'   one one-character terminal per character (BKSNAI, BKSSYM, BKSTRM each)
//   <X>     nonterminal X (BKSNAI, BKSSYM per character, BKSNTM)
//   @X      spell X only (BKSNAI, BKSSYM per character)
//   #n      spell the code n only (BKSNAI, BKSSYM n)
//   BKS...  that entry

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"

namespace mv::test {

inline void Spell(Engine& eng, const std::string& name) {
  eng.builder.BKSNAI();
  for (unsigned char c : name) eng.builder.BKSSYM(int32_t(c));
}

inline void RunScript(Engine& eng, const std::string& script) {
  using Entry = void (Builder::*)();
  static const std::map<std::string, Entry> entries = {
      {"BKSACT", &Builder::BKSACT}, {"BKSNAI", &Builder::BKSNAI}, {"BKSNTM", &Builder::BKSNTM},
      {"BKSTRM", &Builder::BKSTRM}, {"BKSNUL", &Builder::BKSNUL}, {"BKSEND", &Builder::BKSEND},
      {"BKSNL", &Builder::BKSNL},   {"BKSBRO", &Builder::BKSBRO}, {"BKSBRC", &Builder::BKSBRC},
      {"BKSBRT", &Builder::BKSBRT}, {"BKSBCO", &Builder::BKSBCO}, {"BKSBCN", &Builder::BKSBCN},
      {"BKSBC1", &Builder::BKSBC1}, {"BKSBCR", &Builder::BKSBCR}, {"BKSBCC", &Builder::BKSBCC},
      {"BKSRPT", &Builder::BKSRPT}, {"BKSWBO", &Builder::BKSWBO}, {"BKSW3C", &Builder::BKSW3C},
      {"BKSWBR", &Builder::BKSWBR}, {"BKSWBQ", &Builder::BKSWBQ}, {"BKSNEX", &Builder::BKSNEX},
      {"BKSTRB", &Builder::BKSTRB}, {"BKSTRE", &Builder::BKSTRE}, {"BKSBRS", &Builder::BKSBRS},
      {"BKSNEG", &Builder::BKSNEG}, {"BKSTRL", &Builder::BKSTRL}, {"BKSTRF", &Builder::BKSTRF},
      {"BKSPOS", &Builder::BKSPOS}, {"BKSWBC", &Builder::BKSWBC},
  };
  std::istringstream in(script);
  std::string tok;
  while (in >> tok) {
    Builder& b = eng.builder;
    if (tok == "|") {
      b.BKSNL();
    } else if (tok == ";") {
      b.BKSEND();
    } else if (tok == "ε") {
      b.BKSNUL();
    } else if (tok.size() > 2 && tok.front() == '\'' && tok.back() == '\'') {
      for (char c : tok.substr(1, tok.size() - 2)) {
        Spell(eng, std::string(1, c));
        b.BKSTRM();
      }
    } else if (tok.size() > 2 && tok.front() == '<' && tok.back() == '>') {
      Spell(eng, tok.substr(1, tok.size() - 2));
      b.BKSNTM();
    } else if (tok.size() > 1 && tok.front() == '@') {
      Spell(eng, tok.substr(1));
    } else if (tok.size() > 1 && tok.front() == '#') {
      b.BKSNAI();
      b.BKSSYM(std::stoi(tok.substr(1)));
    } else if (auto it = entries.find(tok); it != entries.end()) {
      (b.*(it->second))();
    } else if (tok.size() > 1 && tok.back() == ':') {
      Spell(eng, tok.substr(0, tok.size() - 1));
      b.BKSNLI();
      b.BKSGMN();
    } else {
      ADD_FAILURE() << "unknown script token " << tok;
    }
  }
}

// A fresh run with one reading begun.
inline void StartReading(Engine& eng) {
  eng.BnfParserInit(0, "", 0, 0, 0);
  eng.builder.BKSACT();
}

struct StoredElement {
  int32_t Kind = 0;
  std::string Name;  // nonterminal, terminal or action name
};
using StoredAlternative = std::vector<StoredElement>;
struct StoredNonterminal {
  std::string Name;
  std::vector<StoredAlternative> Alternatives;
};

// The grammar chain as it stands, in order.
inline std::vector<StoredNonterminal> ReadGrammar(const Engine& eng) {
  const RecordMemory& mem = eng.mem;
  const GrammarStore& store = eng.store;
  auto name = [&](int32_t pool, int32_t rec) {
    return store.NameText(mem.IVLR(pool, rec, 3), mem.IVLR(pool, rec, 4));
  };
  std::vector<StoredNonterminal> grammar;
  for (int32_t n = store.Grammar.First; n >= 1;) {
    StoredNonterminal ntm{name(NonterminalPool, n), {}};
    int32_t lastRule = mem.IVLR(NonterminalPool, n, NtmLastRule);
    for (int32_t r = mem.IVLR(NonterminalPool, n, NtmFirstRule); r >= 1;) {
      StoredAlternative alt;
      int32_t lastElem = mem.IVLR(RulePool, r, RuleLastElement);
      for (int32_t e = mem.IVLR(RulePool, r, RuleFirstElement); e >= 1;) {
        int32_t kind = mem.IVLR(ElementPool, e, ElemKind);
        int32_t ref = mem.IVLR(ElementPool, e, ElemReferent);
        std::string text = kind == KindNonterminal ? name(NonterminalPool, ref)
                           : kind == KindTerminal  ? name(TerminalPool, ref)
                           : kind == KindAction    ? name(ActionPool, ref)
                                                   : std::string();
        alt.push_back({kind, text});
        if (e == lastElem) break;
        e = mem.IVLR(ElementPool, e, ElemNext);
      }
      ntm.Alternatives.push_back(alt);
      if (r == lastRule) break;
      r = mem.IVLR(RulePool, r, RuleNext);
    }
    grammar.push_back(ntm);
    if (n == store.Grammar.Last) break;
    n = mem.IVLR(NonterminalPool, n, NtmNext);
  }
  return grammar;
}

// One line per nonterminal: "A ::= 'a' B | ε"; a one-character terminal outside the printable
// range shows as #code.
inline std::vector<std::string> DumpRules(const Engine& eng) {
  std::vector<std::string> lines;
  for (const StoredNonterminal& n : ReadGrammar(eng)) {
    std::string line = n.Name + " ::=";
    for (size_t a = 0; a < n.Alternatives.size(); ++a) {
      if (a > 0) line += " |";
      for (const StoredElement& e : n.Alternatives[a]) {
        line += ' ';
        if (e.Kind == KindEmpty) {
          line += "ε";
        } else if (e.Kind == KindTerminal) {
          unsigned char c = e.Name.size() == 1 ? (unsigned char)e.Name[0] : 0;
          line += e.Name.size() == 1 && (c < 33 || c > 126) ? "#" + std::to_string(c)
                                                             : "'" + e.Name + "'";
        } else {
          line += e.Name;
        }
      }
    }
    lines.push_back(line);
  }
  return lines;
}

inline const StoredNonterminal* FindNonterminal(const std::vector<StoredNonterminal>& grammar,
                                                const std::string& name) {
  for (const StoredNonterminal& n : grammar)
    if (n.Name == name) return &n;
  return nullptr;
}

// The codes of a nonterminal whose every alternative is one one-character terminal, in order;
// -1 for an alternative of another shape.
inline std::vector<int> MemberCodes(const Engine& eng, const std::string& name) {
  std::vector<StoredNonterminal> grammar = ReadGrammar(eng);
  std::vector<int> codes;
  const StoredNonterminal* n = FindNonterminal(grammar, name);
  if (!n) return {-2};
  for (const StoredAlternative& alt : n->Alternatives) {
    bool single = alt.size() == 1 && alt[0].Kind == KindTerminal && alt[0].Name.size() == 1;
    codes.push_back(single ? (unsigned char)alt[0].Name[0] : -1);
  }
  return codes;
}

// Every terminal string of at most maxLength characters that the nonterminal derives, found
// as the least fixed point over all rules (terminal names are their characters, empty and
// action elements add nothing).
inline std::set<std::string> DerivedStrings(const Engine& eng, const std::string& start,
                                            size_t maxLength) {
  std::vector<StoredNonterminal> grammar = ReadGrammar(eng);
  std::map<std::string, std::set<std::string>> lang;
  for (bool changed = true; changed;) {
    changed = false;
    for (const StoredNonterminal& n : grammar) {
      for (const StoredAlternative& alt : n.Alternatives) {
        std::set<std::string> partial{""};
        for (const StoredElement& e : alt) {
          std::set<std::string> next;
          if (e.Kind == KindNonterminal) {
            for (const std::string& p : partial)
              for (const std::string& s : lang[e.Name])
                if (p.size() + s.size() <= maxLength) next.insert(p + s);
          } else {
            std::string add = e.Kind == KindTerminal ? e.Name : std::string();
            for (const std::string& p : partial)
              if (p.size() + add.size() <= maxLength) next.insert(p + add);
          }
          partial.swap(next);
        }
        for (const std::string& s : partial) changed = lang[n.Name].insert(s).second || changed;
      }
    }
  }
  return lang[start];
}

// Every string over the alphabet of at most maxLength characters.
inline std::vector<std::string> AllStrings(const std::string& alphabet, size_t maxLength) {
  std::vector<std::string> all{""};
  for (size_t from = 0; from < all.size(); ++from)
    if (all[from].size() < maxLength)
      for (char c : alphabet) all.push_back(all[from] + c);
  return all;
}

// A call sequence and the whole grammar chain it leaves, one DumpRules line per nonterminal.
struct RulesCase {
  const char* what;
  const char* script;
  std::vector<std::string> rules;
};

template <size_t N>
void ExpectRules(const RulesCase (&cases)[N]) {
  for (const RulesCase& c : cases) {
    SCOPED_TRACE(c.what);
    Engine eng;
    StartReading(eng);
    RunScript(eng, c.script);
    EXPECT_EQ(DumpRules(eng), c.rules) << c.script;
    EXPECT_EQ(eng.builder.GroupStack, 0) << "every group closed";
  }
}

// Every string that S derives up to maxLength matches the pattern, and every string over the
// alphabet up to maxLength that matches it is derived.
inline void ExpectLanguage(const char* script, const char* pattern, const std::string& alphabet,
                    size_t maxLength) {
  Engine eng;
  StartReading(eng);
  RunScript(eng, script);
  std::set<std::string> derived = DerivedStrings(eng, "S", maxLength);
  std::regex re(pattern);
  for (const std::string& s : derived)
    EXPECT_TRUE(std::regex_match(s, re)) << "derived but not meant: \"" << s << "\"";
  for (const std::string& s : AllStrings(alphabet, maxLength))
    if (std::regex_match(s, re)) EXPECT_TRUE(derived.count(s)) << "meant but not derived: \"" << s << "\"";
}

}  // namespace mv::test
