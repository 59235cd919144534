#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The parsed and checked form of a JSON description. Row values are already encoded as Jet 4
// stores them, so that everything after parsing only lays out bytes.
namespace mkmdb {

// Storage type bytes of Jet 4 column descriptors.
enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Guid = 0x0F,
    Decimal = 0x10,
    AccessObjectData = 0x11, // only in MSysAccessObjects
};

struct ColumnDescription {
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0; // characters for text, bytes for binary; ignored otherwise
    bool autonumber = false;
    bool hyperlink = false;     // memo only
    std::optional<int> ordinal; // display position; default: the column's position
    int precision = 18;         // decimal only
    int scale = 0;              // decimal only
};

struct IndexDescription {
    QString name;
    std::vector<int> columns; // positions in the table's column list
    bool primary = false;
    bool unique = false;
    bool ignoreNulls = false;
    bool required = false;
};

// nullopt is a null value; a boolean holds one byte, 0 or 1; memo and OLE hold the whole long
// value, text and memo already in Jet's (possibly compressed) Unicode form.
using FieldValue = std::optional<QByteArray>;
using RowValues = std::vector<FieldValue>;

struct TableDescription {
    QString name;
    std::vector<ColumnDescription> columns;
    std::vector<IndexDescription> indexes;
    std::vector<RowValues> rows;
    std::int32_t lastAutonumber = 0;
    bool hidden = false;
    // Indexes created and deleted before these: logical index numbers then no longer match the
    // physical ones, as in Access files whose indexes were edited.
    std::uint32_t deletedIndexes = 0;
};

// A table linked from another database (Type 6) or through ODBC (Type 4): only a catalogue row.
struct LinkDescription {
    QString name;
    QString database; // the source file, for a linked Jet table
    QString connect;  // the ODBC connect string, for an ODBC table
    QString foreignName;
};

// One MSysQueries row, without the ObjectId and Order that the writer fills in.
struct QueryRow {
    std::uint8_t attribute = 0;
    std::optional<QString> name1;
    std::optional<QString> name2;
    std::optional<QString> expression;
    std::optional<std::int16_t> flag;
};

struct QueryDescription {
    QString name;
    std::int32_t objectFlags = 0; // MSysObjects.Flags: the query type plus hidden bits
    std::vector<QueryRow> rows;   // in attribute order, without the start and end markers
};

// A relationship between two local tables: the "one" side (table, columns: a unique index) and
// the "many" side (foreignTable, foreignColumns). Enforced ones also get indexes on both sides.
struct RelationshipDescription {
    QString name;
    std::size_t table = 0; // positions in DatabaseDescription::tables
    std::vector<int> columns;
    std::size_t foreignTable = 0;
    std::vector<int> foreignColumns;
    bool enforce = true;
    bool cascadeUpdates = false;
    bool cascadeDeletes = false;
};

struct DatabaseDescription {
    QString password;
    double created = 0; // OLE date of creation; also the password mask's source
    std::vector<TableDescription> tables;
    std::vector<LinkDescription> links;
    std::vector<QueryDescription> queries;
    std::vector<RelationshipDescription> relationships;
};

// Throws DescriptionError with a one-line message naming the faulty part.
DatabaseDescription parseDescription(const QByteArray& json);

} // namespace mkmdb
