#include "from_rendering.h"

#include "join_def.h"
#include "table_def.h"

#include <algorithm>

namespace vantor {

TVnFromRendering::TVnFromRendering(const TVnTableDefs* tables) : m_tables(tables) {
  if (!tables)
    return;
  for (int i = 0; i < tables->Count(); ++i) {
    TVnTableDef* table = tables->Items(i);
    m_byAlias.emplace(table->Alias(), table);
    m_byName.emplace(table->Name(), table);
  }
  Connect();
}

TVnTableDef* TVnFromRendering::Find(const std::string& reference) const {
  if (auto it = m_byAlias.find(reference); it != m_byAlias.end())
    return it->second;
  auto it = m_byName.find(reference);
  return it == m_byName.end() ? nullptr : it->second;
}

// The joins that can be written: complete, between tables with a name, the right table
// found. Incoming joins come in the order of their left tables, then of their lists.
void TVnFromRendering::Connect() {
  if (!m_tables)
    return;
  for (int i = 0; i < m_tables->Count(); ++i) {
    const TVnTableDef* owner = m_tables->Items(i);
    if (owner->Name().empty() || owner->Qualifier().empty())
      continue;
    const TVnJoinDefs& joins = owner->Joins();
    for (int j = 0; j < joins.Count(); ++j) {
      const TVnJoinDef* join = joins.Items(j);
      if (!join->IsComplete())
        continue;
      const TVnTableDef* right = Find(join->RightTable());
      if (!right || right->Name().empty() || right->Alias().empty())
        continue;
      m_outgoing[owner].push_back({join, owner, right});
      if (right != owner)
        m_incoming[right].push_back({join, owner, right});
    }
  }
}

std::string TVnFromRendering::Head(const TVnTableDef* table) const {
  std::string text = "  " + table->QuoteIdent(table->Name());
  if (!table->Alias().empty() && table->Alias() != table->Name())
    text += " " + table->QuoteIdent(table->Alias());
  return text;
}

std::string TVnFromRendering::FromList() {
  if (!m_tables)
    return std::string();
  // Group the joined tables; each group is one entry, starting at its first table that no
  // join of another table brings in (the first table, when the joins go round in a loop).
  std::unordered_map<const TVnTableDef*, const TVnTableDef*> rootOf;
  for (int i = 0; i < m_tables->Count(); ++i) {
    const TVnTableDef* table = m_tables->Items(i);
    if (table->Name().empty() || rootOf.count(table))
      continue;
    std::vector<const TVnTableDef*> members{table};
    rootOf[table] = nullptr;
    for (std::size_t next = 0; next < members.size(); ++next) {
      const auto visit = [&](const TVnTableDef* other) {
        if (rootOf.emplace(other, nullptr).second)
          members.push_back(other);
      };
      for (const Edge& edge : m_outgoing[members[next]])
        visit(edge.right);
      for (const Edge& edge : m_incoming[members[next]])
        visit(edge.owner);
    }
    std::sort(members.begin(), members.end(),
              [](const TVnTableDef* a, const TVnTableDef* b) { return a->Index() < b->Index(); });
    const TVnTableDef* root = members.front();
    for (const TVnTableDef* member : members)
      if (m_incoming[member].empty()) {
        root = member;
        break;
      }
    for (const TVnTableDef* member : members)
      rootOf[member] = root;
  }

  std::string list;
  for (int i = 0; i < m_tables->Count(); ++i) {
    const TVnTableDef* table = m_tables->Items(i);
    if (table->Name().empty() || rootOf[table] != table)
      continue;
    if (!list.empty())
      list += ",\r\n";
    list += Entry(table);
  }
  return list;
}

std::string TVnFromRendering::Entry(const TVnTableDef* root) {
  m_entryHasOn = false;
  std::string text = Head(root);
  m_inFrom.insert(root);
  // Depth first: the joins of a table brought in follow directly behind the join that
  // brought it. Without recursion, as chains can be as long as the statement.
  std::vector<const TVnTableDef*> stack{root};
  while (!stack.empty()) {
    const TVnTableDef* table = stack.back();
    stack.pop_back();
    std::vector<const TVnTableDef*> entered;
    const std::string piece = Piece(table, entered);
    if (!piece.empty())
      text += " " + piece;
    stack.insert(stack.end(), entered.rbegin(), entered.rend());
  }
  return text;
}

std::string TVnFromRendering::Piece(const TVnTableDef* table,
                                    std::vector<const TVnTableDef*>& entered) {
  std::string piece;
  const auto bring = [&](const Edge& edge, const TVnTableDef* brought, bool turned) {
    piece += "\r\n  " + edge.join->JoinText(*edge.right, turned);
    m_written.insert(edge.join);
    m_inFrom.insert(brought);
    entered.push_back(brought);
    m_entryHasOn = true;
  };
  // Joins that bring a table in: the table's own, then those of other tables to it.
  for (const Edge& edge : m_outgoing[table])
    if (!m_written.count(edge.join) && !m_inFrom.count(edge.right))
      bring(edge, edge.right, false);
  for (const Edge& edge : m_incoming[table])
    if (!m_written.count(edge.join) && !m_inFrom.count(edge.owner))
      bring(edge, edge.owner, true);
  // Joins between tables already there join an ON condition before them. A lone table's
  // join to itself has none to join, and cannot be written in the FROM clause.
  if (!m_entryHasOn)
    return piece;
  for (const Edge& edge : m_outgoing[table])
    if (!m_written.count(edge.join) && m_inFrom.count(edge.right)) {
      piece += "\r\n  " + edge.join->AndText(*edge.right);
      m_written.insert(edge.join);
    }
  return piece;
}

}  // namespace vantor
