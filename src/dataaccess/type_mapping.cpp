#include "dataaccess/type_mapping.h"

#include <mysql.h>

#include <array>

namespace {

constexpr unsigned BinaryCharset = 63;

// Text result sets describe every TEXT and BLOB size with the one code MYSQL_TYPE_BLOB (the
// size shows only in Length) and ENUM and SET as MYSQL_TYPE_STRING with a flag; the character
// set, not BINARY_FLAG, tells bytes from text, since a _bin collation sets that flag on text.
// MariaDB's JSON is LONGTEXT on the wire and so lands on the TEXT row.
constexpr std::array<TColumnTypeRule, 34> Rules{{
    // AUTO_INCREMENT first: it overrides the integer's own row. BIGINT keeps ftLargeint, as
    // ftAutoInc is a 32-bit type.
    {"TINYINT AUTO_INCREMENT", MYSQL_TYPE_TINY, TColumnTrait::AutoIncrement, ftAutoInc},
    {"SMALLINT AUTO_INCREMENT", MYSQL_TYPE_SHORT, TColumnTrait::AutoIncrement, ftAutoInc},
    {"MEDIUMINT AUTO_INCREMENT", MYSQL_TYPE_INT24, TColumnTrait::AutoIncrement, ftAutoInc},
    {"INT AUTO_INCREMENT", MYSQL_TYPE_LONG, TColumnTrait::AutoIncrement, ftAutoInc},
    {"BOOLEAN, TINYINT(1)", MYSQL_TYPE_TINY, TColumnTrait::WidthOne, ftBoolean},
    {"TINYINT", MYSQL_TYPE_TINY, TColumnTrait::Signed, ftSmallint},
    {"TINYINT UNSIGNED", MYSQL_TYPE_TINY, TColumnTrait::Unsigned, ftWord},
    {"SMALLINT", MYSQL_TYPE_SHORT, TColumnTrait::Signed, ftSmallint},
    {"SMALLINT UNSIGNED", MYSQL_TYPE_SHORT, TColumnTrait::Unsigned, ftWord},
    {"MEDIUMINT [UNSIGNED]", MYSQL_TYPE_INT24, TColumnTrait::Any, ftInteger},
    {"INT", MYSQL_TYPE_LONG, TColumnTrait::Signed, ftInteger},
    {"INT UNSIGNED", MYSQL_TYPE_LONG, TColumnTrait::Unsigned, ftLargeint},
    {"BIGINT [UNSIGNED] [AUTO_INCREMENT]", MYSQL_TYPE_LONGLONG, TColumnTrait::Any, ftLargeint},
    {"DECIMAL, NUMERIC", MYSQL_TYPE_NEWDECIMAL, TColumnTrait::Any, ftFMTBcd},
    {"DECIMAL (before MySQL 5.0)", MYSQL_TYPE_DECIMAL, TColumnTrait::Any, ftFMTBcd},
    {"FLOAT", MYSQL_TYPE_FLOAT, TColumnTrait::Any, ftFloat},
    {"DOUBLE, REAL", MYSQL_TYPE_DOUBLE, TColumnTrait::Any, ftFloat},
    {"ENUM", MYSQL_TYPE_STRING, TColumnTrait::Enum, ftString},
    {"SET", MYSQL_TYPE_STRING, TColumnTrait::Set, ftString},
    {"CHAR", MYSQL_TYPE_STRING, TColumnTrait::Text, ftFixedChar},
    {"BINARY", MYSQL_TYPE_STRING, TColumnTrait::Binary, ftBytes},
    {"VARCHAR", MYSQL_TYPE_VAR_STRING, TColumnTrait::Text, ftString},
    {"VARBINARY", MYSQL_TYPE_VAR_STRING, TColumnTrait::Binary, ftVarBytes},
    {"TINYTEXT, TEXT, MEDIUMTEXT, LONGTEXT, JSON", MYSQL_TYPE_BLOB, TColumnTrait::Text, ftMemo},
    {"TINYBLOB, BLOB, MEDIUMBLOB, LONGBLOB", MYSQL_TYPE_BLOB, TColumnTrait::Binary, ftBlob},
    {"JSON (MySQL's own type)", MYSQL_TYPE_JSON, TColumnTrait::Any, ftMemo},
    {"DATE", MYSQL_TYPE_DATE, TColumnTrait::Any, ftDate},
    {"TIME", MYSQL_TYPE_TIME, TColumnTrait::Any, ftTime},
    {"DATETIME", MYSQL_TYPE_DATETIME, TColumnTrait::Any, ftDateTime},
    {"TIMESTAMP", MYSQL_TYPE_TIMESTAMP, TColumnTrait::Any, ftTimeStamp},
    {"YEAR", MYSQL_TYPE_YEAR, TColumnTrait::Any, ftSmallint},
    {"BIT(1)", MYSQL_TYPE_BIT, TColumnTrait::WidthOne, ftBoolean},
    {"BIT(2) to BIT(64)", MYSQL_TYPE_BIT, TColumnTrait::Any, ftLargeint},
    // Well-known binary: kept apart from ftBlob so a geometry never links with a plain BLOB.
    {"GEOMETRY, POINT, LINESTRING, POLYGON, MULTIPOINT, MULTILINESTRING, MULTIPOLYGON, "
     "GEOMETRYCOLLECTION",
     MYSQL_TYPE_GEOMETRY, TColumnTrait::Any, ftTypedBinary},
}};

} // namespace

std::span<const TColumnTypeRule> ColumnTypeRules() {
  return Rules;
}

int NormalizeTypeCode(int typeCode) {
  switch (typeCode) {
  case MYSQL_TYPE_TINY_BLOB:
  case MYSQL_TYPE_MEDIUM_BLOB:
  case MYSQL_TYPE_LONG_BLOB:
    return MYSQL_TYPE_BLOB;
  case MYSQL_TYPE_VARCHAR:
    return MYSQL_TYPE_VAR_STRING;
  case MYSQL_TYPE_ENUM:
  case MYSQL_TYPE_SET:
    return MYSQL_TYPE_STRING;
  case MYSQL_TYPE_NEWDATE:
    return MYSQL_TYPE_DATE;
  case MYSQL_TYPE_TIME2:
    return MYSQL_TYPE_TIME;
  case MYSQL_TYPE_DATETIME2:
    return MYSQL_TYPE_DATETIME;
  case MYSQL_TYPE_TIMESTAMP2:
    return MYSQL_TYPE_TIMESTAMP;
  default:
    return typeCode;
  }
}

bool MatchesTrait(const TColumnInfo& column, TColumnTrait trait) {
  switch (trait) {
  case TColumnTrait::Any:
    return true;
  case TColumnTrait::Signed:
    return (column.Flags & UNSIGNED_FLAG) == 0;
  case TColumnTrait::Unsigned:
    return (column.Flags & UNSIGNED_FLAG) != 0;
  case TColumnTrait::AutoIncrement:
    return (column.Flags & AUTO_INCREMENT_FLAG) != 0;
  case TColumnTrait::WidthOne:
    return column.Length == 1;
  case TColumnTrait::Text:
    return column.CharsetNr != BinaryCharset;
  case TColumnTrait::Binary:
    return column.CharsetNr == BinaryCharset;
  case TColumnTrait::Enum:
    return (column.Flags & ENUM_FLAG) != 0 || column.TypeCode == MYSQL_TYPE_ENUM;
  case TColumnTrait::Set:
    return (column.Flags & SET_FLAG) != 0 || column.TypeCode == MYSQL_TYPE_SET;
  }
  return false;
}

TFieldType FieldTypeOf(const TColumnInfo& column) {
  const int code = NormalizeTypeCode(column.TypeCode);
  for (const TColumnTypeRule& rule : Rules) {
    if (rule.TypeCode == code && MatchesTrait(column, rule.Trait))
      return rule.FieldType;
  }
  return ftUnknown;
}
