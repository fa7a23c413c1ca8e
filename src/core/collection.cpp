#include "collection.h"

#include "errors.h"
#include "scanner.h"
#include "select_parser.h"

#include <utility>

namespace vantor {

// ---------------------------------------------------------------------------------------------
// TVnCollectionItem

void TVnCollectionItem::SetParser(TVnSelectParser* parser) {
  if (m_parser != parser)
    m_parser = parser;
}

void TVnCollectionItem::Assign(const TVnCollectionItem& source) { m_parser = source.m_parser; }

void TVnCollectionItem::AssignError(const TVnCollectionItem& source) const {
  throw EVnAssignError(source.ClassName(), ClassName());
}

const TVnSQLScanner* TVnCollectionItem::Scanner() const {
  return m_parser ? &m_parser->Scanner() : nullptr;
}

std::string TVnCollectionItem::FormatKeyword(std::string_view s) const {
  return m_parser ? m_parser->FormatKeyword(s) : std::string(s);
}

std::string TVnCollectionItem::FormatFunction(std::string_view s) const {
  return m_parser ? m_parser->FormatFunction(s) : std::string(s);
}

std::string TVnCollectionItem::QuoteIdent(std::string_view s) const {
  return m_parser ? m_parser->QuoteIdent(s) : std::string(s);
}

// ---------------------------------------------------------------------------------------------
// TVnCollection

TVnCollectionItem* TVnCollection::Item(int index) const {
  if (index < 0 || index >= Count())
    throw EVnListIndexError(index);
  return m_items[static_cast<std::size_t>(index)].get();
}

TVnCollectionItem* TVnCollection::AddItem() { return Insert(Count(), CreateItem()); }

TVnCollectionItem* TVnCollection::InsertItem(int index) {
  if (index < 0 || index > Count())
    throw EVnListIndexError(index);
  return Insert(index, CreateItem());
}

TVnCollectionItem* TVnCollection::Insert(int index, std::unique_ptr<TVnCollectionItem> item) {
  TVnCollectionItem* raw = item.get();
  raw->m_collection = this;
  m_items.insert(m_items.begin() + index, std::move(item));
  Renumber(index);
  raw->SetParser(m_parser);
  Added(*raw);
  return raw;
}

void TVnCollection::Delete(int index) { Extract(index).reset(); }

std::unique_ptr<TVnCollectionItem> TVnCollection::Extract(int index) {
  TVnCollectionItem* item = Item(index);
  Removing(*item);
  // Removing may have changed the list (a cascade); find the item again.
  index = item->m_index;
  std::unique_ptr<TVnCollectionItem> owned = std::move(m_items[static_cast<std::size_t>(index)]);
  m_items.erase(m_items.begin() + index);
  Renumber(index);
  owned->m_collection = nullptr;
  owned->m_index = -1;
  Removed(*owned);
  return owned;
}

void TVnCollection::Clear() {
  if (m_items.empty())
    return;
  Clearing();
  TakeAll().clear();
}

std::vector<std::unique_ptr<TVnCollectionItem>> TVnCollection::TakeAll() {
  std::vector<std::unique_ptr<TVnCollectionItem>> items = std::move(m_items);
  m_items.clear();
  for (auto& item : items) {
    item->m_collection = nullptr;
    item->m_index = -1;
  }
  return items;
}

void TVnCollection::MoveItemTo(int index, TVnCollection& target) {
  std::unique_ptr<TVnCollectionItem> item = Extract(index);
  target.Insert(target.Count(), std::move(item));
}

void TVnCollection::Move(int fromIndex, int toIndex) {
  Item(fromIndex);
  Item(toIndex);
  if (fromIndex == toIndex)
    return;
  std::unique_ptr<TVnCollectionItem> item = std::move(m_items[static_cast<std::size_t>(fromIndex)]);
  m_items.erase(m_items.begin() + fromIndex);
  m_items.insert(m_items.begin() + toIndex, std::move(item));
  Renumber(fromIndex < toIndex ? fromIndex : toIndex);
}

void TVnCollection::Renumber(int from) {
  for (std::size_t i = static_cast<std::size_t>(from); i < m_items.size(); ++i)
    m_items[i]->m_index = static_cast<int>(i);
}

void TVnCollection::EndUpdate() {
  if (m_updateCount > 0)
    --m_updateCount;
}

void TVnCollection::SetParser(TVnSelectParser* parser) {
  if (m_parser == parser)
    return;
  m_parser = parser;
  for (auto& item : m_items)
    item->SetParser(parser);
}

void TVnCollection::Assign(const TVnCollection& source) {
  if (&source == this)
    return;
  // Try the item classes on two blank items first, so that an incompatible source is
  // reported before anything here is lost.
  CreateItem()->Assign(*source.CreateItem());
  BeginUpdate();
  try {
    Clear();
    for (const auto& item : source.m_items)
      AddItem()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TVnCollection::FormatKeyword(std::string_view s) const {
  return m_parser ? m_parser->FormatKeyword(s) : std::string(s);
}

void TVnCollection::Added(TVnCollectionItem&) {}

void TVnCollection::Removing(TVnCollectionItem&) {}

void TVnCollection::Removed(TVnCollectionItem&) {}

void TVnCollection::Clearing() {}

}  // namespace vantor
