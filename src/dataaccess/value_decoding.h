#pragma once

#include "dataaccess/type_mapping.h"

#include <QVariant>
#include <cstddef>

// How the text of a column's values becomes a QVariant. Decided once per column so that a
// large result pays only for the conversion itself.
enum class TValueKind : std::uint8_t {
  Int,      // int
  Int64,    // qlonglong
  UInt64,   // qulonglong (BIGINT UNSIGNED)
  Double,   // double
  Decimal,  // QString: the exact digits, which a double would round
  Date,     // QDate; the zero date becomes an invalid QDate
  DateTime, // QDateTime in UTC, so that no local-time gap can shift it
  Time,     // QString: TIME spans -838:59:59 to 838:59:59, beyond QTime
  Text,     // QString from UTF-8
  Bytes,    // QByteArray
  Bits,     // qulonglong from the big-endian bytes of a BIT column
  Bool,     // bool from a BIT(1) column
};

TValueKind ValueKindOf(const TColumnInfo& column);

// `data` is one value of a text result row, nullptr for SQL NULL (a null QVariant).
QVariant DecodeValue(TValueKind kind, const char* data, std::size_t length);
