#include "MdbCatalogue.h"

#include "DaoTypes.h"
#include "DatabaseFile.h"
#include "MdbDatabase.h"
#include "NameCollation.h"
#include "QueryFields.h"
#include "TableDefinition.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <optional>

namespace ombrix::platform {

namespace {

// MSysObjects types.
constexpr int kLocalTable = 1;
constexpr int kContainer = 3;
constexpr int kOdbcTable = 4;
constexpr int kQuery = 5;
constexpr int kLinkedTable = 6;
constexpr std::uint32_t kQueryTypeBits = 0xF0;
constexpr int kMaxLinkDepth = 8;

EngineError itemNotFound() {
    return {3265, QStringLiteral("Item not found in this collection.")};
}

EngineError damagedDefinition(const QString& path) {
    return unrecognizedFormat(path, QStringLiteral("A table definition is damaged."));
}

std::optional<int> complexTypeOfTemplate(const QString& templateName) {
    static const QHash<QString, int> codes{
        {u"Attachment"_qs, 101}, {u"UnsignedByte"_qs, 102}, {u"Short"_qs, 103},
        {u"Long"_qs, 104},       {u"IEEESingle"_qs, 105},   {u"IEEEDouble"_qs, 106},
        {u"GUID"_qs, 107},       {u"Decimal"_qs, 108},      {u"Text"_qs, 109}};
    const QString prefix = u"MSysComplexType_"_qs;
    if (!templateName.startsWith(prefix)) {
        return std::nullopt;
    }
    const auto it = codes.find(templateName.mid(prefix.size()));
    return it == codes.end() ? std::nullopt : std::optional<int>(*it);
}

// A value of a connect string such as ";PWD=secret;DATABASE=x".
QString connectValue(const QString& connect, const QString& key) {
    for (const QString& part : connect.split(u';')) {
        if (part.section(u'=', 0, 0).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            return part.section(u'=', 1);
        }
    }
    return {};
}

// One opened database and what has been read of it so far.
class OpenDatabase final : public QueryInputs {
public:
    OpenDatabase(const QString& path, const QString& password, int linkDepth = 0)
        : path_(path), header_(readDatabaseHeader(path)), collation_(header_.sortOrder),
          linkDepth_(linkDepth) {
        if (header_.officeEncrypted) {
            throw unrecognizedFormat(path, QStringLiteral("The file is protected by Office "
                                                          "encryption, which cannot be read."));
        }
        verifyPassword(header_, password);
        database_.emplace(path, header_);
        rows_ = database_->readCatalogue();
        const auto container = std::find_if(rows_.begin(), rows_.end(), [](const auto& row) {
            return row.type == kContainer && row.name == u"Tables";
        });
        if (container == rows_.end()) {
            throw unrecognizedFormat(path, QStringLiteral("The catalogue is damaged."));
        }
        for (const CatalogueRow& row : rows_) {
            if (row.parentId != container->id) {
                continue;
            }
            if (row.type == kLocalTable || row.type == kOdbcTable || row.type == kLinkedTable) {
                tables_.append(row);
            } else if (row.type == kQuery) {
                queries_.append(row);
            }
        }
        sortByName(tables_);
        sortByName(queries_);
    }

    void sortByName(QList<CatalogueRow>& rows) const {
        QList<std::pair<NameCollation::Key, qsizetype>> keys;
        keys.reserve(rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            keys.append({collation_.key(rows[i].name), i});
        }
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            return NameCollation::compare(a.first, b.first) < 0;
        });
        QList<CatalogueRow> sorted;
        sorted.reserve(rows.size());
        for (const auto& [key, at] : keys) {
            sorted.append(rows[at]);
        }
        rows = std::move(sorted);
    }

    DatabaseObjects objects() const {
        DatabaseObjects objects;
        for (const CatalogueRow& row : tables_) {
            objects.tables.append({row.name});
        }
        for (const CatalogueRow& row : queries_) {
            objects.queries.append({row.name, static_cast<int>(row.flags & kQueryTypeBits)});
        }
        return objects;
    }

    ObjectDefinition describe(ObjectKind kind, const QString& name) {
        if (kind == ObjectKind::Table) {
            const CatalogueRow* table = find(tables_, name);
            if (table == nullptr) {
                throw itemNotFound();
            }
            return tableDefinition(*table);
        }
        const CatalogueRow* query = find(queries_, name);
        if (query == nullptr) {
            throw itemNotFound();
        }
        return {deriveQueryFields(savedQuery(*query), *this), {}};
    }

    std::optional<QList<FieldDef>> tableFields(const QString& name) override {
        const CatalogueRow* table = find(tables_, name);
        if (table == nullptr) {
            return std::nullopt;
        }
        return tableDefinition(*table).fields;
    }

    std::optional<SavedQuery> query(const QString& name) override {
        const CatalogueRow* query = find(queries_, name);
        if (query == nullptr) {
            return std::nullopt;
        }
        return savedQuery(*query);
    }

private:
    static const CatalogueRow* find(const QList<CatalogueRow>& rows, const QString& name) {
        const QString key = name.toCaseFolded();
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const CatalogueRow& row) {
            return row.name.toCaseFolded() == key;
        });
        return it == rows.end() ? nullptr : &*it;
    }

    const CatalogueRow* systemTable(const QString& name) const {
        const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const CatalogueRow& row) {
            return row.type == kLocalTable && row.name == name;
        });
        return it == rows_.end() ? nullptr : &*it;
    }

    SavedQuery savedQuery(const CatalogueRow& query) {
        if (!queryRows_) {
            queryRows_.emplace();
            if (const CatalogueRow* table = systemTable(u"MSysQueries"_qs)) {
                for (const QueryRow& row : database_->readQueries(table->id)) {
                    (*queryRows_)[row.objectId].append(row);
                }
            }
        }
        return {query.name, static_cast<int>(query.flags & kQueryTypeBits),
                queryRows_->value(query.id)};
    }

    ObjectDefinition tableDefinition(const CatalogueRow& table) {
        if (table.type == kOdbcTable) {
            throw EngineError(3151, QStringLiteral("ODBC--connection to '%1' failed.")
                                        .arg(connectValue(table.connect, u"DSN"_qs)));
        }
        if (table.type == kLinkedTable) {
            return linkedDefinition(table);
        }
        const TableDefinition definition =
            parseTableDefinition(database_->readTableDefinition(table.id), header_, path_);
        QList<ColumnDescriptor> columns = definition.columns;
        std::stable_sort(columns.begin(), columns.end(), [this](const auto& a, const auto& b) {
            return a.ordinal != b.ordinal ? a.ordinal < b.ordinal : collation_(a.name, b.name);
        });
        ObjectDefinition result;
        for (const ColumnDescriptor& column : columns) {
            const auto type = daoTypeOfStorage(column.storageType);
            if (!type) {
                throw damagedDefinition(path_);
            }
            result.fields.append({column.name, column.storageType == kComplexStorageType
                                                   ? complexType(table, column.name)
                                                   : *type});
        }
        for (const IndexDescriptor& index : definition.indexes) {
            IndexDef def{index.name, {}};
            for (const int number : index.keyColumnNumbers) {
                const auto column = std::find_if(
                    definition.columns.begin(), definition.columns.end(),
                    [number](const ColumnDescriptor& c) { return c.number == number; });
                if (column == definition.columns.end()) {
                    throw damagedDefinition(path_);
                }
                def.fields.append(column->name);
            }
            result.indexes.append(def);
        }
        return result;
    }

    // DAO opens the source database of a linked table when its fields are asked for.
    ObjectDefinition linkedDefinition(const CatalogueRow& table) const {
        QString source = table.database;
        source.replace(u'\\', u'/');
        if (QDir::isRelativePath(source)) {
            source = QFileInfo(path_).absoluteDir().absoluteFilePath(source);
        }
        if (!QFileInfo(source).isFile()) {
            const bool folderExists = QFileInfo(QFileInfo(source).absolutePath()).isDir();
            throw folderExists ? fileNotFound(table.database) : invalidPath(table.database);
        }
        if (linkDepth_ >= kMaxLinkDepth) {
            throw EngineError(3103,
                              QStringLiteral("Circular reference caused by '%1'.").arg(table.name));
        }
        OpenDatabase linked(source, connectValue(table.connect, u"PWD"_qs), linkDepth_ + 1);
        return linked.describe(ObjectKind::Table, table.foreignName);
    }

    int complexType(const CatalogueRow& table, const QString& column) {
        if (!complexColumns_) {
            const CatalogueRow* system = systemTable(u"MSysComplexColumns"_qs);
            complexColumns_ = system != nullptr ? database_->readComplexColumns(system->id)
                                                : QList<ComplexColumnRow>{};
        }
        for (const ComplexColumnRow& row : *complexColumns_) {
            if (row.conceptualTableId != table.id || row.columnName != column) {
                continue;
            }
            for (const CatalogueRow& object : rows_) {
                if (object.id == row.complexTypeObjectId) {
                    return complexTypeOfTemplate(object.name).value_or(dbAttachment);
                }
            }
        }
        return dbAttachment;
    }

    QString path_;
    DatabaseHeader header_;
    NameCollation collation_;
    int linkDepth_;
    std::optional<MdbDatabase> database_;
    QList<CatalogueRow> rows_;
    QList<CatalogueRow> tables_;
    QList<CatalogueRow> queries_;
    std::optional<QHash<std::int32_t, QList<QueryRow>>> queryRows_;
    std::optional<QList<ComplexColumnRow>> complexColumns_;
};

} // namespace

DatabaseObjects MdbCatalogue::listObjects(const QString& path, const QString& password) {
    return OpenDatabase(path, password).objects();
}

ObjectDefinition MdbCatalogue::describeObject(const QString& path, const QString& password,
                                              ObjectKind kind, const QString& name) {
    return OpenDatabase(path, password).describe(kind, name);
}

} // namespace ombrix::platform
