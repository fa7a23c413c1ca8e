#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vantor {

class TVnTableDef;
class TVnTableDefs;

// What the rendering of one FROM clause knows: the tables by alias and by name, and which
// tables already stand in the text (and in which comma-separated entry), so that every table
// appears once however the joins loop back.
struct TVnFromRendering {
  explicit TVnFromRendering(const TVnTableDefs* tables);

  // The right table of a join: by alias, then by name.
  TVnTableDef* Find(const std::string& reference) const;
  TVnTableDef* FindByAlias(const std::string& alias) const;

  bool InFrom(const TVnTableDef* table) const { return m_entryOf.count(table) != 0; }
  bool InCurrentEntry(const TVnTableDef* table) const;
  void Enter(const TVnTableDef* table) { m_entryOf[table] = m_entry; }
  void StartEntry() {
    ++m_entry;
    entryHasOn = false;
  }

  // Whether the current entry has an ON condition yet, which further comparisons can join.
  bool entryHasOn = false;

  // Tables whose join chain has been written.
  std::unordered_set<const TVnTableDef*> chained;

private:
  std::unordered_map<std::string, TVnTableDef*> m_byAlias;
  std::unordered_map<std::string, TVnTableDef*> m_byName;
  std::unordered_map<const TVnTableDef*, int> m_entryOf;
  int m_entry = 0;
};

}  // namespace vantor
