// The object list: every table, then every select query, in the catalogue's order, without the
// engine's system objects ("MSy...") and the hidden queries of forms and reports ("~sq_..."), both
// compared with case. DAO's query types: 0 select, 16 crosstab, 32 delete, 48 update, 64 append,
// 80 make-table, 96 data definition, 112 pass-through, 128 union.
#include "core/CatalogueItems.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

TEST(ObjectList, ShowsTablesThenSelectQueriesOfTheUser) {
    const struct {
        core::DatabaseObjects objects;
        std::vector<std::string> items;
    } rows[] = {
        {{}, {}},
        {{.tables = {{"Zebra"}, {"Customers"}}, .queries = {{.name = "Big orders", .type = 0}}},
         {"Table: Zebra", "Table: Customers", "Query: Big orders"}},
        {{.tables = {{"MSysObjects"}, {"MSy"}, {"msysNotes"}, {"MSYS"}, {"MS"}, {"~TMPCLP1"}},
          .queries = {}},
         {"Table: msysNotes", "Table: MSYS", "Table: MS", "Table: ~TMPCLP1"}},
        {{.tables = {},
          .queries = {{.name = "~sq_fOrders", .type = 0},
                      {.name = "~SQ_x", .type = 0},
                      {.name = "~sq", .type = 0},
                      {.name = "MSysQuery", .type = 0},
                      {.name = "Msys", .type = 0}}},
         {"Query: ~SQ_x", "Query: ~sq", "Query: Msys"}},
        {{.tables = {},
          .queries = {{.name = "Totals", .type = 16},
                      {.name = "Delete old", .type = 32},
                      {.name = "Raise prices", .type = 48},
                      {.name = "Append", .type = 64},
                      {.name = "Make", .type = 80},
                      {.name = "Define", .type = 96},
                      {.name = "Pass", .type = 112},
                      {.name = "Both", .type = 128},
                      {.name = "Kept", .type = 0}}},
         {"Query: Kept"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(core::objectListItems(row.objects), row.items)
            << row.objects.tables.size() << " tables, " << row.objects.queries.size() << " queries";
    }
}

} // namespace
} // namespace ombrix::tests
