#include "output/Form2.h"
#include "output/GeneratedPageWindow.h"
#include "output/PageTextBox.h"
#include "output/TextBoxFit.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using namespace ombrix::output;

namespace {

QPlainTextEdit* text1(QWidget* form) {
    return form->findChild<QPlainTextEdit*>("Text1");
}
QPushButton* command1(QWidget* form) {
    return form->findChild<QPushButton*>("Command1");
}

QList<Form2*> outputWindows(QWidget* wizard) {
    return wizard->findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly);
}

// 100 twips from the screen's top left corner are 7 pixels (6.67 rounded).
QPoint loadPosition(QWidget* form) {
    return form->screen()->geometry().topLeft() + QPoint(7, 7);
}

void closeAndUnload(QWidget* form) {
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString page =
    QStringLiteral("<%\r\n\tDim sName\r\n\r\n\tsName = \"\u00e9\u00a0\"\r\n%>\r\n");

} // namespace

class OutputWindowTest : public QObject {
    Q_OBJECT

private slots:
    void createdAsLaidOut();
    void opensWithTheFocusInTheTextBox();
    void fitRule_data();
    void fitRule();
    void resizingFitsOnlyTheTextBox_data();
    void resizingFitsOnlyTheTextBox();
    void textBoxGivesBackThePageText_data();
    void textBoxGivesBackThePageText();
    void breaksTypedInTheBoxBecomeCrLf();
    void finishedTwiceLeavesOneWindowWithOneCopy();
    void reloadedAfterCloseAtTheLoadPosition();
};

void OutputWindowTest::createdAsLaidOut() {
    Form2 form;
    QCOMPARE(form.objectName(), QStringLiteral("Form2"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Ombrix"));
    QVERIFY(form.isWindow());
    QVERIFY(form.windowFlags().testFlags(Qt::WindowMinMaxButtonsHint));
    QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(form.size(), QSize(312, 213)); // 4680 x 3195 twips

    QCOMPARE(command1(&form)->text(), QStringLiteral("Save"));
    QCOMPARE(command1(&form)->geometry(), QRect(7, 4, 49, 21));
    QPlainTextEdit* box = text1(&form);
    QCOMPARE(box->geometry(), QRect(7, 30, 297, 176));
    QCOMPARE(box->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(box->font().pointSize(), 9);
    QCOMPARE(box->font().styleHint(), QFont::TypeWriter);
    QVERIFY(!box->font().bold() && !box->font().italic());
    QCOMPARE(box->tabStopDistance(), 8 * QFontMetricsF(box->font()).horizontalAdvance(u' '));
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!box->isReadOnly());
    QVERIFY(box->toPlainText().isEmpty());
}

void OutputWindowTest::opensWithTheFocusInTheTextBox() {
    QWidget wizard;
    showGeneratedPage(wizard, page);
    Form2* form = outputWindows(&wizard).value(0);
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(QApplication::focusWidget(), text1(form));

    QWidget* next = text1(form)->nextInFocusChain();
    while (next != form && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    QCOMPARE(next, command1(form));
}

void OutputWindowTest::fitRule_data() {
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("fitted");
    const QSize current(4455, 2640);

    QTest::newRow("6000 x 4000") << QSize(6000, 4000) << QSize(5655, 3050);
    QTest::newRow("both at 500: unchanged") << QSize(500, 500) << current;
    QTest::newRow("501: width, height never negative") << QSize(501, 501) << QSize(156, 0);
    QTest::newRow("height 950 gives zero") << QSize(4680, 950) << QSize(4335, 0);
    QTest::newRow("height 951") << QSize(4680, 951) << QSize(4335, 1);
    QTest::newRow("minimised: only the width") << QSize(2400, 400) << QSize(2055, 2640);
    QTest::newRow("narrow: only the height") << QSize(300, 3000) << QSize(4455, 2050);
}

void OutputWindowTest::fitRule() {
    QFETCH(QSize, outer);
    QFETCH(QSize, fitted);
    QCOMPARE(fittedTextBoxSize(outer, QSize(4455, 2640)), fitted);
}

void OutputWindowTest::resizingFitsOnlyTheTextBox_data() {
    QTest::addColumn<QSize>("windowPixels");
    QTest::addColumn<QSize>("textBoxPixels");

    // 400 x 267 pixels are 6000 x 4005 twips: 5655 x 3055 twips for the box.
    QTest::newRow("6000 x 4005 twips") << QSize(400, 267) << QSize(377, 204);
    QTest::newRow("4680 x 3195 twips") << QSize(312, 213) << QSize(289, 150);
    // 40 pixels are 600 twips: the width follows, the height would be negative.
    QTest::newRow("600 x 600 twips") << QSize(40, 40) << QSize(17, 0);
}

void OutputWindowTest::resizingFitsOnlyTheTextBox() {
    QFETCH(QSize, windowPixels);
    QFETCH(QSize, textBoxPixels);
    Form2 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize frame = form.frameGeometry().size() - form.size();
    form.resize(windowPixels - frame);
    QCOMPARE(form.frameGeometry().size(), windowPixels);
    QCOMPARE(text1(&form)->geometry(), QRect(QPoint(7, 30), textBoxPixels));
    QCOMPARE(command1(&form)->geometry(), QRect(7, 4, 49, 21));
}

void OutputWindowTest::textBoxGivesBackThePageText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("page with TABs and empty lines") << page;
    QTest::newRow("no final line end") << QStringLiteral("<%\r\n%>");
    QTest::newRow("only line ends") << QStringLiteral("\r\n\r\n\r\n");
    QTest::newRow("blanks at line ends") << QStringLiteral("a  \r\n\t \r\n");
    QTest::newRow("Cyrillic and no-break spaces") << QStringLiteral("\u0418\u00a0\u00a0x\r\n");
    QTest::newRow("empty") << QString();
}

void OutputWindowTest::textBoxGivesBackThePageText() {
    QFETCH(QString, text);
    Form2 form;
    form.setPageText(text);
    QCOMPARE(pageTextOf(*text1(&form)), text);
}

void OutputWindowTest::breaksTypedInTheBoxBecomeCrLf() {
    Form2 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.setPageText(QStringLiteral("<%\r\n%>\r\n"));
    QPlainTextEdit* box = text1(&form);
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, QStringLiteral("'a"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClicks(box, QStringLiteral("'b"));
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(box, QStringLiteral("'c"));
    QCOMPARE(pageTextOf(*box), QStringLiteral("<%\r\n%>\r\n'a\r\n\t'b\r\n'c"));
}

void OutputWindowTest::finishedTwiceLeavesOneWindowWithOneCopy() {
    QWidget wizard;
    wizard.show();
    showGeneratedPage(wizard, QStringLiteral("first\r\n"));
    showGeneratedPage(wizard, page);
    QCOMPARE(outputWindows(&wizard).size(), 1);
    Form2* form = outputWindows(&wizard).first();
    QVERIFY(form->isVisible());
    QCOMPARE(pageTextOf(*text1(form)), page);
    QVERIFY(wizard.isEnabled()); // not modal
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // A window the user has moved stays where it stands.
    form->move(loadPosition(form) + QPoint(50, 40));
    showGeneratedPage(wizard, page);
    QCOMPARE(outputWindows(&wizard).size(), 1);
    QCOMPARE(form->pos(), loadPosition(form) + QPoint(50, 40));
    QCOMPARE(pageTextOf(*text1(form)), page);
}

void OutputWindowTest::reloadedAfterCloseAtTheLoadPosition() {
    QWidget wizard;
    showGeneratedPage(wizard, QStringLiteral("first\r\n"));
    Form2* first = outputWindows(&wizard).value(0);
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QCOMPARE(first->pos(), loadPosition(first));
    first->move(loadPosition(first) + QPoint(80, 60));

    QPointer<Form2> closed(first);
    first->close();
    // The closed window is gone from the hand-off's view even before its deletion runs.
    showGeneratedPage(wizard, QStringLiteral("second\r\n"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    QCOMPARE(outputWindows(&wizard).size(), 1);
    Form2* second = outputWindows(&wizard).first();
    QVERIFY(QTest::qWaitForWindowExposed(second));
    QCOMPARE(second->pos(), loadPosition(second));
    QCOMPARE(pageTextOf(*text1(second)), QStringLiteral("second\r\n"));
    closeAndUnload(second);
    QVERIFY(outputWindows(&wizard).isEmpty());
}

QTEST_MAIN(OutputWindowTest)
#include "OutputWindowTest.moc"
