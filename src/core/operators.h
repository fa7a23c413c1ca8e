#pragma once

#include "collection.h"

#include <string>

namespace vantor {

// A comparison operator that conditions may use: "BETWEEN" with Count 2 and Relate "AND",
// "IN" with Prefix "(" and Postfix ")", "IS NULL" with no operands.
class TVnOperator : public TVnCollectionItem {
public:
  const char* ClassName() const override { return "TVnOperator"; }

  // Number of right-hand operands (0, 1 or 2).
  int Count() const { return m_count; }
  void SetCount(int n) { m_count = n; }
  const std::string& Prefix() const { return m_prefix; }
  void SetPrefix(const std::string& s) { m_prefix = s; }
  const std::string& Relate() const { return m_relate; }
  void SetRelate(const std::string& s) { m_relate = s; }
  // The operator text in conditions: matched when parsing, stored in criteria, rendered.
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& s) { m_caption = s; }
  // The identifying name the criteria editor looks operators up by.
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& s) { m_name = s; }
  const std::string& Postfix() const { return m_postfix; }
  void SetPostfix(const std::string& s) { m_postfix = s; }

  void Assign(const TVnCollectionItem& source) override;

private:
  int m_count = 1;
  std::string m_prefix;
  std::string m_relate;
  std::string m_caption;
  std::string m_name;
  std::string m_postfix;
};

class TVnOperators : public TVnItemsOf<TVnOperator> {
public:
  const char* ClassName() const override { return "TVnOperators"; }

  TVnOperator* FindByCaption(const std::string& s) const;
  TVnOperator* FindByName(const std::string& s) const;
  // The first operator, in list order, whose caption begins with s (ignoring letter case);
  // partial tells whether that caption is longer than s.
  TVnOperator* FindByPrefix(const std::string& s, bool& partial) const;

  // Adds an operator with the given caption, which is also its name.
  TVnOperator* AddOperator(const std::string& caption, int count, const std::string& prefix = "",
                           const std::string& relate = "", const std::string& postfix = "");

protected:
  std::unique_ptr<TVnCollectionItem> CreateItem() const override;
};

}  // namespace vantor
