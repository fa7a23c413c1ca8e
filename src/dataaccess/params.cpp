#include "dataaccess/params.h"

#include "dataaccess/database_error.h"

TParam& TParams::Add(const QString& name, TFieldType dataType, const QVariant& value) {
  return m_items.emplace_back(name, dataType, value);
}

TParam* TParams::FindParam(const QString& name) {
  for (TParam& param : m_items) {
    if (param.Name().compare(name, Qt::CaseInsensitive) == 0)
      return &param;
  }
  return nullptr;
}

TParam& TParams::ParamByName(const QString& name) {
  if (TParam* param = FindParam(name))
    return *param;
  throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}
