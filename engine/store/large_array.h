#pragma once
// Arrays of many megabytes that are reached at random: backed by large pages where the system
// grants them, so that a look-up does not also miss the address cache.

#include <sys/mman.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace mv {

inline constexpr size_t LargePageBytes = size_t(1) << 21;

// Memory aligned to a large page when it is at least one, asked to be backed by large pages.
inline void* NewLargeMemory(size_t bytes) {
  const bool large = bytes >= LargePageBytes;
  void* p = ::operator new(bytes, std::align_val_t(large ? LargePageBytes : 64));
  // Only advice; without it the memory is as good.
  if (large) madvise(p, bytes, MADV_HUGEPAGE);
  return p;
}
inline void FreeLargeMemory(void* p, size_t bytes) {
  ::operator delete(p, std::align_val_t(bytes >= LargePageBytes ? LargePageBytes : 64));
}

// A fixed number of trivially copyable elements, all bytes 0 at the start.
template <class T>
class LargeArray {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  LargeArray() = default;
  explicit LargeArray(size_t n)
      : Data(n ? static_cast<T*>(NewLargeMemory(n * sizeof(T))) : nullptr), Count(n) {
    if (n) std::memset(static_cast<void*>(Data), 0, n * sizeof(T));
  }
  LargeArray(const LargeArray&) = delete;
  LargeArray& operator=(const LargeArray&) = delete;
  LargeArray(LargeArray&& other) noexcept { swap(other); }
  LargeArray& operator=(LargeArray&& other) noexcept {
    LargeArray(std::move(other)).swap(*this);
    return *this;
  }
  ~LargeArray() {
    if (Data) FreeLargeMemory(Data, Count * sizeof(T));
  }
  void swap(LargeArray& other) noexcept {
    std::swap(Data, other.Data);
    std::swap(Count, other.Count);
  }
  T& operator[](size_t i) { return Data[i]; }
  const T& operator[](size_t i) const { return Data[i]; }
  size_t size() const { return Count; }
  bool empty() const { return Count == 0; }
  T* begin() { return Data; }
  T* end() { return Data + Count; }
  const T* begin() const { return Data; }
  const T* end() const { return Data + Count; }

private:
  T* Data = nullptr;
  size_t Count = 0;
};

}  // namespace mv
