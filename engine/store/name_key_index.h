#pragma once
// An index from a name's key to the record it names: open addressing over one array of small
// slots, the keys (each with its record and length) side by side in one byte string, so that a
// look-up costs one hash and mostly one slot, and adding a name allocates nothing of its own.
// The hash runs over the key byte by byte, so that a name being spelled can carry its hash
// along (Step) and never hash again.

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/large_array.h"

namespace mv {

class NameKeyIndex {
public:
  // The hash of a key: Seed, Step over every byte, then Finish.
  static constexpr uint64_t Seed = 0xcbf29ce484222325u;
  static uint64_t Step(uint64_t h, unsigned char byte) { return (h ^ byte) * 0x100000001b3u; }
  static uint64_t Finish(uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdu;
    h ^= h >> 33;
    return h;
  }
  static uint64_t Hash(std::string_view key) {
    uint64_t h = Seed;
    for (unsigned char c : key) h = Step(h, c);
    return Finish(h);
  }

  // Where a key was looked for: the record it leads to (0 for none), and the slot that holds
  // it or that a new record for the key would take.
  struct Spot {
    int32_t Record = 0;
    size_t Slot = 0;
  };
  // One probe sequence for both finding and adding.
  Spot Seek(std::string_view key, uint64_t hash) const {
    Spot spot;
    if (Slots.empty()) return spot;
    const uint32_t tag = Tag(hash);
    bool vacancy = false;
    for (size_t s = tag & Mask();; s = (s + 1) & Mask()) {
      const Slot& slot = Slots[s];
      if (slot.At == Empty) {
        if (!vacancy) spot.Slot = s;
        return spot;
      }
      if (slot.At == Removed) {
        if (!vacancy) spot.Slot = s;
        vacancy = true;
        continue;
      }
      if (slot.Tag == tag) {
        const Entry entry = EntryOf(slot);
        if (entry.Key == key) {
          spot.Record = entry.Record;
          spot.Slot = s;
          return spot;
        }
      }
    }
  }
  // key now leads to record, in the slot that Seek gave while key led nowhere (the index not
  // changed since).
  void Insert(const Spot& spot, std::string_view key, uint64_t hash, int32_t record) {
    if (record < 1) return;
    // Removed keys keep their entries until the key space runs short; the slots stay where
    // they are, so spot holds.
    if (Keys.size() + HeaderBytes + key.size() > KeyRoom) [[unlikely]] {
      DropRemovedEntries();
      if (Keys.size() + HeaderBytes + key.size() > KeyRoom) throw std::length_error("name index full");
    }
    const Slot slot{Tag(hash), uint32_t(Keys.size() + 1)};
    if (Slots.empty() || (Used + 1) * 2 > Slots.size()) {
      Rehash(Slots.empty() ? 64 : Live * 2 + 64);
      Place(slot);
    } else {
      if (Slots[spot.Slot].At == Empty) ++Used;
      Slots[spot.Slot] = slot;
      ++Live;
    }
    const uint32_t length = uint32_t(key.size());
    char header[HeaderBytes];
    std::memcpy(header, &record, sizeof record);
    std::memcpy(header + sizeof record, &length, sizeof length);
    Keys.append(header, HeaderBytes);
    Keys.append(key);
  }
  bool IsEmpty() const { return Live == 0; }
  // The most bytes of entries the index holds; tests set a small one.
  void SetKeyRoom(size_t bytes) { KeyRoom = bytes < MaxKeyRoom ? bytes : MaxKeyRoom; }
  // Asks for the slot where a look-up of the hash begins.
  void Prefetch(uint64_t hash) const {
    if (!Slots.empty()) __builtin_prefetch(&Slots[Tag(hash) & Mask()]);
  }

  // The record that key leads to, or 0.
  int32_t Find(std::string_view key) const { return Find(key, Hash(key)); }
  int32_t Find(std::string_view key, uint64_t hash) const { return Seek(key, hash).Record; }
  // key now leads to record, unless it leads somewhere already.
  void Add(std::string_view key, int32_t record) { Add(key, Hash(key), record); }
  void Add(std::string_view key, uint64_t hash, int32_t record) {
    if (record < 1) return;
    const Spot spot = Seek(key, hash);
    if (spot.Record == 0) Insert(spot, key, hash, record);
  }
  // key leads nowhere any more (when it led to record, or to anything when record is 0).
  void Remove(std::string_view key, int32_t record = 0) {
    const Spot spot = Seek(key, Hash(key));
    if (spot.Record == 0 || (record != 0 && spot.Record != record)) return;
    Slots[spot.Slot].At = Removed;
    --Live;
  }
  // Empties the index. The slots and key space that names filled well are kept, cleared, for
  // the next run: the same grammar read again fills them, and clearing them costs far less than
  // fresh pages from the system. After a run that filled them little they go.
  void Clear() {
    Keys.clear();
    if (!Slots.empty() && Live * 8 >= Slots.size()) {
      std::memset(static_cast<void*>(Slots.begin()), 0, Slots.size() * sizeof(Slot));
    } else {
      Slots = LargeArray<Slot>();
      Keys.shrink_to_fit();
    }
    Used = Live = 0;
  }

private:
  static constexpr uint32_t Empty = 0;
  static constexpr uint32_t Removed = ~uint32_t(0);
  // 8 bytes, so that the array that look-ups reach at random stays small: the hash folded to
  // 32 bits places the slot (a table never has 2^32 slots), puts it back in place when the
  // array grows and tells most keys apart without reading them; At is where the key's entry
  // begins in Keys, plus one. An entry is the record, the key's length and the key, so that
  // the one read that checks the key also gives the record.
  struct Slot {
    uint32_t Tag = 0;
    uint32_t At = Empty;
  };
  static constexpr size_t HeaderBytes = 2 * sizeof(uint32_t);
  struct Entry {
    int32_t Record;
    std::string_view Key;
  };
  static uint32_t Tag(uint64_t hash) { return uint32_t(hash ^ (hash >> 32)); }
  size_t Mask() const { return Slots.size() - 1; }
  Entry EntryOf(const Slot& slot) const {
    const char* at = Keys.data() + (slot.At - 1);
    Entry entry;
    uint32_t length = 0;
    std::memcpy(&entry.Record, at, sizeof entry.Record);
    std::memcpy(&length, at + sizeof entry.Record, sizeof length);
    entry.Key = std::string_view(at + HeaderBytes, length);
    return entry;
  }
  void DropRemovedEntries() {
    std::string kept;
    kept.reserve(Keys.size() / 2);
    for (Slot& slot : Slots) {
      if (slot.At == Empty || slot.At == Removed) continue;
      const size_t bytes = HeaderBytes + EntryOf(slot).Key.size();
      const uint32_t at = uint32_t(kept.size() + 1);
      kept.append(Keys, slot.At - 1, bytes);
      slot.At = at;
    }
    Keys.swap(kept);
  }
  void Place(const Slot& slot) {
    size_t s = slot.Tag & Mask();
    while (Slots[s].At != Empty && Slots[s].At != Removed) s = (s + 1) & Mask();
    if (Slots[s].At == Empty) ++Used;
    Slots[s] = slot;
    ++Live;
  }
  // At least `wanted` slots, a power of two; removed slots are left behind. The keys stay
  // where they are and are not hashed again.
  void Rehash(size_t wanted) {
    size_t size = 64;
    while (size < wanted) size *= 2;
    LargeArray<Slot> old(size);
    old.swap(Slots);
    Used = Live = 0;
    for (const Slot& slot : old)
      if (slot.At != Empty && slot.At != Removed) Place(slot);
  }

  LargeArray<Slot> Slots;
  // An entry's start plus one stays below Removed.
  static constexpr size_t MaxKeyRoom = Removed - 1;
  std::string Keys;
  size_t KeyRoom = MaxKeyRoom;
  size_t Used = 0;  // slots not empty, removed ones too
  size_t Live = 0;
};

}  // namespace mv
