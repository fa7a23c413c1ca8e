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

std::string TVnJoinDef::RenderIn(TVnFromRendering& from) const {
  if (!IsComplete())
    return std::string();
  const TVnTableDef* owner = OwnerTable();
  std::string rightReference;
  std::string rightQualifier;
  const TVnTableDef* right = nullptr;
  if (owner->TableDefs()) {
    right = from.Find(m_rightTable);
    if (!right)
      return std::string();
    rightReference = QuoteIdent(right->Name());
    if (!right->Alias().empty() && right->Alias() != right->Name())
      rightReference += " " + QuoteIdent(right->Alias());
    rightQualifier = right->Alias();
  } else {
    rightReference = QuoteIdent(m_rightTable);
    rightQualifier = m_rightTable;
  }
  if (owner->Qualifier().empty() || rightQualifier.empty())
    return std::string();
  if (right && from.InFrom(right)) {
    // The right table is already in the text (a second link to it, or a loop of joins): the
    // comparison joins the ON condition before it. With no ON condition before it in this
    // comma-separated entry, or with the table in another entry, it cannot be written in the
    // FROM clause at all, and has no text.
    if (!from.InCurrentEntry(right) || !from.entryHasOn)
      return std::string();
    return FormatKeyword("AND") + " " + ConditionText(rightQualifier);
  }
  if (right)
    from.Enter(right);
  from.entryHasOn = true;
  return FormatKeyword(JoinKindWords(m_joinKind)) + " " + FormatKeyword("JOIN") + " " +
         rightReference + " " + FormatKeyword("ON") + " " + ConditionText(rightQualifier);
}

std::string TVnJoinDef::GetScript() const {
  const TVnTableDef* owner = OwnerTable();
  TVnFromRendering from(owner ? owner->TableDefs() : nullptr);
  return RenderIn(from);
}

// ---------------------------------------------------------------------------------------------
// TVnJoinDefs

std::unique_ptr<TVnCollectionItem> TVnJoinDefs::CreateItem() const {
  return std::make_unique<TVnJoinDef>();
}

TVnTableDef* TVnJoinDefs::OwnerTable() const { return dynamic_cast<TVnTableDef*>(Owner()); }

std::string TVnJoinDefs::RenderIn(TVnFromRendering& from) const {
  if (!OwnerTable())
    return std::string();
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    const std::string text = Items(i)->RenderIn(from);
    if (text.empty())
      continue;
    result += "\r\n  " + text;
  }
  return result;
}

std::string TVnJoinDefs::GetScript() const {
  const TVnTableDef* owner = OwnerTable();
  TVnFromRendering from(owner ? owner->TableDefs() : nullptr);
  return RenderIn(from);
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
