// Databases written by mkmdb from golden/NAME.json, read back whole through libmdb and, where node
// and the npm package mdb-reader (written independently of libmdb) are at hand, through that too;
// compared with golden/NAME.txt and golden/NAME.mdb-reader.json. OMBRIX_UPDATE_GOLDEN=1 writes
// them anew (review the diff).
#include "LibmdbSnapshot.h"
#include "TemporaryDatabase.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const QDir kGolden(QStringLiteral(OMBRIX_MKMDB_GOLDEN_DIR));

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void compareWithGolden(const QString& name, const QString& actual) {
    const QString golden = kGolden.filePath(name);
    if (qEnvironmentVariableIsSet("OMBRIX_UPDATE_GOLDEN")) {
        QFile file(golden);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
    }
    EXPECT_EQ(actual.toStdString(), readFile(golden).toStdString()) << name.toStdString();
}

class GoldenDatabase : public testing::TestWithParam<const char*> {
protected:
    const QString name_ = QString::fromLatin1(GetParam());
    const TemporaryDatabase database_{readFile(kGolden.filePath(name_ + ".json"))};
};

TEST_P(GoldenDatabase, ReadsBackThroughLibmdbAsBefore) {
    compareWithGolden(name_ + ".txt", readWithLibmdb(database_.path()).join(QLatin1Char('\n')));
}

TEST_P(GoldenDatabase, ReadsBackThroughMdbReaderAsBefore) {
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty() ||
        !QDir(QStringLiteral(MDB_READER_DIR "/node_modules/mdb-reader")).exists()) {
        GTEST_SKIP() << "node or mdb-reader (see mkmdb_install_mdb_reader) is missing";
    }
    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral(MDB_READER_SCRIPT),
                                        QStringLiteral(MDB_READER_DIR), database_.path()});
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
    const QStringList lines = readWithLibmdb(QStringLiteral(OMBRIX_SAMPLE_DATABASE));
    compareWithGolden(QStringLiteral("sample.txt"), lines.join(QLatin1Char('\n')));
}

} // namespace
} // namespace ombrix::tests
