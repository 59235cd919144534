#include "platform/TextSaver.h"

#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using ombrix::platform::encodePageText;
using ombrix::platform::saveText;
using ombrix::testing::FileSizeLimit;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray utf8Bom("\xEF\xBB\xBF");

} // namespace

class TextSaverTest : public QObject {
    Q_OBJECT

private slots:
    void encodesByTheCharactersItHolds_data();
    void encodesByTheCharactersItHolds();
    void writesTheBytesAndReplacesAnOldFile();
    void failsWithoutTouchingTheOldFile_data();
    void failsWithoutTouchingTheOldFile();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
};

void TextSaverTest::encodesByTheCharactersItHolds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII with CR LF and TABs") << QStringLiteral("<%\r\n\tDim x\r\n\r\n%>\r\n")
                                               << QByteArray("<%\r\n\tDim x\r\n\r\n%>\r\n");
    QTest::newRow("e acute and euro in Windows-1252") << QStringLiteral("Caf\u00e9 \u20ac5\r\n")
                                                      << QByteArray("Caf\xE9 \x80"
                                                                    "5\r\n");
    QTest::newRow("the 0x80-0x9F range")
        << QStringLiteral("\u201cOE\u201d \u0152 \u2026 \u2122 \u017e")
        << QByteArray("\x93OE\x94 \x8C \x85 \x99 \x9E");
    QTest::newRow("upper Latin-1 half")
        << QStringLiteral("\u00ff\u00a0\u00c5") << QByteArray("\xFF\xA0\xC5");
    QTest::newRow("Cyrillic field name in UTF-8 with a BOM")
        << QStringLiteral("\u0418\u043c\u044f\r\n")
        << utf8Bom + QByteArray("\xD0\x98\xD0\xBC\xD1\x8F\r\n");
    QTest::newRow("one character outside makes all UTF-8")
        << QStringLiteral("\u00e9\u20ac \u0416")
        << utf8Bom + QByteArray("\xC3\xA9\xE2\x82\xAC \xD0\x96");
    QTest::newRow("U+0080 has no place in Windows-1252")
        << QStringLiteral("a\u0080") << utf8Bom + QByteArray("a\xC2\x80");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TextSaverTest::encodesByTheCharactersItHolds() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodePageText(text).toHex(' '), bytes.toHex(' '));
}

void TextSaverTest::writesTheBytesAndReplacesAnOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.asp"));
    writeFile(path, QByteArray(5000, 'x'));

    QString error;
    QVERIFY(saveText(path, QStringLiteral("<%\r\n\t\u00e9\r\n%>\r\n"), &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(readAll(path), QByteArray("<%\r\n\t\xE9\r\n%>\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.asp")});
}

void TextSaverTest::failsWithoutTouchingTheOldFile_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("readOnlyFolder");

    const QString base = QDir::tempPath() + QStringLiteral("/ombrix-saver-");
    QTest::newRow("missing folder") << base + QStringLiteral("missing/none/page.asp") << false;
    QTest::newRow("a file where a folder should be") << QStringLiteral("FILE/page.asp") << false;
    QTest::newRow("a folder of that name") << QStringLiteral("FOLDER") << false;
    QTest::newRow("read-only folder, existing file") << QStringLiteral("old.asp") << true;
    // /proc refuses new files even to root, so this one holds where permissions do not.
    QTest::newRow("folder that takes no new file, existing file")
        << QStringLiteral("/proc/version") << false;
}

void TextSaverTest::failsWithoutTouchingTheOldFile() {
    QFETCH(QString, path);
    QFETCH(bool, readOnlyFolder);

    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("FILE")), "not a folder");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("FOLDER")));
    if (QDir::isRelativePath(path))
        path = dir.filePath(path);
    if (readOnlyFolder) {
        if (geteuid() == 0)
            QSKIP("permissions do not stop root");
        writeFile(path, "old");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray before = readAll(path);

    QString error;
    QVERIFY(!saveText(path, QStringLiteral("new text\r\n"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), before);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (path.startsWith(dir.path())) {
        const QStringList left =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(left.size(), readOnlyFolder ? 3 : 2); // no temporary file left behind
    }
}

void TextSaverTest::failedWriteLeavesTheOldFile_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("short text") << 100;
    QTest::newRow("long text") << 100000;
}

void TextSaverTest::failedWriteLeavesTheOldFile() {
    QFETCH(int, length);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.asp"));
    writeFile(path, "the old page\r\n");

    bool saved = true;
    {
        const FileSizeLimit limit(64);
        saved = saveText(path, QString(length, u'x'));
    }
    QVERIFY(!saved);
    QCOMPARE(readAll(path), QByteArray("the old page\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.asp")});
}

QTEST_GUILESS_MAIN(TextSaverTest)
#include "TextSaverTest.moc"
