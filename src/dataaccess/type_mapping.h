#pragma once

#include "dataaccess/field_type.h"

#include <cstdint>
#include <span>
#include <string_view>

// What the server reports about a result column (the client library's MYSQL_FIELD), reduced to
// what typing it needs.
struct TColumnInfo {
  int TypeCode = 0;         // the protocol's column type (enum_field_types)
  unsigned Flags = 0;       // column flags: UNSIGNED, AUTO_INCREMENT, BINARY, ENUM, SET, ...
  unsigned CharsetNr = 0;   // 63 is "binary": bytes, not text
  std::uint64_t Length = 0; // display width for numbers, bytes for strings and bit count for BIT
};

// The condition a rule puts on a column besides its type code.
enum class TColumnTrait : std::uint8_t {
  Any,
  Signed,
  Unsigned,
  AutoIncrement,
  WidthOne, // TINYINT(1), the server's BOOLEAN; BIT(1)
  Text,     // a character set other than binary
  Binary,
  Enum,
  Set,
};

// One row of the column type mapping.
struct TColumnTypeRule {
  std::string_view SqlTypes; // the column types the row stands for, as written in DDL
  int TypeCode;              // after NormalizeTypeCode
  TColumnTrait Trait;
  TFieldType FieldType;
};

// The mapping of server column types to field types, first matching row wins. Columns that
// match no row (the NULL type of "SELECT NULL") are ftUnknown.
std::span<const TColumnTypeRule> ColumnTypeRules();

// Folds the type codes that only the binary protocol or table definitions use (TINY_BLOB,
// NEWDATE, DATETIME2, ENUM, ...) into the ones text result sets carry.
int NormalizeTypeCode(int typeCode);

bool MatchesTrait(const TColumnInfo& column, TColumnTrait trait);

TFieldType FieldTypeOf(const TColumnInfo& column);
