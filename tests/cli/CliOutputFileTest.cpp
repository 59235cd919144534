// generate --output saves as the output window does: the encoding chosen by the characters, and
// an old file left whole when the save fails.
#include "CliTestSupport.h"
#include "cli/Cli.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

using ombrix::cli::test::Outcome;
using ombrix::cli::test::ReadBytes;
using ombrix::cli::test::RunInProcess;

const QByteArray utf8Bom("\xEF\xBB\xBF");

// A state over one table and two fields with the given names.
QString WriteState(const QTemporaryDir& dir, const QString& table, const QString& field) {
    const auto item = [](const QString& name, const char* prefix) {
        return name + QString(100, u' ') + u'\t' + QLatin1String(prefix);
    };
    const QJsonObject state{{"database", "C:\\Data\\Shop.mdb"},
                            {"password", ""},
                            {"object", "Table: " + table},
                            {"primaryKeyField", "ID"},
                            {"fields", QJsonArray{item("ID", "lng"), item(field, "str")}},
                            {"method", "Post"}};
    const QString path = dir.filePath("state.json");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(state).toJson());
    return path;
}

Outcome Generate(const QString& state, const QString& target = {}) {
    QStringList arguments{"generate", "--state", state};
    if (!target.isEmpty())
        arguments << "--output" << target;
    return RunInProcess(arguments);
}

TEST(CliOutputFile, WindowsCodePageWhenEveryCharacterFits) {
    const QTemporaryDir dir;
    const QString state =
        WriteState(dir, QString::fromUtf8("Caf\xC3\xA9"), QString::fromUtf8("Prix \xE2\x82\xAC"));
    const QString target = dir.filePath("page.asp");
    ASSERT_EQ(Generate(state, target).exitCode, 0);
    const std::string page = Generate(state).out; // UTF-8 on standard output

    const QByteArray saved = ReadBytes(target);
    EXPECT_FALSE(saved.startsWith(utf8Bom));
    EXPECT_TRUE(saved.contains("Caf\xE9"));
    EXPECT_TRUE(saved.contains("Prix_\x80"));
    EXPECT_FALSE(saved.contains("\xC3\xA9"));
    EXPECT_EQ(QString(QStringDecoder("windows-1252").decode(saved)), QString::fromStdString(page));
}

TEST(CliOutputFile, Utf8WithByteOrderMarkOtherwise) {
    const QTemporaryDir dir;
    const QString state = WriteState(dir, QString::fromUtf8("Caf\xC3\xA9"),
                                     QString::fromUtf8("\xD0\x98\xD0\xBC\xD1\x8F"));
    const QString target = dir.filePath("page.asp");
    ASSERT_EQ(Generate(state, target).exitCode, 0);
    EXPECT_EQ(ReadBytes(target), utf8Bom + QByteArray::fromStdString(Generate(state).out));
}

TEST(CliOutputFile, FailedSaveLeavesTheOldFile) {
    const QTemporaryDir dir;
    const QString state = WriteState(dir, "Orders", "Name");
    const QString target = dir.filePath("page.asp");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old page\r\n");
    }
    Outcome run;
    {
        const ombrix::testing::FileSizeLimit fullDisk(100);
        run = Generate(state, target);
    }
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("Error: cannot write " + target.toStdString() + ": ", 0), 0U);
    EXPECT_EQ(ReadBytes(target), QByteArray("old page\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // state and page, no leftovers
}

} // namespace
