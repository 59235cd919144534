#include "core/CatalogueItems.h"

#include <algorithm>

namespace ombrix::core {

namespace {

constexpr std::string_view kTablePrefix = "Table: ";
constexpr std::string_view kQueryPrefix = "Query: ";

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
            query.type == kSelectQuery)
            items.push_back(queryItem(query.name));
    }
    return items;
}

std::string tableItem(std::string_view name) {
    return std::string(kTablePrefix).append(name);
}

std::string queryItem(std::string_view name) {
    return std::string(kQueryPrefix).append(name);
}

bool isObjectItem(std::string_view text) {
    return text.starts_with(kTablePrefix) || text.starts_with(kQueryPrefix);
}

ObjectKind objectKind(std::string_view item) {
    return item.starts_with("Table:") ? ObjectKind::Table : ObjectKind::Query;
}

std::string itemObjectName(std::string_view item) {
    return std::string(item.substr(std::min(item.size(), kTablePrefix.size())));
}

} // namespace ombrix::core
