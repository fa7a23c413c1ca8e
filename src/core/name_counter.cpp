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
  const std::uint8_t bits = HashBitsOf(hash);
  const std::size_t mask = m_tags.size() - 1;
  // The slot array is far larger than the tags. Fetching the home slot alongside its tag
  // overlaps the two misses of a name that is there, and readies the slot for the insert
  // that usually follows a name that is not.
  __builtin_prefetch(&m_slots[hash & mask]);
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint8_t at = m_tags[i];
    if (at == 0)
      return kNone;
    if ((at & ~kLiving) == bits && m_slots[i].hash == hash &&
        NameAt(m_entries, m_slots[i].offset) == name)
      return i;
  }
}

bool TVnNameCounter::Contains(std::string_view name) const {
  const std::size_t at = FindSlot(name, Hash(name));
  return at != kNone && (m_tags[at] & kLiving) != 0;
}

std::uint32_t TVnNameCounter::AppendEntry(std::string_view name, std::uint32_t count) {
  // Offsets are 32 bits: four gigabytes of living names is more than any model holds.
  if (m_entries.size() + EntrySize(name) > 0xFFFFFFFFu)
    throw std::length_error("too many output names");
  const auto offset = static_cast<std::uint32_t>(m_entries.size());
  const auto length = static_cast<std::uint32_t>(name.size());
  char head[kEntryHead];
  std::memcpy(head, &count, 4);
  std::memcpy(head + 4, &length, 4);
  m_entries.append(head, kEntryHead);
  m_entries.append(name);
  m_liveBytes += EntrySize(name);
  return offset;
}

void TVnNameCounter::Place(const Slot& slot) {
  const std::size_t mask = m_tags.size() - 1;
  std::size_t i = slot.hash & mask;
  while (m_tags[i] != 0)
    i = (i + 1) & mask;
  m_tags[i] = kLiving | HashBitsOf(slot.hash);
  m_slots[i] = slot;
}

bool TVnNameCounter::Add(std::string_view name) {
  const std::uint32_t hash = Hash(name);
  if (const std::size_t at = FindSlot(name, hash); at != kNone) {
    const std::uint32_t offset = m_slots[at].offset;
    const std::uint32_t count = CountAt(m_entries, offset);
    SetCountAt(offset, count + 1);
    if (count > 0)
      return false;
    m_tags[at] |= kLiving;  // a resting name comes back
    ++m_size;
    m_liveBytes += EntrySize(name);
    return true;
  }
  if ((m_used + 1) * 2 > m_tags.size())
    MakeRoom();
  // Mostly entries of removed names, or offsets about to run out: pack them away.
  const std::size_t garbage = m_entries.size() - m_liveBytes;
  if ((garbage > (std::size_t{1} << 20) && garbage > m_liveBytes) ||
      m_entries.size() + EntrySize(name) > 0xFFFFFFFFu)
    Rebuild(m_tags.size(), true);
  Place(Slot{hash, AppendEntry(name, 1)});
  ++m_used;
  ++m_size;
  return true;
}

bool TVnNameCounter::Remove(std::string_view name) {
  const std::size_t at = FindSlot(name, Hash(name));
  if (at == kNone)
    return false;
  const std::uint32_t offset = m_slots[at].offset;
  const std::uint32_t count = CountAt(m_entries, offset);
  if (count == 0)
    return false;
  SetCountAt(offset, count - 1);
  if (count > 1)
    return false;
  m_tags[at] &= static_cast<std::uint8_t>(~kLiving);  // the slot rests until the next rebuild
  --m_size;
  m_liveBytes -= EntrySize(name);
  return true;
}

void TVnNameCounter::MakeRoom() {
  if (m_tags.empty())
    Rebuild(64, false);
  else
    // Living names in at most a quarter of the slots leave half the table free once the
    // resting ones are gone; otherwise it doubles, as the living names grow.
    Rebuild((m_size + 1) * 4 <= m_tags.size() ? m_tags.size() : m_tags.size() * 2, false);
}

void TVnNameCounter::Rebuild(std::size_t capacity, bool pack) {
  const std::vector<std::uint8_t> oldTags = std::move(m_tags);
  const std::vector<Slot> oldSlots = std::move(m_slots);
  m_tags.assign(capacity, 0);
  m_slots.assign(capacity, Slot());
  m_used = 0;
  std::string oldEntries;
  if (pack) {
    oldEntries = std::move(m_entries);
    m_entries.clear();
    m_liveBytes = 0;
  }
  for (std::size_t i = 0; i < oldTags.size(); ++i) {
    if ((oldTags[i] & kLiving) == 0)
      continue;
    Slot slot = oldSlots[i];
    if (pack)
      slot.offset = AppendEntry(NameAt(oldEntries, slot.offset), CountAt(oldEntries, slot.offset));
    Place(slot);
    ++m_used;
  }
}

void TVnNameCounter::Clear() {
  m_tags.clear();
  m_slots.clear();
  m_entries.clear();
  m_liveBytes = 0;
  m_size = 0;
  m_used = 0;
}

}  // namespace vantor
