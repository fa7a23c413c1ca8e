#include "core/errors.h"
#include "core/select_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include <string>
#include <vector>

using namespace vantor;

namespace {

class Model : public testing::Test {
protected:
  std::unique_ptr<TVnSelectParser> root = NewParser<TVnSelectParser>();

  TVnTableDef* AddTable(const std::string& name, const std::string& alias = "") {
    TVnTableDef* table = root->TableDefs().Add();
    table->SetName(name);
    if (!alias.empty())
      table->SetAlias(alias);
    return table;
  }

  static TVnFieldDef* AddField(TVnTableDef* table, const std::string& name) {
    TVnFieldDef* field = table->Fields().Add();
    field->SetName(name);
    field->SetKind(fkField);
    return field;
  }

  static TVnJoinDef* AddJoin(TVnTableDef* left, const std::string& leftField,
                             const std::string& rightTable, const std::string& rightField) {
    TVnJoinDef* join = left->Joins().Add();
    join->SetLeftField(leftField);
    join->SetRightTable(rightTable);
    join->SetRightField(rightField);
    return join;
  }

  // The select list as "name@index" in select order.
  std::vector<std::string> SelectOrder() const {
    std::vector<std::string> order;
    const TVnTableDefs& tables = root->TableDefs();
    for (int i = 0; i < tables.FieldCount(); ++i) {
      const TVnFieldDef* field = tables.FieldBySelectIndex(i);
      order.push_back(field ? field->Name() + "@" + std::to_string(field->SelectIndex()) : "?");
    }
    return order;
  }
};

TEST_F(Model, NewItemsGetFreeOutputNames) {
  TVnTableDef* t = AddTable("t");
  TVnTableDef* u = AddTable("u");
  EXPECT_EQ(AddField(t, "id")->Alias(), "id");
  EXPECT_EQ(AddField(u, "id")->Alias(), "id1");
  EXPECT_EQ(AddField(t, "id")->Alias(), "id2");
  TVnFieldDef* count = t->Fields().Add();
  count->SetName("COUNT");
  count->SetKind(fkFunction);
  EXPECT_EQ(count->Alias(), "FIELD_1");
  TVnFieldDef* sum = u->Fields().Add();
  sum->SetKind(fkFunction);
  EXPECT_EQ(sum->Alias(), "FIELD_2");
}

TEST_F(Model, SetKindKeepsAnAliasOfTheUsersOwn) {
  TVnFieldDef* field = AddField(AddTable("t"), "a");
  field->SetAlias("total");
  field->SetKind(fkFunction);
  EXPECT_EQ(field->Alias(), "total");
}

TEST_F(Model, OutsideATableForceAppendsOne) {
  TVnFieldDef free;
  EXPECT_EQ(free.MakeUniqueAlias("FIELD_", true), "FIELD_1");
  EXPECT_EQ(free.MakeUniqueAlias("x", false), "x");
  EXPECT_EQ(free.SelectIndex(), -1);
}

TEST_F(Model, MakeAliasesUniqueRenamesLaterDuplicates) {
  TVnTableDef* t = AddTable("t");
  // Copies made the way the parser makes them: the alias comes along unchanged.
  TVnFieldDef probe;
  probe.SetName("id");
  probe.SetKind(fkField);
  std::vector<TVnFieldDef*> fields;
  for (int i = 0; i < 3; ++i) {
    fields.push_back(t->Fields().Add());
    fields.back()->Assign(probe);
  }
  TVnFieldDef* own = t->Fields().Add();
  own->Assign(probe);
  own->SetAlias("mine");
  root->TableDefs().MakeAliasesUnique();
  EXPECT_EQ(fields[0]->Alias(), "id");
  EXPECT_EQ(fields[1]->Alias(), "id1");
  EXPECT_EQ(fields[2]->Alias(), "id2");
  EXPECT_EQ(own->Alias(), "mine");
}

TEST_F(Model, EndUpdateMakesAliasesUnique) {
  TVnTableDef* t = AddTable("t");
  root->TableDefs().BeginUpdate();
  TVnFieldDef probe;
  probe.SetName("a");
  probe.SetKind(fkField);
  t->Fields().Add()->Assign(probe);
  t->Fields().Add()->Assign(probe);
  EXPECT_EQ(t->Fields().Items(1)->Alias(), "a");
  root->TableDefs().EndUpdate();
  EXPECT_EQ(t->Fields().Items(1)->Alias(), "a1");
}

TEST_F(Model, SelectIndicesStayDenseAndInOrder) {
  TVnTableDef* t = AddTable("t");
  TVnTableDef* u = AddTable("u");
  AddField(t, "a");
  AddField(u, "b");
  AddField(t, "c");
  AddField(u, "d");
  EXPECT_EQ(SelectOrder(), (std::vector<std::string>{"a@0", "b@1", "c@2", "d@3"}));
  t->Fields().Delete(0);
  EXPECT_EQ(SelectOrder(), (std::vector<std::string>{"b@0", "c@1", "d@2"}));
  AddField(t, "e");
  EXPECT_EQ(SelectOrder(), (std::vector<std::string>{"b@0", "c@1", "d@2", "e@3"}));
  root->TableDefs().Delete(1);  // u with b and d
  EXPECT_EQ(SelectOrder(), (std::vector<std::string>{"c@0", "e@1"}));
  EXPECT_EQ(root->TableDefs().FieldCount(), 2);
  EXPECT_EQ(root->TableDefs().FieldBySelectIndex(2), nullptr);
}

TEST_F(Model, SelectIndexCanBeRearranged) {
  TVnTableDef* t = AddTable("t");
  TVnFieldDef* a = AddField(t, "a");
  TVnFieldDef* b = AddField(t, "b");
  a->SetSelectIndex(1);
  b->SetSelectIndex(0);
  EXPECT_EQ(SelectOrder(), (std::vector<std::string>{"b@0", "a@1"}));
}

TEST_F(Model, ListsOutsideATableNumberTheirOwnItems) {
  TVnFieldDefs list(nullptr);
  for (int i = 0; i < 3; ++i)
    list.Add();
  list.Delete(0);
  EXPECT_EQ(list.Items(0)->SelectIndex(), 0);
  EXPECT_EQ(list.Items(1)->SelectIndex(), 1);
}

TEST_F(Model, OutputNamesFreedByRemovalAreReused) {
  TVnTableDef* t = AddTable("t");
  AddField(t, "a");
  EXPECT_TRUE(root->TableDefs().AliasExists("a"));
  t->Fields().Clear();
  EXPECT_FALSE(root->TableDefs().AliasExists("a"));
  EXPECT_EQ(AddField(t, "a")->Alias(), "a");
}

TEST_F(Model, TableAliasChangeFollowsIntoJoins) {
  TVnTableDef* t = AddTable("t");
  TVnTableDef* u = AddTable("u");
  TVnJoinDef* join = AddJoin(t, "a", "u", "b");
  u->SetAlias("x");
  EXPECT_EQ(join->RightTable(), "x");
  EXPECT_EQ(u->Name(), "u");
  t->SetName("orders");  // alias equalled the name: both change
  EXPECT_EQ(t->Alias(), "orders");
  TVnTableDef* v = AddTable("v", "w");
  v->SetName("vv");  // an alias of its own stays
  EXPECT_EQ(v->Alias(), "w");
}

TEST_F(Model, RemovingATableDropsJoinsToItAndItsSortEntries) {
  TVnTableDef* t = AddTable("t");
  TVnTableDef* u = AddTable("u");
  AddTable("v");
  AddJoin(t, "a", "u", "b");
  AddJoin(t, "c", "v", "d");  // d is no select item of v: the join stays all the same
  root->OrderByItems().Add("u.b");
  root->OrderByItems().Add("t.a");
  root->OrderByItems().Add("ux.c");
  root->TableDefs().Delete(u->Index());
  ASSERT_EQ(t->Joins().Count(), 1);
  EXPECT_EQ(t->Joins().Items(0)->RightTable(), "v");
  EXPECT_EQ(root->OrderByItems().Strings(), (std::vector<std::string>{"t.a", "ux.c"}));
}

TEST_F(Model, RemovingATableDropsSortEntriesByAlias) {
  AddTable("orders", "o");
  root->OrderByItems().Add("o.total");
  root->OrderByItems().Add("orders.id");
  root->TableDefs().Delete(0);
  EXPECT_EQ(root->OrderByItems().Count(), 0);
}

TEST_F(Model, NewCriterionStartsWithTheFirstOperator) {
  EXPECT_EQ(root->WhereItems().Add()->Operator(), "=");
  root->Operators().Clear();
  EXPECT_EQ(root->HavingItems().Add()->Operator(), "");
}

struct PrefixCase {
  const char* name;
  std::string prefix;
  std::string caption;  // '' for none
  bool partial;
};

class OperatorPrefix : public testing::TestWithParam<PrefixCase> {};

TEST_P(OperatorPrefix, FindsTheFirstMatchingCaption) {
  auto root = NewParser<TVnSelectParser>();
  bool partial = false;
  const TVnOperator* op = root->Operators().FindByPrefix(GetParam().prefix, partial);
  EXPECT_EQ(op ? op->Caption() : "", GetParam().caption);
  if (op) {
    EXPECT_EQ(partial, GetParam().partial);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OperatorPrefix,
                         testing::Values(PrefixCase{"Less", "<", "<>", true},
                                         PrefixCase{"LessOrEqual", "<=", "<=", false},
                                         PrefixCase{"Not", "NOT", "NOT LIKE", true},
                                         PrefixCase{"LowerCase", "is n", "IS NULL", true},
                                         PrefixCase{"And", "AND", "", false}),
                         [](const testing::TestParamInfo<PrefixCase>& info) {
                           return info.param.name;
                         });

TEST_F(Model, DefaultOperators) {
  std::string captions;
  for (int i = 0; i < root->Operators().Count(); ++i)
    captions += root->Operators().Items(i)->Caption() + "|";
  EXPECT_EQ(captions, "=|<>|<|>|<=|>=|LIKE|NOT LIKE|IN|NOT IN|BETWEEN|NOT BETWEEN|IS NULL|IS NOT NULL|");
  const TVnOperator* between = root->Operators().FindByName("BETWEEN");
  ASSERT_NE(between, nullptr);
  EXPECT_EQ(between->Count(), 2);
  EXPECT_EQ(between->Relate(), "AND");
  EXPECT_EQ(root->Operators().FindByCaption("IS NULL")->Count(), 0);
  EXPECT_EQ(root->Operators().FindByCaption("IN")->Postfix(), ")");
}

TEST_F(Model, OrderByKeepsDirectionsInStep) {
  TVnOrderByItems& order = root->OrderByItems();
  order.AddItem("a", true);
  order.Add("b");
  order.AddItem("c", true);
  order.Delete(0);
  EXPECT_FALSE(order.Descending(0));
  EXPECT_TRUE(order.Descending(1));
  EXPECT_FALSE(order.Descending(7));
  EXPECT_FALSE(order.Descending(-1));
  TVnOrderByItems copy(root.get());
  copy.Assign(order);
  EXPECT_TRUE(copy.Descending(1));
}

TEST_F(Model, GroupKindCaptions) {
  EXPECT_EQ(GroupKindCaption(gkAll), "All");
  EXPECT_EQ(GroupKindCaption(gkAny), "Any");
  EXPECT_EQ(GroupKindCaption(gkNone), "None");
  EXPECT_EQ(GroupKindCaption(gkNotAll), "Not all");
  EXPECT_EQ(GroupKindCaption(4), "");
}

TEST_F(Model, AssignCopiesDeeply) {
  TVnTableDef* t = AddTable("t", "x");
  TVnFieldDef* count = t->Fields().Add();
  count->SetName("COUNT");
  count->SetKind(fkFunction);
  count->Args().Add()->SetName("id");
  TVnTableDef* copy = AddTable("");
  copy->Assign(*t);
  EXPECT_EQ(copy->Alias(), "x");
  ASSERT_EQ(copy->Fields().Count(), 1);
  EXPECT_EQ(copy->Fields().Items(0)->Args().Items(0)->Name(), "id");
  EXPECT_EQ(copy->Fields().Items(0)->Alias(), "FIELD_1");
  EXPECT_EQ(copy->Fields().Items(0)->SelectIndex(), 1);
}

TEST_F(Model, AssignFromAnIncompatibleClassRaisesAndKeepsTheTarget) {
  TVnTableDef* t = AddTable("t");
  AddField(t, "a");
  TVnJoinDef join;
  EXPECT_THROW(t->Assign(join), EVnAssignError);
  TVnJoinDefs joins(nullptr);
  joins.Add();
  try {
    t->Fields().Assign(joins);
    FAIL() << "no error raised";
  } catch (const EVnAssignError& error) {
    EXPECT_STREQ(error.what(), "Cannot assign a TVnJoinDef to a TVnFieldDef.");
  }
  EXPECT_EQ(t->Fields().Count(), 1);
}

TEST_F(Model, IndexOutsideAListRaises) {
  EXPECT_THROW(root->TableDefs().Items(0), EVnListIndexError);
  EXPECT_THROW(root->TableDefs().Delete(-1), EVnListIndexError);
  EXPECT_THROW(root->OrderByItems()[3], EVnListIndexError);
  EXPECT_THROW(root->TableDefs().Insert(2), EVnListIndexError);
}

TEST_F(Model, CollectionsMoveItemsAndRenumber) {
  TVnCriterions& where = root->WhereItems();
  for (const char* name : {"a", "b", "c"})
    where.Add()->Left().SetName(name);
  where.Move(0, 2);
  EXPECT_EQ(where.Items(0)->Left().Name(), "b");
  EXPECT_EQ(where.Items(2)->Left().Name(), "a");
  EXPECT_EQ(where.Items(2)->Index(), 2);
  TVnCriterion* group = where.Insert(0);
  where.MoveItemTo(1, group->SubItems());
  EXPECT_EQ(group->SubItems().Items(0)->Left().Name(), "b");
  EXPECT_EQ(group->SubItems().Items(0)->Parser(), root.get());
  EXPECT_EQ(where.Count(), 3);
}

TEST_F(Model, ClearEmptiesTheModelButNotDistinct) {
  AddField(AddTable("t"), "a");
  root->WhereItems().Add();
  root->OrderByItems().Add("a");
  root->SetDistinct(true);
  root->Clear();
  EXPECT_EQ(root->TableDefs().Count(), 0);
  EXPECT_EQ(root->TableDefs().FieldCount(), 0);
  EXPECT_EQ(root->WhereItems().Count(), 0);
  EXPECT_EQ(root->OrderByItems().Count(), 0);
  EXPECT_TRUE(root->Distinct());
  EXPECT_TRUE(root->Valid());
}

}  // namespace

namespace {

TEST(OutputNames, FreedNumberedNamesAreHandedOutAgain) {
  auto root = NewParser<TVnSelectParser>();
  TVnTableDef* t = root->TableDefs().Add();
  t->SetName("t");
  std::vector<TVnFieldDef*> fields;
  for (int i = 0; i < 4; ++i) {
    fields.push_back(t->Fields().Add());
    fields.back()->SetName("id");
  }
  EXPECT_EQ(fields[3]->Alias(), "id3");
  fields[1]->SetAlias("other");  // frees id1
  TVnFieldDef* next = t->Fields().Add();
  next->SetName("id");
  EXPECT_EQ(next->Alias(), "id1");
  t->Fields().Delete(fields[2]->Index());  // frees id2
  next = t->Fields().Add();
  next->SetName("id");
  EXPECT_EQ(next->Alias(), "id2");
  next = t->Fields().Add();
  next->SetName("id");
  EXPECT_EQ(next->Alias(), "id4");
}

// Names that overlap as base+n (a, a1, a11, a111 ...) renamed, added and removed at
// random: every unique name handed out must be the first free one, as a scan from 1 finds.
TEST(OutputNames, UniqueNamesAreTheFirstFreeOnesUnderChurn) {
  auto root = NewParser<TVnSelectParser>();
  TVnTableDefs& tables = root->TableDefs();
  TVnTableDef* t = tables.Add();
  t->SetName("t");
  const std::vector<std::string> bases = {"a", "a1", "a11", "a2", "b", "a10", "FIELD_"};
  std::mt19937 random(11);
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[random() % from.size()];
  };
  const auto firstFree = [&](const std::string& base, bool force) {
    std::set<std::string> used;
    for (int i = 0; i < t->Fields().Count(); ++i)
      used.insert(t->Fields().Items(i)->Alias());
    if (!force && !used.count(base))
      return base;
    for (int n = 1;; ++n)
      if (!used.count(base + std::to_string(n)))
        return base + std::to_string(n);
  };
  for (int step = 0; step < 3000; ++step) {
    const int action = static_cast<int>(random() % 4);
    if (action == 0 && t->Fields().Count() > 0) {
      t->Fields().Delete(static_cast<int>(random() % t->Fields().Count()));
    } else if (action == 1 && t->Fields().Count() > 0) {
      TVnFieldDef* field = t->Fields().Items(static_cast<int>(random() % t->Fields().Count()));
      field->SetAlias(pick(bases) + std::to_string(random() % 4));
    } else {
      const std::string base = pick(bases);
      const bool force = random() % 2 == 0;
      ASSERT_EQ(tables.MakeUniqueAlias(base, force), firstFree(base, force))
          << "step " << step << ", base " << base;
      t->Fields().Add()->SetName(base);
    }
  }
}

}  // namespace
