#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Letter case of ASCII letters; other bytes (UTF-8 sequences included) pass unchanged.
inline char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Case-insensitive comparison of ASCII letters: <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Splits a comma text ("A,B,C") into its items; an empty text gives no items.
std::vector<std::string> SplitCommaText(std::string_view text);
// Splits text at blanks: "NOT LIKE" gives NOT and LIKE.
std::vector<std::string> SplitWords(std::string_view text);
// Whether word is one of the items of a comma text, ignoring letter case.
bool InCommaText(std::string_view list, std::string_view word);
std::string JoinCommaText(const std::vector<std::string>& items);

std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
// Whether text contains part, ignoring the letter case of ASCII letters.
bool ContainsText(std::string_view text, std::string_view part);

// Encloses text in quote, doubling every quote inside: it's -> 'it''s'.
std::string EncloseDoubling(std::string_view text, char quote);

}  // namespace vantor
