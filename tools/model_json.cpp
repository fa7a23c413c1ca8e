#include "model_json.h"

#include "core/criterion.h"
#include "core/function_def.h"
#include "core/join_def.h"
#include "core/mysql_parser.h"
#include "core/select_parser.h"
#include "core/string_lists.h"
#include "core/table_def.h"

using namespace vantor;
using Json = nlohmann::ordered_json;

namespace {

const char* KindName(TVnFunctionKind kind) {
  switch (kind) {
  case fkNone:
    return "none";
  case fkFunction:
    return "function";
  case fkField:
    return "field";
  case fkInteger:
    return "integer";
  case fkFloat:
    return "float";
  case fkString:
    return "string";
  case fkExpression:
    return "expression";
  }
  return "unknown";
}

const char* JoinKindName(TVnJoinKind kind) {
  switch (kind) {
  case jkInner:
    return "inner";
  case jkLeftOuter:
    return "left_outer";
  case jkRightOuter:
    return "right_outer";
  case jkFullOuter:
    return "full_outer";
  }
  return "unknown";
}

const char* GroupKindName(TVnGroupKind kind) {
  switch (kind) {
  case gkAll:
    return "all";
  case gkAny:
    return "any";
  case gkNone:
    return "none";
  case gkNotAll:
    return "not_all";
  }
  return "unknown";
}

const char* FilterName(TVnMySQLFilter filter) {
  switch (filter) {
  case myfoNone:
    return "none";
  case myfoDistinct:
    return "distinct";
  case myfoDistinctRow:
    return "distinctrow";
  case myfoAll:
    return "all";
  }
  return "unknown";
}

Json FunctionJson(const TVnFunctionDef& item);

Json ArgsJson(const TVnFunctionDef& item) {
  Json args = Json::array();
  // ArgCount, not Args(): the list is created on first use, and reading must not add one.
  for (int i = 0; i < item.ArgCount(); ++i)
    args.push_back(FunctionJson(*item.Args().Items(i)));
  return args;
}

Json FunctionJson(const TVnFunctionDef& item) {
  Json json;
  json["name"] = item.Name();
  json["kind"] = KindName(item.Kind());
  json["args"] = ArgsJson(item);
  return json;
}

Json FieldJson(const TVnFieldDef& field) {
  Json json;
  json["name"] = field.Name();
  json["alias"] = field.Alias();
  json["kind"] = KindName(field.Kind());
  json["select_index"] = field.SelectIndex();
  json["args"] = ArgsJson(field);
  return json;
}

Json JoinJson(const TVnJoinDef& join) {
  Json json;
  json["kind"] = JoinKindName(join.JoinKind());
  json["left_field"] = join.LeftField();
  json["operator"] = join.Operator();
  json["right_table"] = join.RightTable();
  json["right_field"] = join.RightField();
  return json;
}

Json TableJson(const TVnTableDef& table) {
  Json json;
  json["name"] = table.Name();
  json["alias"] = table.Alias();
  Json fields = Json::array();
  for (int i = 0; i < table.Fields().Count(); ++i)
    fields.push_back(FieldJson(*table.Fields().Items(i)));
  json["fields"] = std::move(fields);
  Json joins = Json::array();
  for (int i = 0; i < table.Joins().Count(); ++i)
    joins.push_back(JoinJson(*table.Joins().Items(i)));
  json["joins"] = std::move(joins);
  return json;
}

// A condition list: {"group_kind", "items"}, where an item is either a condition
// {"left", "operator", "args"} or a nested list of the same shape.
Json CriteriaJson(const TVnCriterions& list) {
  Json items = Json::array();
  for (int i = 0; i < list.Count(); ++i) {
    const TVnCriterion& criterion = *list.Items(i);
    if (criterion.IsGroup()) {
      items.push_back(CriteriaJson(criterion.SubItems()));
      continue;
    }
    Json json;
    json["left"] = FunctionJson(criterion.Left());
    json["operator"] = criterion.Operator();
    Json args = Json::array();
    for (int a = 0; a < criterion.ArgCount(); ++a)
      args.push_back(FunctionJson(*criterion.Args().Items(a)));
    json["args"] = std::move(args);
    items.push_back(std::move(json));
  }
  Json json;
  json["group_kind"] = GroupKindName(list.GroupKind());
  json["items"] = std::move(items);
  return json;
}

} // namespace

Json ModelToJson(const TVnSelectParser& root) {
  Json json;
  json["distinct"] = root.Distinct();
  Json tables = Json::array();
  for (int i = 0; i < root.TableDefs().Count(); ++i)
    tables.push_back(TableJson(*root.TableDefs().Items(i)));
  json["tables"] = std::move(tables);
  json["where"] = CriteriaJson(root.WhereItems());
  json["having"] = CriteriaJson(root.HavingItems());
  json["group_by"] = root.GroupByItems().Strings();
  Json orderBy = Json::array();
  const TVnOrderByItems& order = root.OrderByItems();
  for (int i = 0; i < order.Count(); ++i)
    orderBy.push_back(Json{{"entry", order[i]}, {"descending", order.Descending(i)}});
  json["order_by"] = std::move(orderBy);
  if (const auto* my = dynamic_cast<const TVnMySelectParser*>(&root)) {
    const TVnMySQLOptions& options = my->MySQLOptions();
    json["filter"] = FilterName(options.Filter());
    Json words = Json::array();
    for (TVnMySQLSelectOption option : TVnMySQLOptions::kAllOptions)
      if (options.HasOption(option))
        words.push_back(TVnMySQLOptions::OptionWord(option));
    json["select_options"] = std::move(words);
    json["limit_rows"] = options.LimitRows();
    json["limit_offset"] = options.LimitOffset();
  }
  return json;
}
