#include "wizard/CatalogueItems.h"

#include "generator/FieldRecords.h"
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
            items.append(tableItem(table.name));
    }
    for (const platform::QueryDef& query : objects.queries) {
        if (!isSystemObject(query.name) && !query.name.startsWith(QStringLiteral("~sq_")) &&
            query.type == selectQuery)
            items.append(queryItem(query.name));
    }
    return items;
}

QString tableItem(const QString& name) {
    return tablePrefix + name;
}

QString queryItem(const QString& name) {
    return queryPrefix + name;
}

bool isObjectItem(const QString& text) {
    return text.startsWith(tablePrefix) || text.startsWith(queryPrefix);
}

platform::ObjectKind objectKind(const QString& item) {
    return item.startsWith(QStringLiteral("Table:")) ? platform::ObjectKind::Table
                                                     : platform::ObjectKind::Query;
}

QString itemObjectName(const QString& item) {
    return item.mid(tablePrefix.size());
}

QString fieldItem(const platform::FieldDef& field) {
    return QString::fromStdString(
        MakeFieldListItem(field.name.toStdString(), GetPrefix(field.type)));
}

QString keyFieldPrefix(const platform::ObjectDefinition& definition, const QString& key) {
    for (const platform::FieldDef& field : definition.fields) {
        if (field.name == key)
            return QString::fromUtf8(GetPrefix(field.type));
    }
    return {};
}

} // namespace ombrix::wizard
