// Left factoring against a plain list model of the step as it is specified: scan the
// alternatives in order, match each against the later ones position by position, factor out
// at the first end or difference, and start the scan again. Random grammars with many shared
// prefixes; the listings must agree. As every transformation does, it takes out the new
// nonterminals that the start symbol does not reach.
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/transform/transform_fixture.h"

namespace mv::testing {
namespace {

using Alt = std::vector<std::string>;
struct ModelRule {
  std::string head;
  std::vector<Alt> alts;
};
using ModelGrammar = std::vector<ModelRule>;

// Empty elements never match, not even each other.
bool CanMatch(const std::string& e) { return !e.empty(); }

// The element's name as it goes into a new nonterminal's name.
std::string NamePart(const std::string& e) {
  std::string name = e.size() > 2 && (e.front() == '<' || e.front() == '`')
                         ? e.substr(1, e.size() - 2)
                         : e;
  std::string out;
  for (char c : name) out += c == '\'' || c == '"' ? std::string(2, c) : std::string(1, c);
  return out;
}

class Model {
public:
  explicit Model(ModelGrammar g) : G(std::move(g)) {
    for (const ModelRule& r : G) {
      Names.insert(r.head);
      for (const Alt& alt : r.alts)
        for (const std::string& e : alt)
          if (e.size() > 2 && e.front() == '<') Names.insert(e.substr(1, e.size() - 2));
    }
  }

  // Factored, and the new nonterminals that the start symbol does not reach taken out again.
  ModelGrammar Factored() {
    const size_t before = G.size();
    for (size_t a = 0; a < G.size(); ++a) Factor(a);
    std::set<std::string> reached{G[0].head};
    for (bool more = true; more;) {
      more = false;
      for (const ModelRule& r : G)
        if (reached.count(r.head))
          for (const Alt& alt : r.alts)
            for (const std::string& e : alt)
              if (e.size() > 2 && e.front() == '<')
                more = reached.insert(e.substr(1, e.size() - 2)).second || more;
    }
    ModelGrammar kept;
    for (size_t a = 0; a < G.size(); ++a)
      if (a < before || reached.count(G[a].head)) kept.push_back(G[a]);
    return kept;
  }

private:
  void Factor(size_t a) {
    for (bool restart = true; restart;) {
      restart = false;
      const std::vector<Alt> alts = G[a].alts;
      std::vector<int> depth(alts.size(), 0);
      if (alts.size() < 2) return;
      for (size_t i = 0; i + 1 < alts.size() && !restart; ++i) {
        const Alt& r = alts[i];
        if (r.empty() || !CanMatch(r[0])) continue;
        for (size_t k = 0; !restart; ++k) {
          bool matched = false;
          for (size_t j = i + 1; j < alts.size() && !restart; ++j) {
            if (depth[j] != int(k) || alts[j].empty()) continue;
            const Alt& r2 = alts[j];
            const size_t at = std::min(k, r2.size() - 1);
            if (k > 0 && at == r2.size() - 1) {
              FactorOut(a, i, k, depth), restart = true;
            } else if (CanMatch(r[k]) && r[k] == r2[at]) {
              depth[i] = depth[j] = int(k) + 1;
              matched = true;
            } else if (k > 0) {
              FactorOut(a, i, k, depth), restart = true;
            }
          }
          if (restart || !matched) break;
          if (k + 1 == r.size()) FactorOut(a, i, k + 1, depth), restart = true;
        }
      }
    }
  }

  void FactorOut(size_t a, size_t i, size_t k, const std::vector<int>& depth) {
    std::string wanted = "$" + G[a].head + "_";
    for (size_t p = 0; p < k; ++p) wanted += NamePart(G[a].alts[i][p]);
    std::string name = wanted;
    for (int n = 2; Names.count(name); ++n) name = wanted + "_" + std::to_string(n);
    Names.insert(name);
    auto rest = [&](const Alt& alt) {
      Alt tail(alt.begin() + long(std::min(k, alt.size())), alt.end());
      return tail.empty() ? Alt{""} : tail;
    };
    ModelRule fresh{name, {rest(G[a].alts[i])}};
    std::vector<Alt> kept;
    for (size_t j = 0; j < G[a].alts.size(); ++j) {
      if (j > i && depth[j] >= int(k)) {
        fresh.alts.push_back(rest(G[a].alts[j]));
        continue;
      }
      kept.push_back(G[a].alts[j]);
      if (j == i) {
        kept.back().resize(k);
        kept.back().push_back("<" + name + ">");
      }
    }
    G[a].alts = kept;
    G.push_back(fresh);
  }

  ModelGrammar G;
  std::set<std::string> Names;
};

class LeftFactoringModelTest : public TransformFixture {
protected:
  // The grammar built with its nonterminals made first, in the grammar's order.
  void Build(const ModelGrammar& g) {
    Start(CppProcedural);
    for (const ModelRule& r : g) {
      Name(r.head);
      const Chain chars = b().CurrentName.Chars;
      eng->store.FindOrAddNonterminal(chars.First, chars.Last);
    }
    for (const ModelRule& r : g) Rule(r.head, r.alts);
  }

  std::string ListingOf(const ModelGrammar& g) {
    Build(g);
    return Rules();
  }

  std::string Factored(const ModelGrammar& g) {
    Build(g);
    EXPECT_TRUE(t().LeftFactoring());
    return Rules();
  }
  // The listing of the rules only: actions of taken-out rules stay defined.
  std::string Rules() {
    eng->store.Actions = {};
    return Listing();
  }
};

ModelGrammar RandomGrammar(std::mt19937& rng, int rules, int maxAlts, int maxLength) {
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  ModelGrammar g;
  for (int i = 0; i < rules; ++i) g.push_back({"N" + std::to_string(i), {}});
  const std::vector<std::string> symbols = {"a", "b", "c", "'", "`s`", ""};
  for (ModelRule& r : g)
    for (int n = 1 + pick(maxAlts); n > 0; --n) {
      Alt alt;
      for (int len = pick(maxLength + 1); len > 0; --len)
        alt.push_back(pick(5) == 0 ? "<" + g[size_t(pick(rules))].head + ">"
                                   : symbols[size_t(pick(int(symbols.size())))]);
      if (alt.empty()) alt.push_back("");
      r.alts.push_back(alt);
    }
  return g;
}

TEST_F(LeftFactoringModelTest, RandomGrammarsAgreeWithTheListModel) {
  std::mt19937 rng(2027);
  struct Shape {
    int rounds, rules, maxAlts, maxLength;
  } shapes[] = {{300, 3, 6, 3}, {60, 4, 20, 4}, {10, 2, 300, 5}};
  for (const Shape& s : shapes)
    for (int round = 0; round < s.rounds; ++round) {
      const ModelGrammar g = RandomGrammar(rng, s.rules, s.maxAlts, s.maxLength);
      const std::string expected = ListingOf(Model(g).Factored());
      std::string raw;
      for (const ModelRule& r : g) {
        raw += r.head + ":";
        for (const Alt& alt : r.alts) {
          raw += " {";
          for (const std::string& e : alt) raw += "[" + e + "]";
          raw += "}";
        }
        raw += "\n";
      }
      ASSERT_EQ(Factored(g), expected) << "round " << round << " of " << s.maxAlts << "\n" << raw;
    }
}

}  // namespace
}  // namespace mv::testing
