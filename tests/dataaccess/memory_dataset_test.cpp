#include "dataaccess/data_source.h"
#include "dataaccess/database_error.h"
#include "dataaccess/dataset_model.h"
#include "dataaccess/memory_dataset.h"
#include "dataaccess/params.h"
#include "dataaccess/string_list.h"
#include "dataaccess/type_mapping.h"

#include <QDate>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <set>

namespace {

std::unique_ptr<TMemoryDataSet> ThreeRecords() {
  auto dataSet = std::make_unique<TMemoryDataSet>(
      TFields{TField("id", ftInteger), TField("name", ftString, 20)});
  dataSet->AppendRecord({1, "one"});
  dataSet->AppendRecord({2, "two"});
  dataSet->AppendRecord({3, QVariant()});
  return dataSet;
}

TEST(MemoryDataSet, BofAndEofFollowTheMoves) {
  auto records = ThreeRecords();
  TMemoryDataSet& dataSet = *records;
  dataSet.Open();
  struct Step {
    void (TMemoryDataSet::*Move)();
    int RecNo;
    bool Bof;
    bool Eof;
  };
  const std::vector<Step> steps{
      {&TMemoryDataSet::Next, 2, false, false}, {&TMemoryDataSet::Next, 3, false, false},
      {&TMemoryDataSet::Next, 3, false, true},  {&TMemoryDataSet::Prior, 2, false, false},
      {&TMemoryDataSet::First, 1, true, false}, {&TMemoryDataSet::Prior, 1, true, false},
      {&TMemoryDataSet::Last, 3, false, true},
  };
  EXPECT_EQ(dataSet.RecNo(), 1);
  EXPECT_TRUE(dataSet.Bof());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "step " << i);
    (dataSet.*steps[i].Move)();
    EXPECT_EQ(dataSet.RecNo(), steps[i].RecNo);
    EXPECT_EQ(dataSet.Bof(), steps[i].Bof);
    EXPECT_EQ(dataSet.Eof(), steps[i].Eof);
  }
  EXPECT_TRUE(dataSet.FieldValue("NAME").isNull());
  EXPECT_EQ(dataSet.RecordValue(2, 1).toString(), "two");
}

TEST(MemoryDataSet, EmptyDataSetIsAtBothEnds) {
  TMemoryDataSet dataSet({TField("id", ftInteger)});
  dataSet.Open();
  EXPECT_TRUE(dataSet.Bof());
  EXPECT_TRUE(dataSet.Eof());
  EXPECT_EQ(dataSet.RecNo(), 0);
  dataSet.Next();
  dataSet.Last();
  EXPECT_EQ(dataSet.RecNo(), 0);
  EXPECT_THROW(dataSet.FieldValue(0), EDatabaseError);
}

TEST(MemoryDataSet, ClosedOrMisusedRaises) {
  TMemoryDataSet dataSet({TField("id", ftInteger)});
  EXPECT_THROW(dataSet.First(), EDatabaseError);
  EXPECT_THROW(dataSet.FieldValue(0), EDatabaseError);
  EXPECT_THROW(dataSet.AppendRecord({1, 2}), EDatabaseError);
  dataSet.AppendRecord({1});
  dataSet.Open();
  EXPECT_THROW(dataSet.FieldValue(1), EDatabaseError);
  EXPECT_THROW(dataSet.FieldValue("missing"), EDatabaseError);
  EXPECT_THROW(dataSet.RecordValue(2, 0), EDatabaseError);
  EXPECT_THROW(dataSet.SetFieldDefs({}), EDatabaseError);
}

TEST(MemoryDataSet, RecordsSurviveClosing) {
  auto records = ThreeRecords();
  TMemoryDataSet& dataSet = *records;
  dataSet.Open();
  dataSet.Last();
  dataSet.Close();
  EXPECT_EQ(dataSet.RecNo(), 0);
  dataSet.Open();
  EXPECT_EQ(dataSet.RecordCount(), 3);
  EXPECT_EQ(dataSet.RecNo(), 1);
}

TEST(DataSource, RelaysEventsAndOutlivesItsDataSet) {
  TDataSource source;
  TDataSetTableModel model;
  model.SetDataSource(&source);
  QSignalSpy changed(&source, &TDataSource::DataSetChanged);
  QSignalSpy moved(&source, &TDataSource::RecordMoved);
  {
    auto records = ThreeRecords();
    TMemoryDataSet& dataSet = *records;
    source.SetDataSet(&dataSet);
    dataSet.Open();
    EXPECT_EQ(model.rowCount(), 3);
    dataSet.Next();
    dataSet.Next();
    dataSet.Next(); // already on the last record: no move
    EXPECT_EQ(moved.count(), 2);
    EXPECT_EQ(changed.count(), 2); // attached, opened
  }
  EXPECT_EQ(source.DataSet(), nullptr);
  EXPECT_EQ(changed.count(), 3);
  EXPECT_EQ(model.rowCount(), 0);

  auto dataSet = ThreeRecords();
  {
    TDataSource shortLived;
    shortLived.SetDataSet(dataSet.get());
  }
  dataSet->Open(); // must not reach the destroyed source
  EXPECT_TRUE(dataSet->Active());
}

TEST(DataSetTableModel, DisplayTextOfValues) {
  EXPECT_EQ(TDataSetTableModel::DisplayText(QVariant()), "");
  EXPECT_EQ(TDataSetTableModel::DisplayText(QByteArray("\x00\x01", 2)), "(BLOB)");
  EXPECT_EQ(TDataSetTableModel::DisplayText(QDate(2006, 2, 15)), "2006-02-15");
  EXPECT_EQ(TDataSetTableModel::DisplayText(
                QDateTime(QDate(2006, 2, 15), QTime(4, 34, 33, 120), Qt::UTC)),
            "2006-02-15 04:34:33.120");
  EXPECT_EQ(TDataSetTableModel::DisplayText(QStringLiteral("4.99")), "4.99");
}

TEST(StringList, NameValueLinesIgnoreLetterCaseOfNames) {
  TStringList params;
  params.SetText("HostName=db.example\r\nPassword=a=b\nnot a pair\n");
  EXPECT_EQ(params.Count(), 3);
  EXPECT_EQ(params.Value("hostname"), "db.example");
  EXPECT_EQ(params.Value("Password"), "a=b");
  EXPECT_EQ(params.Value("not a pair"), "");
  params.SetValue("HOSTNAME", "other");
  params.SetValue("Port", "3307");
  EXPECT_EQ(params.Text(), "HOSTNAME=other\nPassword=a=b\nnot a pair\nPort=3307");
}

TEST(Params, LookUpByNameIgnoringCase) {
  TParams params;
  params.Add("Limit", ftInteger, 10);
  EXPECT_EQ(params.ParamByName("LIMIT").Value().toInt(), 10);
  EXPECT_EQ(params.FindParam("offset"), nullptr);
  EXPECT_THROW(params.ParamByName("offset"), EDatabaseError);
}

TEST(FieldType, OrdinalsAreFixed) {
  EXPECT_EQ(ftString, 1);
  EXPECT_EQ(ftAutoInc, 14);
  EXPECT_EQ(ftFixedChar, 23);
  EXPECT_EQ(ftLargeint, 25);
  EXPECT_EQ(ftTimeStamp, 36);
  EXPECT_EQ(ftFMTBcd, 37);
  EXPECT_EQ(FieldTypeName(ftTypedBinary), "ftTypedBinary");
  EXPECT_EQ(FieldTypeName(static_cast<TFieldType>(200)), "ftUnknown");
}

// A later row that can never match hides a mistake in the table.
TEST(ColumnTypeRules, EveryRuleIsReachable) {
  const auto rules = ColumnTypeRules();
  for (std::size_t i = 0; i < rules.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const bool shadowed =
          rules[j].TypeCode == rules[i].TypeCode &&
          (rules[j].Trait == TColumnTrait::Any || rules[j].Trait == rules[i].Trait);
      EXPECT_FALSE(shadowed) << rules[i].SqlTypes << " is hidden by " << rules[j].SqlTypes;
    }
  }
}

} // namespace
