#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
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
    int type = 0; // DAO field type code (1 Boolean ... 23 Time stamp)
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
};

} // namespace ombrix::core
