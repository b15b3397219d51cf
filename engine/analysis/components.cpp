// Closures and products along the strongly connected components of a relation's direct
// edges. Every nonterminal of one component ends up with the same closed column, so a column is
// built once per component from its members' own columns and the columns of the components it
// draws from; the work follows the direct edges instead of every bit of the closed matrix.

#include <algorithm>
#include <cstring>

#include "analysis/analysis.h"

namespace mv {

ComponentOrder OrderComponents(const BitMatrix& m, int32_t n) {
  ComponentOrder g;
  n = std::max(0, std::min(n, m.ColCount()));
  g.N = n;
  const int32_t rows = std::min(n, m.RowCount());
  // The edges into each nonterminal: the nonterminal rows of its column, itself left out.
  std::vector<int32_t> start(size_t(n) + 2, 0), edges;
  for (int32_t j = 1; j <= n; ++j) {
    start[size_t(j)] = int32_t(edges.size());
    m.ForEachInRows(j, 1, rows, [&](int32_t k) {
      if (k != j) edges.push_back(k);
    });
  }
  start[size_t(n) + 1] = int32_t(edges.size());

  // Tarjan's algorithm without recursion: a component is complete only after every component
  // it draws from, so components come out in the order they are to be built.
  std::vector<int32_t> index(size_t(n) + 1, 0), low(size_t(n) + 1, 0), next(size_t(n) + 1, 0);
  std::vector<int32_t> component(size_t(n) + 1, -1), open, calls;
  int32_t counter = 0;
  auto visit = [&](int32_t v) {
    index[size_t(v)] = low[size_t(v)] = ++counter;
    next[size_t(v)] = start[size_t(v)];
    open.push_back(v);
    calls.push_back(v);
  };
  for (int32_t root = 1; root <= n; ++root) {
    if (index[size_t(root)]) continue;
    visit(root);
    while (!calls.empty()) {
      const int32_t v = calls.back();
      if (next[size_t(v)] < start[size_t(v) + 1]) {
        const int32_t w = edges[size_t(next[size_t(v)]++)];
        if (!index[size_t(w)]) visit(w);
        else if (component[size_t(w)] < 0) low[size_t(v)] = std::min(low[size_t(v)], index[size_t(w)]);
        continue;
      }
      calls.pop_back();
      if (!calls.empty()) {
        int32_t& up = low[size_t(calls.back())];
        up = std::min(up, low[size_t(v)]);
      }
      if (low[size_t(v)] != index[size_t(v)]) continue;
      const int32_t c = int32_t(g.MemberStart.size());
      g.MemberStart.push_back(int32_t(g.Members.size()));
      int32_t w = 0;
      do {
        w = open.back();
        open.pop_back();
        component[size_t(w)] = c;
        g.Members.push_back(w);
      } while (w != v);
    }
  }
  const int32_t components = int32_t(g.MemberStart.size());
  g.MemberStart.push_back(int32_t(g.Members.size()));

  // The distinct earlier components whose columns each component takes in.
  std::vector<int32_t> seen(size_t(components), -1);
  g.SourceStart.reserve(size_t(components) + 1);
  for (int32_t c = 0; c < components; ++c) {
    g.SourceStart.push_back(int32_t(g.Sources.size()));
    seen[size_t(c)] = c;
    for (int32_t p = g.MemberStart[size_t(c)]; p < g.MemberStart[size_t(c) + 1]; ++p) {
      const int32_t j = g.Members[size_t(p)];
      for (int32_t e = start[size_t(j)]; e < start[size_t(j) + 1]; ++e) {
        const int32_t from = component[size_t(edges[size_t(e)])];
        if (seen[size_t(from)] == c) continue;
        seen[size_t(from)] = c;
        g.Sources.push_back(from);
      }
    }
  }
  g.SourceStart.push_back(int32_t(g.Sources.size()));
  return g;
}

namespace {

// Builds each component's column in the first member's column of out, from the members'
// columns of in (out may be in) and the finished columns of the components it draws from, and
// copies it to the other members. addMembers sets the members' own rows (the reflexive part).
void BuildAlong(const ComponentOrder& g, const BitMatrix& in, BitMatrix& out, bool addMembers) {
  // A matrix with no rows has no column storage at all: nothing to build.
  if (out.WordsPerColumn() == 0) return;
  const int32_t words = std::min(in.WordsPerColumn(), out.WordsPerColumn());
  const int32_t outWords = out.WordsPerColumn();
  const bool trim = in.RowCount() > out.RowCount();
  std::vector<uint64_t> column(size_t(outWords), 0);
  const int32_t components = g.Components();
  for (int32_t c = 0; c < components; ++c) {
    const int32_t* member = g.Members.data() + g.MemberStart[size_t(c)];
    const int32_t* end = g.Members.data() + g.MemberStart[size_t(c) + 1];
    std::fill(column.begin(), column.end(), 0);
    for (const int32_t* j = member; j != end; ++j) OrWords(column.data(), in.Column(*j), words);
    for (int32_t s = g.SourceStart[size_t(c)]; s < g.SourceStart[size_t(c) + 1]; ++s)
      OrWords(column.data(), out.Column(g.Members[size_t(g.MemberStart[size_t(g.Sources[size_t(s)])])]),
              outWords);
    if (addMembers)
      for (const int32_t* j = member; j != end; ++j)
        if (*j <= out.RowCount()) column[size_t(*j - 1) >> 6] |= uint64_t(1) << ((*j - 1) & 63);
    for (const int32_t* j = member; j != end; ++j) {
      std::memcpy(out.Column(*j), column.data(), sizeof(uint64_t) * size_t(outWords));
      if (trim) out.TrimColumn(*j);
    }
  }
}

}  // namespace

void CloseAlong(const ComponentOrder& g, BitMatrix& m) { BuildAlong(g, m, m, true); }

void ProductAlong(const ComponentOrder& g, const BitMatrix& b, BitMatrix& c) {
  c.Reset(c.RowCount(), c.ColCount());
  BuildAlong(g, b, c, false);
}

void TransitiveClosure(BitMatrix& m, int32_t n) { CloseAlong(OrderComponents(m, n), m); }

}  // namespace mv
