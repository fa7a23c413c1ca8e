#include "criterion.h"

#include "operators.h"
#include "select_parser.h"
#include "string_lists.h"

#include <algorithm>

namespace vantor {

std::string GroupKindCaption(int kind) {
  switch (kind) {
  case gkAll:
    return "All";
  case gkAny:
    return "Any";
  case gkNone:
    return "None";
  case gkNotAll:
    return "Not all";
  default:
    return std::string();
  }
}

// ---------------------------------------------------------------------------------------------
// TVnCriterion

TVnCriterion::TVnCriterion() : m_left(std::make_unique<TVnFunctionDef>()) {}

TVnCriterion::~TVnCriterion() = default;

std::unique_ptr<TVnCriterions> TVnCriterion::CreateSubItems() const {
  return std::make_unique<TVnCriterions>(const_cast<TVnCriterion*>(this));
}

TVnCriterions& TVnCriterion::SubItems() const {
  if (!m_subItems) {
    m_subItems = CreateSubItems();
    m_subItems->SetParser(Parser());
  }
  return *m_subItems;
}

bool TVnCriterion::IsGroup() const { return m_subItems && !m_subItems->Empty(); }

TVnFunctionDefs& TVnCriterion::Args() const {
  if (!m_args) {
    m_args = std::make_unique<TVnFunctionDefs>(const_cast<TVnCriterion*>(this));
    m_args->SetParser(Parser());
  }
  return *m_args;
}

int TVnCriterion::ArgCount() const { return m_args ? m_args->Count() : 0; }

void TVnCriterion::Assign(const TVnCollectionItem& source) {
  const auto* src = dynamic_cast<const TVnCriterion*>(&source);
  if (!src)
    AssignError(source);
  TVnCollectionItem::Assign(source);
  m_left->Assign(*src->m_left);
  m_operator = src->m_operator;
  if (src->ArgCount() > 0 || ArgCount() > 0)
    Args().Assign(src->Args());
  if (src->IsGroup() || IsGroup())
    SubItems().Assign(src->SubItems());
}

void TVnCriterion::SetParser(TVnSelectParser* parser) {
  TVnCollectionItem::SetParser(parser);
  m_left->SetParser(parser);
  if (m_args)
    m_args->SetParser(parser);
  if (m_subItems)
    m_subItems->SetParser(parser);
  // A new condition starts with the first operator of the list.
  if (parser && parser->Operators().Count() > 0 && !parser->Operators().FindByCaption(m_operator))
    m_operator = parser->Operators().Items(0)->Caption();
}

std::string TVnCriterion::GetScript() const {
  std::string operands;
  const auto* list = dynamic_cast<const TVnCriterions*>(Collection());
  if (list && list->Parser()) {
    if (const TVnOperator* op = list->Parser()->Operators().FindByCaption(m_operator)) {
      const int argCount = ArgCount();
      if (op->Count() == 1 && argCount > 1 && !op->Prefix().empty()) {
        // A list operator (IN): every value inside the one pair of brackets.
        operands = m_args->GetScript();
      } else {
        const int related = std::min(op->Count(), argCount) - 1;
        for (int i = 0; i < op->Count(); ++i) {
          operands += i < argCount ? m_args->Items(i)->GetScript() : std::string(" ");
          if (i < related)
            operands += " " + FormatKeyword(op->Relate()) + " ";
        }
      }
      if (op->Count() > 0)
        operands = op->Prefix() + operands + op->Postfix();
    }
  } else if (m_args) {
    operands = m_args->GetScript();
  }
  if (IsGroup())
    return m_subItems->GetScript();
  std::string result = m_left->GetScript() + " " + FormatKeyword(m_operator);
  if (!operands.empty())
    result += " " + operands;
  return result;
}

// ---------------------------------------------------------------------------------------------
// TVnCriterions

std::unique_ptr<TVnCollectionItem> TVnCriterions::CreateItem() const {
  return std::make_unique<TVnCriterion>();
}

void TVnCriterions::Assign(const TVnCollection& source) {
  TVnItemsOf<TVnCriterion>::Assign(source);
  if (const auto* src = dynamic_cast<const TVnCriterions*>(&source))
    m_groupKind = src->m_groupKind;
}

std::string TVnCriterions::GetScript() const {
  if (Empty())
    return std::string();
  const bool any = (m_groupKind & 1) != 0;
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0)
      text += "\r\n  ";
    text += "(" + Items(i)->GetScript() + ")";
    if (i < Count() - 1)
      text += FormatKeyword(any ? " OR " : " AND ");
  }
  if ((m_groupKind & 2) != 0)
    text = FormatKeyword("NOT") + " (" + text + ")";
  if (!OwnerCriterion())
    text += "\r\n";
  return text;
}

std::string TVnWhereItems::GetScript() const {
  const std::string text = TVnCriterions::GetScript();
  if (text.empty())
    return text;
  return FormatKeyword("WHERE") + "\r\n  " + text;
}

std::string TVnHavingItems::GetScript() const {
  if (!Parser() || Parser()->GroupByItems().Count() == 0)
    return std::string();
  const std::string text = TVnCriterions::GetScript();
  if (text.empty())
    return text;
  return FormatKeyword("HAVING") + "\r\n  " + text;
}

}  // namespace vantor
