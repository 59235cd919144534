// Databases written by mkmdb, read back through the libmdb C API.
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using ombrix::test::DatabaseSnapshot;
using ombrix::test::IndexSnapshot;
using ombrix::test::readWithLibmdb;
using ombrix::test::TableSnapshot;
using ombrix::testsupport::TemporaryDatabase;

namespace {

QJsonObject column(const QString& name, const QString& type) {
    return {{QStringLiteral("name"), name}, {QStringLiteral("type"), type}};
}

QByteArray describe(const QJsonArray& tables, const QJsonArray& queries = {}) {
    return QJsonDocument(QJsonObject{{QStringLiteral("tables"), tables},
                                     {QStringLiteral("queries"), queries}})
        .toJson(QJsonDocument::Compact);
}

DatabaseSnapshot readBack(const QByteArray& description, std::size_t bindSize = 16384) {
    const TemporaryDatabase database(description);
    return readWithLibmdb(database.path(), bindSize);
}

QStringList columnNames(const TableSnapshot& table) {
    QStringList names;
    for (const auto& c : table.columns)
        names << c.name;
    return names;
}

const char* const everyType = R"({"tables": [{"name": "Every Type", "columns": [
    {"name": "Flag", "type": "boolean"}, {"name": "Tiny", "type": "byte"},
    {"name": "Small", "type": "integer"}, {"name": "Counter", "type": "long", "autonumber": true},
    {"name": "Money", "type": "currency"}, {"name": "Ratio", "type": "single"},
    {"name": "Measure", "type": "double"}, {"name": "When", "type": "datetime"},
    {"name": "Blob", "type": "binary", "size": 16}, {"name": "Label", "type": "text", "size": 40},
    {"name": "Picture", "type": "ole"}, {"name": "Remarks", "type": "memo"},
    {"name": "Key", "type": "guid"}, {"name": "Amount", "type": "decimal", "precision": 12, "scale": 3}],
  "rows": [
    [true, 200, -32768, null, "922337203685477.5807", 1.5, 2.25, "2024-05-01T13:45:30", "41424344",
     "Grüße", "0102", "short", "{12345678-1234-5678-9ABC-DEF012345678}", "-123456789.125"],
    [false, 0, 32767, null, -0.5, -1, 1e300, "1899-12-30", null, "", null, null, null, "0"],
    [false, null, null, 7, null, null, null, "1900-03-01T06:00:00", null, null, null, null, null, null]]}]})";

} // namespace

TEST(RoundTrip, EveryColumnTypeKeepsItsStorageTypeSizeAndOrder) {
    const DatabaseSnapshot db = readBack(everyType);
    ASSERT_TRUE(db.opened);
    const TableSnapshot* table = db.table(QStringLiteral("Every Type"));
    ASSERT_NE(table, nullptr);
    const std::vector<std::pair<int, int>> typeAndSize{
        {0x01, 0}, {0x02, 1},  {0x03, 2},  {0x04, 4}, {0x05, 8}, {0x06, 4},  {0x07, 8},
        {0x08, 8}, {0x09, 16}, {0x0A, 80}, {0x0B, 0}, {0x0C, 0}, {0x0F, 16}, {0x10, 17}};
    ASSERT_EQ(table->columns.size(), typeAndSize.size());
    EXPECT_EQ(columnNames(*table),
              QStringList({"Flag", "Tiny", "Small", "Counter", "Money", "Ratio", "Measure", "When",
                           "Blob", "Label", "Picture", "Remarks", "Key", "Amount"}));
    for (std::size_t i = 0; i < typeAndSize.size(); ++i) {
        EXPECT_EQ(table->columns[i].type, typeAndSize[i].first)
            << table->columns[i].name.toStdString();
        EXPECT_EQ(table->columns[i].size, typeAndSize[i].second)
            << table->columns[i].name.toStdString();
        EXPECT_EQ(table->columns[i].autoLong, i == 3);
    }
    EXPECT_EQ(table->columns[13].libmdbScale, 12); // the precision, under libmdb's swapped names
    EXPECT_EQ(table->columns[13].libmdbPrecision, 3);
}

TEST(RoundTrip, EveryColumnTypeKeepsItsValues) {
    const DatabaseSnapshot db = readBack(everyType);
    const TableSnapshot* table = db.table(QStringLiteral("Every Type"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rowCountInTdef, 3);
    // libmdb's default GUID text joins the last two groups.
    EXPECT_EQ(table->rows[0],
              QStringList({"1", "200", "-32768", "1", "922337203685477.5807", "1.5", "2.25",
                           "2024-05-01T13:45:30", "ABCD", "Grüße", "0102", "short",
                           "{12345678-1234-5678-9ABCDEF012345678}", "-123456789.125"}));
    EXPECT_EQ(table->rows[1], QStringList({"0", "0", "32767", "2", "-0.5000", "-1", "1e+300",
                                           "1899-12-30T00:00:00", "", "", "", "", "", "0.000"}));
    // Autonumbers continue after the highest given value.
    EXPECT_EQ(table->rows[2][3], "7");
    EXPECT_EQ(table->rows[2][7], "1900-03-01T06:00:00");
}

TEST(RoundTrip, IndexesKeepNamesColumnsAndPrimaryFlag) {
    const DatabaseSnapshot db = readBack(R"({"tables": [{"name": "Order Details", "columns": [
        {"name": "OrderID", "type": "long"}, {"name": "ProductID", "type": "long"},
        {"name": "Quantity", "type": "integer"}, {"name": "Note", "type": "text", "size": 20}],
      "indexes": [
        {"name": "PrimaryKey", "columns": ["OrderID", "ProductID"], "primary": true},
        {"name": "ByNote", "columns": ["Note"], "unique": true, "ignoreNulls": true},
        {"name": "Quantity", "columns": ["Quantity", "OrderID"], "required": true}],
      "rows": [[1, 2, 3, "x"]]}]})");
    const TableSnapshot* table = db.table(QStringLiteral("Order Details"));
    ASSERT_NE(table, nullptr);
    // libmdb lists them in the (alphabetical) order of the logical index entries.
    const std::vector<IndexSnapshot> expected{
        {"ByNote", {"Note"}, false, 0x03},
        {"PrimaryKey", {"OrderID", "ProductID"}, true, 0x09},
        {"Quantity", {"Quantity", "OrderID"}, false, 0x08},
    };
    EXPECT_EQ(table->indexes, expected);
}

TEST(RoundTrip, NamesWithBlanksAndNonAsciiLettersSurvive) {
    const QString longName = QString(63, QLatin1Char('x')) + QStringLiteral("é");
    const QStringList names{QStringLiteral("Kunden Übersicht"), QStringLiteral("Ωmega"),
                            QStringLiteral("日本語の表"), longName};
    QJsonArray tables;
    for (const QString& name : names)
        tables.append(QJsonObject{{QStringLiteral("name"), name},
                                  {QStringLiteral("columns"), QJsonArray{column(name, "text")}},
                                  {QStringLiteral("rows"), QJsonArray{QJsonArray{name}}}});
    const DatabaseSnapshot db = readBack(describe(tables));
    for (const QString& name : names) {
        const TableSnapshot* table = db.table(name);
        ASSERT_NE(table, nullptr) << name.toStdString();
        EXPECT_EQ(columnNames(*table), QStringList{name});
        ASSERT_EQ(table->rows.size(), 1u);
        EXPECT_EQ(table->rows[0], QStringList{name});
    }
}

TEST(RoundTrip, LongValuesInlineOnOnePageAndChained) {
    const QString small(30, QLatin1Char('a'));
    const QString onePage = QString(1500, QLatin1Char('b'));
    const QString chained = QString(9000, QLatin1Char('c')) + QStringLiteral("Ω"); // UCS-2: 18 KB
    const QByteArray blob(10000, '\x5A');
    const QJsonArray tables{QJsonObject{
        {QStringLiteral("name"), QStringLiteral("Notes")},
        {QStringLiteral("columns"),
         QJsonArray{column("Id", "long"), column("Text", "memo"), column("Data", "ole")}},
        {QStringLiteral("rows"),
         QJsonArray{QJsonArray{1, small, QString::fromLatin1(blob.left(10).toHex())},
                    QJsonArray{2, onePage, QString::fromLatin1(blob.left(3000).toHex())},
                    QJsonArray{3, chained, QString::fromLatin1(blob.toHex())}}}}};
    const DatabaseSnapshot db = readBack(describe(tables), 1 << 16);
    const TableSnapshot* table = db.table(QStringLiteral("Notes"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rows[0][1], small);
    EXPECT_EQ(table->rows[1][1], onePage);
    EXPECT_EQ(table->rows[2][1], chained);
    EXPECT_EQ(table->rows[0][2], QString::fromLatin1(blob.left(10).toHex()));
    EXPECT_EQ(table->rows[1][2], QString::fromLatin1(blob.left(3000).toHex()));
    EXPECT_EQ(table->rows[2][2], QString::fromLatin1(blob.toHex()));
}

TEST(RoundTrip, TableOf255ColumnsWithADefinitionOverSeveralPages) {
    QJsonArray columns;
    QJsonArray rows;
    for (int c = 0; c < 255; ++c)
        columns.append(column(
            QStringLiteral("Column number %1 of the wide table").arg(c, 3, 10, QLatin1Char('0')),
            c % 3 == 0 ? "long" : (c % 3 == 1 ? "text" : "double")));
    for (int r = 0; r < 400; ++r) {
        QJsonArray row;
        for (int c = 0; c < 255; ++c)
            row.append(c % 3 == 0 ? QJsonValue(r * 1000 + c)
                                  : (c % 3 == 1 ? QJsonValue(QStringLiteral("r%1").arg(r))
                                                : QJsonValue(r + 0.5)));
        rows.append(row);
    }
    const QJsonArray tables{QJsonObject{{QStringLiteral("name"), QStringLiteral("Wide")},
                                        {QStringLiteral("columns"), columns},
                                        {QStringLiteral("rows"), rows}}};
    const DatabaseSnapshot db = readBack(describe(tables));
    const TableSnapshot* table = db.table(QStringLiteral("Wide"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->columns.size(), 255u);
    for (int c = 0; c < 255; ++c)
        EXPECT_EQ(table->columns[static_cast<std::size_t>(c)].name,
                  columns[c].toObject()[QStringLiteral("name")].toString());
    ASSERT_EQ(table->rows.size(), 400u);
    EXPECT_EQ(table->rows[399][0], "399000");
    EXPECT_EQ(table->rows[399][253], "r399");
    EXPECT_EQ(table->rows[399][254], "399.5");
}

TEST(RoundTrip, DisplayPositionsHyperlinksHiddenTablesAndLinks) {
    const DatabaseSnapshot db = readBack(R"({
      "tables": [
        {"name": "Shown", "columns": [{"name": "B", "type": "text", "ordinal": 1},
                                      {"name": "A", "type": "long", "ordinal": 0},
                                      {"name": "Site", "type": "memo", "hyperlink": true}]},
        {"name": "Secret", "hidden": true, "columns": [{"name": "A", "type": "long"}]}],
      "links": [
        {"name": "Remote Orders", "database": "C:\\data\\shop.mdb", "foreignName": "Orders"},
        {"name": "Server Orders", "connect": "ODBC;DSN=shop;", "foreignName": "dbo.Orders"}],
      "queries": [{"name": "Q", "type": "select"}]})");
    const TableSnapshot* shown = db.table(QStringLiteral("Shown"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(columnNames(*shown), QStringList({"B", "A", "Site"})); // libmdb: creation order
    EXPECT_EQ(shown->columns[0].ordinal, 1);
    EXPECT_EQ(shown->columns[1].ordinal, 0);
    EXPECT_EQ(shown->columns[2].descriptorFlags, 0x82); // updatable, hyperlink
    EXPECT_EQ(shown->columns[1].descriptorFlags, 0x03); // fixed, updatable

    QStringList userObjects;
    for (const auto& o : db.objects)
        if (o.parentId == 0x0F000001 && !o.name.startsWith(QLatin1String("MSys")))
            userObjects << QStringLiteral("%1|%2|%3|%4|%5|%6")
                               .arg(o.name)
                               .arg(o.type)
                               .arg(o.flags)
                               .arg(o.database, o.connect, o.foreignName);
    EXPECT_EQ(userObjects,
              QStringList({"Shown|1|0|||", "Secret|1|8|||",
                           "Remote Orders|6|2097152|C:\\data\\shop.mdb||Orders",
                           "Server Orders|4|537919488||ODBC;DSN=shop;|dbo.Orders", "Q|5|0|||"}));
}

TEST(RoundTrip, DeletedIndexesGiveTheNumberingThatMisleadsLibmdb) {
    // After index edits Access's logical index numbers no longer match the physical ones;
    // libmdb 1.0.0 pairs them by number and loses the primary key's columns.
    const DatabaseSnapshot db = readBack(R"({"tables": [{"name": "Edited", "deletedIndexes": 1,
        "columns": [{"name": "ID", "type": "long"}, {"name": "Name", "type": "text"}],
        "indexes": [{"name": "PrimaryKey", "columns": ["ID"], "primary": true},
                    {"name": "Name", "columns": ["Name"]}]}]})");
    const TableSnapshot* table = db.table(QStringLiteral("Edited"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->indexes.size(), 2u);
    EXPECT_EQ(table->indexes[1].name, "PrimaryKey");
    EXPECT_TRUE(table->indexes[1].primary);
    EXPECT_NE(table->indexes[1].columns, QStringList{"ID"});
}

TEST(RoundTrip, RelationshipsGiveRowsCatalogueEntriesAndIndexesOnBothSides) {
    const DatabaseSnapshot db = readBack(R"({"tables": [
        {"name": "Customers", "columns": [{"name": "CustomerID", "type": "long"}],
         "indexes": [{"name": "PrimaryKey", "columns": ["CustomerID"], "primary": true}]},
        {"name": "Orders", "columns": [{"name": "OrderID", "type": "long"},
                                       {"name": "CustomerID", "type": "long"},
                                       {"name": "Helper", "type": "long"}],
         "indexes": [{"name": "PrimaryKey", "columns": ["OrderID"], "primary": true},
                     {"name": "CustomerID", "columns": ["CustomerID"]}]}],
      "relationships": [
        {"name": "CustomersOrders", "table": "Customers", "columns": ["CustomerID"],
         "foreignTable": "Orders", "foreignColumns": ["CustomerID"], "cascadeDeletes": true},
        {"name": "Loose", "table": "Customers", "columns": ["CustomerID"],
         "foreignTable": "Orders", "foreignColumns": ["Helper"], "enforce": false}]})");
    const TableSnapshot* relationships = db.table(QStringLiteral("MSysRelationships"));
    ASSERT_NE(relationships, nullptr);
    EXPECT_EQ(relationships->rows,
              std::vector<QStringList>(
                  {{"CustomersOrders", "4096", "1", "0", "Orders", "CustomerID", "Customers",
                    "CustomerID"},
                   {"Loose", "2", "1", "0", "Orders", "Helper", "Customers", "CustomerID"}}));
    QStringList relationshipObjects;
    for (const auto& o : db.objects)
        if (o.type == 8 && o.parentId == 0x0F000003)
            relationshipObjects << o.name;
    EXPECT_EQ(relationshipObjects, QStringList({"CustomersOrders", "Loose"}));

    // libmdb lists the relationship indexes without keys; the keys stay with the shared index.
    const std::vector<IndexSnapshot> customers{{".rB", {}, false, 0},
                                               {"PrimaryKey", {"CustomerID"}, true, 0x09}};
    EXPECT_EQ(db.table(QStringLiteral("Customers"))->indexes, customers);
    const std::vector<IndexSnapshot> orders{{"CustomerID", {"CustomerID"}, false, 0},
                                            {"CustomersOrders", {}, false, 0},
                                            {"PrimaryKey", {"OrderID"}, true, 0x09}};
    EXPECT_EQ(db.table(QStringLiteral("Orders"))->indexes, orders);
}

TEST(RoundTrip, ManyTinyRowsSpreadOverPagesOfAtMost255Rows) {
    QJsonArray rows;
    for (int r = 0; r < 1000; ++r)
        rows.append(QJsonArray{r % 2 == 0, r % 256});
    const QJsonArray tables{
        QJsonObject{{"name", "Tiny"},
                    {"columns", QJsonArray{column("Flag", "boolean"), column("Small", "byte")}},
                    {"rows", rows}}};
    const DatabaseSnapshot db = readBack(describe(tables));
    const TableSnapshot* table = db.table(QStringLiteral("Tiny"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 1000u);
    for (int r = 0; r < 1000; ++r)
        ASSERT_EQ(table->rows[static_cast<std::size_t>(r)],
                  QStringList({r % 2 == 0 ? "1" : "0", QString::number(r % 256)}))
            << r;
}
