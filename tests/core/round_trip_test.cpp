// Every statement the renderer writes reads back into a model that renders the same text:
// random models, both dialects, quoting on and off, every letter case.

#include "core/errors.h"
#include "core/mysql_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace vantor;

namespace {

struct Setting {
  bool mysql;
  bool quote;
  TVnFormatMode keywords;
  TVnFormatMode functions;
};

class RandomModel {
public:
  RandomModel(TVnSelectParser& root, const Setting& setting, unsigned seed)
      : m_root(root), m_setting(setting), m_random(seed) {}

  void Build() {
    AddTables();
    AddSelectItems();
    AddJoins();
    if (Chance(60))
      AddConditions(m_root.WhereItems(), 0, false);
    if (Chance(30))
      AddConditions(m_root.HavingItems(), 0, true);
    AddOrderBy();
    if (m_setting.mysql)
      AddMySQLOptions(static_cast<TVnMySelectParser&>(m_root).MySQLOptions());
    else
      m_root.SetDistinct(Chance(20));
  }

private:
  int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T> const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }

  // Names the dialect reads back: plain identifiers that are no words of either dialect, and,
  // with quoting on, anything without a dot.
  std::string Name(const char* prefix) {
    static const std::vector<std::string> odd = {"select", "from", "a b", "we`ird", "1st",
                                                 "caf\xc3\xa9", "order", "x-y", "count"};
    if (m_setting.quote && Chance(25))
      return Pick(odd) + (Chance(50) ? std::to_string(Below(3)) : "");
    return prefix + std::to_string(Below(6));
  }

  std::string StringValue() {
    static const std::vector<std::string> values = {
        "it's", "C:\\temp\\it's", "a\"b", "", "tab\there", "100%", "two\r\nlines", "caf\xc3\xa9",
        "`q`", "''", "\\", "x"};
    return Pick(values);
  }

  void SetValue(TVnFunctionDef& item, bool allowField) {
    switch (Below(allowField ? 5 : 4)) {
    case 0:
      item.SetName(std::to_string(Below(1000)));
      item.SetKind(fkInteger);
      break;
    case 1:
      item.SetName("-" + std::to_string(1 + Below(50)));
      item.SetKind(fkInteger);
      break;
    case 2:
      item.SetName(std::to_string(Below(100)) + "." + std::to_string(Below(100)));
      item.SetKind(fkFloat);
      break;
    case 3:
      item.SetName(StringValue());
      item.SetKind(fkString);
      break;
    default:
      item.SetName(QualifiedField());
      item.SetKind(fkField);
      break;
    }
  }

  std::string QualifiedField() {
    const TVnTableDef* table = m_root.TableDefs().Items(Below(m_root.TableDefs().Count()));
    return Chance(80) ? table->Alias() + "." + Name("f") : Name("f");
  }

  void AddTables() {
    const int count = 1 + Below(5);
    std::vector<std::string> aliases;
    for (int i = 0; i < count; ++i) {
      TVnTableDef* table = m_root.TableDefs().Add();
      std::string name = Name("tb");
      std::string alias = name;
      // Aliases are unique and never another table's name.
      bool clash = true;
      for (int attempt = 0; clash && attempt < 20; ++attempt) {
        if (attempt > 0 || Chance(40))
          alias = "ta" + std::to_string(Below(50));
        clash = false;
        for (const std::string& used : aliases)
          clash = clash || used == alias;
        for (int t = 0; t < m_root.TableDefs().Count(); ++t)
          clash = clash || m_root.TableDefs().Items(t)->Name() == alias ||
                  (alias != name && name == m_root.TableDefs().Items(t)->Alias());
      }
      if (clash) {
        m_root.TableDefs().Delete(table->Index());
        continue;
      }
      table->SetName(name);
      table->SetAlias(alias);
      aliases.push_back(alias);
    }
  }

  void AddSelectItems() {
    TVnTableDefs& tables = m_root.TableDefs();
    const int count = Below(8);
    for (int i = 0; i < count; ++i) {
      TVnTableDef* table = tables.Items(Below(tables.Count()));
      TVnFieldDef* item = table->Fields().Add();
      switch (Below(8)) {
      case 0: {
        // An aggregate over a field, or COUNT(*).
        static const std::vector<std::string> aggregates = {"COUNT", "SUM", "MIN", "MAX", "AVG"};
        item->SetName(Pick(aggregates));
        item->SetKind(fkFunction);
        TVnFunctionDef* arg = item->Args().Add();
        if (item->Name() == "COUNT" && Chance(30)) {
          arg->SetName("*");
        } else {
          arg->SetName(Name("f"));
          arg->SetKind(fkField);
        }
        break;
      }
      case 1:
        if (m_setting.mysql) {
          item->SetName(Chance(50) ? "NOW" : "CURRENT_TIMESTAMP");
          item->SetKind(fkFunction);
        } else {
          item->SetName("myfn");  // a call the dialect does not know
          item->SetKind(fkField);
          item->Args().Add()->SetName("1");
          item->Args().Items(0)->SetKind(fkInteger);
        }
        break;
      case 2:
        SetValue(*item, false);
        break;
      case 3:
        item->SetName(m_root.Scanner().QuoteName(Name("f")) + " + " + std::to_string(Below(9)));
        item->SetKind(fkExpression);
        break;
      case 4:
        item->SetKind(fkField);  // all fields of the table
        break;
      default:
        item->SetName(Name("f"));
        item->SetKind(fkField);
        break;
      }
      if (item->Kind() != fkField || !item->Name().empty())
        if (Chance(25))
          item->SetAlias("al" + std::to_string(Below(20)));
    }
  }

  void AddJoins() {
    static const std::vector<std::string> operators = {"=", "=", "<>", "<", ">", "<=", ">="};
    TVnTableDefs& tables = m_root.TableDefs();
    const auto join = [&](TVnTableDef* left, TVnTableDef* right) {
      TVnJoinDef* j = left->Joins().Add();
      j->SetLeftField(Name("f"));
      j->SetRightTable(right->Alias());
      j->SetRightField(Name("f"));
      j->SetOperator(Pick(operators));
      j->SetJoinKind(static_cast<TVnJoinKind>(Below(4)));
    };
    for (int i = 1; i < tables.Count(); ++i)
      if (Chance(60))
        join(tables.Items(Below(i)), tables.Items(i));
    // Loops, second links between a pair, joins against the list's order.
    for (int extra = Below(3); extra > 0 && tables.Count() > 1; --extra)
      if (Chance(40))
        join(tables.Items(Below(tables.Count())), tables.Items(Below(tables.Count())));
  }

  void AddConditions(TVnCriterions& list, int depth, bool having) {
    static const std::vector<TVnGroupKind> kinds = {gkAll, gkAny, gkNone, gkNotAll};
    list.SetGroupKind(Pick(kinds));
    const int count = 1 + Below(3);
    for (int i = 0; i < count; ++i) {
      TVnCriterion* criterion = list.Add();
      if (depth < 3 && Chance(25)) {
        AddConditions(criterion->SubItems(), depth + 1, having);
        continue;
      }
      TVnFunctionDef& left = criterion->Left();
      if (having && Chance(50)) {
        left.SetName("COUNT");
        left.SetKind(fkFunction);
        TVnFunctionDef* arg = left.Args().Add();
        arg->SetName(QualifiedField());
        arg->SetKind(fkField);
      } else {
        left.SetName(QualifiedField());
        left.SetKind(fkField);
      }
      const TVnOperator* op = m_root.Operators().Items(Below(m_root.Operators().Count()));
      criterion->SetOperator(op->Caption());
      int values = op->Count();
      if (!op->Prefix().empty())
        values = 1 + Below(3);
      for (int v = 0; v < values; ++v)
        SetValue(*criterion->Args().Add(), true);
    }
  }

  void AddOrderBy() {
    for (int i = Below(4); i > 0; --i) {
      std::string entry;
      switch (Below(3)) {
      case 0:
        entry = "al" + std::to_string(Below(20));
        break;
      case 1:
        entry = std::to_string(1 + Below(3));
        break;
      default:
        entry = QualifiedField();
        break;
      }
      if (m_root.OrderByItems().IndexOf(entry) < 0)
        m_root.OrderByItems().AddItem(entry, Chance(50));
    }
  }

  void AddMySQLOptions(TVnMySQLOptions& options) {
    options.SetFilter(static_cast<TVnMySQLFilter>(Below(4)));
    options.SetSelectOptions(static_cast<TVnMySQLSelectOptions>(Chance(30) ? Below(32) : 0));
    if (Chance(40)) {
      options.SetLimitRows(1 + Below(1000));
      options.SetLimitOffset(Chance(50) ? Below(100) : 0);
    }
  }

  TVnSelectParser& m_root;
  Setting m_setting;
  std::mt19937 m_random;
};

std::unique_ptr<TVnSelectParser> NewRoot(const Setting& setting) {
  std::unique_ptr<TVnSelectParser> root;
  if (setting.mysql)
    root = NewParser<TVnMySelectParser>();
  else
    root = NewParser<TVnSelectParser>();
  root->Scanner().SetQuoteIdentifiers(setting.quote);
  root->ScriptFormat().SetKeywordsFormat(setting.keywords);
  root->ScriptFormat().SetFunctionsFormat(setting.functions);
  return root;
}

class RoundTrip : public testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(RoundTrip, RandomModelsRenderTheSameTextAfterParsing) {
  const auto [mysql, quote] = GetParam();
  constexpr unsigned kModels = 1500;
  int failures = 0;
  for (unsigned seed = 1; seed <= kModels && failures < 5; ++seed) {
    const Setting setting{mysql, quote, static_cast<TVnFormatMode>(seed % 4),
                          static_cast<TVnFormatMode>((seed / 4) % 4)};
    auto original = NewRoot(setting);
    RandomModel(*original, setting, seed).Build();
    const std::string text = original->GetScript();
    if (text.empty())
      continue;
    auto parsed = NewRoot(setting);
    std::string again;
    try {
      parsed->SetSQL(text);
      again = parsed->GetScript();
    } catch (const EVnError& error) {
      again = std::string("error: ") + error.what();
    }
    if (again != text) {
      ++failures;
      ADD_FAILURE() << "seed " << seed << "\n--- rendered:\n" << text << "\n--- read back:\n" << again;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Dialects, RoundTrip,
                         testing::Combine(testing::Bool(), testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<bool, bool>>& info) {
                           return std::string(std::get<0>(info.param) ? "MySQL" : "Generic") +
                                  (std::get<1>(info.param) ? "Quoted" : "Plain");
                         });

}  // namespace
