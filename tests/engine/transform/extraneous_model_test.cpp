// Random grammars cleaned by the engine and by a plain list model of the same steps: identical
// alternatives, the alive split with pruning and the start symbol in front, the breadth-first
// reachable split. Lists, their order and the printed grammar must agree.
#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/support/grammar_fixture.h"

namespace mv::testing {
namespace {

using Alt = std::vector<std::string>;
using Names = std::vector<std::string>;

bool IsNonterminal(const std::string& e) { return e.size() > 2 && e.front() == '<'; }
std::string Referent(const std::string& e) { return e.substr(1, e.size() - 2); }
bool Has(const Names& list, const std::string& x) {
  return std::find(list.begin(), list.end(), x) != list.end();
}
void Erase(Names& list, const std::string& x) { list.erase(std::find(list.begin(), list.end(), x)); }
std::string Join(const Names& list) {
  std::string s;
  for (const std::string& x : list) s += (s.empty() ? "" : " ") + x;
  return s;
}

struct Cleaned {
  std::string dead, alive, unreachable, reachable, grammar;
  bool operator==(const Cleaned&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Cleaned& c) {
  return os << "dead [" << c.dead << "] alive [" << c.alive << "] unreachable ["
            << c.unreachable << "] reachable [" << c.reachable << "]\n" << c.grammar;
}

using Rules = std::vector<std::pair<std::string, std::vector<Alt>>>;

Cleaned Model(const Rules& rules) {
  Names order;  // nonterminals in the order of their first mention
  std::map<std::string, std::vector<Alt>> alts;
  for (const auto& [head, list] : rules) {
    if (!Has(order, head)) order.push_back(head);
    for (const Alt& alt : list) {
      for (const std::string& e : alt)
        if (IsNonterminal(e) && !Has(order, Referent(e))) order.push_back(Referent(e));
      if (std::find(alts[head].begin(), alts[head].end(), alt) == alts[head].end())
        alts[head].push_back(alt);
    }
  }
  Names work = order, alive;
  auto qualifies = [&](const Alt& alt, bool firstPass) {
    for (const std::string& e : alt)
      if (IsNonterminal(e) && (firstPass || !Has(alive, Referent(e)))) return false;
    return true;
  };
  for (bool firstPass = true, moved = true; moved && !work.empty(); firstPass = false) {
    moved = false;
    for (const std::string& m : Names(work))
      for (const Alt& alt : alts[m])
        if (qualifies(alt, firstPass)) {
          Erase(work, m);
          alive.push_back(m);
          moved = true;
          break;
        }
  }
  for (const std::string& m : alive)
    std::erase_if(alts[m], [&](const Alt& alt) { return !qualifies(alt, false); });
  if (!order.empty() && Has(alive, order[0])) {
    Erase(alive, order[0]);
    alive.insert(alive.begin(), order[0]);
  }
  Names unreachable = alive, reachable;
  if (!alive.empty()) {
    reachable.push_back(alive[0]);
    Erase(unreachable, alive[0]);
  }
  for (size_t i = 0; i < reachable.size(); ++i)
    for (const Alt& alt : alts[reachable[i]])
      for (const std::string& e : alt)
        if (IsNonterminal(e) && Has(unreachable, Referent(e))) {
          Erase(unreachable, Referent(e));
          reachable.push_back(Referent(e));
        }
  Cleaned c{Join(work), Join(alive), Join(unreachable), Join(reachable), ""};
  for (const std::string& m : reachable)
    for (size_t i = 0; i < alts[m].size(); ++i) {
      c.grammar += i == 0 ? "<" + m + ">::=" : "      |";
      for (const std::string& e : alts[m][i]) c.grammar += e;
      c.grammar += "\n";
    }
  if (c.grammar.empty()) c.grammar = "      List of rules is empty\n";
  return c;
}

class ExtraneousModelTest : public EngineFixture {
protected:
  std::string NamesOf(Chain list) {
    Names names;
    for (int32_t r = list.First; r >= 1 && names.size() < 100;
         r = eng->mem.IVLR(NonterminalPool, r, NtmNext)) {
      names.push_back(eng->store.NameText(eng->mem.IVLR(NonterminalPool, r, NtmNameFirst),
                                          eng->mem.IVLR(NonterminalPool, r, NtmNameLast)));
      if (r == list.Last) break;
    }
    return Join(names);
  }

  Cleaned Engine(const Rules& rules) {
    Start(CppProcedural);
    for (const auto& [head, alts] : rules) Rule(head, alts);
    EXPECT_TRUE(eng->store.TakeGrammarName());
    Extraneous& x = eng->extra;
    x.IdenticalRules();
    Cleaned c;
    Chain dead, alive, unreachable, reachable;
    x.Alive(dead, alive);
    c.dead = NamesOf(dead);
    c.alive = NamesOf(alive);
    x.DeleteNonterminals(dead.First, dead.Last);
    x.UnReachable(unreachable, reachable);
    c.unreachable = NamesOf(unreachable);
    c.reachable = NamesOf(reachable);
    x.DeleteNonterminals(unreachable.First, unreachable.Last);
    eng->store.Actions = {};  // only the rules are compared
    out().WriteResultFile(ResultFileKind::Grammar, Grammar().First, Grammar().Last, "", ".g");
    c.grammar = ReadFile(TrimmedRight(eng->store.ResultBaseName) + ".g");
    return c;
  }
};

// n nonterminals N0.. with up to four alternatives; `forward` of every ten references go to a
// later nonterminal, so that the alive split takes many passes over the work list.
Rules RandomRules(std::mt19937& rng, int n, unsigned forward) {
  auto name = [](int i) { return "N" + std::to_string(i); };
  Rules rules;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && rng() % 6 == 0) continue;  // referred to, never defined
    std::vector<Alt> alts;
    for (int a = 1 + int(rng() % 4); a > 0; --a) {
      Alt alt;
      if (!alts.empty() && rng() % 3 == 0) {
        alt = alts[rng() % alts.size()];
      } else {
        for (int e = 1 + int(rng() % 3); e > 0; --e) {
          const unsigned k = rng() % 10;
          const int later = i + 1 + int(rng() % 3);
          const int to = rng() % 10 < forward && later < n ? later : int(rng() % unsigned(n));
          alt.push_back(k < 4   ? "<" + name(to) + ">"
                        : k < 8 ? std::string(1, char('a' + rng() % 2))
                        : k < 9 ? std::string()
                                : std::string("`z`"));
        }
      }
      alts.push_back(alt);
    }
    rules.push_back({name(i), alts});
  }
  return rules;
}

TEST_F(ExtraneousModelTest, RandomGrammarsAgreeWithTheListModel) {
  std::mt19937 rng(12345);
  struct Shape {
    int rounds, maxN;
    unsigned forward;
  } shapes[] = {{400, 7, 0}, {60, 60, 8}, {60, 60, 4}};
  for (const Shape& shape : shapes)
    for (int round = 0; round < shape.rounds; ++round) {
      const Rules rules = RandomRules(rng, 1 + int(rng() % unsigned(shape.maxN)), shape.forward);
      const Cleaned expected = Model(rules);
      ASSERT_EQ(Engine(rules), expected) << "round " << round << " of up to " << shape.maxN;
    }
}

}  // namespace
}  // namespace mv::testing
