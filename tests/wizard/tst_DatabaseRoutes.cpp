// The four ways a path gets into the database box: typing (elsewhere), "Select...", dropping files
// and the command line.
#include "WizardDriver.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace ombrix;
using namespace ombrix::testing;

namespace {

QMimeData* fileList(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

} // namespace

class tst_DatabaseRoutes : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void drops_data();
    void drops();
    void selectChoosesAFile();
    void cancelledSelectKeepsTheBox();
};

void tst_DatabaseRoutes::commandLine_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("shown");
    const QStringList none;
    const QStringList objectNotSet{QStringLiteral(
        "message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set")};
    QTest::newRow("none") << QString() << QString() << 1 << none;
    QTest::newRow("a database") << shopPath << shopPath << 2 << none;
    QTest::newRow("upper-case extension, missing")
        << QStringLiteral("/data/Nowhere.MDB") << QStringLiteral("/data/Nowhere.MDB") << 1
        << objectNotSet;
    QTest::newRow("quoted path") << '"' + shopPath + '"' << QString() << 1 << none;
    QTest::newRow("path and a word") << shopPath + " --fast" << QString() << 1 << none;
    QTest::newRow("two paths: the whole text")
        << filterPath + ' ' + shopPath << filterPath + ' ' + shopPath << 1 << objectNotSet;
    QTest::newRow("Qt's options are not taken out")
        << "-platform xcb " + shopPath << "-platform xcb " + shopPath << 1 << objectNotSet;
}

void tst_DatabaseRoutes::commandLine() {
    QFETCH(QString, arguments);
    QFETCH(QString, box);
    QFETCH(int, page);
    QFETCH(QStringList, shown);
    WizardDriver wizard;
    bool visibleUnderMessage = true;
    if (!shown.isEmpty()) {
        wizard.answers.with([&](QWidget& modal) {
            visibleUnderMessage = wizard.form->isVisible();
            QTest::mouseClick(qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok),
                              Qt::LeftButton);
        });
    }
    QVERIFY(wizard.start(arguments));
    QCOMPARE(wizard.get<QLineEdit>("txtDBName")->text(), box);
    QCOMPARE(wizard.visiblePage(), page);
    QCOMPARE(wizard.form->currentStep(), page);
    QCOMPARE(wizard.answers.log, shown);
    if (!shown.isEmpty())
        QVERIFY(!visibleUnderMessage);
}

void tst_DatabaseRoutes::drops_data() {
    QTest::addColumn<QStringList>("files"); // empty: plain text is dragged
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<QString>("box");
    const QString typed = QStringLiteral("typed.mdb");
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
    QTest::newRow("one database") << QStringList{"/d/Shop.mdb"} << copyOrMove << true
                                  << QStringLiteral("/d/Shop.mdb");
    QTest::newRow("the first database of three")
        << QStringList{"/d/notes.txt", "/d/x/Orders.MDB", "/d/y/last.mdb"} << copyOrMove << true
        << QStringLiteral("/d/x/Orders.MDB");
    QTest::newRow("a name that only contains .mdb")
        << QStringList{"/d/notes.mdb.txt"} << copyOrMove << true << typed;
    QTest::newRow("a path with blanks") << QStringList{"/d/my data/a b.mdb"} << copyOrMove << true
                                        << QStringLiteral("/d/my data/a b.mdb");
    QTest::newRow("move only") << QStringList{"/d/Shop.mdb"} << Qt::DropActions(Qt::MoveAction)
                               << false << typed;
    QTest::newRow("text, not a file list") << QStringList{} << copyOrMove << false << typed;
}

void tst_DatabaseRoutes::drops() {
    QFETCH(QStringList, files);
    QFETCH(Qt::DropActions, offered);
    QFETCH(bool, granted);
    QFETCH(QString, box);
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(QStringLiteral("typed.mdb"));
    auto* target = wizard.get<QLineEdit>("txtDBName");
    std::unique_ptr<QMimeData> data(files.isEmpty() ? new QMimeData : fileList(files));
    if (files.isEmpty())
        data->setText(QStringLiteral("/d/dragged text.mdb"));

    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), granted);
    if (granted)
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent move(centre, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QCOMPARE(move.isAccepted(), granted);

    if (granted) {
        QDropEvent drop(QPointF(centre), offered, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    QCOMPARE(target->text(), box);
    if (box != QStringLiteral("typed.mdb"))
        QCOMPARE(wizard.form->focusWidget(), wizard.get("btnNext"));
    QCOMPARE(wizard.form->currentStep(), 1);
}

void tst_DatabaseRoutes::selectChoosesAFile() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Shop.MDB"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    WizardDriver wizard;
    wizard.catalogue.databases[path] = shopDatabase();
    QVERIFY(wizard.start());
    QString startedIn;
    QStringList filters;
    QString title;
    Qt::WindowModality modality = Qt::ApplicationModal;
    wizard.answers.with([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        modality = dialog->windowModality();
        startedIn = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        title = dialog->windowTitle();
        dialog->selectFile(path);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open),
                          Qt::LeftButton);
    });
    wizard.click("btnFile");
    QCOMPARE(startedIn, QDir::rootPath());
    QCOMPARE(filters, QStringList{"Microsoft Access Databases (*.mdb)"});
    QCOMPARE(title, QStringLiteral("Select A Database"));
    QCOMPARE(modality, Qt::WindowModal); // the output window stays usable
    QCOMPARE(wizard.get<QLineEdit>("txtDBName")->text(), QDir::toNativeSeparators(path));
    QCOMPARE(wizard.form->focusWidget(), wizard.get("btnNext"));
    QCOMPARE(wizard.form->currentStep(), 1);

    QTest::keyClick(wizard.get("btnNext"), Qt::Key_Return);
    QCOMPARE(wizard.form->currentStep(), 2);
}

void tst_DatabaseRoutes::cancelledSelectKeepsTheBox() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(QStringLiteral("/typed/path.mdb"));
    wizard.answers.with([](QWidget& modal) { qobject_cast<QFileDialog*>(&modal)->reject(); });
    wizard.click("btnFile");
    QVERIFY(wizard.answers.allAnswered());
    QCOMPARE(wizard.get<QLineEdit>("txtDBName")->text(), QStringLiteral("/typed/path.mdb"));
    QCOMPARE(wizard.form->focusWidget(), wizard.get("txtDBName"));

    // No button is a default button: Enter in the box neither opens the dialog again nor goes on.
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Return);
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(wizard.answers.log, QStringList{"window|DatabaseFileDialog"});
    QCOMPARE(wizard.form->currentStep(), 1);
}

QTEST_MAIN(tst_DatabaseRoutes)
#include "tst_DatabaseRoutes.moc"
