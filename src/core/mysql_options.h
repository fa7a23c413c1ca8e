#pragma once

#include <cstdint>
#include <string>

namespace vantor {

enum TVnMySQLFilter : std::uint8_t {
  myfoNone = 0,
  myfoDistinct = 1,
  myfoDistinctRow = 2,
  myfoAll = 3,
};

// One bit each in TVnMySQLSelectOptions.
enum TVnMySQLSelectOption : std::uint8_t {
  mysoStraightJoin = 1,
  mysoSQLSmallResult = 2,
  mysoSQLBigResult = 4,
  mysoSQLBufferResult = 8,
  mysoHighPriority = 16,
};
using TVnMySQLSelectOptions = std::uint8_t;

// The MySQL additions to a SELECT: options, filter and LIMIT.
class TVnMySQLOptions {
public:
  // Row count of LIMIT; 0 means no LIMIT.
  int LimitRows() const { return m_limitRows; }
  void SetLimitRows(int rows) { m_limitRows = rows; }
  // Offset of LIMIT; 0 means none.
  int LimitOffset() const { return m_limitOffset; }
  void SetLimitOffset(int offset) { m_limitOffset = offset; }
  TVnMySQLSelectOptions SelectOptions() const { return m_selectOptions; }
  void SetSelectOptions(TVnMySQLSelectOptions options) { m_selectOptions = options; }
  bool HasOption(TVnMySQLSelectOption option) const { return (m_selectOptions & option) != 0; }
  TVnMySQLFilter Filter() const { return m_filter; }
  void SetFilter(TVnMySQLFilter filter) { m_filter = filter; }

  // "STRAIGHT_JOIN HIGH_PRIORITY ", "DISTINCT ", "LIMIT 20, 10": always in upper case.
  std::string OptionsScript() const;
  std::string FilterScript() const;
  std::string LimitScript() const;

  void Assign(const TVnMySQLOptions& source) { *this = source; }
  void Clear() { *this = TVnMySQLOptions(); }

  // The option word of each bit, in rendering order.
  static const char* OptionWord(TVnMySQLSelectOption option);
  static constexpr TVnMySQLSelectOption kAllOptions[] = {mysoStraightJoin, mysoSQLSmallResult,
                                                         mysoSQLBigResult, mysoSQLBufferResult,
                                                         mysoHighPriority};

private:
  int m_limitRows = 0;
  int m_limitOffset = 0;
  TVnMySQLSelectOptions m_selectOptions = 0;
  TVnMySQLFilter m_filter = myfoNone;
};

}  // namespace vantor
