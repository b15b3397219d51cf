// The bit-matrix kernels against the byte-matrix algorithm they stand for, on random matrices
// with columns of several words.
#include <gtest/gtest.h>

#include <random>
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

}  // namespace
}  // namespace mv::testing
