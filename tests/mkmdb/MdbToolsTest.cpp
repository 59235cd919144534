// The mdbtools programs read mkmdb's files as they read Access's.
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using ombrix::testsupport::TemporaryDatabase;

namespace {

const char* const shop = R"json({"tables": [
  {"name": "Customers", "columns": [{"name": "CustomerID", "type": "long", "autonumber": true},
     {"name": "Company Name", "type": "text", "size": 40}, {"name": "Since", "type": "datetime"},
     {"name": "Balance", "type": "currency"}, {"name": "Active", "type": "boolean"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["CustomerID"], "primary": true}],
   "rows": [[null, "Ännchen & Co", "2020-02-29T08:30:00", "1234.5", true],
            [null, "Blue \"Sky\", Ltd", null, null, false]]},
  {"name": "Order Details", "columns": [{"name": "OrderID", "type": "long"},
     {"name": "ProductID", "type": "long"}, {"name": "Quantity", "type": "integer"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["OrderID", "ProductID"], "primary": true}],
   "rows": [[1, 7, 12]]}],
 "queries": [{"name": "Big orders", "type": "select", "inputs": [{"table": "Order Details", "alias": "d"}],
     "outputs": ["d.OrderID", {"expression": "d.Quantity", "alias": "Qty"}], "where": "d.Quantity > 10"}]})json";

class MdbTools : public testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"mdb-tables", "mdb-schema", "mdb-export", "mdb-queries"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                GTEST_SKIP() << program << " is not installed (scripts/setup installs mdbtools)";
    }

    QString run(const QString& program, QStringList arguments) {
        arguments.replace(arguments.indexOf(QStringLiteral("DB")), database.path());
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    TemporaryDatabase database{shop};
};

} // namespace

TEST_F(MdbTools, TablesListsUserTablesInCreationOrderAndSystemTablesWithS) {
    EXPECT_EQ(run("mdb-tables", {"-1", "DB"}), "Customers\nOrder Details\n");
    EXPECT_EQ(run("mdb-tables", {"-1", "-S", "DB"}),
              "MSysObjects\nMSysACEs\nMSysQueries\nMSysRelationships\nMSysAccessObjects\n"
              "Customers\nOrder Details\n");
}

TEST_F(MdbTools, ExportGivesEveryRow) {
    EXPECT_EQ(run("mdb-export", {"DB", "Customers"}),
              "CustomerID,Company Name,Since,Balance,Active\n"
              "1,\"Ännchen & Co\",\"02/29/20 08:30:00\",1234.5000,1\n"
              "2,\"Blue \"\"Sky\"\", Ltd\",,,0\n");
    EXPECT_EQ(run("mdb-export", {"DB", "Order Details"}), "OrderID,ProductID,Quantity\n1,7,12\n");
}

TEST_F(MdbTools, SchemaShowsColumnsAutonumberAndPrimaryKeys) {
    QStringList statements;
    for (const QString& line : run("mdb-schema", {"DB", "postgres"}).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("--")))
            statements << line;
    EXPECT_EQ(statements.join(QLatin1Char('\n')),
              "SET client_encoding = 'UTF-8';\n"
              "CREATE TABLE IF NOT EXISTS \"customers\"\n (\n"
              "\t\"customerid\"\t\t\tSERIAL, \n"
              "\t\"company name\"\t\t\tVARCHAR (40), \n"
              "\t\"since\"\t\t\tTIMESTAMP WITHOUT TIME ZONE, \n"
              "\t\"balance\"\t\t\tNUMERIC(15,2), \n"
              "\t\"active\"\t\t\tBOOLEAN NOT NULL\n);\n"
              "ALTER TABLE \"customers\" ADD CONSTRAINT \"customers_pkey\" PRIMARY KEY "
              "(\"customerid\");\n"
              "CREATE TABLE IF NOT EXISTS \"order details\"\n (\n"
              "\t\"orderid\"\t\t\tINTEGER, \n"
              "\t\"productid\"\t\t\tINTEGER, \n"
              "\t\"quantity\"\t\t\tINTEGER\n);\n"
              "ALTER TABLE \"order details\" ADD CONSTRAINT \"order details_pkey\" PRIMARY KEY "
              "(\"orderid\", \"productid\");");
}

TEST_F(MdbTools, QueriesListsAndRebuildsTheSelect) {
    EXPECT_EQ(run("mdb-queries", {"-1", "DB"}), "Big orders\n");
    EXPECT_EQ(run("mdb-queries", {"DB", "Big orders"}),
              "SELECT d.OrderID,d.Quantity FROM [Order Details] WHERE d.Quantity > 10 \n");
}
