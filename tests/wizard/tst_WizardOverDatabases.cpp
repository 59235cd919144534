// The wizard over real Access files written by mkmdb and read through the catalogue reader, as
// the program runs it.
#include "ModalAnswers.h"
#include "TemporaryDatabase.h"
#include "generator/GeneratePage.h"
#include "platform/ReaderCatalogue.h"
#include "wizard/Form1.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace ombrix;
using ombrix::testing::ModalAnswers;
using ombrix::testsupport::TemporaryDatabase;

namespace {

const char* const shop = R"({"tables": [
  {"name": "Customers", "columns": [
     {"name": "CustomerID", "type": "long", "autonumber": true},
     {"name": "Name", "type": "text", "size": 50}, {"name": "Notes", "type": "memo"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["CustomerID"], "primary": true}]},
  {"name": "OrderLines", "columns": [
     {"name": "OrderID", "type": "long"}, {"name": "LineNo", "type": "integer"},
     {"name": "Qty", "type": "integer"}, {"name": "Price", "type": "currency"}],
   "indexes": [{"name": "OrderID", "columns": ["OrderID"]},
               {"name": "PrimaryKey", "columns": ["OrderID", "LineNo"], "primary": true}]},
  {"name": "Products", "columns": [{"name": "Code", "type": "text", "size": 10}],
   "indexes": [{"name": "ProductCode", "columns": ["Code"], "unique": true}]}],
 "queries": [
  {"name": "Big orders", "type": "select", "inputs": [{"table": "OrderLines"}],
   "outputs": ["OrderLines.OrderID", "OrderLines.Qty"], "where": "OrderLines.Qty > 10"},
  {"name": "Raise prices", "type": "update", "inputs": [{"table": "OrderLines"}],
   "outputs": [{"expression": "[Price]*1.1", "target": "OrderLines.Price"}]},
  {"name": "~sq_fOrders", "type": "select", "hidden": true, "inputs": [{"table": "OrderLines"}],
   "outputs": ["OrderLines.*"]}]})";

const char* const locked = R"({"password": "pw;1", "tables": [
  {"name": "Secrets", "columns": [{"name": "Id", "type": "long"}]}]})";

const char* const nothingListable = R"({"tables": [], "queries": [
  {"name": "~sq_cForm", "type": "select", "hidden": true, "inputs": [{"table": "MSysObjects"}],
   "outputs": ["MSysObjects.Name"]}]})";

const char* const markup = R"({"tables": [
  {"name": "<i>Sales", "columns": [{"name": "Id", "type": "long"}]}], "queries": [
  {"name": "Stale", "type": "select", "inputs": [{"table": "<b>Gone"}], "outputs": ["*"]}]})";

const QString objectNotSet =
    QStringLiteral("message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set");

QString item(const QString& name, const char* prefix) {
    return name + QString(100, QLatin1Char(' ')) + QLatin1Char('\t') + QLatin1String(prefix);
}

// The wizard window with the program's own catalogue reader.
struct RealWizard {
    platform::ReaderCatalogue catalogue;
    QStringList outputs;
    ModalAnswers answers;
    wizard::Form1 form{catalogue, [this](QWidget&, const QString& text) { outputs.append(text); }};

    bool start(const QString& path) {
        form.Form_Load({});
        form.show();
        form.findChild<QLineEdit*>(QStringLiteral("txtDBName"))->setText(path);
        return QTest::qWaitForWindowExposed(&form);
    }
    void click(const char* name) {
        QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QListWidget* list(const char* name) {
        return form.findChild<QListWidget*>(QString::fromLatin1(name));
    }
    QStringList entries(const char* name) {
        QStringList result;
        for (int row = 0; row < list(name)->count(); ++row)
            result.append(list(name)->item(row)->text());
        return result;
    }
};

} // namespace

class tst_WizardOverDatabases : public QObject {
    Q_OBJECT

private slots:
    void tablesQueriesFieldsAndKeys();
    void aQueryHasItsOwnFieldsAndNoKey();
    void passwordDatabase();
    void filesThatDoNotOpen_data();
    void filesThatDoNotOpen();
    void markupInNamesIsShownAsText();
};

void tst_WizardOverDatabases::tablesQueriesFieldsAndKeys() {
    const TemporaryDatabase database(shop, QStringLiteral("Shop.mdb"));
    RealWizard wizard;
    QVERIFY(wizard.start(database.path()));
    wizard.click("btnNext");
    QCOMPARE(wizard.answers.log, QStringList{});
    QCOMPARE(wizard.entries("List1"), (QStringList{"Table: Customers", "Table: OrderLines",
                                                   "Table: Products", "Query: Big orders"}));

    wizard.list("List1")->setCurrentRow(1);
    wizard.click("btnNext");
    QCOMPARE(wizard.form.currentStep(), 3);
    QCOMPARE(wizard.form.currentPrimaryKeyField(), QStringLiteral("LineNo"));
    QCOMPARE(wizard.entries("List2"), (QStringList{item("OrderID", "lng"), item("LineNo", "int"),
                                                   item("Qty", "int"), item("Price", "cur")}));

    wizard.click("btnBack");
    wizard.list("List1")->setCurrentRow(2);
    wizard.click("btnNext");
    QCOMPARE(wizard.form.currentPrimaryKeyField(), QString());

    wizard.click("btnBack");
    wizard.list("List1")->setCurrentRow(0);
    wizard.click("btnNext");
    QCOMPARE(wizard.form.currentPrimaryKeyField(), QStringLiteral("CustomerID"));
    wizard.click("btnAddAll");
    wizard.click("btnNext");
    wizard.click("btnNext"); // Finished
    QCOMPARE(wizard.outputs.size(), 1);
    const WizardState state = wizard.form.wizardState();
    QCOMPARE(state.objectCaption, std::string("Table: Customers"));
    QCOMPARE(wizard.outputs.first(), QString::fromStdString(GeneratePage(state)));
    QVERIFY(wizard.outputs.first().contains(QStringLiteral("CustomerID")));
}

void tst_WizardOverDatabases::aQueryHasItsOwnFieldsAndNoKey() {
    const TemporaryDatabase database(shop);
    RealWizard wizard;
    QVERIFY(wizard.start(database.path()));
    wizard.click("btnNext");
    wizard.list("List1")->setCurrentRow(3);
    wizard.click("btnNext");
    QCOMPARE(wizard.answers.log, QStringList{});
    QCOMPARE(wizard.entries("List2"), (QStringList{item("OrderID", "lng"), item("Qty", "int")}));
    QCOMPARE(wizard.form.currentPrimaryKeyField(), QString());
}

void tst_WizardOverDatabases::passwordDatabase() {
    const TemporaryDatabase database(locked);
    RealWizard wizard;
    QVERIFY(wizard.start(database.path()));
    wizard.answers.enter(QStringLiteral("PW;1"));
    wizard.answers.enter(QStringLiteral("pw;1"));
    wizard.click("btnNext");
    const QString prompt = QStringLiteral(
        "prompt|Ombrix|Please enter the correct password for this database:|%1|password");
    QCOMPARE(wizard.answers.log, (QStringList{prompt.arg(QString()), prompt.arg("PW;1")}));
    QCOMPARE(wizard.form.currentStep(), 2);
    QCOMPARE(wizard.entries("List1"), QStringList{"Table: Secrets"});
    wizard.click("btnNext");
    QCOMPARE(wizard.form.currentStep(), 3);
    QCOMPARE(wizard.entries("List2"), QStringList{item("Id", "lng")});
}

void tst_WizardOverDatabases::filesThatDoNotOpen_data() {
    QTest::addColumn<QByteArray>("description"); // empty: no database
    QTest::addColumn<QByteArray>("damage");      // bytes written from the file's second page on
    QTest::addColumn<QString>("shown");
    QTest::newRow("missing") << QByteArray() << QByteArray() << objectNotSet;
    QTest::newRow("not a database") << QByteArray() << QByteArray("plain text") << objectNotSet;
    QTest::newRow("damaged catalogue")
        << QByteArray(shop) << QByteArray(3 * 4096, '\xA5') << objectNotSet;
    QTest::newRow("nothing listable")
        << QByteArray(nothingListable) << QByteArray()
        << QStringLiteral("message|Ombrix|Error 380\r\n\r\nInvalid property value");
}

void tst_WizardOverDatabases::filesThatDoNotOpen() {
    QFETCH(QByteArray, description);
    QFETCH(QByteArray, damage);
    QFETCH(QString, shown);
    const TemporaryDatabase database(description.isEmpty() ? QByteArray(shop) : description);
    QString path = database.path();
    if (description.isEmpty()) {
        path = QDir(database.folder()).filePath(QStringLiteral("other.mdb"));
        if (!damage.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damage);
        }
    } else if (!damage.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(4096));
        file.write(damage);
    }
    RealWizard wizard;
    QVERIFY(wizard.start(path));
    wizard.answers.ok();
    wizard.click("btnNext");
    QCOMPARE(wizard.answers.log, QStringList{shown});
    QCOMPARE(wizard.form.currentStep(), 1);
    QCOMPARE(wizard.list("List1")->count(), 0);
}

// Names from the database are shown as they are, never read as markup: in an error message (the
// log marks a box that is not plain text) and on the summary page, where every label is plain.
void tst_WizardOverDatabases::markupInNamesIsShownAsText() {
    const TemporaryDatabase database(markup);
    RealWizard wizard;
    QVERIFY(wizard.start(database.path()));
    wizard.click("btnNext");
    QCOMPARE(wizard.entries("List1"), (QStringList{"Table: <i>Sales", "Query: Stale"}));
    wizard.list("List1")->setCurrentRow(1);
    wizard.answers.ok();
    wizard.click("btnNext");
    QCOMPARE(wizard.answers.log,
             QStringList{"message|Ombrix|Error 3078\r\n\r\nThe database engine cannot find the "
                         "input table or query '<b>Gone'. Make sure it exists and that its name "
                         "is spelled correctly."});

    wizard.list("List1")->setCurrentRow(0);
    wizard.click("btnNext");
    wizard.click("btnAddAll");
    wizard.click("btnNext");
    QCOMPARE(wizard.form.findChild<QLabel*>(QStringLiteral("lblObj"))->text(),
             QStringLiteral("Table: <i>Sales"));
    for (const QLabel* label : wizard.form.findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    }
}

QTEST_MAIN(tst_WizardOverDatabases)
#include "tst_WizardOverDatabases.moc"
