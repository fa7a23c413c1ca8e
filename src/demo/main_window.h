#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class TClientDataSet;
class TDataSet;
class TDataSetProvider;
class TDataSource;
class TDBGrid;
class TDBNavigator;
class TParams;
class TSQLConnection;
class TSQLQuery;
class TSqlHighlighter;

namespace vantor {
class TMySQLVantor;
class TVnSelectParser;
}  // namespace vantor

// The demo application's window: the database's tables on the left; the pages "Builder"
// (the designer), "SQL" (the statement as text) and "Result" (its rows) on the right.
class TfmMain : public QMainWindow {
  Q_OBJECT
public:
  explicit TfmMain(QWidget* parent = nullptr);
  ~TfmMain() override;

  // The page indexes of Pages.
  enum TPage { pgBuilder = 0, pgSQL = 1, pgResult = 2 };

  // The actions of the tool bar and the menus (each runs its handler through RunAction).
  void Connect();
  void Disconnect();
  void Execute();
  void Clear();
  void LoadFromFile(const QString& fileName);
  void SaveToFile(const QString& fileName);
  void SetQuoteIdentifiers(bool quote);
  // Adds the table as a drop at (x, y) would; x or y 0 places it automatically.
  void DropTable(const QString& tableName, int x, int y);

  void UpdateCaption();
  void FillTableList();
  // The table name as the probe statement writes it: in back quotes (inner ones doubled) when
  // quote is set.
  static QString QuoteTableName(const QString& name, bool quote);
  // The statement that reads a table's fields without rows.
  QString FieldProbe(const QString& tableName) const;

  // Runs a user action; an error it raises is shown in the standard error message box.
  static void RunAction(QWidget* parent, const std::function<void()>& action);

  // The parts, as their names say.
  vantor::TMySQLVantor* Vantor = nullptr;
  QTreeWidget* lvTables = nullptr;
  QTabWidget* Pages = nullptr;
  QPlainTextEdit* mmSQL = nullptr;
  QLabel* laCaret = nullptr;
  QLabel* laRowLimit = nullptr;
  // Results stop at this many rows: one click on Execute must not pull a cross join of
  // millions of rows into memory.
  static constexpr int kMaxResultRows = 100000;
  TDBNavigator* DBNavigator = nullptr;
  TDBGrid* DBGrid = nullptr;
  QAction* miQuoteIdents = nullptr;
  std::unique_ptr<TSQLConnection> SQLConnection;
  std::unique_ptr<TSQLQuery> SQLQuery;
  std::unique_ptr<TDataSetProvider> DataSetProvider;
  std::unique_ptr<TClientDataSet> ClientDataSet;
  TDataSource* DataSource = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateActions();
  void CreatePages();
  void AfterConnect();
  void AfterDisconnect();
  // Run before the active page changes from the current one; allowChange may be refused.
  void PagesChanging(bool& allowChange);
  void PageChanged(int index);
  void GetTableFields(const QString& nameOfTable, TDataSet*& dataSet, TParams*& params);
  void ParserError(vantor::TVnSelectParser* sender, const std::string& errorMsg,
                   const std::string& token, int lineNo, int linePos);
  void LoadWithDialog();
  void SaveWithDialog();
  void ShowOptions();
  void ShowAbout();
  void UpdateCaret();

  TSqlHighlighter* m_highlighter = nullptr;
  int m_currentPage = pgBuilder;
  bool m_changingPage = false;
};
