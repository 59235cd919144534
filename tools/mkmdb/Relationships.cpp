#include "Relationships.h"

#include "FieldEncoding.h"
#include "JetText.h"

#include <algorithm>

namespace mkmdb {
namespace {

// MSysRelationships.grbit bits (DAO's RelationAttributeEnum).
constexpr std::int32_t kDontEnforce = 0x2;
constexpr std::int32_t kCascadeUpdatesBit = 0x100;
constexpr std::int32_t kCascadeDeletesBit = 0x1000;

constexpr std::uint8_t kOneSide = 1;
constexpr std::uint8_t kManySide = 2;
constexpr std::uint8_t kRelationshipIndex = 2;

std::uint32_t physicalIndexOn(TableLayout& table, const std::vector<int>& columns,
                              const QString& nameIfNew) {
    const auto found =
        std::find_if(table.indexes.begin(), table.indexes.end(),
                     [&](const IndexDescription& index) { return index.columns == columns; });
    if (found != table.indexes.end())
        return static_cast<std::uint32_t>(found - table.indexes.begin());
    // A physical index only the relationship uses; it goes last, where libmdb (which reads as
    // many physical entries as there are other logical ones) does not trip over it.
    IndexDescription index;
    index.name = nameIfNew;
    index.columns = columns;
    table.indexes.push_back(index);
    return static_cast<std::uint32_t>(table.indexes.size() - 1);
}

std::uint32_t nextNumber(const TableLayout& table) {
    return table.deletedIndexes + static_cast<std::uint32_t>(table.logicalIndexes.size());
}

} // namespace

void addRelationshipIndexes(std::vector<TableLayout>& userTables,
                            const std::vector<RelationshipDescription>& relationships) {
    for (const RelationshipDescription& relationship : relationships) {
        if (!relationship.enforce)
            continue;
        TableLayout& many = userTables[relationship.foreignTable];
        LogicalIndex manyIndex;
        manyIndex.name = relationship.name;
        manyIndex.number = nextNumber(many);
        manyIndex.physical = physicalIndexOn(many, relationship.foreignColumns, relationship.name);
        manyIndex.type = kRelationshipIndex;
        manyIndex.role = kManySide;
        manyIndex.relatedTable = relationship.table;
        manyIndex.cascadeUpdates = relationship.cascadeUpdates;
        manyIndex.cascadeDeletes = relationship.cascadeDeletes;
        many.logicalIndexes.push_back(manyIndex);

        TableLayout& one = userTables[relationship.table];
        LogicalIndex oneIndex = manyIndex;
        oneIndex.number = nextNumber(one);
        // Access names the one side's index after its number: .rA, .rB, ...
        oneIndex.name = QStringLiteral(".r") + QChar(u'A' + oneIndex.number);
        oneIndex.physical = physicalIndexOn(one, relationship.columns, oneIndex.name);
        oneIndex.role = kOneSide;
        oneIndex.relatedIndex = manyIndex.number;
        oneIndex.relatedTable = relationship.foreignTable;
        one.logicalIndexes.push_back(oneIndex);
        many.logicalIndexes.back().relatedIndex = oneIndex.number;
    }
}

std::vector<RowValues> relationshipRows(const DatabaseDescription& database) {
    std::vector<RowValues> rows;
    for (const RelationshipDescription& relationship : database.relationships) {
        std::int32_t grbit = relationship.enforce ? 0 : kDontEnforce;
        if (relationship.cascadeUpdates)
            grbit |= kCascadeUpdatesBit;
        if (relationship.cascadeDeletes)
            grbit |= kCascadeDeletesBit;
        const TableDescription& one = database.tables[relationship.table];
        const TableDescription& many = database.tables[relationship.foreignTable];
        const auto count = static_cast<std::int32_t>(relationship.columns.size());
        for (std::int32_t i = 0; i < count; ++i) {
            const auto c = static_cast<std::size_t>(i);
            rows.push_back(
                {ucs2(relationship.name), int32Bytes(grbit), int32Bytes(count), int32Bytes(i),
                 ucs2(many.name),
                 ucs2(many.columns[static_cast<std::size_t>(relationship.foreignColumns[c])].name),
                 ucs2(one.name),
                 ucs2(one.columns[static_cast<std::size_t>(relationship.columns[c])].name)});
        }
    }
    return rows;
}

} // namespace mkmdb
