#pragma once

#include "FakeCatalogue.h"

namespace ombrix::tests {

// Databases the fake engine holds for the wizard's tests.
inline constexpr const char* kShopPath = "/data/Shop.mdb";
inline constexpr const char* kLatin1Path = "/data/caf\xe9.mdb"; // bytes that are no UTF-8
inline constexpr const char* kFilterPath = "/data/filter.mdb";
inline constexpr const char* kLockedPath = "/data/locked.mdb";
inline constexpr const char* kLockedPassword = "pw;x=1";
inline constexpr const char* kEmptyPath = "/data/empty.mdb";
inline constexpr const char* kDamagedPath = "/data/damaged.mdb";

// Customers (key Id), OrderLines (key OrderID + LineNo), Products (no index named exactly
// "PrimaryKey"), the query Big orders, and Broken, a query that cannot be described.
inline FakeDatabase shopDatabase() {
    FakeDatabase shop{
        .objects = {.tables = {{"Customers"}, {"MSysObjects"}, {"OrderLines"}, {"Products"}},
                    .queries = {{"Big orders"}, {"Broken"}, {"~sq_fOrders"}}}};
    shop.definitions["Table: Customers"] = {.fields = {{.name = "Id", .type = 4},
                                                       {.name = "Name", .type = 10},
                                                       {.name = "Price", .type = 5},
                                                       {.name = "Notes", .type = 12}},
                                            .indexes = {{"PrimaryKey", {"Id"}}}};
    shop.definitions["Table: OrderLines"] = {
        .fields = {{.name = "OrderID", .type = 4}, {.name = "LineNo", .type = 3}},
        .indexes = {{"OrderID", {"OrderID"}}, {"PrimaryKey", {"OrderID", "LineNo"}}}};
    shop.definitions["Table: Products"] = {
        .fields = {{.name = "Code", .type = 10}, {.name = "Title", .type = 10}},
        .indexes = {{"ProductCode", {"Code"}}, {"primarykey", {"Title"}}}};
    shop.definitions["Query: Big orders"] = {
        .fields = {{.name = "OrderID", .type = 4}, {.name = "Total", .type = 5}}, .indexes = {}};
    shop.failingObjects.emplace("Query: Broken",
                                core::EngineError(3078, "The Microsoft Jet database engine cannot "
                                                        "find the input table or query 'Gone'."));
    return shop;
}

inline FakeCatalogue sampleCatalogue() {
    FakeCatalogue catalogue;
    catalogue.databases[kShopPath] = shopDatabase();
    catalogue.databases[kFilterPath].objects = {
        .tables = {{"Customers"}, {"MSysObjects"}, {"msysNotes"}, {"~TMPCLP1"}},
        .queries = {{.name = "Big orders", .type = 0},
                    {.name = "~sq_fOrders", .type = 0},
                    {.name = "Raise prices", .type = 48},
                    {.name = "~SQ_x", .type = 0},
                    {.name = "MSysQuery", .type = 0},
                    {.name = "Totals", .type = 16}}};
    catalogue.databases[kLockedPath] = shopDatabase();
    catalogue.databases[kLockedPath].password = kLockedPassword;
    catalogue.databases[kEmptyPath].objects = {
        .tables = {{"MSysObjects"}, {"MSysACEs"}},
        .queries = {{.name = "~sq_cForm", .type = 0}, {.name = "Delete old", .type = 32}}};
    catalogue.databases[kDamagedPath].failure =
        core::EngineError(3343, "Unrecognized database format.");
    return catalogue;
}

} // namespace ombrix::tests
