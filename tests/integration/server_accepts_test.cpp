#include "sakila_model_generator.h"
#include "sandbox_server.h"

#include "core/criterion.h"
#include "core/mysql_parser.h"
#include "core/table_def.h"
#include "dataaccess/database_error.h"
#include "dataaccess/sql_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

// How a statement is written: identifier quoting and the letter case of keywords and of
// function names.
struct TRenderSettings {
  int Index;
  bool Quote;
  TVnFormatMode Keywords;
  TVnFormatMode Functions;

  std::string Name() const {
    static const char* const modes[] = {"AsIs", "Upper", "Lower", "FirstUpper"};
    return std::string(Quote ? "Quoted" : "Bare") + "Keywords" + modes[Keywords] + "Functions" +
           modes[Functions];
  }
  void ApplyTo(TVnMySelectParser& root) const {
    root.Scanner().SetQuoteIdentifiers(Quote);
    root.ScriptFormat().SetKeywordsFormat(Keywords);
    root.ScriptFormat().SetFunctionsFormat(Functions);
  }
};

void PrintTo(const TRenderSettings& settings, std::ostream* os) {
  *os << settings.Name();
}

std::vector<TRenderSettings> AllSettings() {
  std::vector<TRenderSettings> settings;
  for (bool quote : {false, true})
    for (int keywords = 0; keywords < 4; ++keywords)
      for (int functions = 0; functions < 4; ++functions)
        settings.push_back({static_cast<int>(settings.size()), quote,
                            static_cast<TVnFormatMode>(keywords),
                            static_cast<TVnFormatMode>(functions)});
  return settings;
}

std::string SettingsName(const testing::TestParamInfo<TRenderSettings>& info) {
  return info.param.Name();
}

// Runs the statement under EXPLAIN, which makes the server parse it and resolve every name
// without reading rows (random joins over rental and payment would be slow to run), and
// returns the server's message, or '' when it took the statement.
std::string ServerRejection(TSQLConnection& connection, const std::string& sql) {
  TSQLQuery query;
  query.SetSQLConnection(&connection);
  query.SetSQL(QString::fromStdString("EXPLAIN " + sql));
  try {
    query.Open();
    query.Close();
  } catch (const EDatabaseError& error) {
    return error.what();
  }
  return std::string();
}

using ServerCheck = SandboxTest;

// The check itself must see a rejection and pass on the server's words.
TEST_F(ServerCheck, RejectedStatementReportsTheServersMessage) {
  auto root = NewParser<TVnMySelectParser>();
  TVnTableDef* film = root->TableDefs().Add();
  film->SetName("film");
  TVnFieldDef* item = film->Fields().Add();
  item->SetName("no_such_column");
  item->SetKind(fkField);
  const std::string rejection = ServerRejection(Connection, root->GetScript());
  EXPECT_NE(rejection.find("Unknown column 'film.no_such_column'"), std::string::npos) << rejection;
  EXPECT_NE(rejection.find("1054"), std::string::npos) << rejection;
}

// ---------------------------------------------------------------------------------------------
// The statements of the core's rendering tests, on Sakila's tables instead of made-up ones.

TVnTableDef* AddTable(TVnMySelectParser& root, const std::string& name,
                      const std::string& alias = "") {
  TVnTableDef* table = root.TableDefs().Add();
  table->SetName(name);
  if (!alias.empty())
    table->SetAlias(alias);
  return table;
}

TVnFieldDef* AddItem(TVnTableDef* table, const std::string& name, TVnFunctionKind kind = fkField) {
  TVnFieldDef* item = table->Fields().Add();
  item->SetName(name);
  item->SetKind(kind);
  return item;
}

TVnFunctionDef* AddArg(TVnFunctionDefs& args, const std::string& name, TVnFunctionKind kind) {
  TVnFunctionDef* arg = args.Add();
  arg->SetName(name);
  arg->SetKind(kind);
  return arg;
}

void AddJoin(TVnTableDef* left, const std::string& leftField, const std::string& rightTable,
             const std::string& rightField, TVnJoinKind kind = jkInner) {
  TVnJoinDef* join = left->Joins().Add();
  join->SetLeftField(leftField);
  join->SetRightTable(rightTable);
  join->SetRightField(rightField);
  join->SetJoinKind(kind);
}

TVnCriterion* AddCondition(TVnCriterions& list, const std::string& left, const std::string& op,
                           std::initializer_list<std::pair<std::string, TVnFunctionKind>> args) {
  TVnCriterion* criterion = list.Add();
  criterion->Left().SetName(left);
  criterion->Left().SetKind(fkField);
  criterion->SetOperator(op);
  for (const auto& [name, kind] : args)
    AddArg(criterion->Args(), name, kind);
  return criterion;
}

struct TModelCase {
  const char* Name;
  void (*Build)(TVnMySelectParser& root);
  // The model names things that the server takes only in back quotes.
  bool QuotedOnly = false;
};

const TModelCase kModelCases[] = {
    {"PaymentsPerCustomer", // the orders and customers example
     [](TVnMySelectParser& root) {
       TVnTableDef* p = AddTable(root, "payment", "p");
       TVnTableDef* c = AddTable(root, "customer", "c");
       AddItem(p, "payment_id");
       AddItem(c, "last_name");
       TVnFieldDef* count = AddItem(p, "COUNT", fkFunction);
       AddArg(count->Args(), "payment_id", fkField);
       count->SetAlias("cnt");
       AddJoin(p, "customer_id", "c", "customer_id", jkLeftOuter);
       AddCondition(root.WhereItems(), "p.amount", ">", {{"5", fkInteger}});
       root.OrderByItems().AddItem("c.last_name", true);
     }},
    {"TableWithoutItems", [](TVnMySelectParser& root) { AddTable(root, "film"); }},
    {"DistinctStar",
     [](TVnMySelectParser& root) {
       AddTable(root, "film");
       root.SetDistinct(true);
     }},
    {"ItemsOfEveryKind",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film", "f");
       AddItem(f, "NOW", fkFunction);
       AddItem(f, "it's", fkString);
       AddItem(f, "'abc'", fkString);
       AddItem(f, "C:\\temp\\", fkString);
       AddItem(f, "42", fkInteger);
       AddItem(f, "2.5", fkFloat);
       AddItem(f, "f.length + f.rental_duration", fkExpression);
       AddItem(f, "film_id", fkNone);
       AddItem(f, "", fkField);
     }},
    {"CountStarWithItsAutomaticAlias",
     [](TVnMySelectParser& root) {
       TVnFieldDef* count = AddItem(AddTable(root, "film"), "COUNT", fkFunction);
       AddArg(count->Args(), "*", fkNone);
       root.OrderByItems().AddItem("FIELD_1", false);
     }},
    {"ConditionOperands",
     [](TVnMySelectParser& root) {
       AddTable(root, "film");
       TVnCriterions& where = root.WhereItems();
       AddCondition(where, "length", "BETWEEN", {{"1", fkInteger}, {"5", fkInteger}});
       AddCondition(where, "title", "IN", {{"a", fkString}});
       AddCondition(where, "film_id", "NOT IN",
                    {{"1", fkInteger}, {"2", fkInteger}, {"3", fkInteger}});
       AddCondition(where, "original_language_id", "IS NULL", {});
       AddCondition(where, "length", "NOT BETWEEN",
                    {{"1", fkInteger}, {"2", fkInteger}, {"3", fkInteger}});
       AddCondition(where, "title", "NOT LIKE", {{"%it's\\%", fkString}});
       where.SetGroupKind(gkAny);
     }},
    {"GroupsNestAndNegate",
     [](TVnMySelectParser& root) {
       AddTable(root, "film");
       TVnCriterions& where = root.WhereItems();
       TVnCriterion* group = where.Add();
       AddCondition(group->SubItems(), "film_id", "=", {{"1", fkInteger}});
       AddCondition(group->SubItems(), "language_id", "=", {{"2", fkInteger}});
       group->SubItems().SetGroupKind(gkNotAll);
       TVnCriterion* none = where.Add();
       AddCondition(none->SubItems(), "length", "<", {{"3", fkInteger}});
       none->SubItems().SetGroupKind(gkNone);
       where.SetGroupKind(gkAny);
     }},
    {"GroupByAndHavingOnlyWhenAggregatesMeetPlainItems",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film");
       AddItem(f, "rating");
       AddArg(AddItem(f, "SUM", fkFunction)->Args(), "length", fkNone);
       root.GroupByItems().Add("stale");
       AddCondition(root.HavingItems(), "rating", "=", {{"PG", fkString}});
     }},
    {"JoinTargetIsNotListedOnItsOwn",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film");
       AddTable(root, "film_actor");
       AddTable(root, "category");
       AddJoin(f, "film_id", "film_actor", "film_id");
     }},
    {"JoinChainsFollowTheJoinThatReachesThem",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film", "f");
       TVnTableDef* i = AddTable(root, "inventory", "i");
       AddTable(root, "rental", "r");
       AddTable(root, "language", "l");
       AddJoin(i, "inventory_id", "r", "inventory_id", jkRightOuter);
       AddJoin(f, "film_id", "i", "film_id");
       AddJoin(f, "language_id", "l", "language_id", jkLeftOuter);
     }},
    {"JoinsBothWaysNameEachTableOnce",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film", "f");
       TVnTableDef* ft = AddTable(root, "film_text", "ft");
       AddJoin(f, "film_id", "ft", "film_id");
       AddJoin(ft, "title", "f", "title");
     }},
    {"CycleOfThreeNamesEachTableOnce",
     [](TVnMySelectParser& root) {
       TVnTableDef* c = AddTable(root, "customer", "c");
       TVnTableDef* s = AddTable(root, "store", "s");
       TVnTableDef* a = AddTable(root, "address", "a");
       AddJoin(c, "store_id", "s", "store_id");
       AddJoin(s, "address_id", "a", "address_id");
       AddJoin(a, "address_id", "c", "address_id");
     }},
    {"TwoLinksToOneTableShareItsOnCondition",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film");
       AddTable(root, "language");
       AddJoin(f, "language_id", "language", "language_id");
       AddJoin(f, "original_language_id", "language", "language_id", jkLeftOuter);
     }},
    {"IncompleteJoinsRenderNothing",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film");
       AddTable(root, "language");
       AddJoin(f, "language_id", "language", "  ");
       AddJoin(f, "", "language", "language_id");
       AddJoin(f, "language_id", "nowhere", "language_id");
     }},
    {"ItemsOfATableWithoutNameStayUnqualified",
     [](TVnMySelectParser& root) {
       AddItem(AddTable(root, ""), "title");
       AddItem(AddTable(root, "film", "x"), "description");
     }},
    {"OptionsFilterAndLimit", // the dialect's example
     [](TVnMySelectParser& root) {
       AddItem(AddTable(root, "film", "t"), "title");
       root.MySQLOptions().SetSelectOptions(mysoStraightJoin | mysoHighPriority);
       root.MySQLOptions().SetFilter(myfoDistinct);
       root.MySQLOptions().SetLimitOffset(20);
       root.MySQLOptions().SetLimitRows(10);
     }},
    {"EveryOptionWithDistinctRowAfterHaving",
     [](TVnMySelectParser& root) {
       TVnTableDef* f = AddTable(root, "film", "f");
       AddItem(f, "rating");
       AddArg(AddItem(f, "COUNT", fkFunction)->Args(), "*", fkNone);
       AddCondition(root.HavingItems(), "FIELD_1", ">", {{"1", fkInteger}});
       root.MySQLOptions().SetSelectOptions(mysoStraightJoin | mysoSQLSmallResult |
                                            mysoSQLBigResult | mysoSQLBufferResult |
                                            mysoHighPriority);
       root.MySQLOptions().SetFilter(myfoDistinctRow);
       root.MySQLOptions().SetLimitRows(5);
     }},
    {"AllFilterAndLimitAfterWhere",
     [](TVnMySelectParser& root) {
       AddItem(AddTable(root, "film"), "title");
       AddCondition(root.WhereItems(), "film.title", "LIKE", {{"A%", fkString}});
       root.MySQLOptions().SetFilter(myfoAll);
       root.MySQLOptions().SetLimitRows(3);
     }},
    {"HostExampleReadBack",  // the statement of the embedding example, parsed and rendered
     [](TVnMySelectParser& root) { root.SetSQL("SELECT f.title FROM film f"); }},
    {"NamesThatAreKeywordsOrHoldBlanks",
     [](TVnMySelectParser& root) {
       TVnTableDef* c = AddTable(root, "customer_list", "order");
       AddItem(c, "zip code")->SetAlias("select");
       AddItem(c, "name")->SetAlias("from");
       root.OrderByItems().AddItem("order.zip code", true);
     },
     true},
};

void PrintTo(const TModelCase& modelCase, std::ostream* os) {
  *os << modelCase.Name;
}

class HandBuiltModels : public SandboxTest, public testing::WithParamInterface<TModelCase> {};

TEST_P(HandBuiltModels, ServerAcceptsTheRenderedStatement) {
  for (const TRenderSettings& settings : AllSettings()) {
    if (GetParam().QuotedOnly && !settings.Quote)
      continue;
    auto root = NewParser<TVnMySelectParser>();
    settings.ApplyTo(*root);
    GetParam().Build(*root);
    const std::string sql = root->GetScript();
    EXPECT_EQ(ServerRejection(Connection, sql), "") << settings.Name() << " rendered as\n" << sql;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HandBuiltModels, testing::ValuesIn(kModelCases),
                         [](const testing::TestParamInfo<TModelCase>& info) {
                           return std::string(info.param.Name);
                         });

// ---------------------------------------------------------------------------------------------
// Random models

constexpr int kModelsPerSetting = 20;
constexpr std::uint32_t kFirstSeed = 1;

class RandomModels : public SandboxTest, public testing::WithParamInterface<TRenderSettings> {};

TEST_P(RandomModels, ServerAcceptsTheRenderedStatement) {
  const TRenderSettings& settings = GetParam();
  for (int i = 0; i < kModelsPerSetting; ++i) {
    const std::uint32_t seed = kFirstSeed + settings.Index * kModelsPerSetting + i;
    auto root = NewParser<TVnMySelectParser>();
    settings.ApplyTo(*root);
    sakila::TModelOptions options;
    options.NamesNeedingQuotes = settings.Quote;
    sakila::TSakilaModelGenerator(seed, options).Fill(*root);
    const std::string sql = root->GetScript();
    const std::string rejection = ServerRejection(Connection, sql);
    EXPECT_EQ(rejection, "") << "model of seed " << seed << " rendered as\n" << sql;
  }
}

INSTANTIATE_TEST_SUITE_P(Settings, RandomModels, testing::ValuesIn(AllSettings()), SettingsName);

} // namespace
