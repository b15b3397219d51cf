#pragma once
// A Boolean matrix held column by column, one bit per element, each column padded to whole
// 64-bit words so that a column can be OR-ed into another word by word. Rows and columns are
// numbered from 1, as in the relation matrices.

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace mv {

class BitMatrix {
public:
  // Columns take whole blocks of this many words, so that word loops need no remainder.
  static constexpr int32_t WordBlock = 4;

  // Gives the matrix a shape with every element false; keeps the storage it already has.
  void Reset(int32_t rows, int32_t cols) {
    Rows = rows < 0 ? 0 : rows;
    Cols = cols < 0 ? 0 : cols;
    Words = (Rows + 64 * WordBlock - 1) / (64 * WordBlock) * WordBlock;
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
  const uint64_t* Column(int32_t j) const { return Bits.data() + size_t(j - 1) * size_t(Words); }

  // Clears the bits of column j beyond the last row (after OR-ing in a longer column).
  void TrimColumn(int32_t j) {
    if (j < 1 || j > Cols || Words == 0) return;
    uint64_t* c = Column(j);
    int32_t last = Rows == 0 ? -1 : (Rows - 1) >> 6;
    if (last >= 0 && (Rows & 63)) c[last] &= (uint64_t(1) << (Rows & 63)) - 1;
    for (int32_t w = last + 1; w < Words; ++w) c[w] = 0;
  }

  // Calls f(i) for every true row i of column j, ascending.
  template <class F>
  void ForEachInColumn(int32_t j, F&& f) const {
    ForEachInRows(j, 1, Rows, static_cast<F&&>(f));
  }
  // The same over rows first..last only: the words outside them are not read.
  template <class F>
  void ForEachInRows(int32_t j, int32_t first, int32_t last, F&& f) const {
    if (j < 1 || j > Cols) return;
    if (first < 1) first = 1;
    if (last > Rows) last = Rows;
    if (first > last) return;
    const uint64_t* c = Column(j);
    const int32_t lastWord = (last - 1) >> 6;
    for (int32_t w = (first - 1) >> 6; w <= lastWord; ++w) {
      uint64_t bits = c[w];
      if (w == (first - 1) >> 6) bits &= ~uint64_t(0) << ((first - 1) & 63);
      if (w == lastWord && (last & 63)) bits &= (uint64_t(1) << (last & 63)) - 1;
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

// dst |= src over n words, n a multiple of BitMatrix::WordBlock: the loop every kernel spends
// its time in, written for 128-bit registers.
inline void OrWords(uint64_t* dst, const uint64_t* src, int32_t n) {
  using Pair = uint64_t __attribute__((vector_size(16)));
  for (int32_t w = 0; w < n; w += 2) {
    Pair d, v;
    std::memcpy(&d, dst + w, sizeof d);
    std::memcpy(&v, src + w, sizeof v);
    d |= v;
    std::memcpy(dst + w, &d, sizeof d);
  }
}

}  // namespace mv
