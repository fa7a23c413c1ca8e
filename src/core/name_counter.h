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
// a probe walks a byte array of tags first (seven bits of the hash and whether the name is
// carried, or 0 for a free slot), small enough to stay in the cache; only a matching tag
// leads on to the slot and the entry.
// Each entry's count, length and characters lie together in one packed buffer.
//
// A name whose last item goes keeps its slot, with a count of 0: names come and go in the
// same places again and again (every new field carries the empty name until it is named),
// and a resting slot turns that into a count going up and down. Resting slots are dropped
// whenever the table is rebuilt, so they take at most the room that living names leave.
class TVnNameCounter {
public:
  // Returns true when no item carried the name before.
  bool Add(std::string_view name);
  // Returns true when the last item with this name went.
  bool Remove(std::string_view name);
  bool Contains(std::string_view name) const;
  void Clear();
  std::size_t Size() const { return m_size; }
  // Slots in the table, living, resting and free.
  std::size_t Capacity() const { return m_tags.size(); }

private:
  struct Slot {
    std::uint32_t hash = 0;    // the low half of the name's hash
    std::uint32_t offset = 0;  // where the entry starts in m_entries
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // An entry in m_entries: the count and the length (32 bits each), then the characters.
  static constexpr std::size_t kEntryHead = 8;

  static std::uint32_t Hash(std::string_view name);
  // A slot's tag: seven bits of the hash (never all 0), and the top bit for a living name.
  // 0 marks a free slot, a tag below 0x80 a resting one.
  static constexpr std::uint8_t kLiving = 0x80;
  static std::uint8_t HashBitsOf(std::uint32_t hash) {
    const auto bits = static_cast<std::uint8_t>(hash >> 25);
    return bits == 0 ? 1 : bits;
  }
  static std::uint32_t CountAt(const std::string& entries, std::uint32_t offset);
  static std::string_view NameAt(const std::string& entries, std::uint32_t offset);
  void SetCountAt(std::uint32_t offset, std::uint32_t count);
  std::size_t FindSlot(std::string_view name, std::uint32_t hash) const;
  std::uint32_t AppendEntry(std::string_view name, std::uint32_t count);
  static std::size_t EntrySize(std::string_view name) { return kEntryHead + name.size(); }
  // Places an entry in the first free slot from its home on.
  void Place(const Slot& slot);
  // Makes room for one more slot: drops the resting ones, in a table twice the size where
  // the living names need it.
  void MakeRoom();
  // Re-places the living entries in a table of this capacity, leaving the resting ones out;
  // with pack, also copies them into a fresh buffer, leaving the bytes of the others behind.
  void Rebuild(std::size_t capacity, bool pack);

  std::vector<std::uint8_t> m_tags;  // a power of two in size, at most half in use
  std::vector<Slot> m_slots;         // beside the tags, valid where the tag is not 0
  std::string m_entries;             // unused entries stay until the buffer is packed
  std::size_t m_liveBytes = 0;       // the part of m_entries that living entries take
  std::size_t m_size = 0;            // living names, with a count above 0
  std::size_t m_used = 0;            // slots taken: living and resting names
};

}  // namespace vantor
