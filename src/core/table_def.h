#pragma once

#include "collection.h"
#include "function_def.h"
#include "join_def.h"
#include "name_counter.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vantor {

// A table of the FROM clause with the select-list items taken from it and the joins that
// start at it.
class TVnTableDef : public TVnCollectionItem {
public:
  TVnTableDef();
  ~TVnTableDef() override;

  const char* ClassName() const override { return "TVnTableDef"; }
  TVnTableDef* AsTableDef() override { return this; }

  // Correlation name; equals Name when the statement names none.
  const std::string& Alias() const { return m_alias; }
  void SetAlias(const std::string& s);
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& s);

  TVnFieldDefs& Fields() const;
  TVnJoinDefs& Joins() const;

  // The table's FROM entry with its join chain.
  virtual std::string GetScript() const;

  void Assign(const TVnCollectionItem& source) override;
  void SetParser(TVnSelectParser* parser) override;

  // The model list that holds this table; nullptr when detached.
  TVnTableDefs* TableDefs() const;
  // The alias, or the name when the alias is empty: what qualifies this table's fields.
  const std::string& Qualifier() const { return m_alias.empty() ? m_name : m_alias; }

protected:
  virtual std::unique_ptr<TVnFieldDefs> CreateFields() const;
  virtual std::unique_ptr<TVnJoinDefs> CreateJoins() const;

private:
  friend class TVnTableDefs;

  std::string m_alias;
  mutable std::unique_ptr<TVnFieldDefs> m_fields;
  mutable std::unique_ptr<TVnJoinDefs> m_joins;
  std::string m_name;
};

// The FROM tables. Besides the list it keeps, for speed, the output names in use and the
// select-list order, so that look-ups by output name and by select position stay cheap on
// statements with hundreds of thousands of items.
class TVnTableDefs : public TVnItemsOf<TVnTableDef> {
public:
  TVnTableDefs() = default;

  const char* ClassName() const override { return "TVnTableDefs"; }
  TVnTableDefs* AsTableDefs() override { return this; }

  void EndUpdate() override;

  // The select list and the FROM clause.
  virtual std::string GetScript() const;

  TVnTableDef* FindByAlias(const std::string& s) const;
  TVnTableDef* FindByName(const std::string& s) const;
  bool IsJoinTarget(const TVnTableDef& table) const;

  int FieldCount() const { return m_fieldCount; }
  TVnFieldDef* FieldBySelectIndex(int index) const;
  bool AliasExists(const std::string& s) const;
  std::string MakeUniqueAlias(const std::string& base, bool force) const;
  void MakeAliasesUnique();
  void RenameJoinTable(const std::string& oldName, const std::string& newName);

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;
  void Added(TVnCollectionItem& item) override;
  void Removing(TVnCollectionItem& item) override;
  void Removed(TVnCollectionItem& item) override;
  void Clearing() override;

private:
  friend class TVnFieldDef;
  friend class TVnFieldDefs;

  friend class TVnTableDef;
  // Index of the tables by alias and by name, for statements with thousands of tables.
  using TableIndex = std::unordered_map<std::string, std::vector<TVnTableDef*>>;
  static void IndexAdd(TableIndex& index, const std::string& key, TVnTableDef* table);
  static void IndexRemove(TableIndex& index, const std::string& key, TVnTableDef* table);
  static TVnTableDef* IndexFirst(const TableIndex& index, const std::string& key);
  TableIndex m_tablesByAlias;
  TableIndex m_tablesByName;

  // Bookkeeping hooks for the field defs of the tables in this list.
  void FieldAttached(TVnFieldDef& field);
  void FieldDetaching(TVnFieldDef& field);
  void AliasChanging(const std::string& oldAlias, const std::string& newAlias);
  void SelectIndexChanged();
  // Closes the gaps that removed field defs left in the select positions.
  void CloseSelectIndexGaps() const;
  // Output name freed: suffix hints that may have skipped it are no longer sure.
  void AliasFreed(const std::string& alias);
  void DropDanglingJoins();
  void DropOrderByEntriesOf(const TVnTableDef& table);

  int m_fieldCount = 0;
  TVnNameCounter m_aliasCounts;
  // For a base name, a number below which every base+n is taken, so that handing out the
  // next free name does not test all the taken ones again.
  mutable std::unordered_map<std::string, int> m_suffixHints;
  mutable bool m_hasGaps = false;
  mutable bool m_orderValid = true;
  mutable std::vector<TVnFieldDef*> m_bySelectIndex;
};

}  // namespace vantor
