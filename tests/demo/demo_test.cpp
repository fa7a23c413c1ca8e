// The demo window against the sandbox server: connecting, keeping text and design in step,
// executing, clearing, files and the connection dialog.

#include "dataaccess/client_dataset.h"
#include "dataaccess/sql_connection.h"
#include "demo/connect_dialog.h"
#include "demo/main_window.h"
#include "designer/vantor.h"
#include "designer/vn_message_box.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The window connected to the sandbox's Sakila database as root, with messages caught.
class TWindowFixture {
public:
  TWindowFixture() {
    vantor::SetVnMessageBoxAnswerer([this](QWidget*, QMessageBox::Icon, const QString&,
                                           const QString& text, QMessageBox::StandardButtons) {
      messages.append(text);
      return QMessageBox::Ok;
    });
  }
  ~TWindowFixture() { vantor::SetVnMessageBoxAnswerer(nullptr); }

  void Connect(const QString& database = QStringLiteral("sakila")) {
    window.SQLConnection->Params().SetValue(QStringLiteral("Database"), database);
    window.SQLConnection->SetConnected(true);
  }

  TfmMain window;
  QStringList messages;
};

bool ServerReachable() { return !qEnvironmentVariableIsEmpty("MYSQL_UNIX_PORT"); }

// Answers the next modal dialog: sets the edits named in fields, then presses the button.
void AnswerNextDialog(const QMap<QString, QString>& fields, const QString& button) {
  QTimer::singleShot(0, [fields, button] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
      return;
    for (auto it = fields.begin(); it != fields.end(); ++it)
      if (auto* edit = dialog->findChild<QLineEdit*>(it.key()))
        edit->setText(it.value());
    if (auto* pressed = dialog->findChild<QPushButton*>(button))
      pressed->click();
  });
}

}  // namespace

class DemoTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QVERIFY2(ServerReachable(),
             "MYSQL_UNIX_PORT is not set: start the sandbox (scripts/sandbox start) and "
             "source <(scripts/sandbox env), or run scripts/test");
  }

  void connectFillsTheTablesAndTheCaption() {
    TWindowFixture f;
    QVERIFY(f.window.windowTitle().endsWith(QStringLiteral("[]")));
    f.Connect();
    QCOMPARE(f.window.windowTitle(),
             QStringLiteral("Orbek MySQL Vantor demo application [sakila]"));
    QVERIFY(!f.window.lvTables->findItems(QStringLiteral("film"), Qt::MatchExactly).isEmpty());
    QCOMPARE(f.window.lvTables->topLevelItem(0)->text(0), QStringLiteral("actor"));
    f.window.Disconnect();
    QCOMPARE(f.window.lvTables->topLevelItemCount(), 0);
    QVERIFY(f.window.windowTitle().endsWith(QStringLiteral("[]")));
    QVERIFY(f.window.SQLConnection->Params().Value(QStringLiteral("Database")).isEmpty());
  }

  void parseErrorKeepsTheUserOnTheSqlPage() {
    TWindowFixture f;
    f.Connect();
    f.window.Pages->setCurrentIndex(TfmMain::pgSQL);
    f.window.mmSQL->setPlainText(QStringLiteral("SELECT title\nFROM film AS f"));
    f.window.mmSQL->document()->setModified(true);
    f.window.Pages->setCurrentIndex(TfmMain::pgBuilder);
    QCOMPARE(f.window.Pages->currentIndex(), int(TfmMain::pgSQL));
    QCOMPARE(f.messages, QStringList{QStringLiteral("Invalid token 'AS' at position 11 of line 2.")});
    QCOMPARE(f.window.mmSQL->textCursor().selectedText(), QStringLiteral("AS"));

    f.window.mmSQL->setPlainText(QStringLiteral("SELECT title\nFROM film f"));
    f.window.mmSQL->document()->setModified(true);
    f.messages.clear();
    f.window.Pages->setCurrentIndex(TfmMain::pgBuilder);
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join('\n')));
    QCOMPARE(f.window.Pages->currentIndex(), int(TfmMain::pgBuilder));
    QVERIFY(f.window.Vantor->GetSQL().contains(QStringLiteral("`film` `f`")));
  }

  void executeShowsTheRows() {
    TWindowFixture f;
    f.Connect();
    f.window.DropTable(QStringLiteral("actor"), 0, 0);
    QCOMPARE(f.window.Vantor->TableList()->Count(), 1);
    f.window.Execute();  // from "Builder"
    QCOMPARE(f.window.Pages->currentIndex(), int(TfmMain::pgResult));
    QVERIFY(f.window.Pages->isTabVisible(TfmMain::pgResult));
    QCOMPARE(f.window.ClientDataSet->RecordCount(), 200);

    f.window.Pages->setCurrentIndex(TfmMain::pgSQL);
    f.window.mmSQL->setPlainText(QStringLiteral("SELECT title\nFROM film\nLIMIT 7"));
    f.window.mmSQL->document()->setModified(true);
    f.window.Execute();  // from "SQL"
    QCOMPARE(f.window.Pages->currentIndex(), int(TfmMain::pgResult));
    QCOMPARE(f.window.ClientDataSet->RecordCount(), 7);
    QVERIFY(f.window.Vantor->GetSQL().contains(QStringLiteral("LIMIT 7")));
    QVERIFY(f.messages.isEmpty());

    // Two tables without a link: a cross join of 1,000 x 5,462 rows stops at the limit.
    f.window.Clear();
    f.window.DropTable(QStringLiteral("film"), 0, 0);
    f.window.DropTable(QStringLiteral("film_actor"), 0, 0);
    f.window.Pages->setCurrentIndex(TfmMain::pgBuilder);
    f.window.Execute();
    QVERIFY(f.window.ClientDataSet->RecordCount() <= TfmMain::kMaxResultRows + 1);
    QVERIFY(f.window.laRowLimit->isVisibleTo(&f.window));

    f.window.Clear();
    QVERIFY(!f.window.Pages->isTabVisible(TfmMain::pgResult));
    QVERIFY(f.window.mmSQL->toPlainText().isEmpty());
    QCOMPARE(f.window.Vantor->TableList()->Count(), 0);
  }

  void fieldProbeQuotesAsAsked_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<QString>("probe");
    QTest::newRow("keyword quoted") << "order" << true << "SELECT * FROM `order` WHERE 0 = 1";
    QTest::newRow("keyword bare") << "order" << false << "SELECT * FROM order WHERE 0 = 1";
    QTest::newRow("back quote doubled") << "we`ird" << true << "SELECT * FROM `we``ird` WHERE 0 = 1";
    QTest::newRow("other schema") << "mysql.user" << true << "SELECT * FROM `mysql`.`user` WHERE 0 = 1";
  }

  void fieldProbeQuotesAsAsked() {
    QFETCH(QString, table);
    QFETCH(bool, quote);
    QFETCH(QString, probe);
    TWindowFixture f;
    f.window.miQuoteIdents->setChecked(quote);
    QCOMPARE(f.window.FieldProbe(table), probe);
  }

  void tableWithABackQuoteInItsName() {
    TWindowFixture f;
    f.Connect();
    f.window.SQLConnection->ExecuteDirect(QStringLiteral("CREATE DATABASE IF NOT EXISTS vantor_demo_test"));
    f.window.SQLConnection->ExecuteDirect(
        QStringLiteral("CREATE TABLE IF NOT EXISTS vantor_demo_test.`we``ird` (id INT, `na``me` TEXT)"));
    f.window.Disconnect();
    f.Connect(QStringLiteral("vantor_demo_test"));
    f.window.DropTable(QStringLiteral("we`ird"), 0, 0);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.window.Vantor->TableList()->Count(), 1);
  }

  void connectDialogOkAndCancel() {
    TWindowFixture f;
    TStringList& params = f.window.SQLConnection->Params();
    AnswerNextDialog({{"edDBName", "sakila"}, {"edUserName", "nobody"}}, "buCancel");
    QVERIFY(!ShowConnectDialog(f.window.SQLConnection.get(), &f.window));
    QCOMPARE(params.Value(QStringLiteral("User_Name")), QStringLiteral("root"));
    QVERIFY(!f.window.SQLConnection->Connected());

    AnswerNextDialog({{"edDBName", "sakila"}, {"edPassword", ""}}, "buOk");
    QVERIFY(ShowConnectDialog(f.window.SQLConnection.get(), &f.window));
    QVERIFY(f.window.SQLConnection->Connected());
    QCOMPARE(params.Value(QStringLiteral("Database")), QStringLiteral("sakila"));
    QCOMPARE(params.Value(QStringLiteral("Password")), QString());

    // OK while connected reconnects with the new values; a failure keeps them and raises.
    AnswerNextDialog({{"edDBName", "no_such_database"}}, "buOk");
    QVERIFY_THROWS_EXCEPTION(std::exception, ShowConnectDialog(f.window.SQLConnection.get(), &f.window));
    QCOMPARE(params.Value(QStringLiteral("Database")), QStringLiteral("no_such_database"));
    QVERIFY(!ShowConnectDialog(nullptr));
  }

  void loadAndSaveKeepTheText() {
    TWindowFixture f;
    QTemporaryDir dir;
    const QByteArray text = "SELECT a,\r\n  b\r\nFROM t\r\nWHERE (a = 'caf\xc3\xa9')\r\n";
    const QString in = dir.filePath(QStringLiteral("in.sql"));
    const QString out = dir.filePath(QStringLiteral("out.sql"));
    QFile file(in);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    f.window.LoadFromFile(in);
    QVERIFY(!f.window.mmSQL->document()->isModified());  // loaded on "Builder"
    f.window.SaveToFile(out);
    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), text);
  }

  void hugeAndBinaryFiles() {
    TWindowFixture f;
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.sql"));
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray line = "SELECT a, b, c FROM t WHERE (a = 1);\r\n";
    for (qint64 written = 0; written < 50 * 1024 * 1024; written += line.size())
      file.write(line);
    file.close();
    f.window.LoadFromFile(huge);
    QVERIFY(f.window.mmSQL->document()->blockCount() > 1000000);

    const QString binary = dir.filePath(QStringLiteral("binary.sql"));
    QFile bin(binary);
    QVERIFY(bin.open(QIODevice::WriteOnly));
    bin.write(QByteArray("SELECT \0\x01\x02\xff", 11));
    bin.close();
    QVERIFY_THROWS_EXCEPTION(std::exception, f.window.LoadFromFile(binary));
    QVERIFY_THROWS_EXCEPTION(std::exception, f.window.LoadFromFile(dir.filePath("missing.sql")));
  }
};

QTEST_MAIN(DemoTest)
#include "demo_test.moc"
