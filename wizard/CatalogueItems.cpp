#include "wizard/CatalogueItems.h"

#include "generator/TypePrefix.h"

namespace ombrix::wizard {

namespace {

const QString tablePrefix = QStringLiteral("Table: ");
const QString queryPrefix = QStringLiteral("Query: ");
constexpr int selectQuery = 0;

bool isSystemObject(const QString& name) {
    return name.startsWith(QStringLiteral("MSy"));
}

} // namespace

QStringList objectListItems(const platform::DatabaseObjects& objects) {
    QStringList items;
    for (const platform::TableDef& table : objects.tables) {
        if (!isSystemObject(table.name))
            items.append(tablePrefix + table.name);
    }
    for (const platform::QueryDef& query : objects.queries) {
        if (!isSystemObject(query.name) && !query.name.startsWith(QStringLiteral("~sq_")) &&
            query.type == selectQuery)
            items.append(queryPrefix + query.name);
    }
    return items;
}

platform::ObjectKind objectKind(const QString& item) {
    return item.startsWith(QStringLiteral("Table:")) ? platform::ObjectKind::Table
                                                     : platform::ObjectKind::Query;
}

QString itemObjectName(const QString& item) {
    return item.mid(tablePrefix.size());
}

QString fieldItem(const platform::FieldDef& field) {
    const std::string_view prefix = GetPrefix(field.type);
    return field.name + QString(100, QLatin1Char(' ')) + QLatin1Char('\t') +
           QString::fromUtf8(prefix.data(), static_cast<qsizetype>(prefix.size()));
}

QString primaryKeyField(const platform::ObjectDefinition& definition) {
    QString key;
    for (const platform::IndexDef& index : definition.indexes) {
        if (index.name != QStringLiteral("PrimaryKey"))
            continue;
        for (const QString& field : index.fields)
            key = field;
    }
    return key;
}

} // namespace ombrix::wizard
