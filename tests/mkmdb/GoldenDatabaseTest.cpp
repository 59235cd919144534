// Databases written by mkmdb from golden/NAME.json, read back whole through libmdb and, where node
// and the npm package mdb-reader (written independently of libmdb) are at hand, through that too;
// compared with golden/NAME.txt and golden/NAME.mdb-reader.json. OMBRIX_UPDATE_GOLDEN=1 writes
// them anew (review the diff).
#include "LibmdbSnapshot.h"
#include "support/Files.h"
#include "support/TemporaryDatabase.h"
#include "support/TestData.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const QDir kGolden(QString::fromStdString(sourceFile("tests/mkmdb/golden").string()));

std::string golden(const QString& name) {
    return readFile(kGolden.filePath(name).toStdString());
}

void compareWithGolden(const QString& name, const QString& actual) {
    expectGolden(actual.toStdString(), kGolden.filePath(name).toStdString());
}

class GoldenDatabase : public testing::TestWithParam<const char*> {
protected:
    const QString name_ = QString::fromLatin1(GetParam());
    const TemporaryDatabase database_{QByteArray::fromStdString(golden(name_ + ".json"))};
};

TEST_P(GoldenDatabase, ReadsBackThroughLibmdbAsBefore) {
    compareWithGolden(name_ + ".txt", readWithLibmdb(database_.path()).join(QLatin1Char('\n')));
}

TEST_P(GoldenDatabase, ReadsBackThroughMdbReaderAsBefore) {
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty() ||
        !std::filesystem::exists(builtFile("node/node_modules/mdb-reader"))) {
        GTEST_SKIP() << "node or mdb-reader (see mkmdb_install_mdb_reader) is missing";
    }
    QProcess node;
    node.start(QStringLiteral("node"),
               {QString::fromStdString(sourceFile("tests/mkmdb/read-with-mdb-reader.mjs").string()),
                QString::fromStdString(builtFile("node").string()), database_.path()});
    node.waitForFinished(60000);
    ASSERT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
    compareWithGolden(
        name_ + ".mdb-reader.json",
        QString::fromUtf8(QJsonDocument::fromJson(node.readAllStandardOutput()).toJson()));
}

INSTANTIATE_TEST_SUITE_P(Descriptions, GoldenDatabase,
                         testing::Values("every-type", "objects", "queries", "wide"),
                         [](const auto& test) {
                             return QString::fromLatin1(test.param).remove('-').toStdString();
                         });

TEST(GoldenDatabase, SampleDatabaseReadsBackAsBefore) {
    const QStringList lines =
        readWithLibmdb(QString::fromStdString(builtFile("samples/shop.mdb").string()));
    compareWithGolden(QStringLiteral("sample.txt"), lines.join(QLatin1Char('\n')));
}

} // namespace
} // namespace ombrix::tests
