#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QToolButton;
class TDataSource;

enum TNavigateBtn : std::uint8_t { nbFirst, nbPrior, nbNext, nbLast, nbRefresh };

// A row of buttons that move the cursor of a data source's dataset to the first, prior, next
// and last record and refresh its records. A button is disabled when its move would go
// nowhere. Errors of Refresh propagate to the application's handler.
class TDBNavigator : public QWidget {
  Q_OBJECT

public:
  explicit TDBNavigator(QWidget* parent = nullptr);

  TDataSource* DataSource() const { return m_dataSource; }
  void SetDataSource(TDataSource* dataSource);

  QToolButton* Button(TNavigateBtn button) const { return m_buttons.at(button); }
  // Does what clicking `button` does (also when it is disabled: then nothing changes).
  void BtnClick(TNavigateBtn button);

private:
  void UpdateButtons();

  TDataSource* m_dataSource = nullptr; // not owned
  std::array<QToolButton*, 5> m_buttons{};
};
