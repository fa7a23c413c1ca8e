#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

class TVnCollection;
class TVnFieldDefs;
class TVnFunctionDefs;
class TVnSelectParser;
class TVnSQLScanner;
class TVnTableDef;
class TVnTableDefs;

// An item of an owned list. It knows its list, its index there and the model root
// (`Parser`, not owned), through which it reaches the scanner and the letter-case settings.
class TVnCollectionItem {
public:
  TVnCollectionItem() = default;
  virtual ~TVnCollectionItem() = default;
  TVnCollectionItem(const TVnCollectionItem&) = delete;
  TVnCollectionItem& operator=(const TVnCollectionItem&) = delete;

  virtual const char* ClassName() const { return "TVnCollectionItem"; }
  // What the item is, without dynamic_cast on the model's hot paths.
  virtual TVnTableDef* AsTableDef() { return nullptr; }

  TVnCollection* Collection() const { return m_collection; }
  // Position in the collection; -1 outside any.
  int Index() const { return m_index; }

  TVnSelectParser* Parser() const { return m_parser; }
  virtual void SetParser(TVnSelectParser* parser);

  // Copies the source's state; raises EVnAssignError when the source's class is incompatible.
  virtual void Assign(const TVnCollectionItem& source);

  // Rendering helpers: the root's letter case and identifier quoting, or the text unchanged
  // when the item has no root.
  std::string FormatKeyword(std::string_view s) const;
  std::string FormatFunction(std::string_view s) const;
  std::string QuoteIdent(std::string_view s) const;

protected:
  // For Assign overrides: raises the incompatible-class error.
  [[noreturn]] void AssignError(const TVnCollectionItem& source) const;
  const TVnSQLScanner* Scanner() const;

private:
  friend class TVnCollection;
  TVnCollection* m_collection = nullptr;  // not owned
  int m_index = -1;
  TVnSelectParser* m_parser = nullptr;  // not owned
};

// A list that owns its items. Subclasses say which item class they hold (CreateItem) and may
// watch items arrive and leave (Added, Removing).
class TVnCollection {
public:
  // owner: the item that owns this list, if any (not owned).
  explicit TVnCollection(TVnCollectionItem* owner = nullptr) : m_owner(owner) {}
  virtual ~TVnCollection() = default;
  TVnCollection(const TVnCollection&) = delete;
  TVnCollection& operator=(const TVnCollection&) = delete;

  virtual const char* ClassName() const { return "TVnCollection"; }
  // What the list is, without dynamic_cast on the model's hot paths.
  virtual TVnFunctionDefs* AsFunctionDefs() { return nullptr; }
  virtual TVnFieldDefs* AsFieldDefs() { return nullptr; }
  virtual TVnTableDefs* AsTableDefs() { return nullptr; }

  TVnCollectionItem* Owner() const { return m_owner; }
  int Count() const { return static_cast<int>(m_items.size()); }
  bool Empty() const { return m_items.empty(); }
  // The item at index; raises EVnListIndexError outside the list.
  TVnCollectionItem* Item(int index) const;

  TVnCollectionItem* AddItem();
  TVnCollectionItem* InsertItem(int index);
  void Delete(int index);
  void Clear();
  // Moves the item at index to the end of target, keeping both lists' bookkeeping.
  void MoveItemTo(int index, TVnCollection& target);
  // Moves the item at fromIndex to toIndex within this list.
  void Move(int fromIndex, int toIndex);

  void BeginUpdate() { ++m_updateCount; }
  virtual void EndUpdate();
  int UpdateCount() const { return m_updateCount; }

  TVnSelectParser* Parser() const { return m_parser; }
  virtual void SetParser(TVnSelectParser* parser);

  // Replaces the items by copies of source's; raises EVnAssignError, leaving this list as it
  // was, when the item classes are incompatible.
  virtual void Assign(const TVnCollection& source);

protected:
  virtual std::unique_ptr<TVnCollectionItem> CreateItem() const = 0;
  // The root's letter case for keywords, or the text unchanged without a root.
  std::string FormatKeyword(std::string_view s) const;
  // Called once the item is in the list (index and root set).
  virtual void Added(TVnCollectionItem& item);
  // Called while the item is still in the list, before it leaves.
  virtual void Removing(TVnCollectionItem& item);
  // Called when the item has left the list, before it is destroyed.
  virtual void Removed(TVnCollectionItem& item);
  // Called when the list is about to drop all its items at once (Clear).
  virtual void Clearing();

  // Detaches all items without notifications and hands them over.
  std::vector<std::unique_ptr<TVnCollectionItem>> TakeAll();

private:
  TVnCollectionItem* Insert(int index, std::unique_ptr<TVnCollectionItem> item);
  std::unique_ptr<TVnCollectionItem> Extract(int index);
  void Renumber(int from);

  TVnCollectionItem* m_owner;
  TVnSelectParser* m_parser = nullptr;  // not owned
  std::vector<std::unique_ptr<TVnCollectionItem>> m_items;
  int m_updateCount = 0;
};

// Typed access for a collection whose items are all of class TItem (or derived from it).
template <class TItem, class TBase = TVnCollection> class TVnItemsOf : public TBase {
public:
  using TBase::TBase;

  TItem* Items(int index) const { return static_cast<TItem*>(this->Item(index)); }
  TItem* Add() { return static_cast<TItem*>(this->AddItem()); }
  TItem* Insert(int index) { return static_cast<TItem*>(this->InsertItem(index)); }
};

}  // namespace vantor
