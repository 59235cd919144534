#pragma once

#include "Description.h"
#include "TableLayout.h"

#include <QStringList>
#include <cstdint>

// The system tables and catalogue rows Access creates in every new database.
namespace mkmdb {

// In the order Access creates them; MSysObjects comes first, its TDEF is always page 2.
QStringList systemTableNames();
std::vector<TableLayout> systemTableLayouts();

// MSysObjects rows: the containers and system objects of a new database, then the user tables
// (TDEF page numbers given in description order), the links, the queries and the relationships,
// in creation order.
std::vector<RowValues> catalogRows(const std::vector<std::uint32_t>& systemTablePages,
                                   const std::vector<std::uint32_t>& userTablePages,
                                   const DatabaseDescription& database);

// MSysQueries rows of every query, start and end markers included.
std::vector<RowValues> queryRows(const DatabaseDescription& database);

} // namespace mkmdb
