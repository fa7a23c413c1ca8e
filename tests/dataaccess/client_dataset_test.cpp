#include "sandbox_server.h"

#include "dataaccess/client_dataset.h"
#include "dataaccess/data_grid.h"
#include "dataaccess/data_navigator.h"
#include "dataaccess/data_source.h"
#include "dataaccess/database_error.h"
#include "dataaccess/dataset_model.h"
#include "dataaccess/dataset_provider.h"
#include "dataaccess/sql_query.h"

#include <QDateTime>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The host's chain: query -> provider -> client dataset -> data source -> grid and navigator.
class ClientDataSetTest : public SandboxTest {
protected:
  void SetUp() override {
    SandboxTest::SetUp();
    Query.SetSQLConnection(&Connection);
    Provider.SetDataSet(&Query);
    Clients.SetProvider(&Provider);
    Source.SetDataSet(&Clients);
  }

  void OpenSql(const QString& sql) {
    Query.SetSQL(sql);
    Clients.Open();
  }

  QString ServerValue(const QString& sql) {
    TSQLQuery query;
    query.SetSQLConnection(&Connection);
    query.SetSQL(sql);
    query.Open();
    return query.FieldValue(0).toString();
  }

  TSQLQuery Query;
  TDataSetProvider Provider;
  TClientDataSet Clients;
  TDataSource Source;
};

TEST_F(ClientDataSetTest, HoldsEveryRowOfTheResult) {
  OpenSql("SELECT rental_id, rental_date, return_date, customer_id FROM rental ORDER BY rental_id");
  ASSERT_EQ(Clients.RecordCount(), ServerValue("SELECT COUNT(*) FROM rental").toInt());
  EXPECT_FALSE(Query.Active()) << "the provider leaves its query closed";

  qlonglong idSum = 0;
  int nullReturns = 0;
  for (Clients.First(); !Clients.Eof(); Clients.Next()) {
    idSum += Clients.FieldValue(0).toLongLong();
    nullReturns += Clients.FieldValue("return_date").isNull() ? 1 : 0;
  }
  EXPECT_EQ(idSum, ServerValue("SELECT SUM(rental_id) FROM rental").toLongLong());
  EXPECT_EQ(nullReturns,
            ServerValue("SELECT COUNT(*) FROM rental WHERE return_date IS NULL").toInt());
  EXPECT_EQ(Clients.RecordValue(1, 1).toDateTime().toString("yyyy-MM-dd hh:mm:ss"),
            ServerValue("SELECT DATE_FORMAT(rental_date, '%Y-%m-%d %H:%i:%s') FROM rental "
                        "ORDER BY rental_id LIMIT 1"));
}

TEST_F(ClientDataSetTest, FieldsDescribeTheResultColumns) {
  OpenSql("SELECT a.actor_id, a.first_name AS given, COUNT(*) AS films FROM actor a "
          "JOIN film_actor fa ON fa.actor_id = a.actor_id GROUP BY a.actor_id LIMIT 3");
  ASSERT_EQ(Clients.Fields().Count(), 3);
  EXPECT_EQ(Clients.Fields()[1].FieldName(), "given");
  EXPECT_EQ(Clients.Fields()[0].DataType(), ftAutoInc);
  EXPECT_EQ(Clients.Fields()[2].DataType(), ftLargeint);
  EXPECT_EQ(Clients.RecordCount(), 3);
}

TEST_F(ClientDataSetTest, AFailedOpenLeavesItClosed) {
  Query.SetSQL("SELECT no_such_column FROM actor");
  EXPECT_THROW(Clients.Open(), EDatabaseError);
  EXPECT_FALSE(Clients.Active());
  EXPECT_EQ(Clients.RecordCount(), 0);
  TClientDataSet orphan;
  EXPECT_THROW(orphan.Open(), EDatabaseError);
}

struct NavigatorStep {
  TNavigateBtn Button;
  int RecNo;
  bool BackEnabled;    // first and prior
  bool ForwardEnabled; // next and last
};

TEST_F(ClientDataSetTest, NavigatorMovesTheCursorAndTheGridFollows) {
  OpenSql("SELECT language_id, name FROM language ORDER BY language_id");
  TDBNavigator navigator;
  navigator.SetDataSource(&Source);
  TDBGrid grid;
  grid.SetDataSource(&Source);

  const std::vector<NavigatorStep> steps{{nbNext, 2, true, true},   {nbNext, 3, true, true},
                                         {nbLast, 6, true, false},  {nbNext, 6, true, false},
                                         {nbPrior, 5, true, true},  {nbFirst, 1, false, true},
                                         {nbPrior, 1, false, true}, {nbRefresh, 1, false, true}};
  EXPECT_FALSE(navigator.Button(nbFirst)->isEnabled());
  for (const NavigatorStep& step : steps) {
    SCOPED_TRACE(::testing::Message() << "button " << int(step.Button) << " to " << step.RecNo);
    QTest::mouseClick(navigator.Button(step.Button), Qt::LeftButton);
    EXPECT_EQ(Clients.RecNo(), step.RecNo);
    EXPECT_EQ(navigator.Button(nbFirst)->isEnabled(), step.BackEnabled);
    EXPECT_EQ(navigator.Button(nbPrior)->isEnabled(), step.BackEnabled);
    EXPECT_EQ(navigator.Button(nbNext)->isEnabled(), step.ForwardEnabled);
    EXPECT_EQ(navigator.Button(nbLast)->isEnabled(), step.ForwardEnabled);
    EXPECT_EQ(grid.currentIndex().row(), step.RecNo - 1);
  }

  Clients.Close();
  for (TNavigateBtn button : {nbFirst, nbPrior, nbNext, nbLast, nbRefresh})
    EXPECT_FALSE(navigator.Button(button)->isEnabled());
}

TEST_F(ClientDataSetTest, GridShowsTheRowsAndMovesTheCursor) {
  OpenSql("SELECT language_id, name, NULL AS nothing, last_update FROM language "
          "ORDER BY language_id");
  TDBGrid grid;
  grid.SetDataSource(&Source);
  grid.resize(600, 300);
  grid.show();
  const QAbstractItemModel* model = grid.model();
  ASSERT_EQ(model->rowCount(), 6);
  ASSERT_EQ(model->columnCount(), 4);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "name");
  EXPECT_EQ(model->index(2, 0).data().toString(), "3");
  EXPECT_EQ(model->index(2, 1).data().toString().trimmed(), "Japanese");
  EXPECT_EQ(model->index(2, 2).data().toString(), "");
  EXPECT_EQ(model->index(2, 3).data().toString(), "2006-02-15 05:02:19");
  EXPECT_EQ(grid.currentIndex().row(), 0);

  // A click on the fifth row's cell makes it the current record.
  const QRect cell = grid.visualRect(model->index(4, 1));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(Clients.RecNo(), 5);
  EXPECT_EQ(Clients.FieldValue("name").toString().trimmed(), "French");

  Clients.Close();
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_EQ(model->columnCount(), 0);
}

TEST_F(ClientDataSetTest, RefreshFetchesChangesAndKeepsThePosition) {
  ScratchDatabase scratch(Connection);
  const QString table = scratch.Name() + ".items";
  Connection.ExecuteDirect(QStringLiteral("CREATE TABLE %1 (id INT PRIMARY KEY)").arg(table));
  Connection.ExecuteDirect(QStringLiteral("INSERT INTO %1 VALUES (1), (2), (3)").arg(table));
  OpenSql(QStringLiteral("SELECT id FROM %1 ORDER BY id").arg(table));
  TDBGrid grid;
  grid.SetDataSource(&Source);
  Clients.SetRecNo(2);

  Connection.ExecuteDirect(QStringLiteral("INSERT INTO %1 VALUES (4), (5)").arg(table));
  Clients.Refresh();
  EXPECT_EQ(Clients.RecordCount(), 5);
  EXPECT_EQ(Clients.RecNo(), 2);
  EXPECT_EQ(grid.model()->rowCount(), 5);

  Connection.ExecuteDirect(QStringLiteral("DELETE FROM %1 WHERE id > 1").arg(table));
  Clients.Refresh();
  EXPECT_EQ(Clients.RecordCount(), 1);
  EXPECT_EQ(Clients.RecNo(), 1);
  EXPECT_EQ(Clients.FieldValue(0).toInt(), 1);
}

} // namespace
