#include "Description.h"
#include "FieldEncoding.h"
#include "JsonFields.h"
#include "Mkmdb.h"
#include "QueryRows.h"
#include "SystemTables.h"
#include "core/Catalogue.h"
#include "reader/IndexKeySlots.h"

#include <QJsonDocument>
#include <QSet>
#include <QUuid>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <utility>

namespace mkmdb {
namespace {

using ombrix::reader::kIndexKeySlots;
// 2000-01-01, used when the description gives no creation date, so that a description always
// gives the same file.
constexpr double kDefaultCreated = 36526.0;

[[noreturn]] void fail(const QString& message) {
    throw DescriptionError(message.toStdString());
}

struct TypeName {
    const char* name;
    ColumnType type;
};

constexpr std::array kTypeNames{
    TypeName{"boolean", ColumnType::Boolean},   TypeName{"byte", ColumnType::Byte},
    TypeName{"integer", ColumnType::Integer},   TypeName{"long", ColumnType::Long},
    TypeName{"currency", ColumnType::Currency}, TypeName{"single", ColumnType::Single},
    TypeName{"double", ColumnType::Double},     TypeName{"datetime", ColumnType::DateTime},
    TypeName{"binary", ColumnType::Binary},     TypeName{"text", ColumnType::Text},
    TypeName{"ole", ColumnType::Ole},           TypeName{"memo", ColumnType::Memo},
    TypeName{"guid", ColumnType::Guid},         TypeName{"decimal", ColumnType::Decimal},
};

// Prefixes every message that escapes with the part of the description being read.
template <typename Function>
auto within(const QString& context, Function&& function) {
    try {
        return function();
    } catch (const DescriptionError& error) {
        fail(context + QStringLiteral(": ") + QString::fromStdString(error.what()));
    }
}

// The rules Access applies to object, field and index names.
void checkName(const QString& name) {
    constexpr int kMaxNameLength = 64;
    if (name.isEmpty())
        fail(QStringLiteral("a name must not be empty"));
    if (name.size() > kMaxNameLength)
        fail(QStringLiteral("name \"%1\" is longer than %2 characters")
                 .arg(name)
                 .arg(kMaxNameLength));
    if (name.startsWith(QLatin1Char(' ')))
        fail(QStringLiteral("name \"%1\" starts with a blank").arg(name));
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral(".!`[]").contains(c))
            fail(QStringLiteral("name \"%1\" contains a character Access does not allow in names")
                     .arg(name));
}

// Names are compared as Access compares them: without regard to letter case.
class NameSet {
public:
    void add(const QString& name, const QString& kind) {
        checkName(name);
        if (names_.contains(name.toCaseFolded()))
            fail(QStringLiteral("duplicate %1 name \"%2\"").arg(kind, name));
        names_.insert(name.toCaseFolded());
    }

private:
    QSet<QString> names_;
};

ColumnType typeNamed(const QString& name) {
    for (const TypeName& entry : kTypeNames)
        if (name == QLatin1String(entry.name))
            return entry.type;
    fail(QStringLiteral("unknown type \"%1\"").arg(name));
}

ColumnDescription parseColumn(const QJsonObject& object) {
    constexpr int kMaxTextSize = 255;
    constexpr int kMaxBinarySize = 510;
    constexpr int kMaxDecimalPrecision = 28;
    json::allowOnly(object, {QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("size"),
                             QStringLiteral("autonumber"), QStringLiteral("precision"),
                             QStringLiteral("hyperlink"), QStringLiteral("ordinal"),
                             QStringLiteral("scale")});
    ColumnDescription column;
    column.name = json::requiredString(object, QStringLiteral("name"));
    column.type = typeNamed(json::requiredString(object, QStringLiteral("type")));
    if (column.type == ColumnType::Text)
        column.size = json::optionalInt(object, QStringLiteral("size"), 1, kMaxTextSize)
                          .value_or(kMaxTextSize);
    else if (column.type == ColumnType::Binary)
        column.size = json::optionalInt(object, QStringLiteral("size"), 1, kMaxBinarySize)
                          .value_or(kMaxBinarySize);
    else if (object.contains(QStringLiteral("size")))
        fail(QStringLiteral("\"size\" applies to text and binary columns only"));
    column.ordinal = json::optionalInt(object, QStringLiteral("ordinal"), 0, 65535);
    column.hyperlink = json::optionalBool(object, QStringLiteral("hyperlink"));
    if (column.hyperlink && column.type != ColumnType::Memo)
        fail(QStringLiteral("\"hyperlink\" applies to memo columns only"));
    column.autonumber = json::optionalBool(object, QStringLiteral("autonumber"));
    if (column.autonumber && column.type != ColumnType::Long && column.type != ColumnType::Guid)
        fail(QStringLiteral("\"autonumber\" applies to long and guid columns only"));
    if (column.type == ColumnType::Decimal) {
        column.precision =
            json::optionalInt(object, QStringLiteral("precision"), 1, kMaxDecimalPrecision)
                .value_or(18);
        column.scale =
            json::optionalInt(object, QStringLiteral("scale"), 0, column.precision).value_or(0);
    } else if (object.contains(QStringLiteral("precision")) ||
               object.contains(QStringLiteral("scale"))) {
        fail(QStringLiteral("\"precision\" and \"scale\" apply to decimal columns only"));
    }
    return column;
}

int columnPosition(const TableDescription& table, const QString& name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (QString::compare(table.columns[i].name, name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    fail(QStringLiteral("no column \"%1\" in this table").arg(name));
}

IndexDescription parseIndex(const QJsonObject& object, const TableDescription& table) {
    json::allowOnly(object, {QStringLiteral("name"), QStringLiteral("columns"),
                             QStringLiteral("primary"), QStringLiteral("unique"),
                             QStringLiteral("ignoreNulls"), QStringLiteral("required")});
    IndexDescription index;
    index.name = json::requiredString(object, QStringLiteral("name"));
    const QJsonArray columns = json::optionalArray(object, QStringLiteral("columns"));
    if (columns.isEmpty() || columns.size() > kIndexKeySlots)
        fail(QStringLiteral("an index needs 1 to %1 \"columns\"").arg(kIndexKeySlots));
    for (const QJsonValue& column : columns) {
        if (!column.isString())
            fail(QStringLiteral("\"columns\" must list column names"));
        const int position = columnPosition(table, column.toString());
        if (std::find(index.columns.begin(), index.columns.end(), position) != index.columns.end())
            fail(QStringLiteral("column \"%1\" appears twice").arg(column.toString()));
        index.columns.push_back(position);
    }
    index.primary = json::optionalBool(object, QStringLiteral("primary"));
    index.unique = index.primary || json::optionalBool(object, QStringLiteral("unique"));
    index.required = index.primary || json::optionalBool(object, QStringLiteral("required"));
    index.ignoreNulls = json::optionalBool(object, QStringLiteral("ignoreNulls"));
    return index;
}

// Autonumber cells left null are numbered on from the highest value so far, as Access would.
void numberRows(TableDescription& table) {
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const ColumnDescription& column = table.columns[c];
        if (!column.autonumber)
            continue;
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            FieldValue& cell = table.rows[r][c];
            if (column.type == ColumnType::Long) {
                if (cell)
                    table.lastAutonumber = std::max(
                        table.lastAutonumber, qFromLittleEndian<std::int32_t>(cell->constData()));
                else
                    cell = int32Bytes(++table.lastAutonumber);
            } else if (!cell) {
                const QUuid uuid = QUuid::createUuidV5(QUuid(), table.name + QLatin1Char('/') +
                                                                    QString::number(r));
                cell = encodeField(column, uuid.toString());
            }
        }
    }
}

std::vector<RowValues> parseRows(const QJsonArray& rows, const TableDescription& table) {
    std::vector<RowValues> result;
    result.reserve(static_cast<std::size_t>(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        within(QStringLiteral("row %1").arg(r + 1), [&] {
            const QJsonArray cells = rows.at(r).toArray();
            if (!rows.at(r).isArray() ||
                cells.size() != static_cast<qsizetype>(table.columns.size()))
                fail(QStringLiteral("a row must be a list of %1 values, one per column")
                         .arg(table.columns.size()));
            RowValues values;
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                values.push_back(
                    within(QStringLiteral("column \"%1\"").arg(table.columns[c].name), [&] {
                        return encodeField(table.columns[c], cells.at(static_cast<qsizetype>(c)));
                    }));
            result.push_back(std::move(values));
        });
    }
    return result;
}

TableDescription parseTable(const QJsonObject& object) {
    constexpr int kMaxColumns = 255;
    constexpr int kMaxIndexes = 32;
    json::allowOnly(object, {QStringLiteral("name"), QStringLiteral("columns"),
                             QStringLiteral("indexes"), QStringLiteral("rows"),
                             QStringLiteral("hidden"), QStringLiteral("deletedIndexes")});
    TableDescription table;
    table.name = json::requiredString(object, QStringLiteral("name"));
    table.hidden = json::optionalBool(object, QStringLiteral("hidden"));
    table.deletedIndexes = static_cast<std::uint32_t>(
        json::optionalInt(object, QStringLiteral("deletedIndexes"), 0, kMaxIndexes).value_or(0));
    const QJsonArray columns = json::optionalArray(object, QStringLiteral("columns"));
    if (columns.isEmpty() || columns.size() > kMaxColumns)
        fail(QStringLiteral("a table needs 1 to %1 \"columns\"").arg(kMaxColumns));
    NameSet columnNames;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QJsonObject column = json::objectAt(columns, i, QStringLiteral("column"));
        table.columns.push_back(within(QStringLiteral("column %1").arg(i + 1), [&] {
            ColumnDescription parsed = parseColumn(column);
            columnNames.add(parsed.name, QStringLiteral("column"));
            return parsed;
        }));
    }
    const QJsonArray indexes = json::optionalArray(object, QStringLiteral("indexes"));
    if (indexes.size() > kMaxIndexes)
        fail(QStringLiteral("a table has at most %1 indexes").arg(kMaxIndexes));
    NameSet indexNames;
    bool hasPrimary = false;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QJsonObject index = json::objectAt(indexes, i, QStringLiteral("index"));
        table.indexes.push_back(within(QStringLiteral("index %1").arg(i + 1), [&] {
            IndexDescription parsed = parseIndex(index, table);
            indexNames.add(parsed.name, QStringLiteral("index"));
            if (parsed.primary && std::exchange(hasPrimary, true))
                fail(QStringLiteral("a table has at most one primary index"));
            return parsed;
        }));
    }
    table.rows = parseRows(json::optionalArray(object, QStringLiteral("rows")), table);
    numberRows(table);
    return table;
}

std::size_t tableNamed(const DatabaseDescription& database, const QString& name) {
    for (std::size_t i = 0; i < database.tables.size(); ++i)
        if (QString::compare(database.tables[i].name, name, Qt::CaseInsensitive) == 0)
            return i;
    fail(QStringLiteral("no table \"%1\"").arg(name));
}

std::vector<int> columnsOf(const TableDescription& table, const QJsonObject& object,
                           const QString& key) {
    const QJsonArray names = json::optionalArray(object, key);
    if (names.isEmpty() || names.size() > kIndexKeySlots)
        fail(QStringLiteral("\"%1\" needs 1 to %2 column names").arg(key).arg(kIndexKeySlots));
    std::vector<int> columns;
    for (const QJsonValue& name : names) {
        if (!name.isString())
            fail(QStringLiteral("\"%1\" must list column names").arg(key));
        columns.push_back(within(QStringLiteral("table \"%1\"").arg(table.name),
                                 [&] { return columnPosition(table, name.toString()); }));
    }
    return columns;
}

RelationshipDescription parseRelationship(const QJsonObject& object,
                                          const DatabaseDescription& database) {
    json::allowOnly(object, {QStringLiteral("name"), QStringLiteral("table"),
                             QStringLiteral("columns"), QStringLiteral("foreignTable"),
                             QStringLiteral("foreignColumns"), QStringLiteral("enforce"),
                             QStringLiteral("cascadeUpdates"), QStringLiteral("cascadeDeletes")});
    RelationshipDescription relationship;
    relationship.name = json::requiredString(object, QStringLiteral("name"));
    relationship.table =
        tableNamed(database, json::requiredString(object, QStringLiteral("table")));
    relationship.foreignTable =
        tableNamed(database, json::requiredString(object, QStringLiteral("foreignTable")));
    const TableDescription& one = database.tables[relationship.table];
    const TableDescription& many = database.tables[relationship.foreignTable];
    relationship.columns = columnsOf(one, object, QStringLiteral("columns"));
    relationship.foreignColumns = columnsOf(many, object, QStringLiteral("foreignColumns"));
    if (relationship.columns.size() != relationship.foreignColumns.size())
        fail(QStringLiteral("\"columns\" and \"foreignColumns\" must pair up"));
    for (std::size_t i = 0; i < relationship.columns.size(); ++i)
        if (one.columns[static_cast<std::size_t>(relationship.columns[i])].type !=
            many.columns[static_cast<std::size_t>(relationship.foreignColumns[i])].type)
            fail(QStringLiteral("related columns must have the same type"));
    relationship.enforce = !object.contains(QStringLiteral("enforce")) ||
                           json::optionalBool(object, QStringLiteral("enforce"));
    relationship.cascadeUpdates = json::optionalBool(object, QStringLiteral("cascadeUpdates"));
    relationship.cascadeDeletes = json::optionalBool(object, QStringLiteral("cascadeDeletes"));
    const bool unique =
        std::any_of(one.indexes.begin(), one.indexes.end(), [&](const IndexDescription& index) {
            return index.unique && index.columns == relationship.columns;
        });
    if (relationship.enforce && !unique)
        fail(QStringLiteral(
                 "an enforced relationship needs a unique index on \"columns\" of table \"%1\"")
                 .arg(one.name));
    return relationship;
}

LinkDescription parseLink(const QJsonObject& object) {
    json::allowOnly(object, {QStringLiteral("name"), QStringLiteral("database"),
                             QStringLiteral("connect"), QStringLiteral("foreignName")});
    LinkDescription link;
    link.name = json::requiredString(object, QStringLiteral("name"));
    link.database = json::optionalString(object, QStringLiteral("database")).value_or(QString());
    link.connect = json::optionalString(object, QStringLiteral("connect")).value_or(QString());
    if (link.database.isEmpty() == link.connect.isEmpty())
        fail(QStringLiteral("a link needs either \"database\" (a linked Access table) or "
                            "\"connect\" (an ODBC table)"));
    link.foreignName =
        json::optionalString(object, QStringLiteral("foreignName")).value_or(link.name);
    return link;
}

} // namespace

DatabaseDescription parseDescription(const QByteArray& jsonText) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(jsonText, &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("malformed JSON at offset %1: %2")
                 .arg(error.offset)
                 .arg(error.errorString()));
    if (!document.isObject())
        fail(QStringLiteral("the description must be a JSON object"));
    const QJsonObject root = document.object();
    json::allowOnly(root, {QStringLiteral("password"), QStringLiteral("created"),
                           QStringLiteral("tables"), QStringLiteral("links"),
                           QStringLiteral("queries"), QStringLiteral("relationships")});

    DatabaseDescription database;
    database.password = json::optionalString(root, QStringLiteral("password")).value_or(QString());
    if (database.password.size() > ombrix::core::kJetPasswordLength)
        fail(QStringLiteral("the password is longer than %1 characters")
                 .arg(ombrix::core::kJetPasswordLength));
    database.created = kDefaultCreated;
    if (const auto created = json::optionalString(root, QStringLiteral("created"))) {
        const std::optional<double> date = oleDateFromIso(*created);
        if (!date)
            fail(QStringLiteral("\"created\" must be a date such as 2024-05-01T13:45:00"));
        database.created = *date;
    }

    // Tables and queries share one namespace, which already holds the system tables.
    NameSet objectNames;
    for (const QString& name : systemTableNames())
        objectNames.add(name, QStringLiteral("table"));
    const QJsonArray tables = json::optionalArray(root, QStringLiteral("tables"));
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const QJsonObject table = json::objectAt(tables, i, QStringLiteral("table"));
        const QString label = table.value(QStringLiteral("name")).toString();
        database.tables.push_back(within(QStringLiteral("table \"%1\"").arg(label), [&] {
            TableDescription parsed = parseTable(table);
            objectNames.add(parsed.name, QStringLiteral("table or query"));
            return parsed;
        }));
    }
    const QJsonArray links = json::optionalArray(root, QStringLiteral("links"));
    for (qsizetype i = 0; i < links.size(); ++i) {
        const QJsonObject link = json::objectAt(links, i, QStringLiteral("link"));
        const QString label = link.value(QStringLiteral("name")).toString();
        database.links.push_back(within(QStringLiteral("link \"%1\"").arg(label), [&] {
            LinkDescription parsed = parseLink(link);
            objectNames.add(parsed.name, QStringLiteral("table or query"));
            return parsed;
        }));
    }
    const QJsonArray queries = json::optionalArray(root, QStringLiteral("queries"));
    for (qsizetype i = 0; i < queries.size(); ++i) {
        const QJsonObject query = json::objectAt(queries, i, QStringLiteral("query"));
        const QString label = query.value(QStringLiteral("name")).toString();
        database.queries.push_back(within(QStringLiteral("query \"%1\"").arg(label), [&] {
            QueryDescription parsed = parseQuery(query);
            objectNames.add(parsed.name, QStringLiteral("table or query"));
            return parsed;
        }));
    }
    // Relationships live in their own container, so their names only clash among themselves.
    NameSet relationshipNames;
    const QJsonArray relationships = json::optionalArray(root, QStringLiteral("relationships"));
    for (qsizetype i = 0; i < relationships.size(); ++i) {
        const QJsonObject relationship =
            json::objectAt(relationships, i, QStringLiteral("relationship"));
        const QString label = relationship.value(QStringLiteral("name")).toString();
        database.relationships.push_back(
            within(QStringLiteral("relationship \"%1\"").arg(label), [&] {
                RelationshipDescription parsed = parseRelationship(relationship, database);
                relationshipNames.add(parsed.name, QStringLiteral("relationship"));
                return parsed;
            }));
    }
    return database;
}

} // namespace mkmdb
