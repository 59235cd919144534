// generate DATABASE OBJECT over a catalogue that the test fills: what the command line alone can
// get wrong, and what it asks of the catalogue.
#include "cli/GenerateCommand.h"

#include "CliTestSupport.h"
#include "FakeCatalogue.h"
#include "cli/CliSupport.h"
#include "generator/GeneratePage.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace ombrix;
using cli::test::FakeCatalogue;
using cli::test::Outcome;
using core::ObjectKind;

Outcome Generate(FakeCatalogue& catalogue, const QStringList& args) {
    std::ostringstream out;
    std::ostringstream err;
    try {
        const int exitCode = cli::RunGenerateWith(catalogue, cli::test::Utf8(args), out, err);
        return {exitCode, out.str(), err.str()};
    } catch (const cli::CommandError& error) {
        return {error.exitCode(), out.str(), error.what()};
    }
}

core::ObjectDefinition OrderLines() {
    return {{{"OrderID", 4}, {"LineNo", 3}, {"Unit Price", 5}, {"Größe", 10}},
            {{"Product", {"Unit Price"}}, {"PrimaryKey", {"OrderID", "LineNo"}}}};
}

std::string Item(const std::string& name, const std::string& prefix) {
    return name + std::string(100, ' ') + '\t' + prefix;
}

TEST(GenerateCommand, AsksForTheObjectAndBuildsTheWizardsState) {
    FakeCatalogue catalogue;
    catalogue.definition = OrderLines();
    const Outcome run =
        Generate(catalogue, {"C:\\Data\\Shop.mdb", "Table: Order Lines", "--field", "Größe",
                             "--field", "OrderID", "--password", "pw;1", "--method", "Get"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(catalogue.requests, 1);
    EXPECT_EQ(catalogue.askedPath, "C:\\Data\\Shop.mdb");
    EXPECT_EQ(catalogue.askedPassword, "pw;1");
    EXPECT_EQ(catalogue.askedKind, ObjectKind::Table);
    EXPECT_EQ(catalogue.askedName, "Order Lines");

    WizardState expected;
    expected.databasePath = "C:\\Data\\Shop.mdb";
    expected.password = "pw;1";
    expected.objectCaption = "Table: Order Lines";
    expected.primaryKeyField = "LineNo";
    expected.summaryFields = {Item("Größe", "str"), Item("OrderID", "lng")};
    expected.formMethod = "Get";
    EXPECT_EQ(run.out, GeneratePage(expected));
}

TEST(GenerateCommand, TakesEveryFieldOfAQueryWithoutAKey) {
    FakeCatalogue catalogue;
    catalogue.definition = {{{"Total", 7}, {"When", 8}}, {{"PrimaryKey", {"Total"}}}};
    const Outcome run = Generate(catalogue, {"shop.mdb", "Query: Big orders"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(catalogue.askedKind, ObjectKind::Query);
    EXPECT_EQ(catalogue.askedName, "Big orders");
    EXPECT_EQ(catalogue.askedPassword, "");

    WizardState expected;
    expected.databasePath = "shop.mdb";
    expected.objectCaption = "Query: Big orders";
    expected.summaryFields = {Item("Total", "dbl"), Item("When", "dat")};
    EXPECT_EQ(run.out, GeneratePage(expected));
}

TEST(GenerateCommand, ReportsEngineErrorsAndMissingFields) {
    struct Row {
        std::optional<core::EngineError> failure;
        QStringList args;
        std::string err;
    };
    const std::vector<Row> rows{
        {core::EngineError(3031, "Not a valid password."),
         {"db.mdb", "Table: Order Lines"},
         "Error 3031: Not a valid password.\n"},
        {std::nullopt,
         {"db.mdb", "Table: Order Lines", "--field", "OrderID", "--field", "Shipped"},
         "Error 3265: Item not found in this collection. \"Table: Order Lines\" has no field "
         "\"Shipped\".\n"},
        {std::nullopt,
         {"db.mdb", "Table: Order Lines", "--field", "orderid"},
         "Error 3265: Item not found in this collection. \"Table: Order Lines\" has no field "
         "\"orderid\".\n"},
    };
    for (const Row& row : rows) {
        FakeCatalogue catalogue;
        catalogue.definition = OrderLines();
        catalogue.failure = row.failure;
        const Outcome run = Generate(catalogue, row.args);
        EXPECT_EQ(run.exitCode, 2) << row.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, row.err);
    }
}

TEST(GenerateCommand, RefusesAnObjectWithoutFields) {
    FakeCatalogue catalogue;
    const Outcome run = Generate(catalogue, {"db.mdb", "Table: Empty"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "\"Table: Empty\" has no fields");
}

struct UsageRow {
    std::string name;
    QStringList args;
    std::string message;
};

void PrintTo(const UsageRow& row, std::ostream* out) {
    *out << row.name;
}

class GenerateBadUsage : public testing::TestWithParam<UsageRow> {};

TEST_P(GenerateBadUsage, RefusesBeforeOpeningTheDatabase) {
    FakeCatalogue catalogue;
    catalogue.definition = OrderLines();
    const Outcome run = Generate(catalogue, GetParam().args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().message);
    EXPECT_EQ(catalogue.requests, 0);
}

const std::string usage =
    "usage: ombrix-cli generate DATABASE OBJECT [--field NAME]... [--method Post|Get] "
    "[--password PW] [--output FILE], or ombrix-cli generate --state FILE|- [--output FILE]";

INSTANTIATE_TEST_SUITE_P(
    Arguments, GenerateBadUsage,
    testing::Values(UsageRow{"nothing", {}, usage}, UsageRow{"no_object", {"db.mdb"}, usage},
                    UsageRow{"three_arguments", {"db.mdb", "Table: Orders", "Orders"}, usage},
                    UsageRow{"object_without_kind",
                             {"db.mdb", "Orders"},
                             "OBJECT must be \"Table: NAME\" or \"Query: NAME\""},
                    UsageRow{"object_without_blank",
                             {"db.mdb", "Table:Orders"},
                             "OBJECT must be \"Table: NAME\" or \"Query: NAME\""},
                    UsageRow{"method_in_lower_case",
                             {"db.mdb", "Table: Orders", "--method", "post"},
                             "--method must be Post or Get"},
                    UsageRow{
                        "field_twice",
                        {"db.mdb", "Table: Orders", "--field", "A", "--field", "B", "--field", "A"},
                        "field \"A\" is given twice"},
                    UsageRow{"field_without_name",
                             {"db.mdb", "Table: Orders", "--field"},
                             "Missing value after '--field'."},
                    UsageRow{"state_with_field",
                             {"--state", "s.json", "--field", "A"},
                             "--field cannot be used with --state"},
                    UsageRow{"state_with_method",
                             {"--state", "s.json", "--method", "Get"},
                             "--method cannot be used with --state"},
                    UsageRow{"state_with_empty_password",
                             {"--state", "s.json", "--password", ""},
                             "--password cannot be used with --state"},
                    UsageRow{"state_with_database",
                             {"db.mdb", "Table: Orders", "--state", "s.json"},
                             "unexpected argument \"db.mdb\""}),
    [](const auto& row) { return row.param.name; });

} // namespace
