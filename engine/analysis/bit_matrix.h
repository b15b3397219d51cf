#pragma once
// A Boolean matrix held column by column, one bit per element, each column padded to whole
// 64-bit words so that a column can be OR-ed into another word by word. Rows and columns are
// numbered from 1, as in the relation matrices.

#include <bit>
#include <cstdint>
#include <vector>

namespace mv {

class BitMatrix {
public:
  // Gives the matrix a shape with every element false; keeps the storage it already has.
  void Reset(int32_t rows, int32_t cols) {
    Rows = rows < 0 ? 0 : rows;
    Cols = cols < 0 ? 0 : cols;
    Words = (Rows + 63) / 64;
    Bits.assign(size_t(Words) * size_t(Cols), 0);
  }
  int32_t RowCount() const { return Rows; }
  int32_t ColCount() const { return Cols; }
  int32_t WordsPerColumn() const { return Words; }

  // Elements outside the shape read as false and are never written.
  bool Get(int32_t i, int32_t j) const {
    if (i < 1 || i > Rows || j < 1 || j > Cols) return false;
    return (Column(j)[(i - 1) >> 6] >> ((i - 1) & 63)) & 1u;
  }
  void Set(int32_t i, int32_t j) {
    if (i < 1 || i > Rows || j < 1 || j > Cols) return;
    Column(j)[(i - 1) >> 6] |= uint64_t(1) << ((i - 1) & 63);
  }

  uint64_t* Column(int32_t j) { return Bits.data() + size_t(j - 1) * size_t(Words); }
  const uint64_t* Column(int32_t j) const {
    return Bits.data() + size_t(j - 1) * size_t(Words);
  }

  // Column j |= column k of another matrix (or this one), over the rows this one has.
  void OrColumn(int32_t j, const BitMatrix& from, int32_t k) {
    if (j < 1 || j > Cols || k < 1 || k > from.Cols) return;
    uint64_t* dst = Column(j);
    const uint64_t* src = from.Column(k);
    int32_t n = Words < from.Words ? Words : from.Words;
    for (int32_t w = 0; w < n; ++w) dst[w] |= src[w];
    if (n == Words && (Rows & 63)) dst[Words - 1] &= (uint64_t(1) << (Rows & 63)) - 1;
  }

  // Calls f(i) for every true row i of column j, ascending.
  template <class F> void ForEachInColumn(int32_t j, F&& f) const {
    if (j < 1 || j > Cols) return;
    const uint64_t* c = Column(j);
    for (int32_t w = 0; w < Words; ++w) {
      uint64_t bits = c[w];
      while (bits) {
        int32_t b = std::countr_zero(bits);
        f(w * 64 + b + 1);
        bits &= bits - 1;
      }
    }
  }

private:
  int32_t Rows = 0;
  int32_t Cols = 0;
  int32_t Words = 0;
  std::vector<uint64_t> Bits;
};

}  // namespace mv
