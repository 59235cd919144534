#include "CliTestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

using namespace ombrix::cli::test;

struct Outcome {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Outcome RunBinary(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(OMBRIX_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(CliBinary, PrintsTheExamplePageByteForByte) {
    const Outcome run = RunBinary({"generate", "--state", ExamplePath("orders.json")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ReadBytes(GoldenPath("orders-post.asp")));
}

TEST(CliBinary, ReadsTheStateFromStandardInput) {
    const Outcome run =
        RunBinary({"generate", "--state", "-"}, ReadBytes(ExamplePath("orders.json")));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, ReadBytes(GoldenPath("orders-post.asp")));
}

TEST(CliBinary, RefusesABadStateWithOneErrorLine) {
    const BadState bad = BadStates().front();
    const Outcome run = RunBinary({"generate", "--state", "-"}, bad.json);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.toStdString(), bad.message);
}

} // namespace
