#include "dataaccess/data_navigator.h"

#include "dataaccess/data_source.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
  struct ButtonInfo {
    const char* objectName;
    QStyle::StandardPixmap icon;
    const char* hint;
  };
  static constexpr std::array<ButtonInfo, 5> infos{{
      {"sbFirst", QStyle::SP_MediaSkipBackward, QT_TR_NOOP("First record")},
      {"sbPrior", QStyle::SP_MediaSeekBackward, QT_TR_NOOP("Prior record")},
      {"sbNext", QStyle::SP_MediaSeekForward, QT_TR_NOOP("Next record")},
      {"sbLast", QStyle::SP_MediaSkipForward, QT_TR_NOOP("Last record")},
      {"sbRefresh", QStyle::SP_BrowserReload, QT_TR_NOOP("Refresh data")},
  }};
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (std::size_t i = 0; i < infos.size(); ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(infos[i].objectName));
    button->setIcon(style()->standardIcon(infos[i].icon));
    button->setToolTip(tr(infos[i].hint));
    button->setAutoRaise(true);
    const auto which = static_cast<TNavigateBtn>(i);
    connect(button, &QToolButton::clicked, this, [this, which] { BtnClick(which); });
    layout->addWidget(button);
    m_buttons[i] = button;
  }
  layout->addStretch();
  UpdateButtons();
}

void TDBNavigator::SetDataSource(TDataSource* dataSource) {
  if (m_dataSource)
    disconnect(m_dataSource, nullptr, this, nullptr);
  m_dataSource = dataSource;
  if (m_dataSource) {
    connect(m_dataSource, &TDataSource::DataSetChanged, this, &TDBNavigator::UpdateButtons);
    connect(m_dataSource, &TDataSource::RecordMoved, this, &TDBNavigator::UpdateButtons);
    connect(m_dataSource, &QObject::destroyed, this, [this] {
      m_dataSource = nullptr;
      UpdateButtons();
    });
  }
  UpdateButtons();
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
  TDataSet* dataSet = m_dataSource ? m_dataSource->DataSet() : nullptr;
  if (!dataSet || !dataSet->Active() || !m_buttons.at(button)->isEnabled())
    return;
  switch (button) {
  case nbFirst:
    dataSet->First();
    break;
  case nbPrior:
    dataSet->Prior();
    break;
  case nbNext:
    dataSet->Next();
    break;
  case nbLast:
    dataSet->Last();
    break;
  case nbRefresh:
    dataSet->Refresh();
    break;
  }
  UpdateButtons();
}

void TDBNavigator::UpdateButtons() {
  const TDataSet* dataSet = m_dataSource ? m_dataSource->DataSet() : nullptr;
  const bool browsable = dataSet && dataSet->Active() && !dataSet->IsUnidirectional();
  const int recNo = browsable ? dataSet->RecNo() : 0;
  const int count = browsable ? dataSet->RecordCount() : 0;
  m_buttons[nbFirst]->setEnabled(recNo > 1);
  m_buttons[nbPrior]->setEnabled(recNo > 1);
  m_buttons[nbNext]->setEnabled(recNo < count);
  m_buttons[nbLast]->setEnabled(recNo < count);
  m_buttons[nbRefresh]->setEnabled(browsable);
}
