#pragma once

#include <string>
#include <vector>

namespace vantor {

class TVnSelectParser;

// A list of strings that knows the model root, for quoting its entries.
class TVnStringList {
public:
  explicit TVnStringList(TVnSelectParser* parser = nullptr) : m_parser(parser) {}
  virtual ~TVnStringList() = default;

  TVnSelectParser* Parser() const { return m_parser; }
  int Count() const { return static_cast<int>(m_strings.size()); }
  const std::string& operator[](int index) const;
  const std::vector<std::string>& Strings() const { return m_strings; }
  int IndexOf(const std::string& s) const;

  virtual void Add(const std::string& s);
  virtual void Delete(int index);
  virtual void Clear();

  // The scanner's quoting of a possibly dotted name, or s unchanged without a root.
  std::string QuoteItem(const std::string& s) const;

  virtual std::string GetScript() = 0;

protected:
  std::vector<std::string> m_strings;

private:
  TVnSelectParser* m_parser;  // not owned
};

// ORDER BY entries, each with its direction.
class TVnOrderByItems : public TVnStringList {
public:
  using TVnStringList::TVnStringList;

  void AddItem(const std::string& s, bool descending);
  void Add(const std::string& s) override { AddItem(s, false); }
  void Delete(int index) override;
  void Clear() override;
  // The direction of entry index; ascending outside the list.
  bool Descending(int index) const;
  void SetDescending(int index, bool descending);
  void Move(int fromIndex, int toIndex);
  void Assign(const TVnStringList& source);

  std::string GetScript() override;

private:
  std::vector<bool> m_directions;
};

// GROUP BY entries. They are derived from the select list each time the text is rendered.
class TVnGroupByItems : public TVnStringList {
public:
  using TVnStringList::TVnStringList;

  void Assign(const TVnStringList& source);
  // Replaces the entries by those the select list asks for: every plain field when the list
  // mixes aggregates and plain items, none otherwise.
  void DeriveFromSelectList();
  std::string GetScript() override;
};

}  // namespace vantor
