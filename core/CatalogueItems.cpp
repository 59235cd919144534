#include "core/CatalogueItems.h"

#include "generator/FieldRecords.h"
#include "generator/TypePrefix.h"

#include <algorithm>

namespace ombrix::core {

namespace {

constexpr std::string_view tablePrefix = "Table: ";
constexpr std::string_view queryPrefix = "Query: ";
constexpr int selectQuery = 0;

bool isSystemObject(std::string_view name) {
    return name.starts_with("MSy");
}

} // namespace

std::vector<std::string> objectListItems(const DatabaseObjects& objects) {
    std::vector<std::string> items;
    for (const TableDef& table : objects.tables) {
        if (!isSystemObject(table.name))
            items.push_back(tableItem(table.name));
    }
    for (const QueryDef& query : objects.queries) {
        if (!isSystemObject(query.name) && !query.name.starts_with("~sq_") &&
            query.type == selectQuery)
            items.push_back(queryItem(query.name));
    }
    return items;
}

std::string tableItem(std::string_view name) {
    return std::string(tablePrefix).append(name);
}

std::string queryItem(std::string_view name) {
    return std::string(queryPrefix).append(name);
}

bool isObjectItem(std::string_view text) {
    return text.starts_with(tablePrefix) || text.starts_with(queryPrefix);
}

ObjectKind objectKind(std::string_view item) {
    return item.starts_with("Table:") ? ObjectKind::Table : ObjectKind::Query;
}

std::string itemObjectName(std::string_view item) {
    return std::string(item.substr(std::min(item.size(), tablePrefix.size())));
}

std::string fieldItem(const FieldDef& field) {
    return MakeFieldListItem(field.name, GetPrefix(field.type));
}

std::string keyFieldPrefix(const ObjectDefinition& definition, std::string_view key) {
    for (const FieldDef& field : definition.fields) {
        if (field.name == key)
            return std::string(GetPrefix(field.type));
    }
    return {};
}

} // namespace ombrix::core
