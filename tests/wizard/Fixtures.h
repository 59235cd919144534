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

inline platform::ObjectDefinition definition(QList<platform::FieldDef> fields,
                                             QList<platform::IndexDef> indexes = {}) {
    return {std::move(fields), std::move(indexes)};
}

inline FakeDatabase shopDatabase() {
    FakeDatabase shop;
    shop.objects.tables = {{QStringLiteral("Customers")},
                           {QStringLiteral("MSysObjects")},
                           {QStringLiteral("OrderLines")},
                           {QStringLiteral("Products")}};
    shop.objects.queries = {{QStringLiteral("Big orders"), 0},
                            {QStringLiteral("Broken"), 0},
                            {QStringLiteral("~sq_fOrders"), 0}};
    shop.definitions[QStringLiteral("Table: Customers")] =
        definition({{QStringLiteral("Id"), 4},
                    {QStringLiteral("Name"), 10},
                    {QStringLiteral("Price"), 5},
                    {QStringLiteral("Notes"), 12}},
                   {{QStringLiteral("PrimaryKey"), {QStringLiteral("Id")}}});
    shop.definitions[QStringLiteral("Table: OrderLines")] = definition(
        {{QStringLiteral("OrderID"), 4}, {QStringLiteral("LineNo"), 3}},
        {{QStringLiteral("OrderID"), {QStringLiteral("OrderID")}},
         {QStringLiteral("PrimaryKey"), {QStringLiteral("OrderID"), QStringLiteral("LineNo")}}});
    shop.definitions[QStringLiteral("Table: Products")] =
        definition({{QStringLiteral("Code"), 10}, {QStringLiteral("Title"), 10}},
                   {{QStringLiteral("ProductCode"), {QStringLiteral("Code")}},
                    {QStringLiteral("primarykey"), {QStringLiteral("Title")}}});
    shop.definitions[QStringLiteral("Query: Big orders")] =
        definition({{QStringLiteral("OrderID"), 4}, {QStringLiteral("Total"), 5}});
    shop.failingObjects.insert(
        QStringLiteral("Query: Broken"),
        platform::EngineError(3078, QStringLiteral("The Microsoft Jet database engine cannot find "
                                                   "the input table or query 'Gone'.")));
    return shop;
}

inline void addSampleDatabases(FakeCatalogue& catalogue) {
    catalogue.databases[shopPath] = shopDatabase();

    FakeDatabase filter;
    filter.objects.tables = {{QStringLiteral("Customers")},
                             {QStringLiteral("MSysObjects")},
                             {QStringLiteral("msysNotes")},
                             {QStringLiteral("~TMPCLP1")}};
    filter.objects.queries = {
        {QStringLiteral("Big orders"), 0},    {QStringLiteral("~sq_fOrders"), 0},
        {QStringLiteral("Raise prices"), 48}, {QStringLiteral("~SQ_x"), 0},
        {QStringLiteral("MSysQuery"), 0},     {QStringLiteral("Totals"), 16}};
    catalogue.databases[filterPath] = filter;

    FakeDatabase locked = shopDatabase();
    locked.password = lockedPassword;
    catalogue.databases[lockedPath] = locked;

    FakeDatabase empty;
    empty.objects.tables = {{QStringLiteral("MSysObjects")}, {QStringLiteral("MSysACEs")}};
    empty.objects.queries = {{QStringLiteral("~sq_cForm"), 0}, {QStringLiteral("Delete old"), 32}};
    catalogue.databases[emptyPath] = empty;

    FakeDatabase damaged;
    damaged.failure = platform::EngineError(3343, QStringLiteral("Unrecognized database format."));
    catalogue.databases[damagedPath] = damaged;
}

} // namespace ombrix::testing
