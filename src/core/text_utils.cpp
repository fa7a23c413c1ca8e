#include "text_utils.h"

namespace vantor {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = UpperChar(c);
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = LowerChar(c);
  return result;
}

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(UpperChar(a[i]));
    const auto cb = static_cast<unsigned char>(UpperChar(b[i]));
    if (ca != cb)
      return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> items;
  if (text.empty())
    return items;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    items.emplace_back(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    if (comma == std::string_view::npos)
      break;
    start = comma + 1;
  }
  return items;
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ')
      ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ')
      ++i;
    if (i > start)
      words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

bool InCommaText(std::string_view list, std::string_view word) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    if (SameText(list.substr(0, comma), word))
      return true;
    if (comma == std::string_view::npos)
      break;
    list.remove_prefix(comma + 1);
  }
  return false;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  std::string result;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      result += ',';
    result += items[i];
  }
  return result;
}

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ')
    ++first;
  std::size_t last = text.size();
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
    --last;
  return std::string(text.substr(first, last - first));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool ContainsText(std::string_view text, std::string_view part) {
  if (part.empty())
    return true;
  if (part.size() > text.size())
    return false;
  // A first character without letter case can be looked for directly.
  if (UpperChar(part[0]) == LowerChar(part[0]) && text.find(part[0]) == std::string_view::npos)
    return false;
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
    if (SameText(text.substr(i, part.size()), part))
      return true;
  return false;
}

std::string EncloseDoubling(std::string_view text, char quote) {
  std::string result;
  result.reserve(text.size() + 2);
  result += quote;
  // Whole runs between quotes at a time: names seldom hold a quote.
  for (std::size_t at = text.find(quote); at != std::string_view::npos; at = text.find(quote)) {
    result.append(text.substr(0, at + 1));
    result += quote;
    text.remove_prefix(at + 1);
  }
  result.append(text);
  result += quote;
  return result;
}

}  // namespace vantor
