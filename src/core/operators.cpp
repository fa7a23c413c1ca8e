#include "operators.h"

#include "text_utils.h"

namespace vantor {

void TVnOperator::Assign(const TVnCollectionItem& source) {
  const auto* src = dynamic_cast<const TVnOperator*>(&source);
  if (!src)
    AssignError(source);
  TVnCollectionItem::Assign(source);
  m_count = src->m_count;
  m_prefix = src->m_prefix;
  m_relate = src->m_relate;
  m_caption = src->m_caption;
  m_name = src->m_name;
  m_postfix = src->m_postfix;
}

std::unique_ptr<TVnCollectionItem> TVnOperators::CreateItem() const {
  return std::make_unique<TVnOperator>();
}

TVnOperator* TVnOperators::FindByCaption(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Caption() == s)
      return Items(i);
  return nullptr;
}

TVnOperator* TVnOperators::FindByName(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == s)
      return Items(i);
  return nullptr;
}

TVnOperator* TVnOperators::FindByPrefix(const std::string& s, bool& partial) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& caption = Items(i)->Caption();
    if (caption.size() >= s.size() && SameText(std::string_view(caption).substr(0, s.size()), s)) {
      partial = caption.size() > s.size();
      return Items(i);
    }
  }
  return nullptr;
}

TVnOperator* TVnOperators::AddOperator(const std::string& caption, int count,
                                       const std::string& prefix, const std::string& relate,
                                       const std::string& postfix) {
  TVnOperator* op = Add();
  op->SetCaption(caption);
  op->SetName(caption);
  op->SetCount(count);
  op->SetPrefix(prefix);
  op->SetRelate(relate);
  op->SetPostfix(postfix);
  return op;
}

}  // namespace vantor
