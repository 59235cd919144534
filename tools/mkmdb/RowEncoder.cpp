#include "RowEncoder.h"

#include "Mkmdb.h"

#include <QtEndian>

namespace mkmdb {
namespace {

// Long values up to this size stay in the row, like Access's small memos.
constexpr qsizetype kMaxInlineLongValue = 64;
// Larger values up to this size take one row of a long-value page; beyond it, a chain of pages.
constexpr qsizetype kMaxSinglePageLongValue = DataPageWriter::kMaxRowSize;

constexpr std::uint32_t kInlineBit = 0x80000000;
constexpr std::uint32_t kSinglePageBit = 0x40000000;

template <typename T>
void append(QByteArray& bytes, T value) {
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof(T));
}

// The 12-byte long-value header, followed by the value itself when it stays inline.
QByteArray longValue(const QByteArray& value, DataPageWriter& pages) {
    QByteArray field;
    const auto length = static_cast<std::uint32_t>(value.size());
    if (value.size() <= kMaxInlineLongValue) {
        append(field, length | kInlineBit);
        append<std::uint32_t>(field, 0);
        append<std::uint32_t>(field, 0);
        field.append(value);
        return field;
    }
    if (value.size() <= kMaxSinglePageLongValue) {
        append(field, length | kSinglePageBit);
        append(field, pages.add(value));
        append<std::uint32_t>(field, 0);
        return field;
    }
    // Each page of the chain holds a pointer to the next piece, then the piece; written from the
    // last piece backwards so that every pointer is known when its row is written.
    constexpr qsizetype kPiece = DataPageWriter::kMaxRowSize - 4;
    std::uint32_t next = 0;
    for (qsizetype end = value.size(); end > 0;) {
        const qsizetype start = ((end - 1) / kPiece) * kPiece;
        QByteArray row;
        append(row, next);
        row.append(value.mid(start, end - start));
        next = pages.addOnNewPage(row);
        end = start;
    }
    append(field, length);
    append(field, next);
    append<std::uint32_t>(field, 0);
    return field;
}

} // namespace

DataPageWriter& LongValuePages::forColumn(std::uint8_t number) {
    return writers_.try_emplace(number, pages_, kLvalOwner).first->second;
}

std::vector<std::uint32_t> LongValuePages::pagesOf(std::uint8_t number) const {
    const auto found = writers_.find(number);
    return found == writers_.end() ? std::vector<std::uint32_t>{} : found->second.pages();
}

QByteArray encodeRow(const TableLayout& layout, const RowValues& values,
                     LongValuePages& longValues) {
    const auto columnCount = static_cast<std::uint16_t>(layout.columns.size());
    QByteArray row;
    append(row, columnCount);
    QByteArray fixed(layout.fixedLength, '\0');
    QByteArray nullMask((columnCount + 7) / 8, '\0');
    std::vector<QByteArray> variable(layout.varCount);

    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& column = layout.columns[i];
        const FieldValue& value = values.at(i);
        const ColumnType type = column.description.type;
        // The null-mask bit is set for present values; a boolean's bit is its value.
        const bool bit =
            type == ColumnType::Boolean ? value && value->at(0) != 0 : value.has_value();
        if (bit)
            nullMask[column.number / 8] =
                static_cast<char>(nullMask[column.number / 8] | (1 << (column.number % 8)));
        if (!value || type == ColumnType::Boolean)
            continue;
        if (column.fixed) {
            fixed.replace(column.fixedOffset, value->size(), *value);
        } else {
            const bool isLong = type == ColumnType::Memo || type == ColumnType::Ole;
            variable[column.varIndex] =
                isLong ? longValue(*value, longValues.forColumn(column.number)) : *value;
        }
    }

    row.append(fixed);
    if (layout.varCount > 0) {
        std::vector<std::uint16_t> offsets;
        for (const QByteArray& data : variable) {
            offsets.push_back(static_cast<std::uint16_t>(row.size()));
            row.append(data);
        }
        append(row, static_cast<std::uint16_t>(row.size())); // end of the variable data
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it)
            append(row, *it);
        append(row, layout.varCount);
    }
    row.append(nullMask);
    if (row.size() > DataPageWriter::kMaxRowSize)
        throw DescriptionError(
            QStringLiteral("a row of table \"%1\" is larger than a page can hold")
                .arg(layout.name)
                .toStdString());
    return row;
}

} // namespace mkmdb
