#pragma once

#include "sakila_catalog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {
class TVnCriterions;
class TVnFunctionDef;
class TVnMySelectParser;
class TVnTableDef;
} // namespace vantor

namespace sakila {

struct TModelOptions {
  // Aliases that are reserved words or hold blanks, and the views' `zip code` column: names
  // the server takes only in identifier quotes.
  bool NamesNeedingQuotes = false;
  // MariaDB has no FULL OUTER JOIN; only a server that has one can take these.
  bool FullOuterJoins = false;
  int MaxTables = 5;
};

// Builds random but meaningful statements over Sakila through the model's own API, the way the
// designer does: tables joined on matching columns (every join kind, also links in both
// directions, second links and self joins), conditions with every operator and operands that
// fit the column (strings with quotes, backslashes and NUL bytes), nested groups of every kind,
// aggregates that make GROUP BY and HAVING appear, ORDER BY, and the MySQL filter, options and
// LIMIT. The same seed always builds the same model.
//
//   TSakilaModelGenerator generator(seed);
//   generator.Fill(*root);
//   root->GetScript();
class TSakilaModelGenerator {
public:
  explicit TSakilaModelGenerator(std::uint32_t seed, TModelOptions options = {});

  // Clears the root and fills it with one statement.
  void Fill(vantor::TVnMySelectParser& root);

private:
  struct TPlaced {
    const TTable* Table;
    vantor::TVnTableDef* Def;
    std::string Qualifier;
  };
  struct TOutput {
    std::string Alias;
    bool Aggregate;
  };

  std::uint64_t Next();
  std::uint32_t Below(std::uint32_t n);
  bool Chance(int percent) { return Below(100) < static_cast<std::uint32_t>(percent); }
  template <class T> const T& Pick(const std::vector<T>& items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

  void AddTables(vantor::TVnMySelectParser& root);
  vantor::TVnTableDef* Place(vantor::TVnMySelectParser& root, const TTable& table);
  void Join(const TPlaced& left, const std::string& leftColumn, const TPlaced& right,
            const std::string& rightColumn);
  void AddSecondLink();
  void AddSelectItems();
  void AddConditions(vantor::TVnCriterions& list, int depth);
  void AddCondition(vantor::TVnCriterions& list);
  void AddHavingConditions(vantor::TVnCriterions& list);
  void AddOrderBy(vantor::TVnMySelectParser& root);
  void SetMySQLOptions(vantor::TVnMySelectParser& root);

  const TColumn* UsableColumn(const TTable& table);
  std::string ColumnReference(const TPlaced& placed, const TColumn& column) const;
  std::string NewItemAlias();
  // A literal, function call or column reference that fits a column of the type.
  void FillOperand(vantor::TVnFunctionDef& operand, TColumnType type, const TColumn* column);
  void FillLiteral(vantor::TVnFunctionDef& operand, TColumnType type, const TColumn* column);

  std::uint64_t m_state;
  TModelOptions m_options;
  std::vector<TPlaced> m_placed;
  std::vector<TOutput> m_outputs;
  int m_aliasCounter = 0;
  // Whether the select list mixes aggregates with columns, so that GROUP BY and HAVING render.
  bool m_grouped = false;
};

} // namespace sakila
