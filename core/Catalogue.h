#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The catalogue of an Access database as DAO presents it. Text is UTF-8.
namespace ombrix::core {

// A failure of the database engine or of the reader, as DAO would number it (3031: the database
// password is missing or wrong).
class EngineError : public std::runtime_error {
public:
    EngineError(int number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}
    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    int number_;
    std::string description_;
};

struct TableDef {
    std::string name;
    bool operator==(const TableDef&) const = default;
};

// DAO's QueryDef.Type of the kinds whose rows a query shows; the others (32 delete, 48 update,
// ...) change data or definitions.
constexpr int kSelectQuery = 0;
constexpr int kCrosstabQuery = 16;
constexpr int kUnionQuery = 128;

struct QueryDef {
    std::string name;
    int type = 0; // DAO QueryDef.Type: 0 select, 16 crosstab, 32 delete, ...
    bool operator==(const QueryDef&) const = default;
};

// The database's TableDefs and QueryDefs, each in DAO's enumeration order, unfiltered.
struct DatabaseObjects {
    std::vector<TableDef> tables;
    std::vector<QueryDef> queries;
    bool operator==(const DatabaseObjects&) const = default;
};

struct FieldDef {
    std::string name;
    int type = 0;            // a DaoType code (core/DaoType.h); a code it lacks passes through
    bool autoNumber = false; // the engine fills it in (an AutoNumber or a replication ID)
    bool operator==(const FieldDef&) const = default;
};

struct IndexDef {
    std::string name;
    std::vector<std::string> fields; // in key order
    bool operator==(const IndexDef&) const = default;
};

// The words DAO's documentation gives a field type code ("Long", "Text", "Big integer"); empty for
// a code it does not know. Several codes share a type prefix, so only the code tells them apart.
std::string_view fieldTypeName(int typeCode);

enum class ObjectKind { Table, Query };

// One table's or query's Fields in DAO order; a table's Indexes too (a query has none).
struct ObjectDefinition {
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    bool operator==(const ObjectDefinition&) const = default;
};

// The most characters of a password the engine takes: a Jet database password keeps 20, Office
// encryption hashes 255.
constexpr int kJetPasswordLength = 20;
constexpr int kOfficePasswordLength = 255;

// How the file is protected, as its header tells without the password.
enum class Encryption {
    JetRc4,           // Jet's "Encode database": every page but the first in RC4
    DatabasePassword, // a Jet database password, kept in the header
    OfficeRc4CryptoApi,
    OfficeStandard,
    OfficeAgile,
};

// What the header of the file says about it.
struct DatabaseFacts {
    int formatVersion = 1; // the header's version byte: 0 Jet 3, 1 Jet 4, 2 ACE 12 ... 6 ACE 17
    int codePage = 0;      // of the text of a Jet 3 file
    std::vector<Encryption> encryption;
    bool operator==(const DatabaseFacts&) const = default;
};

// A saved query as far as deciding whether it can be updated needs it.
struct QueryShape {
    std::string name;
    int type = 0;
    bool distinct = false; // SELECT DISTINCT
    bool totals = false;   // GROUP BY, HAVING or an aggregate function among its columns
    std::vector<std::string> inputQueries; // the saved queries it reads from
    bool operator==(const QueryShape&) const = default;
};

// Where a linked table's rows are, as its catalogue row keeps it.
struct TableLink {
    bool odbc = false;
    std::string source; // a Jet link's database path as stored; an ODBC link's data source name
    std::string foreignName; // the table's name there
    bool operator==(const TableLink&) const = default;
};

// One object of an inspection: its definition, or the engine's error when that cannot be read
// (a linked table whose source is missing, a query whose fields need running it).
struct ObjectFacts {
    ObjectKind kind = ObjectKind::Table;
    std::string name;
    std::optional<TableLink> link;
    std::variant<ObjectDefinition, EngineError> definition;
};

// Everything a deployment check reads: the header's facts, and unless the password was missing
// or wrong, every saved query's shape and the facts of the objects asked about.
struct DatabaseInspection {
    struct Catalogue {
        std::vector<QueryShape> queries;
        std::vector<ObjectFacts> objects;
    };
    DatabaseFacts database;
    std::optional<Catalogue> catalogue;
};

// An object named by kind and name.
struct ObjectName {
    ObjectKind kind = ObjectKind::Table;
    std::string name;
};

// The key's fields as the wizard finds them: for a table, the fields of the index named exactly
// "PrimaryKey" (compared with case; no other property of an index counts), in the index's order;
// none for a query or a table without such an index. The last of them is the wizard's key field.
std::vector<std::string> primaryKeyFields(ObjectKind kind, const ObjectDefinition& definition);

// Reads an Access database's catalogue. Each call opens the database anew and releases it before
// returning; nothing stays open between calls. An empty password opens without one. Failures
// throw EngineError.
class Catalogue {
public:
    virtual ~Catalogue() = default;
    virtual DatabaseObjects listObjects(const std::string& path, const std::string& password) = 0;
    virtual ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                            ObjectKind kind, const std::string& name) = 0;
    // The object given, or every object of the wizard's object list. A missing or wrong password
    // leaves the catalogue out instead of throwing 3031.
    virtual DatabaseInspection inspectDatabase(const std::string& path, const std::string& password,
                                               const std::optional<ObjectName>& object) = 0;
};

} // namespace ombrix::core
