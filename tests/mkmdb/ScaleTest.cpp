// Large catalogues: 5,000 tables and 1,000 queries read back through libmdb.
#include "LibmdbSnapshot.h"
#include "TemporaryDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

constexpr int kTableCount = 5000;
constexpr int kQueryCount = 1000;

TEST(Scale, FiveThousandTablesAndAThousandQueriesReadBack) {
    QJsonArray tables;
    QStringList expected;
    for (int t = 0; t < kTableCount; ++t) {
        const QString name = QStringLiteral("Tabelle %1 für Tests").arg(t);
        tables.append(QJsonObject{
            {"name", name},
            {"columns",
             QJsonArray{QJsonObject{{"name", "ID"}, {"type", "long"}},
                        QJsonObject{{"name", QStringLiteral("Name %1").arg(t)}, {"type", "text"}}}},
            {"indexes",
             QJsonArray{QJsonObject{
                 {"name", "PrimaryKey"}, {"columns", QJsonArray{"ID"}}, {"primary", true}}}},
            {"rows", QJsonArray{QJsonArray{t, name}}}});
        expected << QStringLiteral("table %1 rows 1").arg(name)
                 << QStringLiteral("index PrimaryKey primary 1 flags 9: ID")
                 << QStringLiteral("row %1|%2").arg(t).arg(name);
    }
    QJsonArray queries;
    for (int q = 0; q < kQueryCount; ++q) {
        const QString input = QStringLiteral("Tabelle %1 für Tests").arg(q);
        queries.append(QJsonObject{{"name", QStringLiteral("Query %1").arg(q)},
                                   {"type", "select"},
                                   {"inputs", QJsonArray{QJsonObject{{"table", input}}}},
                                   {"outputs", QJsonArray{QStringLiteral("[%1].*").arg(input)}}});
    }
    const testsupport::TemporaryDatabase database(
        QJsonDocument(QJsonObject{{"tables", tables}, {"queries", queries}})
            .toJson(QJsonDocument::Compact));
    const QStringList lines = readWithLibmdb(database.path());
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^(table|index|row) .*Tabelle|"
                                                             "^index PrimaryKey primary 1"))),
              expected);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^object Query \\d+\\|"))).size(),
              kQueryCount);
    // Each query: start, kind, options, input, output, end.
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^query row "))).size(),
              6 * kQueryCount);
}

} // namespace
} // namespace ombrix::tests
