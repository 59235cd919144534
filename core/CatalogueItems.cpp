#include "core/CatalogueItems.h"

#include "core/Utf8.h"

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
            items.push_back(objectItem(ObjectKind::Table, table.name));
    }
    for (const QueryDef& query : objects.queries) {
        if (!isSystemObject(query.name) && !query.name.starts_with("~sq_") &&
            query.type == kSelectQuery)
            items.push_back(objectItem(ObjectKind::Query, query.name));
    }
    return items;
}

std::string objectItem(ObjectKind kind, std::string_view name) {
    return std::string(kind == ObjectKind::Table ? kTablePrefix : kQueryPrefix).append(name);
}

bool isObjectItem(std::string_view text) {
    return text.starts_with(kTablePrefix) || text.starts_with(kQueryPrefix);
}

ObjectName splitObjectItem(std::string_view item) {
    // Both prefixes are seven ASCII characters.
    std::size_t pos = 0;
    for (std::size_t skipped = 0; skipped < kTablePrefix.size() && pos < item.size(); ++skipped) {
        pos += decodeUtf8(item, pos).length;
    }
    return {.kind = item.starts_with(kTablePrefix) ? ObjectKind::Table : ObjectKind::Query,
            .name = std::string(item.substr(pos))};
}

} // namespace ombrix::core
