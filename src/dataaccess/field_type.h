#pragma once

#include <cstdint>
#include <string_view>

// The data type of a dataset field. The ordinals are fixed: the designer groups them into
// categories by value, and hosts may store them.
enum TFieldType : std::uint8_t {
  ftUnknown = 0,
  ftString = 1,
  ftSmallint = 2,
  ftInteger = 3,
  ftWord = 4,
  ftBoolean = 5,
  ftFloat = 6,
  ftCurrency = 7,
  ftBCD = 8,
  ftDate = 9,
  ftTime = 10,
  ftDateTime = 11,
  ftBytes = 12,
  ftVarBytes = 13,
  ftAutoInc = 14,
  ftBlob = 15,
  ftMemo = 16,
  ftGraphic = 17,
  ftFmtMemo = 18,
  ftParadoxOle = 19,
  ftDBaseOle = 20,
  ftTypedBinary = 21,
  ftCursor = 22,
  ftFixedChar = 23,
  ftWideString = 24,
  ftLargeint = 25,
  ftADT = 26,
  ftArray = 27,
  ftReference = 28,
  ftDataSet = 29,
  ftOraBlob = 30,
  ftOraClob = 31,
  ftVariant = 32,
  ftInterface = 33,
  ftIDispatch = 34,
  ftGuid = 35,
  ftTimeStamp = 36,
  ftFMTBcd = 37,
};

inline constexpr int FieldTypeCount = ftFMTBcd + 1;

// "ftString" for ftString; "ftUnknown" for values outside the enumeration.
std::string_view FieldTypeName(TFieldType type);
