#include "output/Form2.h"
#include "tests/support/ModalAnswers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using ombrix::output::Form2;
using ombrix::platform::SaveChoice;
using ombrix::testing::answerNextModal;
using ombrix::testing::MessageBoxes;

namespace {

const QString page =
    QStringLiteral("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\u00e9 \u20ac\"\r\n%>\r\n");
const QByteArray pageBytes("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\xE9 \x80\"\r\n%>\r\n");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

// An output window whose save dialog answers with the given choice.
std::unique_ptr<Form2> windowAnswering(SaveChoice choice, const QString& text = page) {
    auto form = std::make_unique<Form2>(nullptr, [choice](QWidget*) { return choice; });
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->setPageText(text);
    form->show();
    return form;
}

void clickSave(Form2& form) {
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

QPlainTextEdit* text1(Form2& form) {
    return form.findChild<QPlainTextEdit*>("Text1");
}

} // namespace

class SavingTest : public QObject {
    Q_OBJECT

private slots:
    void savesUnderTheNameTheFilterGives_data();
    void savesUnderTheNameTheFilterGives();
    void cancelWritesNothingAndSaysNothing();
    void editedTextIsSavedAsEdited();
    void askedBeforeReplacingTheLongerName_data();
    void askedBeforeReplacingTheLongerName();
    void failureKeepsTheWindow();
    void savesThroughTheRealDialog();
};

void SavingTest::savesUnderTheNameTheFilterGives_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("written");

    // Every naming case is in the save dialog's tests; here the window's text reaches the file.
    QTest::newRow("page") << "page" << 1 << "page.asp";
    QTest::newRow("page, all files") << "page" << 2 << "page";
}

void SavingTest::savesUnderTheNameTheFilterGives() {
    QFETCH(QString, chosen);
    QFETCH(int, filterIndex);
    QFETCH(QString, written);
    QTemporaryDir dir;
    auto form = windowAnswering({dir.filePath(chosen), filterIndex});

    MessageBoxes boxes;
    clickSave(*form);
    QCOMPARE(entries(dir), QStringList{written});
    QCOMPARE(readAll(dir.filePath(written)).toHex(' '), pageBytes.toHex(' '));
    QVERIFY(boxes.shown().isEmpty());
    QVERIFY(form->isVisible());
}

void SavingTest::cancelWritesNothingAndSaysNothing() {
    QTemporaryDir dir;
    auto form = windowAnswering({});
    MessageBoxes boxes;
    clickSave(*form);
    QTest::qWait(50);
    QVERIFY(boxes.shown().isEmpty());
    QVERIFY(entries(dir).isEmpty());
    QCOMPARE(text1(*form)->toPlainText(),
             QStringLiteral("<%\n\tDim sName\n\n\tsName = \"Caf\u00e9 \u20ac\"\n%>\n"));
}

void SavingTest::editedTextIsSavedAsEdited() {
    QTemporaryDir dir;
    auto form = windowAnswering({dir.filePath("page"), 1}, QStringLiteral("<%\r\n%>\r\n"));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QPlainTextEdit* box = text1(*form);
    box->moveCursor(QTextCursor::Start);
    box->moveCursor(QTextCursor::EndOfLine);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClicks(box, QStringLiteral("' "));
    box->insertPlainText(QStringLiteral("\u00e9dit\u00e9")); // keyClicks takes Latin letters only
    clickSave(*form);
    QCOMPARE(readAll(dir.filePath("page.asp")), QByteArray("<%\r\n\t' \xE9"
                                                           "dit\xE9\r\n%>\r\n"));
}

void SavingTest::askedBeforeReplacingTheLongerName_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("yes replaces") << QMessageBox::Yes << pageBytes;
    QTest::newRow("no writes nothing") << QMessageBox::No << QByteArray("old");
}

void SavingTest::askedBeforeReplacingTheLongerName() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QByteArray, left);
    QTemporaryDir dir;
    writeFile(dir.filePath("page.asp"), "old");
    auto form = windowAnswering({dir.filePath("page"), 1});

    MessageBoxes boxes(answer);
    clickSave(*form);
    QCOMPARE(boxes.shown().size(), 1);
    QCOMPARE(boxes.shown()[0].title, QStringLiteral("Ombrix"));
    QCOMPARE(readAll(dir.filePath("page.asp")), left);
    QCOMPARE(entries(dir), QStringList{"page.asp"});
}

// Every way a save can fail is in the saver's tests; here the window reports one.
void SavingTest::failureKeepsTheWindow() {
    QTemporaryDir dir;
    auto form = windowAnswering({dir.filePath("missing/page"), 1});

    MessageBoxes boxes;
    clickSave(*form);
    QCOMPARE(boxes.shown().size(), 1);
    QCOMPARE(boxes.shown()[0].text, QStringLiteral("Unable to save the file."));
    QCOMPARE(boxes.shown()[0].title, QStringLiteral("Ombrix"));
    QCOMPARE(boxes.shown()[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.shown()[0].format, Qt::PlainText);
    QVERIFY(form->isVisible());
    QCOMPARE(text1(*form)->document()->toRawText().replace(QChar::ParagraphSeparator, "\r\n"),
             page);
    QVERIFY(entries(dir).isEmpty());
}

void SavingTest::savesThroughTheRealDialog() {
    QTemporaryDir dir;
    Form2 form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.setPageText(page);
    form.show();

    answerNextModal<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->directory().absolutePath(), QDir::rootPath());
        dialog->setDirectory(dir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("page"));
        static_cast<QDialog*>(dialog)->accept();
    });
    clickSave(form);
    QCOMPARE(entries(dir), QStringList{"page.asp"});
    QCOMPARE(readAll(dir.filePath("page.asp")), pageBytes);
}

QTEST_MAIN(SavingTest)
#include "SavingTest.moc"
