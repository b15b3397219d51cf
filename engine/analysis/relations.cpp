// The relation matrices IS-END-OF, IS-FOLLOWED-DIRECTLY-BY, their product, BEGINS-WITH and
// IS-FOLLOWED-BY over the numbered grammar.

#include <algorithm>
#include <cstring>

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"

namespace mv {

FlatGrammar Analysis::Flatten() const {
  const RecordMemory& m = Eng.mem;
  const GrammarStore& st = Eng.store;
  FlatGrammar g;
  g.N = st.Counts.N;
  g.T = st.Counts.T;
  WalkGrammar(m, st, [&](int32_t a) {
    int32_t owner = m.IVLR(NonterminalPool, a, NtmNumber);
    WalkAlternatives(m, a, [&](int32_t r) {
      FlatGrammar::Alternative alt;
      alt.Owner = owner;
      alt.First = int32_t(g.Symbols.size());
      WalkElements(m, r, [&](int32_t e) {
        int32_t kind = m.IVLR(ElementPool, e, ElemKind);
        int32_t ref = m.IVLR(ElementPool, e, ElemReferent);
        int32_t symbol = -1;
        bool nullable = false;
        if (kind == KindNonterminal) {
          int32_t j = m.IVLR(NonterminalPool, ref, NtmNumber);
          if (j >= 1 && j <= g.N) symbol = j;
          nullable = m.IVLR(NonterminalPool, ref, NtmNullable) == 1;
        } else if (kind == KindTerminal) {
          int32_t t = m.IVLR(TerminalPool, ref, TrmNumber);
          if (t >= 1 && t <= g.T) symbol = g.N + t;
        } else {
          return;  // empty and action elements are passed over everywhere
        }
        g.Symbols.push_back(symbol);
        g.Nullable.push_back(symbol >= 1 && symbol <= g.N && nullable);
      });
      alt.End = int32_t(g.Symbols.size());
      g.Alternatives.push_back(alt);
    });
  });
  return g;
}

void MatrixProduct(const BitMatrix& a, const BitMatrix& b, BitMatrix& c, int32_t s, int32_t n, int32_t mode) {
  c.Reset(c.RowCount(), c.ColCount());
  const int32_t words = std::min(b.WordsPerColumn(), c.WordsPerColumn());
  const int32_t cols = std::min({n, c.ColCount(), a.ColCount()});
  const int32_t inner = std::min(n, b.ColCount());
  for (int32_t k = 1; k <= cols; ++k) {
    uint64_t* dst = c.Column(k);
    a.ForEachInColumn(k, [&](int32_t j) {
      if (j <= inner) OrWords(dst, b.Column(j), words);
    });
  }
  // Only rows that C has are kept: B may be a row shorter or longer than C.
  if (b.RowCount() > c.RowCount())
    for (int32_t k = 1; k <= cols; ++k) c.TrimColumn(k);
  if (mode <= 1) return;
  // A terminal begins only with itself: a terminal row of the left matrix carries over.
  for (int32_t k = 1; k <= cols; ++k)
    a.ForEachInColumn(k, [&](int32_t j) {
      if (j > n && j <= s) c.Set(j, k);
    });
}

void BuildEndOf(const FlatGrammar& g, BitMatrix& m, ComponentOrder* order) {
  m.Reset(g.N, g.N);
  for (const auto& alt : g.Alternatives) {
    for (int32_t p = alt.End - 1; p >= alt.First; --p) {
      int32_t x = g.Symbols[size_t(p)];
      if (x < 1 || x > g.N) break;
      m.Set(alt.Owner, x);
      if (!g.Nullable[size_t(p)]) break;
    }
  }
  ComponentOrder components = OrderComponents(m, g.N);
  CloseAlong(components, m);
  if (order) *order = std::move(components);
}

void BuildFollowedDirectly(const FlatGrammar& g, BitMatrix& m) {
  m.Reset(g.N + g.T, g.N);
  for (const auto& alt : g.Alternatives) {
    for (int32_t p = alt.First; p + 1 < alt.End; ++p) {
      int32_t j = g.Symbols[size_t(p)];
      if (j < 1 || j > g.N) continue;
      for (int32_t q = p + 1; q < alt.End; ++q) {
        int32_t x = g.Symbols[size_t(q)];
        if (x < 1) break;
        m.Set(x, j);
        if (x > g.N || !g.Nullable[size_t(q)]) break;
      }
    }
  }
}

void BuildBeginsWith(const FlatGrammar& g, BitMatrix& m) {
  m.Reset(g.N + g.T, g.N);
  for (const auto& alt : g.Alternatives) {
    for (int32_t p = alt.First; p < alt.End; ++p) {
      int32_t x = g.Symbols[size_t(p)];
      if (x < 1) break;
      m.Set(x, alt.Owner);
      if (x > g.N || !g.Nullable[size_t(p)]) break;
    }
  }
  TransitiveClosure(m, g.N);
}

std::string Analysis::LayoutFailureMessage(int64_t total) {
  auto field8 = [](int64_t v) {
    std::string d = std::to_string(v);
    return d.size() < 8 ? std::string(8 - d.size(), ' ') + d : d;
  };
  return " Fatal error: no room of memory. Memory request:" + field8(total) + " bytes.\n" +
         "Actual memory size:" + field8(RelationSpaceSize) + " bytes.";
}

std::string Analysis::InitMatrix() {
  int64_t n = Eng.store.Counts.N;
  int64_t s = Eng.store.Counts.S;
  int64_t total = 3 * s * n + 2 * n;
  Region1.What = Region2.What = Region3.What = Holds::Nothing;
  Fits = total <= RelationSpaceSize;
  return Fits ? std::string() : LayoutFailureMessage(total);
}

void Analysis::IsEndOf() {
  if (!Fits) return;
  BuildEndOf(Flatten(), Region1.M, &EndOfOrder);
  Region1.What = Holds::EndOf;
}

void Analysis::IsFollowedDirectlyBy() {
  if (!Fits) return;
  BuildFollowedDirectly(Flatten(), Region2.M);
  Region2.What = Holds::FolDirBy;
}

void Analysis::EndOf_FolDirBy_Prod() {
  if (!Fits) return;
  int32_t n = Eng.store.Counts.N, s = Eng.store.Counts.S;
  Region3.M.Reset(s, n);
  ProductAlongEndOf = Region1.What == Holds::EndOf && EndOfOrder.N == n && Region1.M.RowCount() == n &&
                      Region1.M.ColCount() == n && Region2.M.ColCount() == n;
  if (ProductAlongEndOf) {
    ProductAlong(EndOfOrder, Region2.M, Region3.M);
    ProductOrder = EndOfOrder;
    ProductRight = Region2.M;
  } else {
    MatrixProduct(Region1.M, Region2.M, Region3.M, s, n, 1);
  }
  Region3.What = Holds::Product;
}

void Analysis::BeginsWith() {
  if (!Fits) return;
  BuildBeginsWith(Flatten(), Region2.M);
  Region2.What = Holds::BeginsWith;
}

void Analysis::IsFollowedBy() {
  if (!Fits) return;
  int32_t n = Eng.store.Counts.N, s = Eng.store.Counts.S;
  SPlus1 = s + 1;
  // The end marker follows whatever can end the start symbol: row 1 of IS-END-OF.
  EndVector.assign(size_t(n) + 1, 0);
  for (int32_t k = 1; k <= n; ++k) EndVector[size_t(k)] = Region1.M.Get(1, k);
  // The product is built one row wider, so widening it only fills the end-marker row.
  BitMatrix follow;
  follow.Reset(s + 1, n);
  if (Region3.What == Holds::Product && ProductAlongEndOf && Region3.M.RowCount() == s &&
      ProductRight.RowCount() == s && ProductOrder.N == n) {
    // The product's left factor is END-OF's closure: multiply the sparse right factor first.
    BitMatrix right;
    right.Reset(s + 1, n);
    MatrixProduct(ProductRight, Region2.M, right, s, n, 2);
    ProductAlong(ProductOrder, right, follow);
  } else {
    MatrixProduct(Region3.M, Region2.M, follow, s, n, 2);
  }
  for (int32_t k = 1; k <= n; ++k)
    if (EndVector[size_t(k)]) follow.Set(s + 1, k);
  Region1.M = std::move(follow);
  Region1.What = Holds::FollowedBy;
}

bool Analysis::BeginsWithHolds(int32_t i, int32_t j) const {
  return Region2.What == Holds::BeginsWith && Region2.M.Get(i, j);
}

bool Analysis::FollowedByHolds(int32_t i, int32_t j) const {
  return Region1.What == Holds::FollowedBy && Region1.M.Get(i, j);
}

// The region that a Get export reads and the number of rows it reads it with.
const Analysis::Region* Analysis::RegionOf(Matrix m, int32_t& rows) const {
  int32_t n = Eng.store.Counts.N, s = Eng.store.Counts.S;
  switch (m) {
    case Matrix::EndOf:
      rows = n;
      return &Region1;
    case Matrix::FolDirBy:
      rows = s;
      return &Region2;
    case Matrix::BeginsWith:
      rows = s;
      return &Region2;
    case Matrix::FollowedBy:
      rows = s + 1;
      return &Region1;
  }
  rows = 0;
  return nullptr;
}

int64_t Analysis::MatrixTextSize(Matrix m) const {
  int32_t rows = 0;
  RegionOf(m, rows);
  int64_t n = Eng.store.Counts.N;
  return rows > 0 && n > 0 ? int64_t(rows) * n : 0;
}

bool Analysis::MatrixText(Matrix m, char* buffer, int64_t capacity) const {
  if (!Fits) return false;
  int32_t rows = 0;
  const Region* region = RegionOf(m, rows);
  int64_t size = MatrixTextSize(m);
  if (size > capacity || (size > 0 && !buffer)) return false;
  if (size == 0) return true;
  const BitMatrix& bits = region->M;
  if (region->What != Holds::Nothing && bits.RowCount() == rows) {
    int32_t n = Eng.store.Counts.N;
    for (int32_t j = 1; j <= n; ++j) {
      char* col = buffer + int64_t(j - 1) * rows;
      std::memset(col, ' ', size_t(rows));
      bits.ForEachInColumn(j, [&](int32_t i) { col[i - 1] = '*'; });
    }
    return true;
  }
  // The region holds a matrix of another shape (a Get outside its turn): the bytes are read
  // in the region's own column order, as one array would show them.
  int32_t have = region->What == Holds::Nothing ? 0 : bits.RowCount();
  int64_t held = int64_t(have) * bits.ColCount();
  for (int64_t p = 0; p < size; ++p) {
    bool on = p < held && bits.Get(int32_t(p % have) + 1, int32_t(p / have) + 1);
    buffer[p] = on ? '*' : ' ';
  }
  return true;
}

std::string Analysis::MatrixText(Matrix m) const {
  std::string text(size_t(MatrixTextSize(m)), ' ');
  if (!MatrixText(m, text.data(), int64_t(text.size()))) return std::string();
  return text;
}

}  // namespace mv
