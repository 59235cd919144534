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

struct TableLayout {
    QString name;
    std::uint8_t tableType = 0x4E;     // 0x4E user table, 0x53 system table
    std::vector<ColumnLayout> columns; // in creation order
    bool descriptorsByName = false;    // Access lists system-table descriptors alphabetically
    std::vector<IndexDescription> indexes;
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
};

// The table definition as one byte stream, starting with the 8-byte page header; continuation
// pages repeat that header and carry the following bytes (see PageSet::writeTdef).
QByteArray tdefBytes(const TableLayout& layout, const TdefPointers& pointers);

} // namespace mkmdb
