#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Counts how many items carry each name: a multiset of strings in one flat table with
// linear probing, so that a look-up costs one memory access in the common case. The model
// asks it for every output name it hands out, on select lists of hundreds of thousands of
// items, where a node-based map spends its time in cache misses.
class TVnNameCounter {
public:
  void Add(std::string_view name);
  // Returns true when the last item with this name went.
  bool Remove(std::string_view name);
  bool Contains(std::string_view name) const { return FindSlot(name, Hash(name)) != kNone; }
  void Clear();
  std::size_t Size() const { return m_size; }

private:
  // Probing reads only these small records; a name is compared on a matching hash only.
  struct Slot {
    std::uint32_t hash = 0;   // the low half of the name's hash
    std::uint32_t count = 0;  // 0: the slot is free
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  static std::uint32_t Hash(std::string_view name);
  std::size_t FindSlot(std::string_view name, std::uint32_t hash) const;
  void Grow();
  void EraseAt(std::size_t index);

  std::vector<Slot> m_slots;  // a power of two in size, at most half full
  std::vector<std::string> m_names;  // parallel to m_slots
  std::size_t m_size = 0;
};

}  // namespace vantor
