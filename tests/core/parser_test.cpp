#include "core/errors.h"
#include "core/mysql_parser.h"
#include "core/mysql_scanner.h"

#include <gtest/gtest.h>

#include <string>

using namespace vantor;

namespace {

enum class Dialect { Generic, MySQL };

std::unique_ptr<TVnSelectParser> NewRoot(Dialect dialect, bool quote = false) {
  std::unique_ptr<TVnSelectParser> root;
  if (dialect == Dialect::MySQL)
    root = NewParser<TVnMySelectParser>();
  else
    root = NewParser<TVnSelectParser>();
  root->Scanner().SetQuoteIdentifiers(quote);
  return root;
}

// Lines joined by CR LF, each ended by one (the last too, unless it is a LIMIT line).
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines)
    text += std::string(line) + "\r\n";
  return text;
}

// ---------------------------------------------------------------------------------------------
// Statements and the text they render back as

struct RenderCase {
  const char* name;
  Dialect dialect;
  bool quote;
  std::string sql;
  std::string rendered;
};

class ParseAndRender : public testing::TestWithParam<RenderCase> {};

TEST_P(ParseAndRender, RendersBack) {
  const RenderCase& c = GetParam();
  auto root = NewRoot(c.dialect, c.quote);
  root->SetSQL(c.sql);
  ASSERT_TRUE(root->Valid());
  const std::string rendered = root->GetScript();
  EXPECT_EQ(rendered, c.rendered);
  // And the rendered text is a fixed point.
  root->SetSQL(rendered);
  EXPECT_EQ(root->GetScript(), rendered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseAndRender,
    testing::Values(
        RenderCase{"OrdersExample", Dialect::Generic, false,
                   "SELECT o.id, c.name, COUNT(o.id) AS cnt FROM orders o LEFT OUTER JOIN customers "
                   "c ON (o.cust_id = c.id) WHERE (o.total > 100) GROUP BY o.id, c.name ORDER BY "
                   "c.name DESC",
                   Lines({"SELECT ", "  o.id,", "  c.name,", "  COUNT(o.id) AS cnt", "FROM",
                          "  orders o ", "  LEFT OUTER JOIN customers c ON (o.cust_id = c.id)",
                          "WHERE", "  (o.total > 100)", "GROUP BY", "  o.id,", "  c.name",
                          "ORDER BY", "  c.name DESC"})},
        RenderCase{"StarFromTable", Dialect::Generic, false, "SELECT * FROM t",
                   Lines({"SELECT *", "FROM", "  t"})},
        RenderCase{"StarOfOneTable", Dialect::MySQL, true, "select t.*, u.a from t, u",
                   Lines({"SELECT ", "  `t`.*,", "  `u`.`a`", "FROM", "  `t`,", "  `u`"})},
        RenderCase{"UnqualifiedItemBeforeAnyTable", Dialect::Generic, false, "SELECT a, t.b FROM t",
                   Lines({"SELECT ", "  a,", "  t.b", "FROM", "  t"})},
        RenderCase{"FromOrderWins", Dialect::MySQL, false, "SELECT b.x, a.y FROM a, b",
                   Lines({"SELECT ", "  b.x,", "  a.y", "FROM", "  a,", "  b"})},
        RenderCase{"JoinWrittenBackwards", Dialect::MySQL, false,
                   "SELECT a.x FROM a LEFT JOIN b ON b.k < a.k",
                   Lines({"SELECT ", "  a.x", "FROM", "  b ",
                          "  RIGHT OUTER JOIN a ON (b.k < a.k)"})},
        RenderCase{"JoinBothWays", Dialect::MySQL, false,
                   "SELECT * FROM t1 INNER JOIN t2 ON (t1.a = t2.b) AND (t2.c = t1.d), t3",
                   Lines({"SELECT *", "FROM", "  t1 ", "  INNER JOIN t2 ON (t1.a = t2.b) ",
                          "  AND (t2.c = t1.d),", "  t3"})},
        RenderCase{"Expressions", Dialect::MySQL, true,
                   "SELECT a + b - c, SUBSTRING(name, 1, 3), NOW(), COUNT(*), -1, 2.5, "
                   "(x * 2) FROM t",
                   Lines({"SELECT ", "  `a` + `b` - `c` AS `FIELD_1`,",
                          "  SUBSTRING(`t`.`name`, 1, 3) AS `FIELD_2`,", "  NOW() AS `FIELD_3`,",
                          "  COUNT(*) AS `FIELD_4`,", "  -1 AS `FIELD_5`,", "  2.5 AS `FIELD_6`,",
                          "  (`x` * 2)", "FROM", "  `t`"})},
        RenderCase{"BareAliasAndStringAlias", Dialect::MySQL, true, "SELECT a b, c 'd e' FROM t",
                   Lines({"SELECT ", "  `t`.`a` AS `b`,", "  `t`.`c` AS `d e`", "FROM", "  `t`"})},
        RenderCase{"MinusOrBracketFirst", Dialect::MySQL, false, "SELECT -1, (2) FROM t",
                   Lines({"SELECT ", "  -1 AS FIELD_1,", "  (2)", "FROM", "  t"})},
        RenderCase{"ConditionOperators", Dialect::MySQL, false,
                   "SELECT a FROM t WHERE (x BETWEEN 1 AND 5) AND (y NOT IN (1, 2)) AND "
                   "(z IS NOT NULL) AND NOT ((p LIKE 'a%') OR (q <> 'it''s'))",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE", "  (x BETWEEN 1 AND 5) AND ",
                          "  (y NOT IN (1, 2)) AND ", "  (z IS NOT NULL) AND ",
                          "  (NOT ((p LIKE 'a%') OR ", "  (q <> 'it''s')))"})},
        RenderCase{"GenericDialectConditions", Dialect::Generic, false,
                   "SELECT a FROM t WHERE (x IS NULL) OR (y NOT LIKE 'b''c')",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE", "  (x IS NULL) OR ",
                          "  (y NOT LIKE 'b''c')"})},
        RenderCase{"NegatedList", Dialect::MySQL, false, "SELECT a FROM t WHERE NOT (a = 1)",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE", "  NOT ((a = 1))"})},
        RenderCase{"AndBindsCloserThanOr", Dialect::MySQL, false,
                   "SELECT a FROM t WHERE (a = 1) OR (b = 2) AND (c = 3)",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE", "  (a = 1) OR ",
                          "  ((b = 2) AND ", "  (c = 3))"})},
        RenderCase{"OptionsFilterAndLimit", Dialect::MySQL, false,
                   "SELECT HIGH_PRIORITY SQL_BUFFER_RESULT STRAIGHT_JOIN DISTINCTROW a FROM t "
                   "WHERE a = 1 LIMIT 5, 10",
                   Lines({"SELECT STRAIGHT_JOIN SQL_BUFFER_RESULT HIGH_PRIORITY DISTINCTROW ",
                          "  t.a", "FROM", "  t", "WHERE", "  (a = 1)"}) +
                       "LIMIT 5, 10"},
        RenderCase{"LimitOffsetWord", Dialect::MySQL, false, "SELECT a FROM t LIMIT 10 OFFSET 20",
                   Lines({"SELECT ", "  t.a", "FROM", "  t"}) + "LIMIT 20, 10"},
        RenderCase{"BackslashesSurvive", Dialect::MySQL, false,
                   "SELECT a FROM t WHERE a = 'C:\\\\temp\\\\it\\'s'",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE",
                          "  (a = 'C:\\\\temp\\\\it''s')"})},
        RenderCase{"DoubleQuotedStringInMySQL", Dialect::MySQL, false,
                   "SELECT a FROM t WHERE a = \"x\"",
                   Lines({"SELECT ", "  t.a", "FROM", "  t", "WHERE", "  (a = 'x')"})},
        RenderCase{"QuotedKeywordNames", Dialect::MySQL, true,
                   "SELECT `select`.`from` AS `a``b` FROM `data` `select`",
                   Lines({"SELECT ", "  `select`.`from` AS `a``b`", "FROM", "  `data` `select`"})},
        RenderCase{"HavingWithGroups", Dialect::MySQL, false,
                   "SELECT a, COUNT(b) FROM t GROUP BY a HAVING COUNT(b) > 1 ORDER BY a, 2 DESC",
                   Lines({"SELECT ", "  t.a,", "  COUNT(t.b) AS FIELD_1", "FROM", "  t", "GROUP BY",
                          "  t.a", "HAVING", "  (COUNT(b) > 1)", "ORDER BY", "  a,", "  2 DESC"})},
        RenderCase{"NullDistinctAndLikeJoin", Dialect::MySQL, false,
                   "SELECT COUNT(DISTINCT a.x) FROM a INNER JOIN b ON (a.n LIKE b.m) WHERE a.y = NULL",
                   Lines({"SELECT ", "  COUNT(DISTINCT a.x) AS FIELD_1", "FROM", "  a ",
                          "  INNER JOIN b ON (a.n LIKE b.m)", "WHERE", "  (a.y = NULL)"})},
        RenderCase{"EndsAtSemicolon", Dialect::MySQL, false, "SELECT a FROM t; garbage here",
                   Lines({"SELECT ", "  t.a", "FROM", "  t"})}),
    [](const testing::TestParamInfo<RenderCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Errors: the message, the token, its line and the column where it starts

struct ErrorCase {
  const char* name;
  Dialect dialect;
  std::string sql;
  std::string message;
  std::string token;
  int line;
  int column;
};

class ParseErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrors, ReportTheToken) {
  const ErrorCase& c = GetParam();
  auto root = NewRoot(c.dialect);
  try {
    root->SetSQL(c.sql);
    FAIL() << "no error for " << c.sql;
  } catch (const EVnParserError& error) {
    EXPECT_EQ(error.what(), c.message);
    EXPECT_EQ(error.Token(), c.token);
    EXPECT_EQ(error.LineNo(), c.line);
    EXPECT_EQ(error.LinePos(), c.column);
  }
  EXPECT_FALSE(root->Valid());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseErrors,
    testing::Values(
        ErrorCase{"AliasWithAs", Dialect::Generic, "SELECT a FROM t AS x",
                  "Invalid token 'AS' at position 17 of line 1.", "AS", 1, 17},
        ErrorCase{"NoSelect", Dialect::MySQL, "UPDATE t", "Invalid token 'UPDATE' at position 1 of line 1.",
                  "UPDATE", 1, 1},
        ErrorCase{"EndAfterComma", Dialect::MySQL, "SELECT a,", "Unexpected end of statement.", "", 1, 10},
        ErrorCase{"ConjunctionWithoutBrackets", Dialect::MySQL, "SELECT a FROM t WHERE a = 1 AND b = 2",
                  "Invalid token 'AND' at position 29 of line 1.", "AND", 1, 29},
        ErrorCase{"PlusPlus", Dialect::MySQL, "SELECT a + + b FROM t",
                  "Invalid token '+' at position 12 of line 1.", "+", 1, 12},
        ErrorCase{"SecondLine", Dialect::MySQL, "SELECT a\r\nFROM t\r\nWHERE (a = )",
                  "Invalid token ')' at position 12 of line 3.", ")", 3, 12},
        ErrorCase{"RepeatedOption", Dialect::MySQL, "SELECT STRAIGHT_JOIN STRAIGHT_JOIN a FROM t",
                  "Invalid token 'STRAIGHT_JOIN' at position 22 of line 1.", "STRAIGHT_JOIN", 1, 22},
        ErrorCase{"LimitWithoutNumber", Dialect::MySQL, "SELECT a FROM t LIMIT x",
                  "Invalid token 'x' at position 23 of line 1.", "x", 1, 23},
        ErrorCase{"LimitBeyond32Bits", Dialect::MySQL, "SELECT a FROM t LIMIT 2147483648",
                  "Invalid token '2147483648' at position 23 of line 1.", "2147483648", 1, 23},
        ErrorCase{"TextAfterLimit", Dialect::MySQL, "SELECT a FROM t LIMIT 1 x",
                  "Invalid token 'x' at position 25 of line 1.", "x", 1, 25},
        ErrorCase{"KeywordAsTableName", Dialect::MySQL, "SELECT a FROM data",
                  "Invalid token 'data' at position 15 of line 1.", "data", 1, 15},
        // LIMIT is no word of the generic dialect: it reads as an alias of t.
        ErrorCase{"LimitInGenericDialect", Dialect::Generic, "SELECT a FROM t LIMIT 1",
                  "Invalid token '1' at position 23 of line 1.", "1", 1, 23},
        ErrorCase{"UnclosedCall", Dialect::MySQL, "SELECT COUNT(a FROM t",
                  "Invalid token 'FROM' at position 16 of line 1.", "FROM", 1, 16},
        ErrorCase{"StrayBracket", Dialect::MySQL, "SELECT a) FROM t",
                  "Invalid token ')' at position 9 of line 1.", ")", 1, 9},
        ErrorCase{"JoinWithoutOn", Dialect::MySQL, "SELECT a FROM t JOIN u",
                  "Invalid token 'JOIN' at position 17 of line 1.", "JOIN", 1, 17},
        // Joins name their tables by alias: one alias for two references is refused.
        ErrorCase{"TableNamedTwice", Dialect::MySQL, "SELECT a FROM t, t WHERE x = 1",
                  "Invalid token 't' at position 18 of line 1.", "t", 1, 18},
        ErrorCase{"AliasUsedTwice", Dialect::MySQL,
                  "SELECT g.a FROM a RIGHT JOIN b1 g ON (a.i = g.j), "
                  "c RIGHT JOIN b2 g ON (c.k = g.m)",
                  "Invalid token 'g' at position 67 of line 1.", "g", 1, 67},
        ErrorCase{"QuotedNameTwiceGeneric", Dialect::Generic, "SELECT a FROM \"t\",\r\n \"t\"",
                  "Invalid token 't' at position 3 of line 2.", "t", 2, 3},
        ErrorCase{"JoinOnUnknownTable", Dialect::MySQL,
                  "SELECT c.a FROM c INNER JOIN f ON (c.id = o.id)",
                  "Invalid token 'o' at position 43 of line 1.", "o", 1, 43},
        ErrorCase{"EmptyTableAlias", Dialect::MySQL, "SELECT a FROM t ``",
                  "Invalid token '' at position 18 of line 1.", "", 1, 18},
        ErrorCase{"UnknownOperator", Dialect::MySQL, "SELECT a FROM t WHERE a ~ 1",
                  "Invalid token '~' at position 25 of line 1.", "~", 1, 25}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST(ParseError, UnterminatedStringIsRaisedEvenWithAHandler) {
  auto root = NewRoot(Dialect::MySQL);
  bool called = false;
  root->OnParserError = [&](TVnSelectParser*, const std::string&, const std::string&, int, int) {
    called = true;
  };
  EXPECT_THROW(root->SetSQL("SELECT 'abc"), EVnParserError);
  EXPECT_FALSE(called);
}

TEST(ParseError, HandlerReceivesTheErrorAndThePositionFollowsTheToken) {
  auto root = NewRoot(Dialect::MySQL);
  std::string message, token;
  int line = 0, column = 0;
  root->OnParserError = [&](TVnSelectParser* sender, const std::string& m, const std::string& t,
                            int l, int c) {
    EXPECT_EQ(sender, root.get());
    message = m;
    token = t;
    line = l;
    column = c;
  };
  const std::string sql = "SELECT a\r\nFROM t AS x";
  root->SetSQL(sql);
  EXPECT_FALSE(root->Valid());
  EXPECT_EQ(message, "Invalid token 'AS' at position 8 of line 2.");
  EXPECT_EQ(token, "AS");
  EXPECT_EQ(line, 2);
  EXPECT_EQ(column, 8);
  // The host selects the token from Pos back over its length.
  EXPECT_EQ(sql.substr(static_cast<std::size_t>(root->Scanner().Pos() - 1 - 2), 2), "AS");

  // Also where the error is found only after reading on: a table named a second time.
  const std::string twice = "SELECT a\r\nFROM tt, tt\r\nWHERE x = 1";
  root->SetSQL(twice);
  EXPECT_FALSE(root->Valid());
  EXPECT_EQ(message, "Invalid token 'tt' at position 10 of line 2.");
  EXPECT_EQ(twice.substr(static_cast<std::size_t>(root->Scanner().Pos() - 1 - 2), 2), "tt");
  EXPECT_EQ(root->Scanner().Pos(), 22);
}

TEST(ParseError, SelectListErrorEmptiesTheTables) {
  auto root = NewRoot(Dialect::MySQL);
  root->OnParserError = [](TVnSelectParser*, const std::string&, const std::string&, int, int) {};
  root->SetSQL("SELECT t.a, ) FROM t");
  EXPECT_EQ(root->TableDefs().Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// The model a statement reads into

TEST(ParseModel, EmptyTextClearsWithoutError) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT a FROM t");
  for (const char* text : {"", "   \r\n  ", ";"}) {
    root->SetSQL(text);
    EXPECT_TRUE(root->Valid());
    EXPECT_EQ(root->TableDefs().Count(), 0);
  }
}

TEST(ParseModel, ItemsGoToTheTablesTheyName) {
  auto root = NewRoot(Dialect::Generic);
  root->SetSQL("SELECT DISTINCT t.a, b FROM t");
  EXPECT_TRUE(root->Distinct());
  ASSERT_EQ(root->TableDefs().Count(), 1);
  const TVnFieldDefs& fields = root->TableDefs().Items(0)->Fields();
  ASSERT_EQ(fields.Count(), 2);
  EXPECT_EQ(fields.Items(0)->Name(), "a");
  EXPECT_EQ(fields.Items(1)->Name(), "b");
  EXPECT_EQ(fields.Items(1)->SelectIndex(), 1);
}

TEST(ParseModel, AliasedTableLeavesUnqualifiedItemsApart) {
  auto root = NewRoot(Dialect::Generic);
  root->SetSQL("SELECT a FROM t x");
  const TVnTableDef* x = root->TableDefs().FindByAlias("x");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->Name(), "t");
  EXPECT_EQ(x->Fields().Count(), 0);
  const TVnTableDef* nameless = root->TableDefs().FindByAlias("");
  ASSERT_NE(nameless, nullptr);
  EXPECT_EQ(nameless->Fields().Items(0)->Name(), "a");

  root->SetSQL("SELECT x.a FROM t x");
  ASSERT_EQ(root->TableDefs().Count(), 1);
  EXPECT_EQ(root->TableDefs().Items(0)->Name(), "t");
  EXPECT_EQ(root->TableDefs().Items(0)->Fields().Items(0)->Name(), "a");
}

TEST(ParseModel, LaterTablesDoNotCopyItems) {
  auto root = NewRoot(Dialect::Generic);
  root->SetSQL("SELECT t1.a FROM t1 INNER JOIN t2 ON (t1.a = t2.b)");
  ASSERT_EQ(root->TableDefs().Count(), 2);
  EXPECT_EQ(root->TableDefs().FieldCount(), 1);
  const TVnJoinDefs& joins = root->TableDefs().FindByAlias("t1")->Joins();
  ASSERT_EQ(joins.Count(), 1);
  EXPECT_EQ(joins.Items(0)->LeftField(), "a");
  EXPECT_EQ(joins.Items(0)->Operator(), "=");
  EXPECT_EQ(joins.Items(0)->RightTable(), "t2");
  EXPECT_EQ(joins.Items(0)->RightField(), "b");
  EXPECT_EQ(joins.Items(0)->JoinKind(), jkInner);
}

TEST(ParseModel, RepeatedSortAndGroupEntriesAppearOnce) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT a FROM t GROUP BY a, t.b, a ORDER BY a DESC, b, a");
  EXPECT_EQ(root->GroupByItems().Strings(), (std::vector<std::string>{"a", "t.b"}));
  const TVnOrderByItems& order = root->OrderByItems();
  ASSERT_EQ(order.Count(), 2);
  EXPECT_TRUE(order.Descending(0));
  EXPECT_FALSE(order.Descending(1));
}

TEST(ParseModel, WhereWithNothingAfterItIsAnEmptyList) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT a FROM t WHERE");
  EXPECT_TRUE(root->Valid());
  EXPECT_EQ(root->WhereItems().Count(), 0);
}

struct ItemCase {
  const char* name;
  std::string item;
  TVnFunctionKind kind;
  std::string itemName;
  int argCount;
  std::string alias;
};

class ParseItems : public testing::TestWithParam<ItemCase> {};

TEST_P(ParseItems, ReadInto) {
  auto root = NewRoot(Dialect::MySQL, true);
  root->SetSQL("SELECT " + GetParam().item + " FROM t");
  ASSERT_TRUE(root->Valid());
  const TVnFieldDef* field = root->TableDefs().FieldBySelectIndex(0);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Kind(), GetParam().kind);
  EXPECT_EQ(field->Name(), GetParam().itemName);
  EXPECT_EQ(field->ArgCount(), GetParam().argCount);
  EXPECT_EQ(field->Alias(), GetParam().alias);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseItems,
    testing::Values(ItemCase{"Field", "a", fkField, "a", 0, "a"},
                    ItemCase{"CountWithAlias", "COUNT(t.a) AS n", fkFunction, "COUNT", 1, "n"},
                    ItemCase{"KnownFunction", "SUBSTRING(name, 1, 3)", fkFunction, "SUBSTRING", 3, "FIELD_1"},
                    ItemCase{"UnknownFunction", "SUBSTR(name, 1, 3)", fkField, "SUBSTR", 3, "SUBSTR"},
                    ItemCase{"NoArguments", "NOW()", fkFunction, "NOW", 0, "FIELD_1"},
                    ItemCase{"Arithmetic", "a + b", fkExpression, "`a` + `b`", 0, "FIELD_1"},
                    ItemCase{"String", "'x'", fkString, "x", 0, "FIELD_1"},
                    ItemCase{"EscapedString", "'a\\tb\\\\'", fkString, "a\tb\\", 0, "FIELD_1"},
                    ItemCase{"Float", "1.5", fkFloat, "1.5", 0, "FIELD_1"},
                    ItemCase{"NegativeInteger", "-7", fkInteger, "-7", 0, "FIELD_1"},
                    ItemCase{"QuotedName", "`a``b`", fkField, "a`b", 0, "a`b"},
                    ItemCase{"AllFieldsOfATable", "t.*", fkField, "", 0, ""}),
    [](const testing::TestParamInfo<ItemCase>& info) { return info.param.name; });

TEST(ParseModel, FunctionArgumentsKeepTheirKinds) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT SUBSTRING(name, 1, 'x') FROM t");
  const TVnFieldDef* field = root->TableDefs().FieldBySelectIndex(0);
  ASSERT_EQ(field->ArgCount(), 3);
  EXPECT_EQ(field->Args().Items(0)->Kind(), fkField);
  EXPECT_EQ(field->Args().Items(1)->Kind(), fkInteger);
  EXPECT_EQ(field->Args().Items(2)->Kind(), fkString);
}

TEST(ParseModel, AutomaticOutputNamesAreUnique) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT COUNT(a), SUM(b) AS FIELD_1, MAX(c) FROM t");
  const TVnTableDefs& tables = root->TableDefs();
  EXPECT_EQ(tables.FieldBySelectIndex(0)->Alias(), "FIELD_1");
  EXPECT_EQ(tables.FieldBySelectIndex(1)->Alias(), "FIELD_1");  // the user's own
  EXPECT_EQ(tables.FieldBySelectIndex(2)->Alias(), "FIELD_2");
}

TEST(ParseModel, ConditionTrees) {
  auto root = NewRoot(Dialect::MySQL, true);
  root->SetSQL("SELECT a FROM t WHERE ((a = 1) OR (b = 2)) AND (c BETWEEN 1 AND 5) AND "
               "(t.d IN ('x', 'y'))");
  const TVnWhereItems& where = root->WhereItems();
  ASSERT_EQ(where.Count(), 3);
  EXPECT_EQ(where.GroupKind(), gkAll);
  ASSERT_TRUE(where.Items(0)->IsGroup());
  EXPECT_EQ(where.Items(0)->SubItems().GroupKind(), gkAny);
  EXPECT_EQ(where.Items(0)->SubItems().Count(), 2);
  EXPECT_EQ(where.Items(1)->Operator(), "BETWEEN");
  EXPECT_EQ(where.Items(1)->ArgCount(), 2);
  EXPECT_EQ(where.Items(2)->Left().Name(), "`t`.`d`");
  EXPECT_EQ(where.Items(2)->ArgCount(), 2);
  EXPECT_EQ(where.Items(2)->Args().Items(1)->Name(), "y");
}

TEST(ParseModel, SingleConditionWithoutBrackets) {
  auto root = NewRoot(Dialect::MySQL);
  root->SetSQL("SELECT a FROM t WHERE a = 1");
  ASSERT_EQ(root->WhereItems().Count(), 1);
  EXPECT_EQ(root->WhereItems().Items(0)->Left().Name(), "a");
}

struct FilterCase {
  const char* name;
  std::string sql;
  TVnMySQLFilter filter;
  TVnMySQLSelectOptions options;
  int rows;
  int offset;
};

class MySQLHead : public testing::TestWithParam<FilterCase> {};

TEST_P(MySQLHead, ReadsFilterOptionsAndLimit) {
  auto root = NewParser<TVnMySelectParser>();
  root->SetSQL(GetParam().sql);
  const TVnMySQLOptions& options = root->MySQLOptions();
  EXPECT_EQ(options.Filter(), GetParam().filter);
  EXPECT_EQ(options.SelectOptions(), GetParam().options);
  EXPECT_EQ(options.LimitRows(), GetParam().rows);
  EXPECT_EQ(options.LimitOffset(), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MySQLHead,
    testing::Values(FilterCase{"Distinct", "SELECT DISTINCT a FROM t", myfoDistinct, 0, 0, 0},
                    FilterCase{"DistinctRow", "SELECT DISTINCTROW a FROM t", myfoDistinctRow, 0, 0, 0},
                    FilterCase{"All", "SELECT ALL a FROM t", myfoAll, 0, 0, 0},
                    FilterCase{"TwoOptions", "SELECT HIGH_PRIORITY STRAIGHT_JOIN a FROM t", myfoNone,
                               mysoHighPriority | mysoStraightJoin, 0, 0},
                    FilterCase{"Limit", "SELECT a FROM t LIMIT 10", myfoNone, 0, 10, 0},
                    FilterCase{"LimitWithOffset", "SELECT a FROM t LIMIT 5, 10", myfoNone, 0, 10, 5},
                    FilterCase{"LimitAfterWhere", "SELECT a FROM t WHERE (a = 1) LIMIT 3", myfoNone, 0,
                               3, 0}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(MySQLDialect, DistinctFalseResetsAnyFilter) {
  auto root = NewParser<TVnMySelectParser>();
  root->SetSQL("SELECT DISTINCTROW a FROM t");
  EXPECT_FALSE(root->Distinct());
  root->SetDistinct(true);
  EXPECT_EQ(root->MySQLOptions().Filter(), myfoDistinct);
  root->SetDistinct(false);
  EXPECT_EQ(root->MySQLOptions().Filter(), myfoNone);
}

TEST(MySQLDialect, ScannerQuotesAndEscapes) {
  auto scanner = NewScanner<TVnMySQLScanner>();
  scanner->SetText("'it\\'s' \"a\" `b` 'c\\\\' d");
  EXPECT_EQ(scanner->Token(), "it\\'s");
  EXPECT_EQ(scanner->Kind(), tkString);
  EXPECT_EQ(scanner->NextToken(), "a");
  EXPECT_EQ(scanner->Kind(), tkString);
  EXPECT_EQ(scanner->NextToken(), "b");
  EXPECT_EQ(scanner->Kind(), tkIdentifier);
  EXPECT_EQ(scanner->NextToken(), "c\\\\");
  EXPECT_EQ(scanner->NextToken(), "d");
  EXPECT_EQ(scanner->QuoteString("C:\\temp\\it's"), "'C:\\\\temp\\\\it''s'");
  EXPECT_EQ(scanner->QuoteName("t.f"), "`t`.`f`");
}

TEST(MySQLDialect, WordListsAsGiven) {
  auto scanner = NewScanner<TVnMySQLScanner>();
  EXPECT_EQ(scanner->Functions().Count(), 137);
  EXPECT_EQ(scanner->Keywords().Count(), 230);
  scanner->SetText("LEFT RIGHT SQL_BUFFER_RESULT CURRENT_DATE");
  EXPECT_EQ(scanner->Kind(), tkFunction);
  EXPECT_EQ(scanner->NextToken(), "RIGHT");
  EXPECT_EQ(scanner->Kind(), tkFunction);
  scanner->NextToken();
  EXPECT_EQ(scanner->Kind(), tkIdentifier);
  scanner->NextToken();
  EXPECT_EQ(scanner->Kind(), tkFunction);
}

}  // namespace
