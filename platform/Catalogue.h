#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace ombrix::platform {

// A failure of the database engine or of the reader, as DAO would number it (3031: the database
// password is missing or wrong).
class EngineError : public std::runtime_error {
public:
    EngineError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}
    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }

private:
    int number_;
    QString description_;
};

struct TableDef {
    QString name;
};

struct QueryDef {
    QString name;
    int type = 0; // DAO QueryDef.Type: 0 select, 16 crosstab, 32 delete, ...
};

// The database's TableDefs and QueryDefs, each in DAO's enumeration order, unfiltered.
struct DatabaseObjects {
    QList<TableDef> tables;
    QList<QueryDef> queries;
};

struct FieldDef {
    QString name;
    int type = 0; // DAO field type code (1 Boolean ... 23 Time stamp)
};

struct IndexDef {
    QString name;
    QStringList fields; // in key order
};

enum class ObjectKind { Table, Query };

// One table's or query's Fields in DAO order; a table's Indexes too (a query has none).
struct ObjectDefinition {
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
};

// Reads an Access database's catalogue. Each call opens the database anew and releases it before
// returning; nothing stays open between calls. An empty password opens without one. Failures
// throw EngineError.
class Catalogue {
public:
    virtual ~Catalogue() = default;
    virtual DatabaseObjects listObjects(const QString& path, const QString& password) = 0;
    virtual ObjectDefinition describeObject(const QString& path, const QString& password,
                                            ObjectKind kind, const QString& name) = 0;
};

} // namespace ombrix::platform
