#include "reader/TableDefinition.h"

#include "core/EngineErrors.h"
#include "reader/IndexKeySlots.h"
#include "reader/Text.h"

namespace ombrix::reader {

namespace {

struct Layout {
    int numColumns;
    int numIndexes;
    int numRealIndexes;
    int columnsStart;
    int realIndexEntry;
    int columnEntry;
    int columnNumber;
    int columnOrdinal;
    int columnFlags;
    int physicalIndexEntry;
    int physicalKeysStart;
    int logicalIndexEntry;
    int logicalPhysicalNumber;
    int logicalKind;
    int nameLengthBytes;
};

constexpr Layout kJet3{25, 27, 31, 43, 8, 18, 1, 5, 13, 39, 0, 20, 4, 19, 1};
constexpr Layout kJet4{45, 47, 51, 63, 12, 25, 5, 9, 15, 52, 4, 28, 8, 23, 2};

// A bounds-checked reader over the definition's bytes.
class Cursor {
public:
    Cursor(std::string_view bytes, const std::string& path) : bytes_(bytes), path_(path) {}

    void seek(std::ptrdiff_t at) {
        require(at, 0);
        position_ = at;
    }
    void skip(std::ptrdiff_t length) { seek(position_ + length); }
    std::ptrdiff_t position() const { return position_; }

    unsigned byteAt(std::ptrdiff_t at) const {
        require(at, 1);
        return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(at)]);
    }
    unsigned uint16At(std::ptrdiff_t at) const { return byteAt(at) | (byteAt(at + 1) << 8); }
    std::uint32_t uint32At(std::ptrdiff_t at) const {
        return uint16At(at) | (static_cast<std::uint32_t>(uint16At(at + 2)) << 16);
    }
    std::string_view take(std::ptrdiff_t length) {
        require(position_, length);
        const std::string_view part =
            bytes_.substr(static_cast<std::size_t>(position_), static_cast<std::size_t>(length));
        position_ += length;
        return part;
    }

private:
    void require(std::ptrdiff_t at, std::ptrdiff_t length) const {
        if (at < 0 || length < 0 || at + length > static_cast<std::ptrdiff_t>(bytes_.size())) {
            throw core::damagedTableDefinition(path_);
        }
    }

    std::string_view bytes_;
    const std::string& path_;
    std::ptrdiff_t position_ = 0;
};

std::string readName(Cursor& cursor, const Layout& layout, const DatabaseHeader& header) {
    const std::ptrdiff_t at = cursor.position();
    const unsigned length = layout.nameLengthBytes == 1 ? cursor.byteAt(at) : cursor.uint16At(at);
    cursor.skip(layout.nameLengthBytes);
    const std::string_view raw = cursor.take(length);
    if (header.format == JetFormat::Jet3) {
        return fromCodePage(raw, header.codePage);
    }
    return fromUtf16Le(raw);
}

} // namespace

TableDefinition parseTableDefinition(std::string_view bytes, const DatabaseHeader& header,
                                     const std::string& path) {
    const Layout& layout = header.format == JetFormat::Jet3 ? kJet3 : kJet4;
    Cursor cursor(bytes, path);
    if (cursor.byteAt(0) != 0x02) {
        throw core::damagedTableDefinition(path);
    }
    const unsigned numColumns = cursor.uint16At(layout.numColumns);
    const std::uint32_t numIndexes = cursor.uint32At(layout.numIndexes);
    const std::uint32_t numRealIndexes = cursor.uint32At(layout.numRealIndexes);
    // Each entry takes bytes, so counts beyond the definition's size are damage, not big tables.
    if (numIndexes > static_cast<std::uint32_t>(bytes.size()) ||
        numRealIndexes > static_cast<std::uint32_t>(bytes.size())) {
        throw core::damagedTableDefinition(path);
    }

    TableDefinition table;
    cursor.seek(layout.columnsStart + std::ptrdiff_t{numRealIndexes} * layout.realIndexEntry);
    for (unsigned i = 0; i < numColumns; ++i) {
        const std::ptrdiff_t at = cursor.position();
        ColumnDescriptor column;
        column.storageType = static_cast<int>(cursor.byteAt(at));
        column.number = static_cast<int>(cursor.uint16At(at + layout.columnNumber));
        column.ordinal = static_cast<int>(cursor.uint16At(at + layout.columnOrdinal));
        column.flags = static_cast<int>(cursor.byteAt(at + layout.columnFlags));
        cursor.skip(layout.columnEntry);
        table.columns.push_back(column);
    }
    for (auto& column : table.columns) {
        column.name = readName(cursor, layout, header);
    }

    std::vector<std::vector<int>> physicalKeys;
    for (std::uint32_t i = 0; i < numRealIndexes; ++i) {
        const std::ptrdiff_t at = cursor.position() + layout.physicalKeysStart;
        std::vector<int> keys;
        for (int k = 0; k < kIndexKeySlots; ++k) {
            const unsigned number = cursor.uint16At(at + 3 * k);
            if (number != kUnusedKeySlot) {
                keys.push_back(static_cast<int>(number));
            }
        }
        physicalKeys.push_back(std::move(keys));
        cursor.skip(layout.physicalIndexEntry);
    }
    for (std::uint32_t i = 0; i < numIndexes; ++i) {
        const std::ptrdiff_t at = cursor.position();
        IndexDescriptor index;
        index.kind = static_cast<int>(cursor.byteAt(at + layout.logicalKind));
        const std::uint32_t physical = cursor.uint32At(at + layout.logicalPhysicalNumber);
        if (physical >= numRealIndexes) {
            throw core::damagedTableDefinition(path);
        }
        index.keyColumnNumbers = physicalKeys[physical];
        cursor.skip(layout.logicalIndexEntry);
        table.indexes.push_back(std::move(index));
    }
    for (auto& index : table.indexes) {
        index.name = readName(cursor, layout, header);
    }
    return table;
}

} // namespace ombrix::reader
