#pragma once

#include "Description.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace mkmdb {

// Where a column lives in the rows and how its descriptor reads in the table definition (TDEF).
struct ColumnLayout {
    ColumnDescription description;
    bool fixed = true;
    std::uint8_t flags = 0;      // descriptor offset 15
    std::uint8_t extraFlags = 0; // descriptor offset 16: 0x01 Unicode compression
    std::uint16_t ordinal = 0;   // descriptor offset 9, the display position
    // Assigned by makeLayout:
    std::uint8_t number = 0; // creation number; also the column's bit in the null mask
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0; // slot in a row's variable-column table
    std::uint16_t length = 0;   // descriptor length in bytes
};

// A logical index, what readers list. Each plain index has one; an enforced relationship adds one
// to each of its tables, sharing a physical index.
struct LogicalIndex {
    QString name;
    std::uint32_t number = 0;
    std::uint32_t physical = 0;
    std::uint8_t type = 0; // 0 plain, 1 primary key, 2 relationship
    // Relationship indexes only:
    std::uint8_t role = 0; // 1 this table is the "one" side, 2 the "many" side
    std::uint32_t relatedIndex = 0;
    std::size_t relatedTable = 0; // position among the user tables
    bool cascadeUpdates = false;
    bool cascadeDeletes = false;
};

struct TableLayout {
    QString name;
    std::uint8_t tableType = 0x4E;         // 0x4E user table, 0x53 system table
    std::vector<ColumnLayout> columns;     // in creation order
    bool descriptorsByName = false;        // Access lists system-table descriptors alphabetically
    std::uint32_t deletedIndexes = 0;      // logical index numbers start after these
    std::vector<IndexDescription> indexes; // physical indexes
    std::vector<LogicalIndex> logicalIndexes; // filled by makeLayout, extended by relationships
    std::uint16_t fixedLength = 0;
    std::uint16_t varCount = 0;
};

// Fills in numbers, offsets and lengths of columns whose type, fixedness and flags are set.
TableLayout makeLayout(TableLayout layout);

// The layout Access gives a table created in its designer.
TableLayout userTableLayout(const TableDescription& table);

// What the TDEF points at, known only once the pages are laid out.
struct TdefPointers {
    std::uint32_t rowCount = 0;
    std::int32_t lastAutonumber = 0;
    std::uint32_t usageMap = 0; // row pointers: page << 8 | row
    std::uint32_t freeSpaceMap = 0;
    std::vector<std::uint32_t> indexUsageMaps;
    std::vector<std::uint32_t> indexRootPages;
    std::vector<std::uint32_t> relatedTablePages; // per logical index; 0 when none
    // Per longValueColumns entry: the usage map and free-space map of its long-value pages.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> longValueMaps;
};

// Positions of the memo and OLE columns, in the order of their descriptors.
std::vector<std::size_t> longValueColumns(const TableLayout& layout);

// The table definition as one byte stream, starting with the 8-byte page header; continuation
// pages repeat that header and carry the following bytes (see PageSet::writeTdef).
QByteArray tdefBytes(const TableLayout& layout, const TdefPointers& pointers);

} // namespace mkmdb
