#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Counts how many items carry each name: a multiset of strings in one flat table with
// linear probing, the names themselves packed one after another in a single buffer. The
// model asks it for every output name it hands out, on select lists of hundreds of thousands
// of items, where a node-based map (or a table of std::string) spends its time in cache
// misses.
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
    std::uint32_t hash = 0;   // the low half of the name's hash
    std::uint32_t count = 0;  // 0: the slot is free
    std::uint32_t offset = 0; // where the name starts in m_text
    std::uint32_t length = 0;
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  static std::uint32_t Hash(std::string_view name);
  std::string_view NameAt(const Slot& slot) const {
    return std::string_view(m_text).substr(slot.offset, slot.length);
  }
  std::size_t FindSlot(std::string_view name, std::uint32_t hash) const;
  // Doubles the table, and packs the names of the living entries anew.
  void Rebuild(std::size_t capacity);
  void EraseAt(std::size_t index);

  std::vector<Slot> m_slots;  // a power of two in size, at most half full
  std::string m_text;         // the names; removed ones stay until the next rebuild
  std::size_t m_size = 0;
};

}  // namespace vantor
