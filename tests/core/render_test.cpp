#include "core/select_parser.h"

#include <gtest/gtest.h>

#include <string>

using namespace vantor;

namespace {

class Render : public testing::Test {
protected:
  std::unique_ptr<TVnSelectParser> root = NewParser<TVnSelectParser>();

  void SetUp() override { root->Scanner().SetQuoteIdentifiers(false); }

  TVnTableDef* AddTable(const std::string& name, const std::string& alias = "") {
    TVnTableDef* table = root->TableDefs().Add();
    table->SetName(name);
    if (!alias.empty())
      table->SetAlias(alias);
    return table;
  }

  static TVnFieldDef* AddItem(TVnTableDef* table, const std::string& name,
                              TVnFunctionKind kind = fkField) {
    TVnFieldDef* field = table->Fields().Add();
    field->SetName(name);
    field->SetKind(kind);
    return field;
  }

  static TVnJoinDef* AddJoin(TVnTableDef* left, const std::string& leftField,
                             const std::string& rightTable, const std::string& rightField,
                             TVnJoinKind kind = jkInner) {
    TVnJoinDef* join = left->Joins().Add();
    join->SetLeftField(leftField);
    join->SetRightTable(rightTable);
    join->SetRightField(rightField);
    join->SetJoinKind(kind);
    return join;
  }

  TVnCriterion* AddCondition(TVnCriterions& list, const std::string& left, const std::string& op,
                             std::initializer_list<std::pair<std::string, TVnFunctionKind>> args) {
    TVnCriterion* criterion = list.Add();
    criterion->Left().SetName(left);
    criterion->Left().SetKind(fkField);
    criterion->SetOperator(op);
    for (const auto& [name, kind] : args) {
      TVnFunctionDef* arg = criterion->Args().Add();
      arg->SetName(name);
      arg->SetKind(kind);
    }
    return criterion;
  }

  // Orders and customers with a left join, a count, a condition and a sort entry.
  void BuildOrdersExample() {
    TVnTableDef* o = AddTable("orders", "o");
    TVnTableDef* c = AddTable("customers", "c");
    AddItem(o, "id");
    AddItem(c, "name");
    TVnFieldDef* count = AddItem(o, "COUNT", fkFunction);
    TVnFunctionDef* arg = count->Args().Add();
    arg->SetName("id");
    arg->SetKind(fkField);
    count->SetAlias("cnt");
    AddJoin(o, "cust_id", "c", "id", jkLeftOuter);
    AddCondition(root->WhereItems(), "o.total", ">", {{"100", fkInteger}});
    root->OrderByItems().AddItem("c.name", true);
  }
};

TEST_F(Render, OrdersExample) {
  BuildOrdersExample();
  EXPECT_EQ(root->GetScript(), "SELECT \r\n"
                               "  o.id,\r\n"
                               "  c.name,\r\n"
                               "  COUNT(o.id) AS cnt\r\n"
                               "FROM\r\n"
                               "  orders o \r\n"
                               "  LEFT OUTER JOIN customers c ON (o.cust_id = c.id)\r\n"
                               "WHERE\r\n"
                               "  (o.total > 100)\r\n"
                               "GROUP BY\r\n"
                               "  o.id,\r\n"
                               "  c.name\r\n"
                               "ORDER BY\r\n"
                               "  c.name DESC\r\n");
}

TEST_F(Render, OrdersExampleQuotedAndInLowerCase) {
  BuildOrdersExample();
  root->Scanner().SetQuoteIdentifiers(true);
  root->ScriptFormat().SetKeywordsFormat(qfmLowerCase);
  root->ScriptFormat().SetFunctionsFormat(qfmLowerCase);
  EXPECT_EQ(root->GetScript(),
            "select \r\n"
            "  \"o\".\"id\",\r\n"
            "  \"c\".\"name\",\r\n"
            "  count(\"o\".\"id\") as cnt\r\n"
            "from\r\n"
            "  \"orders\" \"o\" \r\n"
            "  left outer join \"customers\" \"c\" on (\"o\".\"cust_id\" = \"c\".\"id\")\r\n"
            "where\r\n"
            "  (\"o\".\"total\" > 100)\r\n"
            "group by\r\n"
            "  \"o\".\"id\",\r\n"
            "  \"c\".\"name\"\r\n"
            "order by\r\n"
            "  \"c\".\"name\" DESC\r\n");
}

TEST_F(Render, EmptyModelAndTableWithoutItems) {
  EXPECT_EQ(root->GetScript(), "");
  AddTable("t");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n  t\r\n");
  root->SetDistinct(true);
  EXPECT_EQ(root->GetScript(), "SELECT DISTINCT *\r\nFROM\r\n  t\r\n");
}

struct ItemCase {
  const char* name;
  std::string itemName;
  TVnFunctionKind kind;
  std::string text;
};

class RenderItem : public testing::TestWithParam<ItemCase> {};

TEST_P(RenderItem, Renders) {
  auto root = NewParser<TVnSelectParser>();
  root->Scanner().SetQuoteIdentifiers(false);
  TVnTableDef* t = root->TableDefs().Add();
  TVnFieldDef* item = t->Fields().Add();
  item->SetName(GetParam().itemName);
  item->SetKind(GetParam().kind);
  EXPECT_EQ(item->GetScript(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderItem,
    testing::Values(ItemCase{"FunctionWithoutArguments", "NOW", fkFunction, "NOW() AS FIELD_1"},
                    ItemCase{"StringDoublesApostrophes", "it's", fkString, "'it''s' AS FIELD_1"},
                    ItemCase{"StringKeepsItsOwnQuotes", "'abc'", fkString, "'''abc''' AS FIELD_1"},
                    ItemCase{"Integer", "42", fkInteger, "42 AS FIELD_1"},
                    ItemCase{"Expression", "a + b", fkExpression, "a + b AS FIELD_1"},
                    ItemCase{"PlainTextHasNoAlias", "x", fkNone, "x"},
                    ItemCase{"FieldOfATableWithoutName", "a", fkField, "a"},
                    ItemCase{"EmptyFieldIsNothing", "", fkField, ""}),
    [](const testing::TestParamInfo<ItemCase>& info) { return info.param.name; });

TEST_F(Render, AggregateWithArgumentsGetsItsAutomaticAlias) {
  TVnTableDef* t = AddTable("t");
  TVnFieldDef* count = AddItem(t, "COUNT", fkFunction);
  count->Args().Add()->SetName("*");
  EXPECT_EQ(root->GetScript(), "SELECT \r\n  COUNT(*) AS FIELD_1\r\nFROM\r\n  t\r\n");
}

TEST_F(Render, ConditionOperands) {
  TVnCriterions& where = root->WhereItems();
  AddCondition(where, "x", "BETWEEN", {{"1", fkInteger}, {"5", fkInteger}});
  AddCondition(where, "x", "BETWEEN", {{"1", fkInteger}});
  AddCondition(where, "x", "IN", {{"a", fkString}});
  AddCondition(where, "x", "NOT IN", {{"1", fkInteger}, {"2", fkInteger}, {"3", fkInteger}});
  AddCondition(where, "x", "IS NULL", {});
  AddCondition(where, "x", "NOT BETWEEN", {{"1", fkInteger}, {"2", fkInteger}, {"3", fkInteger}});
  AddCondition(where, "x", "no such", {{"1", fkInteger}});
  EXPECT_EQ(where.GetScript(), "WHERE\r\n"
                               "  (x BETWEEN 1 AND 5) AND \r\n"
                               "  (x BETWEEN 1 ) AND \r\n"
                               "  (x IN ('a')) AND \r\n"
                               "  (x NOT IN (1, 2, 3)) AND \r\n"
                               "  (x IS NULL) AND \r\n"
                               "  (x NOT BETWEEN 1 AND 2) AND \r\n"
                               "  (x no such)\r\n");
}

TEST_F(Render, GroupsNestAndNegate) {
  TVnCriterions& where = root->WhereItems();
  TVnCriterion* group = where.Add();
  AddCondition(group->SubItems(), "a", "=", {{"1", fkInteger}});
  AddCondition(group->SubItems(), "b", "=", {{"2", fkInteger}});
  group->SubItems().SetGroupKind(gkNotAll);
  AddCondition(where, "c", "<", {{"3", fkInteger}});
  where.SetGroupKind(gkAny);
  root->ScriptFormat().SetKeywordsFormat(qfmFirstUpper);
  EXPECT_EQ(where.GetScript(), "Where\r\n"
                               "  (Not ((a = 1) or \r\n"
                               "  (b = 2))) or \r\n"
                               "  (c < 3)\r\n");
}

TEST_F(Render, GroupByOnlyWhenAggregatesMeetPlainItems) {
  TVnTableDef* t = AddTable("t");
  AddItem(t, "a");
  root->GroupByItems().Add("stale");
  AddCondition(root->HavingItems(), "a", "=", {{"1", fkInteger}});
  EXPECT_EQ(root->GetScript(), "SELECT \r\n  t.a\r\nFROM\r\n  t\r\n");
  EXPECT_EQ(root->GroupByItems().Count(), 0);

  TVnFieldDef* sum = AddItem(t, "SUM", fkFunction);
  sum->Args().Add()->SetName("b");
  EXPECT_EQ(root->GetScript(), "SELECT \r\n"
                               "  t.a,\r\n"
                               "  SUM(b) AS FIELD_1\r\n"
                               "FROM\r\n"
                               "  t\r\n"
                               "GROUP BY\r\n"
                               "  t.a\r\n"
                               "HAVING\r\n"
                               "  (a = 1)\r\n");
}

TEST_F(Render, JoinTargetIsNotListedOnItsOwn) {
  TVnTableDef* t1 = AddTable("t1");
  AddTable("t2");
  AddTable("t3");
  AddJoin(t1, "a", "t2", "b");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  t1 \r\n"
                               "  INNER JOIN t2 ON (t1.a = t2.b),\r\n"
                               "  t3\r\n");
}

TEST_F(Render, JoinChainsFollowTheJoinThatReachesThem) {
  TVnTableDef* a = AddTable("a");
  TVnTableDef* b = AddTable("b");
  AddTable("c");
  AddTable("d");
  AddJoin(b, "x", "c", "x", jkRightOuter);
  AddJoin(a, "x", "b", "x");
  AddJoin(a, "y", "d", "y", jkFullOuter);
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  a \r\n"
                               "  INNER JOIN b ON (a.x = b.x)\r\n"
                               "  FULL OUTER JOIN d ON (a.y = d.y) \r\n"
                               "  RIGHT OUTER JOIN c ON (b.x = c.x)\r\n");
}

TEST_F(Render, JoinsBothWaysNameEachTableOnce) {
  TVnTableDef* t1 = AddTable("t1");
  TVnTableDef* t2 = AddTable("t2");
  AddJoin(t1, "a", "t2", "b");
  AddJoin(t2, "c", "t1", "d");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  t1 \r\n"
                               "  INNER JOIN t2 ON (t1.a = t2.b) \r\n"
                               "  AND (t2.c = t1.d)\r\n");
}

TEST_F(Render, CycleOfThreeNamesEachTableOnce) {
  TVnTableDef* a = AddTable("a");
  TVnTableDef* b = AddTable("b");
  TVnTableDef* c = AddTable("c");
  AddJoin(a, "x", "b", "x");
  AddJoin(b, "y", "c", "y");
  AddJoin(c, "z", "a", "z");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  a \r\n"
                               "  INNER JOIN b ON (a.x = b.x)\r\n"
                               "  INNER JOIN c ON (c.z = a.z) \r\n"
                               "  AND (b.y = c.y)\r\n");
}

TEST_F(Render, JoinsIntoOneTableFromBothSidesAreAllWritten) {
  // Links drawn from film and from actor to film_actor: film_actor is brought in by film,
  // actor by its own join, turned round.
  TVnTableDef* f = AddTable("film", "f");
  AddTable("film_actor", "fa");
  TVnTableDef* a = AddTable("actor", "a");
  AddJoin(f, "film_id", "fa", "film_id");
  AddJoin(a, "actor_id", "fa", "actor_id", jkLeftOuter);
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  film f \r\n"
                               "  INNER JOIN film_actor fa ON (f.film_id = fa.film_id) \r\n"
                               "  RIGHT OUTER JOIN actor a ON (a.actor_id = fa.actor_id)\r\n");
}

TEST_F(Render, TwoLinksToOneTableShareItsOnCondition) {
  TVnTableDef* t1 = AddTable("t1");
  AddTable("t2");
  AddJoin(t1, "a", "t2", "b");
  AddJoin(t1, "c", "t2", "d");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n"
                               "  t1 \r\n"
                               "  INNER JOIN t2 ON (t1.a = t2.b)\r\n"
                               "  AND (t1.c = t2.d)\r\n");
}

TEST_F(Render, IncompleteJoinsRenderNothing) {
  TVnTableDef* t1 = AddTable("t1");
  AddTable("t2");
  AddJoin(t1, "a", "t2", "  ");
  AddJoin(t1, "", "t2", "b");
  AddJoin(t1, "a", "nowhere", "b");
  EXPECT_EQ(root->GetScript(), "SELECT *\r\nFROM\r\n  t1,\r\n  t2\r\n");
}

TEST_F(Render, ItemsOfATableWithoutNameStayUnqualified) {
  TVnTableDef* nameless = AddTable("");
  AddItem(nameless, "a");
  AddItem(AddTable("t", "x"), "b");
  EXPECT_EQ(root->GetScript(), "SELECT \r\n  a,\r\n  x.b\r\nFROM\r\n  t x\r\n");
}

TEST_F(Render, FileLikeNamesAreQuotedAsAWhole) {
  root->Scanner().SetQuoteIdentifiers(true);
  EXPECT_EQ(root->QuoteIdent("data.dbf"), "\"data.dbf\"");
  EXPECT_EQ(root->QuoteIdent("t.f"), "\"t\".\"f\"");
}

struct FormatCase {
  const char* name;
  std::string input;
  TVnFormatMode mode;
  std::string output;
};

class FormatModes : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatModes, Apply) {
  EXPECT_EQ(ApplyFormatMode(GetParam().input, GetParam().mode), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatModes,
    testing::Values(FormatCase{"AsIs", "Left Outer", qfmAsIs, "Left Outer"},
                    FormatCase{"Upper", "select", qfmUpperCase, "SELECT"},
                    FormatCase{"Lower", "SELECT", qfmLowerCase, "select"},
                    FormatCase{"FirstUpperAfterUnderscore", "DATE_FORMAT", qfmFirstUpper, "Date_Format"},
                    FormatCase{"FirstUpperWords", "LEFT OUTER", qfmFirstUpper, "Left outer"},
                    FormatCase{"FirstUpperLeadingBlank", " AND ", qfmFirstUpper, " and "},
                    FormatCase{"FirstUpperTimestamp", "CURRENT_TIMESTAMP", qfmFirstUpper, "Current_Timestamp"},
                    FormatCase{"Empty", "", qfmUpperCase, ""}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

}  // namespace
