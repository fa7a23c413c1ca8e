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

void TVnWordList::Add(std::string word) {
  auto at = std::upper_bound(m_words.begin(), m_words.end(), word, LessText);
  m_words.insert(at, std::move(word));
}

void TVnWordList::SetCommaText(std::string_view text) { SetWords(SplitCommaText(text)); }

void TVnWordList::SetWords(std::vector<std::string> words) {
  m_words = std::move(words);
  Sort();
}

bool TVnWordList::Contains(std::string_view word) const {
  auto at = std::lower_bound(m_words.begin(), m_words.end(), word,
                             [](const std::string& item, std::string_view key) {
                               return CompareText(item, key) < 0;
                             });
  return at != m_words.end() && CompareText(*at, word) == 0;
}

const std::string& TVnWordList::operator[](int index) const {
  if (index < 0 || index >= Count())
    throw EVnListIndexError(index);
  return m_words[static_cast<std::size_t>(index)];
}

std::string TVnWordList::CommaText() const { return JoinCommaText(m_words); }

bool TVnWordList::operator==(const TVnWordList& other) const { return m_words == other.m_words; }

void TVnWordList::Sort() { std::stable_sort(m_words.begin(), m_words.end(), LessText); }

}  // namespace vantor
