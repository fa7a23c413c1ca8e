#include "from_rendering.h"

#include "join_def.h"
#include "table_def.h"

#include <algorithm>

namespace vantor {

TVnFromRendering::TVnFromRendering(const TVnTableDefs* tables) : m_tables(tables) {
  if (!tables)
    return;
  const auto count = static_cast<std::size_t>(tables->Count());
  m_outgoing.resize(count);
  m_incoming.resize(count);
  m_inFrom.assign(count, 0);
  Connect();
}

std::size_t TVnFromRendering::Slot(const TVnTableDef* table) {
  return static_cast<std::size_t>(table->Index());
}

TVnTableDef* TVnFromRendering::Find(const std::string& reference) const {
  if (!m_tables)
    return nullptr;
  if (TVnTableDef* table = m_tables->FindByAlias(reference))
    return table;
  return m_tables->FindByName(reference);
}

// The joins that can be written: complete, between tables with a name, the right table
// found. Incoming joins come in the order of their left tables, then of their lists.
void TVnFromRendering::Connect() {
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
      m_outgoing[Slot(owner)].push_back(m_edges.size());
      if (right != owner)
        m_incoming[Slot(right)].push_back(m_edges.size());
      m_edges.push_back({join, owner, right});
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
  const std::size_t count = m_outgoing.size();
  std::vector<const TVnTableDef*> rootOf(count, nullptr);
  std::vector<char> seen(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const TVnTableDef* table = m_tables->Items(static_cast<int>(i));
    if (table->Name().empty() || seen[i])
      continue;
    std::vector<std::size_t> members{i};
    seen[i] = 1;
    for (std::size_t next = 0; next < members.size(); ++next) {
      const auto visit = [&](const TVnTableDef* other) {
        if (!seen[Slot(other)]) {
          seen[Slot(other)] = 1;
          members.push_back(Slot(other));
        }
      };
      for (std::size_t e : m_outgoing[members[next]])
        visit(m_edges[e].right);
      for (std::size_t e : m_incoming[members[next]])
        visit(m_edges[e].owner);
    }
    std::sort(members.begin(), members.end());
    std::size_t root = members.front();
    for (std::size_t member : members)
      if (m_incoming[member].empty()) {
        root = member;
        break;
      }
    for (std::size_t member : members)
      rootOf[member] = m_tables->Items(static_cast<int>(root));
  }

  std::string list;
  for (std::size_t i = 0; i < count; ++i) {
    const TVnTableDef* table = m_tables->Items(static_cast<int>(i));
    if (table->Name().empty() || rootOf[i] != table)
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
  if (m_tables && root->TableDefs() == m_tables)
    m_inFrom[Slot(root)] = 1;
  else
    return text;
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
  const auto bring = [&](Edge& edge, const TVnTableDef* brought, bool turned) {
    piece += "\r\n  " + edge.join->JoinText(*edge.right, turned);
    edge.written = true;
    m_inFrom[Slot(brought)] = 1;
    entered.push_back(brought);
    m_entryHasOn = true;
  };
  // Joins that bring a table in: the table's own, then those of other tables to it.
  for (std::size_t e : m_outgoing[Slot(table)])
    if (!m_edges[e].written && !InFrom(m_edges[e].right))
      bring(m_edges[e], m_edges[e].right, false);
  for (std::size_t e : m_incoming[Slot(table)])
    if (!m_edges[e].written && !InFrom(m_edges[e].owner))
      bring(m_edges[e], m_edges[e].owner, true);
  // Joins between tables already there join an ON condition before them. A lone table's
  // join to itself has none to join, and cannot be written in the FROM clause.
  if (!m_entryHasOn)
    return piece;
  for (std::size_t e : m_outgoing[Slot(table)]) {
    Edge& edge = m_edges[e];
    if (!edge.written && InFrom(edge.right)) {
      piece += "\r\n  " + edge.join->AndText(*edge.right);
      edge.written = true;
    }
  }
  return piece;
}

}  // namespace vantor
