#include "join_def.h"

#include "from_rendering.h"
#include "table_def.h"
#include "text_utils.h"

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnJoinDef

TVnTableDef* TVnJoinDef::OwnerTable() const {
  const auto* list = dynamic_cast<const TVnJoinDefs*>(Collection());
  return list ? list->OwnerTable() : nullptr;
}

void TVnJoinDef::Assign(const TVnCollectionItem& source) {
  const auto* src = dynamic_cast<const TVnJoinDef*>(&source);
  if (!src)
    AssignError(source);
  TVnCollectionItem::Assign(source);
  m_operator = src->m_operator;
  m_joinKind = src->m_joinKind;
  m_rightField = src->m_rightField;
  m_rightTable = src->m_rightTable;
  m_leftField = src->m_leftField;
}

bool TVnJoinDef::IsComplete() const {
  return OwnerTable() && !m_leftField.empty() && !Trim(m_rightField).empty() &&
         !m_rightTable.empty() && m_joinKind <= jkFullOuter;
}

std::string TVnJoinDef::ConditionText(const std::string& rightAlias) const {
  const TVnTableDef* owner = OwnerTable();
  const std::string leftQualifier = owner ? owner->Qualifier() : std::string();
  return "(" + QuoteIdent(leftQualifier) + "." + QuoteIdent(m_leftField) + " " + m_operator + " " +
         QuoteIdent(rightAlias) + "." + QuoteIdent(m_rightField) + ")";
}

namespace {

const char* JoinKindWords(TVnJoinKind kind) {
  switch (kind) {
  case jkInner:
    return "INNER";
  case jkLeftOuter:
    return "LEFT OUTER";
  case jkRightOuter:
    return "RIGHT OUTER";
  case jkFullOuter:
    return "FULL OUTER";
  }
  return "";
}

}  // namespace

std::string TVnJoinDef::JoinText(const TVnTableDef& right, bool turned) const {
  const TVnTableDef& brought = turned ? *OwnerTable() : right;
  std::string reference = QuoteIdent(brought.Name());
  if (!brought.Alias().empty() && brought.Alias() != brought.Name())
    reference += " " + QuoteIdent(brought.Alias());
  TVnJoinKind kind = m_joinKind;
  if (turned && kind == jkLeftOuter)
    kind = jkRightOuter;
  else if (turned && kind == jkRightOuter)
    kind = jkLeftOuter;
  return FormatKeyword(JoinKindWords(kind)) + " " + FormatKeyword("JOIN") + " " + reference + " " +
         FormatKeyword("ON") + " " + ConditionText(right.Alias());
}

std::string TVnJoinDef::AndText(const TVnTableDef& right) const {
  return FormatKeyword("AND") + " " + ConditionText(right.Alias());
}

std::string TVnJoinDef::GetScript() const {
  if (!IsComplete())
    return std::string();
  const TVnTableDef* owner = OwnerTable();
  if (owner->Qualifier().empty())
    return std::string();
  if (const TVnTableDefs* tables = owner->TableDefs()) {
    const TVnTableDef* right = TVnFromRendering(tables).Find(m_rightTable);
    if (!right || right->Alias().empty())
      return std::string();
    return JoinText(*right, false);
  }
  // A table in no list: the right table is what the join names.
  return FormatKeyword(JoinKindWords(m_joinKind)) + " " + FormatKeyword("JOIN") + " " +
         QuoteIdent(m_rightTable) + " " + FormatKeyword("ON") + " " + ConditionText(m_rightTable);
}

// ---------------------------------------------------------------------------------------------
// TVnJoinDefs

std::unique_ptr<TVnCollectionItem> TVnJoinDefs::CreateItem() const {
  return std::make_unique<TVnJoinDef>();
}

TVnTableDef* TVnJoinDefs::OwnerTable() const { return dynamic_cast<TVnTableDef*>(Owner()); }

std::string TVnJoinDefs::GetScript() const {
  if (!OwnerTable())
    return std::string();
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    const std::string text = Items(i)->GetScript();
    if (!text.empty())
      result += "\r\n  " + text;
  }
  return result;
}

TVnJoinDef* TVnJoinDefs::Find(const std::string& leftField, const std::string& rightTable,
                              const std::string& rightField) const {
  for (int i = 0; i < Count(); ++i) {
    TVnJoinDef* join = Items(i);
    if (join->LeftField() == leftField && join->RightTable() == rightTable &&
        join->RightField() == rightField)
      return join;
  }
  return nullptr;
}

}  // namespace vantor
