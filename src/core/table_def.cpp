#include "table_def.h"

#include "from_rendering.h"
#include "select_parser.h"
#include "string_lists.h"

#include <algorithm>
#include <unordered_set>

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnTableDef

TVnTableDef::TVnTableDef() = default;

TVnTableDef::~TVnTableDef() = default;

std::unique_ptr<TVnFieldDefs> TVnTableDef::CreateFields() const {
  return std::make_unique<TVnFieldDefs>(const_cast<TVnTableDef*>(this));
}

std::unique_ptr<TVnJoinDefs> TVnTableDef::CreateJoins() const {
  return std::make_unique<TVnJoinDefs>(const_cast<TVnTableDef*>(this));
}

TVnFieldDefs& TVnTableDef::Fields() const {
  if (!m_fields) {
    m_fields = CreateFields();
    m_fields->SetParser(Parser());
  }
  return *m_fields;
}

TVnJoinDefs& TVnTableDef::Joins() const {
  if (!m_joins) {
    m_joins = CreateJoins();
    m_joins->SetParser(Parser());
  }
  return *m_joins;
}

TVnTableDefs* TVnTableDef::TableDefs() const {
  return Collection() ? Collection()->AsTableDefs() : nullptr;
}

void TVnTableDef::SetName(const std::string& s) {
  if (m_name == s)
    return;
  if (m_alias == m_name)
    SetAlias(s);
  if (TVnTableDefs* defs = TableDefs()) {
    TVnTableDefs::IndexRemove(defs->m_tablesByName, m_name, this);
    TVnTableDefs::IndexAdd(defs->m_tablesByName, s, this);
  }
  m_name = s;
}

void TVnTableDef::SetAlias(const std::string& s) {
  if (m_alias == s)
    return;
  if (TVnTableDefs* defs = TableDefs()) {
    // Joins name their right table by alias: they follow the rename.
    if (!m_alias.empty())
      defs->RenameJoinTable(m_alias, s);
    TVnTableDefs::IndexRemove(defs->m_tablesByAlias, m_alias, this);
    TVnTableDefs::IndexAdd(defs->m_tablesByAlias, s, this);
  }
  m_alias = s;
}

void TVnTableDef::Assign(const TVnCollectionItem& source) {
  const auto* src = dynamic_cast<const TVnTableDef*>(&source);
  if (!src)
    AssignError(source);
  TVnCollectionItem::Assign(source);
  // Through the setters' bookkeeping, but without renaming anybody's joins.
  if (TVnTableDefs* defs = TableDefs()) {
    TVnTableDefs::IndexRemove(defs->m_tablesByAlias, m_alias, this);
    TVnTableDefs::IndexAdd(defs->m_tablesByAlias, src->m_alias, this);
    TVnTableDefs::IndexRemove(defs->m_tablesByName, m_name, this);
    TVnTableDefs::IndexAdd(defs->m_tablesByName, src->m_name, this);
  }
  m_alias = src->m_alias;
  Fields().Assign(src->Fields());
  m_name = src->m_name;
}

void TVnTableDef::SetParser(TVnSelectParser* parser) {
  TVnCollectionItem::SetParser(parser);
  if (m_fields)
    m_fields->SetParser(parser);
  if (m_joins)
    m_joins->SetParser(parser);
}

std::string TVnTableDef::GetScript() const {
  TVnFromRendering from(TableDefs());
  return from.Entry(this);
}

// ---------------------------------------------------------------------------------------------
// TVnTableDefs

std::unique_ptr<TVnCollectionItem> TVnTableDefs::CreateItem() const {
  return std::make_unique<TVnTableDef>();
}

void TVnTableDefs::EndUpdate() {
  TVnItemsOf<TVnTableDef>::EndUpdate();
  if (UpdateCount() == 0)
    MakeAliasesUnique();
}

void TVnTableDefs::IndexAdd(TableIndex& index, const std::string& key, TVnTableDef* table) {
  index[key].push_back(table);
}

void TVnTableDefs::IndexRemove(TableIndex& index, const std::string& key, TVnTableDef* table) {
  auto it = index.find(key);
  if (it == index.end())
    return;
  std::vector<TVnTableDef*>& tables = it->second;
  tables.erase(std::remove(tables.begin(), tables.end(), table), tables.end());
  if (tables.empty())
    index.erase(it);
}

TVnTableDef* TVnTableDefs::IndexFirst(const TableIndex& index, const std::string& key) {
  auto it = index.find(key);
  if (it == index.end())
    return nullptr;
  // The first in list order, as a scan would find it.
  TVnTableDef* first = nullptr;
  for (TVnTableDef* table : it->second)
    if (!first || table->Index() < first->Index())
      first = table;
  return first;
}

TVnTableDef* TVnTableDefs::FindByAlias(const std::string& s) const {
  return IndexFirst(m_tablesByAlias, s);
}

TVnTableDef* TVnTableDefs::FindByName(const std::string& s) const {
  return IndexFirst(m_tablesByName, s);
}

bool TVnTableDefs::IsJoinTarget(const TVnTableDef& table) const {
  for (int i = 0; i < Count(); ++i) {
    const TVnJoinDefs& joins = Items(i)->Joins();
    for (int j = 0; j < joins.Count(); ++j)
      if (joins.Items(j)->RightTable() == table.Alias())
        return true;
  }
  return false;
}

TVnFieldDef* TVnTableDefs::FieldBySelectIndex(int index) const {
  CloseSelectIndexGaps();
  if (!m_orderValid) {
    m_bySelectIndex.assign(static_cast<std::size_t>(m_fieldCount), nullptr);
    for (int i = 0; i < Count(); ++i) {
      const TVnFieldDefs& fields = Items(i)->Fields();
      for (int j = 0; j < fields.Count(); ++j) {
        TVnFieldDef* field = fields.Items(j);
        const int at = field->m_selectIndex;
        if (at >= 0 && at < m_fieldCount && !m_bySelectIndex[static_cast<std::size_t>(at)])
          m_bySelectIndex[static_cast<std::size_t>(at)] = field;
      }
    }
    m_orderValid = true;
  }
  if (index < 0 || index >= m_fieldCount)
    return nullptr;
  return m_bySelectIndex[static_cast<std::size_t>(index)];
}

bool TVnTableDefs::AliasExists(const std::string& s) const { return m_aliasCounts.Contains(s); }

std::string TVnTableDefs::MakeUniqueAlias(const std::string& base, bool force) const {
  if (!force && !AliasExists(base))
    return base;
  int& next = m_suffixHints[base];
  if (next < 1)
    next = 1;
  while (AliasExists(base + std::to_string(next)))
    ++next;
  return base + std::to_string(next);
}

void TVnTableDefs::AliasFreed(const std::string& alias) {
  if (m_suffixHints.empty())
    return;
  // alias may be base+n for any split of its trailing digits: where n is below the hint of
  // that base, base+n is the first free one now, and every base+k below it is still taken.
  // (Resetting the hint instead would make the next name for base test all the taken ones
  // again, and an output name is freed on every rename.)
  std::size_t end = alias.size();
  long long number = 0;
  long long scale = 1;
  while (end > 0 && alias[end - 1] >= '0' && alias[end - 1] <= '9' && scale <= 1'000'000'000) {
    --end;
    number += (alias[end] - '0') * scale;
    scale *= 10;
    // MakeUniqueAlias writes no leading zeros and starts at 1.
    if (alias[end] == '0' || number < 1)
      continue;
    auto hint = m_suffixHints.find(alias.substr(0, end));
    if (hint != m_suffixHints.end() && number < hint->second)
      hint->second = static_cast<int>(number);
  }
}

void TVnTableDefs::MakeAliasesUnique() {
  for (int i = 0; i < Count(); ++i) {
    const TVnFieldDefs& fields = Items(i)->Fields();
    // The first field def of this table that carries each output name.
    std::unordered_map<std::string, const TVnFieldDef*> firstByAlias;
    for (int j = 0; j < fields.Count(); ++j)
      firstByAlias.emplace(fields.Items(j)->Alias(), fields.Items(j));
    for (int j = 0; j < fields.Count(); ++j) {
      TVnFieldDef* field = fields.Items(j);
      // An alias of the user's own is kept: only an item that is named after its field and
      // clashes with an earlier output name is renamed.
      if (field->Alias() != field->Name() || field->Name().empty())
        continue;
      auto first = firstByAlias.find(field->Name());
      if (first == firstByAlias.end() || first->second == field)
        continue;
      field->SetAlias(
          MakeUniqueAlias(field->Kind() == fkField ? field->Name() : std::string("FIELD_"), true));
      firstByAlias.emplace(field->Alias(), field);
    }
  }
}

void TVnTableDefs::RenameJoinTable(const std::string& oldName, const std::string& newName) {
  for (int i = 0; i < Count(); ++i) {
    const TVnJoinDefs& joins = Items(i)->Joins();
    for (int j = 0; j < joins.Count(); ++j)
      if (joins.Items(j)->RightTable() == oldName)
        joins.Items(j)->SetRightTable(newName);
  }
}

void TVnTableDefs::Added(TVnCollectionItem& item) {
  auto& table = static_cast<TVnTableDef&>(item);
  IndexAdd(m_tablesByAlias, table.Alias(), &table);
  IndexAdd(m_tablesByName, table.Name(), &table);
  const TVnFieldDefs& fields = table.Fields();
  for (int i = 0; i < fields.Count(); ++i)
    FieldAttached(*fields.Items(i));
}

void TVnTableDefs::Removing(TVnCollectionItem& item) {
  auto& table = static_cast<TVnTableDef&>(item);
  IndexRemove(m_tablesByAlias, table.Alias(), &table);
  IndexRemove(m_tablesByName, table.Name(), &table);
  const TVnFieldDefs& fields = table.Fields();
  for (int i = 0; i < fields.Count(); ++i)
    FieldDetaching(*fields.Items(i));
}

void TVnTableDefs::Removed(TVnCollectionItem& item) {
  DropDanglingJoins();
  DropOrderByEntriesOf(static_cast<TVnTableDef&>(item));
}

void TVnTableDefs::Clearing() {
  m_tablesByAlias.clear();
  m_tablesByName.clear();
  m_fieldCount = 0;
  m_aliasCounts.Clear();
  m_suffixHints.clear();
  m_hasGaps = false;
  m_orderValid = true;
  m_bySelectIndex.clear();
}

void TVnTableDefs::DropDanglingJoins() {
  for (int i = 0; i < Count(); ++i) {
    TVnJoinDefs& joins = Items(i)->Joins();
    for (int j = joins.Count() - 1; j >= 0; --j) {
      const std::string& right = joins.Items(j)->RightTable();
      if (!FindByAlias(right) && !FindByName(right))
        joins.Delete(j);
    }
  }
}

void TVnTableDefs::DropOrderByEntriesOf(const TVnTableDef& table) {
  if (!Parser())
    return;
  TVnOrderByItems& orderBy = Parser()->OrderByItems();
  for (const std::string& qualifier : {table.Name(), table.Alias()}) {
    // A qualifier that a remaining table still answers to keeps its entries.
    if (qualifier.empty() || FindByAlias(qualifier))
      continue;
    const std::string prefix = qualifier + ".";
    for (int i = orderBy.Count() - 1; i >= 0; --i)
      if (orderBy[i].compare(0, prefix.size(), prefix) == 0)
        orderBy.Delete(i);
  }
}

void TVnTableDefs::FieldAttached(TVnFieldDef& field) {
  CloseSelectIndexGaps();
  ++m_fieldCount;
  field.m_selectIndex = m_fieldCount - 1;
  m_aliasCounts.Add(field.m_alias);
  if (m_orderValid && m_bySelectIndex.size() + 1 == static_cast<std::size_t>(m_fieldCount))
    m_bySelectIndex.push_back(&field);
  else
    m_orderValid = false;
}

void TVnTableDefs::FieldDetaching(TVnFieldDef& field) {
  --m_fieldCount;
  if (m_aliasCounts.Remove(field.m_alias))
    AliasFreed(field.m_alias);
  // Removing the last item of the select list leaves no gap.
  const bool last = !m_hasGaps && m_orderValid && field.m_selectIndex == m_fieldCount &&
                    !m_bySelectIndex.empty() && m_bySelectIndex.back() == &field;
  if (last) {
    m_bySelectIndex.pop_back();
  } else {
    m_hasGaps = true;
    m_orderValid = false;
  }
}

void TVnTableDefs::AliasChanging(const std::string& oldAlias, const std::string& newAlias) {
  if (m_aliasCounts.Remove(oldAlias))
    AliasFreed(oldAlias);
  m_aliasCounts.Add(newAlias);
}

void TVnTableDefs::SelectIndexChanged() { m_orderValid = false; }

void TVnTableDefs::CloseSelectIndexGaps() const {
  if (!m_hasGaps)
    return;
  std::vector<TVnFieldDef*> fields;
  fields.reserve(static_cast<std::size_t>(m_fieldCount));
  for (int i = 0; i < Count(); ++i) {
    const TVnFieldDefs& list = Items(i)->Fields();
    for (int j = 0; j < list.Count(); ++j)
      fields.push_back(list.Items(j));
  }
  std::stable_sort(fields.begin(), fields.end(), [](const TVnFieldDef* a, const TVnFieldDef* b) {
    return a->m_selectIndex < b->m_selectIndex;
  });
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i]->m_selectIndex = static_cast<int>(i);
  m_bySelectIndex = std::move(fields);
  m_hasGaps = false;
  m_orderValid = true;
}

std::string TVnTableDefs::GetScript() const {
  // One buffer for the whole statement: on lists of hundreds of thousands of items, growing
  // and copying partial texts costs more than writing them. Room that is reserved but never
  // written costs next to nothing, so the guess is generous.
  std::string select;
  select.reserve(static_cast<std::size_t>(m_fieldCount) * 48 +
                 static_cast<std::size_t>(Count()) * 96 + 256);
  for (int i = 0; i < m_fieldCount; ++i) {
    const TVnFieldDef* field = FieldBySelectIndex(i);
    if (!field)
      continue;
    const std::string text = field->GetScript();
    if (text.empty())
      continue;
    select += select.empty() ? "\r\n  " : ",\r\n  ";
    select += text;
  }

  const std::string fromList = TVnFromRendering(this).FromList();

  if (select.empty() && !fromList.empty())
    select = "*";
  if (fromList.empty())
    return select;
  const std::string from = FormatKeyword("FROM");
  select.append("\r\n").append(from).append("\r\n").append(fromList).append("\r\n");
  return select;
}

}  // namespace vantor
