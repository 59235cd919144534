// The header page: format checks and the database password, on real headers edited in place.
// The password bytes are scrambled by XOR with a key stream, so a known stored password can be
// replaced by XOR-ing in the difference, without re-implementing the scrambling here.

#include "QtReaderCatalogue.h"
#include "platform/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ombrix::platform;

namespace {

QByteArray conformanceBytes(const QString& name) {
    QFile file(QDir(QStringLiteral(OMBRIX_CONFORMANCE_DIR)).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void xorInto(QByteArray& bytes, qsizetype at, const QByteArray& difference) {
    for (qsizetype i = 0; i < difference.size(); ++i) {
        bytes[at + i] = static_cast<char>(bytes[at + i] ^ difference[i]);
    }
}

QByteArray utf16(const QString& text) {
    return {reinterpret_cast<const char*>(text.utf16()), text.size() * 2};
}

// A Jet 3 file whose stored password is `password` (the sample has none: zeros).
QByteArray jet3WithPassword(const QByteArray& password) {
    QByteArray bytes = conformanceBytes(u"testV1997.mdb"_qs);
    xorInto(bytes, 0x42, password);
    return bytes;
}

// A Jet 4 file whose stored password is `password` instead of "password".
QByteArray jet4WithPassword(const QString& password) {
    QByteArray bytes = conformanceBytes(u"V2000_with-password.mdb"_qs);
    xorInto(bytes, 0x42, utf16(u"password"_qs));
    xorInto(bytes, 0x42, utf16(password));
    return bytes;
}

int passwordError(const QByteArray& file, const QString& supplied) {
    try {
        verifyPassword(parseDatabaseHeader(file, file.size(), u"x.mdb"_qs), supplied);
        return 0;
    } catch (const EngineError& e) {
        return e.number();
    }
}

} // namespace

class DatabaseHeaderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (conformanceBytes(u"testV1997.mdb"_qs).isEmpty()) {
            QSKIP("The real Access files are not at OMBRIX_CONFORMANCE_DIR");
        }
    }

    void comparesPasswordsAsTheEngineDoes_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("supplied");
        QTest::addColumn<int>("error");
        const QByteArray jet3 = jet3WithPassword("Secret");
        QTest::newRow("Jet 3 right") << jet3 << u"Secret"_qs << 0;
        QTest::newRow("Jet 3 letter case") << jet3 << u"secret"_qs << 3031;
        QTest::newRow("Jet 3 missing") << jet3 << QString() << 3031;
        QTest::newRow("Jet 3 prefix") << jet3 << u"Secre"_qs << 3031;
        const QByteArray jet3Latin = jet3WithPassword("M\xfcller"); // in the code page, 1252
        QTest::newRow("Jet 3 code page") << jet3Latin << u"Müller"_qs << 0;
        const QByteArray jet4 = jet4WithPassword(u"Grüße; \"x\"=1"_qs);
        QTest::newRow("Jet 4 non-ASCII and punctuation") << jet4 << u"Grüße; \"x\"=1"_qs << 0;
        QTest::newRow("Jet 4 wrong") << jet4 << u"Grüsse; \"x\"=1"_qs << 3031;
        const QByteArray twenty = jet4WithPassword(u"abcdefghijklmnopqrst"_qs);
        QTest::newRow("Jet 4 twenty characters") << twenty << u"abcdefghijklmnopqrst"_qs << 0;
        QTest::newRow("Jet 4 longer input is cut to twenty")
            << twenty << u"abcdefghijklmnopqrstUVW"_qs << 0;
        QTest::newRow("Jet 4 nineteen") << twenty << u"abcdefghijklmnopqrs"_qs << 3031;
        const QByteArray none = conformanceBytes(u"queryTestV2000.mdb"_qs);
        QTest::newRow("no stored password, none given") << none << QString() << 0;
        QTest::newRow("no stored password, one given") << none << u"x"_qs << 0;
    }

    void comparesPasswordsAsTheEngineDoes() {
        QFETCH(QByteArray, file);
        QFETCH(QString, supplied);
        QFETCH(int, error);
        QCOMPARE(passwordError(file, supplied), error);
    }

    void aJet3PasswordProtectsTheCatalogue() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"p.mdb"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(jet3WithPassword("Secret"));
        file.close();
        QtReaderCatalogue catalogue;
        QCOMPARE(catalogue.listObjects(path, u"Secret"_qs).tables.size(), 10);
        QVERIFY_THROWS_EXCEPTION(EngineError, catalogue.listObjects(path, {}));
    }

    void readsFormatAndSortOrder() {
        const QByteArray jet3 = conformanceBytes(u"testV1997.mdb"_qs);
        const auto header3 = parseDatabaseHeader(jet3, jet3.size(), u"x"_qs);
        QCOMPARE(header3.format, JetFormat::Jet3);
        QCOMPARE(header3.pageSize, 2048);
        QCOMPARE(header3.sortOrder, SortOrder::General97);
        QCOMPARE(header3.codePage, 1252);
        const QByteArray jet4 = conformanceBytes(u"V2000_with-password.mdb"_qs);
        const auto header4 = parseDatabaseHeader(jet4, jet4.size(), u"x"_qs);
        QCOMPARE(header4.format, JetFormat::Jet4);
        QCOMPARE(header4.sortOrder, SortOrder::GeneralLegacy);
        QCOMPARE(header4.password, u"password"_qs);
    }

    void rejectsWhatIsNoAccessHeader_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("value");
        QTest::addColumn<qsizetype>("length");
        QTest::newRow("page type") << 0 << '\x01' << qsizetype{-1};
        QTest::newRow("engine name") << 4 << 'X' << qsizetype{-1};
        QTest::newRow("unknown version") << 0x14 << '\x07' << qsizetype{-1};
        QTest::newRow("shorter than two pages") << 0 << '\0' << qsizetype{4096 + 100};
    }

    void rejectsWhatIsNoAccessHeader() {
        QFETCH(int, offset);
        QFETCH(char, value);
        QFETCH(qsizetype, length);
        QByteArray bytes = conformanceBytes(u"queryTestV2000.mdb"_qs);
        bytes[offset] = value;
        if (length >= 0) {
            bytes.truncate(length);
        }
        try {
            parseDatabaseHeader(bytes, bytes.size(), u"x.mdb"_qs);
            QFAIL("accepted");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), 3343);
            QCOMPARE(e.description(), u"Unrecognized database format 'x.mdb'."_qs);
        }
    }

    void anEncryptedAccdbIsRecognised() {
        QByteArray bytes = conformanceBytes(u"queryTestV2000.mdb"_qs);
        bytes[0x14] = 3; // ACE 14
        const auto plain = parseDatabaseHeader(bytes, bytes.size(), u"x"_qs);
        QCOMPARE(plain.format, JetFormat::Ace);
        QVERIFY(!plain.officeEncrypted);
        xorInto(bytes, 0x3E, QByteArray("\x01\x00\x00\x00", 4)); // a page-encryption key
        QVERIFY(parseDatabaseHeader(bytes, bytes.size(), u"x"_qs).officeEncrypted);
    }
};

QTEST_GUILESS_MAIN(DatabaseHeaderTest)
#include "DatabaseHeaderTest.moc"
