#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Counts how many items carry each name: a multiset of strings in one flat table with
// linear probing. The model asks it for every output name it hands out, on select lists of
// hundreds of thousands of items, where a node-based map (or a table of std::string) spends
// its time in cache misses. Most of those questions are about names nobody carries yet, so
// a probe walks a byte array of tags first (seven bits of the hash, or 0 for a free slot),
// small enough to stay in the cache; only a matching tag leads on to the slot and the entry.
// Each entry's count, length and characters lie together in one packed buffer.
class TVnNameCounter {
public:
  // Returns true when no item carried the name before.
  bool Add(std::string_view name);
  // Returns true when the last item with this name went.
  bool Remove(std::string_view name);
  bool Contains(std::string_view name) const { return FindSlot(name, Hash(name)) != kNone; }
  void Clear();
  std::size_t Size() const { return m_size; }

private:
  struct Slot {
    std::uint32_t hash = 0;    // the low half of the name's hash
    std::uint32_t offset = 0;  // where the entry starts in m_entries
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // An entry in m_entries: the count and the length (32 bits each), then the characters.
  static constexpr std::size_t kEntryHead = 8;

  static std::uint32_t Hash(std::string_view name);
  static std::uint8_t TagOf(std::uint32_t hash) {
    return static_cast<std::uint8_t>(0x80 | (hash >> 25));
  }
  static std::uint32_t CountAt(const std::string& entries, std::uint32_t offset);
  static std::string_view NameAt(const std::string& entries, std::uint32_t offset);
  void SetCountAt(std::uint32_t offset, std::uint32_t count);
  std::size_t FindSlot(std::string_view name, std::uint32_t hash) const;
  std::uint32_t AppendEntry(std::string_view name, std::uint32_t count);
  // Places an entry in the first free slot from its home on.
  void Place(const Slot& slot);
  // Re-places the entries in a table of this capacity; with pack, copies the living entries
  // into a fresh buffer, leaving the removed ones behind.
  void Rebuild(std::size_t capacity, bool pack);
  void EraseAt(std::size_t index);

  std::vector<std::uint8_t> m_tags;  // a power of two in size, at most half in use
  std::vector<Slot> m_slots;         // beside the tags, valid where the tag is not 0
  std::string m_entries;             // removed entries stay until the buffer is packed
  std::size_t m_liveBytes = 0;       // the part of m_entries that living entries take
  std::size_t m_size = 0;
};

}  // namespace vantor
