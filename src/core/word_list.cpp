#include "word_list.h"

#include "errors.h"
#include "text_utils.h"

#include <algorithm>

namespace vantor {
namespace {

bool LessText(const std::string& a, const std::string& b) {
  const int order = CompareText(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace

void TVnWordList::Clear() {
  m_words.clear();
  m_slots.clear();
  m_longest = 0;
  m_filter.fill(0);
}

void TVnWordList::Add(std::string word) {
  auto at = std::upper_bound(m_words.begin(), m_words.end(), word, LessText);
  m_words.insert(at, std::move(word));
  Rehash();
}

void TVnWordList::SetCommaText(std::string_view text) { SetWords(SplitCommaText(text)); }

void TVnWordList::SetWords(std::vector<std::string> words) {
  m_words = std::move(words);
  Sort();
}

std::uint64_t TVnWordList::FilterBit(std::string_view word) {
  // Letters of either case share a bit; other characters may share one too, which only
  // lets a word through to the hash.
  return word.empty() ? 1
                      : std::uint64_t{1} << (static_cast<unsigned char>(UpperChar(word[0])) & 63);
}

std::size_t TVnWordList::FilterLength(std::string_view word) {
  return std::min(word.size(), kFilterLengths - 1);
}

bool TVnWordList::Contains(std::string_view word) const {
  if (word.size() > m_longest || (m_filter[FilterLength(word)] & FilterBit(word)) == 0)
    return false;
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t i = HashText(word) & mask; m_slots[i] >= 0; i = (i + 1) & mask)
    if (SameText(m_words[static_cast<std::size_t>(m_slots[i])], word))
      return true;
  return false;
}

const std::string& TVnWordList::operator[](int index) const {
  if (index < 0 || index >= Count())
    throw EVnListIndexError(index);
  return m_words[static_cast<std::size_t>(index)];
}

std::string TVnWordList::CommaText() const { return JoinCommaText(m_words); }

bool TVnWordList::operator==(const TVnWordList& other) const { return m_words == other.m_words; }

void TVnWordList::Sort() {
  std::stable_sort(m_words.begin(), m_words.end(), LessText);
  Rehash();
}

std::size_t TVnWordList::HashText(std::string_view word) {
  std::size_t hash = 14695981039346656037ull;
  for (char c : word)
    hash = (hash ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ull;
  return hash;
}

void TVnWordList::Rehash() {
  std::size_t capacity = 16;
  while (capacity < m_words.size() * 2)
    capacity *= 2;
  m_slots.assign(capacity, -1);
  m_longest = 0;
  m_filter.fill(0);
  for (const std::string& word : m_words) {
    m_longest = std::max(m_longest, word.size());
    m_filter[FilterLength(word)] |= FilterBit(word);
  }
  const std::size_t mask = capacity - 1;
  for (std::size_t w = 0; w < m_words.size(); ++w) {
    std::size_t i = HashText(m_words[w]) & mask;
    while (m_slots[i] >= 0)
      i = (i + 1) & mask;
    m_slots[i] = static_cast<int>(w);
  }
}

}  // namespace vantor
