#include "select_parser.h"

#include "text_utils.h"

namespace vantor {

TVnSelectParser::~TVnSelectParser() {
  // Items reach the root while they go; release them before the lists they consult.
  if (m_tableDefs)
    m_tableDefs->Clear();
}

std::unique_ptr<TVnSQLScanner> TVnSelectParser::CreateScanner() const {
  return NewScanner<TVnSQLScanner>();
}

std::unique_ptr<TVnTableDefs> TVnSelectParser::CreateTableDefs() const {
  return std::make_unique<TVnTableDefs>();
}

std::unique_ptr<TVnWhereItems> TVnSelectParser::CreateWhereItems() const {
  return std::make_unique<TVnWhereItems>();
}

std::unique_ptr<TVnHavingItems> TVnSelectParser::CreateHavingItems() const {
  return std::make_unique<TVnHavingItems>();
}

std::string TVnSelectParser::GetAggregates() const { return "SUM,MIN,MAX,AVG,COUNT"; }

void TVnSelectParser::LoadAggregates() { m_aggregates.SetCommaText(GetAggregates()); }

void TVnSelectParser::LoadOperators() {
  TVnOperators& ops = *m_operators;
  ops.BeginUpdate();
  ops.Clear();
  for (const char* caption : {"=", "<>", "<", ">", "<=", ">=", "LIKE", "NOT LIKE"})
    ops.AddOperator(caption, 1);
  ops.AddOperator("IN", 1, "(", "", ")");
  ops.AddOperator("NOT IN", 1, "(", "", ")");
  ops.AddOperator("BETWEEN", 2, "", "AND");
  ops.AddOperator("NOT BETWEEN", 2, "", "AND");
  ops.AddOperator("IS NULL", 0);
  ops.AddOperator("IS NOT NULL", 0);
  ops.EndUpdate();
}

void TVnSelectParser::Create() {
  m_scanner = CreateScanner();
  m_tableDefs = CreateTableDefs();
  m_tableDefs->SetParser(this);
  m_whereItems = CreateWhereItems();
  m_whereItems->SetParser(this);
  m_havingItems = CreateHavingItems();
  m_havingItems->SetParser(this);
  m_groupByItems = std::make_unique<TVnGroupByItems>(this);
  m_orderByItems = std::make_unique<TVnOrderByItems>(this);
  LoadAggregates();
  m_operators = std::make_unique<TVnOperators>();
  LoadOperators();
  m_valid = true;
}

void TVnSelectParser::Clear() {
  m_tableDefs->Clear();
  m_whereItems->Clear();
  m_whereItems->SetGroupKind(gkAll);
  m_groupByItems->Clear();
  m_havingItems->Clear();
  m_havingItems->SetGroupKind(gkAll);
  m_orderByItems->Clear();
  m_scanner->SetText(std::string());
  m_valid = true;
}

void TVnSelectParser::SetScriptFormat(const TVnScriptFormat& format) {
  if (&format != &m_scriptFormat)
    m_scriptFormat.Assign(format);
}

std::string TVnSelectParser::QuoteIdent(std::string_view s) const {
  if (m_scanner->QuoteIdentifiers() && ContainsText(s, ".db"))
    return m_scanner->IsNotQuoted(s) ? EncloseDoubling(s, m_scanner->IdentQuoteChar())
                                     : std::string(s);
  return m_scanner->QuoteName(s);
}

std::string TVnSelectParser::ClausesScript() {
  std::string text = m_whereItems->GetScript();
  text += m_groupByItems->GetScript();
  text += m_havingItems->GetScript();
  text += m_orderByItems->GetScript();
  return text;
}

std::string TVnSelectParser::GetScript() {
  std::string text = m_tableDefs->GetScript();
  if (text.empty())
    return text;
  std::string head = FormatKeyword("SELECT") + " ";
  if (Distinct())
    head += FormatKeyword("DISTINCT") + " ";
  text.insert(0, head);
  text += ClausesScript();
  return text;
}

}  // namespace vantor
