#pragma once

#include "scanner.h"

namespace vantor {

// The MySQL tokenizer: back-quoted identifiers, backslash escapes in quoted text and the
// MySQL keyword and function vocabulary.
class TVnMySQLScanner : public TVnSQLScanner {
public:
  explicit TVnMySQLScanner(ConstructKey key) : TVnSQLScanner(key) {}

  bool IsIdentQuote(char c) const override;
  char IdentQuoteChar() const override;
  bool QuoteAliases() const override;
  bool IsStringEnd(char c, std::string_view collected, char quoteChar, char next) const override;
  std::string GetKeywords() const override;
  std::string GetFunctions() const override;
  // Backslashes are escaped as well as apostrophes, so the value reaches the server as it
  // is: C:\temp\it's -> 'C:\\temp\\it''s'.
  std::string QuoteString(std::string_view value) const override;
};

}  // namespace vantor
