#include "function_def.h"

#include "scanner.h"
#include "select_parser.h"
#include "table_def.h"
#include "text_utils.h"

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnFunctionDef

TVnFunctionDef::TVnFunctionDef() = default;

TVnFunctionDef::~TVnFunctionDef() = default;

std::unique_ptr<TVnFunctionDefs> TVnFunctionDef::CreateArgs() const {
  return std::make_unique<TVnFunctionDefs>(const_cast<TVnFunctionDef*>(this));
}

TVnFunctionDefs& TVnFunctionDef::Args() const {
  if (!m_args) {
    m_args = CreateArgs();
    m_args->SetParser(Parser());
  }
  return *m_args;
}

int TVnFunctionDef::ArgCount() const { return m_args ? m_args->Count() : 0; }

void TVnFunctionDef::SetName(const std::string& s) {
  if (m_name != s)
    m_name = s;
}

void TVnFunctionDef::SetKind(TVnFunctionKind k) {
  if (m_kind != k)
    m_kind = k;
}

void TVnFunctionDef::Clear() {
  m_name.clear();
  m_kind = fkNone;
  if (m_args)
    m_args->Clear();
}

void TVnFunctionDef::Assign(const TVnCollectionItem& source) {
  const auto* src = dynamic_cast<const TVnFunctionDef*>(&source);
  if (!src)
    AssignError(source);
  TVnCollectionItem::Assign(source);
  if (src->ArgCount() > 0 || ArgCount() > 0)
    Args().Assign(src->Args());
  m_kind = src->m_kind;
  m_name = src->m_name;
}

void TVnFunctionDef::SetParser(TVnSelectParser* parser) {
  TVnCollectionItem::SetParser(parser);
  if (m_args)
    m_args->SetParser(parser);
}

bool TVnFunctionDef::QuotesCallName() const {
  const TVnSQLScanner* scanner = Scanner();
  return m_kind == fkField && scanner && !m_name.empty() && !scanner->IsPlainName(m_name);
}

TVnTableDef* TVnFunctionDef::OwningTable() const {
  TVnCollectionItem* current = const_cast<TVnFunctionDef*>(this);
  while (current->Collection()) {
    const TVnFunctionDefs* list = current->Collection()->AsFunctionDefs();
    if (!list || !list->Owner())
      break;
    current = list->Owner();
  }
  return current->AsTableDef();
}

std::string TVnFunctionDef::GetScript() const {
  if (ArgCount() > 0)
    return (QuotesCallName() ? QuoteIdent(m_name) : FormatFunction(m_name)) + "(" +
           m_args->GetScript() + ")";
  switch (m_kind) {
  case fkFunction:
    return FormatFunction(m_name) + "()";
  case fkField: {
    // A field without a name stands for all the fields of its table: t.*.
    std::string result = m_name.empty() ? std::string("*") : QuoteIdent(m_name);
    const TVnTableDef* table = OwningTable();
    const std::string qualifier = table ? table->Qualifier() : std::string();
    if (!qualifier.empty())
      return QuoteIdent(qualifier) + "." + result;
    return m_name.empty() ? std::string() : result;
  }
  case fkString: {
    // The model holds the value itself; only the literal gets quotes and escapes.
    if (const TVnSQLScanner* scanner = Scanner())
      return scanner->QuoteString(m_name);
    return EncloseDoubling(m_name, '\'');
  }
  default:
    return m_name;
  }
}

// ---------------------------------------------------------------------------------------------
// TVnFieldDef

void TVnFieldDef::SetAlias(const std::string& s) {
  if (m_alias == s)
    return;
  if (TVnTableDefs* defs = TableDefs())
    defs->AliasChanging(m_alias, s);
  m_alias = s;
}

int TVnFieldDef::SelectIndex() const {
  if (const TVnTableDefs* defs = TableDefs())
    defs->CloseSelectIndexGaps();
  return m_selectIndex;
}

void TVnFieldDef::SetSelectIndex(int index) {
  TVnTableDefs* defs = TableDefs();
  if (defs)
    defs->CloseSelectIndexGaps();
  m_selectIndex = index;
  if (defs)
    defs->SelectIndexChanged();
}

void TVnFieldDef::SetName(const std::string& s) {
  if (s == Name())
    return;
  if (m_alias == Name())
    SetAlias(MakeUniqueAlias(s, false));
  TVnFunctionDef::SetName(s);
}

void TVnFieldDef::SetKind(TVnFunctionKind k) {
  TVnFunctionDef::SetKind(k);
  if (m_alias == Name() && k != fkNone && k != fkField)
    SetAlias(MakeUniqueAlias("FIELD_", true));
}

void TVnFieldDef::Clear() {
  TVnFunctionDef::Clear();
  SetAlias(Name());
}

void TVnFieldDef::Assign(const TVnCollectionItem& source) {
  TVnFunctionDef::Assign(source);
  if (const auto* src = dynamic_cast<const TVnFieldDef*>(&source))
    SetAlias(src->m_alias);
}

std::string TVnFieldDef::GetScript() const {
  std::string result = TVnFunctionDef::GetScript();
  // A field named as itself needs no AS; a value or call does, whatever its alias (' ' AS ' '
  // would otherwise read back with a generated name).
  const bool named = Kind() != fkField && Kind() != fkNone;
  // A call of a function the dialect does not list reads back under its name as written, in
  // the functions' letter case: M(x) AS m, written m(x), is m(x) named as itself.
  const bool unknownCall = Kind() == fkField && ArgCount() > 0 && !QuotesCallName();
  const bool asWritten = unknownCall ? m_alias == FormatFunction(Name()) : m_alias == Name();
  if (!m_alias.empty() && (!asWritten || named))
    result += " " + FormatKeyword("AS") + " " + QuoteAlias(m_alias);
  return result;
}

std::string TVnFieldDef::MakeUniqueAlias(const std::string& base, bool force) const {
  if (const TVnTableDefs* defs = TableDefs())
    return defs->MakeUniqueAlias(base, force);
  return force ? base + "1" : base;
}

std::string TVnFieldDef::TableAlias() const {
  const TVnTableDef* table = Table();
  return table ? table->Alias() : std::string();
}

std::string TVnFieldDef::QuoteAlias(const std::string& s) const {
  const TVnSQLScanner* scanner = Scanner();
  if (!scanner)
    return s;
  if (scanner->QuoteAliases())
    return QuoteIdent(s);
  // Where aliases stay bare, one that is no plain identifier would not read back: it is
  // quoted all the same when quoting is on.
  const bool plain = scanner->IsPlainName(s) && !scanner->IsFunction(s);
  return (!plain && scanner->QuoteIdentifiers()) ? QuoteIdent(s) : s;
}

TVnTableDef* TVnFieldDef::Table() const {
  const TVnFieldDefs* list = Collection() ? Collection()->AsFieldDefs() : nullptr;
  return list ? list->OwnerTable() : nullptr;
}

TVnTableDefs* TVnFieldDef::TableDefs() const {
  const TVnFieldDefs* list = Collection() ? Collection()->AsFieldDefs() : nullptr;
  return list ? list->TableDefs() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TVnFunctionDefs

std::unique_ptr<TVnCollectionItem> TVnFunctionDefs::CreateItem() const {
  return std::make_unique<TVnFunctionDef>();
}

std::string TVnFunctionDefs::GetScript() const {
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0)
      result += ", ";
    result += Items(i)->GetScript();
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// TVnFieldDefs

std::unique_ptr<TVnCollectionItem> TVnFieldDefs::CreateItem() const {
  return std::make_unique<TVnFieldDef>();
}

std::string TVnFieldDefs::GetScript() const {
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0)
      result += ",\r\n";
    result += "  " + Items(i)->GetScript();
  }
  return result;
}

TVnFieldDef* TVnFieldDefs::FindByAlias(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Alias() == s)
      return Items(i);
  return nullptr;
}

TVnFieldDef* TVnFieldDefs::FindByName(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == s)
      return Items(i);
  return nullptr;
}

TVnTableDef* TVnFieldDefs::OwnerTable() const { return Owner() ? Owner()->AsTableDef() : nullptr; }

TVnTableDefs* TVnFieldDefs::TableDefs() const {
  const TVnTableDef* table = OwnerTable();
  return table ? table->TableDefs() : nullptr;
}

void TVnFieldDefs::Added(TVnCollectionItem& item) {
  auto& field = static_cast<TVnFieldDef&>(item);
  if (TVnTableDefs* defs = TableDefs())
    defs->FieldAttached(field);
  else
    field.m_selectIndex = item.Index();
}

void TVnFieldDefs::Removing(TVnCollectionItem& item) {
  auto& field = static_cast<TVnFieldDef&>(item);
  if (TVnTableDefs* defs = TableDefs()) {
    defs->FieldDetaching(field);
    return;
  }
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->m_selectIndex > field.m_selectIndex)
      --Items(i)->m_selectIndex;
}

void TVnFieldDefs::Clearing() {
  if (TVnTableDefs* defs = TableDefs())
    for (int i = 0; i < Count(); ++i)
      defs->FieldDetaching(*Items(i));
}

}  // namespace vantor
