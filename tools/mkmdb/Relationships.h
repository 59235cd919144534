#pragma once

#include "Description.h"
#include "TableLayout.h"

namespace mkmdb {

// Gives the tables of every enforced relationship their relationship indexes, as Access does:
// on the "many" side one named after the relationship (sharing a physical index on its columns,
// or adding one), on the "one" side a ".r" index sharing the unique index it refers to.
void addRelationshipIndexes(std::vector<TableLayout>& userTables,
                            const std::vector<RelationshipDescription>& relationships);

// MSysRelationships rows: one per pair of columns.
std::vector<RowValues> relationshipRows(const DatabaseDescription& database);

} // namespace mkmdb
