// The wizard over real Access files read through the program's own catalogue reader: one written
// by mkmdb, clicked through from the object list to "Finished"; the same under an .accdb name with
// names beyond the Basic Multilingual Plane; one password-protected by Access itself, opened
// through the password prompt.
#include "generator/GeneratePage.h"
#include "platform/ReaderCatalogue.h"
#include "support/TemporaryDatabase.h"
#include "support/TestData.h"
#include "support/WizardDriver.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const char* const kShop = R"({"tables": [
  {"name": "Customers", "columns": [
     {"name": "CustomerID", "type": "long", "autonumber": true},
     {"name": "Name", "type": "text", "size": 50}, {"name": "Notes", "type": "memo"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["CustomerID"], "primary": true}]},
  {"name": "OrderLines", "columns": [
     {"name": "OrderID", "type": "long"}, {"name": "LineNo", "type": "integer"}]}],
 "queries": [
  {"name": "Big orders", "type": "select", "inputs": [{"table": "OrderLines"}],
   "outputs": ["OrderLines.OrderID"], "where": "OrderLines.LineNo > 10"},
  {"name": "Raise prices", "type": "update", "inputs": [{"table": "OrderLines"}],
   "outputs": [{"expression": "[LineNo]+1", "target": "OrderLines.LineNo"}]},
  {"name": "~sq_fOrders", "type": "select", "hidden": true, "inputs": [{"table": "OrderLines"}],
   "outputs": ["OrderLines.*"]}]})";

TEST(WizardOverDatabase, ClicksThroughARealDatabaseToFinished) {
    const TemporaryDatabase database(kShop, QStringLiteral("Shop.mdb"));
    platform::ReaderCatalogue catalogue;
    WizardDriver wizard(catalogue);
    ASSERT_TRUE(wizard.start());
    wizard.typePath(database.path());
    wizard.next();
    EXPECT_EQ(wizard.entries("List1"),
              (QStringList{"Table: Customers", "Table: OrderLines", "Query: Big orders"}));
    wizard.pick("List1", 2);
    wizard.next();
    EXPECT_EQ(wizard.entries("List2"), QStringList{fieldItem("OrderID", "lng")});
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "");
    wizard.back();
    wizard.pick("List1", 0);
    wizard.next();
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "CustomerID");
    wizard.click("btnAddAll");
    wizard.next();
    wizard.next(); // Finished
    EXPECT_EQ(wizard.answers.log, QStringList{});
    ASSERT_EQ(wizard.outputs.size(), 1);
    EXPECT_EQ(wizard.outputs.first(),
              QString::fromStdString(GeneratePage(wizard.form.wizardState())));
    EXPECT_TRUE(wizard.outputs.first().contains("CustomerID"));
    // Names from the database are shown as they are, never read as markup.
    for (const QLabel* label : wizard.form.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
    }
}

// The Access 2007 format by its name, from the command line (the other routes of a path are the
// fake's to check): the reader reads the file by its header, the page names the driver that opens
// an .accdb file.
TEST(WizardOverDatabase, TakesAnAccdbThroughToItsPage) {
    const TemporaryDatabase database(
        R"({"tables": [{"name": "T𝔸",
             "columns": [{"name": "f😀 x", "type": "long"}, {"name": "When", "type": "datetime"}],
             "indexes": [{"name": "PrimaryKey", "columns": ["f😀 x"], "primary": true}]}],
            "queries": [{"name": "Q😀", "type": "select", "inputs": [{"table": "T𝔸"}],
             "outputs": ["[f😀 x]"]}]})",
        QStringLiteral("Orders 2024.ACCDB"));
    const QString path = database.path();
    platform::ReaderCatalogue catalogue;
    WizardDriver wizard(catalogue);
    ASSERT_TRUE(wizard.start(path.toStdString()));
    ASSERT_EQ(wizard.entries("List1"), (QStringList{"Table: T𝔸", "Query: Q😀"}));
    wizard.pick("List1", 1);
    wizard.next();
    EXPECT_EQ(wizard.entries("List2"), QStringList{fieldItem("f😀 x", "lng")});
    wizard.back();
    wizard.pick("List1", 0);
    wizard.next();
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "f😀 x");
    wizard.click("btnAddAll");
    wizard.next();
    wizard.next(); // Finished
    EXPECT_EQ(wizard.answers.log, QStringList{});
    ASSERT_EQ(wizard.outputs.size(), 1);
    const QString page = wizard.outputs.first();
    EXPECT_TRUE(page.contains(
        "\r\nsDBName = \"driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=" + path +
        "\"\r\n"));
    EXPECT_TRUE(page.contains("(\"select * from T𝔸 where f😀 x = \" & f😀 x & \";\")"));
}

// An Access 2013 file with Office encryption (agile, AES-256), read in place: a wrong password
// asks again, in the masked prompt, and the right one opens it.
TEST(WizardOverDatabase, OpensAnEncryptedFileThroughThePasswordPrompt) {
    if (!haveConformanceFiles()) {
        GTEST_SKIP() << "The real Access files are not at hand";
    }
    const QString path = QString::fromStdString(conformanceFile("db2013-enc.accdb").string());
    platform::ReaderCatalogue catalogue;
    WizardDriver wizard(catalogue);
    ASSERT_TRUE(wizard.start());
    wizard.typePath(path);
    wizard.answers.enter("wrong");
    wizard.answers.enter("1234");
    wizard.next();
    ASSERT_EQ(wizard.answers.log.size(), 2);
    EXPECT_TRUE(wizard.answers.log[1].startsWith("prompt|Ombrix|"));
    EXPECT_TRUE(wizard.answers.log[1].endsWith("|wrong|password"));
    ASSERT_EQ(wizard.page(), 2);
    EXPECT_EQ(wizard.entries("List1").first(), "Table: Customers");
    wizard.pick("List1", 0);
    wizard.next();
    EXPECT_EQ(wizard.entries("List2"),
              (QStringList{fieldItem("ID", "lng"), fieldItem("Field1", "str")}));
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "ID");
}

} // namespace
} // namespace ombrix::tests
