#include "script_format.h"

#include "text_utils.h"

namespace vantor {

std::string ApplyFormatMode(std::string_view s, TVnFormatMode mode) {
  switch (mode) {
  case qfmUpperCase:
    return UpperCase(s);
  case qfmLowerCase:
    return LowerCase(s);
  case qfmFirstUpper: {
    std::string result(s);
    for (std::size_t i = 0; i < result.size(); ++i)
      result[i] = (i == 0 || result[i - 1] == '_') ? UpperChar(result[i]) : LowerChar(result[i]);
    return result;
  }
  default:
    return std::string(s);
  }
}

}  // namespace vantor
