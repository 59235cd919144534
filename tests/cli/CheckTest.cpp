// ombrix-cli check over real databases, read through the forked reader: each row of
// check/cases.json against its golden report, as JSON and, where the row names one, as text.
// Paths are written {fixtures} and {conformance} in the golden files; rows marked "conformance"
// read the real Access files and are skipped without them. OMBRIX_UPDATE_GOLDEN=1
// writes the files anew (review the diff).
#include "cli/Cli.h"
#include "platform/ReaderCatalogue.h"
#include "reader/Serve.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::vector<std::pair<std::string, std::string>> kFolders{
    {"{fixtures}", builtFile("tests/cli/fixtures").string()},
    {"{conformance}", conformanceFile("").string()}};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The report for the row's command line, with its folders written as placeholders.
std::string report(const json& row, bool asJson) {
    std::vector<std::string> args{"check"};
    for (const std::string arg : row["args"]) {
        std::string expanded = arg;
        for (const auto& [placeholder, folder] : kFolders) {
            expanded = replaced(expanded, placeholder, folder);
        }
        args.push_back(expanded);
    }
    if (asJson) {
        args.emplace_back("--json");
    }
    platform::ReaderCatalogue catalogue(reader::serve);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runCliWith(catalogue, args, out, err), 0) << err.str();
    std::string text = out.str();
    for (const auto& [placeholder, folder] : kFolders) {
        text = replaced(text, folder, placeholder);
    }
    return text;
}

class CheckCase : public testing::TestWithParam<json> {};

TEST_P(CheckCase, ReportsAsTheGoldenFiles) {
    const json& row = GetParam();
    if (row.value("conformance", false) && !haveConformanceFiles()) {
        GTEST_SKIP() << "The real Access files are not at hand";
    }
    expectGolden(report(row, true),
                 sourceFile("tests/cli/check") / (row["name"].get<std::string>() + ".json"));
    if (row.value("text", false)) {
        expectGolden(report(row, false),
                     sourceFile("tests/cli/check") / (row["name"].get<std::string>() + ".txt"));
    }
}

std::vector<json> cases() {
    return json::parse(readFile(sourceFile("tests/cli/check/cases.json")));
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckCase, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<json>& row) {
                             return row.param["name"].get<std::string>();
                         });

} // namespace
} // namespace ombrix::tests
