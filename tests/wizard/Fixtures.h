#pragma once

#include "FakeCatalogue.h"

namespace ombrix::testing {

// Databases that the wizard tests open through the fake engine.
inline const QString shopPath = QStringLiteral("/data/Shop.mdb");
inline const QString filterPath = QStringLiteral("/data/filter.mdb");
inline const QString lockedPath = QStringLiteral("/data/locked.mdb");
inline const QString lockedPassword = QStringLiteral("pw;x=1");
inline const QString emptyPath = QStringLiteral("/data/empty.mdb");
inline const QString damagedPath = QStringLiteral("/data/damaged.mdb");

// A field list item as the wizard builds it.
inline QString item(const QString& name, const char* prefix) {
    return name + QString(100, QLatin1Char(' ')) + QLatin1Char('\t') + QLatin1String(prefix);
}

inline core::ObjectDefinition definition(std::vector<core::FieldDef> fields,
                                         std::vector<core::IndexDef> indexes = {}) {
    return {std::move(fields), std::move(indexes)};
}

inline FakeDatabase shopDatabase() {
    FakeDatabase shop;
    shop.objects.tables = {{"Customers"}, {"MSysObjects"}, {"OrderLines"}, {"Products"}};
    shop.objects.queries = {{"Big orders", 0}, {"Broken", 0}, {"~sq_fOrders", 0}};
    shop.definitions[QStringLiteral("Table: Customers")] = definition(
        {{"Id", 4}, {"Name", 10}, {"Price", 5}, {"Notes", 12}}, {{"PrimaryKey", {"Id"}}});
    shop.definitions[QStringLiteral("Table: OrderLines")] =
        definition({{"OrderID", 4}, {"LineNo", 3}},
                   {{"OrderID", {"OrderID"}}, {"PrimaryKey", {"OrderID", "LineNo"}}});
    shop.definitions[QStringLiteral("Table: Products")] = definition(
        {{"Code", 10}, {"Title", 10}}, {{"ProductCode", {"Code"}}, {"primarykey", {"Title"}}});
    shop.definitions[QStringLiteral("Query: Big orders")] =
        definition({{"OrderID", 4}, {"Total", 5}});
    shop.failingObjects.insert(
        QStringLiteral("Query: Broken"),
        core::EngineError(3078, "The Microsoft Jet database engine cannot find the input table or "
                                "query 'Gone'."));
    return shop;
}

inline void addSampleDatabases(FakeCatalogue& catalogue) {
    catalogue.databases[shopPath] = shopDatabase();

    FakeDatabase filter;
    filter.objects.tables = {{"Customers"}, {"MSysObjects"}, {"msysNotes"}, {"~TMPCLP1"}};
    filter.objects.queries = {{"Big orders", 0}, {"~sq_fOrders", 0}, {"Raise prices", 48},
                              {"~SQ_x", 0},      {"MSysQuery", 0},   {"Totals", 16}};
    catalogue.databases[filterPath] = filter;

    FakeDatabase locked = shopDatabase();
    locked.password = lockedPassword;
    catalogue.databases[lockedPath] = locked;

    FakeDatabase empty;
    empty.objects.tables = {{"MSysObjects"}, {"MSysACEs"}};
    empty.objects.queries = {{"~sq_cForm", 0}, {"Delete old", 32}};
    catalogue.databases[emptyPath] = empty;

    FakeDatabase damaged;
    damaged.failure = core::EngineError(3343, "Unrecognized database format.");
    catalogue.databases[damagedPath] = damaged;
}

} // namespace ombrix::testing
