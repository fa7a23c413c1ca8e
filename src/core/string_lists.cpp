#include "string_lists.h"

#include "errors.h"
#include "name_counter.h"
#include "scanner.h"
#include "select_parser.h"
#include "table_def.h"

#include <algorithm>

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnStringList

const std::string& TVnStringList::operator[](int index) const {
  if (index < 0 || index >= Count())
    throw EVnListIndexError(index);
  return m_strings[static_cast<std::size_t>(index)];
}

int TVnStringList::IndexOf(const std::string& s) const {
  auto it = std::find(m_strings.begin(), m_strings.end(), s);
  return it == m_strings.end() ? -1 : static_cast<int>(it - m_strings.begin());
}

void TVnStringList::Add(const std::string& s) { m_strings.push_back(s); }

void TVnStringList::Delete(int index) {
  (*this)[index];
  m_strings.erase(m_strings.begin() + index);
}

void TVnStringList::Clear() { m_strings.clear(); }

std::string TVnStringList::QuoteItem(const std::string& s) const {
  // A position in the select list (ORDER BY 2) is no name.
  if (!m_parser || (!s.empty() && s.find_first_not_of("0123456789") == std::string::npos))
    return s;
  return m_parser->Scanner().QuoteName(s);
}

namespace {

// The head of a clause whose entries follow each on a line of their own: "GROUP BY\r\n  ".
std::string ClauseHead(TVnSelectParser* parser, const char* first, const char* second) {
  std::string head = parser ? parser->FormatKeyword(first) + " " + parser->FormatKeyword(second)
                            : std::string(first) + " " + second;
  return head + "\r\n  ";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TVnOrderByItems

void TVnOrderByItems::AddItem(const std::string& s, bool descending) {
  m_strings.push_back(s);
  m_directions.push_back(descending);
}

void TVnOrderByItems::Delete(int index) {
  TVnStringList::Delete(index);
  m_directions.erase(m_directions.begin() + index);
}

void TVnOrderByItems::Clear() {
  TVnStringList::Clear();
  m_directions.clear();
}

bool TVnOrderByItems::Descending(int index) const {
  if (index < 0 || index >= Count())
    return false;
  return m_directions[static_cast<std::size_t>(index)];
}

void TVnOrderByItems::SetDescending(int index, bool descending) {
  (*this)[index];
  m_directions[static_cast<std::size_t>(index)] = descending;
}

void TVnOrderByItems::Move(int fromIndex, int toIndex) {
  (*this)[fromIndex];
  (*this)[toIndex];
  const std::string entry = m_strings[static_cast<std::size_t>(fromIndex)];
  const bool descending = m_directions[static_cast<std::size_t>(fromIndex)];
  m_strings.erase(m_strings.begin() + fromIndex);
  m_directions.erase(m_directions.begin() + fromIndex);
  m_strings.insert(m_strings.begin() + toIndex, entry);
  m_directions.insert(m_directions.begin() + toIndex, descending);
}

void TVnOrderByItems::Assign(const TVnStringList& source) {
  if (&source == this)
    return;
  const auto* ordered = dynamic_cast<const TVnOrderByItems*>(&source);
  Clear();
  for (int i = 0; i < source.Count(); ++i)
    AddItem(source[i], ordered && ordered->Descending(i));
}

std::string TVnOrderByItems::GetScript() {
  if (Count() == 0)
    return std::string();
  std::string text = ClauseHead(Parser(), "ORDER", "BY");
  for (int i = 0; i < Count(); ++i) {
    text += QuoteItem(m_strings[static_cast<std::size_t>(i)]);
    if (Descending(i))
      text += " DESC";
    text += i < Count() - 1 ? ",\r\n  " : "\r\n";
  }
  return text;
}

// ---------------------------------------------------------------------------------------------
// TVnGroupByItems

void TVnGroupByItems::Assign(const TVnStringList& source) {
  if (&source != this)
    m_strings = source.Strings();
}

void TVnGroupByItems::DeriveFromSelectList() {
  TVnSelectParser* root = Parser();
  if (!root)
    return;
  const TVnTableDefs& tables = root->TableDefs();
  bool aggregates = false;
  bool plain = false;
  for (int i = 0; i < tables.FieldCount(); ++i) {
    const TVnFieldDef* field = tables.FieldBySelectIndex(i);
    if (!field)
      continue;
    if (field->Kind() == fkFunction && root->Aggregates().Contains(field->Name()))
      aggregates = true;
    else
      plain = true;
  }
  Clear();
  if (!aggregates || !plain)
    return;
  TVnNameCounter seen;
  for (int i = 0; i < tables.FieldCount(); ++i) {
    const TVnFieldDef* field = tables.FieldBySelectIndex(i);
    // A field reference with arguments is a call of a function the dialect does not list,
    // not a column to group by.
    if (!field || field->Kind() != fkField || field->Name().empty() || field->ArgCount() > 0 ||
        root->Aggregates().Contains(field->Name()))
      continue;
    // A field of a table without a name stands in no FROM clause: nothing to group by.
    if (const TVnTableDef* table = field->Table(); table && table->Name().empty())
      continue;
    // Written as the select item writes its field, so the two always agree.
    std::string entry = field->QuoteIdent(field->Name());
    if (const TVnTableDef* table = field->Table(); table && !table->Qualifier().empty())
      entry = field->QuoteIdent(table->Qualifier()) + "." + entry;
    if (seen.Add(entry))
      Add(entry);
  }
}

std::string TVnGroupByItems::GetScript() {
  DeriveFromSelectList();
  // The derived entries are written as the select items write their fields: quoted already.
  if (Count() == 0)
    return std::string();
  std::string text = ClauseHead(Parser(), "GROUP", "BY");
  for (int i = 0; i < Count(); ++i) {
    text += m_strings[static_cast<std::size_t>(i)];
    text += i < Count() - 1 ? ",\r\n  " : "\r\n";
  }
  return text;
}

}  // namespace vantor
