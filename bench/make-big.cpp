// make-big [OUT.json]: writes the description of the large benchmark database (2,000 tables of
// 20 columns with a primary key and a few rows each, one 255-column table, 500 select queries)
// to OUT.json or standard output. Build it with: mkmdb OUT.json big.mdb
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

struct TableSize {
    int columns;
    int rows;
};

constexpr int kTableCount = 2000;
constexpr TableSize kNumberedTable{20, 3};
constexpr TableSize kWideTable{255, 100};
constexpr int kQueryCount = 500;

// The column types cycle through this list after the autonumber key.
const char* const cycle[] = {"text", "long",    "datetime", "currency", "double", "boolean",
                             "memo", "integer", "single",   "byte",     "guid",   "decimal"};

QString tableName(int t) {
    return QStringLiteral("Table %1").arg(t, 4, 10, QLatin1Char('0'));
}
QString columnName(int c) {
    return QStringLiteral("Field %1").arg(c, 3, 10, QLatin1Char('0'));
}

QJsonValue sampleValue(const QString& type, int row, int column) {
    const int n = row * 31 + column;
    if (type == QLatin1String("text") || type == QLatin1String("memo"))
        return QStringLiteral("Value %1 of row %2").arg(column).arg(row);
    if (type == QLatin1String("datetime"))
        return QStringLiteral("2024-%1-%2T12:30:00")
            .arg(1 + n % 12, 2, 10, QLatin1Char('0'))
            .arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    if (type == QLatin1String("boolean"))
        return n % 2 == 0;
    if (type == QLatin1String("guid"))
        return QJsonValue::Null;
    if (type == QLatin1String("byte"))
        return n % 256;
    if (type == QLatin1String("currency"))
        return QStringLiteral("%1.25").arg(n);
    if (type == QLatin1String("decimal"))
        return QString::number(n);
    if (type == QLatin1String("double") || type == QLatin1String("single"))
        return n + 0.5;
    return n;
}

QJsonObject table(const QString& name, TableSize size) {
    QJsonArray columnList{QJsonObject{{"name", "ID"}, {"type", "long"}, {"autonumber", true}}};
    QStringList types{QStringLiteral("long")};
    for (int c = 1; c < size.columns; ++c) {
        const QString type = QString::fromLatin1(cycle[(c - 1) % std::size(cycle)]);
        QJsonObject column{{"name", columnName(c)}, {"type", type}};
        if (type == QLatin1String("text"))
            column[QStringLiteral("size")] = 50;
        columnList.append(column);
        types << type;
    }
    QJsonArray rowList;
    for (int r = 0; r < size.rows; ++r) {
        QJsonArray row{QJsonValue::Null};
        for (int c = 1; c < size.columns; ++c)
            row.append(sampleValue(types[c], r, c));
        rowList.append(row);
    }
    return {
        {"name", name},
        {"columns", columnList},
        {"indexes",
         QJsonArray{
             QJsonObject{{"name", "PrimaryKey"}, {"columns", QJsonArray{"ID"}}, {"primary", true}},
             QJsonObject{{"name", "ByField001"}, {"columns", QJsonArray{columnName(1)}}}}},
        {"rows", rowList}};
}

QJsonObject query(int q) {
    const QString left = tableName(1 + (q * 7) % kTableCount);
    const QString right = tableName(1 + (q * 13 + 5) % kTableCount);
    return {{"name", QStringLiteral("Query %1").arg(q + 1, 3, 10, QLatin1Char('0'))},
            {"type", "select"},
            {"inputs", QJsonArray{QJsonObject{{"table", left}},
                                  QJsonObject{{"table", right}, {"alias", "r"}}}},
            {"outputs",
             QJsonArray{QStringLiteral("[%1].*").arg(left),
                        QJsonObject{{"expression", QStringLiteral("r.[%1]").arg(columnName(1))},
                                    {"alias", "Other text"}}}},
            {"joins", QJsonArray{QJsonObject{{"left", left},
                                             {"right", "r"},
                                             {"on", QStringLiteral("[%1].ID = r.ID").arg(left)}}}},
            {"where", QStringLiteral("r.[%1] > %2").arg(columnName(2)).arg(q)}};
}

constexpr const char* kUsage = "Usage: make-big [OUT.json]\n"
                               "Writes the description of the large benchmark database to "
                               "OUT.json, or to standard output.\n";

} // namespace

int main(int argc, char* argv[]) {
    // An argument starting with '-' is an option, never a file name: a mistyped option must not
    // leave a 3 MB file behind.
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "make-big: unknown option or extra argument\n%s", kUsage);
        return 2;
    }
    QJsonArray tables;
    for (int t = 1; t <= kTableCount; ++t)
        tables.append(table(tableName(t), kNumberedTable));
    tables.append(table(QStringLiteral("Wide Table"), kWideTable));
    QJsonArray queries;
    for (int q = 0; q < kQueryCount; ++q)
        queries.append(query(q));
    const QByteArray json = QJsonDocument(QJsonObject{{"tables", tables}, {"queries", queries}})
                                .toJson(QJsonDocument::Compact);

    QFile out;
    const bool opened = argc > 1 ? (out.setFileName(QString::fromLocal8Bit(argv[1])),
                                    out.open(QIODevice::WriteOnly))
                                 : out.open(stdout, QIODevice::WriteOnly);
    if (!opened || out.write(json) != json.size()) {
        std::fprintf(stderr, "make-big: cannot write the description\n");
        return 1;
    }
    return 0;
}
