#include "mysql_options.h"

namespace vantor {

const char* TVnMySQLOptions::OptionWord(TVnMySQLSelectOption option) {
  switch (option) {
  case mysoStraightJoin:
    return "STRAIGHT_JOIN";
  case mysoSQLSmallResult:
    return "SQL_SMALL_RESULT";
  case mysoSQLBigResult:
    return "SQL_BIG_RESULT";
  case mysoSQLBufferResult:
    return "SQL_BUFFER_RESULT";
  case mysoHighPriority:
    return "HIGH_PRIORITY";
  }
  return "";
}

std::string TVnMySQLOptions::OptionsScript() const {
  std::string text;
  for (TVnMySQLSelectOption option : kAllOptions)
    if (HasOption(option))
      text += std::string(OptionWord(option)) + " ";
  return text;
}

std::string TVnMySQLOptions::FilterScript() const {
  switch (m_filter) {
  case myfoDistinct:
    return "DISTINCT ";
  case myfoDistinctRow:
    return "DISTINCTROW ";
  case myfoAll:
    return "ALL ";
  default:
    return std::string();
  }
}

std::string TVnMySQLOptions::LimitScript() const {
  if (m_limitOffset > 0)
    return "LIMIT " + std::to_string(m_limitOffset) + ", " + std::to_string(m_limitRows);
  if (m_limitRows > 0)
    return "LIMIT " + std::to_string(m_limitRows);
  return std::string();
}

}  // namespace vantor
