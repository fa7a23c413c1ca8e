#include "dataaccess/value_decoding.h"

#include <QDate>
#include <QDateTime>
#include <charconv>
#include <mysql.h>

namespace {

template <typename T> T ParseNumber(const char* data, std::size_t length) {
  T value{};
  std::from_chars(data, data + length, value);
  return value;
}

int Digits(const char* data, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i)
    value = value * 10 + (data[i] - '0');
  return value;
}

// "YYYY-MM-DD", as the server always sends it.
QDate ParseDate(const char* data, std::size_t length) {
  if (length < 10)
    return {};
  return QDate(Digits(data, 4), Digits(data + 5, 2), Digits(data + 8, 2));
}

// "YYYY-MM-DD hh:mm:ss" with up to six fractional digits.
QDateTime ParseDateTime(const char* data, std::size_t length) {
  const QDate date = ParseDate(data, length);
  if (!date.isValid() || length < 19)
    return {};
  int msec = 0;
  if (length > 20) {
    const std::size_t digits = std::min<std::size_t>(length - 20, 3);
    msec = Digits(data + 20, static_cast<int>(digits));
    for (std::size_t i = digits; i < 3; ++i)
      msec *= 10;
  }
  const QTime time(Digits(data + 11, 2), Digits(data + 14, 2), Digits(data + 17, 2), msec);
  return QDateTime(date, time, Qt::UTC);
}

} // namespace

TValueKind ValueKindOf(const TColumnInfo& column) {
  const bool isUnsigned = (column.Flags & UNSIGNED_FLAG) != 0;
  switch (NormalizeTypeCode(column.TypeCode)) {
  case MYSQL_TYPE_TINY:
  case MYSQL_TYPE_SHORT:
  case MYSQL_TYPE_INT24:
  case MYSQL_TYPE_YEAR:
    return TValueKind::Int;
  case MYSQL_TYPE_LONG:
    return isUnsigned ? TValueKind::Int64 : TValueKind::Int;
  case MYSQL_TYPE_LONGLONG:
    return isUnsigned ? TValueKind::UInt64 : TValueKind::Int64;
  case MYSQL_TYPE_FLOAT:
  case MYSQL_TYPE_DOUBLE:
    return TValueKind::Double;
  case MYSQL_TYPE_DECIMAL:
  case MYSQL_TYPE_NEWDECIMAL:
    return TValueKind::Decimal;
  case MYSQL_TYPE_DATE:
    return TValueKind::Date;
  case MYSQL_TYPE_DATETIME:
  case MYSQL_TYPE_TIMESTAMP:
    return TValueKind::DateTime;
  case MYSQL_TYPE_TIME:
    return TValueKind::Time;
  case MYSQL_TYPE_BIT:
    return column.Length == 1 ? TValueKind::Bool : TValueKind::Bits;
  default:
    return MatchesTrait(column, TColumnTrait::Binary) ? TValueKind::Bytes : TValueKind::Text;
  }
}

QVariant DecodeValue(TValueKind kind, const char* data, std::size_t length) {
  if (data == nullptr)
    return {};
  switch (kind) {
  case TValueKind::Int:
    return ParseNumber<int>(data, length);
  case TValueKind::Int64:
    return ParseNumber<qlonglong>(data, length);
  case TValueKind::UInt64:
    return ParseNumber<qulonglong>(data, length);
  case TValueKind::Double:
    return ParseNumber<double>(data, length);
  case TValueKind::Date:
    return ParseDate(data, length);
  case TValueKind::DateTime:
    return ParseDateTime(data, length);
  case TValueKind::Bytes:
    return QByteArray(data, static_cast<qsizetype>(length));
  case TValueKind::Bits:
  case TValueKind::Bool: {
    qulonglong bits = 0;
    for (std::size_t i = 0; i < length; ++i)
      bits = (bits << 8) | static_cast<unsigned char>(data[i]);
    return kind == TValueKind::Bool ? QVariant(bits != 0) : QVariant(bits);
  }
  case TValueKind::Decimal:
  case TValueKind::Time:
  case TValueKind::Text:
    break;
  }
  return QString::fromUtf8(data, static_cast<qsizetype>(length));
}
