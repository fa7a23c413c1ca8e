#include "name_counter.h"

#include <functional>
#include <utility>

namespace vantor {

std::uint32_t TVnNameCounter::Hash(std::string_view name) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>()(name));
}

std::size_t TVnNameCounter::FindSlot(std::string_view name, std::uint32_t hash) const {
  if (m_slots.empty())
    return kNone;
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_slots[i];
    if (slot.count == 0)
      return kNone;
    if (slot.hash == hash && NameAt(slot) == name)
      return i;
  }
}

bool TVnNameCounter::Add(std::string_view name) {
  const std::uint32_t hash = Hash(name);
  if (const std::size_t at = FindSlot(name, hash); at != kNone) {
    ++m_slots[at].count;
    return false;
  }
  if ((m_size + 1) * 2 > m_slots.size())
    Rebuild(m_slots.empty() ? 64 : m_slots.size() * 2);
  else if (m_text.size() > (std::size_t{1} << 20) && m_text.size() > 8 * m_size * 16)
    Rebuild(m_slots.size());  // mostly names of removed entries: pack them away
  const std::size_t mask = m_slots.size() - 1;
  std::size_t i = hash & mask;
  while (m_slots[i].count != 0)
    i = (i + 1) & mask;
  m_slots[i] = Slot{hash, 1, static_cast<std::uint32_t>(m_text.size()),
                    static_cast<std::uint32_t>(name.size())};
  m_text.append(name);
  ++m_size;
  return true;
}

bool TVnNameCounter::Remove(std::string_view name) {
  const std::size_t at = FindSlot(name, Hash(name));
  if (at == kNone)
    return false;
  if (--m_slots[at].count > 0)
    return false;
  EraseAt(at);
  return true;
}

// Backward-shift deletion: later entries of the same probe run move up, so that look-ups
// never need tombstones.
void TVnNameCounter::EraseAt(std::size_t index) {
  const std::size_t mask = m_slots.size() - 1;
  std::size_t hole = index;
  for (std::size_t i = (index + 1) & mask; m_slots[i].count != 0; i = (i + 1) & mask) {
    const std::size_t home = m_slots[i].hash & mask;
    // The entry at i may move into the hole when its home is not between the hole and i.
    const bool movable = hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
    if (movable) {
      m_slots[hole] = m_slots[i];
      m_slots[i].count = 0;
      hole = i;
    }
  }
  m_slots[hole].count = 0;
  --m_size;
}

void TVnNameCounter::Rebuild(std::size_t capacity) {
  std::vector<Slot> oldSlots = std::move(m_slots);
  std::string oldText = std::move(m_text);
  m_slots.assign(capacity, Slot());
  m_text.clear();
  const std::size_t mask = capacity - 1;
  for (const Slot& slot : oldSlots) {
    if (slot.count == 0)
      continue;
    std::size_t i = slot.hash & mask;
    while (m_slots[i].count != 0)
      i = (i + 1) & mask;
    m_slots[i] = Slot{slot.hash, slot.count, static_cast<std::uint32_t>(m_text.size()),
                      slot.length};
    m_text.append(oldText, slot.offset, slot.length);
  }
}

void TVnNameCounter::Clear() {
  m_slots.clear();
  m_text.clear();
  m_size = 0;
}

}  // namespace vantor
