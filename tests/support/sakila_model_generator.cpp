#include "sakila_model_generator.h"

#include "core/criterion.h"
#include "core/mysql_parser.h"
#include "core/table_def.h"

#include <algorithm>

using namespace vantor;

namespace sakila {

namespace {

// String values the renderer must quote and escape: apostrophes, backslashes (also last and
// in front of a quote), double quotes, back quotes, LIKE wildcards, control characters, a NUL
// byte, non-ASCII text, and text that looks like comments or placeholders.
const std::vector<std::string>& TextValues() {
  static const std::vector<std::string> values{"ACADEMY DINOSAUR",
                                               "it's",
                                               "O''Brien",
                                               "C:\\temp\\new",
                                               "ends in a backslash\\",
                                               "\\'",
                                               "\\",
                                               "double \" quote",
                                               "'abc'",
                                               "`back`",
                                               "50%",
                                               "a_b",
                                               "tab\there",
                                               "line\r\nbreak",
                                               "",
                                               "Gr\xC3\xBC\xC3\x9F"
                                               "e",
                                               std::string("nul\0byte", 8),
                                               "-- not a comment",
                                               "/* nor this */",
                                               "? :name",
                                               "#hash"};
  return values;
}

const std::vector<std::string>& LikePatterns() {
  static const std::vector<std::string> patterns{"A%",  "%it's%", "_b\\_c", "100\\%",
                                                 "%\\", "%\"%",   "%",      ""};
  return patterns;
}

const std::vector<std::string>& AliasesNeedingQuotes() {
  static const std::vector<std::string> aliases{"order",
                                                "select",
                                                "group",
                                                "key",
                                                "the film",
                                                "Gr\xC3\xBC\xC3\x9F"
                                                "e",
                                                "from"};
  return aliases;
}

bool IsNumeric(TColumnType type) {
  return type == TColumnType::Integer || type == TColumnType::Decimal || type == TColumnType::Year;
}

const std::vector<std::string> kComparisons{"=", "<>", "<", ">", "<=", ">="};

} // namespace

TSakilaModelGenerator::TSakilaModelGenerator(std::uint32_t seed, TModelOptions options)
    : m_state(seed), m_options(options) {
  // Start from a scrambled seed: neighbouring seeds would otherwise give the same sequence
  // shifted by one draw.
  m_state = Next();
}

// splitmix64: the same sequence on every platform and standard library.
std::uint64_t TSakilaModelGenerator::Next() {
  std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t TSakilaModelGenerator::Below(std::uint32_t n) {
  return n == 0 ? 0 : static_cast<std::uint32_t>(Next() % n);
}

void TSakilaModelGenerator::Fill(TVnMySelectParser& root) {
  root.Clear();
  m_placed.clear();
  m_outputs.clear();
  m_aliasCounter = 0;
  AddTables(root);
  AddSelectItems();
  if (Chance(70))
    AddConditions(root.WhereItems(), 0);
  AddHavingConditions(root.HavingItems());
  AddOrderBy(root);
  SetMySQLOptions(root);
}

TVnTableDef* TSakilaModelGenerator::Place(TVnMySelectParser& root, const TTable& table) {
  auto taken = [this](const std::string& name) {
    return std::any_of(m_placed.begin(), m_placed.end(),
                       [&](const TPlaced& p) { return p.Qualifier == name; });
  };
  std::string alias;
  if (!taken(table.Name) && Chance(35)) {
    alias = table.Name;
  } else if (m_options.NamesNeedingQuotes && Chance(30)) {
    alias = Pick(AliasesNeedingQuotes());
  }
  if (alias.empty() || taken(alias)) {
    // Initials of the name's parts: film_actor -> fa, fa2, ...
    std::string initials;
    for (std::size_t i = 0; i < table.Name.size(); ++i)
      if (i == 0 || table.Name[i - 1] == '_')
        initials += table.Name[i];
    alias = initials;
    for (int n = 2; taken(alias) || FindTable(alias); ++n)
      alias = initials + std::to_string(n);
  }
  TVnTableDef* def = root.TableDefs().Add();
  def->SetName(table.Name);
  if (alias != table.Name)
    def->SetAlias(alias);
  m_placed.push_back({&table, def, alias});
  return def;
}

void TSakilaModelGenerator::Join(const TPlaced& left, const std::string& leftColumn,
                                 const TPlaced& right, const std::string& rightColumn) {
  TVnJoinDef* join = left.Def->Joins().Add();
  join->SetLeftField(leftColumn);
  // The right table may be named by its table name when that is unambiguous.
  const bool nameIsUnique = std::count_if(m_placed.begin(), m_placed.end(), [&](const TPlaced& p) {
                              return p.Table == right.Table || p.Qualifier == right.Table->Name;
                            }) == 1;
  join->SetRightTable(nameIsUnique && Chance(15) ? right.Table->Name : right.Qualifier);
  join->SetRightField(rightColumn);
  const int kinds = m_options.FullOuterJoins ? 4 : 3;
  join->SetJoinKind(static_cast<TVnJoinKind>(Below(kinds)));
  // The link dialog also takes an operator typed by the user.
  join->SetOperator(Chance(85) ? "=" : Chance(80) ? Pick(kComparisons) : "LIKE");
}

void TSakilaModelGenerator::AddTables(TVnMySelectParser& root) {
  const std::size_t wanted = 1 + Below(static_cast<std::uint32_t>(m_options.MaxTables));
  Place(root, Pick(Tables()));
  while (m_placed.size() < wanted) {
    // A link from a table on the diagram to one that is not there yet; now and then to one
    // that is (a self join under a second alias).
    struct TCandidate {
      std::size_t Placed;
      const TLink* Link;
      bool PlacedIsLeft;
    };
    const bool selfJoin = Chance(10);
    std::vector<TCandidate> candidates;
    for (std::size_t i = 0; i < m_placed.size(); ++i)
      for (const TLink& link : Links())
        for (bool placedIsLeft : {true, false}) {
          const std::string& here = placedIsLeft ? link.LeftTable : link.RightTable;
          const std::string& there = placedIsLeft ? link.RightTable : link.LeftTable;
          const bool present = std::any_of(m_placed.begin(), m_placed.end(), [&](const TPlaced& p) {
            return p.Table->Name == there;
          });
          if (here == m_placed[i].Table->Name && (selfJoin || !present))
            candidates.push_back({i, &link, placedIsLeft});
        }
    if (candidates.empty() || Chance(8)) {
      Place(root, Pick(Tables())); // a comma-separated entry of its own
      continue;
    }
    const TCandidate chosen = Pick(candidates);
    const TLink& link = *chosen.Link;
    const TTable& other = *FindTable(chosen.PlacedIsLeft ? link.RightTable : link.LeftTable);
    Place(root, other);
    const TPlaced& placed = m_placed[chosen.Placed];
    const TPlaced& added = m_placed.back();
    const TPlaced& left = chosen.PlacedIsLeft ? placed : added;
    const TPlaced& right = chosen.PlacedIsLeft ? added : placed;
    // The user may draw the link from either end.
    if (Chance(50))
      Join(left, link.LeftColumn, right, link.RightColumn);
    else
      Join(right, link.RightColumn, left, link.LeftColumn);
  }
  if (m_placed.size() > 1 && Chance(25))
    AddSecondLink();
}

void TSakilaModelGenerator::AddSecondLink() {
  // Another link between two tables already on the diagram: a second pair of columns, or a
  // link that closes a loop.
  struct TPair {
    const TPlaced* Left;
    const TPlaced* Right;
    const TLink* Link;
  };
  std::vector<TPair> pairs;
  for (const TPlaced& a : m_placed)
    for (const TPlaced& b : m_placed)
      if (&a != &b)
        for (const TLink& link : Links())
          if (link.LeftTable == a.Table->Name && link.RightTable == b.Table->Name &&
              !a.Def->Joins().Find(link.LeftColumn, b.Qualifier, link.RightColumn) &&
              !b.Def->Joins().Find(link.RightColumn, a.Qualifier, link.LeftColumn))
            pairs.push_back({&a, &b, &link});
  if (pairs.empty())
    return;
  const TPair pair = Pick(pairs);
  if (Chance(50))
    Join(*pair.Left, pair.Link->LeftColumn, *pair.Right, pair.Link->RightColumn);
  else
    Join(*pair.Right, pair.Link->RightColumn, *pair.Left, pair.Link->LeftColumn);
}

const TColumn* TSakilaModelGenerator::UsableColumn(const TTable& table) {
  while (true) {
    const TColumn& column = Pick(table.Columns);
    if (m_options.NamesNeedingQuotes || IsPlainName(column.Name))
      return &column;
  }
}

std::string TSakilaModelGenerator::ColumnReference(const TPlaced& placed,
                                                   const TColumn& column) const {
  return placed.Qualifier + "." + column.Name;
}

std::string TSakilaModelGenerator::NewItemAlias() {
  ++m_aliasCounter;
  if (m_options.NamesNeedingQuotes && Chance(40))
    return Pick(AliasesNeedingQuotes()) + " " + std::to_string(m_aliasCounter);
  return "out" + std::to_string(m_aliasCounter);
}

void TSakilaModelGenerator::AddSelectItems() {
  const bool aggregates = Chance(40);
  bool anyAggregate = false;
  bool anyGroupedField = false;
  for (const TPlaced& placed : m_placed) {
    const int count = static_cast<int>(Below(4));
    for (int i = 0; i < count; ++i) {
      const TColumn* column = UsableColumn(*placed.Table);
      const std::string qualified = "`" + placed.Qualifier + "`.`" + column->Name + "`";
      TVnFieldDef* item = placed.Def->Fields().Add();
      const std::uint32_t roll = Below(100);
      if (roll < 60) {
        item->SetName(column->Name);
        item->SetKind(fkField);
        anyGroupedField = true;
      } else if (roll < 65) {
        item->SetKind(fkField); // no name: all the table's columns, q.*
      } else if (roll < 80) {
        // A function over a column of this table: the renderer qualifies the argument.
        static const std::vector<std::string> textFunctions{"UPPER", "LENGTH", "LEFT", "CONCAT",
                                                            "REPLACE"};
        static const std::vector<std::string> dateFunctions{"YEAR", "DATE_FORMAT", "DAYNAME"};
        static const std::vector<std::string> numberFunctions{"ABS", "ROUND", "FLOOR", "SIGN"};
        std::string function;
        if (column->Type == TColumnType::Text)
          function = Pick(textFunctions);
        else if (column->Type == TColumnType::Date)
          function = Pick(dateFunctions);
        else if (IsNumeric(column->Type))
          function = Pick(numberFunctions);
        if (IsNumeric(column->Type) && aggregates && Chance(30)) {
          // An aggregate inside a plain function: ROUND(AVG(t.c), 2) is no aggregate item.
          item->SetName("ROUND");
          item->SetKind(fkFunction);
          TVnFunctionDef* avg = item->Args().Add();
          avg->SetName("AVG");
          avg->SetKind(fkFunction);
          TVnFunctionDef* arg = avg->Args().Add();
          arg->SetName(column->Name);
          arg->SetKind(fkField);
          TVnFunctionDef* digits = item->Args().Add();
          digits->SetName("2");
          digits->SetKind(fkInteger);
        } else if (function.empty()) {
          item->SetName(Chance(50) ? "NOW" : "CURRENT_DATE");
          item->SetKind(fkFunction);
        } else {
          item->SetName(function);
          item->SetKind(fkFunction);
          TVnFunctionDef* arg = item->Args().Add();
          arg->SetName(column->Name);
          arg->SetKind(fkField);
          if (function == "LEFT" || function == "ROUND") {
            TVnFunctionDef* more = item->Args().Add();
            more->SetName("3");
            more->SetKind(fkInteger);
          } else if (function == "CONCAT" || function == "DATE_FORMAT") {
            TVnFunctionDef* more = item->Args().Add();
            more->SetName(function == "CONCAT" ? Pick(TextValues()) : "%Y-%m '%d'");
            more->SetKind(fkString);
          } else if (function == "REPLACE") {
            for (int n = 0; n < 2; ++n) {
              TVnFunctionDef* more = item->Args().Add();
              more->SetName(Pick(TextValues()));
              more->SetKind(fkString);
            }
          }
        }
      } else if (roll < 92) {
        // A literal takes an automatic output name, FIELD_1 and so on.
        FillLiteral(*item,
                    Pick(std::vector<TColumnType>{TColumnType::Integer, TColumnType::Decimal,
                                                  TColumnType::Text}),
                    nullptr);
      } else {
        item->SetName(IsNumeric(column->Type) ? qualified + " * 2 + 1"
                                              : "CHAR_LENGTH(" + qualified + ") + 1");
        item->SetKind(fkExpression);
      }
      if (Chance(15) && !(item->Kind() == fkField && item->Name().empty()))
        item->SetAlias(NewItemAlias());
      if (item->Alias() != item->Name() && !item->Alias().empty())
        m_outputs.push_back({item->Alias(), false});
    }
    if (aggregates && Chance(60)) {
      static const std::vector<std::string> names{"COUNT", "SUM", "AVG", "MIN", "MAX"};
      const TColumn* column = UsableColumn(*placed.Table);
      std::string name = Pick(names);
      if ((name == "SUM" || name == "AVG") && !IsNumeric(column->Type))
        name = "COUNT";
      TVnFieldDef* item = placed.Def->Fields().Add();
      item->SetName(name);
      item->SetKind(fkFunction);
      TVnFunctionDef* arg = item->Args().Add();
      if (name == "COUNT" && Chance(40)) {
        arg->SetName("*");
      } else if (name == "COUNT" && Chance(30)) {
        arg->SetName("DISTINCT `" + placed.Qualifier + "`.`" + column->Name + "`");
        arg->SetKind(fkExpression);
      } else {
        arg->SetName(column->Name);
        arg->SetKind(fkField);
      }
      if (Chance(40))
        item->SetAlias(NewItemAlias());
      m_outputs.push_back({item->Alias(), true});
      anyAggregate = true;
    }
  }
  m_grouped = anyAggregate && anyGroupedField;
}

void TSakilaModelGenerator::AddConditions(TVnCriterions& list, int depth) {
  list.SetGroupKind(static_cast<TVnGroupKind>(Below(4)));
  const int count = 1 + static_cast<int>(Below(3));
  for (int i = 0; i < count; ++i) {
    if (depth < 3 && Chance(25)) {
      TVnCriterion* group = list.Add();
      AddConditions(group->SubItems(), depth + 1);
    } else {
      AddCondition(list);
    }
  }
}

void TSakilaModelGenerator::AddCondition(TVnCriterions& list) {
  const TPlaced& placed = Pick(m_placed);
  const TColumn* column = UsableColumn(*placed.Table);
  TVnCriterion* criterion = list.Add();
  TVnFunctionDef& left = criterion->Left();
  TColumnType type = column->Type;
  const std::uint32_t leftRoll = Below(100);
  if (leftRoll < 8 && IsNumeric(type)) {
    left.SetName("`" + placed.Qualifier + "`.`" + column->Name + "` + 1");
    left.SetKind(fkExpression);
  } else if (leftRoll < 12) {
    // A literal on the left: 'abc' LIKE t.c, 1 = t.c
    FillLiteral(left, type, column);
  } else if (leftRoll < 30 && type != TColumnType::Blob) {
    // A function of the column; the argument names its table itself, as a condition operand
    // belongs to no table.
    const bool text = type == TColumnType::Text || type == TColumnType::Enum;
    left.SetName(type == TColumnType::Date ? "YEAR"
                 : text                    ? (Chance(50) ? "UPPER" : "LENGTH")
                                           : "ABS");
    left.SetKind(fkFunction);
    TVnFunctionDef* arg = left.Args().Add();
    arg->SetName(ColumnReference(placed, *column));
    arg->SetKind(fkField);
    type = left.Name() == "UPPER" ? TColumnType::Text : TColumnType::Integer;
  } else {
    left.SetName(ColumnReference(placed, *column));
    left.SetKind(fkField);
  }

  const TVnOperators& operators = list.Parser()->Operators();
  std::string op = operators.Items(static_cast<int>(Below(operators.Count())))->Caption();
  if (type == TColumnType::Blob && op != "IS NULL" && op != "IS NOT NULL")
    op = "=";
  criterion->SetOperator(op);
  int count = operators.FindByCaption(op)->Count();
  if (op == "IN" || op == "NOT IN")
    count = 1 + static_cast<int>(Below(4));
  for (int i = 0; i < count; ++i) {
    TVnFunctionDef* operand = criterion->Args().Add();
    if (op == "LIKE" || op == "NOT LIKE") {
      operand->SetName(Pick(LikePatterns()));
      operand->SetKind(fkString);
    } else {
      FillOperand(*operand, type, left.Kind() == fkField ? column : nullptr);
    }
  }
}

void TSakilaModelGenerator::FillOperand(TVnFunctionDef& operand, TColumnType type,
                                        const TColumn* column) {
  if (Chance(15)) {
    // Another column of the same type.
    std::vector<std::string> references;
    for (const TPlaced& placed : m_placed)
      for (const TColumn& column : placed.Table->Columns)
        if (column.Type == type && (m_options.NamesNeedingQuotes || IsPlainName(column.Name)))
          references.push_back(ColumnReference(placed, column));
    if (!references.empty()) {
      operand.SetName(Pick(references));
      operand.SetKind(fkField);
      return;
    }
  }
  const std::uint32_t roll = Below(100);
  if (roll < 4) {
    operand.SetName("NULL");
    operand.SetKind(fkNone);
    return;
  }
  if (roll < 10 && !m_placed.empty()) {
    // A nested call: COALESCE(t.c, literal)
    const TPlaced& placed = Pick(m_placed);
    const TColumn* other = UsableColumn(*placed.Table);
    operand.SetName("COALESCE");
    operand.SetKind(fkFunction);
    TVnFunctionDef* first = operand.Args().Add();
    first->SetName(ColumnReference(placed, *other));
    first->SetKind(fkField);
    FillLiteral(*operand.Args().Add(), type, column);
    return;
  }
  if (roll < 14 && IsNumeric(type)) {
    operand.SetName("2 * 3 - 1");
    operand.SetKind(fkExpression);
    return;
  }
  if (type == TColumnType::Date && Chance(25)) {
    static const std::vector<std::string> clocks{"NOW", "CURDATE", "CURRENT_TIMESTAMP", "SYSDATE"};
    operand.SetName(Pick(clocks));
    operand.SetKind(fkFunction);
    return;
  }
  FillLiteral(operand, type, column);
}

void TSakilaModelGenerator::FillLiteral(TVnFunctionDef& operand, TColumnType type,
                                        const TColumn* column) {
  static const std::vector<std::string> integers{"0",    "1",     "42",        "-7",
                                                 "2005", "65535", "2147483648"};
  static const std::vector<std::string> decimals{"0.99", "2.99", "10.5", "-0.5"};
  static const std::vector<std::string> dates{"2005-05-25", "2005-05-25 11:30:37",
                                              "2006-02-15 04:34:33", "not a date"};
  switch (type) {
  case TColumnType::Integer:
    if (Chance(15)) {
      operand.SetName(Pick(decimals));
      operand.SetKind(fkFloat);
    } else {
      operand.SetName(Pick(integers));
      operand.SetKind(fkInteger);
    }
    return;
  case TColumnType::Decimal:
    operand.SetName(Pick(decimals));
    operand.SetKind(fkFloat);
    return;
  case TColumnType::Year:
    operand.SetName(Chance(50) ? "2006" : "1999");
    operand.SetKind(fkInteger);
    return;
  case TColumnType::Date:
    operand.SetName(Pick(dates));
    operand.SetKind(fkString);
    return;
  case TColumnType::Enum:
  case TColumnType::Set:
    if (column && !column->Members.empty() && Chance(80))
      operand.SetName(Pick(column->Members));
    else
      operand.SetName(Chance(50) ? "PG-13" : "Deleted Scenes");
    operand.SetKind(fkString);
    return;
  case TColumnType::Text:
  case TColumnType::Blob:
    operand.SetName(Pick(TextValues()));
    operand.SetKind(fkString);
    return;
  }
}

void TSakilaModelGenerator::AddHavingConditions(TVnCriterions& list) {
  if (!m_grouped || !Chance(60))
    return;
  list.SetGroupKind(static_cast<TVnGroupKind>(Below(4)));
  const int count = 1 + static_cast<int>(Below(2));
  for (int i = 0; i < count; ++i) {
    TVnCriterion* criterion = list.Add();
    TVnFunctionDef& left = criterion->Left();
    const std::uint32_t roll = Below(100);
    std::vector<const TOutput*> aggregates;
    for (const TOutput& output : m_outputs)
      if (output.Aggregate)
        aggregates.push_back(&output);
    if (roll < 35 && !aggregates.empty()) {
      left.SetName(Pick(aggregates)->Alias); // the output name of an aggregate
      left.SetKind(fkField);
    } else {
      const TPlaced& placed = Pick(m_placed);
      const TColumn* column = UsableColumn(*placed.Table);
      const bool numeric = IsNumeric(column->Type);
      left.SetName(Chance(50) ? "COUNT" : numeric ? (Chance(50) ? "SUM" : "MAX") : "MIN");
      left.SetKind(fkFunction);
      TVnFunctionDef* arg = left.Args().Add();
      if (left.Name() == "COUNT" && Chance(50)) {
        arg->SetName("*");
      } else {
        arg->SetName(ColumnReference(placed, *column));
        arg->SetKind(fkField);
      }
    }
    static const std::vector<std::string> ops{"=",  "<>",     "<",       ">",
                                              "<=", ">=",     "BETWEEN", "NOT BETWEEN",
                                              "IN", "NOT IN", "IS NULL", "IS NOT NULL"};
    const std::string op = Pick(ops);
    criterion->SetOperator(op);
    int operands = list.Parser()->Operators().FindByCaption(op)->Count();
    if (op == "IN" || op == "NOT IN")
      operands = 1 + static_cast<int>(Below(3));
    for (int n = 0; n < operands; ++n)
      FillLiteral(*criterion->Args().Add(), TColumnType::Integer, nullptr);
  }
}

void TSakilaModelGenerator::AddOrderBy(TVnMySelectParser& root) {
  if (!Chance(50))
    return;
  TVnOrderByItems& order = root.OrderByItems();
  const int count = 1 + static_cast<int>(Below(3));
  const int items = root.TableDefs().FieldCount();
  for (int i = 0; i < count; ++i) {
    std::string entry;
    const std::uint32_t roll = Below(100);
    if (roll < 25 && !m_outputs.empty()) {
      entry = Pick(m_outputs).Alias;
    } else if (roll < 40 && items > 0) {
      entry = std::to_string(1 + Below(static_cast<std::uint32_t>(items)));
    } else {
      const TPlaced& placed = Pick(m_placed);
      entry = ColumnReference(placed, *UsableColumn(*placed.Table));
    }
    if (order.IndexOf(entry) < 0)
      order.AddItem(entry, Chance(40));
  }
}

void TSakilaModelGenerator::SetMySQLOptions(TVnMySelectParser& root) {
  TVnMySQLOptions& options = root.MySQLOptions();
  options.SetFilter(static_cast<TVnMySQLFilter>(Below(4)));
  TVnMySQLSelectOptions set = 0;
  for (TVnMySQLSelectOption option : TVnMySQLOptions::kAllOptions)
    if (Chance(20))
      set |= option;
  options.SetSelectOptions(set);
  if (Chance(35)) {
    options.SetLimitRows(1 + static_cast<int>(Below(500)));
    if (Chance(40))
      options.SetLimitOffset(1 + static_cast<int>(Below(100)));
  }
}

} // namespace sakila
