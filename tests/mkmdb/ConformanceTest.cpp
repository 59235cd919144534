// What Access writes, we write: header fields, system tables with their columns and indexes, and
// the catalogue rows of a new database, compared with real Access 2000 files.
#include "HeaderFields.h"
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using ombrix::test::DatabaseSnapshot;
using ombrix::test::HeaderFields;
using ombrix::test::ObjectSnapshot;
using ombrix::test::readHeaderFields;
using ombrix::test::readWithLibmdb;
using ombrix::testsupport::TemporaryDatabase;

namespace {

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

TEST_F(Conformance, HeaderFieldsMatchAnAccess2000File) {
    const TemporaryDatabase ours(R"({"password": "password"})");
    const HeaderFields mine = readHeaderFields(ours.path());
    const HeaderFields access = readHeaderFields(accessWithPassword);
    EXPECT_EQ(mine.pageType, access.pageType);
    EXPECT_EQ(mine.engine, access.engine);
    EXPECT_EQ(mine.version, access.version);
    EXPECT_EQ(mine.codePage, access.codePage);
    EXPECT_EQ(mine.encryptionKey, access.encryptionKey);
    EXPECT_EQ(mine.sortOrder, access.sortOrder);
    EXPECT_EQ(mine.trailer, access.trailer);
    EXPECT_EQ(access.password, "password");
    EXPECT_EQ(mine.password, "password");
}

TEST_F(Conformance, WithoutPasswordTheFieldHoldsTheMaskAsInAccessFiles) {
    const TemporaryDatabase ours(R"({"created": "2022-01-01T16:20:00"})");
    const HeaderFields mine = readHeaderFields(ours.path());
    const HeaderFields access = readHeaderFields(accessQueries);
    EXPECT_EQ(access.password, "");
    EXPECT_EQ(mine.password, "");
    EXPECT_NE(mine.rawPassword, QByteArray(40, '\0'));
    EXPECT_EQ(mine.rawPassword.left(4),
              QByteArray::fromHex("12ae0000")); // 44562 days, little endian
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

TEST_F(Conformance, UserObjectsFollowInCreationOrderUnderTheTablesContainer) {
    const TemporaryDatabase ours(R"({"tables": [
        {"name": "Zebra", "columns": [{"name": "A", "type": "long"}]},
        {"name": "alpha", "columns": [{"name": "A", "type": "long"}]}],
      "queries": [{"name": "Query b", "type": "select"}, {"name": "Query A", "type": "select"}]})");
    const DatabaseSnapshot mine = readWithLibmdb(ours.path());
    QStringList userObjects;
    for (const ObjectSnapshot& o : mine.objects)
        if (o.parentId == 0x0F000001 && !systemTables.contains(o.name))
            userObjects << o.name;
    EXPECT_EQ(userObjects, QStringList({"Zebra", "alpha", "Query b", "Query A"}));
}
