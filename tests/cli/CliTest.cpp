// ombrix-cli in this process over a fake catalogue, one row of cases.json per command line: its
// exit code, its streams, what it asked the catalogue and what it left in page.asp.
#include "cli/Cli.h"

#include "CliRows.h"
#include "support/Files.h"
#include "support/SampleDatabases.h"
#include "support/TestData.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// The shop under every path the rows use, opening with any password, beside the sample's
// locked database.
FakeCatalogue rowsCatalogue() {
    FakeCatalogue catalogue = sampleCatalogue();
    FakeDatabase shop = shopDatabase();
    shop.password = std::nullopt;
    for (const char* path :
         {"db.mdb", "shop.mdb", "C:\\Data\\Depot.mdb", "..\\data\\Shop Orders.mdb",
          "C:\\Data\\Diary.mdb", "C:\\My Data\\Shop.mdb"}) {
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
    FakeCatalogue catalogue = rowsCatalogue();
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
    if (row.contains("requests")) {
        std::vector<std::string> requests;
        for (const std::string request : row["requests"]) {
            requests.push_back(expand(request, dir));
        }
        EXPECT_EQ(catalogue.calls, requests);
    }
    EXPECT_EQ(readFile(dir / "page.asp"), row.contains("page")
                                              ? readFile(sourceFile(row["page"].get<std::string>()))
                                              : "earlier page");
}

INSTANTIATE_TEST_SUITE_P(Rows, CliCase, testing::ValuesIn(cliRows(false)), rowName);

} // namespace
} // namespace ombrix::tests
