// ombrix-cli in this process over a fake catalogue, one row of cases.json per command line: its
// exit code, its streams, what it asked the catalogue and what it left in page.asp.
#include "cli/Cli.h"

#include "cli/StateJson.h"
#include "generator/GeneratePage.h"
#include "ombrix/ProjectInfo.h"
#include "tests/support/FakeCatalogue.h"
#include "tests/support/Files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

class CliCase : public testing::TestWithParam<json> {
protected:
    CliCase() {
        std::string pattern = (fs::temp_directory_path() / "ombrix-cli-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        writeFile(dir_ / "page.asp", "earlier page");
    }
    ~CliCase() override { fs::remove_all(dir_); }

    std::string expand(std::string text) const {
        for (const auto& [name, value] : {std::pair{"{root}", std::string(OMBRIX_SOURCE_DIR)},
                                          {"{dir}", dir_.string()},
                                          {"{state}", (dir_ / "state.json").string()},
                                          {"{version}", std::string(project::kVersion)}}) {
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name)) {
                text.replace(at, std::string_view(name).size(), value);
            }
        }
        return text;
    }

    fs::path dir_;
};

TEST_P(CliCase, AnswersAsTheRowSays) {
    const json& row = GetParam();
    FakeCatalogue catalogue = shopCatalogue();
    if (row.contains("fail")) {
        for (auto& [path, database] : catalogue.databases) {
            database.failure = core::EngineError(row["fail"][0], row["fail"][1]);
        }
    }
    if (row.contains("state")) {
        writeFile(dir_ / "state.json", row["state"]);
    }
    std::vector<std::string> args;
    for (const std::string arg : row["args"]) {
        args.push_back(expand(arg));
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runCliWith(catalogue, args, out, err), row["exit"].get<int>());

    const fs::path root = OMBRIX_SOURCE_DIR;
    if (row.contains("out")) {
        EXPECT_EQ(out.str(), expand(row["out"]));
    }
    if (row.contains("outFile")) {
        EXPECT_EQ(out.str(), readFile(root / row["outFile"].get<std::string>()));
    }
    if (row.contains("outState")) {
        EXPECT_EQ(out.str(), GeneratePage(cli::wizardStateFromJson(row["outState"].dump())));
    }
    if (row.contains("err")) {
        EXPECT_EQ(err.str(), expand(row["err"]));
    }
    if (row.contains("errPrefix")) {
        EXPECT_TRUE(err.str().starts_with(expand(row["errPrefix"]))) << err.str();
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line";
    }
    if (row.contains("requests")) {
        EXPECT_EQ(catalogue.calls, row["requests"].get<std::vector<std::string>>());
    }
    EXPECT_EQ(readFile(dir_ / "page.asp"), row.contains("page")
                                               ? readFile(root / row["page"].get<std::string>())
                                               : "earlier page");
}

std::vector<json> cases() {
    std::ifstream file(OMBRIX_SOURCE_DIR "/tests/cli/cases.json");
    return json::parse(file);
}

INSTANTIATE_TEST_SUITE_P(Rows, CliCase, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<json>& row) {
                             return row.param["name"].get<std::string>();
                         });

} // namespace
} // namespace ombrix::tests
