#pragma once

#include <QString>
#include <QStringList>

// An ordered list of lines, most often "Name=Value" pairs such as a connection's parameters.
// Name lookups ignore letter case, as users type parameter names by hand.
class TStringList {
public:
  TStringList() = default;
  TStringList(std::initializer_list<QString> lines) : m_lines(lines) {}

  int Count() const { return static_cast<int>(m_lines.size()); }
  const QString& Strings(int index) const { return m_lines.at(index); }
  const QStringList& Lines() const { return m_lines; }
  void Add(const QString& line) { m_lines.append(line); }
  void Clear() { m_lines.clear(); }

  // Lines separated by line feeds (a carriage return before one is dropped).
  QString Text() const;
  void SetText(const QString& text);

  // The part of line `index` before its first '=' (the whole line when there is none).
  QString Names(int index) const;
  int IndexOfName(const QString& name) const;
  // Empty when the name is missing.
  QString Value(const QString& name) const;
  // Replaces the value of an existing line, or appends "name=value".
  void SetValue(const QString& name, const QString& value);

  bool operator==(const TStringList& other) const = default;

private:
  QStringList m_lines;
};
