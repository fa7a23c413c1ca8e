#include "sandbox_server.h"

#include "dataaccess/database_error.h"
#include "dataaccess/sql_query.h"
#include "dataaccess/type_mapping.h"

#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>

void PrintTo(TFieldType type, std::ostream* os) {
  *os << FieldTypeName(type);
}
void PrintTo(const QVariant& value, std::ostream* os) {
  *os << value.metaType().name() << "(" << value.toString().toStdString() << ")";
}

namespace {

const QString FieldProbe = QStringLiteral("SELECT * FROM %1 WHERE 0 = 1");

// One column of the table that holds every column type: its DDL, a value to store, and what
// the probe and a fetch must give back.
struct ColumnCase {
  const char* Name;
  const char* Ddl;
  const char* Literal;
  TFieldType Type;
  QVariant Value;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
  *os << c.Ddl;
}

const std::vector<ColumnCase>& ColumnCases() {
  static const std::vector<ColumnCase> cases{
      {"tinyint", "TINYINT", "-128", ftSmallint, -128},
      {"tinyint_unsigned", "TINYINT UNSIGNED", "255", ftWord, 255},
      {"boolean", "BOOLEAN", "1", ftBoolean, 1},
      {"smallint", "SMALLINT", "-32768", ftSmallint, -32768},
      {"smallint_unsigned", "SMALLINT UNSIGNED", "65535", ftWord, 65535},
      {"mediumint", "MEDIUMINT", "-8388608", ftInteger, -8388608},
      {"mediumint_unsigned", "MEDIUMINT UNSIGNED", "16777215", ftInteger, 16777215},
      {"int", "INT", "-2147483648", ftInteger, std::numeric_limits<int>::min()},
      {"int_unsigned", "INT UNSIGNED", "4294967295", ftLargeint, qlonglong(4294967295LL)},
      {"bigint", "BIGINT", "-9223372036854775808", ftLargeint,
       std::numeric_limits<qlonglong>::min()},
      {"bigint_unsigned", "BIGINT UNSIGNED", "18446744073709551615", ftLargeint,
       std::numeric_limits<qulonglong>::max()},
      {"int_auto_increment", "INT AUTO_INCREMENT PRIMARY KEY", "7", ftAutoInc, 7},
      {"decimal", "DECIMAL(20,4)", "1234567890123456.7891", ftFMTBcd,
       QStringLiteral("1234567890123456.7891")},
      {"numeric", "NUMERIC(5,2)", "-1.5", ftFMTBcd, QStringLiteral("-1.50")},
      {"float", "FLOAT", "0.5", ftFloat, 0.5},
      {"double", "DOUBLE", "-2.25e100", ftFloat, -2.25e100},
      {"char", "CHAR(10)", "'abc'", ftFixedChar, QStringLiteral("abc")},
      {"varchar", "VARCHAR(100)", "'Grüße, 世界'", ftString, QStringLiteral("Grüße, 世界")},
      {"varchar_bin_collation", "VARCHAR(20) COLLATE utf8mb4_bin", "'Äb'", ftString,
       QStringLiteral("Äb")},
      {"char_latin1", "CHAR(5) CHARACTER SET latin1", "'café'", ftFixedChar,
       QStringLiteral("café")},
      {"tinytext", "TINYTEXT", "'t'", ftMemo, QStringLiteral("t")},
      {"text", "TEXT", "'text'", ftMemo, QStringLiteral("text")},
      {"mediumtext", "MEDIUMTEXT", "'medium'", ftMemo, QStringLiteral("medium")},
      {"longtext", "LONGTEXT", "'long'", ftMemo, QStringLiteral("long")},
      {"json", "JSON", "'{\"a\": [1, 2]}'", ftMemo, QStringLiteral("{\"a\": [1, 2]}")},
      {"binary", "BINARY(4)", "X'00FF0A00'", ftBytes, QByteArray("\x00\xff\x0a\x00", 4)},
      {"varbinary", "VARBINARY(10)", "X'FF00'", ftVarBytes, QByteArray("\xff\x00", 2)},
      {"tinyblob", "TINYBLOB", "X'01'", ftBlob, QByteArray("\x01", 1)},
      {"blob", "BLOB", "X'0200'", ftBlob, QByteArray("\x02\x00", 2)},
      {"mediumblob", "MEDIUMBLOB", "X'03'", ftBlob, QByteArray("\x03", 1)},
      {"longblob", "LONGBLOB", "X'04'", ftBlob, QByteArray("\x04", 1)},
      {"date", "DATE", "'2024-02-29'", ftDate, QDate(2024, 2, 29)},
      {"time", "TIME", "'-838:59:59'", ftTime, QStringLiteral("-838:59:59")},
      {"datetime", "DATETIME(3)", "'2006-02-15 04:34:33.250'", ftDateTime,
       QDateTime(QDate(2006, 2, 15), QTime(4, 34, 33, 250), Qt::UTC)},
      {"timestamp", "TIMESTAMP NULL", "'2038-01-19 03:14:07'", ftTimeStamp,
       QDateTime(QDate(2038, 1, 19), QTime(3, 14, 7), Qt::UTC)},
      {"year", "YEAR", "2006", ftSmallint, 2006},
      {"bit1", "BIT(1)", "b'1'", ftBoolean, true},
      {"bit12", "BIT(12)", "b'101000000101'", ftLargeint, qulonglong(0xA05)},
      {"enum", "ENUM('G','PG','NC-17')", "'NC-17'", ftString, QStringLiteral("NC-17")},
      {"set", "SET('Trailers','Commentaries')", "'Trailers,Commentaries'", ftString,
       QStringLiteral("Trailers,Commentaries")},
      {"geometry", "GEOMETRY", "NULL", ftTypedBinary, QVariant()},
      {"point", "POINT", "POINT(1, 2)", ftTypedBinary, QVariant()},
      {"linestring", "LINESTRING", "NULL", ftTypedBinary, QVariant()},
      {"polygon", "POLYGON", "NULL", ftTypedBinary, QVariant()},
      {"multipoint", "MULTIPOINT", "NULL", ftTypedBinary, QVariant()},
      {"multilinestring", "MULTILINESTRING", "NULL", ftTypedBinary, QVariant()},
      {"multipolygon", "MULTIPOLYGON", "NULL", ftTypedBinary, QVariant()},
      {"geometrycollection", "GEOMETRYCOLLECTION", "NULL", ftTypedBinary, QVariant()},
      {"null_varchar", "VARCHAR(5) NULL", "NULL", ftString, QVariant()},
  };
  return cases;
}

// One table with a column per case and one row holding each case's literal.
class AllTypesTest : public SandboxTest, public ::testing::WithParamInterface<ColumnCase> {
protected:
  void SetUp() override {
    SandboxTest::SetUp();
    if (HasFailure())
      return;
    Scratch = std::make_unique<ScratchDatabase>(Connection);
    QStringList columns;
    QStringList literals;
    for (const ColumnCase& c : ColumnCases()) {
      columns << QStringLiteral("c_%1 %2").arg(c.Name, c.Ddl);
      literals << QString::fromUtf8(c.Literal);
    }
    Table = Scratch->Name() + QStringLiteral(".all_types");
    Connection.ExecuteDirect(
        QStringLiteral("CREATE TABLE %1 (%2)").arg(Table, columns.join(QStringLiteral(", "))));
    Connection.ExecuteDirect(QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                 .arg(Table, literals.join(QStringLiteral(", "))));
  }
  void TearDown() override { Scratch.reset(); }

  std::unique_ptr<ScratchDatabase> Scratch;
  QString Table;
};

TEST_P(AllTypesTest, ProbeGivesTheMappedTypeAndFetchGivesTheValue) {
  const ColumnCase& c = GetParam();
  const QString column = QStringLiteral("c_%1").arg(c.Name);
  TSQLQuery probe;
  probe.SetSQLConnection(&Connection);
  probe.SetSQL(FieldProbe.arg(Table));
  probe.Open();
  EXPECT_EQ(probe.Fields().Count(), static_cast<int>(ColumnCases().size()));
  EXPECT_TRUE(probe.Eof());
  const TField* field = probe.Fields().FindField(column);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->DataType(), c.Type) << c.Ddl;

  if (QByteArray(c.Name).startsWith("point")) {
    // Geometry comes back as the server's own binary form; its size is all we check.
    TSQLQuery fetch;
    fetch.SetSQLConnection(&Connection);
    fetch.SetSQL(QStringLiteral("SELECT %1, LENGTH(%1) FROM %2").arg(column, Table));
    fetch.Open();
    EXPECT_EQ(fetch.FieldValue(0).toByteArray().size(), fetch.FieldValue(1).toInt());
    return;
  }
  TSQLQuery fetch;
  fetch.SetSQLConnection(&Connection);
  fetch.SetSQL(QStringLiteral("SELECT %1 FROM %2").arg(column, Table));
  fetch.Open();
  ASSERT_FALSE(fetch.Eof());
  const QVariant value = fetch.FieldValue(0);
  EXPECT_EQ(value.isNull(), c.Value.isNull()) << c.Ddl;
  if (!c.Value.isNull()) {
    EXPECT_EQ(value.metaType(), c.Value.metaType()) << c.Ddl;
    EXPECT_EQ(value, c.Value) << c.Ddl;
  }
}

INSTANTIATE_TEST_SUITE_P(Column, AllTypesTest, ::testing::ValuesIn(ColumnCases()),
                         [](const ::testing::TestParamInfo<ColumnCase>& info) {
                           return std::string(info.param.Name);
                         });

using SakilaProbeTest = SandboxTest;

// Every table and view: the probe opens without rows, and its fields are the table's columns
// in order, none of an unknown type.
TEST_F(SakilaProbeTest, EveryTableDescribesItsColumnsInOrder) {
  QStringList tables;
  Connection.GetTableNames(tables);
  ASSERT_EQ(tables.size(), 23);
  for (const QString& table : tables) {
    SCOPED_TRACE(table.toStdString());
    TSQLQuery columns;
    columns.SetSQLConnection(&Connection);
    columns.SetSQL(QStringLiteral("SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE "
                                  "TABLE_SCHEMA = 'sakila' AND TABLE_NAME = '%1' "
                                  "ORDER BY ORDINAL_POSITION")
                       .arg(table));
    QStringList expected;
    for (columns.Open(); !columns.Eof(); columns.Next())
      expected << columns.FieldValue(0).toString();

    TSQLQuery probe;
    probe.SetSQLConnection(&Connection);
    probe.SetSQL(FieldProbe.arg(QStringLiteral("`%1`").arg(table)));
    probe.Open();
    EXPECT_TRUE(probe.Eof());
    EXPECT_EQ(probe.RecordCount(), 0);
    QStringList names;
    for (const TField& field : probe.Fields()) {
      names << field.FieldName();
      EXPECT_NE(field.DataType(), ftUnknown) << field.FieldName().toStdString();
    }
    EXPECT_EQ(names, expected);
  }
}

struct SakilaColumn {
  const char* Table;
  const char* Column;
  TFieldType Type;
};

void PrintTo(const SakilaColumn& c, std::ostream* os) {
  *os << c.Table << '.' << c.Column;
}

class SakilaColumnTest : public SandboxTest, public ::testing::WithParamInterface<SakilaColumn> {};

TEST_P(SakilaColumnTest, HasTheMappedType) {
  TSQLQuery probe;
  probe.SetSQLConnection(&Connection);
  probe.SetSQL(FieldProbe.arg(GetParam().Table));
  probe.Open();
  EXPECT_EQ(probe.Fields().FieldByName(GetParam().Column).DataType(), GetParam().Type);
}

INSTANTIATE_TEST_SUITE_P(Sakila, SakilaColumnTest,
                         ::testing::Values(SakilaColumn{"actor", "actor_id", ftAutoInc},
                                           SakilaColumn{"language", "language_id", ftAutoInc},
                                           SakilaColumn{"actor", "first_name", ftString},
                                           SakilaColumn{"actor", "last_update", ftTimeStamp},
                                           SakilaColumn{"film", "language_id", ftWord},
                                           SakilaColumn{"film", "release_year", ftSmallint},
                                           SakilaColumn{"film", "rental_rate", ftFMTBcd},
                                           SakilaColumn{"film", "rating", ftString},
                                           SakilaColumn{"film", "special_features", ftString},
                                           SakilaColumn{"film", "description", ftMemo},
                                           SakilaColumn{"customer", "active", ftBoolean},
                                           SakilaColumn{"customer", "create_date", ftDateTime},
                                           SakilaColumn{"payment", "amount", ftFMTBcd},
                                           SakilaColumn{"rental", "inventory_id", ftInteger},
                                           SakilaColumn{"staff", "picture", ftBlob},
                                           SakilaColumn{"address", "phone", ftString},
                                           SakilaColumn{"film_list", "FID", ftWord},
                                           SakilaColumn{"sales_by_store", "total_sales", ftFMTBcd}),
                         [](const ::testing::TestParamInfo<SakilaColumn>& info) {
                           return std::string(info.param.Table) + "_" + info.param.Column;
                         });

using QueryTest = SandboxTest;

TEST_F(QueryTest, ServerErrorsCarryTheServersTextAndCode) {
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT * FROM no_such_table WHERE 0 = 1");
  try {
    query.Open();
    FAIL() << "opened";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.ErrorCode(), 1146);
    EXPECT_EQ(error.Message(), "Table 'sakila.no_such_table' doesn't exist (error 1146)");
  }
  EXPECT_FALSE(query.Active());
  EXPECT_TRUE(Connection.Connected());
}

TEST_F(QueryTest, AStatementWithoutRowsCannotBeOpened) {
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SET @unused = 1");
  EXPECT_THROW(query.Open(), EDatabaseError);
  EXPECT_FALSE(query.Active());
  EXPECT_EQ(query.ExecSQL(), 0);
}

TEST_F(QueryTest, ReadsForwardOnce) {
  TSQLQuery query;
  query.SetSQLConnection(&Connection);
  query.SetSQL("SELECT name FROM language ORDER BY language_id");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 6);
  QStringList names;
  for (; !query.Eof(); query.Next())
    names << query.FieldValue("NAME").toString().trimmed();
  EXPECT_EQ(names, QStringList({"English", "Italian", "Japanese", "Mandarin", "French", "German"}));
  EXPECT_THROW(query.First(), EDatabaseError);
  EXPECT_THROW(query.Prior(), EDatabaseError);
  EXPECT_THROW(query.FieldValue(0), EDatabaseError);
  query.Close();
  EXPECT_EQ(query.Fields().Count(), 0);
  EXPECT_THROW(query.FieldValue(0), EDatabaseError);
}

} // namespace
