#pragma once

#include <string>
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
    bool written = false;
  };
  void Connect();
  // The joins of one table, written while a table is brought in.
  std::string Piece(const TVnTableDef* table, std::vector<const TVnTableDef*>& entered);
  std::string Head(const TVnTableDef* table) const;
  bool InFrom(const TVnTableDef* table) const { return m_inFrom[Slot(table)] != 0; }
  static std::size_t Slot(const TVnTableDef* table);

  const TVnTableDefs* m_tables;
  // The joins that can be written; by table index, the ones each table starts and ends.
  std::vector<Edge> m_edges;
  std::vector<std::vector<std::size_t>> m_outgoing;
  std::vector<std::vector<std::size_t>> m_incoming;
  std::vector<char> m_inFrom;
  bool m_entryHasOn = false;
};

}  // namespace vantor
