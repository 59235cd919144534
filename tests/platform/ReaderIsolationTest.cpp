// The reader runs apart: crashes, hangs, garbage answers and damaged files become engine errors.

#include "platform/ReaderCatalogue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace ombrix::platform;
using namespace std::chrono_literals;

namespace {

QString conformanceFile(const QString& name) {
    return QDir(QStringLiteral(OMBRIX_CONFORMANCE_DIR)).filePath(name);
}

QString fakeReader() {
    return QCoreApplication::applicationDirPath() + u"/fake-reader"_qs;
}

// The error a request ends in; 0 when it answers.
int errorOf(const std::function<void()>& request) {
    try {
        request();
        return 0;
    } catch (const EngineError& e) {
        if (e.description().isEmpty()) {
            return -1;
        }
        return e.number();
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class ReaderIsolationTest : public QObject {
    Q_OBJECT

private slots:
    void misbehavingReaderBecomesAnEngineError_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("crash") << u"crash"_qs;
        QTest::newRow("abort") << u"abort"_qs;
        QTest::newRow("hang") << u"hang"_qs;
        QTest::newRow("hang with output closed") << u"hang-silently-closed"_qs;
        QTest::newRow("endless output") << u"flood"_qs;
        QTest::newRow("failure exit code") << u"exit-code"_qs;
        QTest::newRow("no answer") << QString();
        QTest::newRow("not JSON") << u"Segmentation fault"_qs;
        QTest::newRow("cut short")
            << QString::fromUtf8("{\"ombrixReader\":1,\"objects\":{\"tables\":[\"Ord");
        QTest::newRow("other version")
            << QString::fromUtf8("{\"ombrixReader\":2,\"objects\":{\"tables\":[],\"queries\":[]}}");
        QTest::newRow("no version")
            << QString::fromUtf8("{\"objects\":{\"tables\":[],\"queries\":[]}}");
        QTest::newRow("extra member") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"objects\":{\"tables\":[],\"queries\":[]},\"x\":1}");
        QTest::newRow("query type as text") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"objects\":{\"tables\":[],\"queries\":[[\"Q\",\"0\"]]}}");
        QTest::newRow("query type out of range") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"objects\":{\"tables\":[],\"queries\":[[\"Q\",4096]]}}");
        QTest::newRow("empty table name") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"objects\":{\"tables\":[\"\"],\"queries\":[]}}");
        QTest::newRow("answer to another question") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"definition\":{\"fields\":[],\"indexes\":[]}}");
        QTest::newRow("error without number") << QString::fromUtf8(
            "{\"ombrixReader\":1,\"error\":[\"x\",\"Not a valid password.\"]}");
    }

    void misbehavingReaderBecomesAnEngineError() {
        QFETCH(QString, mode);
        qputenv("OMBRIX_FAKE_READER", mode.toUtf8());
        ReaderCatalogue catalogue(fakeReader(), 1500ms);
        QElapsedTimer clock;
        clock.start();
        try {
            catalogue.listObjects(u"/x/Orders.mdb"_qs, {});
            QFAIL("no error");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), 3343);
            QVERIFY2(e.description().startsWith(u"Unrecognized database format '/x/Orders.mdb'."),
                     qPrintable(e.description()));
        }
        QVERIFY(clock.elapsed() < 10000);
    }

    void wellFormedAnswersAreTakenAsSent() {
        qputenv("OMBRIX_FAKE_READER", "{\"ombrixReader\":1,\"objects\":{\"tables\":[\"Orders\"],"
                                      "\"queries\":[[\"Big orders\",0]]}}");
        ReaderCatalogue catalogue(fakeReader(), 5s);
        const auto objects = catalogue.listObjects(u"x.mdb"_qs, {});
        QCOMPARE(objects.tables.size(), 1);
        QCOMPARE(objects.tables[0].name, u"Orders"_qs);
        QCOMPARE(objects.queries[0].name, u"Big orders"_qs);

        qputenv("OMBRIX_FAKE_READER",
                "{\"ombrixReader\":1,\"error\":[3031,\"Not a valid password.\"]}");
        QCOMPARE(errorOf([&] { catalogue.listObjects(u"x.mdb"_qs, {}); }), 3031);
    }

    void libmdbVariablesDoNotReachTheReader() {
        qputenv("OMBRIX_FAKE_READER", "environment");
        qputenv("MDBPATH", "a::b");
        qputenv("MDBICONV", "ISO-8859-1");
        qputenv("MDBOPTS", "debug_all");
        qputenv("MDB_JET3_CHARSET", "CP437");
        ReaderCatalogue catalogue(fakeReader(), 5s);
        const auto objects = catalogue.listObjects(u"x.mdb"_qs, {});
        qunsetenv("MDBPATH");
        qunsetenv("MDBICONV");
        qunsetenv("MDBOPTS");
        qunsetenv("MDB_JET3_CHARSET");
        QVERIFY(objects.tables.isEmpty());
    }

    void aMissingReaderIsReported() {
        ReaderCatalogue catalogue(u"/nonexistent/ombrix-reader"_qs, 5s);
        try {
            catalogue.listObjects(u"x.mdb"_qs, {});
            QFAIL("no error");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), 429);
            QVERIFY(e.description().contains(u"/nonexistent/ombrix-reader"_qs));
        }
    }

    void filesThatAreNoDatabase_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("error");
        QTest::newRow("missing file") << u"missing"_qs << 3024;
        QTest::newRow("missing folder") << u"missing-folder"_qs << 3044;
        QTest::newRow("empty path") << u"empty-path"_qs << 3044;
        QTest::newRow("empty file") << u"empty"_qs << 3343;
        QTest::newRow("text file") << u"text"_qs << 3343;
        QTest::newRow("folder") << u"folder"_qs << 3343;
        QTest::newRow("one page of a database") << u"one-page"_qs << 3343;
        QTest::newRow("unreadable") << u"unreadable"_qs << 3051;
    }

    void filesThatAreNoDatabase() {
        QFETCH(QString, kind);
        QFETCH(int, error);
        QTemporaryDir dir;
        QString path = dir.filePath(u"db.mdb"_qs);
        if (kind == u"missing-folder") {
            path = dir.filePath(u"no/db.mdb"_qs);
        } else if (kind == u"empty-path") {
            path.clear();
        } else if (kind == u"empty") {
            writeFile(path, {});
        } else if (kind == u"text") {
            writeFile(path, QByteArray("Standard Jet DB, honestly\n").repeated(1000));
        } else if (kind == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir(u"db.mdb"_qs));
        } else if (kind == u"one-page") {
            writeFile(path, readFile(conformanceFile(u"queryTestV2000.mdb"_qs)).left(4096));
        } else if (kind == u"unreadable") {
            if (geteuid() == 0) {
                QSKIP("Permissions do not bind the superuser");
            }
            writeFile(path, readFile(conformanceFile(u"queryTestV2000.mdb"_qs)));
            QFile::setPermissions(path, {});
        }
        if (kind == u"one-page" && !QFileInfo::exists(conformanceFile(u"queryTestV2000.mdb"_qs))) {
            QSKIP("The real Access files are not at OMBRIX_CONFORMANCE_DIR");
        }
        ReaderCatalogue catalogue;
        QCOMPARE(errorOf([&] { catalogue.listObjects(path, {}); }), error);
    }

    void libmdbSearchPathCannotHangTheReader() {
        qputenv("MDBPATH", "a::b:");
        ReaderCatalogue catalogue({}, 5s);
        const int error = errorOf([&] { catalogue.listObjects(u"no-such-file.mdb"_qs, {}); });
        qunsetenv("MDBPATH");
        QCOMPARE(error, 3024);
    }

    // Damage of every kind gives an answer or an engine error, never a crash or a hang of ours.
    void damagedFilesGiveErrors_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("seed");
        for (const char* file : {"queryTestV2000.mdb", "testV1997.mdb"}) {
            for (const char* damage : {"truncate", "header", "catalogue", "anywhere"}) {
                for (int seed = 1; seed <= 6; ++seed) {
                    QTest::addRow("%s %s %d", file, damage, seed)
                        << QString::fromLatin1(file) << QString::fromLatin1(damage) << seed;
                }
            }
        }
    }

    void damagedFilesGiveErrors() {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(int, seed);
        QByteArray bytes = readFile(conformanceFile(file));
        if (bytes.isEmpty()) {
            QSKIP("The real Access files are not at OMBRIX_CONFORMANCE_DIR");
        }
        const int pageSize = file.contains(u"1997") ? 2048 : 4096;
        QRandomGenerator random(static_cast<quint32>(seed));
        if (damage == u"truncate") {
            bytes.truncate(random.bounded(pageSize * 2, pageSize * 6));
        } else {
            // The header page, the catalogue's definition and data pages, or any page.
            const qsizetype from = damage == u"header"      ? 0
                                   : damage == u"catalogue" ? 2 * pageSize
                                                            : 0;
            const qsizetype span = damage == u"anywhere" ? bytes.size() : 2 * pageSize;
            for (int i = 0; i < 40; ++i) {
                const auto at = from + random.bounded(static_cast<int>(span));
                bytes[at] = static_cast<char>(random.bounded(256));
            }
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"damaged.mdb"_qs);
        writeFile(path, bytes);
        ReaderCatalogue catalogue({}, 5s);
        const QList<int> expected{0, 3343, 3031, 3265, 3078, 3251, 3103};
        DatabaseObjects objects;
        const int listed = errorOf([&] { objects = catalogue.listObjects(path, {}); });
        QVERIFY2(expected.contains(listed), qPrintable(QString::number(listed)));
        if (damage == u"truncate" || (damage == u"header" && bytes[0] != 0)) {
            QCOMPARE(listed, 3343);
        }
        for (const auto& table : objects.tables) {
            const int described =
                errorOf([&] { catalogue.describeObject(path, {}, ObjectKind::Table, table.name); });
            QVERIFY2(expected.contains(described), qPrintable(QString::number(described)));
        }
    }

    void damagedPasswordBytesRefuseTheRightPassword() {
        QByteArray bytes = readFile(conformanceFile(u"V2000_with-password.mdb"_qs));
        if (bytes.isEmpty()) {
            QSKIP("The real Access files are not at OMBRIX_CONFORMANCE_DIR");
        }
        bytes[0x43] = static_cast<char>(bytes[0x43] ^ 0x20);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.mdb"_qs);
        writeFile(path, bytes);
        ReaderCatalogue catalogue;
        QCOMPARE(errorOf([&] { catalogue.listObjects(path, u"password"_qs); }), 3031);
    }
};

QTEST_GUILESS_MAIN(ReaderIsolationTest)
#include "ReaderIsolationTest.moc"
