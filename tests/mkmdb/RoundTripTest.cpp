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
