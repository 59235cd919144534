// Faulty descriptions (invalid-descriptions.json): one clear line naming the fault, and never a
// file left behind.
#include "Mkmdb.h"
#include "support/Files.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const std::string kCases = sourceFile("tests/mkmdb/invalid-descriptions.json").string();

TEST(InvalidDescription, IsRejectedWithOneLineNamingTheFault) {
    const QJsonArray cases =
        QJsonDocument::fromJson(QByteArray::fromStdString(readFile(kCases))).array();
    ASSERT_FALSE(cases.isEmpty());
    for (const QJsonValue& c : cases) {
        const std::string label = c[QStringLiteral("label")].toString().toStdString();
        const std::string expected = c[QStringLiteral("message")].toString().toStdString();
        QTemporaryDir folder;
        const QString output = folder.filePath(QStringLiteral("out.mdb"));
        try {
            mkmdb::writeDatabaseFile(c[QStringLiteral("description")].toString().toUtf8(), output);
            ADD_FAILURE() << label << ": accepted";
        } catch (const mkmdb::DescriptionError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(expected), std::string::npos) << label << ": " << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << label << ": " << message;
        }
        EXPECT_TRUE(QDir(folder.path()).isEmpty()) << label;
    }
}

// The program: exit 1 and one line for a faulty description or missing arguments, and the file
// that was there before left alone.
TEST(InvalidDescription, ProgramExitsWithOneAndKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("out.mdb"));
    QFile previous(output);
    ASSERT_TRUE(previous.open(QIODevice::ReadWrite));
    previous.write("previous content");
    previous.close();
    const struct {
        QStringList arguments;
        const char* message;
    } runs[] = {{{QString::fromStdString(kCases), output}, "must be a JSON object"},
                {{folder.filePath(QStringLiteral("missing.json")), output}, "cannot read"},
                {{}, ""}};
    for (const auto& run : runs) {
        QProcess process;
        process.start(QString::fromStdString(builtFile("bin/mkmdb").string()), run.arguments);
        process.waitForFinished(60000);
        const QString error = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << error.toStdString();
        EXPECT_EQ(error.count(QLatin1Char('\n')), 1) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(run.message))) << error.toStdString();
    }
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), "previous content");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

} // namespace
} // namespace ombrix::tests
