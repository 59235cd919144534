#include "TableDefinition.h"

#include <QStringDecoder>

namespace ombrix::platform {

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
    int physicalIndexEntry;
    int physicalKeysStart;
    int logicalIndexEntry;
    int logicalPhysicalNumber;
    int logicalKind;
    int nameLengthBytes;
};

constexpr Layout kJet3{25, 27, 31, 43, 8, 18, 1, 5, 39, 0, 20, 4, 19, 1};
constexpr Layout kJet4{45, 47, 51, 63, 12, 25, 5, 9, 52, 4, 28, 8, 23, 2};
constexpr int kMaxKeyColumns = 10;
constexpr int kUnusedKey = 0xFFFF;

// A bounds-checked reader over the definition's bytes.
class Cursor {
public:
    Cursor(const QByteArray& bytes, const QString& path) : bytes_(bytes), path_(path) {}

    void seek(qsizetype at) {
        require(at, 0);
        position_ = at;
    }
    void skip(qsizetype length) { seek(position_ + length); }
    qsizetype position() const { return position_; }

    unsigned byteAt(qsizetype at) const {
        require(at, 1);
        return static_cast<unsigned char>(bytes_[at]);
    }
    unsigned uint16At(qsizetype at) const { return byteAt(at) | (byteAt(at + 1) << 8); }
    std::uint32_t uint32At(qsizetype at) const {
        return uint16At(at) | (static_cast<std::uint32_t>(uint16At(at + 2)) << 16);
    }
    QByteArray take(qsizetype length) {
        require(position_, length);
        const QByteArray part = bytes_.mid(position_, length);
        position_ += length;
        return part;
    }

private:
    void require(qsizetype at, qsizetype length) const {
        if (at < 0 || length < 0 || at + length > bytes_.size()) {
            throw unrecognizedFormat(path_, QStringLiteral("A table definition is damaged."));
        }
    }

    const QByteArray& bytes_;
    const QString& path_;
    qsizetype position_ = 0;
};

QString readName(Cursor& cursor, const Layout& layout, const DatabaseHeader& header) {
    const qsizetype at = cursor.position();
    const unsigned length = layout.nameLengthBytes == 1 ? cursor.byteAt(at) : cursor.uint16At(at);
    cursor.skip(layout.nameLengthBytes);
    const QByteArray raw = cursor.take(length);
    if (header.format == JetFormat::Jet3) {
        QStringDecoder decode(codePageName(header.codePage).constData());
        return decode.isValid() ? decode(raw) : QString::fromLatin1(raw);
    }
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
}

} // namespace

TableDefinition parseTableDefinition(const QByteArray& bytes, const DatabaseHeader& header,
                                     const QString& path) {
    const Layout& layout = header.format == JetFormat::Jet3 ? kJet3 : kJet4;
    Cursor cursor(bytes, path);
    if (cursor.byteAt(0) != 0x02) {
        throw unrecognizedFormat(path, QStringLiteral("A table definition is damaged."));
    }
    const unsigned numColumns = cursor.uint16At(layout.numColumns);
    const std::uint32_t numIndexes = cursor.uint32At(layout.numIndexes);
    const std::uint32_t numRealIndexes = cursor.uint32At(layout.numRealIndexes);
    // Each entry takes bytes, so counts beyond the definition's size are damage, not big tables.
    if (numIndexes > static_cast<std::uint32_t>(bytes.size()) ||
        numRealIndexes > static_cast<std::uint32_t>(bytes.size())) {
        throw unrecognizedFormat(path, QStringLiteral("A table definition is damaged."));
    }

    TableDefinition table;
    cursor.seek(layout.columnsStart + qsizetype{numRealIndexes} * layout.realIndexEntry);
    for (unsigned i = 0; i < numColumns; ++i) {
        const qsizetype at = cursor.position();
        ColumnDescriptor column;
        column.storageType = static_cast<int>(cursor.byteAt(at));
        column.number = static_cast<int>(cursor.uint16At(at + layout.columnNumber));
        column.ordinal = static_cast<int>(cursor.uint16At(at + layout.columnOrdinal));
        cursor.skip(layout.columnEntry);
        table.columns.append(column);
    }
    for (auto& column : table.columns) {
        column.name = readName(cursor, layout, header);
    }

    QList<QList<int>> physicalKeys;
    for (std::uint32_t i = 0; i < numRealIndexes; ++i) {
        const qsizetype at = cursor.position() + layout.physicalKeysStart;
        QList<int> keys;
        for (int k = 0; k < kMaxKeyColumns; ++k) {
            const unsigned number = cursor.uint16At(at + 3 * k);
            if (number != kUnusedKey) {
                keys.append(static_cast<int>(number));
            }
        }
        physicalKeys.append(keys);
        cursor.skip(layout.physicalIndexEntry);
    }
    for (std::uint32_t i = 0; i < numIndexes; ++i) {
        const qsizetype at = cursor.position();
        IndexDescriptor index;
        index.kind = static_cast<int>(cursor.byteAt(at + layout.logicalKind));
        const std::uint32_t physical = cursor.uint32At(at + layout.logicalPhysicalNumber);
        if (physical >= numRealIndexes) {
            throw unrecognizedFormat(path, QStringLiteral("A table definition is damaged."));
        }
        index.keyColumnNumbers = physicalKeys[static_cast<qsizetype>(physical)];
        cursor.skip(layout.logicalIndexEntry);
        table.indexes.append(index);
    }
    for (auto& index : table.indexes) {
        index.name = readName(cursor, layout, header);
    }
    return table;
}

} // namespace ombrix::platform
