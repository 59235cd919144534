#include "cli/Cli.h"

#include "CliTestSupport.h"
#include "ombrix/ProjectInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

using namespace ombrix::cli::test;

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(CliInProcess, GeneratesTheExamplePageByteForByte) {
    const Outcome run = RunInProcess({"generate", "--state=" + ExamplePath("orders.json")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ReadBytes(GoldenPath("orders-post.asp")).toStdString());
}

TEST(CliInProcess, WritesTheOutputFileInstead) {
    const QTemporaryDir dir;
    const QString target = dir.filePath("orders.asp");
    const Outcome run =
        RunInProcess({"generate", "--state", ExamplePath("orders.json"), "--output", target});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(target), ReadBytes(GoldenPath("orders-post.asp")));
}

TEST(CliInProcess, ReportsAnOutputFileThatCannotBeWritten) {
    const QTemporaryDir dir;
    const QString target = dir.filePath("missing-folder/orders.asp");
    const Outcome run =
        RunInProcess({"generate", "--state", ExamplePath("orders.json"), "--output", target});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Error: cannot write " + target.toStdString() + ": ", 0), 0U);
}

TEST(CliInProcess, ReportsAStateFileThatCannotBeRead) {
    const Outcome run = RunInProcess({"generate", "--state", "/no/such/state.json"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("Error: cannot read /no/such/state.json: ", 0), 0U);
}

class CliBadStateInProcess : public testing::TestWithParam<BadState> {};

TEST_P(CliBadStateInProcess, PrintsOneErrorLineAndWritesNothing) {
    const QTemporaryDir dir;
    const QString state = WriteFile(dir, "state.json", GetParam().json);
    const QString target = WriteFile(dir, "page.asp", "earlier page");
    const Outcome run = RunInProcess({"generate", "--state", state, "--output", target});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().message);
    EXPECT_EQ(ReadBytes(target), "earlier page");
}

INSTANTIATE_TEST_SUITE_P(States, CliBadStateInProcess, testing::ValuesIn(BadStates()),
                         [](const auto& row) { return row.param.name; });

struct UsageRow {
    std::string name;
    QStringList arguments;
    std::string message;
};

void PrintTo(const UsageRow& row, std::ostream* out) {
    *out << row.name;
}

class CliBadUsage : public testing::TestWithParam<UsageRow> {};

TEST_P(CliBadUsage, PrintsOneErrorLine) {
    const Outcome run = RunInProcess(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliBadUsage,
    testing::Values(
        UsageRow{"no_command", {}, "Error: no command given; run \"ombrix-cli --help\"\n"},
        UsageRow{"unknown_command", {"frobnicate"}, "Error: unknown command \"frobnicate\"\n"},
        UsageRow{"unknown_option", {"--frob"}, "Error: Unknown option 'frob'.\n"},
        UsageRow{"unknown_options", {"-xh", "--frob"}, "Error: Unknown options: x, frob.\n"},
        UsageRow{"value_for_a_switch", {"--help=3"}, "Error: Unexpected value after '--help'.\n"},
        UsageRow{"generate_without_arguments",
                 {"generate"},
                 "Error: usage: ombrix-cli generate DATABASE OBJECT [--field NAME]... [--method "
                 "Post|Get] [--password PW] [--output FILE], or ombrix-cli generate --state "
                 "FILE|- [--output FILE]\n"},
        UsageRow{"state_without_value",
                 {"generate", "--state"},
                 "Error: Missing value after '--state'.\n"},
        UsageRow{
            "generate_unknown_option", {"generate", "--frob"}, "Error: Unknown option 'frob'.\n"},
        UsageRow{"extra_argument",
                 {"generate", "--state", "a.json", "b.json"},
                 "Error: unexpected argument \"b.json\"\n"}),
    [](const auto& row) { return row.param.name; });

// The help texts are kept byte for byte; scripts and the manual page quote them.
TEST(CliInProcess, HelpTextsAreAsPublished) {
    const std::vector<std::pair<QStringList, QString>> helps{
        {{"--help"}, "top.txt"},
        {{"generate", "--help"}, "generate.txt"},
        {{"objects", "-h"}, "objects.txt"},
        {{"describe", "--help"}, "describe.txt"}};
    for (const auto& [arguments, file] : helps) {
        const Outcome run = RunInProcess(arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, ReadBytes(QStringLiteral(OMBRIX_HELP_DIR "/") + file).toStdString())
            << file.toStdString();
    }
}

TEST(CliInProcess, VersionComesFromTheProject) {
    const Outcome run = RunInProcess({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "ombrix-cli " + std::string(ombrix::project::kVersion) + "\n");
}

} // namespace
