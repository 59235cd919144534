#include "reader/MdbCatalogue.h"

#include "core/CatalogueItems.h"
#include "core/EngineErrors.h"
#include "reader/DaoTypes.h"
#include "reader/DatabaseFile.h"
#include "reader/MdbDatabase.h"
#include "reader/NameCollation.h"
#include "reader/QueryFields.h"
#include "reader/SystemTableCodes.h"
#include "reader/TableDefinition.h"
#include "reader/Text.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace ombrix::reader {

namespace {

constexpr std::uint32_t kQueryTypeBits = 0xF0;
constexpr int kMaxLinkDepth = 8;

using core::DatabaseObjects;
using core::FieldDef;
using core::IndexDef;
using core::ObjectDefinition;
using core::ObjectKind;

std::optional<int> complexTypeOfTemplate(std::string_view templateName) {
    static const std::unordered_map<std::string_view, int> codes{
        {"Attachment", dbAttachment},    {"UnsignedByte", dbComplexByte},
        {"Short", dbComplexInteger},     {"Long", dbComplexLong},
        {"IEEESingle", dbComplexSingle}, {"IEEEDouble", dbComplexDouble},
        {"GUID", dbComplexGUID},         {"Decimal", dbComplexDecimal},
        {"Text", dbComplexText}};
    constexpr std::string_view kPrefix = "MSysComplexType_";
    if (!templateName.starts_with(kPrefix)) {
        return std::nullopt;
    }
    const auto it = codes.find(templateName.substr(kPrefix.size()));
    return it == codes.end() ? std::nullopt : std::optional<int>(it->second);
}

// A value of a connect string such as ";PWD=secret;DATABASE=x".
std::string connectValue(std::string_view connect, std::string_view key) {
    while (true) {
        const std::size_t end = connect.find(';');
        const std::string_view part = connect.substr(0, end);
        const std::size_t equals = part.find('=');
        if (equalsIgnoringCase(trimmed(part.substr(0, equals)), key)) {
            return equals == std::string_view::npos ? std::string()
                                                    : std::string(part.substr(equals + 1));
        }
        if (end == std::string_view::npos) {
            return {};
        }
        connect.remove_prefix(end + 1);
    }
}

// One opened database and what has been read of it so far.
class OpenDatabase final : public QueryInputs {
public:
    // Listing needs the names in order; describing needs one object, found by name, and the
    // link columns of the catalogue; inspecting needs both.
    enum class Purpose { List, Describe, Inspect };

    OpenDatabase(const std::string& path, DatabaseHeader header, const std::string& password,
                 Purpose purpose, int linkDepth = 0)
        : path_(path), header_(std::move(header)), collation_(header_.sortOrder),
          linkDepth_(linkDepth) {
        const std::optional<OfficeDecryptor> decryptor = verifyPassword(header_, password, path);
        database_.emplace(path, header_, decryptor ? &*decryptor : nullptr);
        rows_ = database_->readCatalogue(purpose == Purpose::List ? CatalogueColumns::Names
                                                                  : CatalogueColumns::WithLinks);
        const auto container = std::find_if(rows_.begin(), rows_.end(), [](const auto& row) {
            return row.type == MSysObjectType::kContainer && row.name == "Tables";
        });
        if (container == rows_.end()) {
            throw core::unrecognizedFormat(path, "The catalogue is damaged.");
        }
        for (const CatalogueRow& row : rows_) {
            if (row.parentId != container->id) {
                continue;
            }
            if (row.type == MSysObjectType::kLocalTable || row.type == MSysObjectType::kOdbcTable ||
                row.type == MSysObjectType::kLinkedTable) {
                tables_.push_back(&row);
            } else if (row.type == MSysObjectType::kQuery) {
                queries_.push_back(&row);
            }
        }
        // Describing looks up a few names, so it keys only the rows that match one (see find).
        if (purpose != Purpose::Describe) {
            sortByName(tables_);
            sortByName(queries_);
        }
    }

    // Each name's key is worked out once; the sort moves pointers, not keys.
    void sortByName(std::vector<const CatalogueRow*>& rows) const {
        std::vector<NameCollation::Key> keys;
        keys.reserve(rows.size());
        for (const CatalogueRow* row : rows) {
            keys.push_back(collation_.key(row->name));
        }
        std::vector<std::pair<const NameCollation::Key*, const CatalogueRow*>> order;
        order.reserve(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            order.emplace_back(&keys[i], rows[i]);
        }
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return NameCollation::compare(*a.first, *b.first) < 0;
        });
        for (std::size_t i = 0; i < order.size(); ++i) {
            rows[i] = order[i].second;
        }
    }

    DatabaseObjects objects() const {
        DatabaseObjects objects;
        objects.tables.reserve(tables_.size());
        for (const CatalogueRow* row : tables_) {
            objects.tables.push_back({row->name});
        }
        objects.queries.reserve(queries_.size());
        for (const CatalogueRow* row : queries_) {
            objects.queries.push_back({row->name, static_cast<int>(row->flags & kQueryTypeBits)});
        }
        return objects;
    }

    ObjectDefinition describe(ObjectKind kind, const std::string& name) {
        return definition(kind, named(kind, name));
    }

    // The shape of every saved query, and the facts of the object given or of every object of
    // the wizard's object list.
    core::DatabaseInspection::Catalogue inspect(const std::optional<core::ObjectName>& object) {
        core::DatabaseInspection::Catalogue inspection;
        const auto savedQueryNamed = [this](const std::string& input) {
            const CatalogueRow* query = find(tables_, input) ? nullptr : find(queries_, input);
            return query ? std::optional<std::string>(query->name) : std::nullopt;
        };
        for (const CatalogueRow* query : queries_) {
            inspection.queries.push_back(queryShape(savedQuery(*query), savedQueryNamed));
        }
        std::vector<core::ObjectName> names;
        if (object) {
            names.push_back(*object);
        } else {
            for (const std::string& item : core::objectListItems(objects())) {
                names.push_back(core::splitObjectItem(item));
            }
        }
        for (const core::ObjectName& name : names) {
            const CatalogueRow& row = named(name.kind, name.name);
            core::ObjectFacts facts{
                .kind = name.kind, .name = row.name, .link = link(row), .definition = {}};
            try {
                facts.definition = definition(name.kind, row);
            } catch (const core::EngineError& error) {
                facts.definition = error;
            }
            inspection.objects.push_back(std::move(facts));
        }
        return inspection;
    }

    std::optional<std::vector<FieldDef>> tableFields(const std::string& name) override {
        const CatalogueRow* table = find(tables_, name);
        if (table == nullptr) {
            return std::nullopt;
        }
        return tableDefinition(*table).fields;
    }

    std::optional<SavedQuery> query(const std::string& name) override {
        const CatalogueRow* query = find(queries_, name);
        if (query == nullptr) {
            return std::nullopt;
        }
        return savedQuery(*query);
    }

private:
    const CatalogueRow& named(ObjectKind kind, const std::string& name) const {
        const CatalogueRow* row = find(kind == ObjectKind::Table ? tables_ : queries_, name);
        if (row == nullptr) {
            throw core::itemNotFound();
        }
        return *row;
    }

    ObjectDefinition definition(ObjectKind kind, const CatalogueRow& row) {
        if (kind == ObjectKind::Table) {
            return tableDefinition(row);
        }
        return {deriveQueryFields(savedQuery(row), *this), {}};
    }

    static std::optional<core::TableLink> link(const CatalogueRow& row) {
        if (row.type == MSysObjectType::kLinkedTable) {
            return core::TableLink{.odbc = false,
                                   .source = row.link().database,
                                   .foreignName = row.link().foreignName};
        }
        if (row.type == MSysObjectType::kOdbcTable) {
            return core::TableLink{.odbc = true,
                                   .source = connectValue(row.link().connect, "DSN"),
                                   .foreignName = row.link().foreignName};
        }
        return std::nullopt;
    }

    // The engine answers a lookup with the first of the equal names in name order: the matching
    // row that sorts first, the earliest in the catalogue among equal keys.
    const CatalogueRow* find(const std::vector<const CatalogueRow*>& rows,
                             const std::string& name) const {
        const std::string key = caseFolded(name);
        const CatalogueRow* found = nullptr;
        std::optional<NameCollation::Key> foundKey;
        for (const CatalogueRow* row : rows) {
            if (row->name != name && caseFolded(row->name) != key) {
                continue;
            }
            if (found == nullptr) {
                found = row;
                continue;
            }
            if (!foundKey) {
                foundKey = collation_.key(found->name);
            }
            NameCollation::Key rowKey = collation_.key(row->name);
            if (NameCollation::compare(rowKey, *foundKey) < 0) {
                found = row;
                foundKey = std::move(rowKey);
            }
        }
        return found;
    }

    const CatalogueRow* systemTable(std::string_view name) const {
        const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const CatalogueRow& row) {
            return row.type == MSysObjectType::kLocalTable && row.name == name;
        });
        return it == rows_.end() ? nullptr : &*it;
    }

    SavedQuery savedQuery(const CatalogueRow& query) {
        if (!queryRows_) {
            queryRows_.emplace();
            if (const CatalogueRow* table = systemTable("MSysQueries")) {
                for (QueryRow& row : database_->readQueries(table->id)) {
                    (*queryRows_)[row.objectId].push_back(std::move(row));
                }
            }
        }
        const auto rows = queryRows_->find(query.id);
        return {query.name, static_cast<int>(query.flags & kQueryTypeBits),
                rows == queryRows_->end() ? std::vector<QueryRow>() : rows->second};
    }

    ObjectDefinition tableDefinition(const CatalogueRow& table) {
        if (table.type == MSysObjectType::kOdbcTable) {
            throw core::odbcConnectionFailed(connectValue(table.link().connect, "DSN"));
        }
        if (table.type == MSysObjectType::kLinkedTable) {
            return linkedDefinition(table);
        }
        const TableDefinition definition =
            parseTableDefinition(database_->readTableDefinition(table.id), header_, path_);
        // Columns in display order; names break ties, each name's key worked out once.
        std::vector<std::pair<const ColumnDescriptor*, NameCollation::Key>> columns;
        columns.reserve(definition.columns.size());
        for (const ColumnDescriptor& column : definition.columns) {
            columns.emplace_back(&column, collation_.key(column.name));
        }
        std::stable_sort(columns.begin(), columns.end(), [](const auto& a, const auto& b) {
            return a.first->ordinal != b.first->ordinal
                       ? a.first->ordinal < b.first->ordinal
                       : NameCollation::compare(a.second, b.second) < 0;
        });
        ObjectDefinition result;
        result.fields.reserve(columns.size());
        for (const auto& [column, key] : columns) {
            const auto type = daoTypeOfStorage(column->storageType);
            if (!type) {
                throw core::damagedTableDefinition(path_);
            }
            result.fields.push_back(
                {.name = column->name,
                 .type = column->storageType == kComplexStorageType
                             ? complexType(table, column->name)
                             : *type,
                 .autoNumber = isAutoNumber(column->storageType, column->flags)});
        }
        for (const IndexDescriptor& index : definition.indexes) {
            IndexDef def{index.name, {}};
            for (const int number : index.keyColumnNumbers) {
                const auto column = std::find_if(
                    definition.columns.begin(), definition.columns.end(),
                    [number](const ColumnDescriptor& c) { return c.number == number; });
                if (column == definition.columns.end()) {
                    throw core::damagedTableDefinition(path_);
                }
                def.fields.push_back(column->name);
            }
            result.indexes.push_back(std::move(def));
        }
        return result;
    }

    // DAO opens the source database of a linked table when its fields are asked for.
    ObjectDefinition linkedDefinition(const CatalogueRow& table) const {
        namespace fs = std::filesystem;
        std::string written = table.link().database;
        std::replace(written.begin(), written.end(), '\\', '/');
        std::error_code error;
        fs::path source(written);
        if (source.is_relative()) {
            source = fs::absolute(path_, error).lexically_normal().parent_path() / source;
        }
        if (!fs::is_regular_file(source, error)) {
            const bool folderExists = fs::is_directory(
                fs::absolute(source, error).lexically_normal().parent_path(), error);
            throw folderExists ? core::fileNotFound(table.link().database)
                               : core::invalidPath(table.link().database);
        }
        if (linkDepth_ >= kMaxLinkDepth) {
            throw core::circularReference(table.name);
        }
        OpenDatabase linked(source.string(), readDatabaseHeader(source.string()),
                            connectValue(table.link().connect, "PWD"), Purpose::Describe,
                            linkDepth_ + 1);
        return linked.describe(ObjectKind::Table, table.link().foreignName);
    }

    int complexType(const CatalogueRow& table, const std::string& column) {
        if (!complexColumns_) {
            const CatalogueRow* system = systemTable("MSysComplexColumns");
            complexColumns_ = system != nullptr ? database_->readComplexColumns(system->id)
                                                : std::vector<ComplexColumnRow>{};
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

    std::string path_;
    DatabaseHeader header_;
    NameCollation collation_;
    int linkDepth_;
    std::optional<MdbDatabase> database_;
    std::deque<CatalogueRow> rows_;
    std::vector<const CatalogueRow*> tables_; // into rows_
    std::vector<const CatalogueRow*> queries_;
    std::optional<std::unordered_map<std::int32_t, std::vector<QueryRow>>> queryRows_;
    std::optional<std::vector<ComplexColumnRow>> complexColumns_;
};

} // namespace

DatabaseObjects MdbCatalogue::listObjects(const std::string& path, const std::string& password) {
    return OpenDatabase(path, readDatabaseHeader(path), password, OpenDatabase::Purpose::List)
        .objects();
}

ObjectDefinition MdbCatalogue::describeObject(const std::string& path, const std::string& password,
                                              ObjectKind kind, const std::string& name) {
    return OpenDatabase(path, readDatabaseHeader(path), password, OpenDatabase::Purpose::Describe)
        .describe(kind, name);
}

core::DatabaseInspection
MdbCatalogue::inspectDatabase(const std::string& path, const std::string& password,
                              const std::optional<core::ObjectName>& object) {
    DatabaseHeader header = readDatabaseHeader(path);
    core::DatabaseInspection inspection{.database = databaseFacts(header), .catalogue = {}};
    std::optional<OpenDatabase> database;
    try {
        database.emplace(path, std::move(header), password, OpenDatabase::Purpose::Inspect);
    } catch (const core::EngineError& error) {
        // What the header tells is worth reporting even without the password.
        if (error.number() != core::kNotValidPassword) {
            throw;
        }
        return inspection;
    }
    inspection.catalogue = database->inspect(object);
    return inspection;
}

} // namespace ombrix::reader
