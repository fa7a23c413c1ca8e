#pragma once

#include "dataaccess/field_type.h"

#include <QString>
#include <QVariant>
#include <vector>

// A named statement parameter.
class TParam {
public:
  TParam(QString name, TFieldType dataType = ftUnknown, QVariant value = {})
      : m_name(std::move(name)), m_dataType(dataType), m_value(std::move(value)) {}

  const QString& Name() const { return m_name; }
  TFieldType DataType() const { return m_dataType; }
  void SetDataType(TFieldType dataType) { m_dataType = dataType; }
  const QVariant& Value() const { return m_value; }
  void SetValue(const QVariant& value) { m_value = value; }
  bool IsNull() const { return m_value.isNull(); }

private:
  QString m_name;
  TFieldType m_dataType;
  QVariant m_value;
};

// The parameters that travel with a dataset request. Names are matched without regard to case.
class TParams {
public:
  int Count() const { return static_cast<int>(m_items.size()); }
  TParam& Items(int index) { return m_items.at(index); }
  const TParam& Items(int index) const { return m_items.at(index); }
  TParam& Add(const QString& name, TFieldType dataType = ftUnknown, const QVariant& value = {});
  void Clear() { m_items.clear(); }
  // nullptr when missing.
  TParam* FindParam(const QString& name);
  // Raises EDatabaseError when missing.
  TParam& ParamByName(const QString& name);

private:
  std::vector<TParam> m_items;
};
