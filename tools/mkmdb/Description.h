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
    int precision = 18; // decimal only
    int scale = 0;      // decimal only
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

struct DatabaseDescription {
    QString password;
    double created = 0; // OLE date of creation; also the password mask's source
    std::vector<TableDescription> tables;
    std::vector<QueryDescription> queries;
};

// Throws DescriptionError with a one-line message naming the faulty part.
DatabaseDescription parseDescription(const QByteArray& json);

} // namespace mkmdb
