#pragma once

// The WHERE and HAVING editors as the designer sees them: the operations
// it calls. The condition rows, painting and editing come with the criteria issues; until
// then a panel shows nothing and its operations only record that they were asked.

#include <QAbstractScrollArea>
#include <QString>

namespace vantor {

class TVnSelectParser;

class TVnCriterionPanel : public QAbstractScrollArea {
  Q_OBJECT

public:
  explicit TVnCriterionPanel(QWidget* parent = nullptr);

  TVnSelectParser* Parser() const { return m_parser; }
  void SetParser(TVnSelectParser* parser) { m_parser = parser; }
  bool IsHaving() const { return m_isHaving; }
  void SetIsHaving(bool value) { m_isHaving = value; }
  // Creates the root row and the menus.
  void Initialize();
  bool Initialized() const { return m_initialized; }

  // Rebuilds the rows from the model.
  virtual void RefreshFromModel();
  void Clear();
  void RenameTablePrefix(const QString& newPrefix, const QString& oldPrefix);
  // Closes an open field picker and then refuses the page change.
  void HideFieldList(bool& allowChange);
  void BeginOperatorsUpdate();
  void EndOperatorsUpdate();

  // How often the designer asked for a rebuild: lets tests see which editor a change reached.
  int RefreshCount() const { return m_refreshCount; }

private:
  TVnSelectParser* m_parser = nullptr;
  bool m_isHaving = false;
  bool m_initialized = false;
  int m_refreshCount = 0;
};

class TVnWherePanel : public TVnCriterionPanel {
  Q_OBJECT
public:
  using TVnCriterionPanel::TVnCriterionPanel;
};

class TVnHavingPanel : public TVnCriterionPanel {
  Q_OBJECT
public:
  using TVnCriterionPanel::TVnCriterionPanel;
};

}  // namespace vantor
