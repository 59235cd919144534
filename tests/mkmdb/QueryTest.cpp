// Saved queries as Access stores them: an MSysObjects row of type 5 whose Flags carry the query
// type, and MSysQueries rows between the start (0) and end (255) markers, read back by libmdb.
#include "LibmdbSnapshot.h"
#include "QtPrinters.h"
#include "TemporaryDatabase.h"

#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using ombrix::test::DatabaseSnapshot;
using ombrix::test::QueryRowSnapshot;
using ombrix::test::readWithLibmdb;
using ombrix::testsupport::TemporaryDatabase;

namespace {

const char* const queries = R"json({
  "tables": [{"name": "Orders", "columns": [{"name": "OrderID", "type": "long"}]}],
  "queries": [
    {"name": "Big orders", "type": "select",
     "parameters": [{"name": "Min qty", "type": "integer"}],
     "inputs": [{"table": "Orders"}, {"table": "Order Details", "alias": "d"}],
     "outputs": ["Orders.*", {"expression": "d.Quantity", "alias": "Qty"}],
     "joins": [{"left": "Orders", "right": "d", "on": "Orders.OrderID = d.OrderID", "type": "left"}],
     "where": "d.Quantity > [Min qty]",
     "orderBy": [{"expression": "d.Quantity", "descending": true}, "Orders.OrderID"]},
    {"name": "Sales by month", "type": "crosstab",
     "inputs": [{"table": "Orders"}],
     "outputs": [{"expression": "Sum(Amount)", "alias": "Total", "crosstab": "value"},
                 {"expression": "Format(OrderDate,'mm')", "crosstab": "column"},
                 {"expression": "Customer", "crosstab": "row"}],
     "groupBy": [{"expression": "Format(OrderDate,'mm')", "crosstab": "column"},
                 {"expression": "Customer", "crosstab": "row"}]},
    {"name": "Remove old", "type": "delete", "inputs": [{"table": "Orders"}],
     "outputs": ["Orders.*"], "where": "OrderDate < #1/1/2000#"},
    {"name": "Raise prices", "type": "update", "inputs": [{"table": "Products"}],
     "outputs": [{"expression": "[UnitPrice]*1.1", "target": "Products.UnitPrice"}]},
    {"name": "Archive orders", "type": "append", "target": "Archive", "inputs": [{"table": "Orders"}],
     "outputs": [{"expression": "Orders.OrderID", "target": "ArchivedID"}]},
    {"name": "Copy orders", "type": "make-table", "target": "Orders copy", "distinct": true,
     "top": 10, "inputs": [{"table": "Orders"}], "outputs": ["Orders.*"]},
    {"name": "Add column", "type": "data-definition", "sql": "ALTER TABLE Orders ADD COLUMN Note TEXT;"},
    {"name": "Server time", "type": "pass-through", "connect": "ODBC;DSN=shop;", "sql": "SELECT GETDATE();"},
    {"name": "All names", "type": "union",
     "parts": ["SELECT Name FROM Customers", "SELECT Name FROM Suppliers"]},
    {"name": "~sq_fOrders", "type": "select", "inputs": [{"table": "Orders", "alias": "o"}],
     "outputs": ["o.*"]}
  ]})json";

// (attribute, order, name1, name2, expression, flag)
using Row = std::tuple<int, int, QString, QString, QString, QString>;

struct Expected {
    QString name;
    std::int32_t flags;
    std::vector<Row> rows;
};

const std::vector<Expected> expectations{
    {"Big orders",
     0,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "1"},
      {2, 1, "Min qty", "", "", "3"},
      {3, 1, "", "", "", "0"},
      {5, 1, "Orders", "", "", ""},
      {5, 2, "Order Details", "d", "", ""},
      {6, 1, "", "", "Orders.*", "0"},
      {6, 2, "Qty", "", "d.Quantity", "0"},
      {7, 1, "Orders", "d", "Orders.OrderID = d.OrderID", "2"},
      {8, 1, "", "", "d.Quantity > [Min qty]", ""},
      {11, 1, "D", "", "d.Quantity", ""},
      {11, 2, "", "", "Orders.OrderID", ""},
      {255, 1, "", "", "", ""}}},
    {"Sales by month",
     16,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "6"},
      {5, 1, "Orders", "", "", ""},
      {6, 1, "Total", "", "Sum(Amount)", "0"},
      {6, 2, "", "", "Format(OrderDate,'mm')", "1"},
      {6, 3, "", "", "Customer", "2"},
      {9, 1, "", "", "Format(OrderDate,'mm')", "1"},
      {9, 2, "", "", "Customer", "2"},
      {255, 1, "", "", "", ""}}},
    {"Remove old",
     32,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "5"},
      {3, 1, "", "", "", "0"},
      {5, 1, "Orders", "", "", ""},
      {6, 1, "", "", "Orders.*", "0"},
      {8, 1, "", "", "OrderDate < #1/1/2000#", ""},
      {255, 1, "", "", "", ""}}},
    {"Raise prices",
     48,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "4"},
      {3, 1, "", "", "", "0"},
      {5, 1, "Products", "", "", ""},
      {6, 1, "", "Products.UnitPrice", "[UnitPrice]*1.1", "0"},
      {255, 1, "", "", "", ""}}},
    {"Archive orders",
     64,
     {{0, 1, "", "", "", "0"},
      {1, 1, "Archive", "", "", "3"},
      {5, 1, "Orders", "", "", ""},
      {6, 1, "", "ArchivedID", "Orders.OrderID", "0"},
      {255, 1, "", "", "", ""}}},
    {"Copy orders",
     80,
     {{0, 1, "", "", "", "0"},
      {1, 1, "Orders copy", "", "", "2"},
      {3, 1, "10", "", "", "18"},
      {5, 1, "Orders", "", "", ""},
      {6, 1, "", "", "Orders.*", "0"},
      {255, 1, "", "", "", ""}}},
    {"Add column",
     96,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "ALTER TABLE Orders ADD COLUMN Note TEXT;", "7"},
      {255, 1, "", "", "", ""}}},
    {"Server time",
     112,
     {{0, 1, "", "", "", "0"},
      {1, 1, "ODBC;DSN=shop;", "", "SELECT GETDATE();", "8"},
      {255, 1, "", "", "", ""}}},
    {"All names",
     128,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "9"},
      {3, 1, "", "", "", "2"},
      {5, 1, "", "X7YZ_____1", "SELECT Name FROM Customers", ""},
      {5, 2, "", "X7YZ_____2", "SELECT Name FROM Suppliers", ""},
      {255, 1, "", "", "", ""}}},
    {"~sq_fOrders",
     3,
     {{0, 1, "", "", "", "0"},
      {1, 1, "", "", "", "1"},
      {3, 1, "", "", "", "0"},
      {5, 1, "Orders", "o", "", ""},
      {6, 1, "", "", "o.*", "0"},
      {255, 1, "", "", "", ""}}},
};

int orderNumber(const QByteArray& order) {
    return order.size() == 4 ? qFromBigEndian<std::int32_t>(order.constData()) : -1;
}

class Queries : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const TemporaryDatabase database(queries);
        snapshot = new DatabaseSnapshot(readWithLibmdb(database.path()));
    }
    static void TearDownTestSuite() { delete snapshot; }
    static DatabaseSnapshot* snapshot;
};
DatabaseSnapshot* Queries::snapshot = nullptr;

} // namespace

TEST_F(Queries, EveryTypeIsACatalogueEntryOfType5WithItsFlags) {
    for (const Expected& query : expectations) {
        SCOPED_TRACE(query.name.toStdString());
        const auto object = std::find_if(snapshot->objects.begin(), snapshot->objects.end(),
                                         [&](const auto& o) { return o.name == query.name; });
        ASSERT_NE(object, snapshot->objects.end());
        EXPECT_EQ(object->type, 5);
        EXPECT_EQ(object->flags, query.flags);
        EXPECT_EQ(object->parentId, 0x0F000001); // the Tables container
        EXPECT_LT(object->id, 0);                // query ids have the high bit set
    }
}

TEST_F(Queries, EveryTypeHasTheMSysQueriesRowsAccessWrites) {
    for (const Expected& query : expectations) {
        SCOPED_TRACE(query.name.toStdString());
        const auto object = std::find_if(snapshot->objects.begin(), snapshot->objects.end(),
                                         [&](const auto& o) { return o.name == query.name; });
        ASSERT_NE(object, snapshot->objects.end());
        std::vector<Row> rows;
        for (const QueryRowSnapshot& row : snapshot->queryRows)
            if (row.objectId == object->id)
                rows.emplace_back(row.attribute, orderNumber(row.order), row.name1, row.name2,
                                  row.expression, row.flag);
        EXPECT_EQ(rows, query.rows);
    }
}
