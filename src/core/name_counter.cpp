#include "name_counter.h"

#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

namespace vantor {

std::uint32_t TVnNameCounter::Hash(std::string_view name) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>()(name));
}

std::uint32_t TVnNameCounter::CountAt(const std::string& entries, std::uint32_t offset) {
  std::uint32_t count = 0;
  std::memcpy(&count, entries.data() + offset, sizeof count);
  return count;
}

void TVnNameCounter::SetCountAt(std::uint32_t offset, std::uint32_t count) {
  std::memcpy(m_entries.data() + offset, &count, sizeof count);
}

std::string_view TVnNameCounter::NameAt(const std::string& entries, std::uint32_t offset) {
  std::uint32_t length = 0;
  std::memcpy(&length, entries.data() + offset + 4, sizeof length);
  return std::string_view(entries.data() + offset + kEntryHead, length);
}

std::size_t TVnNameCounter::FindSlot(std::string_view name, std::uint32_t hash) const {
  if (m_tags.empty())
    return kNone;
  const std::uint8_t tag = TagOf(hash);
  const std::size_t mask = m_tags.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint8_t at = m_tags[i];
    if (at == 0)
      return kNone;
    if (at == tag && m_slots[i].hash == hash && NameAt(m_entries, m_slots[i].offset) == name)
      return i;
  }
}

std::uint32_t TVnNameCounter::AppendEntry(std::string_view name, std::uint32_t count) {
  // Offsets are 32 bits: four gigabytes of living names is more than any model holds.
  if (m_entries.size() + kEntryHead + name.size() > 0xFFFFFFFFu)
    throw std::length_error("too many output names");
  const auto offset = static_cast<std::uint32_t>(m_entries.size());
  const auto length = static_cast<std::uint32_t>(name.size());
  char head[kEntryHead];
  std::memcpy(head, &count, 4);
  std::memcpy(head + 4, &length, 4);
  m_entries.append(head, kEntryHead);
  m_entries.append(name);
  m_liveBytes += kEntryHead + name.size();
  return offset;
}

void TVnNameCounter::Place(const Slot& slot) {
  const std::size_t mask = m_tags.size() - 1;
  std::size_t i = slot.hash & mask;
  while (m_tags[i] != 0)
    i = (i + 1) & mask;
  m_tags[i] = TagOf(slot.hash);
  m_slots[i] = slot;
}

bool TVnNameCounter::Add(std::string_view name) {
  const std::uint32_t hash = Hash(name);
  if (const std::size_t at = FindSlot(name, hash); at != kNone) {
    const std::uint32_t offset = m_slots[at].offset;
    SetCountAt(offset, CountAt(m_entries, offset) + 1);
    return false;
  }
  if ((m_size + 1) * 2 > m_tags.size())
    Rebuild(m_tags.empty() ? 64 : m_tags.size() * 2, false);
  // Mostly entries of removed names, or offsets about to run out: pack them away.
  const std::size_t garbage = m_entries.size() - m_liveBytes;
  if ((garbage > (std::size_t{1} << 20) && garbage > m_liveBytes) ||
      m_entries.size() + kEntryHead + name.size() > 0xFFFFFFFFu)
    Rebuild(m_tags.size(), true);
  Place(Slot{hash, AppendEntry(name, 1)});
  ++m_size;
  return true;
}

bool TVnNameCounter::Remove(std::string_view name) {
  const std::size_t at = FindSlot(name, Hash(name));
  if (at == kNone)
    return false;
  const std::uint32_t offset = m_slots[at].offset;
  const std::uint32_t count = CountAt(m_entries, offset) - 1;
  if (count > 0) {
    SetCountAt(offset, count);
    return false;
  }
  m_liveBytes -= kEntryHead + NameAt(m_entries, offset).size();
  EraseAt(at);
  return true;
}

// Backward-shift deletion: later entries of the same probe run move up, so that look-ups
// never need tombstones.
void TVnNameCounter::EraseAt(std::size_t index) {
  const std::size_t mask = m_tags.size() - 1;
  std::size_t hole = index;
  for (std::size_t i = (index + 1) & mask; m_tags[i] != 0; i = (i + 1) & mask) {
    const std::size_t home = m_slots[i].hash & mask;
    // The entry at i may move into the hole when its home is not between the hole and i.
    const bool movable = hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
    if (movable) {
      m_tags[hole] = m_tags[i];
      m_slots[hole] = m_slots[i];
      m_tags[i] = 0;
      hole = i;
    }
  }
  m_tags[hole] = 0;
  --m_size;
}

void TVnNameCounter::Rebuild(std::size_t capacity, bool pack) {
  const std::vector<std::uint8_t> oldTags = std::move(m_tags);
  const std::vector<Slot> oldSlots = std::move(m_slots);
  m_tags.assign(capacity, 0);
  m_slots.assign(capacity, Slot());
  std::string oldEntries;
  if (pack) {
    oldEntries = std::move(m_entries);
    m_entries.clear();
    m_liveBytes = 0;
  }
  for (std::size_t i = 0; i < oldTags.size(); ++i) {
    if (oldTags[i] == 0)
      continue;
    Slot slot = oldSlots[i];
    if (pack)
      slot.offset = AppendEntry(NameAt(oldEntries, slot.offset), CountAt(oldEntries, slot.offset));
    Place(slot);
  }
}

void TVnNameCounter::Clear() {
  m_tags.clear();
  m_slots.clear();
  m_entries.clear();
  m_liveBytes = 0;
  m_size = 0;
}

}  // namespace vantor
