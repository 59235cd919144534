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

QStringList objectListItems(const core::DatabaseObjects& objects) {
    QStringList items;
    for (const core::TableDef& table : objects.tables) {
        const QString name = QString::fromStdString(table.name);
        if (!isSystemObject(name))
            items.append(tableItem(name));
    }
    for (const core::QueryDef& query : objects.queries) {
        const QString name = QString::fromStdString(query.name);
        if (!isSystemObject(name) && !name.startsWith(QStringLiteral("~sq_")) &&
            query.type == selectQuery)
            items.append(queryItem(name));
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

core::ObjectKind objectKind(const QString& item) {
    return item.startsWith(QStringLiteral("Table:")) ? core::ObjectKind::Table
                                                     : core::ObjectKind::Query;
}

QString itemObjectName(const QString& item) {
    return item.mid(tablePrefix.size());
}

QString fieldItem(const core::FieldDef& field) {
    return QString::fromStdString(MakeFieldListItem(field.name, GetPrefix(field.type)));
}

} // namespace ombrix::wizard
