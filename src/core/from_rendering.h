#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vantor {

class TVnJoinDef;
class TVnTableDef;
class TVnTableDefs;

// Writes the FROM clause. Tables joined to each other, in whichever direction their joins
// run, form one comma-separated entry; every table appears once and every join is written:
// as "JOIN t ON (...)" where it brings a table in (turned round, LEFT for RIGHT, when its
// left table is the one brought in), as "AND (...)" where both tables are already there.
//
//   orders o INNER JOIN customers c ON (o.cust_id = c.id)
//     RIGHT OUTER JOIN returns r ON (r.order_id = o.id)   -- a join kept in r's list
class TVnFromRendering {
public:
  explicit TVnFromRendering(const TVnTableDefs* tables);

  // The comma-separated entries of all tables with a name, each entry starting at its first
  // table that no join brings in (or at its first table, for a loop of joins).
  std::string FromList();
  // The entry of root's joined tables, starting at root.
  std::string Entry(const TVnTableDef* root);

  // The right table of a join: by alias, then by name.
  TVnTableDef* Find(const std::string& reference) const;

private:
  struct Edge {
    const TVnJoinDef* join;
    const TVnTableDef* owner;
    const TVnTableDef* right;
  };
  void Connect();
  // The joins of one table, written while a table is brought in.
  std::string Piece(const TVnTableDef* table, std::vector<const TVnTableDef*>& entered);
  std::string Head(const TVnTableDef* table) const;

  const TVnTableDefs* m_tables;
  std::unordered_map<std::string, TVnTableDef*> m_byAlias;
  std::unordered_map<std::string, TVnTableDef*> m_byName;
  // The joins that can be written, by their left table and by their right table.
  std::unordered_map<const TVnTableDef*, std::vector<Edge>> m_outgoing;
  std::unordered_map<const TVnTableDef*, std::vector<Edge>> m_incoming;
  std::unordered_set<const TVnTableDef*> m_inFrom;
  std::unordered_set<const TVnJoinDef*> m_written;
  bool m_entryHasOn = false;
};

}  // namespace vantor
