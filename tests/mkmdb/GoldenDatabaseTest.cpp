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
#include <QTextStream>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using testsupport::TemporaryDatabase;

const QDir kGolden(QStringLiteral(OMBRIX_MKMDB_GOLDEN_DIR));

// System tables other than MSysRelationships are compared with Access's in ConformanceTest.
QString dump(const DatabaseSnapshot& db) {
    QString text;
    QTextStream out(&text);
    for (const ObjectSnapshot& o : db.objects) {
        out << "object " << o.id << ' ' << o.parentId << ' ' << o.type << ' ' << o.flags << ' '
            << o.name << '|' << o.database << '|' << o.connect << '|' << o.foreignName << '\n';
    }
    for (const TableSnapshot& table : db.tables) {
        if (table.name.startsWith(QLatin1String("MSys")) &&
            table.name != QLatin1String("MSysRelationships")) {
            continue;
        }
        out << "table " << table.name << " rows " << table.rowCountInTdef << '\n';
        for (const ColumnSnapshot& c : table.columns) {
            out << "column " << c.name << " type " << c.type << " size " << c.size << " fixed "
                << c.fixed << " auto " << c.autoLong << c.autoGuid << " scale " << c.libmdbScale
                << " precision " << c.libmdbPrecision << " ordinal " << c.ordinal << " flags "
                << c.descriptorFlags << '\n';
        }
        for (const IndexSnapshot& i : table.indexes) {
            out << "index " << i.name << " primary " << i.primary << " flags " << i.flags << ": "
                << i.columns.join(QLatin1Char(',')) << '\n';
        }
        for (const QStringList& row : table.rows) {
            out << "row " << row.join(QLatin1Char('|')) << '\n';
        }
    }
    for (const QueryRowSnapshot& r : db.queryRows) {
        out << "query row " << r.objectId << ' ' << r.attribute << ' '
            << QString::fromLatin1(r.order.toHex()) << ' ' << r.name1 << '|' << r.name2 << '|'
            << r.expression << '|' << r.flag << '\n';
    }
    return text;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void compareWithGolden(const QString& name, const QByteArray& actual) {
    const QString golden = kGolden.filePath(name);
    if (qEnvironmentVariableIsSet("OMBRIX_UPDATE_GOLDEN")) {
        QFile file(golden);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual);
    }
    EXPECT_EQ(actual.toStdString(), readFile(golden).toStdString()) << name.toStdString();
}

class GoldenDatabase : public testing::TestWithParam<const char*> {};

TEST_P(GoldenDatabase, ReadsBackAsBefore) {
    const QString name = QString::fromLatin1(GetParam());
    const TemporaryDatabase database(readFile(kGolden.filePath(name + ".json")));
    compareWithGolden(name + ".txt", dump(readWithLibmdb(database.path(), 1 << 16)).toUtf8());
}

INSTANTIATE_TEST_SUITE_P(Descriptions, GoldenDatabase,
                         testing::Values("every-type", "objects", "queries", "wide"),
                         [](const auto& test) {
                             return QString::fromLatin1(test.param).remove('-').toStdString();
                         });

TEST(GoldenDatabase, SampleDatabaseReadsBackAsBefore) {
    compareWithGolden("sample.txt",
                      dump(readWithLibmdb(QStringLiteral(OMBRIX_SAMPLE_DATABASE))).toUtf8());
}

class MdbReader : public testing::TestWithParam<const char*> {};

TEST_P(MdbReader, ReadsWhatLibmdbReads) {
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty() ||
        !QDir(QStringLiteral(MDB_READER_DIR "/node_modules/mdb-reader")).exists()) {
        GTEST_SKIP() << "node or mdb-reader (installed by the test mkmdb_install_mdb_reader) is "
                        "missing";
    }
    const QString name = QString::fromLatin1(GetParam());
    const TemporaryDatabase database(readFile(kGolden.filePath(name + ".json")));
    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral(MDB_READER_SCRIPT),
                                        QStringLiteral(MDB_READER_DIR), database.path()});
    node.waitForFinished(60000);
    ASSERT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
    compareWithGolden(name + ".mdb-reader.json",
                      QJsonDocument::fromJson(node.readAllStandardOutput()).toJson());
}

INSTANTIATE_TEST_SUITE_P(Descriptions, MdbReader, testing::Values("every-type", "wide"),
                         [](const auto& test) {
                             return QString::fromLatin1(test.param).remove('-').toStdString();
                         });

} // namespace
} // namespace ombrix::tests
