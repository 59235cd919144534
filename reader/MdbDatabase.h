#pragma once

#include "reader/DatabaseFile.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace ombrix::reader {

// The link columns of a catalogue row.
struct CatalogueLink {
    std::string database;    // linked tables: the source file
    std::string connect;     // linked and ODBC tables: the connect string
    std::string foreignName; // linked tables: the source table
};

// One row of MSysObjects, the catalogue of every object in the database.
struct CatalogueRow {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::string name;
    int type = 0;
    std::uint32_t flags = 0;
    // Held apart and only when read and not empty: most rows have none, and thousands of rows
    // of empty strings cost fresh memory.
    std::unique_ptr<const CatalogueLink> linkColumns;

    const CatalogueLink& link() const {
        static const CatalogueLink none;
        return linkColumns ? *linkColumns : none;
    }
};

// What a catalogue read takes of each row: listing objects needs no link columns, whose memo
// values cost a page read each.
enum class CatalogueColumns { Names, WithLinks };

// One row of MSysQueries, a piece of a saved query's definition.
struct QueryRow {
    std::int32_t objectId = 0;
    int attribute = 0;
    std::string order; // big-endian sequence number within (objectId, attribute)
    std::string name1;
    std::string name2;
    std::string expression;
    int flag = 0;
};

// One row of MSysComplexColumns (ACE multi-value and attachment columns).
struct ComplexColumnRow {
    std::string columnName;
    std::int32_t complexTypeObjectId = 0;
    std::int32_t conceptualTableId = 0;
};

// An open database, read through libmdb. Owns the libmdb handle; reads whole system tables into
// plain values so that no libmdb pointer outlives a call (libmdb shares one page buffer per
// handle, and interleaved reads of two tables corrupt each other).
class MdbDatabase {
public:
    // An Office-encrypted file comes with its decryptor and is read from a decrypted copy in
    // memory.
    MdbDatabase(const std::string& path, const DatabaseHeader& header,
                const OfficeDecryptor* decryptor = nullptr);
    ~MdbDatabase();
    MdbDatabase(const MdbDatabase&) = delete;
    MdbDatabase& operator=(const MdbDatabase&) = delete;

    // A deque: thousands of rows, which growing a vector would copy over fresh memory.
    std::deque<CatalogueRow> readCatalogue(CatalogueColumns columns);
    std::vector<QueryRow> readQueries(std::int32_t msysQueriesPage);
    std::vector<ComplexColumnRow> readComplexColumns(std::int32_t msysComplexColumnsPage);
    // The bytes of the table definition starting at the page: first page whole, continuation
    // pages from byte 8 on.
    std::string readTableDefinition(std::int32_t page);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::string path_;
};

} // namespace ombrix::reader
