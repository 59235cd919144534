#include "SystemTables.h"

#include "FieldEncoding.h"
#include "JetText.h"
#include "reader/SystemTableCodes.h"

#include <QtEndian>
#include <limits>

namespace mkmdb {
namespace {

constexpr std::uint8_t kSystemFixed = 0x13;
constexpr std::uint8_t kSystemVariable = 0x12;
constexpr std::uint8_t kSystemBinary = 0x32;

// Catalogue ids Access gives the containers and objects of a new database.
constexpr std::int32_t kRootId = 0x0F000000;
constexpr std::int32_t kTablesId = 0x0F000001;
constexpr std::int32_t kDatabasesId = 0x0F000002;
constexpr std::int32_t kRelationshipsId = 0x0F000003;
constexpr std::int32_t kMsysDbId = 0x10000000;
constexpr std::int32_t kFirstDocumentId = std::numeric_limits<std::int32_t>::min(); // 0x80000000

using ombrix::reader::MSysObjectType;

constexpr std::int32_t kSystemObjectFlag = std::numeric_limits<std::int32_t>::min(); // 0x80000000
constexpr std::int32_t kAccessSystemFlag = 0x02;
constexpr std::int32_t kHiddenFlag = 0x08;
// Flags Access gave linked tables in the files examined.
constexpr std::int32_t kLinkFlags = 0x00200000;
constexpr std::int32_t kOdbcLinkFlags = 0x20100000;

constexpr std::uint8_t kQueryStart = 0;
constexpr std::uint8_t kQueryEnd = 255;

// Owner SIDs as Access stores them: the engine's for what Jet creates, the admin's otherwise.
const QByteArray engineOwner("\xC8\x9C", 2);
const QByteArray adminOwner("\xC9\x9E", 2);

ColumnLayout column(const char* name, ColumnType type, std::uint8_t flags, int size = 0) {
    ColumnLayout layout;
    layout.description.name = QString::fromLatin1(name);
    layout.description.type = type;
    layout.description.size = size;
    layout.flags = flags;
    layout.fixed = (flags & 0x01) != 0;
    return layout;
}

IndexDescription index(const char* name, std::vector<int> columns, bool primary,
                       std::uint8_t flags) {
    IndexDescription result;
    result.name = QString::fromLatin1(name);
    result.columns = std::move(columns);
    result.primary = primary;
    result.unique = (flags & 0x01) != 0;
    result.ignoreNulls = (flags & 0x02) != 0;
    result.required = (flags & 0x08) != 0;
    return result;
}

TableLayout systemTable(const char* name, std::vector<ColumnLayout> columns,
                        std::vector<IndexDescription> indexes) {
    TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.tableType = 0x53;
    layout.descriptorsByName = true;
    layout.columns = std::move(columns);
    layout.indexes = std::move(indexes);
    return makeLayout(std::move(layout));
}

QByteArray systemText(const QString& text) {
    return ucs2(text);
}

struct CatalogObject {
    std::int32_t id;
    std::int32_t parentId;
    QString name;
    std::int16_t type;
    std::int32_t flags;
    QByteArray owner;
    QString database = {};    // linked Jet tables: the source file
    QString connect = {};     // ODBC tables: the connect string
    QString foreignName = {}; // linked tables: the name in the source
};

RowValues objectRow(const CatalogObject& object, double created) {
    RowValues row(17);
    row[0] = int32Bytes(object.id);
    row[1] = int32Bytes(object.parentId);
    row[2] = systemText(object.name);
    row[3] = int16Bytes(object.type);
    row[4] = doubleBytes(created);
    row[5] = doubleBytes(created);
    row[6] = object.owner;
    row[7] = int32Bytes(object.flags);
    if (!object.database.isEmpty())
        row[8] = systemText(object.database);
    if (!object.connect.isEmpty())
        row[9] = systemText(object.connect);
    if (!object.foreignName.isEmpty())
        row[10] = systemText(object.foreignName);
    return row;
}

std::optional<QByteArray> optionalText(const std::optional<QString>& text) {
    return text ? std::optional(systemText(*text)) : std::nullopt;
}

RowValues queryRow(std::int32_t objectId, const QueryRow& query, std::uint32_t order) {
    RowValues row(8);
    row[0] = int32Bytes(objectId);
    row[1] = QByteArray(1, static_cast<char>(query.attribute));
    QByteArray orderBytes(4, '\0');
    qToBigEndian(order, orderBytes.data()); // a big-endian sequence number sorts as bytes
    row[2] = orderBytes;
    row[3] = optionalText(query.name1);
    row[4] = optionalText(query.name2);
    row[5] = optionalText(query.expression);
    if (query.flag)
        row[6] = int16Bytes(*query.flag);
    return row;
}

} // namespace

QStringList systemTableNames() {
    return {QStringLiteral("MSysObjects"), QStringLiteral("MSysACEs"),
            QStringLiteral("MSysQueries"), QStringLiteral("MSysRelationships"),
            QStringLiteral("MSysAccessObjects")};
}

std::vector<TableLayout> systemTableLayouts() {
    std::vector<TableLayout> tables;
    tables.push_back(
        systemTable("MSysObjects",
                    {column("Id", ColumnType::Long, kSystemFixed),
                     column("ParentId", ColumnType::Long, kSystemFixed),
                     column("Name", ColumnType::Text, kSystemVariable, 255),
                     column("Type", ColumnType::Integer, kSystemFixed),
                     column("DateCreate", ColumnType::DateTime, kSystemFixed),
                     column("DateUpdate", ColumnType::DateTime, kSystemFixed),
                     column("Owner", ColumnType::Binary, kSystemBinary, 510),
                     column("Flags", ColumnType::Long, kSystemFixed),
                     column("Database", ColumnType::Memo, kSystemVariable),
                     column("Connect", ColumnType::Memo, kSystemVariable),
                     column("ForeignName", ColumnType::Text, kSystemVariable, 255),
                     column("RmtInfoShort", ColumnType::Binary, kSystemVariable, 510),
                     column("RmtInfoLong", ColumnType::Ole, kSystemVariable),
                     column("Lv", ColumnType::Ole, kSystemVariable),
                     column("LvProp", ColumnType::Ole, kSystemVariable),
                     column("LvModule", ColumnType::Ole, kSystemVariable),
                     column("LvExtra", ColumnType::Ole, kSystemVariable)},
                    {index("ParentIdName", {1, 2}, false, 0x01), index("Id", {0}, true, 0x01)}));
    tables.push_back(systemTable("MSysACEs",
                                 {column("ObjectId", ColumnType::Long, kSystemFixed),
                                  column("SID", ColumnType::Binary, kSystemBinary, 510),
                                  column("ACM", ColumnType::Long, kSystemFixed),
                                  column("FInheritable", ColumnType::Boolean, kSystemFixed)},
                                 {index("ObjectId", {0}, false, 0x08)}));
    tables.push_back(systemTable("MSysQueries",
                                 {column("ObjectId", ColumnType::Long, kSystemFixed),
                                  column("Attribute", ColumnType::Byte, kSystemFixed),
                                  column("Order", ColumnType::Binary, kSystemVariable, 510),
                                  column("Name1", ColumnType::Text, kSystemVariable, 255),
                                  column("Name2", ColumnType::Text, kSystemVariable, 255),
                                  column("Expression", ColumnType::Memo, kSystemVariable),
                                  column("Flag", ColumnType::Integer, kSystemFixed),
                                  column("LvExtra", ColumnType::Long, kSystemFixed)},
                                 {index("ObjectIdAttribute", {0, 1, 2}, true, 0x01)}));
    tables.push_back(
        systemTable("MSysRelationships",
                    {column("szRelationship", ColumnType::Text, kSystemVariable, 255),
                     column("grbit", ColumnType::Long, kSystemFixed),
                     column("ccolumn", ColumnType::Long, kSystemFixed),
                     column("icolumn", ColumnType::Long, kSystemFixed),
                     column("szObject", ColumnType::Text, kSystemVariable, 255),
                     column("szColumn", ColumnType::Text, kSystemVariable, 255),
                     column("szReferencedObject", ColumnType::Text, kSystemVariable, 255),
                     column("szReferencedColumn", ColumnType::Text, kSystemVariable, 255)},
                    {index("szRelationship", {0}, false, 0x02), index("szObject", {4}, false, 0x02),
                     index("szReferencedObject", {6}, false, 0x02)}));

    // Access's own table: an ordinary (non-system) TDEF whose ID column is, oddly, variable.
    TableLayout accessObjects;
    accessObjects.name = QStringLiteral("MSysAccessObjects");
    accessObjects.columns = {column("Data", ColumnType::AccessObjectData, 0x03),
                             column("ID", ColumnType::Long, 0x02)};
    accessObjects.indexes = {index("AOIndex", {1}, true, 0x09)};
    tables.push_back(makeLayout(std::move(accessObjects)));
    return tables;
}

namespace {

// Links, queries and then relationships are numbered after the two database documents and six
// containers.
std::int32_t linkObjectId(std::size_t position) {
    return kFirstDocumentId + 8 + static_cast<std::int32_t>(position);
}

std::int32_t queryObjectId(const DatabaseDescription& database, std::size_t position) {
    return linkObjectId(database.links.size() + position);
}

} // namespace

std::vector<RowValues> catalogRows(const std::vector<std::uint32_t>& systemTablePages,
                                   const std::vector<std::uint32_t>& userTablePages,
                                   const DatabaseDescription& database) {
    const QStringList systemNames = systemTableNames();
    std::vector<CatalogObject> objects{
        {kTablesId, kRootId, QStringLiteral("Tables"), MSysObjectType::kContainer,
         kSystemObjectFlag, engineOwner},
        {kDatabasesId, kRootId, QStringLiteral("Databases"), MSysObjectType::kContainer,
         kSystemObjectFlag, engineOwner},
        {kRelationshipsId, kRootId, QStringLiteral("Relationships"), MSysObjectType::kContainer,
         kSystemObjectFlag, engineOwner},
        {kMsysDbId, kDatabasesId, QStringLiteral("MSysDb"), MSysObjectType::kDatabase,
         kSystemObjectFlag, adminOwner},
    };
    for (qsizetype i = 0; i < systemNames.size(); ++i) {
        const bool accessTable = systemNames[i] == QLatin1String("MSysAccessObjects");
        objects.push_back({static_cast<std::int32_t>(systemTablePages[static_cast<std::size_t>(i)]),
                           kTablesId, systemNames[i], MSysObjectType::kLocalTable,
                           accessTable ? kAccessSystemFlag : kSystemObjectFlag,
                           accessTable ? adminOwner : engineOwner});
    }
    std::int32_t documentId = kFirstDocumentId;
    for (const char* name : {"SummaryInfo", "UserDefined"})
        objects.push_back({documentId++, kDatabasesId, QString::fromLatin1(name),
                           MSysObjectType::kDatabaseDocument, 0, adminOwner});
    for (const char* name : {"Forms", "Reports", "Scripts", "Modules", "SysRel", "DataAccessPages"})
        objects.push_back({documentId++, kRootId, QString::fromLatin1(name),
                           MSysObjectType::kContainer, 0, adminOwner});
    for (std::size_t i = 0; i < database.tables.size(); ++i)
        objects.push_back({static_cast<std::int32_t>(userTablePages[i]), kTablesId,
                           database.tables[i].name, MSysObjectType::kLocalTable,
                           database.tables[i].hidden ? kHiddenFlag : 0, adminOwner});
    for (std::size_t i = 0; i < database.links.size(); ++i) {
        const LinkDescription& link = database.links[i];
        const bool odbc = !link.connect.isEmpty();
        objects.push_back({linkObjectId(i), kTablesId, link.name,
                           odbc ? MSysObjectType::kOdbcTable : MSysObjectType::kLinkedTable,
                           odbc ? kOdbcLinkFlags : kLinkFlags, adminOwner, link.database,
                           link.connect, link.foreignName});
    }
    for (std::size_t i = 0; i < database.queries.size(); ++i)
        objects.push_back({queryObjectId(database, i), kTablesId, database.queries[i].name,
                           MSysObjectType::kQuery, database.queries[i].objectFlags, adminOwner});

    for (std::size_t i = 0; i < database.relationships.size(); ++i)
        objects.push_back({queryObjectId(database, database.queries.size() + i), kRelationshipsId,
                           database.relationships[i].name, MSysObjectType::kRelationship, 0,
                           adminOwner});

    std::vector<RowValues> rows;
    rows.reserve(objects.size());
    for (const CatalogObject& object : objects)
        rows.push_back(objectRow(object, database.created));
    return rows;
}

std::vector<RowValues> queryRows(const DatabaseDescription& database) {
    std::vector<RowValues> rows;
    for (std::size_t q = 0; q < database.queries.size(); ++q) {
        const std::int32_t id = queryObjectId(database, q);
        rows.push_back(queryRow(id, QueryRow{kQueryStart, {}, {}, {}, std::int16_t{0}}, 1));
        std::uint32_t order = 0;
        std::uint8_t attribute = kQueryStart;
        for (const QueryRow& row : database.queries[q].rows) {
            order = row.attribute == attribute ? order + 1 : 1;
            attribute = row.attribute;
            rows.push_back(queryRow(id, row, order));
        }
        rows.push_back(queryRow(id, QueryRow{kQueryEnd, {}, {}, {}, {}}, 1));
    }
    return rows;
}

} // namespace mkmdb
