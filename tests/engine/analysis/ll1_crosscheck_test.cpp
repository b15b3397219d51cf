// Random small grammars built through the builder exports: the engine's select sets, clashes
// and LL(1) verdict against a plain FIRST/FOLLOW computation.
#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "analysis_fixture.h"
#include "byte_matrix.h"
#include "exports.h"

namespace mv::testing {
namespace {

constexpr int Empty = -1000;   // the empty element
constexpr int Action = -1001;  // an action element

// Symbols: 0..n-1 nonterminals, -1-t terminal t (the character 'a' + t).
struct RandomGrammar {
  int n = 0;
  std::vector<std::vector<std::vector<int>>> alts;  // per nonterminal
};

// Terminal names are single characters from "a" on, so at most 159 of them.
RandomGrammar Generate(std::mt19937& rng, int maxN = 6, int maxT = 4) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  RandomGrammar g;
  g.n = pick(1, maxN);
  const int t = pick(1, maxT);
  g.alts.resize(size_t(g.n));
  for (auto& alts : g.alts) {
    alts.resize(size_t(pick(1, 3)));
    for (auto& alt : alts) {
      int len = pick(0, 3);
      if (len == 0) alt.push_back(Empty);
      for (int k = 0; k < len; ++k) {
        int kind = pick(0, 9);
        alt.push_back(kind < 4 ? pick(0, g.n - 1) : kind < 9 ? -1 - pick(0, t - 1) : Action);
      }
    }
  }
  return g;
}

void Spell(const std::string& name) {
  BKSNAI();
  for (unsigned char c : name) {
    int32_t code = c;
    BKSSYM(&code);
  }
}

void BuildThroughExports(const RandomGrammar& g) {
  BKSACT();
  for (int i = 0; i < g.n; ++i) {
    Spell("N" + std::to_string(i));
    BKSNLI();
    BKSGMN();
    for (const auto& alt : g.alts[size_t(i)]) {
      BKSNL();
      for (int x : alt) {
        if (x == Empty) {
          BKSNUL();
        } else if (x == Action) {
          Spell("act");
          BKSACR();
        } else if (x >= 0) {
          Spell("N" + std::to_string(x));
          BKSNTM();
        } else {
          Spell(std::string(1, char('a' + (-1 - x))));
          BKSTRM();
        }
      }
      BKSEND();
    }
  }
}

// The textbook computation, keyed by the grammar's own symbols; "$" is the end marker.
struct Reference {
  std::vector<bool> nullable;
  std::vector<std::set<int>> first, follow;  // terminals as -1-t, the end marker as 1
};

Reference Compute(const RandomGrammar& g) {
  Reference ref;
  const size_t n = size_t(g.n);
  ref.nullable.assign(n, false);
  ref.first.assign(n, {});
  ref.follow.assign(n, {});
  ref.follow[0].insert(1);
  // FIRST of a tail of an alternative, and whether it can vanish.
  auto firstOf = [&](const std::vector<int>& alt, size_t from, std::set<int>& out) {
    for (size_t k = from; k < alt.size(); ++k) {
      int x = alt[k];
      if (x == Empty || x == Action) continue;
      if (x < 0) {
        out.insert(x);
        return false;
      }
      out.insert(ref.first[size_t(x)].begin(), ref.first[size_t(x)].end());
      if (!ref.nullable[size_t(x)]) return false;
    }
    return true;
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t a = 0; a < n; ++a)
      for (const auto& alt : g.alts[a]) {
        std::set<int> f = ref.first[a];
        bool vanishes = firstOf(alt, 0, f);
        if (f != ref.first[a] || (vanishes && !ref.nullable[a])) changed = true;
        ref.first[a] = f;
        ref.nullable[a] = ref.nullable[a] || vanishes;
        for (size_t k = 0; k < alt.size(); ++k) {
          if (alt[k] < 0) continue;
          std::set<int> fo = ref.follow[size_t(alt[k])];
          if (firstOf(alt, k + 1, fo)) fo.insert(ref.follow[a].begin(), ref.follow[a].end());
          if (fo != ref.follow[size_t(alt[k])]) changed = true;
          ref.follow[size_t(alt[k])] = fo;
        }
      }
  }
  return ref;
}

class CrossCheck : public AnalysisFixture {
protected:
  // A new run over the grammar, nullable marks and numbering through the exports.
  void ReadAndNumber(const RandomGrammar& g, int32_t& n, int32_t& t) {
    int32_t language = 1;
    int16_t no = 0;
    std::string dir = folder.string();
    BnfParserInit(&language, dir.data(), int32_t(dir.size()), &no, &no, &no);
    BuildThroughExports(g);
    char name[80];
    GetGrammarName(name, 80);
    int32_t head = 0, tail = 0, r = 0;
    Nullable(&head, &tail);
    NtmNumbering(&n);
    TrmNumbering(&t);
    RulesNumbering(&r);
    char message[100];
    InitMatrix(message, 100);
  }
};

// The numbering the engine is specified to use: nonterminals by first appearance in reading
// order, terminals by first occurrence in grammar order.
struct Numbers {
  std::vector<int> order;             // nonterminal indices in grammar order
  std::map<int, int> terminalIndex;   // -1-t -> 1..T
  std::vector<int32_t> symbol;        // nonterminal index -> 1..N
};

Numbers NumbersOf(const RandomGrammar& g) {
  Numbers num;
  auto meet = [&](int x) {
    if (std::find(num.order.begin(), num.order.end(), x) == num.order.end())
      num.order.push_back(x);
  };
  for (int i = 0; i < g.n; ++i) {
    meet(i);
    for (const auto& alt : g.alts[size_t(i)])
      for (int x : alt)
        if (x >= 0) meet(x);
  }
  for (int a : num.order)
    for (const auto& alt : g.alts[size_t(a)])
      for (int x : alt)
        if (x < 0 && x != Empty && x != Action && !num.terminalIndex.count(x))
          num.terminalIndex[x] = int(num.terminalIndex.size()) + 1;
  num.symbol.assign(size_t(g.n), 0);
  for (size_t k = 0; k < num.order.size(); ++k) num.symbol[size_t(num.order[k])] = int32_t(k) + 1;
  return num;
}

TEST_F(CrossCheck, SelectSetsAndVerdictAgreeWithFirstAndFollow) {
  std::mt19937 rng(20261210);
  int notLL1 = 0;
  for (int round = 0; round < 60; ++round) {
    RandomGrammar g = Generate(rng);
    SCOPED_TRACE("round " + std::to_string(round));
    int32_t n = 0, t = 0;
    ReadAndNumber(g, n, t);
    IsEndOf();
    IsFollowedDirectlyBy();
    EndOf_FolDirBy_Prod();
    BeginsWith();
    IsFollowedBy();
    int16_t verdict = 5;
    FileSetOfSelect(&verdict, ".sel", 4);

    // Rules are numbered in grammar order.
    const Numbers num = NumbersOf(g);
    const std::vector<int>& order = num.order;
    const std::map<int, int>& terminalIndex = num.terminalIndex;
    ASSERT_EQ(n, g.n);
    ASSERT_EQ(t, int32_t(terminalIndex.size()));

    Reference ref = Compute(g);
    Engine& eng = ProcessEngine();
    bool all = true;
    int rule = 0;
    int32_t record = eng.store.Grammar.First;
    for (int a : order) {
      std::vector<int32_t> expected(size_t(t) + 2, 0);
      std::set<std::pair<int32_t, int32_t>> clashes;
      for (const auto& alt : g.alts[size_t(a)]) {
        ++rule;
        std::set<int> select;
        bool vanishes = true;
        for (int x : alt) {
          if (x == Empty || x == Action) continue;
          if (x < 0) {
            select.insert(x);
            vanishes = false;
            break;
          }
          select.insert(ref.first[size_t(x)].begin(), ref.first[size_t(x)].end());
          if (!ref.nullable[size_t(x)]) {
            vanishes = false;
            break;
          }
        }
        if (vanishes) select.insert(ref.follow[size_t(a)].begin(), ref.follow[size_t(a)].end());
        for (int s : select) {
          int32_t index = s == 1 ? t + 1 : terminalIndex.at(s);
          if (expected[size_t(index)] == 0)
            expected[size_t(index)] = rule;
          else if (expected[size_t(index)] != rule)
            clashes.insert({index, rule});
        }
      }
      std::vector<int32_t> owners;
      int32_t flag = 5;
      eng.an.SelectSetOfAlternative(record, owners, flag);
      EXPECT_EQ(std::vector<int32_t>(owners.begin() + 1, owners.end() - 1),
                std::vector<int32_t>(expected.begin() + 1, expected.end()))
          << "nonterminal N" << a;
      std::set<std::pair<int32_t, int32_t>> got;
      for (const SelectCollision& c : eng.an.SelectCollisions()) got.insert({c.Index, c.Rule});
      EXPECT_EQ(got, clashes) << "nonterminal N" << a;
      EXPECT_EQ(flag, clashes.empty() ? -1 : 0);
      all = all && clashes.empty();
      record = eng.mem.IVLR(NonterminalPool, record, NtmNext);
    }
    EXPECT_EQ(verdict, all ? -1 : 0);
    notLL1 += !all;
  }
  // The rounds cover both verdicts.
  EXPECT_GT(notLL1, 5);
  EXPECT_LT(notLL1, 55);
}

// The direct relations of a numbered grammar as byte matrices.
struct ByteRelations {
  Bytes endOf, folDirBy, beginsWith;
  ByteRelations(int32_t n, int32_t s) : endOf(n, n), folDirBy(s, n), beginsWith(s, n) {}
};

ByteRelations DirectRelations(const RandomGrammar& g, const Numbers& num, const Reference& ref,
                              int32_t n, int32_t s) {
  ByteRelations r(n, s);
  // The row of an element, 0 for empty and action elements.
  auto row = [&](int x) -> int32_t {
    if (x == Empty || x == Action) return 0;
    return x >= 0 ? num.symbol[size_t(x)] : n + num.terminalIndex.at(x);
  };
  auto nullable = [&](int x) { return x >= 0 && ref.nullable[size_t(x)]; };
  for (int a = 0; a < g.n; ++a)
    for (const auto& alt : g.alts[size_t(a)]) {
      const int32_t owner = num.symbol[size_t(a)];
      for (size_t p = alt.size(); p-- > 0;) {
        const int32_t j = row(alt[p]);
        if (j == 0) continue;
        if (j > n) break;
        r.endOf.at(owner, j) = 255;
        if (!nullable(alt[p])) break;
      }
      for (size_t p = 0; p < alt.size(); ++p) {
        const int32_t x = row(alt[p]);
        if (x == 0) continue;
        r.beginsWith.at(x, owner) = 255;
        if (x > n || !nullable(alt[p])) break;
      }
      for (size_t p = 0; p + 1 < alt.size(); ++p) {
        const int32_t j = row(alt[p]);
        if (j == 0 || j > n) continue;
        for (size_t q = p + 1; q < alt.size(); ++q) {
          const int32_t x = row(alt[q]);
          if (x == 0) continue;
          r.folDirBy.at(x, j) = 255;
          if (x > n || !nullable(alt[q])) break;
        }
      }
    }
  return r;
}

// (left x right) x beginsWith, one row wider: the end marker's row is row 1 of endOf.
Bytes FollowedByReference(Bytes& left, Bytes& right, Bytes& beginsWith, Bytes& endOf, int32_t n,
                          int32_t s) {
  Bytes product(s, n), followed(s, n);
  ByteProduct(left, right, product, s, n, 1);
  ByteProduct(product, beginsWith, followed, s, n, 2);
  Bytes widened(s + 1, n);
  for (int32_t k = 1; k <= n; ++k) {
    for (int32_t i = 1; i <= s; ++i) widened.at(i, k) = followed.at(i, k);
    widened.at(s + 1, k) = endOf.at(1, k);
  }
  return widened;
}

std::string Text(const Bytes& b) {
  std::string out;
  for (uint8_t e : b.v) out += (e & 1) ? '*' : ' ';
  return out;
}

std::string Fetch(void (*get)(char*, int32_t), size_t size) {
  std::string out(size, 'x');
  get(out.data(), int32_t(size));
  return out;
}

// The four matrices as the GUI fetches them, each in its turn, against the byte-matrix
// algorithm run over the same grammar; the larger grammars take columns over several words.
TEST_F(CrossCheck, MatrixTextsAgreeWithTheByteMatrixAlgorithm) {
  std::mt19937 rng(1210);
  for (int round = 0; round < 40; ++round) {
    const bool large = round % 4 == 3;
    RandomGrammar g = large ? Generate(rng, 120, 150) : Generate(rng);
    SCOPED_TRACE("round " + std::to_string(round));
    int32_t n = 0, t = 0;
    ReadAndNumber(g, n, t);
    const Numbers num = NumbersOf(g);
    ASSERT_EQ(t, int32_t(num.terminalIndex.size()));
    const Reference ref = Compute(g);
    const int32_t s = n + t;
    ByteRelations r = DirectRelations(g, num, ref, n, s);
    ByteClosure(r.endOf, n);
    ByteClosure(r.beginsWith, n);
    const Bytes widened = FollowedByReference(r.endOf, r.folDirBy, r.beginsWith, r.endOf, n, s);

    IsEndOf();
    EXPECT_EQ(Fetch(GetIsEndOf, size_t(n) * size_t(n)), Text(r.endOf));
    IsFollowedDirectlyBy();
    EXPECT_EQ(Fetch(GetIsFolDirBy, size_t(s) * size_t(n)), Text(r.folDirBy));
    EndOf_FolDirBy_Prod();
    BeginsWith();
    EXPECT_EQ(Fetch(GetBeginsWith, size_t(s) * size_t(n)), Text(r.beginsWith));
    IsFollowedBy();
    EXPECT_EQ(Fetch(GetIsFollowedBy, size_t(s + 1) * size_t(n)), Text(widened));
  }
}

// Steps out of their turn multiply whatever the regions hold by then: the product taken after
// BEGINS-WITH has it as its right factor, and IS-FOLLOWED-BY run twice reads its own row 1 for
// the end marker the second time.
TEST_F(CrossCheck, StepsOutOfTurnAgreeWithTheByteMatrixAlgorithm) {
  std::mt19937 rng(2712);
  for (int round = 0; round < 30; ++round) {
    RandomGrammar g = round % 3 == 2 ? Generate(rng, 120, 150) : Generate(rng, 12, 6);
    SCOPED_TRACE("round " + std::to_string(round));
    int32_t n = 0, t = 0;
    ReadAndNumber(g, n, t);
    const int32_t s = n + t;
    ByteRelations r = DirectRelations(g, NumbersOf(g), Compute(g), n, s);
    ByteClosure(r.endOf, n);
    ByteClosure(r.beginsWith, n);

    IsEndOf();
    BeginsWith();
    EndOf_FolDirBy_Prod();
    IsFollowedBy();
    Bytes once = FollowedByReference(r.endOf, r.beginsWith, r.beginsWith, r.endOf, n, s);
    EXPECT_EQ(Fetch(GetIsFollowedBy, size_t(s + 1) * size_t(n)), Text(once));
    IsFollowedBy();
    Bytes twice = FollowedByReference(r.endOf, r.beginsWith, r.beginsWith, once, n, s);
    EXPECT_EQ(Fetch(GetIsFollowedBy, size_t(s + 1) * size_t(n)), Text(twice));
  }
}

}  // namespace
}  // namespace mv::testing
