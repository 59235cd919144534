#include "TableLayout.h"

#include "JetText.h"
#include "reader/IndexKeySlots.h"

#include <QtEndian>
#include <algorithm>
#include <numeric>

namespace mkmdb {
namespace {

// Values Access 2000 writes into fields whose meaning is not known; every TDEF in the reference
// files carries them.
constexpr std::uint32_t kAccessTdefMarker = 0x0659;
constexpr std::uint32_t kAccessIndexMarker = 0x0783;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

constexpr std::uint8_t kFixedFlag = 0x01;
constexpr std::uint8_t kUpdatableFlag = 0x02;
constexpr std::uint8_t kAutoLongFlag = 0x04;
constexpr std::uint8_t kAutoGuidFlag = 0x40;
constexpr std::uint8_t kHyperlinkFlag = 0x80;
constexpr std::uint8_t kCompressedUnicode = 0x01;

constexpr std::uint8_t kIndexFlagsBase = 0x80;
constexpr std::uint8_t kIndexUnique = 0x01;
constexpr std::uint8_t kIndexIgnoreNulls = 0x02;
constexpr std::uint8_t kIndexRequired = 0x08;

// Bytes a fixed column takes in a row; booleans live in the null mask and take none.
std::uint16_t fixedSize(ColumnType type) {
    switch (type) {
    case ColumnType::Boolean:
        return 0;
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
        return 8;
    case ColumnType::Guid:
        return 16;
    case ColumnType::Decimal:
        return 17;
    case ColumnType::AccessObjectData:
        return 3992;
    default:
        return 0;
    }
}

bool isFixedType(ColumnType type) {
    return type != ColumnType::Text && type != ColumnType::Memo && type != ColumnType::Binary &&
           type != ColumnType::Ole;
}

std::uint16_t descriptorLength(const ColumnLayout& column) {
    const ColumnDescription& d = column.description;
    switch (d.type) {
    case ColumnType::Boolean:
        return 1;
    case ColumnType::Text:
        return static_cast<std::uint16_t>(d.size * 2);
    case ColumnType::Binary:
        return static_cast<std::uint16_t>(d.size);
    case ColumnType::Memo:
    case ColumnType::Ole:
        return 0;
    default:
        return fixedSize(d.type);
    }
}

class Bytes {
public:
    template <typename T>
    void put(T value) {
        char buffer[sizeof(T)];
        qToLittleEndian(value, buffer);
        data.append(buffer, sizeof(T));
    }
    void putName(const QString& name) {
        const QByteArray encoded = ucs2(name);
        put<std::uint16_t>(static_cast<std::uint16_t>(encoded.size()));
        data.append(encoded);
    }
    QByteArray data;
};

std::uint8_t indexFlags(const IndexDescription& index) {
    std::uint8_t flags = kIndexFlagsBase;
    if (index.unique)
        flags |= kIndexUnique;
    if (index.ignoreNulls)
        flags |= kIndexIgnoreNulls;
    if (index.required)
        flags |= kIndexRequired;
    return flags;
}

void putColumnDescriptor(Bytes& out, const ColumnLayout& column) {
    const ColumnDescription& d = column.description;
    out.put<std::uint8_t>(static_cast<std::uint8_t>(d.type));
    out.put<std::uint32_t>(kAccessTdefMarker);
    out.put<std::uint16_t>(column.number);
    out.put<std::uint16_t>(column.varIndex);
    out.put<std::uint16_t>(column.ordinal);
    if (d.type == ColumnType::Decimal) {
        out.put<std::uint8_t>(static_cast<std::uint8_t>(d.precision));
        out.put<std::uint8_t>(static_cast<std::uint8_t>(d.scale));
    } else {
        out.put<std::uint16_t>(kGeneralSortOrder);
    }
    out.put<std::uint16_t>(0); // sort order version: General (Legacy)
    out.put<std::uint8_t>(column.flags);
    out.put<std::uint8_t>(column.extraFlags);
    out.put<std::uint32_t>(0);
    out.put<std::uint16_t>(column.fixed ? column.fixedOffset : 0);
    out.put<std::uint16_t>(column.length);
}

void putIndexes(Bytes& out, const TableLayout& layout, const TdefPointers& pointers) {
    for (std::size_t i = 0; i < layout.indexes.size(); ++i) {
        const IndexDescription& index = layout.indexes[i];
        out.put<std::uint32_t>(kAccessIndexMarker);
        for (int slot = 0; slot < ombrix::reader::kIndexKeySlots; ++slot) {
            if (slot < static_cast<int>(index.columns.size())) {
                const auto position =
                    static_cast<std::size_t>(index.columns[static_cast<std::size_t>(slot)]);
                out.put<std::uint16_t>(layout.columns[position].number);
                out.put<std::uint8_t>(1); // ascending
            } else {
                out.put<std::uint16_t>(ombrix::reader::kUnusedKeySlot);
                out.put<std::uint8_t>(0);
            }
        }
        out.put<std::uint32_t>(pointers.indexUsageMaps.at(i));
        out.put<std::uint32_t>(pointers.indexRootPages.at(i));
        out.put<std::uint32_t>(0);
        out.put<std::uint8_t>(indexFlags(index));
        out.data.append(5, '\0');
    }

    // Logical entries, alphabetically as Access keeps them. Each carries its own number and that
    // of its physical index; in a fresh table both are the creation number, which libmdb relies
    // on when it pairs the two lists.
    const std::vector<LogicalIndex>& logical = layout.logicalIndexes;
    std::vector<std::size_t> byName(logical.size());
    std::iota(byName.begin(), byName.end(), 0);
    std::stable_sort(byName.begin(), byName.end(), [&](std::size_t a, std::size_t b) {
        return QString::compare(logical[a].name, logical[b].name, Qt::CaseInsensitive) < 0;
    });
    for (const std::size_t i : byName) {
        const LogicalIndex& index = logical[i];
        const bool relationship = index.type == 2;
        out.put<std::uint32_t>(kAccessTdefMarker);
        out.put<std::uint32_t>(index.number);
        out.put<std::uint32_t>(index.physical);
        out.put<std::uint8_t>(index.role);
        out.put<std::uint32_t>(relationship ? index.relatedIndex : 0xFFFFFFFF);
        out.put<std::uint32_t>(relationship ? pointers.relatedTablePages.at(i) : 0);
        // Access writes 4 into both cascade bytes of indexes outside relationships.
        out.put<std::uint8_t>(relationship ? (index.cascadeUpdates ? 1 : 0) : 4);
        out.put<std::uint8_t>(relationship ? (index.cascadeDeletes ? 1 : 0) : 4);
        out.put<std::uint8_t>(index.type);
        out.put<std::uint32_t>(0);
    }
    for (const std::size_t i : byName)
        out.putName(logical[i].name);
}

std::vector<std::size_t> descriptorOrder(const TableLayout& layout) {
    std::vector<std::size_t> order(layout.columns.size());
    std::iota(order.begin(), order.end(), 0);
    if (layout.descriptorsByName)
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return QString::compare(layout.columns[a].description.name,
                                    layout.columns[b].description.name, Qt::CaseInsensitive) < 0;
        });
    return order;
}

} // namespace

std::vector<std::size_t> longValueColumns(const TableLayout& layout) {
    std::vector<std::size_t> columns;
    for (const std::size_t i : descriptorOrder(layout)) {
        const ColumnType type = layout.columns[i].description.type;
        if (type == ColumnType::Memo || type == ColumnType::Ole)
            columns.push_back(i);
    }
    return columns;
}

TableLayout makeLayout(TableLayout layout) {
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        ColumnLayout& column = layout.columns[i];
        column.number = static_cast<std::uint8_t>(i);
        column.length = descriptorLength(column);
        if (column.fixed) {
            // A fixed column's variable slot records how many variable columns precede it.
            column.varIndex = varIndex;
            column.fixedOffset = column.description.type == ColumnType::Boolean ? 0 : fixedOffset;
            fixedOffset =
                static_cast<std::uint16_t>(fixedOffset + fixedSize(column.description.type));
        } else {
            column.varIndex = varIndex++;
        }
    }
    layout.fixedLength = fixedOffset;
    layout.varCount = varIndex;
    for (std::size_t i = 0; i < layout.indexes.size(); ++i) {
        LogicalIndex logical;
        logical.name = layout.indexes[i].name;
        logical.number = layout.deletedIndexes + static_cast<std::uint32_t>(i);
        logical.physical = static_cast<std::uint32_t>(i);
        logical.type = layout.indexes[i].primary ? 1 : 0;
        layout.logicalIndexes.push_back(logical);
    }
    return layout;
}

TableLayout userTableLayout(const TableDescription& table) {
    TableLayout layout;
    layout.name = table.name;
    layout.indexes = table.indexes;
    layout.deletedIndexes = table.deletedIndexes;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        ColumnLayout column;
        column.description = table.columns[i];
        const ColumnType type = column.description.type;
        column.fixed = isFixedType(type);
        column.flags = static_cast<std::uint8_t>(kUpdatableFlag | (column.fixed ? kFixedFlag : 0));
        if (column.description.autonumber)
            column.flags |= type == ColumnType::Long ? kAutoLongFlag : kAutoGuidFlag;
        if (column.description.hyperlink)
            column.flags |= kHyperlinkFlag;
        if (type == ColumnType::Text || type == ColumnType::Memo)
            column.extraFlags = kCompressedUnicode;
        column.ordinal =
            static_cast<std::uint16_t>(column.description.ordinal.value_or(static_cast<int>(i)));
        layout.columns.push_back(column);
    }
    return makeLayout(std::move(layout));
}

QByteArray tdefBytes(const TableLayout& layout, const TdefPointers& pointers) {
    Bytes out;
    out.put<std::uint8_t>(0x02);
    out.put<std::uint8_t>(0x01);
    out.put<std::uint16_t>(0); // free space, set when the page is written
    out.put<std::uint32_t>(0); // next TDEF page, likewise
    out.put<std::uint32_t>(0); // total length, patched below
    out.put<std::uint32_t>(kAccessTdefMarker);
    out.put<std::uint32_t>(pointers.rowCount);
    out.put<std::int32_t>(pointers.lastAutonumber);
    out.put<std::uint8_t>(1); // autonumbering enabled
    out.data.append(3, '\0');
    out.put<std::uint32_t>(0); // complex-column autonumber (ACE only)
    out.data.append(8, '\0');
    out.put<std::uint8_t>(layout.tableType);
    const auto columnCount = static_cast<std::uint16_t>(layout.columns.size());
    out.put<std::uint16_t>(columnCount); // highest column count ever, no deletions here
    out.put<std::uint16_t>(layout.varCount);
    out.put<std::uint16_t>(columnCount);
    out.put<std::uint32_t>(static_cast<std::uint32_t>(layout.logicalIndexes.size()));
    out.put<std::uint32_t>(static_cast<std::uint32_t>(layout.indexes.size()));
    out.put<std::uint32_t>(pointers.usageMap);
    out.put<std::uint32_t>(pointers.freeSpaceMap);

    for (std::size_t i = 0; i < layout.indexes.size(); ++i) {
        out.put<std::uint32_t>(0);
        out.put<std::uint32_t>(pointers.rowCount); // rows in the index
        out.put<std::uint32_t>(0);
    }

    const std::vector<std::size_t> order = descriptorOrder(layout);
    for (const std::size_t i : order)
        putColumnDescriptor(out, layout.columns[i]);
    for (const std::size_t i : order)
        out.putName(layout.columns[i].description.name);

    putIndexes(out, layout, pointers);
    const std::vector<std::size_t> longColumns = longValueColumns(layout);
    for (std::size_t i = 0; i < longColumns.size(); ++i) {
        out.put<std::uint16_t>(layout.columns[longColumns[i]].number);
        out.put<std::uint32_t>(pointers.longValueMaps.at(i).first);
        out.put<std::uint32_t>(pointers.longValueMaps.at(i).second);
    }
    out.put<std::uint16_t>(0xFFFF);

    qToLittleEndian(static_cast<std::uint32_t>(out.data.size()), out.data.data() + 8);
    return out.data;
}

} // namespace mkmdb
