#pragma once

#include "mysql_options.h"
#include "select_parser.h"

namespace vantor {

// The MySQL model root: the MySQL scanner, SELECT options and filter, and LIMIT.
class TVnMySelectParser : public TVnSelectParser {
public:
  explicit TVnMySelectParser(ConstructKey key) : TVnSelectParser(key) {}

  TVnMySQLOptions& MySQLOptions() { return m_mySQLOptions; }
  const TVnMySQLOptions& MySQLOptions() const { return m_mySQLOptions; }

  // DISTINCT is the filter myfoDistinct; setting it replaces any other filter.
  bool Distinct() const override;
  void SetDistinct(bool value) override;

  void Clear() override;
  std::string GetScript() override;

protected:
  std::unique_ptr<TVnSQLScanner> CreateScanner() const override;
  void ParseDistinct() override;
  void ParseTail() override;
  virtual void ParseSelectOptions();
  virtual void ParseFilter();
  std::string DecodeQuoted(std::string_view text, char quote) const override;
  bool AcceptsTailAfterConditions() const override { return true; }

private:
  // Reads a LIMIT number; false (with the error state) unless it is a 32-bit integer.
  bool ReadLimitNumber(int& value);

  TVnMySQLOptions m_mySQLOptions;
};

}  // namespace vantor
