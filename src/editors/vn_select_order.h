#pragma once

// The Selection and Sorting editors as the designer sees them: the
// operations and events it uses. The grid, its editors and the sorting lists come with the
// editor issues; until then the panels show nothing.

#include <QStringList>
#include <QWidget>

#include <functional>

namespace vantor {

class TVnSelectParser;

// (Source, Aggregate, OutputName)
using TVnRowEvent =
    std::function<void(const QString& source, const QString& aggregate, const QString& outputName)>;
// (Source, OldName, var NewName)
using TVnOutputNameEvent =
    std::function<void(const QString& source, const QString& oldName, QString& newName)>;

class TVnSelectGrid : public QWidget {
  Q_OBJECT

public:
  explicit TVnSelectGrid(QWidget* parent = nullptr);

  // "RefName.Field" for every item of every table window, filled by the designer.
  QStringList SourceFields;
  QStringList Aggregates;

  TVnRowEvent OnRowChanging;
  TVnRowEvent OnRowChanged;
  TVnRowEvent OnRowDeleted;
  TVnOutputNameEvent OnOutputNameChanging;

  // Rewrites "Old." to "New." in the source column.
  void RenameTablePrefix(const QString& newPrefix, const QString& oldPrefix);
};

class TVnSelectPanel : public QWidget {
  Q_OBJECT

public:
  explicit TVnSelectPanel(QWidget* parent = nullptr);

  TVnSelectGrid* Grid() const { return m_grid; }
  TVnSelectParser* Parser() const { return m_parser; }
  // Stores the model and copies its aggregate list into the grid.
  void SetParser(TVnSelectParser* parser);
  // Rebuilds the grid from the model.
  void RefreshFromModel();
  void Clear();
  int RefreshCount() const { return m_refreshCount; }

private:
  TVnSelectGrid* m_grid;
  TVnSelectParser* m_parser = nullptr;
  int m_refreshCount = 0;
};

class TVnOrderPanel : public QWidget {
  Q_OBJECT

public:
  explicit TVnOrderPanel(QWidget* parent = nullptr);

  TVnSelectParser* Parser() const { return m_parser; }
  void SetParser(TVnSelectParser* parser) { m_parser = parser; }
  // Rebuilds both lists from OnGetFieldList and the model's ORDER BY list.
  void RefreshFromModel();
  void Clear();
  int RefreshCount() const { return m_refreshCount; }
  // The fields offered by the last refresh.
  const QStringList& FieldList() const { return m_fieldList; }

  std::function<void(TVnOrderPanel* sender, QStringList& list)> OnGetFieldList;

private:
  TVnSelectParser* m_parser = nullptr;
  QStringList m_fieldList;
  int m_refreshCount = 0;
};

}  // namespace vantor
