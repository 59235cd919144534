// ombrix-cli in this process over a fake catalogue, one row of cases.json per command line: its
// exit code, its streams, what it asked the catalogue and what it left in page.asp.
#include "cli/Cli.h"

#include "CliRows.h"
#include "cli/StateJson.h"
#include "generator/GeneratePage.h"
#include "tests/support/FakeCatalogue.h"
#include "tests/support/Files.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// The shop database under every path the rows use, opening with any password.
FakeCatalogue shopCatalogue() {
    FakeDatabase shop{
        .password = std::nullopt,
        .objects =
            {.tables = {{"Customers"}, {"msysNotes"}, {"MSysObjects"}, {"~TMPCLP1"}, {"Zebra"}},
             .queries = {{.name = "Big orders", .type = 0},
                         {.name = "MSysSample", .type = 0},
                         {.name = "Raise prices", .type = 48},
                         {.name = "Sales by year", .type = 16},
                         {.name = "~SQ_x", .type = 0},
                         {.name = "~sq_fOrders", .type = 0}}},
        .definitions = {
            {"Table: Order Lines",
             {.fields = {{.name = "OrderID", .type = 4},
                         {.name = "LineNo", .type = 3},
                         {.name = "Unit Price", .type = 5},
                         {.name = "Größe", .type = 10}},
              .indexes = {{"Product", {"Unit Price"}}, {"PrimaryKey", {"OrderID", "LineNo"}}}}},
            // A query's indexes are no key, whatever their name.
            {"Query: Big orders",
             {.fields = {{.name = "Total", .type = 7}, {.name = "When", .type = 8}},
              .indexes = {{"PrimaryKey", {"Total"}}}}},
            {"Table: Suppliers",
             {.fields = {{.name = "Code", .type = 10}, {.name = "Name", .type = 10}},
              .indexes = {{"PrimaryKey", {"Code"}}}}},
            {"Table: Stock",
             {.fields = {{.name = "Bin", .type = 3},
                         {.name = "Warehouse", .type = 10},
                         {.name = "ProductID", .type = 4}},
              .indexes = {{"PrimaryKey", {"ProductID", "Warehouse", "Bin"}}}}},
            {"Table: Empty", {}}}};
    FakeCatalogue catalogue;
    for (const char* path : {"db.mdb", "shop.mdb", "C:\\Data\\Shop.mdb"}) {
        catalogue.databases[path] = shop;
    }
    return catalogue;
}

class CliCase : public testing::TestWithParam<json> {};

TEST_P(CliCase, AnswersAsTheRowSays) {
    const json& row = GetParam();
    const RowFolder folder;
    const fs::path& dir = folder.path();
    writeFile(dir / "page.asp", "earlier page");
    writeRowFiles(row, dir);
    FakeCatalogue catalogue = shopCatalogue();
    if (row.contains("fail")) {
        for (auto& [path, database] : catalogue.databases) {
            database.failure = core::EngineError(row["fail"][0], row["fail"][1]);
        }
    }
    std::vector<std::string> args;
    for (const std::string arg : row["args"]) {
        args.push_back(expand(arg, dir));
    }
    std::ostringstream out;
    std::ostringstream err;
    // The password variable as the row sets it, whatever the test's own environment holds.
    const json& env = namedValues(row, "env");
    unsetenv("OMBRIX_PASSWORD");
    if (env.contains("OMBRIX_PASSWORD")) {
        setenv("OMBRIX_PASSWORD", env["OMBRIX_PASSWORD"].get<std::string>().c_str(), 1);
    }
    EXPECT_EQ(cli::runCliWith(catalogue, args, out, err), row["exit"].get<int>());

    checkStreams(row, out.str(), err.str(), dir);
    if (row.contains("outState")) {
        EXPECT_EQ(out.str(), GeneratePage(cli::wizardStateFromJson(row["outState"].dump())));
    }
    if (row.contains("requests")) {
        std::vector<std::string> requests;
        for (const std::string request : row["requests"]) {
            requests.push_back(expand(request, dir));
        }
        EXPECT_EQ(catalogue.calls, requests);
    }
    const fs::path root = OMBRIX_SOURCE_DIR;
    EXPECT_EQ(readFile(dir / "page.asp"), row.contains("page")
                                              ? readFile(root / row["page"].get<std::string>())
                                              : "earlier page");
}

INSTANTIATE_TEST_SUITE_P(Rows, CliCase, testing::ValuesIn(cliRows(false)), rowName);

} // namespace
} // namespace ombrix::tests
