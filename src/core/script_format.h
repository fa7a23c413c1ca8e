#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

enum TVnFormatMode : std::uint8_t {
  qfmAsIs = 0,
  qfmUpperCase = 1,
  qfmLowerCase = 2,
  qfmFirstUpper = 3,  // Date_Format: upper after "_" and at the start, lower elsewhere
};

// Applies a letter-case mode to a word: ApplyFormatMode("DATE_FORMAT", qfmFirstUpper) gives
// "Date_Format", and " AND " gives " and ".
std::string ApplyFormatMode(std::string_view s, TVnFormatMode mode);

// The letter case of keywords and function names in rendered text.
class TVnScriptFormat {
public:
  TVnFormatMode KeywordsFormat() const { return m_keywordsFormat; }
  void SetKeywordsFormat(TVnFormatMode mode) { m_keywordsFormat = mode; }
  TVnFormatMode FunctionsFormat() const { return m_functionsFormat; }
  void SetFunctionsFormat(TVnFormatMode mode) { m_functionsFormat = mode; }

  void Assign(const TVnScriptFormat& source) {
    m_keywordsFormat = source.m_keywordsFormat;
    m_functionsFormat = source.m_functionsFormat;
  }

  std::string FormatKeyword(std::string_view s) const { return ApplyFormatMode(s, m_keywordsFormat); }
  std::string FormatFunction(std::string_view s) const {
    return ApplyFormatMode(s, m_functionsFormat);
  }

private:
  TVnFormatMode m_keywordsFormat = qfmAsIs;
  TVnFormatMode m_functionsFormat = qfmAsIs;
};

}  // namespace vantor
