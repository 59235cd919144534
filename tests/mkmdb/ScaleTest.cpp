// Large catalogues: 5,000 tables and 1,000 queries read back through libmdb.
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using testsupport::TemporaryDatabase;

constexpr int kTableCount = 5000;
constexpr int kQueryCount = 1000;

QString tableName(int t) {
    return QStringLiteral("Tabelle %1 für Tests").arg(t);
}

QByteArray manyObjects() {
    QJsonArray tables;
    for (int t = 0; t < kTableCount; ++t)
        tables.append(QJsonObject{
            {"name", tableName(t)},
            {"columns",
             QJsonArray{QJsonObject{{"name", "ID"}, {"type", "long"}},
                        QJsonObject{{"name", QStringLiteral("Name %1").arg(t)}, {"type", "text"}}}},
            {"indexes",
             QJsonArray{QJsonObject{
                 {"name", "PrimaryKey"}, {"columns", QJsonArray{"ID"}}, {"primary", true}}}},
            {"rows", QJsonArray{QJsonArray{t, tableName(t)}}}});
    QJsonArray queries;
    for (int q = 0; q < kQueryCount; ++q)
        queries.append(
            QJsonObject{{"name", QStringLiteral("Query %1").arg(q)},
                        {"type", "select"},
                        {"inputs", QJsonArray{QJsonObject{{"table", tableName(q)}}}},
                        {"outputs", QJsonArray{QStringLiteral("[%1].*").arg(tableName(q))}}});
    return QJsonDocument(QJsonObject{{"tables", tables}, {"queries", queries}})
        .toJson(QJsonDocument::Compact);
}

TEST(Scale, FiveThousandTablesAndAThousandQueriesReadBack) {
    const TemporaryDatabase database(manyObjects());
    const DatabaseSnapshot db = readWithLibmdb(database.path());
    ASSERT_TRUE(db.opened);
    ASSERT_EQ(db.tables.size(), 5u + kTableCount); // the system tables come first
    for (int t = 0; t < kTableCount; ++t) {
        const auto& table = db.tables[static_cast<std::size_t>(5 + t)];
        ASSERT_EQ(table.name, tableName(t));
        ASSERT_EQ(table.columns.size(), 2u) << t;
        ASSERT_EQ(table.columns[1].name, QStringLiteral("Name %1").arg(t));
        ASSERT_EQ(table.indexes.size(), 1u) << t;
        ASSERT_EQ(table.rows,
                  std::vector<QStringList>{QStringList({QString::number(t), tableName(t)})});
    }
    int queries = 0;
    for (const ObjectSnapshot& o : db.objects)
        if (o.type == 5) {
            EXPECT_EQ(o.name, QStringLiteral("Query %1").arg(queries++));
        }
    EXPECT_EQ(queries, kQueryCount);
    EXPECT_EQ(db.queryRows.size(),
              std::size_t{kQueryCount} * 6); // start, kind, options, input, output, end
}

} // namespace
} // namespace ombrix::tests
