#include "platform/SaveDialog.h"

#include "tests/support/ModalAnswers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace ombrix::platform;
using ombrix::testing::answerNextModal;
using ombrix::testing::MessageBoxes;

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// Goes to the file's folder, types its name, picks the filter as a user would, and presses Save.
// (A whole path typed into a name box without the focus is rewritten by the dialog when it
// selects that file in the folder on show; a user types with the focus there.)
void typeNameAndSave(QFileDialog* dialog, const QString& path, int filterIndex) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(types && nameBox);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    nameBox->setText(QFileInfo(path).fileName());
    types->setCurrentIndex(filterIndex - 1);
    emit types->activated(filterIndex - 1);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Save button does
}

} // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT

private slots:
    void nameToWrite_data();
    void nameToWrite();
    void dialogStartsAfreshEveryTime();
    void dialogReturnsNameAndFilter_data();
    void dialogReturnsNameAndFilter();
    void cancelledDialogGivesNoName();
    void dialogAsksBeforeReturningAnExistingName();
    void asksBeforeReplacingTheLongerName_data();
    void asksBeforeReplacingTheLongerName();
};

void SaveDialogTest::nameToWrite_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("written");

    QTest::newRow("page, first filter") << "/d/page" << 1 << "/d/page.asp";
    QTest::newRow("page.asp") << "/d/page.asp" << 1 << "/d/page.asp";
    QTest::newRow("page.ASP unchanged") << "/d/page.ASP" << 1 << "/d/page.ASP";
    QTest::newRow("page.txt, first filter") << "/d/page.txt" << 1 << "/d/page.txt.asp";
    QTest::newRow("page, all files") << "/d/page" << 2 << "/d/page";
    QTest::newRow("page.txt, all files") << "/d/page.txt" << 2 << "/d/page.txt";
    QTest::newRow("trailing blanks stripped") << "/d/page  " << 1 << "/d/page.asp";
    QTest::newRow("blank before .asp is no extension") << "/d/p.asp " << 2 << "/d/p.asp";
    QTest::newRow("just .asp") << "/d/.asp" << 1 << "/d/.asp";
    QTest::newRow("asp without dot") << "/d/pageasp" << 1 << "/d/pageasp.asp";
}

void SaveDialogTest::nameToWrite() {
    QFETCH(QString, chosen);
    QFETCH(int, filterIndex);
    QFETCH(QString, written);
    QCOMPARE(fileNameToWrite({chosen, filterIndex}), written);
}

void SaveDialogTest::dialogStartsAfreshEveryTime() {
    for (int run = 0; run < 2; ++run) {
        QString folder, name, filter;
        QStringList filterTexts;
        answerNextModal<QFileDialog>([&](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            filter = dialog->selectedNameFilter();
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < types->count(); ++i)
                filterTexts << types->itemText(i);
            // Moving away must not carry over to the next dialog.
            dialog->setDirectory(QDir::tempPath());
            dialog->reject();
        });
        askSaveFileName(nullptr);
        QCOMPARE(folder, QDir::rootPath());
        QCOMPARE(name, QString());
        QCOMPARE(filter, QStringLiteral("Active Server Page (*.asp)"));
        QCOMPARE(filterTexts, (QStringList{QStringLiteral("Active Server Page (*.asp)"),
                                           QStringLiteral("All Files (*.*)")}));
    }
}

void SaveDialogTest::dialogReturnsNameAndFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filterIndex");

    QTest::newRow("page, first filter") << "page" << 1;
    QTest::newRow("page, all files") << "page" << 2;
    // Choosing "All Files" keeps the typed extension.
    QTest::newRow("page.txt, all files") << "page.txt" << 2;
}

void SaveDialogTest::dialogReturnsNameAndFilter() {
    QFETCH(QString, typed);
    QFETCH(int, filterIndex);
    QTemporaryDir dir;
    const QString path = dir.filePath(typed);
    answerNextModal<QFileDialog>(
        [&](QFileDialog* dialog) { typeNameAndSave(dialog, path, filterIndex); });
    const SaveChoice choice = askSaveFileName(nullptr);
    QCOMPARE(choice.fileName, path);
    QCOMPARE(choice.filterIndex, filterIndex);
}

void SaveDialogTest::cancelledDialogGivesNoName() {
    answerNextModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QVERIFY(askSaveFileName(nullptr).fileName.isEmpty());
}

void SaveDialogTest::dialogAsksBeforeReturningAnExistingName() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.asp"));
    touch(path);
    MessageBoxes boxes(QMessageBox::Yes);
    answerNextModal<QFileDialog>([&](QFileDialog* dialog) { typeNameAndSave(dialog, path, 1); });
    QCOMPARE(askSaveFileName(nullptr).fileName, path);
    QCOMPARE(boxes.shown().size(), 1);
}

void SaveDialogTest::asksBeforeReplacingTheLongerName_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("goOn");

    QTest::newRow("longer name exists, yes") << "<b>page"
                                             << "<b>page.asp" << QMessageBox::Yes << 1 << true;
    QTest::newRow("longer name exists, no") << "page"
                                            << "page.asp" << QMessageBox::No << 1 << false;
    QTest::newRow("longer name is new") << "page"
                                        << "other.asp" << QMessageBox::No << 0 << true;
    QTest::newRow("the dialog's own name") << "page.asp"
                                           << "page.asp" << QMessageBox::No << 0 << true;
}

void SaveDialogTest::asksBeforeReplacingTheLongerName() {
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(int, questions);
    QFETCH(bool, goOn);
    QTemporaryDir dir;
    touch(dir.filePath(existing));
    const SaveChoice choice{dir.filePath(chosen), 1};

    MessageBoxes boxes(answer);
    QCOMPARE(confirmReplacingOtherName(nullptr, choice, fileNameToWrite(choice)), goOn);
    QCOMPARE(boxes.shown().size(), questions);
    if (questions > 0) {
        QCOMPARE(boxes.shown()[0].title, QStringLiteral("Ombrix"));
        QCOMPARE(boxes.shown()[0].format, Qt::PlainText); // the path is no markup
        QVERIFY(boxes.shown()[0].text.contains(QDir::toNativeSeparators(dir.filePath(existing))));
    }
}

QTEST_MAIN(SaveDialogTest)
#include "SaveDialogTest.moc"
