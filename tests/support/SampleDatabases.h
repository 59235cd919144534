#pragma once

#include "support/FakeCatalogue.h"

namespace ombrix::tests {

// Databases the fake engine holds for the wizard's and ombrix-cli's tests.
inline constexpr const char* kShopPath = "/data/Shop.mdb";
inline constexpr const char* kLatin1Path = "/data/caf\xe9.mdb"; // bytes that are no UTF-8
inline constexpr const char* kLockedPath = "/data/locked.mdb";
inline constexpr const char* kLockedPassword = "pw;x=1";
inline constexpr const char* kEmptyPath = "/data/empty.mdb";
inline constexpr const char* kDamagedPath = "/data/damaged.mdb";

// The one shop. Its object list: Customers (key Id), OrderLines (key OrderID + LineNo), Products
// (no index named exactly "PrimaryKey"), the query Big orders, and Broken, a query that cannot be
// described; the engine's and Access's own objects and an update query are left out of it.
// Besides, objects that only a name reaches: Stock (a key of three fields, not in the fields'
// order), Empty (no fields), and the objects of the generator's golden pages three-field-key.asp,
// query-no-key.asp, date-key-not-selected.asp and password.asp.
inline FakeDatabase shopDatabase() {
    FakeDatabase shop{
        .objects = {.tables = {{"Customers"}, {"MSysObjects"}, {"OrderLines"}, {"Products"}},
                    .queries = {{.name = "Big orders", .type = 0},
                                {.name = "Broken", .type = 0},
                                {.name = "~sq_fOrders", .type = 0},
                                {.name = "Raise prices", .type = 48}}}};
    auto& define = shop.definitions;
    define["Table: Customers"] = {.fields = {{.name = "Id", .type = 4},
                                             {.name = "Name", .type = 10},
                                             {.name = "Price", .type = 5},
                                             {.name = "Notes", .type = 12}},
                                  .indexes = {{"PrimaryKey", {"Id"}}}};
    define["Table: OrderLines"] = {
        .fields = {{.name = "OrderID", .type = 4}, {.name = "LineNo", .type = 3}},
        .indexes = {{"OrderID", {"OrderID"}}, {"PrimaryKey", {"OrderID", "LineNo"}}}};
    define["Table: Products"] = {
        .fields = {{.name = "Code", .type = 10}, {.name = "Title", .type = 10}},
        .indexes = {{"ProductCode", {"Code"}}, {"primarykey", {"Title"}}}};
    define["Query: Big orders"] = {
        .fields = {{.name = "OrderID", .type = 4}, {.name = "Total", .type = 5}}, .indexes = {}};
    shop.failingObjects.emplace("Query: Broken", core::missingInput("Gone"));
    define["Table: Stock"] = {.fields = {{.name = "Bin", .type = 3},
                                         {.name = "Warehouse", .type = 10},
                                         {.name = "ProductID", .type = 4}},
                              .indexes = {{"PrimaryKey", {"ProductID", "Warehouse", "Bin"}}}};
    define["Table: Empty"] = {};
    define["Table: Shipment Lines"] = {
        .fields = {{.name = "ShipmentID", .type = 4},
                   {.name = "Warehouse", .type = 10},
                   {.name = "Line", .type = 3},
                   {.name = "Quantity", .type = 3},
                   {.name = "Shipped On", .type = 8}},
        .indexes = {{"PrimaryKey", {"ShipmentID", "Warehouse", "Line"}}}};
    // A query's indexes are no key, whatever their name.
    define["Query: Recent Orders"] = {
        .fields = {{.name = "OrderDate", .type = 8}, {.name = "Total", .type = 5}},
        .indexes = {{"PrimaryKey", {"Total"}}}};
    define["Table: Visits"] = {.fields = {{.name = "VisitDay", .type = 8},
                                          {.name = "Visitor", .type = 10},
                                          {.name = "Present", .type = 1}},
                               .indexes = {{"PrimaryKey", {"VisitDay"}}}};
    define["Table: Orders"] = {
        .fields = {{.name = "OrderID", .type = 4}, {.name = "Customer Name", .type = 10}},
        .indexes = {{"PrimaryKey", {"OrderID"}}}};
    return shop;
}

inline FakeCatalogue sampleCatalogue() {
    FakeCatalogue catalogue;
    catalogue.databases[kShopPath] = shopDatabase();
    catalogue.databases[kLockedPath] = shopDatabase();
    catalogue.databases[kLockedPath].password = kLockedPassword;
    catalogue.databases[kEmptyPath].objects = {
        .tables = {{"MSysObjects"}, {"MSysACEs"}},
        .queries = {{.name = "~sq_cForm", .type = 0}, {.name = "Delete old", .type = 32}}};
    catalogue.databases[kDamagedPath].failure = core::unrecognizedFormat(kDamagedPath);
    return catalogue;
}

} // namespace ombrix::tests
