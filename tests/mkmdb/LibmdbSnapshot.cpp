#include "LibmdbSnapshot.h"

#include <QTextStream>
#include <map>
#include <mdbtools.h>
#include <memory>

namespace ombrix::tests {
namespace {

using Handle = std::unique_ptr<MdbHandle, decltype(&mdb_close)>;
using Table = std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)>;

constexpr std::size_t kBindSize = 1 << 16;

MdbColumn* columnAt(MdbTableDef* table, unsigned i) {
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
}

// libmdb's text for an OLE value is its header; the value itself comes from mdb_ole_read_full.
QString oleHex(MdbTableDef* table, unsigned i) {
    MdbColumn* col = columnAt(table, i);
    if (col->cur_value_len == 0)
        return {};
    std::size_t size = 0;
    void* data = mdb_ole_read_full(table->entry->mdb, col, &size);
    const QByteArray bytes(static_cast<const char*>(data), static_cast<qsizetype>(size));
    free(data);
    return QString::fromLatin1(bytes.toHex());
}

// Binds every column, then calls rowRead(text of column) for each row.
template <typename RowRead>
void readRows(MdbTableDef* table, RowRead rowRead) {
    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(kBindSize));
    std::vector<int> lengths(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i)
        mdb_bind_column(table, static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        rowRead([&](unsigned i) {
            return columnAt(table, i)->col_type == MDB_OLE
                       ? oleHex(table, i)
                       : QString::fromUtf8(buffers[i].data(), lengths[i]);
        });
    }
}

void readTable(MdbCatalogEntry* entry, QTextStream& out) {
    const QString name = QString::fromUtf8(entry->object_name);
    Table table(mdb_read_table(entry), mdb_free_tabledef);
    if (!table)
        return;
    out << "table " << name << " rows " << table->num_rows << '\n';
    // The flag byte libmdb does not expose, read from the TDEF page it has just loaded.
    constexpr int kDescriptorSize = 25;
    std::map<int, int> flagsByNumber;
    const int first = 63 + static_cast<int>(table->num_real_idxs) * 12;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const int at = first + static_cast<int>(i) * kDescriptorSize;
        if (at + kDescriptorSize <= 4096)
            flagsByNumber[table->entry->mdb->pg_buf[at + 5]] = table->entry->mdb->pg_buf[at + 15];
    }
    mdb_read_columns(table.get());
    mdb_read_indices(table.get());
    QStringList columnNames;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const MdbColumn* c = columnAt(table.get(), i);
        columnNames << QString::fromUtf8(c->name);
        // libmdb's col_scale is the precision and col_prec the scale.
        out << "column " << columnNames.back() << " type " << c->col_type << " size " << c->col_size
            << " fixed " << c->is_fixed << " auto " << c->is_long_auto << c->is_uuid_auto
            << " scale " << c->col_scale << " precision " << c->col_prec << " ordinal "
            << c->row_col_num << " flags "
            << (flagsByNumber.count(c->col_num) ? flagsByNumber[c->col_num] : -1) << '\n';
    }
    for (unsigned i = 0; i < table->num_idxs; ++i) {
        const auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
        QStringList keys;
        for (unsigned k = 0; k < index->num_keys; ++k)
            keys << columnNames.at(index->key_col_num[k] - 1);
        // Without the 0x80 Jet 4 sets on every index.
        out << "index " << index->name << " primary " << (index->index_type == 1) << " flags "
            << (index->flags & 0x7F) << ": " << keys.join(QLatin1Char(',')) << '\n';
    }
    if (name.startsWith(QLatin1String("MSys")) && name != QLatin1String("MSysRelationships"))
        return;
    readRows(table.get(), [&](const auto& text) {
        QStringList row;
        for (unsigned i = 0; i < table->num_cols; ++i)
            row << text(i);
        out << "row " << row.join(QLatin1Char('|')) << '\n';
    });
}

// MSysObjects and MSysQueries read directly, for the full Id and the raw Order bytes that the
// catalogue entries and bound strings lose.
void readSystemRows(MdbCatalogEntry* entry, QTextStream& out) {
    const bool objects = qstrcmp(entry->object_name, "MSysObjects") == 0;
    Table table(mdb_read_table(entry), mdb_free_tabledef);
    if (!table)
        return;
    mdb_read_columns(table.get());
    const auto column = [&](const char* name) {
        for (unsigned i = 0; i < table->num_cols; ++i)
            if (qstrcmp(columnAt(table.get(), i)->name, name) == 0)
                return i;
        return 0U;
    };
    readRows(table.get(), [&](const auto& text) {
        const auto field = [&](const char* name) { return text(column(name)); };
        if (objects) {
            out << "object "
                << QStringList{field("Name"),    field("Id"),         field("ParentId"),
                               field("Type"),    field("Flags"),      field("Database"),
                               field("Connect"), field("ForeignName")}
                       .join(QLatin1Char('|'))
                << '\n';
            return;
        }
        const MdbColumn* order = columnAt(table.get(), column("Order"));
        out << "query row " << field("ObjectId") << ' ' << field("Attribute") << ' '
            << QByteArray(reinterpret_cast<const char*>(entry->mdb->pg_buf) +
                              order->cur_value_start,
                          order->cur_value_len)
                   .toHex()
            << ' ' << field("Name1") << '|' << field("Name2") << '|' << field("Expression") << '|'
            << field("Flag") << '\n';
    });
}

} // namespace

QStringList readWithLibmdb(const QString& path) {
    QString text;
    QTextStream out(&text);
    Handle mdb(mdb_open(path.toLocal8Bit().constData(), MDB_NOFLAGS), mdb_close);
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        return {QStringLiteral("libmdb cannot open ") + path};
    mdb_set_bind_size(mdb.get(), kBindSize);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%dT%H:%M:%S");
    // The catalogue is copied first: reading a table must not disturb the entries.
    std::vector<MdbCatalogEntry> entries;
    for (unsigned i = 0; i < mdb->num_catalog; ++i)
        entries.push_back(*static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i)));
    for (MdbCatalogEntry& entry : entries) {
        readTable(&entry, out);
        if (qstrcmp(entry.object_name, "MSysObjects") == 0 ||
            qstrcmp(entry.object_name, "MSysQueries") == 0)
            readSystemRows(&entry, out);
    }
    out.flush();
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int objectId(const QStringList& lines, const QString& name) {
    for (const QString& line : lines)
        if (line.startsWith(QStringLiteral("object %1|").arg(name)))
            return line.section(QLatin1Char('|'), 1, 1).toInt();
    return -1;
}

} // namespace ombrix::tests
