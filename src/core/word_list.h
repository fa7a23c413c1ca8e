#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A sorted list of words with case-insensitive look-up: the scanner's keyword, function
// and operator lists and the model's aggregate list. Whatever a caller assigns, the list
// stays sorted, so membership is always a binary search. Duplicates are kept (the MySQL
// function list names LOCATE twice) and do not disturb the search.
class TVnWordList {
public:
  TVnWordList() = default;

  void Clear();
  void Add(std::string word);
  void SetCommaText(std::string_view text);
  void SetWords(std::vector<std::string> words);

  // Case-insensitive membership.
  bool Contains(std::string_view word) const;

  int Count() const { return static_cast<int>(m_words.size()); }
  const std::string& operator[](int index) const;
  const std::vector<std::string>& Words() const { return m_words; }
  std::string CommaText() const;

  bool operator==(const TVnWordList& other) const;

private:
  void Sort();

  std::vector<std::string> m_words;
  // Open-addressing table of indices into m_words, hashed ignoring letter case, so that a
  // look-up neither copies nor allocates: the tokenizer asks for every word it reads.
  void Rehash();
  static std::size_t HashText(std::string_view word);
  std::vector<int> m_slots;  // -1: free
  std::size_t m_longest = 0; // no longer word can be in the list
  // By length (the last entry for all longer ones), one bit for each first character a word
  // of that length begins with: most tokens the scanner asks about are turned away here
  // without hashing them (in the lists as loaded, no keyword is one letter long and no
  // operator begins with a letter).
  static constexpr std::size_t kFilterLengths = 32;
  static std::uint64_t FilterBit(std::string_view word);
  static std::size_t FilterLength(std::string_view word);
  std::array<std::uint64_t, kFilterLengths> m_filter{};
};

}  // namespace vantor
