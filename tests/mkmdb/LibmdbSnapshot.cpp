#include "LibmdbSnapshot.h"

#include <map>
#include <mdbtools.h>
#include <memory>

namespace ombrix::tests {
namespace {

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

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

TableSnapshot readTable(MdbCatalogEntry* entry, std::size_t bindSize) {
    TableSnapshot snapshot;
    snapshot.name = QString::fromUtf8(entry->object_name);
    Table table(mdb_read_table(entry));
    if (!table)
        return snapshot;
    snapshot.rowCountInTdef = table->num_rows;
    // The flag byte libmdb does not expose, read from the TDEF page it has just loaded.
    constexpr int descriptorsStart = 63;
    constexpr int descriptorSize = 25;
    std::map<int, int> flagsByNumber;
    const int first = descriptorsStart + static_cast<int>(table->num_real_idxs) * 12;
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const int at = first + static_cast<int>(i) * descriptorSize;
        if (at + descriptorSize <= 4096)
            flagsByNumber[table->entry->mdb->pg_buf[at + 5]] = table->entry->mdb->pg_buf[at + 15];
    }
    mdb_read_columns(table.get());
    mdb_read_indices(table.get());
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const MdbColumn* col = columnAt(table.get(), i);
        snapshot.columns.push_back(
            {QString::fromUtf8(col->name), col->col_type, col->col_size, col->is_fixed != 0,
             col->is_long_auto != 0, col->is_uuid_auto != 0, col->col_scale, col->col_prec,
             col->row_col_num,
             flagsByNumber.count(col->col_num) ? flagsByNumber[col->col_num] : -1});
    }
    for (unsigned i = 0; i < table->num_idxs; ++i) {
        const auto* idx = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
        IndexSnapshot index{
            QString::fromUtf8(idx->name), {}, idx->index_type == 1, idx->flags & 0x7F};
        for (unsigned k = 0; k < idx->num_keys; ++k)
            index.columns
                << snapshot.columns.at(static_cast<std::size_t>(idx->key_col_num[k] - 1)).name;
        snapshot.indexes.push_back(index);
    }

    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(bindSize));
    std::vector<int> lengths(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i)
        mdb_bind_column(table.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        QStringList row;
        for (unsigned i = 0; i < table->num_cols; ++i)
            row << (columnAt(table.get(), i)->col_type == MDB_OLE
                        ? oleHex(table.get(), i)
                        : QString::fromUtf8(buffers[i].data(), lengths[i]));
        snapshot.rows.push_back(row);
    }
    return snapshot;
}

// MSysObjects and MSysQueries read directly, for the full Id and the raw Order bytes that the
// catalogue entries and bound strings lose.
void readSystemRows(MdbHandle* mdb, MdbCatalogEntry* entry, DatabaseSnapshot& out) {
    const QString name = QString::fromUtf8(entry->object_name);
    Table table(mdb_read_table(entry));
    if (!table)
        return;
    mdb_read_columns(table.get());
    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(mdb->bind_size));
    std::vector<int> lengths(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i)
        mdb_bind_column(table.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    auto text = [&](const char* column) {
        for (unsigned i = 0; i < table->num_cols; ++i)
            if (qstrcmp(columnAt(table.get(), i)->name, column) == 0)
                return QString::fromUtf8(buffers[i].data(), lengths[i]);
        return QString();
    };
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        if (name == QLatin1String("MSysObjects")) {
            out.objects.push_back({text("Id").toInt(), text("ParentId").toInt(), text("Name"),
                                   text("Type").toInt(), text("Flags").toInt(), text("Database"),
                                   text("Connect"), text("ForeignName")});
        } else {
            const MdbColumn* order = nullptr;
            for (unsigned i = 0; i < table->num_cols; ++i)
                if (qstrcmp(columnAt(table.get(), i)->name, "Order") == 0)
                    order = columnAt(table.get(), i);
            out.queryRows.push_back(
                {text("ObjectId").toInt(), text("Attribute").toInt(),
                 QByteArray(reinterpret_cast<const char*>(mdb->pg_buf) + order->cur_value_start,
                            order->cur_value_len),
                 text("Name1"), text("Name2"), text("Expression"), text("Flag")});
        }
    }
}

} // namespace

const TableSnapshot* DatabaseSnapshot::table(const QString& name) const {
    for (const TableSnapshot& t : tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

DatabaseSnapshot readWithLibmdb(const QString& path, std::size_t bindSize) {
    DatabaseSnapshot snapshot;
    Handle mdb(mdb_open(path.toLocal8Bit().constData(), MDB_NOFLAGS));
    if (!mdb)
        return snapshot;
    mdb_set_bind_size(mdb.get(), bindSize);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%dT%H:%M:%S");
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return snapshot;
    snapshot.opened = true;
    // The catalogue is copied first: reading a table must not disturb the entries.
    std::vector<MdbCatalogEntry> entries;
    for (unsigned i = 0; i < mdb->num_catalog; ++i)
        entries.push_back(*static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i)));
    for (MdbCatalogEntry& entry : entries) {
        snapshot.tables.push_back(readTable(&entry, bindSize));
        const QString name = QString::fromUtf8(entry.object_name);
        if (name == QLatin1String("MSysObjects") || name == QLatin1String("MSysQueries"))
            readSystemRows(mdb.get(), &entry, snapshot);
    }
    return snapshot;
}

} // namespace ombrix::tests
