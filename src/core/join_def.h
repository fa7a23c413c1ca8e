#pragma once

#include "collection.h"

#include <cstdint>
#include <string>

namespace vantor {

class TVnTableDef;

enum TVnJoinKind : std::uint8_t {
  jkInner = 0,
  jkLeftOuter = 1,
  jkRightOuter = 2,
  jkFullOuter = 3,
};

// A join from a field of the owning (left) table to a field of the right table, which it
// names by alias.
class TVnJoinDef : public TVnCollectionItem {
public:
  const char* ClassName() const override { return "TVnJoinDef"; }

  const std::string& Operator() const { return m_operator; }
  void SetOperator(const std::string& s) { m_operator = s; }
  TVnJoinKind JoinKind() const { return m_joinKind; }
  void SetJoinKind(TVnJoinKind k) { m_joinKind = k; }
  const std::string& RightField() const { return m_rightField; }
  void SetRightField(const std::string& s) { m_rightField = s; }
  const std::string& RightTable() const { return m_rightTable; }
  void SetRightTable(const std::string& s) { m_rightTable = s; }
  const std::string& LeftField() const { return m_leftField; }
  void SetLeftField(const std::string& s) { m_leftField = s; }

  // The table whose join list holds this join; nullptr outside one.
  TVnTableDef* OwnerTable() const;

  virtual std::string GetScript() const;
  void Assign(const TVnCollectionItem& source) override;

  // Whether the join has everything it needs to be rendered.
  bool IsComplete() const;
  // The comparison "(l.f = r.g)" with qualifiers and quoting; rightAlias qualifies the right
  // field.
  std::string ConditionText(const std::string& rightAlias) const;
  // "INNER JOIN t x ON (...)" bringing in table, the right table or, turned round (the kind
  // mirrored), the owning one; right is the right table.
  std::string JoinText(const TVnTableDef& right, bool turned) const;
  // "AND (...)": the comparison joining an ON condition written before it.
  std::string AndText(const TVnTableDef& right) const;

private:
  std::string m_operator = "=";
  TVnJoinKind m_joinKind = jkInner;
  std::string m_rightField;
  std::string m_rightTable;
  std::string m_leftField;
};

// The joins that start at one table.
class TVnJoinDefs : public TVnItemsOf<TVnJoinDef> {
public:
  // owner: the left table (not owned).
  explicit TVnJoinDefs(TVnCollectionItem* owner) : TVnItemsOf<TVnJoinDef>(owner) {}

  const char* ClassName() const override { return "TVnJoinDefs"; }
  TVnTableDef* OwnerTable() const;

  virtual std::string GetScript() const;
  TVnJoinDef* Find(const std::string& leftField, const std::string& rightTable,
                   const std::string& rightField) const;

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;
};

}  // namespace vantor
