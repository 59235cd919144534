// Large catalogues: 5,000 tables and 1,000 queries read back through libmdb.
#include "LibmdbSnapshot.h"
#include "support/TemporaryDatabase.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

constexpr int kTableCount = 5000;
constexpr int kQueryCount = 1000;

TEST(Scale, FiveThousandTablesAndAThousandQueriesReadBack) {
    QStringList tables;
    QStringList queries;
    QStringList expected;
    for (int t = 0; t < kTableCount; ++t) {
        const QString name = QStringLiteral("Tabelle %1 für Tests").arg(t);
        tables << QStringLiteral(R"({"name": "%1", "columns": [{"name": "ID", "type": "long"},
            {"name": "Name %2", "type": "text"}], "indexes": [{"name": "PrimaryKey",
            "columns": ["ID"], "primary": true}], "rows": [[%2, "%1"]]})")
                      .arg(name)
                      .arg(t);
        if (t < kQueryCount) {
            queries << QStringLiteral(R"({"name": "Query %1", "type": "select",
                "inputs": [{"table": "%2"}], "outputs": ["[%2].*"]})")
                           .arg(t)
                           .arg(name);
        }
        expected << QStringLiteral("table %1 rows 1").arg(name)
                 << QStringLiteral("index PrimaryKey primary 1 flags 9: ID")
                 << QStringLiteral("row %1|%2").arg(t).arg(name);
    }
    const TemporaryDatabase database(
        QStringLiteral(R"({"tables": [%1], "queries": [%2]})")
            .arg(tables.join(QLatin1Char(',')), queries.join(QLatin1Char(',')))
            .toUtf8());
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
