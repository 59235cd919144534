// The wizard end to end over a real Access file read through the program's own catalogue reader:
// one written by mkmdb under an .accdb name with names beyond the Basic Multilingual Plane, opened
// from the command line and clicked through from the object list to "Finished". What the list
// leaves out, the key and the password prompt are checked over the fake engine.
#include "platform/ReaderCatalogue.h"
#include "support/TemporaryDatabase.h"
#include "support/WizardDriver.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const char* const kOrders = R"({"tables": [
  {"name": "T𝔸", "columns": [{"name": "f😀 x", "type": "long"}, {"name": "When", "type": "datetime"}],
   "indexes": [{"name": "PrimaryKey", "columns": ["f😀 x"], "primary": true}]}],
 "queries": [
  {"name": "Q😀", "type": "select", "inputs": [{"table": "T𝔸"}], "outputs": ["[f😀 x]"]},
  {"name": "Raise", "type": "update", "inputs": [{"table": "T𝔸"}],
   "outputs": [{"expression": "[When]+1", "target": "T𝔸.When"}]},
  {"name": "~sq_fT", "type": "select", "hidden": true, "inputs": [{"table": "T𝔸"}],
   "outputs": ["T𝔸.*"]}]})";

// The reader reads the file by its header whatever its name; the page names the driver that
// opens an .accdb file.
TEST(WizardOverDatabase, ClicksThroughARealAccdbToFinished) {
    const TemporaryDatabase database(kOrders, QStringLiteral("Orders 2024.ACCDB"));
    const QString path = database.path();
    platform::ReaderCatalogue catalogue;
    WizardDriver wizard(catalogue);
    ASSERT_TRUE(wizard.start(path.toStdString()));
    ASSERT_EQ(wizard.entries("List1"), (QStringList{"Table: T𝔸", "Query: Q😀"}));
    wizard.pick("List1", 1);
    wizard.next();
    EXPECT_EQ(wizard.entries("List2"), QStringList{fieldItem("f😀 x", "lng")});
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "");
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
    // Names from the database are shown as they are, never read as markup.
    for (const QLabel* label : wizard.form.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace ombrix::tests
