#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The tables and views of the Sakila sample database as the sandbox server loads it (MariaDB
// skips the MySQL-only `location` column of address), with the column pairs that join them.
// Kept as data so that model generators run without a server.
namespace sakila {

// What a column holds, as far as choosing a fitting literal is concerned.
enum class TColumnType : std::uint8_t {
  Integer = 0,
  Decimal = 1,
  Text = 2,
  Date = 3, // DATETIME and TIMESTAMP
  Year = 4,
  Enum = 5,
  Set = 6,
  Blob = 7,
};

struct TColumn {
  std::string Name;
  TColumnType Type;
  // The members of an ENUM or SET column.
  std::vector<std::string> Members;
};

struct TTable {
  std::string Name;
  bool IsView;
  std::vector<TColumn> Columns;

  const TColumn* Column(const std::string& name) const;
};

// Two columns whose values match: a foreign key or a view's key column.
struct TLink {
  std::string LeftTable;
  std::string LeftColumn;
  std::string RightTable;
  std::string RightColumn;
};

const std::vector<TTable>& Tables();
const std::vector<TLink>& Links();
const TTable* FindTable(const std::string& name);

// Whether the name is usable without identifier quotes (no blank, no reserved word).
bool IsPlainName(const std::string& name);

} // namespace sakila
