#pragma once
// An index from a name's key to the record it names: open addressing over one array of slots,
// the keys side by side in one byte string, so that a look-up costs one hash and mostly one
// slot, and adding a name allocates nothing of its own.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

class NameKeyIndex {
public:
  // The record that key leads to, or 0.
  int32_t Find(std::string_view key) const {
    if (Slots.empty()) return 0;
    const uint64_t hash = Hash(key);
    for (size_t s = hash & Mask();; s = (s + 1) & Mask()) {
      const Slot& slot = Slots[s];
      if (slot.Record == Empty) return 0;
      if (slot.Record != Removed && slot.Hash == hash && KeyOf(slot) == key) return slot.Record;
    }
  }
  // key now leads to record, unless it leads somewhere already.
  void Add(std::string_view key, int32_t record) {
    if (record < 1 || Find(key) != 0) return;
    if ((Used + 1) * 2 > Slots.size()) Rehash(Slots.empty() ? 64 : Live * 2 + 64);
    const uint64_t hash = Hash(key);
    size_t s = hash & Mask();
    while (Slots[s].Record != Empty && Slots[s].Record != Removed) s = (s + 1) & Mask();
    if (Slots[s].Record == Empty) ++Used;
    Slots[s] = Slot{hash, Keys.size(), uint32_t(key.size()), record};
    Keys.append(key);
    ++Live;
  }
  // key leads nowhere any more (when it led to record, or to anything when record is 0).
  void Remove(std::string_view key, int32_t record = 0) {
    if (Slots.empty()) return;
    const uint64_t hash = Hash(key);
    for (size_t s = hash & Mask();; s = (s + 1) & Mask()) {
      Slot& slot = Slots[s];
      if (slot.Record == Empty) return;
      if (slot.Record != Removed && slot.Hash == hash && KeyOf(slot) == key) {
        if (record == 0 || slot.Record == record) {
          slot.Record = Removed;
          --Live;
        }
        return;
      }
    }
  }
  void Clear() {
    Slots.clear();
    Slots.shrink_to_fit();
    Keys.clear();
    Keys.shrink_to_fit();
    Used = Live = 0;
  }

private:
  static constexpr int32_t Empty = 0;
  static constexpr int32_t Removed = -1;
  struct Slot {
    uint64_t Hash = 0;
    size_t KeyAt = 0;
    uint32_t KeyLength = 0;
    int32_t Record = Empty;
  };
  static uint64_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }
  size_t Mask() const { return Slots.size() - 1; }
  std::string_view KeyOf(const Slot& slot) const {
    return std::string_view(Keys).substr(slot.KeyAt, slot.KeyLength);
  }
  // At least `wanted` slots, a power of two; removed slots and their keys are left behind.
  void Rehash(size_t wanted) {
    size_t size = 64;
    while (size < wanted) size *= 2;
    std::vector<Slot> old(size);
    old.swap(Slots);
    std::string oldKeys;
    oldKeys.swap(Keys);
    Used = Live = 0;
    for (const Slot& slot : old)
      if (slot.Record != Empty && slot.Record != Removed)
        Add(std::string_view(oldKeys).substr(slot.KeyAt, slot.KeyLength), slot.Record);
  }

  std::vector<Slot> Slots;
  std::string Keys;
  size_t Used = 0;  // slots not empty, removed ones too
  size_t Live = 0;
};

}  // namespace mv
