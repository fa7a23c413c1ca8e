#include "dataaccess/string_list.h"

QString TStringList::Text() const {
  return m_lines.join(u'\n');
}

void TStringList::SetText(const QString& text) {
  m_lines.clear();
  if (text.isEmpty())
    return;
  for (QString line : text.split(u'\n')) {
    if (line.endsWith(u'\r'))
      line.chop(1);
    m_lines.append(line);
  }
  if (!m_lines.isEmpty() && m_lines.last().isEmpty())
    m_lines.removeLast();
}

QString TStringList::Names(int index) const {
  const QString& line = m_lines.at(index);
  const qsizetype eq = line.indexOf(u'=');
  return eq < 0 ? line : line.left(eq);
}

int TStringList::IndexOfName(const QString& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (Names(i).compare(name, Qt::CaseInsensitive) == 0 && m_lines.at(i).contains(u'='))
      return i;
  }
  return -1;
}

QString TStringList::Value(const QString& name) const {
  const int index = IndexOfName(name);
  if (index < 0)
    return {};
  const QString& line = m_lines.at(index);
  return line.mid(line.indexOf(u'=') + 1);
}

void TStringList::SetValue(const QString& name, const QString& value) {
  const int index = IndexOfName(name);
  const QString line = name + u'=' + value;
  if (index < 0)
    m_lines.append(line);
  else
    m_lines[index] = line;
}
