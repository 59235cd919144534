// What Access writes, we write: header fields, the catalogue rows of a new database and table
// definitions byte for byte, compared with real Access 2000 files.
#include "LibmdbSnapshot.h"
#include "support/TemporaryDatabase.h"
#include "support/TestData.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const QString accessQueries =
    QString::fromStdString(conformanceFile("queryTestV2000.mdb").string());
const QString accessWithPassword =
    QString::fromStdString(conformanceFile("V2000_with-password.mdb").string());

const QStringList systemTables{"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships",
                               "MSysAccessObjects"};

class Conformance : public testing::Test {
protected:
    void SetUp() override {
        if (!haveConformanceFiles())
            GTEST_SKIP() << "The real Access files are not at hand";
    }
};

// Catalogue rows that Access itself creates in every new database (user objects and the
// AccessLayout document written later by the Access UI left out). A table's ID is its definition
// page, and Access placed MSysAccessObjects elsewhere: its ID is left out.
QStringList newDatabaseObjects(const QStringList& lines) {
    QStringList objects;
    for (const QString& line : lines) {
        QStringList f = line.mid(7).split(QLatin1Char('|'));
        if (!line.startsWith(QLatin1String("object ")) ||
            ((f[3] == "1" || f[3] == "5" || f[0] == "AccessLayout") &&
             !systemTables.contains(f[0])))
            continue;
        if (f[0] == "MSysAccessObjects")
            f[1].clear();
        objects << f.join(QLatin1Char('|'));
    }
    return objects;
}

QByteArray pageOf(const QString& path, qint64 page) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.seek(page * 4096) ? file.read(4096)
                                                                    : QByteArray();
}

// A system table's definition page with the parts that depend on where things landed in the file
// (page pointers, row counts) and the bytes Access leaves uninitialised blanked out.
QByteArray comparableTdef(const QString& path, std::int32_t page) {
    QByteArray tdef = pageOf(path, page);
    if (tdef.size() != 4096)
        return {};
    const auto u16 = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(tdef.constData() + at);
    };
    const auto blank = [&](qsizetype at, qsizetype length) {
        tdef.replace(at, length, QByteArray(length, '\0'));
    };
    const qsizetype columns = u16(45);
    const qsizetype logical = qFromLittleEndian<quint32>(tdef.constData() + 47);
    const qsizetype physical = qFromLittleEndian<quint32>(tdef.constData() + 51);
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

// The header page keeps its fields in a block scrambled with one fixed key stream, the same in
// every file: equal plain bytes are equal scrambled bytes, so the raw bytes are compared.
TEST_F(Conformance, HeaderFieldsMatchAnAccess2000File) {
    const TemporaryDatabase ours(R"({})");
    const QByteArray mine = pageOf(ours.path(), 0);
    const QByteArray access = pageOf(accessWithPassword, 0);
    ASSERT_EQ(access.size(), 4096);
    // page type, engine name, version, code page, encryption key, sort order, trailer
    for (const auto& [at, length] :
         {std::pair{0, 1}, {4, 15}, {0x14, 1}, {0x3C, 2}, {0x3E, 4}, {0x6E, 4}, {0x98, 8}}) {
        EXPECT_EQ(mine.mid(at, length).toHex(), access.mid(at, length).toHex()) << at;
    }
}

TEST_F(Conformance, CatalogueOfANewDatabaseMatchesAccess) {
    const TemporaryDatabase ours(
        R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}]}]})");
    const QStringList mine = readWithLibmdb(ours.path());
    const QStringList access = readWithLibmdb(accessQueries);
    EXPECT_EQ(newDatabaseObjects(access).size(), 17);
    EXPECT_EQ(newDatabaseObjects(mine), newDatabaseObjects(access));
}

// The system tables of a new database, and a user table as in V2000_with-password.mdb (an
// AutoNumber key and a 255-character text).
TEST_F(Conformance, TableDefinitionsAreByteForByteThoseOfAccess) {
    const TemporaryDatabase ours(R"({"tables": [{"name": "Table1",
        "columns": [{"name": "ID", "type": "long", "autonumber": true}, {"name": "Data", "type": "text"}],
        "indexes": [{"name": "PrimaryKey", "columns": ["ID"], "primary": true}],
        "rows": [[1, "One"], [2, "Two"], [3, "Three"]]}]})");
    const QStringList mine = readWithLibmdb(ours.path());
    for (const auto& [access, table] : {std::pair{accessQueries, "MSysObjects"},
                                        {accessQueries, "MSysACEs"},
                                        {accessQueries, "MSysQueries"},
                                        {accessQueries, "MSysRelationships"},
                                        {accessWithPassword, "Table1"}}) {
        const QByteArray expected =
            comparableTdef(access, objectId(readWithLibmdb(access), QString::fromLatin1(table)));
        ASSERT_FALSE(expected.isEmpty()) << table;
        EXPECT_EQ(comparableTdef(ours.path(), objectId(mine, QString::fromLatin1(table))).toHex(),
                  expected.toHex())
            << table;
    }
    const auto rowsOfTable1 = [](const QStringList& lines) {
        QStringList rows;
        for (auto i = lines.indexOf(QStringLiteral("table Table1 rows 3")) + 1;
             i > 0 && i < lines.size() && !lines[i].startsWith(QLatin1String("table ")); ++i)
            if (lines[i].startsWith(QLatin1String("row ")))
                rows << lines[i];
        return rows;
    };
    EXPECT_EQ(rowsOfTable1(mine).size(), 3);
    EXPECT_EQ(rowsOfTable1(mine), rowsOfTable1(readWithLibmdb(accessWithPassword)));
}

} // namespace ombrix::tests
