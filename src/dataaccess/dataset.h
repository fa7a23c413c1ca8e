#pragma once

#include "dataaccess/field_type.h"

#include <QString>
#include <QVariant>
#include <vector>

class TDataSource;

// One column of a dataset.
class TField {
public:
  TField(QString fieldName, TFieldType dataType, int size = 0, bool required = false)
      : m_fieldName(std::move(fieldName)), m_dataType(dataType), m_size(size),
        m_required(required) {}

  const QString& FieldName() const { return m_fieldName; }
  TFieldType DataType() const { return m_dataType; }
  // The column's declared length as the server reports it (bytes; 0 when unknown).
  int Size() const { return m_size; }
  // NOT NULL.
  bool Required() const { return m_required; }

  bool operator==(const TField& other) const = default;

private:
  QString m_fieldName;
  TFieldType m_dataType;
  int m_size;
  bool m_required;
};

// The columns of a dataset, in result order. Name lookups ignore letter case, as MySQL's do.
class TFields {
public:
  TFields() = default;
  TFields(std::initializer_list<TField> fields) : m_items(fields) {}

  int Count() const { return static_cast<int>(m_items.size()); }
  const TField& operator[](int index) const { return m_items.at(index); }
  void Add(TField field) { m_items.push_back(std::move(field)); }
  void Clear() { m_items.clear(); }
  // -1 when missing.
  int IndexOf(const QString& fieldName) const;
  // nullptr when missing.
  const TField* FindField(const QString& fieldName) const;
  // Raises EDatabaseError when missing.
  const TField& FieldByName(const QString& fieldName) const;

  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }
  bool operator==(const TFields& other) const = default;

private:
  std::vector<TField> m_items;
};

// What a dataset tells the data sources that show it.
enum class TDataEvent { DataSetChange, RecordMove };

// A set of records with a field list and a cursor. Closed datasets have no cursor; the
// operations that need one raise EDatabaseError. Records are numbered from 1 (RecNo), and
// RecNo is 0 when there is no current record.
//
//   query.Open();
//   for (; !query.Eof(); query.Next())
//     names << query.FieldValue("title").toString();
class TDataSet {
public:
  TDataSet() = default;
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;
  virtual ~TDataSet();

  bool Active() const { return m_active; }
  void SetActive(bool active);
  void Open();
  void Close();

  const TFields& Fields() const { return m_fields; }

  // A unidirectional dataset moves only forward and cannot reach records at random.
  virtual bool IsUnidirectional() const { return false; }
  virtual int RecordCount() const = 0;
  virtual int RecNo() const = 0;
  virtual void SetRecNo(int recNo);
  // True after First, or after Prior found no earlier record.
  bool Bof() const { return m_bof; }
  // True after Last, after Next found no later record, and on an empty dataset.
  bool Eof() const { return m_eof; }
  virtual void First() = 0;
  virtual void Next() = 0;
  virtual void Prior();
  virtual void Last();
  // Brings the records up to date with their source; the base reopens the dataset.
  virtual void Refresh();

  // Of the current record; a null QVariant stands for SQL NULL.
  virtual QVariant FieldValue(int index) const = 0;
  QVariant FieldValue(const QString& fieldName) const;
  // Of any record, for grids; unidirectional datasets raise EDatabaseError.
  virtual QVariant RecordValue(int recNo, int index) const;

protected:
  virtual void DoOpen() = 0;
  virtual void DoClose() = 0;

  void CheckActive() const;
  [[noreturn]] void RaiseUnidirectional() const;
  void SetFields(TFields fields) { m_fields = std::move(fields); }
  void SetBofEof(bool bof, bool eof) {
    m_bof = bof;
    m_eof = eof;
  }
  void DataEvent(TDataEvent event);

private:
  friend class TDataSource;

  bool m_active = false;
  bool m_bof = true;
  bool m_eof = true;
  TFields m_fields;
  std::vector<TDataSource*> m_dataSources; // not owned; they detach themselves
};
