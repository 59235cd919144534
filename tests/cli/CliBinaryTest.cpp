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

struct BinaryRow {
    std::string arguments; // as the shell reads them
    int exitCode;
    std::string out;
    std::string err;
};

TEST(CliBinary, ExitCodesAndStreams) {
    const std::string root = OMBRIX_SOURCE_DIR;
    const fs::path scratch = fs::temp_directory_path() / ("ombrix-cli-" + std::to_string(getpid()));
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
        const int status = std::system((OMBRIX_CLI_PATH " " + row.arguments + " > " +
                                        scratch.string() + ".out 2> " + scratch.string() + ".err")
                                           .c_str());
        ASSERT_TRUE(WIFEXITED(status)) << row.arguments;
        EXPECT_EQ(WEXITSTATUS(status), row.exitCode) << row.arguments;
        EXPECT_EQ(readFile(scratch.string() + ".out"), row.out) << row.arguments;
        EXPECT_EQ(readFile(scratch.string() + ".err"), row.err) << row.arguments;
    }
    fs::remove(scratch.string() + ".out");
    fs::remove(scratch.string() + ".err");
}

} // namespace
} // namespace ombrix::tests
