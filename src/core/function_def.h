#pragma once

#include "collection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantor {

class TVnFunctionDefs;
class TVnTableDef;
class TVnTableDefs;

// What the name of a function def holds.
enum TVnFunctionKind : std::uint8_t {
  fkNone = 0,        // plain text
  fkFunction = 1,    // a function name, with its arguments in Args (or called with none)
  fkField = 2,       // a field reference
  fkInteger = 3,
  fkFloat = 4,
  fkString = 5,      // a string value, without its quotes
  fkExpression = 6,  // compound text, rendered unchanged
};

// One expression, function call, field reference or literal.
class TVnFunctionDef : public TVnCollectionItem {
public:
  TVnFunctionDef();
  ~TVnFunctionDef() override;

  const char* ClassName() const override { return "TVnFunctionDef"; }

  const std::string& Name() const { return m_name; }
  virtual void SetName(const std::string& s);
  TVnFunctionKind Kind() const { return m_kind; }
  virtual void SetKind(TVnFunctionKind k);

  // The arguments of a function call (created on first use).
  TVnFunctionDefs& Args() const;
  int ArgCount() const;

  virtual std::string GetScript() const;
  virtual void Clear();

  void Assign(const TVnCollectionItem& source) override;
  void SetParser(TVnSelectParser* parser) override;

  // Whether a call writes its name quoted rather than in the functions' letter case: the
  // name of a function the dialect does not list that would not read back as one word.
  bool QuotesCallName() const;

  // The table whose select list this item belongs to, through any number of function
  // arguments; nullptr for a condition operand or a free item.
  TVnTableDef* OwningTable() const;

protected:
  virtual std::unique_ptr<TVnFunctionDefs> CreateArgs() const;

  // Sets the name without the side effects of SetName.
  void StoreName(const std::string& s) { m_name = s; }
  void StoreKind(TVnFunctionKind k) { m_kind = k; }

private:
  std::string m_name;
  mutable std::unique_ptr<TVnFunctionDefs> m_args;
  TVnFunctionKind m_kind = fkNone;
};

// A select-list item that belongs to a table: a function def with an output name and a
// position in the whole select list.
class TVnFieldDef : public TVnFunctionDef {
public:
  TVnFieldDef() = default;

  const char* ClassName() const override { return "TVnFieldDef"; }

  // Output column name; equals Name when the item has no alias of its own.
  const std::string& Alias() const { return m_alias; }
  void SetAlias(const std::string& s);

  // 0-based position in the whole select list, across all tables.
  int SelectIndex() const;
  void SetSelectIndex(int index);

  void SetName(const std::string& s) override;
  void SetKind(TVnFunctionKind k) override;
  void Clear() override;
  void Assign(const TVnCollectionItem& source) override;
  std::string GetScript() const override;

  // An output name not used by any field def of the model: base, or base1, base2 ...
  // (with force, base1 at the least).
  virtual std::string MakeUniqueAlias(const std::string& base, bool force) const;

  // The alias of the table that owns this item, or '' outside a table.
  std::string TableAlias() const;
  // The alias as rendered: quoted when the dialect quotes aliases.
  std::string QuoteAlias(const std::string& s) const;

  // The table whose Fields hold this item, and the model list that holds that table.
  TVnTableDef* Table() const;
  TVnTableDefs* TableDefs() const;

private:
  friend class TVnFieldDefs;
  friend class TVnTableDefs;
  std::string m_alias;
  int m_selectIndex = -1;
};

// A list of function defs: the arguments of a function call or of a condition.
class TVnFunctionDefs : public TVnItemsOf<TVnFunctionDef> {
public:
  // owner: the function def, table def or criterion that owns the list (not owned).
  explicit TVnFunctionDefs(TVnCollectionItem* owner) : TVnItemsOf<TVnFunctionDef>(owner) {}

  const char* ClassName() const override { return "TVnFunctionDefs"; }
  TVnFunctionDefs* AsFunctionDefs() override { return this; }
  virtual std::string GetScript() const;

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;
};

// The select-list items of one table.
class TVnFieldDefs : public TVnItemsOf<TVnFieldDef, TVnFunctionDefs> {
public:
  explicit TVnFieldDefs(TVnCollectionItem* owner) : TVnItemsOf<TVnFieldDef, TVnFunctionDefs>(owner) {}

  const char* ClassName() const override { return "TVnFieldDefs"; }
  TVnFieldDefs* AsFieldDefs() override { return this; }
  std::string GetScript() const override;

  TVnFieldDef* FindByAlias(const std::string& s) const;
  TVnFieldDef* FindByName(const std::string& s) const;

  // The owning table, and the model list it is in (nullptr when detached).
  TVnTableDef* OwnerTable() const;
  TVnTableDefs* TableDefs() const;

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;
  void Added(TVnCollectionItem& item) override;
  void Removing(TVnCollectionItem& item) override;
  void Clearing() override;
};

}  // namespace vantor
