#pragma once
// The transformations' tests: the grammar as its grammar-file listing, the analysis that corner
// substitution needs, and the strings up to a length that the grammar derives.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/grammar_walk.h"
#include "engine/support/grammar_fixture.h"

namespace mv::testing {

class TransformFixture : public EngineFixture {
protected:
  Transform& t() { return eng->trans; }

  // The grammar in the grammar-file form (actions shown), one line per alternative.
  std::string Listing() {
    const Chain g = Grammar();
    EXPECT_TRUE(out().WriteResultFile(ResultFileKind::Grammar, g.First, g.Last, "", ".g"));
    return ReadFile(TrimmedRight(eng->store.ResultBaseName) + ".g");
  }

  // Dead and unreachable nonterminals out, as the pipeline does before transforming.
  void Clean() {
    Chain dead, alive, unreachable, reachable;
    eng->extra.Alive(dead, alive);
    eng->extra.DeleteNonterminals(dead.First, dead.Last);
    eng->extra.UnReachable(unreachable, reachable);
    eng->extra.DeleteNonterminals(unreachable.First, unreachable.Last);
  }

  // Numbering, nullable marks and the relations, as corner substitution expects them.
  void Analyse() {
    Analysis& an = eng->an;
    an.NtmNumbering();
    an.TrmNumbering();
    an.RulesNumbering();
    an.Nullable();
    ASSERT_EQ(an.InitMatrix(), "");
    an.IsEndOf();
    an.IsFollowedDirectlyBy();
    an.EndOf_FolDirBy_Prod();
    an.BeginsWith();
    an.IsFollowedBy();
  }

  std::string NtmName(int32_t ntm) const {
    return eng->store.NameText(eng->mem.IVLR(NonterminalPool, ntm, NtmNameFirst),
                               eng->mem.IVLR(NonterminalPool, ntm, NtmNameLast));
  }

  // Every symbol of each alternative: nonterminals as their record (negative), terminals as
  // their name; actions and empty elements derive nothing.
  using Symbols = std::vector<std::pair<int32_t, std::string>>;
  std::map<int32_t, std::vector<Symbols>> Rules() const {
    const RecordMemory& m = eng->mem;
    std::map<int32_t, std::vector<Symbols>> rules;
    WalkGrammar(m, eng->store, [&](int32_t a) {
      auto& alts = rules[a];
      WalkAlternatives(m, a, [&](int32_t r) {
        Symbols symbols;
        WalkElements(m, r, [&](int32_t e) {
          const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
          const int32_t ref = m.IVLR(ElementPool, e, ElemReferent);
          if (kind == KindNonterminal) symbols.push_back({ref, ""});
          if (kind == KindTerminal)
            symbols.push_back({0, eng->store.NameText(m.IVLR(TerminalPool, ref, TrmNameFirst),
                                                      m.IVLR(TerminalPool, ref, TrmNameLast))});
        });
        alts.push_back(symbols);
      });
    });
    return rules;
  }

  // The strings of at most maxLength characters that the start symbol derives (terminal names
  // are one character each in these grammars): a fixed point over bounded sets, which is exact
  // because every part of such a derivation is itself at most maxLength long.
  std::set<std::string> Language(size_t maxLength) const {
    const auto rules = Rules();
    std::map<int32_t, std::set<std::string>> lang;
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [a, alts] : rules) {
        for (const Symbols& alt : alts) {
          std::set<std::string> current{""};
          for (const auto& [ntm, terminal] : alt) {
            std::set<std::string> next;
            if (ntm == 0) {
              for (const std::string& s : current)
                if (s.size() + terminal.size() <= maxLength) next.insert(s + terminal);
            } else {
              for (const std::string& s : current)
                for (const std::string& u : lang[ntm])
                  if (s.size() + u.size() <= maxLength) next.insert(s + u);
            }
            current.swap(next);
            if (current.empty()) break;
          }
          for (const std::string& s : current) changed = lang[a].insert(s).second || changed;
        }
      }
    }
    return Grammar().First >= 1 ? lang[Grammar().First] : std::set<std::string>{};
  }

  // The names of the nonterminals that are not reachable from the start symbol or derive no
  // terminal string, and of those referred to but not in the grammar.
  std::vector<std::string> Extraneous() const {
    const auto rules = Rules();
    std::set<int32_t> productive, reached;
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [a, alts] : rules) {
        if (productive.count(a)) continue;
        for (const Symbols& alt : alts) {
          bool ok = true;
          for (const auto& [ntm, terminal] : alt) ok = ok && (ntm == 0 || productive.count(ntm));
          if (ok) {
            productive.insert(a);
            changed = true;
            break;
          }
        }
      }
    }
    std::vector<int32_t> queue;
    if (Grammar().First >= 1) queue.push_back(Grammar().First);
    std::vector<std::string> bad;
    while (!queue.empty()) {
      int32_t a = queue.back();
      queue.pop_back();
      if (!reached.insert(a).second) continue;
      auto it = rules.find(a);
      if (it == rules.end()) {
        bad.push_back("undefined " + NtmName(a));
        continue;
      }
      for (const Symbols& alt : it->second)
        for (const auto& [ntm, terminal] : alt)
          if (ntm != 0) queue.push_back(ntm);
    }
    for (const auto& [a, alts] : rules) {
      if (!reached.count(a)) bad.push_back("unreachable " + NtmName(a));
      if (!productive.count(a)) bad.push_back("dead " + NtmName(a));
    }
    return bad;
  }
};

}  // namespace mv::testing
