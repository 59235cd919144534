// The thin platform wrappers that the wizard window uses: the argument text, dropped file lists
// and the open-file dialog's filter.
#include "platform/ArgumentText.h"
#include "platform/DatabaseFileDialog.h"
#include "platform/DroppedFiles.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <vector>

using namespace ombrix::platform;

class tst_ShellWrappers : public QObject {
    Q_OBJECT

private slots:
    void argumentText_data();
    void argumentText();
    void droppedFiles_data();
    void droppedFiles();
    void dialogListsDatabasesWhateverTheirCase();
};

void tst_ShellWrappers::argumentText_data() {
    QTest::addColumn<QStringList>("argv");
    QTest::addColumn<QString>("text");
    QTest::newRow("no arguments") << QStringList{"ombrix"} << QString();
    QTest::newRow("one path") << QStringList{"ombrix", "/data/Shop.MDB"}
                              << QStringLiteral("/data/Shop.MDB");
    QTest::newRow("blanks inside an argument")
        << QStringList{"ombrix", "/my data/a.mdb"} << QStringLiteral("/my data/a.mdb");
    QTest::newRow("two words") << QStringList{"ombrix", "a.mdb", "more"}
                               << QStringLiteral("a.mdb more");
    QTest::newRow("Qt's options stay") << QStringList{"ombrix", "-platform", "xcb", "a.mdb"}
                                       << QStringLiteral("-platform xcb a.mdb");
    QTest::newRow("empty argument")
        << QStringList{"ombrix", "", "a.mdb"} << QStringLiteral(" a.mdb");
    QTest::newRow("non-ASCII") << QStringList{"ombrix", "/données/Zürich.mdb"}
                               << QStringLiteral("/données/Zürich.mdb");
}

void tst_ShellWrappers::argumentText() {
    QFETCH(QStringList, argv);
    QFETCH(QString, text);
    std::vector<QByteArray> bytes;
    for (const QString& argument : argv)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<const char*> pointers;
    for (const QByteArray& argument : bytes)
        pointers.push_back(argument.constData());
    QCOMPARE(ombrix::platform::argumentText(static_cast<int>(pointers.size()), pointers.data()),
             text);
}

void tst_ShellWrappers::droppedFiles_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("fileList");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("nothing") << QList<QUrl>{} << false << QStringList{};
    QTest::newRow("files in order")
        << QList<QUrl>{QUrl::fromLocalFile("/b/z.mdb"), QUrl::fromLocalFile("/a/y.txt")} << true
        << QStringList{QDir::toNativeSeparators("/b/z.mdb"), QDir::toNativeSeparators("/a/y.txt")};
    QTest::newRow("a web link") << QList<QUrl>{QUrl("http://example.org/a.mdb")} << false
                                << QStringList{};
    QTest::newRow("a file and a web link")
        << QList<QUrl>{QUrl::fromLocalFile("/b/z.mdb"), QUrl("http://example.org/a.mdb")} << false
        << QStringList{};
}

void tst_ShellWrappers::droppedFiles() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, fileList);
    QFETCH(QStringList, paths);
    QMimeData data;
    data.setUrls(urls);
    QCOMPARE(holdsFileList(data), fileList);
    QCOMPARE(droppedFilePaths(data), paths);
}

void tst_ShellWrappers::dialogListsDatabasesWhateverTheirCase() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"Shop.MDB", "lower.mdb", "notes.txt", "notes.mdb.txt"}) {
        QFile file(QDir(folder.path()).filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    QStringList listed;
    bool looked = false;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        dialog->setDirectory(folder.path());
        // The model reads the folder in the background; wait until the two databases are in.
        QTRY_COMPARE(model->rowCount(model->index(folder.path())), 2);
        const QModelIndex parent = model->index(folder.path());
        for (int row = 0; row < model->rowCount(parent); ++row)
            listed.append(model->index(row, 0, parent).data().toString());
        listed.sort();
        looked = true;
        dialog->reject();
    });
    QCOMPARE(chooseDatabaseFile(nullptr), QString());
    QVERIFY(looked);
    QCOMPARE(listed, (QStringList{"Shop.MDB", "lower.mdb"}));
}

QTEST_MAIN(tst_ShellWrappers)
#include "tst_ShellWrappers.moc"
