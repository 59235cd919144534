#pragma once

#include "DatabaseFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

namespace ombrix::platform {

// One row of MSysObjects, the catalogue of every object in the database.
struct CatalogueRow {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    QString name;
    int type = 0;
    std::uint32_t flags = 0;
    QString database;    // linked tables: the source file
    QString connect;     // linked tables: the connect string
    QString foreignName; // linked tables: the source table
};

// One row of MSysQueries, a piece of a saved query's definition.
struct QueryRow {
    std::int32_t objectId = 0;
    int attribute = 0;
    QByteArray order; // big-endian sequence number within (objectId, attribute)
    QString name1;
    QString name2;
    QString expression;
    int flag = 0;
};

// One row of MSysComplexColumns (ACE multi-value and attachment columns).
struct ComplexColumnRow {
    QString columnName;
    std::int32_t complexTypeObjectId = 0;
    std::int32_t conceptualTableId = 0;
};

// An open database, read through libmdb. Owns the libmdb handle; reads whole system tables into
// plain values so that no libmdb pointer outlives a call (libmdb shares one page buffer per
// handle, and interleaved reads of two tables corrupt each other).
class MdbDatabase {
public:
    MdbDatabase(const QString& path, const DatabaseHeader& header);
    ~MdbDatabase();
    MdbDatabase(const MdbDatabase&) = delete;
    MdbDatabase& operator=(const MdbDatabase&) = delete;

    QList<CatalogueRow> readCatalogue();
    QList<QueryRow> readQueries(std::int32_t msysQueriesPage);
    QList<ComplexColumnRow> readComplexColumns(std::int32_t msysComplexColumnsPage);
    // The bytes of the table definition starting at the page: first page whole, continuation
    // pages from byte 8 on.
    QByteArray readTableDefinition(std::int32_t page);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    QString path_;
};

} // namespace ombrix::platform
