// The wizard window as a whole: what it shows at start, where every control sits, going forward
// and back through the pages, "Finished", closing, the website label.
#include "WizardDriver.h"
#include "generator/GeneratePage.h"
#include "ombrix/ProjectInfo.h"
#include "wizard/VersionCaption.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace ombrix;
using namespace ombrix::testing;

// Receives what the website label asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class tst_WizardFrame : public QObject {
    Q_OBJECT

private slots:
    void versionCaption_data();
    void versionCaption();
    void startsOnPageOne();
    void controlGeometry_data();
    void controlGeometry();
    void tabOrderStartsWithTheDatabaseBox();
    void forwardAndBackThroughAllPages();
    void backFromSummaryKeepsSelectionAndRebuilds();
    void finishedTwiceGeneratesFromTheCurrentState();
    void escapeDoesNotCloseButCloseDoes();
    void websiteLabelOpensTheAddress();
};

void tst_WizardFrame::versionCaption_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1.0.35") << 1 << 0 << 35 << "Ombrix - Version 1.00.0035";
    QTest::newRow("1.0.0") << 1 << 0 << 0 << "Ombrix - Version 1.00.0000";
    QTest::newRow("12.345.67890") << 12 << 345 << 67890 << "Ombrix - Version 12.345.67890";
}

void tst_WizardFrame::versionCaption() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, caption);
    QCOMPARE(wizard::versionCaption(major, minor, revision), caption);
}

void tst_WizardFrame::startsOnPageOne() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    QCOMPARE(wizard.form->windowTitle(), QStringLiteral("Ombrix - Version 1.00.0000"));
    QCOMPARE(wizard.form->size(), QSize(433, 293));
    QCOMPARE(wizard.form->minimumSize(), wizard.form->maximumSize());
    QCOMPARE(wizard.visiblePage(), 1);
    QCOMPARE(wizard.form->currentStep(), 1);
    QVERIFY(!wizard.button("btnBack")->isEnabled());
    QCOMPARE(wizard.button("btnNext")->text(), QStringLiteral("Next >"));
    QCOMPARE(wizard.get<QLabel>("Label1")->text(),
             QStringLiteral("This wizard will create an Active Server Page framework from an "
                            "Access database."));
    auto* method = wizard.get<QComboBox>("Combo1");
    QCOMPARE(method->count(), 2);
    QCOMPARE(method->itemText(0), QStringLiteral("Post"));
    QCOMPARE(method->itemText(1), QStringLiteral("Get"));
    QCOMPARE(method->currentText(), QStringLiteral("Post"));
    QVERIFY(!method->isEditable());
    QCOMPARE(wizard.get<QLineEdit>("txtDBName")->text(), QString());
    QCOMPARE(wizard.get<QLineEdit>("txtDBName")->toolTip(),
             QStringLiteral("Type or drag and drop the database"));
    QVERIFY(wizard.button("btnAddField")->isEnabled());
    QVERIFY(wizard.button("btnAddAll")->isEnabled());
    QVERIFY(!wizard.button("btnDeleteField")->isEnabled());
    QVERIFY(!wizard.button("btnDeleteAll")->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(wizard.get<QLabel>("Image1")->pixmap().deviceIndependentSize(), QSizeF(116, 224));
}

void tst_WizardFrame::controlGeometry_data() {
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    // Twips as designed, 15 to a pixel: page panels sit at the page area (2270, 105).
    const auto row = [](const char* name, const char* container, const char* text, QRect at) {
        QTest::newRow(name) << QString::fromLatin1(container) << QString::fromUtf8(text) << at;
    };
    row("Image1", "Form1", "", {22, 15, 116, 224});
    for (const char* panel : {"picFrame1", "picFrame2", "picFrame3", "picFrame4"})
        row(panel, "Form1", "", {151, 7, 273, 236});
    row("Label1", "picFrame1", "*", {12, 4, 257, 36});
    row("Line4", "picFrame1", "", {12, 52, 233, 1});
    row("Line3", "picFrame1", "", {12, 53, 233, 1});
    row("lbldbname", "picFrame1", "Which database would you like to use?", {12, 74, 234, 17});
    row("txtDBName", "picFrame1", "", {12, 94, 233, 20});
    row("btnFile", "picFrame1", "Select...", {12, 121, 50, 22});
    row("Label2", "picFrame2", "*", {12, 4, 257, 16});
    row("lblobjx", "picFrame2", "Select An Object", {12, 32, 81, 18});
    row("List1", "picFrame2", "", {12, 48, 258, 186});
    row("label3", "picFrame3", "*", {12, 4, 257, 16});
    row("lblavailable", "picFrame3", "Available Fields", {12, 32, 78, 18});
    row("lblselected", "picFrame3", "Selected Fields", {159, 32, 78, 18});
    row("List2", "picFrame3", "", {12, 48, 111, 186});
    row("List3", "picFrame3", "", {158, 48, 111, 186});
    row("btnAddField", "picFrame3", ">", {130, 93, 22, 22});
    row("btnAddAll", "picFrame3", ">>", {130, 119, 22, 22});
    row("btnDeleteField", "picFrame3", "<", {130, 155, 22, 22});
    row("btnDeleteAll", "picFrame3", "<<", {130, 181, 22, 22});
    row("Label4", "picFrame4", "*", {7, 4, 262, 31});
    row("Label7", "picFrame4", "Form Method:", {7, 60, 66, 18});
    row("Combo1", "picFrame4", "", {75, 56, 49, 21});
    row("Label5", "picFrame4", "Database:", {7, 86, 54, 18});
    row("lblDB", "picFrame4", "*", {75, 84, 193, 18});
    row("Label9", "picFrame4", "Object:", {7, 110, 54, 18});
    row("lblObj", "picFrame4", "*", {75, 108, 193, 18});
    row("Label6", "picFrame4", "Fields:", {7, 137, 34, 18});
    row("List5", "picFrame4", "", {75, 133, 193, 95});
    row("Line1", "Form1", "", {12, 249, 408, 1});
    row("Line2", "Form1", "", {12, 250, 408, 1});
    row("lblWeb", "Form1", "www.ombrix.org", {21, 266, 115, 14});
    row("btnBack", "Form1", "< Back", {176, 263, 77, 24});
    row("btnNext", "Form1", "*", {258, 263, 77, 24}); // "Finished" on the summary
    row("btnClose", "Form1", "Close", {343, 263, 77, 24});
}

void tst_WizardFrame::controlGeometry() {
    QFETCH(QString, container);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    WizardDriver wizard;
    QVERIFY(wizard.start());
    // Walk to the summary so that every panel has been shown at the page area.
    wizard.openFieldsPage(shopPath, 0);
    wizard.click("btnAddField");
    wizard.next();
    QCOMPARE(wizard.visiblePage(), 4);

    const QWidget* control = wizard.get(QTest::currentDataTag());
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), geometry);
    if (text == QStringLiteral("*"))
        return; // set by the steps; checked where they run
    if (auto* label = qobject_cast<const QLabel*>(control); label && label->pixmap().isNull())
        QCOMPARE(label->text(), text);
    if (auto* pushButton = qobject_cast<const QPushButton*>(control))
        QCOMPARE(pushButton->text(), text);
}

void tst_WizardFrame::tabOrderStartsWithTheDatabaseBox() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    QWidget* box = wizard.get("txtDBName");
    QCOMPARE(box->nextInFocusChain(), wizard.get("btnFile"));
    QCOMPARE(wizard.get("btnBack")->nextInFocusChain(), wizard.get("btnNext"));
    QCOMPARE(wizard.get("btnNext")->nextInFocusChain(), wizard.get("btnClose"));
}

void tst_WizardFrame::forwardAndBackThroughAllPages() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    QPushButton* next = wizard.button("btnNext");
    QPushButton* back = wizard.button("btnBack");

    wizard.typePath(shopPath);
    wizard.next();
    QCOMPARE(wizard.visiblePage(), 2);
    QCOMPARE(wizard.form->currentStep(), 2);
    QVERIFY(back->isEnabled());
    QCOMPARE(next->text(), QStringLiteral("Next >"));
    QCOMPARE(wizard.get<QLabel>("Label2")->text(),
             QStringLiteral("Which object would you like to use?"));

    wizard.next();
    QCOMPARE(wizard.visiblePage(), 3);
    QCOMPARE(wizard.form->currentStep(), 3);
    QCOMPARE(next->text(), QStringLiteral("Next >"));
    QCOMPARE(wizard.get<QLabel>("label3")->text(),
             QStringLiteral("Which fields would you like to use?"));

    wizard.click("btnAddField");
    wizard.next();
    QCOMPARE(wizard.visiblePage(), 4);
    QCOMPARE(wizard.form->currentStep(), 4);
    QCOMPARE(next->text(), QStringLiteral("Finished"));
    QCOMPARE(wizard.get<QLabel>("Label4")->text(),
             QStringLiteral(
                 "The wizard is ready to create an Ombrix based on the following selections."));

    wizard.back();
    QCOMPARE(wizard.visiblePage(), 3);
    QCOMPARE(next->text(), QStringLiteral("Next >"));
    QVERIFY(back->isEnabled());
    wizard.back();
    QCOMPARE(wizard.visiblePage(), 2);
    QVERIFY(back->isEnabled());
    wizard.back();
    QCOMPARE(wizard.visiblePage(), 1);
    QCOMPARE(wizard.form->currentStep(), 1);
    QVERIFY(!back->isEnabled());
    QVERIFY(!wizard.get("picFrame2")->isVisible());
    QVERIFY(wizard.answers.log.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_WizardFrame::backFromSummaryKeepsSelectionAndRebuilds() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0); // Customers: Id, Name, Price, Notes
    wizard.pick("List2", 2);
    wizard.click("btnAddField"); // Price
    wizard.next();
    QCOMPARE(wizard.entries("List5"), QStringList{item("Price", "cur")});
    QCOMPARE(wizard.get<QLabel>("lblObj")->text(), QStringLiteral("Table: Customers"));
    QCOMPARE(wizard.get<QLabel>("lblDB")->text(), shopPath);
    QCOMPARE(wizard.get<QLabel>("lblDB")->toolTip(), shopPath);

    wizard.back();
    QCOMPARE(wizard.entries("List3"), QStringList{item("Price", "cur")});
    wizard.pick("List2", 0);
    wizard.click("btnAddField"); // Id
    wizard.next();
    QCOMPARE(wizard.entries("List5"), (QStringList{item("Price", "cur"), item("Id", "lng")}));
    QCOMPARE(wizard.list("List5")->currentRow(), 0);
}

void tst_WizardFrame::finishedTwiceGeneratesFromTheCurrentState() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    wizard.click("btnAddAll");
    wizard.next();
    wizard.next(); // Finished
    QCOMPARE(wizard.outputs.size(), 1);
    QCOMPARE(wizard.form->currentStep(), 4);
    QCOMPARE(wizard.visiblePage(), 4);

    auto* method = wizard.get<QComboBox>("Combo1");
    method->setCurrentIndex(1);
    wizard.next(); // Finished again, now with "Get"
    QCOMPARE(wizard.outputs.size(), 2);
    QCOMPARE(wizard.button("btnNext")->text(), QStringLiteral("Finished"));

    const WizardState state = wizard.form->wizardState();
    QCOMPARE(state.databasePath, shopPath.toStdString());
    QCOMPARE(state.password, std::string());
    QCOMPARE(state.primaryKeyField, std::string("Id"));
    QCOMPARE(state.primaryKeyPrefix, std::string("lng"));
    QCOMPARE(state.objectCaption, std::string("Table: Customers"));
    QCOMPARE(state.formMethod, std::string("Get"));
    QCOMPARE(state.summaryFields.size(), std::size_t{4});
    QCOMPARE(QString::fromStdString(state.summaryFields[3]), item("Notes", "mem"));
    QCOMPARE(wizard.outputs.at(1), QString::fromStdString(GeneratePage(state)));
    QVERIFY(wizard.outputs.at(0) != wizard.outputs.at(1));
}

void tst_WizardFrame::escapeDoesNotCloseButCloseDoes() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    QSignalSpy finished(wizard.form.get(), &QDialog::finished);
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Escape);
    QVERIFY(wizard.form->isVisible());
    QCOMPARE(finished.size(), 0);
    wizard.click("btnClose");
    QVERIFY(!wizard.form->isVisible());
    QCOMPARE(finished.size(), 1);
}

void tst_WizardFrame::websiteLabelOpensTheAddress() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    auto* web = wizard.get<QLabel>("lblWeb");
    QCOMPARE(web->toolTip(), QStringLiteral("Visit the website"));
    QCOMPARE(web->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(web->font().underline());
    QCOMPARE(web->font().pointSizeF(), 8.25);
    QCOMPARE(web->palette().color(QPalette::WindowText), QColor(Qt::blue));

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QTest::mouseClick(web, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(
        catcher.opened,
        QList<QUrl>{QUrl(QString::fromUtf8(project::kWebAddress.data(),
                                           static_cast<qsizetype>(project::kWebAddress.size())))});
}

QTEST_MAIN(tst_WizardFrame)
#include "tst_WizardFrame.moc"
