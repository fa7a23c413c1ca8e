#pragma once

#include "collection.h"
#include "function_def.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantor {

class TVnCriterions;

// How the conditions of a list combine. Bit 0 means OR, bit 1 means NOT.
enum TVnGroupKind : std::uint8_t {
  gkAll = 0,     // a AND b
  gkAny = 1,     // a OR b
  gkNone = 2,    // NOT (a AND b)
  gkNotAll = 3,  // NOT (a OR b)
};

// "All", "Any", "None", "Not all"; '' for any other value.
std::string GroupKindCaption(int kind);

// One condition "Left Operator Args", or, when SubItems is not empty, a group standing for
// the conditions in it.
class TVnCriterion : public TVnCollectionItem {
public:
  TVnCriterion();
  ~TVnCriterion() override;

  const char* ClassName() const override { return "TVnCriterion"; }

  TVnCriterions& SubItems() const;
  bool IsGroup() const;
  // The caption of the comparison operator.
  const std::string& Operator() const { return m_operator; }
  void SetOperator(const std::string& s) { m_operator = s; }
  TVnFunctionDefs& Args() const;
  int ArgCount() const;
  TVnFunctionDef& Left() const { return *m_left; }

  virtual std::string GetScript() const;

  void Assign(const TVnCollectionItem& source) override;
  void SetParser(TVnSelectParser* parser) override;

protected:
  virtual std::unique_ptr<TVnCriterions> CreateSubItems() const;

private:
  mutable std::unique_ptr<TVnCriterions> m_subItems;
  std::string m_operator;
  mutable std::unique_ptr<TVnFunctionDefs> m_args;
  std::unique_ptr<TVnFunctionDef> m_left;
};

// A list of conditions: the WHERE or HAVING list of the root, or the sub-list of a group.
class TVnCriterions : public TVnItemsOf<TVnCriterion> {
public:
  // owner: the group criterion for a sub-list, nullptr for a top-level list (not owned).
  explicit TVnCriterions(TVnCollectionItem* owner = nullptr) : TVnItemsOf<TVnCriterion>(owner) {}

  const char* ClassName() const override { return "TVnCriterions"; }

  TVnGroupKind GroupKind() const { return m_groupKind; }
  void SetGroupKind(TVnGroupKind kind) { m_groupKind = kind; }
  // The group criterion that owns this list; nullptr at the top level.
  TVnCriterion* OwnerCriterion() const { return dynamic_cast<TVnCriterion*>(Owner()); }

  virtual std::string GetScript() const;
  void Assign(const TVnCollection& source) override;

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;

private:
  TVnGroupKind m_groupKind = gkAll;
};

class TVnWhereItems : public TVnCriterions {
public:
  const char* ClassName() const override { return "TVnWhereItems"; }
  std::string GetScript() const override;
};

class TVnHavingItems : public TVnCriterions {
public:
  const char* ClassName() const override { return "TVnHavingItems"; }
  std::string GetScript() const override;
};

}  // namespace vantor
