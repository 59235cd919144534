// The real ombrix-cli end to end: its exit codes and what it writes on each stream, the state
// read from standard input, the database read through the forked reader.
#include "tests/support/Files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace ombrix::tests {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode; // -1 when it did not exit by itself
    std::string out;
    std::string err;
};

// Runs ombrix-cli with arguments as the shell reads them.
CliRun runCli(const std::string& arguments) {
    const fs::path scratch = fs::temp_directory_path() / ("ombrix-cli-" + std::to_string(getpid()));
    const int status = std::system((OMBRIX_CLI_PATH " " + arguments + " > " + scratch.string() +
                                    ".out 2> " + scratch.string() + ".err")
                                       .c_str());
    CliRun run{.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1,
               .out = readFile(scratch.string() + ".out"),
               .err = readFile(scratch.string() + ".err")};
    fs::remove(scratch.string() + ".out");
    fs::remove(scratch.string() + ".err");
    return run;
}

struct BinaryRow {
    std::string arguments; // as the shell reads them
    int exitCode;
    std::string out;
    std::string err;
};

TEST(CliBinary, ExitCodesAndStreams) {
    const std::string root = OMBRIX_SOURCE_DIR;
    const std::vector<BinaryRow> rows{
        {.arguments = "generate --state - < " + root + "/examples/orders.json",
         .exitCode = 0,
         .out = readFile(root + "/tests/generator/golden/orders-post.asp"),
         .err = ""},
        {.arguments = "frobnicate",
         .exitCode = 1,
         .out = "",
         .err = "Error: unknown command \"frobnicate\"\n"},
        {.arguments = "objects /no/such/folder/db.mdb",
         .exitCode = 2,
         .out = "",
         .err = "Error 3044: '/no/such/folder/db.mdb' is not a valid path. Make sure that the path "
                "name is spelled correctly and that you are connected to the server on which the "
                "file resides.\n"}};
    for (const BinaryRow& row : rows) {
        const CliRun run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.arguments;
        EXPECT_EQ(run.out, row.out) << row.arguments;
        EXPECT_EQ(run.err, row.err) << row.arguments;
    }
}

// The sample's order lines, keyed by order and product as in Northwind: the page updates and
// deletes one line, not every line of the product.
TEST(CliBinary, SampleOrderLinesAreFoundByOrderAndProduct) {
    const std::string object = "'" OMBRIX_SAMPLE_DATABASE "' 'Table: Order Details'";
    EXPECT_TRUE(runCli("describe " + object).out.starts_with("key\tOrderID\tProductID\n"));
    const CliRun page = runCli("generate " + object);
    EXPECT_EQ(page.exitCode, 0) << page.err;
    for (const char* line :
         {"\t\tsql = sql & \" where OrderID = \" & OrderID & \" And ProductID = \" & ProductID & "
          "\";\"\r\n",
          "\tsql = \"delete * from Order Details where OrderID=\" & Request.Form(\"OrderID\") & \" "
          "And ProductID=\" & Request.Form(\"ProductID\") & \";\"\r\n"}) {
        EXPECT_NE(page.out.find(line), std::string::npos) << line;
    }
}

} // namespace
} // namespace ombrix::tests
