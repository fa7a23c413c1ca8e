#include "dataaccess/field_type.h"

#include <array>

std::string_view FieldTypeName(TFieldType type) {
  static constexpr std::array<std::string_view, FieldTypeCount> names = {
      "ftUnknown",    "ftString",     "ftSmallint", "ftInteger",     "ftWord",      "ftBoolean",
      "ftFloat",      "ftCurrency",   "ftBCD",      "ftDate",        "ftTime",      "ftDateTime",
      "ftBytes",      "ftVarBytes",   "ftAutoInc",  "ftBlob",        "ftMemo",      "ftGraphic",
      "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor",    "ftFixedChar",
      "ftWideString", "ftLargeint",   "ftADT",      "ftArray",       "ftReference", "ftDataSet",
      "ftOraBlob",    "ftOraClob",    "ftVariant",  "ftInterface",   "ftIDispatch", "ftGuid",
      "ftTimeStamp",  "ftFMTBcd"};
  return type < names.size() ? names[type] : names[ftUnknown];
}
