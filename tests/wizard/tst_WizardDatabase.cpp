// Page 1 to page 3 over the fake engine: the page-1 check, the failures and their messages, the
// password prompt, the object list, the field list and the key, and the failures of step 2.
#include "WizardDriver.h"

#include <QLabel>
#include <QTest>

using namespace ombrix;
using namespace ombrix::testing;

namespace {

const QString objectNotSet =
    QStringLiteral("message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set");
const QString prompt = QStringLiteral(
    "prompt|Ombrix|Please enter the correct password for this database:|%1|password");

} // namespace

class tst_WizardDatabase : public QObject {
    Q_OBJECT

private slots:
    void pageOneFailuresStayOnPageOne_data();
    void pageOneFailuresStayOnPageOne();
    void emptyBoxLeavesPasswordAlone();
    void passwordPromptRepeatsWithTheLastEntry();
    void cancelledPromptStartsAfreshNextTime();
    void passwordIsUsedToReopen();
    void objectListLeavesOutSystemHiddenAndActionObjects();
    void primaryKeyIsTheLastFieldOfPrimaryKey_data();
    void primaryKeyIsTheLastFieldOfPrimaryKey();
    void queryAfterTableHasNoKey();
    void fieldItemsHideTheirPrefix();
    void objectThatCannotBeReadStaysOnPageTwo();
    void emptySelectionIsRefused();
    void eachStepOpensTheDatabaseAgain();
};

void tst_WizardDatabase::pageOneFailuresStayOnPageOne_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty box") << QString()
                               << QStringLiteral("message|Ombrix|Please supply a database to use.");
    QTest::newRow("blanks") << QStringLiteral("   ") << objectNotSet;
    QTest::newRow("missing file") << QStringLiteral("/data/nowhere.mdb") << objectNotSet;
    QTest::newRow("damaged file") << damagedPath << objectNotSet;
    QTest::newRow("nothing listable")
        << emptyPath << QStringLiteral("message|Ombrix|Error 380\r\n\r\nInvalid property value");
}

void tst_WizardDatabase::pageOneFailuresStayOnPageOne() {
    QFETCH(QString, path);
    QFETCH(QString, shown);
    WizardDriver wizard;
    QVERIFY(wizard.start());
    // A list left over from an earlier visit is emptied by a failed listing.
    wizard.typePath(shopPath);
    wizard.next();
    wizard.back();

    wizard.typePath(path);
    wizard.answers.ok();
    wizard.next();
    QCOMPARE(wizard.answers.log, QStringList{shown});
    QCOMPARE(wizard.form->currentStep(), 1);
    QCOMPARE(wizard.visiblePage(), 1);
    QVERIFY(!wizard.button("btnBack")->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    if (path.isEmpty())
        QCOMPARE(wizard.form->focusWidget(), wizard.get("txtDBName"));
    else
        QCOMPARE(wizard.list("List1")->count(), 0);
}

void tst_WizardDatabase::emptyBoxLeavesPasswordAlone() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(lockedPath);
    wizard.answers.enter(lockedPassword);
    wizard.next();
    wizard.back();
    wizard.typePath({});
    wizard.answers.ok();
    wizard.next();
    QCOMPARE(wizard.form->currentPassword(), lockedPassword);
}

void tst_WizardDatabase::passwordPromptRepeatsWithTheLastEntry() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(lockedPath);
    wizard.answers.enter(QStringLiteral("wrong"));
    wizard.answers.enter(QStringLiteral("still wrong"));
    wizard.answers.enter(lockedPassword);
    wizard.next();
    QCOMPARE(wizard.answers.log,
             (QStringList{prompt.arg(QString()), prompt.arg("wrong"), prompt.arg("still wrong")}));
    QCOMPARE(wizard.visiblePage(), 2);
    QCOMPARE(wizard.form->currentStep(), 2);
    QCOMPARE(wizard.form->currentPassword(), lockedPassword);
    QCOMPARE(wizard.catalogue.calls,
             (QStringList{"list " + lockedPath + "|", "list " + lockedPath + "|wrong",
                          "list " + lockedPath + "|still wrong",
                          "list " + lockedPath + "|" + lockedPassword}));
}

void tst_WizardDatabase::cancelledPromptStartsAfreshNextTime() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(lockedPath);
    wizard.answers.enter(QStringLiteral("wrong"));
    wizard.answers.cancel();
    wizard.next();
    QCOMPARE(wizard.answers.log, (QStringList{prompt.arg(QString()), prompt.arg("wrong")}));
    QCOMPARE(wizard.form->currentStep(), 1);
    QCOMPARE(wizard.visiblePage(), 1);
    QCOMPARE(wizard.form->currentPassword(), QString());
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // An empty entry ends the step as Cancel does.
    wizard.answers.log.clear();
    wizard.answers.enter(QString());
    wizard.next();
    QCOMPARE(wizard.answers.log, QStringList{prompt.arg(QString())});
    QCOMPARE(wizard.form->currentStep(), 1);

    // Going back to page 1 asks again, starting without a password.
    wizard.answers.log.clear();
    wizard.answers.enter(lockedPassword);
    wizard.next();
    wizard.back();
    wizard.catalogue.calls.clear();
    wizard.answers.enter(lockedPassword);
    wizard.next();
    QCOMPARE(wizard.answers.log, (QStringList{prompt.arg(QString()), prompt.arg(QString())}));
    QCOMPARE(wizard.catalogue.calls.first(), "list " + lockedPath + "|");
    QCOMPARE(wizard.form->currentStep(), 2);
}

void tst_WizardDatabase::passwordIsUsedToReopen() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(lockedPath);
    wizard.answers.enter(lockedPassword);
    wizard.next();
    wizard.next();
    QCOMPARE(wizard.visiblePage(), 3);
    QCOMPARE(wizard.catalogue.calls.last(),
             "describe " + lockedPath + "|" + lockedPassword + "|Table: Customers");
    QCOMPARE(wizard.form->wizardState().password, lockedPassword.toStdString());

    // Another database without a password leaves it empty.
    wizard.back();
    wizard.back();
    wizard.typePath(shopPath);
    wizard.next();
    QCOMPARE(wizard.form->currentPassword(), QString());
    QVERIFY(wizard.answers.allAnswered());
}

void tst_WizardDatabase::objectListLeavesOutSystemHiddenAndActionObjects() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.typePath(filterPath);
    wizard.next();
    QCOMPARE(wizard.entries("List1"),
             (QStringList{"Table: Customers", "Table: msysNotes", "Table: ~TMPCLP1",
                          "Query: Big orders", "Query: ~SQ_x"}));
    QCOMPARE(wizard.list("List1")->currentRow(), 0);
    QVERIFY(wizard.list("List1")->item(0)->isSelected());
}

void tst_WizardDatabase::primaryKeyIsTheLastFieldOfPrimaryKey_data() {
    QTest::addColumn<int>("objectRow");
    QTest::addColumn<QString>("key");
    QTest::newRow("one field") << 0 << QStringLiteral("Id");
    QTest::newRow("two fields: the last") << 1 << QStringLiteral("LineNo");
    QTest::newRow("other names only, case counts") << 2 << QString();
    QTest::newRow("query") << 3 << QString();
}

void tst_WizardDatabase::primaryKeyIsTheLastFieldOfPrimaryKey() {
    QFETCH(int, objectRow);
    QFETCH(QString, key);
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, objectRow);
    QCOMPARE(wizard.visiblePage(), 3);
    QCOMPARE(wizard.form->currentPrimaryKeyField(), key);
}

void tst_WizardDatabase::queryAfterTableHasNoKey() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 1);
    QCOMPARE(wizard.form->currentPrimaryKeyField(), QStringLiteral("LineNo"));
    wizard.back();
    wizard.pick("List1", 3);
    wizard.next();
    QCOMPARE(wizard.form->currentPrimaryKeyField(), QString());
    QCOMPARE(wizard.entries("List2"), (QStringList{item("OrderID", "lng"), item("Total", "cur")}));
}

void tst_WizardDatabase::fieldItemsHideTheirPrefix() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    QCOMPARE(wizard.entries("List2"), (QStringList{item("Id", "lng"), item("Name", "str"),
                                                   item("Price", "cur"), item("Notes", "mem")}));
    QCOMPARE(wizard.list("List2")->currentRow(), 0);
    QCOMPARE(wizard.list("List3")->count(), 0);
    QListWidget* available = wizard.list("List2");
    const QString shown = item("Price", "cur");
    const int visibleWidth = available->viewport()->width();
    QVERIFY(available->fontMetrics().horizontalAdvance(shown.left(shown.indexOf('\t'))) >
            visibleWidth);
}

void tst_WizardDatabase::objectThatCannotBeReadStaysOnPageTwo() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    wizard.click("btnAddField");
    wizard.back();
    wizard.pick("List1", 4); // Query: Broken
    wizard.answers.ok();
    wizard.next();
    QCOMPARE(wizard.answers.log,
             QStringList{QStringLiteral("message|Ombrix|Error 3078\r\n\r\nThe Microsoft Jet "
                                        "database engine cannot find the input table or query "
                                        "'Gone'.")});
    QCOMPARE(wizard.form->currentStep(), 2);
    QCOMPARE(wizard.visiblePage(), 2);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_WizardDatabase::emptySelectionIsRefused() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    wizard.answers.ok();
    wizard.next();
    QCOMPARE(wizard.answers.log, QStringList{QStringLiteral(
                                     "message|Ombrix|Please select at least one field to use.")});
    QCOMPARE(wizard.form->currentStep(), 3);
    QCOMPARE(wizard.visiblePage(), 3);
    QCOMPARE(wizard.form->focusWidget(), wizard.get("btnAddField"));
}

void tst_WizardDatabase::eachStepOpensTheDatabaseAgain() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    wizard.click("btnAddAll");
    wizard.back();
    wizard.next(); // the same object again: the selection is gone
    QCOMPARE(wizard.list("List3")->count(), 0);
    QCOMPARE(wizard.list("List2")->count(), 4);
    QVERIFY(wizard.button("btnAddField")->isEnabled());
    QVERIFY(!wizard.button("btnDeleteAll")->isEnabled());
    QCOMPARE(wizard.catalogue.calls,
             (QStringList{"list " + shopPath + "|", "describe " + shopPath + "||Table: Customers",
                          "describe " + shopPath + "||Table: Customers"}));
}

QTEST_MAIN(tst_WizardDatabase)
#include "tst_WizardDatabase.moc"
