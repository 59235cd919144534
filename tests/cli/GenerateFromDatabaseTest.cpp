// generate DATABASE OBJECT over Access files written by mkmdb and read through the catalogue
// reader: each page must equal, byte for byte, the page for the wizard state that the choices
// should give, written out by hand as --state JSON.
#include "CliTestSupport.h"
#include "TemporaryDatabase.h"
#include "cli/Cli.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using namespace ombrix::cli::test;
using ombrix::testsupport::TemporaryDatabase;

// Field orders set apart from creation order, so that the reader's order (by display position) is
// what a page can only get from the catalogue.
const char* const shop = R"({"tables": [
  {"name": "Order Lines", "columns": [
     {"name": "OrderID", "type": "long", "ordinal": 1},
     {"name": "LineNo", "type": "integer", "ordinal": 2},
     {"name": "Unit Price", "type": "currency", "ordinal": 0},
     {"name": "Größe", "type": "text", "size": 20, "ordinal": 3}],
   "indexes": [{"name": "OrderID", "columns": ["OrderID"]},
               {"name": "PrimaryKey", "columns": ["OrderID", "LineNo"], "primary": true}]},
  {"name": "Products", "columns": [
     {"name": "Code", "type": "text", "size": 10}, {"name": "Name", "type": "text", "size": 50}],
   "indexes": [{"name": "ProductCode", "columns": ["Code"], "unique": true}]},
  {"name": "Suppliers", "columns": [
     {"name": "Code", "type": "text", "size": 10}, {"name": "Name", "type": "text", "size": 50}],
   "indexes": [{"name": "PrimaryKey", "columns": ["Code"], "primary": true}]},
  {"name": "Notes", "columns": [
     {"name": "Id", "type": "long", "autonumber": true}, {"name": "Body", "type": "memo"}],
   "indexes": [{"name": "primarykey", "columns": ["Id"], "primary": true}]}],
 "queries": [
  {"name": "Big orders", "type": "select", "inputs": [{"table": "Order Lines"}],
   "outputs": ["[Order Lines].LineNo", "[Order Lines].OrderID"],
   "where": "[Order Lines].LineNo > 10"}]})";

const char* const locked = R"({"password": "pw;1", "tables": [
  {"name": "Secrets", "columns": [{"name": "Id", "type": "long"}, {"name": "Text", "type": "memo"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["Id"], "primary": true}]}]})";

enum class Database { Shop, ShopByRoundaboutPath, Locked };

// The choices on the command line, and the wizard state they must give.
struct PageRow {
    std::string name;
    Database database;
    QString object;
    QStringList options;
    QString password;
    QString key;
    std::vector<std::pair<QString, QString>> fields; // name, prefix
    QString method = QStringLiteral("Post");
    QString keyPrefix = {}; // the key field's type prefix, given in the state
};

void PrintTo(const PageRow& row, std::ostream* out) {
    *out << row.name;
}

class GenerateFromDatabase : public testing::TestWithParam<PageRow> {
protected:
    static void SetUpTestSuite() {
        shop_ = std::make_unique<TemporaryDatabase>(shop, QStringLiteral("shop.mdb"));
        locked_ = std::make_unique<TemporaryDatabase>(locked, QStringLiteral("locked.mdb"));
    }
    static void TearDownTestSuite() {
        shop_.reset();
        locked_.reset();
    }

    static QString PathOf(Database database) {
        switch (database) {
        case Database::Shop:
            return shop_->path();
        case Database::ShopByRoundaboutPath:
            return shop_->folder() + QStringLiteral("/./shop.mdb");
        case Database::Locked:
            return locked_->path();
        }
        return {};
    }

    // The state JSON that the choices of row must give.
    QString StateFile(const PageRow& row) {
        QJsonArray items;
        for (const auto& [name, prefix] : row.fields) {
            items.append(name + QString(100, QLatin1Char(' ')) + QLatin1Char('\t') + prefix);
        }
        const QJsonObject state{
            {"database", PathOf(row.database)}, {"password", row.password}, {"object", row.object},
            {"primaryKeyField", row.key},       {"fields", items},          {"method", row.method},
            {"primaryKeyPrefix", row.keyPrefix}};
        const QString path = scratch_.filePath(QStringLiteral("state.json"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(state).toJson());
        return path;
    }

    QStringList Choices(const PageRow& row) const {
        return QStringList{"generate", PathOf(row.database), row.object} + row.options;
    }

    static inline std::unique_ptr<TemporaryDatabase> shop_;
    static inline std::unique_ptr<TemporaryDatabase> locked_;
    QTemporaryDir scratch_;
};

TEST_P(GenerateFromDatabase, WritesThePageOfTheWizardsState) {
    const PageRow& row = GetParam();
    const Outcome expected = RunInProcess({"generate", "--state", StateFile(row)});
    ASSERT_EQ(expected.exitCode, 0) << expected.err;

    const Outcome run = RunInProcess(Choices(row));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expected.out);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, GenerateFromDatabase,
    testing::Values(
        PageRow{"every_field_in_the_databases_order_and_the_last_key_field",
                Database::Shop,
                "Table: Order Lines",
                {},
                "",
                "LineNo",
                {{"Unit Price", "cur"}, {"OrderID", "lng"}, {"LineNo", "int"}, {"Größe", "str"}}},
        PageRow{"fields_in_the_order_given",
                Database::Shop,
                "Table: Order Lines",
                {"--field", "Größe", "--field", "OrderID", "--method", "Get"},
                "",
                "LineNo",
                {{"Größe", "str"}, {"OrderID", "lng"}},
                "Get"},
        PageRow{"unique_index_of_another_name_is_no_key",
                Database::Shop,
                "Table: Products",
                {"--method", "Post"},
                "",
                "",
                {{"Code", "str"}, {"Name", "str"}}},
        PageRow{"primary_index_named_in_lower_case_is_no_key",
                Database::Shop,
                "Table: Notes",
                {},
                "",
                "",
                {{"Id", "lng"}, {"Body", "mem"}}},
        PageRow{"query_has_no_key",
                Database::Shop,
                "Query: Big orders",
                {},
                "",
                "",
                {{"LineNo", "int"}, {"OrderID", "lng"}}},
        PageRow{"database_path_exactly_as_given",
                Database::ShopByRoundaboutPath,
                "Table: Products",
                {"--field", "Name"},
                "",
                "",
                {{"Name", "str"}}},
        PageRow{"key_not_selected_takes_its_type_from_the_catalogue",
                Database::Shop,
                "Table: Suppliers",
                {"--field", "Name"},
                "",
                "Code",
                {{"Name", "str"}},
                "Post",
                "str"},
        PageRow{"password_goes_into_the_page",
                Database::Locked,
                "Table: Secrets",
                {"--password", "pw;1", "--field", "Text"},
                "pw;1",
                "Id",
                {{"Text", "mem"}}}),
    [](const auto& row) { return row.param.name; });

class GenerateFromDatabaseFails : public GenerateFromDatabase {};

TEST_F(GenerateFromDatabaseFails, ReportsTheEnginesNumbers) {
    const std::vector<std::pair<QStringList, std::string>> cases{
        {{"generate", locked_->path(), "Table: Secrets"}, "Error 3031: Not a valid password.\n"},
        {{"generate", locked_->path(), "Table: Secrets", "--password", "PW;1"},
         "Error 3031: Not a valid password.\n"},
        {{"generate", shop_->path(), "Table: Order Lines", "--field", "LineNo", "--field",
          "Shipped"},
         "Error 3265: Item not found in this collection. \"Table: Order Lines\" has no field "
         "\"Shipped\".\n"},
        {{"generate", shop_->path(), "Table: Nothing"},
         "Error 3265: Item not found in this collection.\n"},
        {{"generate", shop_->folder() + "/none.mdb", "Table: Products"},
         "Error 3024: Could not find file '" + (shop_->folder() + "/none.mdb").toStdString() +
             "'.\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const Outcome run = RunInProcess(arguments);
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
}

void RunBinary(QProcess& process, const QStringList& arguments) {
    process.start(QStringLiteral(OMBRIX_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
}

TEST_F(GenerateFromDatabaseFails, TheBinaryWritesThePage) {
    QProcess fromState;
    RunBinary(
        fromState,
        {"generate", "--state",
         StateFile(
             {"", Database::Shop, "Query: Big orders", {}, "", "", {{"OrderID", "lng"}}, "Get"})});
    QProcess fromChoices;
    RunBinary(fromChoices, {"generate", shop_->path(), "Query: Big orders", "--method", "Get",
                            "--field", "OrderID"});
    EXPECT_EQ(fromChoices.exitCode(), 0);
    EXPECT_EQ(fromChoices.readAllStandardOutput(), fromState.readAllStandardOutput());
}

} // namespace
