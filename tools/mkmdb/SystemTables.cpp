#include "SystemTables.h"

#include "FieldEncoding.h"
#include "JetText.h"

#include <QtEndian>
#include <limits>

namespace mkmdb {
namespace {

constexpr std::uint8_t systemFixed = 0x13;
constexpr std::uint8_t systemVariable = 0x12;
constexpr std::uint8_t systemBinary = 0x32;

// Catalogue ids Access gives the containers and objects of a new database.
constexpr std::int32_t rootId = 0x0F000000;
constexpr std::int32_t tablesId = 0x0F000001;
constexpr std::int32_t databasesId = 0x0F000002;
constexpr std::int32_t relationshipsId = 0x0F000003;
constexpr std::int32_t msysDbId = 0x10000000;
constexpr std::int32_t firstDocumentId = std::numeric_limits<std::int32_t>::min(); // 0x80000000

constexpr std::int16_t tableType = 1;
constexpr std::int16_t databaseType = 2;
constexpr std::int16_t containerType = 3;
constexpr std::int16_t odbcLinkType = 4;
constexpr std::int16_t queryType = 5;
constexpr std::int16_t linkType = 6;
constexpr std::int16_t relationshipType = 8;
constexpr std::int16_t databaseDocumentType = -32757;

constexpr std::int32_t systemObjectFlag = std::numeric_limits<std::int32_t>::min(); // 0x80000000
constexpr std::int32_t accessSystemFlag = 0x02;
constexpr std::int32_t hiddenFlag = 0x08;
// Flags Access gave linked tables in the files examined.
constexpr std::int32_t linkFlags = 0x00200000;
constexpr std::int32_t odbcLinkFlags = 0x20100000;

constexpr std::uint8_t queryStart = 0;
constexpr std::uint8_t queryEnd = 255;

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
                    {column("Id", ColumnType::Long, systemFixed),
                     column("ParentId", ColumnType::Long, systemFixed),
                     column("Name", ColumnType::Text, systemVariable, 255),
                     column("Type", ColumnType::Integer, systemFixed),
                     column("DateCreate", ColumnType::DateTime, systemFixed),
                     column("DateUpdate", ColumnType::DateTime, systemFixed),
                     column("Owner", ColumnType::Binary, systemBinary, 510),
                     column("Flags", ColumnType::Long, systemFixed),
                     column("Database", ColumnType::Memo, systemVariable),
                     column("Connect", ColumnType::Memo, systemVariable),
                     column("ForeignName", ColumnType::Text, systemVariable, 255),
                     column("RmtInfoShort", ColumnType::Binary, systemVariable, 510),
                     column("RmtInfoLong", ColumnType::Ole, systemVariable),
                     column("Lv", ColumnType::Ole, systemVariable),
                     column("LvProp", ColumnType::Ole, systemVariable),
                     column("LvModule", ColumnType::Ole, systemVariable),
                     column("LvExtra", ColumnType::Ole, systemVariable)},
                    {index("ParentIdName", {1, 2}, false, 0x01), index("Id", {0}, true, 0x01)}));
    tables.push_back(systemTable("MSysACEs",
                                 {column("ObjectId", ColumnType::Long, systemFixed),
                                  column("SID", ColumnType::Binary, systemBinary, 510),
                                  column("ACM", ColumnType::Long, systemFixed),
                                  column("FInheritable", ColumnType::Boolean, systemFixed)},
                                 {index("ObjectId", {0}, false, 0x08)}));
    tables.push_back(systemTable("MSysQueries",
                                 {column("ObjectId", ColumnType::Long, systemFixed),
                                  column("Attribute", ColumnType::Byte, systemFixed),
                                  column("Order", ColumnType::Binary, systemVariable, 510),
                                  column("Name1", ColumnType::Text, systemVariable, 255),
                                  column("Name2", ColumnType::Text, systemVariable, 255),
                                  column("Expression", ColumnType::Memo, systemVariable),
                                  column("Flag", ColumnType::Integer, systemFixed),
                                  column("LvExtra", ColumnType::Long, systemFixed)},
                                 {index("ObjectIdAttribute", {0, 1, 2}, true, 0x01)}));
    tables.push_back(
        systemTable("MSysRelationships",
                    {column("szRelationship", ColumnType::Text, systemVariable, 255),
                     column("grbit", ColumnType::Long, systemFixed),
                     column("ccolumn", ColumnType::Long, systemFixed),
                     column("icolumn", ColumnType::Long, systemFixed),
                     column("szObject", ColumnType::Text, systemVariable, 255),
                     column("szColumn", ColumnType::Text, systemVariable, 255),
                     column("szReferencedObject", ColumnType::Text, systemVariable, 255),
                     column("szReferencedColumn", ColumnType::Text, systemVariable, 255)},
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
    return firstDocumentId + 8 + static_cast<std::int32_t>(position);
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
        {tablesId, rootId, QStringLiteral("Tables"), containerType, systemObjectFlag, engineOwner},
        {databasesId, rootId, QStringLiteral("Databases"), containerType, systemObjectFlag,
         engineOwner},
        {relationshipsId, rootId, QStringLiteral("Relationships"), containerType, systemObjectFlag,
         engineOwner},
        {msysDbId, databasesId, QStringLiteral("MSysDb"), databaseType, systemObjectFlag,
         adminOwner},
    };
    for (qsizetype i = 0; i < systemNames.size(); ++i) {
        const bool accessTable = systemNames[i] == QLatin1String("MSysAccessObjects");
        objects.push_back({static_cast<std::int32_t>(systemTablePages[static_cast<std::size_t>(i)]),
                           tablesId, systemNames[i], tableType,
                           accessTable ? accessSystemFlag : systemObjectFlag,
                           accessTable ? adminOwner : engineOwner});
    }
    std::int32_t documentId = firstDocumentId;
    for (const char* name : {"SummaryInfo", "UserDefined"})
        objects.push_back({documentId++, databasesId, QString::fromLatin1(name),
                           databaseDocumentType, 0, adminOwner});
    for (const char* name : {"Forms", "Reports", "Scripts", "Modules", "SysRel", "DataAccessPages"})
        objects.push_back(
            {documentId++, rootId, QString::fromLatin1(name), containerType, 0, adminOwner});
    for (std::size_t i = 0; i < database.tables.size(); ++i)
        objects.push_back({static_cast<std::int32_t>(userTablePages[i]), tablesId,
                           database.tables[i].name, tableType,
                           database.tables[i].hidden ? hiddenFlag : 0, adminOwner});
    for (std::size_t i = 0; i < database.links.size(); ++i) {
        const LinkDescription& link = database.links[i];
        const bool odbc = !link.connect.isEmpty();
        objects.push_back({linkObjectId(i), tablesId, link.name, odbc ? odbcLinkType : linkType,
                           odbc ? odbcLinkFlags : linkFlags, adminOwner, link.database,
                           link.connect, link.foreignName});
    }
    for (std::size_t i = 0; i < database.queries.size(); ++i)
        objects.push_back({queryObjectId(database, i), tablesId, database.queries[i].name,
                           queryType, database.queries[i].objectFlags, adminOwner});

    for (std::size_t i = 0; i < database.relationships.size(); ++i)
        objects.push_back({queryObjectId(database, database.queries.size() + i), relationshipsId,
                           database.relationships[i].name, relationshipType, 0, adminOwner});

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
        rows.push_back(queryRow(id, QueryRow{queryStart, {}, {}, {}, std::int16_t{0}}, 1));
        std::uint32_t order = 0;
        std::uint8_t attribute = queryStart;
        for (const QueryRow& row : database.queries[q].rows) {
            order = row.attribute == attribute ? order + 1 : 1;
            attribute = row.attribute;
            rows.push_back(queryRow(id, row, order));
        }
        rows.push_back(queryRow(id, QueryRow{queryEnd, {}, {}, {}, {}}, 1));
    }
    return rows;
}

} // namespace mkmdb
