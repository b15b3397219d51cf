#pragma once
// The relation space's byte-matrix algorithm, as the reference that the bit matrices must match.

#include <cstdint>
#include <vector>

namespace mv::testing {

// A byte matrix stored column by column, positions from 1, as the relation space holds it.
struct Bytes {
  int32_t rows = 0, cols = 0;
  std::vector<uint8_t> v;
  Bytes(int32_t r, int32_t c) : rows(r), cols(c), v(size_t(r) * size_t(c), 0) {}
  uint8_t& at(int32_t i, int32_t j) { return v[size_t(j - 1) * size_t(rows) + size_t(i - 1)]; }
};

inline void ByteClosure(Bytes& m, int32_t c) {
  for (int32_t k = 1; k <= c; ++k) {
    for (int32_t j = 1; j <= c; ++j)
      if (m.at(k, j) & 1)
        for (int32_t i = 1; i <= m.rows; ++i)
          if (m.at(i, k) & 1) m.at(i, j) = 255;
    m.at(k, k) = 255;
  }
}

inline void ByteProduct(Bytes& a, Bytes& b, Bytes& c, int32_t s, int32_t n, int32_t mode) {
  for (auto& e : c.v) e = 0;
  for (int32_t j = 1; j <= n; ++j)
    for (int32_t k = 1; k <= n; ++k)
      if (a.at(j, k) & 1)
        for (int32_t i = 1; i <= s; ++i)
          if (b.at(i, j) & 1) c.at(i, k) = 255;
  if (mode <= 1) return;
  for (int32_t j = n + 1; j <= s; ++j)
    for (int32_t k = 1; k <= n; ++k)
      if (a.at(j, k) & 1) c.at(j, k) = 255;
}

}  // namespace mv::testing
