// The sample database the build makes from samples/shop.json.
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

using ombrix::test::DatabaseSnapshot;
using ombrix::test::IndexSnapshot;
using ombrix::test::ObjectSnapshot;
using ombrix::test::readWithLibmdb;

namespace {

IndexSnapshot primaryKey(const DatabaseSnapshot& db, const QString& table) {
    for (const IndexSnapshot& index : db.table(table)->indexes)
        if (index.primary)
            return index;
    return {};
}

} // namespace

TEST(SampleDatabase, HasTheShopTablesKeysAndQueries) {
    const DatabaseSnapshot db = readWithLibmdb(QStringLiteral(OMBRIX_SAMPLE_DATABASE));
    ASSERT_TRUE(db.opened) << OMBRIX_SAMPLE_DATABASE;
    for (const char* table : {"Customers", "Products", "Orders", "Order Details"})
        ASSERT_NE(db.table(QString::fromLatin1(table)), nullptr) << table;
    EXPECT_EQ(primaryKey(db, "Orders").name, "PrimaryKey");
    EXPECT_EQ(primaryKey(db, "Orders").columns, QStringList{"OrderID"});
    EXPECT_EQ(primaryKey(db, "Order Details").name, "PrimaryKey");
    EXPECT_EQ(primaryKey(db, "Order Details").columns, QStringList({"OrderID", "ProductID"}));
    EXPECT_FALSE(db.table("Orders")->rows.empty());

    QStringList queries;
    for (const ObjectSnapshot& o : db.objects)
        if (o.type == 5)
            queries << QStringLiteral("%1:%2").arg(o.name).arg(o.flags);
    EXPECT_EQ(queries, QStringList({"Big orders:0", "Raise prices:48", "~sq_fOrders:3"}));
}
