// The bit-matrix kernels against the byte-matrix algorithm they stand for, on random matrices
// with columns of several words.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "byte_matrix.h"

namespace mv::testing {
namespace {

BitMatrix ToBits(Bytes& b, int32_t rows) {
  BitMatrix m;
  m.Reset(rows, b.cols);
  for (int32_t j = 1; j <= b.cols; ++j)
    for (int32_t i = 1; i <= b.rows; ++i)
      if (b.at(i, j) & 1) m.Set(i, j);
  return m;
}

void ExpectSame(const BitMatrix& m, Bytes& b) {
  ASSERT_EQ(m.ColCount(), b.cols);
  for (int32_t j = 1; j <= b.cols; ++j)
    for (int32_t i = 1; i <= m.RowCount(); ++i)
      ASSERT_EQ(m.Get(i, j), i <= b.rows && (b.at(i, j) & 1)) << "(" << i << ", " << j << ")";
}

Bytes Random(std::mt19937& rng, int32_t rows, int32_t cols, double density) {
  Bytes b(rows, cols);
  std::bernoulli_distribution on(density);
  for (auto& e : b.v) e = on(rng) ? 255 : 0;
  return b;
}

TEST(Kernels, EqualTheByteMatrixAlgorithm) {
  std::mt19937 rng(7);
  struct Shape {
    int32_t n, t;
    double density;
  } shapes[] = {{1, 1, 0.5}, {5, 3, 0.3}, {70, 90, 0.02}, {70, 90, 0.1}, {130, 200, 0.01},
                {64, 64, 0.05}, {65, 191, 0.03}};
  for (const Shape& sh : shapes) {
    SCOPED_TRACE(std::to_string(sh.n) + " x " + std::to_string(sh.t));
    const int32_t n = sh.n, s = sh.n + sh.t;
    // IS-END-OF style closure (N x N) and BEGINS-WITH style closure (S x N).
    for (int32_t rows : {n, s}) {
      Bytes bytes = Random(rng, rows, n, sh.density);
      BitMatrix bits = ToBits(bytes, rows);
      ByteClosure(bytes, n);
      TransitiveClosure(bits, n);
      ExpectSame(bits, bytes);
    }
    // Mode 1: N x N times S x N; mode 2: S x N times S x N into S + 1 rows.
    Bytes a1 = Random(rng, n, n, sh.density), b1 = Random(rng, s, n, sh.density), c1(s, n);
    BitMatrix bc1;
    bc1.Reset(s, n);
    MatrixProduct(ToBits(a1, n), ToBits(b1, s), bc1, s, n, 1);
    ByteProduct(a1, b1, c1, s, n, 1);
    ExpectSame(bc1, c1);
    Bytes a2 = Random(rng, s, n, sh.density), b2 = Random(rng, s, n, sh.density), c2(s, n);
    BitMatrix bc2;
    bc2.Reset(s + 1, n);
    MatrixProduct(ToBits(a2, s), ToBits(b2, s), bc2, s, n, 2);
    ByteProduct(a2, b2, c2, s, n, 2);
    ExpectSame(bc2, c2);
  }
}

// Sparse relations shaped like a grammar's direct edges: rings of several sizes, chains running
// between them, self-loops and terminal rows, so that the components are of every kind.
Bytes Structured(std::mt19937& rng, int32_t rows, int32_t n) {
  auto pick = [&](int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
  };
  Bytes b(rows, n);
  for (int32_t j = 1; j <= n;) {
    const int32_t size = std::min(n - j + 1, pick(1, 40));
    const int32_t shape = pick(0, 2);  // 0 a ring, 1 a chain, 2 a chain closed by a self-loop
    for (int32_t k = j; k + 1 < j + size; ++k) b.at(k, k + 1) = 255;
    if (shape == 0) b.at(j + size - 1, j) = 255;
    if (shape == 2) b.at(j, j) = 255;
    j += size;
  }
  for (int32_t e = pick(0, n); e > 0; --e) b.at(pick(1, rows), pick(1, n)) = 255;
  return b;
}

TEST(Kernels, ComponentsEqualTheByteMatrixAlgorithm) {
  std::mt19937 rng(1704);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const int32_t n = std::uniform_int_distribution<int32_t>(1, 400)(rng);
    const int32_t s = n + std::uniform_int_distribution<int32_t>(0, 300)(rng);
    // The closure over terminal rows and over nonterminal rows only.
    for (int32_t rows : {n, s}) {
      Bytes bytes = Structured(rng, rows, n);
      BitMatrix bits = ToBits(bytes, rows);
      ByteClosure(bytes, n);
      TransitiveClosure(bits, n);
      ExpectSame(bits, bytes);
    }
    // Both products along the components of A's direct edges: A* x F, and A* x (F x B) for
    // (A* x F) x B.
    Bytes direct = Structured(rng, n, n), f = Random(rng, s, n, 0.01), b = Structured(rng, s, n);
    BitMatrix closed = ToBits(direct, n);
    const ComponentOrder order = OrderComponents(closed, n);
    CloseAlong(order, closed);
    ByteClosure(direct, n);
    ByteClosure(b, n);
    ExpectSame(closed, direct);
    Bytes p(s, n), follow(s, n);
    ByteProduct(direct, f, p, s, n, 1);
    ByteProduct(p, b, follow, s, n, 2);
    BitMatrix bitsP;
    bitsP.Reset(s, n);
    ProductAlong(order, ToBits(f, s), bitsP);
    ExpectSame(bitsP, p);
    BitMatrix right, bitsFollow;
    right.Reset(s + 1, n);
    bitsFollow.Reset(s + 1, n);
    MatrixProduct(ToBits(f, s), ToBits(b, s), right, s, n, 2);
    ProductAlong(order, right, bitsFollow);
    Bytes widened(s + 1, n);
    for (int32_t k = 1; k <= n; ++k)
      for (int32_t i = 1; i <= s; ++i) widened.at(i, k) = follow.at(i, k);
    ExpectSame(bitsFollow, widened);
  }
}

// A grammar with nonterminals but no symbol rows at all (found by fuzzing): the product has
// no column storage and building along the components must leave it alone.
TEST(Kernels, ProductAlongAMatrixWithNoRows) {
  Bytes direct(3, 3);
  direct.at(1, 2) = 255;
  direct.at(2, 1) = 255;
  BitMatrix closed = ToBits(direct, 3);
  const ComponentOrder order = OrderComponents(closed, 3);
  BitMatrix right, product;
  right.Reset(0, 3);
  product.Reset(0, 3);
  ProductAlong(order, right, product);
  EXPECT_EQ(product.RowCount(), 0);
  EXPECT_EQ(product.ColCount(), 3);
}

// A walk over a range of rows reads exactly the set rows in it, across word boundaries.
TEST(Kernels, RowRangeWalk) {
  std::mt19937 rng(5);
  Bytes bytes = Random(rng, 300, 3, 0.3);
  const BitMatrix bits = ToBits(bytes, 300);
  const int32_t ranges[][2] = {{1, 300}, {0, 400}, {64, 64}, {65, 128}, {63, 129}, {200, 199},
                               {257, 300}, {1, 1}, {300, 300}};
  for (const auto& r : ranges)
    for (int32_t j = 1; j <= 3; ++j) {
      std::vector<int32_t> got, want;
      bits.ForEachInRows(j, r[0], r[1], [&](int32_t i) { got.push_back(i); });
      for (int32_t i = std::max(r[0], 1); i <= std::min(r[1], 300); ++i)
        if (bytes.at(i, j)) want.push_back(i);
      EXPECT_EQ(got, want) << r[0] << ".." << r[1] << " column " << j;
    }
}

}  // namespace
}  // namespace mv::testing
