#pragma once
// A fresh engine in a temporary work folder, grammars written as short texts and built through
// the builder entries, and the analysis steps in the order the GUI runs them.
//
// Grammar text: rules separated by ";", "Head = alt | alt"; the symbols of an alternative are
// separated by blanks; a symbol that heads a rule is a nonterminal, "~" is the empty element,
// "@name" an action, anything else one terminal; "\xNN" in a symbol stands for that byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"
#include "support/work_folder.h"

namespace mv::testing {

struct TextRule {
  std::string Head;
  std::vector<std::vector<std::string>> Alternatives;
};

inline std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
      out += char(std::stoi(s.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

inline std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

inline std::vector<TextRule> ParseGrammarText(const std::string& text) {
  std::vector<TextRule> rules;
  std::stringstream all(text);
  for (std::string rule; std::getline(all, rule, ';');) {
    size_t eq = rule.find('=');
    if (eq == std::string::npos) continue;
    TextRule r;
    r.Head = Unescape(Words(rule.substr(0, eq)).at(0));
    std::stringstream alts(rule.substr(eq + 1));
    for (std::string alt; std::getline(alts, alt, '|');) {
      std::vector<std::string> symbols;
      for (const std::string& w : Words(alt)) symbols.push_back(w == "~" ? w : Unescape(w));
      r.Alternatives.push_back(symbols);
    }
    rules.push_back(r);
  }
  return rules;
}

class AnalysisFixture : public ::testing::Test {
protected:
  void SetUp() override {
    eng = std::make_unique<Engine>();
    eng->BnfParserInit(1, folder.string(), 0, 0, 0);
  }
  void TearDown() override {
    eng.reset();
  }

  void Name(const std::string& text) {
    eng->builder.BKSNAI();
    for (unsigned char c : text) eng->builder.BKSSYM(c);
  }

  // Builds the grammar of a text through the builder entries.
  void Build(const std::string& text) {
    std::vector<TextRule> rules = ParseGrammarText(text);
    std::set<std::string> heads;
    for (const TextRule& r : rules) heads.insert(r.Head);
    Builder& b = eng->builder;
    b.BKSACT();
    for (const TextRule& r : rules) {
      Name(r.Head);
      b.BKSNLI();
      b.BKSGMN();
      for (const auto& alt : r.Alternatives) {
        b.BKSNL();
        for (const std::string& s : alt) {
          if (s == "~") {
            b.BKSNUL();
          } else if (s.size() > 1 && s[0] == '@') {
            Name(s.substr(1));
            b.BKSACR();
          } else {
            Name(s);
            if (heads.count(s))
              b.BKSNTM();
            else
              b.BKSTRM();
          }
        }
        b.BKSEND();
      }
    }
    eng->store.TakeGrammarName();
  }

  // Nullable and the numbering, as the GUI runs them.
  void Number() {
    eng->an.Nullable();
    eng->an.NtmNumbering();
    eng->an.TrmNumbering();
    eng->an.RulesNumbering();
  }

  // Everything up to IS-FOLLOWED-BY, keeping the texts of the matrices on the way.
  struct Texts {
    std::string EndOf, FolDirBy, BeginsWith, FollowedBy;
  };
  Texts Analyse(const std::string& grammar) {
    Build(grammar);
    return AnalyseBuilt();
  }
  Texts AnalyseBuilt() {
    Number();
    Analysis& an = eng->an;
    Texts t;
    EXPECT_EQ(an.InitMatrix(), "");
    an.IsEndOf();
    t.EndOf = an.MatrixText(Analysis::Matrix::EndOf);
    an.IsFollowedDirectlyBy();
    t.FolDirBy = an.MatrixText(Analysis::Matrix::FolDirBy);
    an.EndOf_FolDirBy_Prod();
    an.BeginsWith();
    t.BeginsWith = an.MatrixText(Analysis::Matrix::BeginsWith);
    an.IsFollowedBy();
    t.FollowedBy = an.MatrixText(Analysis::Matrix::FollowedBy);
    return t;
  }

  // The nonterminal record of a name.
  int32_t Nonterminal(const std::string& name) {
    int32_t found = 0;
    const GrammarStore& st = eng->store;
    for (int32_t a = st.Grammar.First; a >= 1;
         a = eng->mem.IVLR(NonterminalPool, a, NtmNext)) {
      if (st.NameText(eng->mem.IVLR(NonterminalPool, a, NtmNameFirst),
                      eng->mem.IVLR(NonterminalPool, a, NtmNameLast)) == name)
        found = a;
      if (a == st.Grammar.Last) break;
    }
    return found;
  }

  // Takes the index-th alternative (from 0) out of a nonterminal's chain.
  void DropAlternative(const std::string& name, int index) {
    RecordMemory& m = eng->mem;
    int32_t a = Nonterminal(name);
    int32_t first = m.IVLR(NonterminalPool, a, NtmFirstRule);
    int32_t last = m.IVLR(NonterminalPool, a, NtmLastRule);
    int32_t r = first;
    for (int i = 0; i < index; ++i) r = m.IVLR(RulePool, r, RuleNext);
    m.DetachRecord(RulePool, RuleNext, RuleBack, first, last, r);
    m.VLW(NonterminalPool, a, NtmFirstRule, first);
    m.VLW(NonterminalPool, a, NtmLastRule, last);
  }

  std::string ReadFile(const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::unique_ptr<Engine> eng;
  test_support::WorkFolder work{"analysis-test"};
  const std::filesystem::path& folder = work.Path();
};

// A matrix given row by row ("*" true, blank false) as the column-by-column text that leaves
// the engine.
inline std::string Columns(const std::vector<std::string>& rows) {
  std::string text;
  if (rows.empty()) return text;
  for (size_t j = 0; j < rows[0].size(); ++j)
    for (const std::string& row : rows) text += row.at(j);
  return text;
}

}  // namespace mv::testing
