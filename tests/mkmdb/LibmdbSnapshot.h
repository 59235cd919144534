#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// Everything libmdb 1.0.0 reports about a database, copied into plain values, for comparing a
// file with its description.
namespace ombrix::tests {

struct ColumnSnapshot {
    QString name;
    int type = 0;
    int size = 0;
    bool fixed = false;
    bool autoLong = false;
    bool autoGuid = false;
    int libmdbScale = 0;      // libmdb's col_scale: the precision (its names are swapped)
    int libmdbPrecision = 0;  // libmdb's col_prec: the scale
    int ordinal = 0;          // libmdb's row_col_num: the display position
    int descriptorFlags = -1; // the raw flag byte, when the descriptor is on the first TDEF page
    bool operator==(const ColumnSnapshot&) const = default;
};

struct IndexSnapshot {
    QString name;
    QStringList columns;
    bool primary = false;
    int flags = 0; // without the 0x80 Jet 4 sets on every index
    bool operator==(const IndexSnapshot&) const = default;
};

struct TableSnapshot {
    QString name;
    std::vector<ColumnSnapshot> columns; // libmdb's order: creation order
    std::vector<IndexSnapshot> indexes;
    std::vector<QStringList> rows; // libmdb's text for each value; dates ISO 8601, OLE in hex
    long rowCountInTdef = 0;
};

struct ObjectSnapshot {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    QString name;
    int type = 0;
    std::int32_t flags = 0;
    QString database;
    QString connect;
    QString foreignName;
};

struct QueryRowSnapshot {
    std::int32_t objectId = 0;
    int attribute = 0;
    QByteArray order; // raw bytes: libmdb's text for them is empty
    QString name1;
    QString name2;
    QString expression;
    QString flag; // empty when null
};

struct DatabaseSnapshot {
    bool opened = false;
    std::vector<ObjectSnapshot> objects; // MSysObjects in physical order
    std::vector<TableSnapshot> tables;   // every catalogue entry of type table, system ones too
    std::vector<QueryRowSnapshot> queryRows;
    const TableSnapshot* table(const QString& name) const;
};

// Reads the whole database through the libmdb C API, one table at a time as libmdb requires.
DatabaseSnapshot readWithLibmdb(const QString& path, std::size_t bindSize = 16384);

} // namespace ombrix::tests
