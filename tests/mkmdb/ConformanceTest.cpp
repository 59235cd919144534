// What Access writes, we write: header fields, system tables with their columns and indexes, and
// the catalogue rows of a new database, compared with real Access 2000 files.
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using testsupport::TemporaryDatabase;

const QString accessQueries = QStringLiteral(OMBRIX_CONFORMANCE_DIR "/queryTestV2000.mdb");
const QString accessWithPassword =
    QStringLiteral(OMBRIX_CONFORMANCE_DIR "/V2000_with-password.mdb");

const QStringList systemTables{"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships",
                               "MSysAccessObjects"};

class Conformance : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(accessQueries) || !QFile::exists(accessWithPassword))
            GTEST_SKIP() << "the Access reference files are not in " << OMBRIX_CONFORMANCE_DIR;
    }
};

// Catalogue rows that Access itself creates in every new database (user objects and the
// AccessLayout document written later by the Access UI left out).
std::vector<ObjectSnapshot> newDatabaseObjects(const DatabaseSnapshot& db) {
    std::vector<ObjectSnapshot> objects;
    for (const ObjectSnapshot& o : db.objects)
        if ((o.type != 1 && o.type != 5 && o.name != QLatin1String("AccessLayout")) ||
            systemTables.contains(o.name))
            objects.push_back(o);
    return objects;
}

} // namespace

// The header page keeps its fields in a block scrambled with one fixed key stream, the same in
// every file: equal plain bytes are equal scrambled bytes, so the raw bytes are compared.
TEST_F(Conformance, HeaderFieldsMatchAnAccess2000File) {
    const TemporaryDatabase ours(R"({})");
    const auto page = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
    };
    const QByteArray mine = page(ours.path());
    const QByteArray access = page(accessWithPassword);
    ASSERT_EQ(access.size(), 4096);
    // page type, engine name, version, code page, encryption key, sort order, trailer
    for (const auto& [at, length] :
         {std::pair{0, 1}, {4, 15}, {0x14, 1}, {0x3C, 2}, {0x3E, 4}, {0x6E, 4}, {0x98, 8}}) {
        EXPECT_EQ(mine.mid(at, length).toHex(), access.mid(at, length).toHex()) << at;
    }
}

TEST_F(Conformance, SystemTablesHaveTheColumnsAndIndexesAccessGivesThem) {
    const TemporaryDatabase ours(
        R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}]}]})");
    const DatabaseSnapshot mine = readWithLibmdb(ours.path());
    const DatabaseSnapshot access = readWithLibmdb(accessQueries);
    for (const QString& name : systemTables) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NE(mine.table(name), nullptr);
        ASSERT_NE(access.table(name), nullptr);
        EXPECT_EQ(mine.table(name)->columns, access.table(name)->columns);
        EXPECT_EQ(mine.table(name)->indexes, access.table(name)->indexes);
    }
}

TEST_F(Conformance, CatalogueOfANewDatabaseMatchesAccess) {
    const TemporaryDatabase ours(
        R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}]}]})");
    const std::vector<ObjectSnapshot> mine = newDatabaseObjects(readWithLibmdb(ours.path()));
    const std::vector<ObjectSnapshot> access = newDatabaseObjects(readWithLibmdb(accessQueries));
    ASSERT_EQ(mine.size(), access.size());
    for (std::size_t i = 0; i < mine.size(); ++i) {
        SCOPED_TRACE(access[i].name.toStdString());
        EXPECT_EQ(mine[i].name, access[i].name); // same physical order
        EXPECT_EQ(mine[i].parentId, access[i].parentId);
        EXPECT_EQ(mine[i].type, access[i].type);
        EXPECT_EQ(mine[i].flags, access[i].flags);
        // Table ids are TDEF pages; Access placed MSysAccessObjects elsewhere.
        if (mine[i].name != QLatin1String("MSysAccessObjects")) {
            EXPECT_EQ(mine[i].id, access[i].id);
        }
    }
}

namespace {

// A system table's definition page with the parts that depend on where things landed in the file
// (page pointers, row counts) and the bytes Access leaves uninitialised blanked out.
QByteArray comparableTdef(const QString& path, std::int32_t page) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64{page} * 4096))
        return {};
    QByteArray tdef = file.read(4096);
    const auto u16 = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(tdef.constData() + at);
    };
    const auto u32 = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(tdef.constData() + at);
    };
    const auto blank = [&](qsizetype at, qsizetype length) {
        tdef.replace(at, length, QByteArray(length, '\0'));
    };
    const qsizetype columns = u16(45);
    const qsizetype logical = u32(47);
    const qsizetype physical = u32(51);
    blank(16, 4); // rows
    blank(55, 8); // usage maps
    qsizetype at = 63;
    for (qsizetype i = 0; i < physical; ++i, at += 12)
        blank(at + 4, 4); // rows in the index
    for (qsizetype i = 0; i < columns; ++i, at += 25)
        if ((tdef[at + 15] & 0x01) == 0)
            blank(at + 21, 2); // a variable column's fixed offset
    for (qsizetype i = 0; i < columns; ++i)
        at += 2 + u16(at);
    for (qsizetype i = 0; i < physical; ++i, at += 52) {
        for (qsizetype slot = at + 4; slot < at + 34; slot += 3)
            if (u16(slot) == 0xFFFF)
                blank(slot + 2, 1); // the order byte of an unused key slot
        blank(at + 34, 12);         // usage map, root page, unused bytes
    }
    at += 28 * logical;
    for (qsizetype i = 0; i < logical; ++i)
        at += 2 + u16(at);
    for (; u16(at) != 0xFFFF; at += 10)
        blank(at + 2, 8); // long-value usage maps
    return tdef.left(at + 2);
}

} // namespace

TEST_F(Conformance, SystemTableDefinitionsAreByteForByteThoseOfAccess) {
    const TemporaryDatabase ours(R"({})");
    const DatabaseSnapshot mine = readWithLibmdb(ours.path());
    const DatabaseSnapshot access = readWithLibmdb(accessQueries);
    const auto pageOf = [](const DatabaseSnapshot& db, const QString& name) {
        for (const ObjectSnapshot& o : db.objects)
            if (o.name == name)
                return o.id;
        return -1;
    };
    for (const QString& name :
         {QStringLiteral("MSysObjects"), QStringLiteral("MSysACEs"), QStringLiteral("MSysQueries"),
          QStringLiteral("MSysRelationships")}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray ourTdef = comparableTdef(ours.path(), pageOf(mine, name));
        const QByteArray accessTdef = comparableTdef(accessQueries, pageOf(access, name));
        ASSERT_FALSE(accessTdef.isEmpty());
        EXPECT_EQ(ourTdef.toHex().toStdString(), accessTdef.toHex().toStdString());
    }
}

TEST_F(Conformance, AUserTableDefinitionIsByteForByteThatOfAccess) {
    // V2000_with-password.mdb's Table1: an AutoNumber key and a 255-character text.
    const TemporaryDatabase ours(R"({"tables": [{"name": "Table1",
        "columns": [{"name": "ID", "type": "long", "autonumber": true}, {"name": "Data", "type": "text"}],
        "indexes": [{"name": "PrimaryKey", "columns": ["ID"], "primary": true}],
        "rows": [[1, "One"], [2, "Two"], [3, "Three"]]}]})");
    const DatabaseSnapshot mine = readWithLibmdb(ours.path());
    const auto table1 = [](const DatabaseSnapshot& db) {
        for (const ObjectSnapshot& o : db.objects)
            if (o.name == QLatin1String("Table1"))
                return o.id;
        return -1;
    };
    const QByteArray accessTdef =
        comparableTdef(accessWithPassword, table1(readWithLibmdb(accessWithPassword)));
    ASSERT_FALSE(accessTdef.isEmpty());
    EXPECT_EQ(comparableTdef(ours.path(), table1(mine)).toHex().toStdString(),
              accessTdef.toHex().toStdString());
    EXPECT_EQ(mine.table(QStringLiteral("Table1"))->rows,
              readWithLibmdb(accessWithPassword).table(QStringLiteral("Table1"))->rows);
}

} // namespace ombrix::tests
