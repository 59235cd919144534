// Page 1 to page 3 over the fake engine: the page-1 checks, the failures and their messages, the
// password prompt, the object list, the field list and the key, and the failures of step 2.
#include "support/SampleDatabases.h"
#include "support/WizardDriver.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const QString kObjectNotSet =
    QStringLiteral("message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set");
const QString kPrompt = QStringLiteral(
    "prompt|Ombrix|Please enter the correct password for this database:|%1|password");

using WizardDatabaseTest = StartedWizardTest;

TEST(WizardPageOne, FailuresStayOnPageOneWithTheirMessage) {
    const struct {
        QString path, shown;
    } cases[] = {
        {.path = "", .shown = "message|Ombrix|Please supply a database to use."},
        {.path = "   ", .shown = kObjectNotSet},
        {.path = "/data/nowhere.mdb", .shown = kObjectNotSet},
        {.path = kDamagedPath, .shown = kObjectNotSet},
        {.path = kEmptyPath, .shown = "message|Ombrix|Error 380\r\n\r\nInvalid property value"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.path.toStdString());
        FakeCatalogue catalogue = sampleCatalogue();
        WizardDriver wizard(catalogue);
        ASSERT_TRUE(wizard.start());
        // A list left over from an earlier visit is emptied by a failed listing.
        wizard.typePath(kShopPath);
        wizard.next();
        wizard.back();
        wizard.typePath(failure.path);
        wizard.answers.ok();
        wizard.next();
        EXPECT_EQ(wizard.answers.log, QStringList{failure.shown});
        EXPECT_EQ(wizard.page(), 1);
        EXPECT_FALSE(wizard.button("btnBack")->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // The empty box is refused before the database is opened: the old list stays.
        EXPECT_EQ(wizard.list("List1")->count() == 0, !failure.path.isEmpty());
        EXPECT_TRUE(!failure.path.isEmpty() ||
                    wizard.form.focusWidget() == wizard.get("txtDBName"));
    }
}

TEST_F(WizardDatabaseTest, PasswordPromptRepeatsWithTheLastEntryAndIsUsedToReopen) {
    wizard.typePath(kLockedPath);
    wizard.answers.enter("wrong");
    wizard.answers.enter("still wrong");
    wizard.answers.enter(kLockedPassword);
    wizard.next();
    EXPECT_EQ(wizard.answers.log,
              (QStringList{kPrompt.arg(""), kPrompt.arg("wrong"), kPrompt.arg("still wrong")}));
    EXPECT_EQ(wizard.form.currentStep(), 2);
    EXPECT_EQ(wizard.form.currentPassword(), kLockedPassword);
    const std::string locked = kLockedPath;
    EXPECT_EQ(catalogue.calls,
              (std::vector<std::string>{"list " + locked + "|", "list " + locked + "|wrong",
                                        "list " + locked + "|still wrong",
                                        "list " + locked + "|" + kLockedPassword}));
    wizard.next();
    EXPECT_EQ(catalogue.calls.back(),
              "describe " + locked + "|" + kLockedPassword + "|Table: Customers");
    EXPECT_EQ(wizard.form.wizardState().password, kLockedPassword);

    // An empty box is refused before the password is touched; another database clears it.
    wizard.back();
    wizard.back();
    wizard.typePath({});
    wizard.answers.ok();
    wizard.next();
    EXPECT_EQ(wizard.form.currentPassword(), kLockedPassword);
    wizard.typePath(kShopPath);
    wizard.next();
    EXPECT_EQ(wizard.form.currentPassword(), "");
    EXPECT_TRUE(wizard.answers.allAnswered());
}

TEST_F(WizardDatabaseTest, CancelledPromptStartsAfreshNextTime) {
    wizard.typePath(kLockedPath);
    wizard.answers.enter("wrong");
    wizard.answers.cancel();
    wizard.next();
    EXPECT_EQ(wizard.answers.log, (QStringList{kPrompt.arg(""), kPrompt.arg("wrong")}));
    EXPECT_EQ(wizard.page(), 1);
    EXPECT_EQ(wizard.form.currentPassword(), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // An empty entry ends the step as Cancel does.
    wizard.answers.log.clear();
    wizard.answers.enter({});
    wizard.next();
    EXPECT_EQ(wizard.answers.log, QStringList{kPrompt.arg("")});
    EXPECT_EQ(wizard.form.currentStep(), 1);

    // Going back to page 1 asks again, starting without a password.
    wizard.answers.log.clear();
    wizard.answers.enter(kLockedPassword);
    wizard.next();
    wizard.back();
    catalogue.calls.clear();
    wizard.answers.enter(kLockedPassword);
    wizard.next();
    EXPECT_EQ(wizard.answers.log, (QStringList{kPrompt.arg(""), kPrompt.arg("")}));
    EXPECT_EQ(catalogue.calls.front(), std::string("list ") + kLockedPath + "|");
    EXPECT_EQ(wizard.form.currentStep(), 2);
}

// Which objects the list leaves out is core's rule; here, the list as the page shows it.
TEST_F(WizardDatabaseTest, ObjectListIsReadUnderTheHourglassAndItsFirstEntryChosen) {
    bool hourglass = false; // while the database is read
    catalogue.onCall = [&] {
        hourglass = QApplication::overrideCursor() != nullptr &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    };
    wizard.typePath(kShopPath);
    wizard.next();
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(wizard.entries("List1"),
              (QStringList{"Table: Customers", "Table: OrderLines", "Table: Products",
                           "Query: Big orders", "Query: Broken"}));
    EXPECT_EQ(wizard.list("List1")->currentRow(), 0);
    EXPECT_TRUE(wizard.list("List1")->item(0)->isSelected());
}

// Which fields make the key is core's rule; here, that the key follows the object chosen.
TEST_F(WizardDatabaseTest, KeyFollowsTheObjectChosenEachTime) {
    wizard.typePath(kShopPath);
    wizard.next();
    wizard.pick("List1", 1); // OrderLines
    wizard.next();
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "LineNo");
    EXPECT_EQ(wizard.form.wizardState().keyFields,
              (std::vector<KeyField>{{"OrderID", "lng"}, {"LineNo", "int"}}));
    wizard.back();
    wizard.pick("List1", 3); // Big orders
    wizard.next();
    EXPECT_EQ(wizard.form.currentPrimaryKeyField(), "");
    EXPECT_TRUE(wizard.form.wizardState().keyFields.empty());
}

// The fields page filled from the catalogue each time it is entered; its two refusals.
TEST_F(WizardDatabaseTest, FieldsPageIsFilledAfreshEachTime) {
    wizard.openFieldsPage(kShopPath, 0);
    wizard.click("btnAddAll");
    wizard.back();
    wizard.next(); // the same object again: the selection is gone
    EXPECT_EQ(wizard.entries("List2"),
              (QStringList{fieldItem("Id", "lng"), fieldItem("Name", "str"),
                           fieldItem("Price", "cur"), fieldItem("Notes", "mem")}));
    EXPECT_EQ(wizard.list("List2")->currentRow(), 0);
    EXPECT_EQ(wizard.list("List3")->count(), 0);
    EXPECT_TRUE(wizard.button("btnAddField")->isEnabled());
    EXPECT_FALSE(wizard.button("btnDeleteAll")->isEnabled());
    const std::string shop = kShopPath;
    EXPECT_EQ(catalogue.calls, (std::vector<std::string>{
                                   "list " + shop + "|", "describe " + shop + "||Table: Customers",
                                   "describe " + shop + "||Table: Customers"}));
    // The prefix sits beyond the visible width.
    QListWidget* available = wizard.list("List2");
    EXPECT_GT(
        available->fontMetrics().horizontalAdvance(available->item(2)->text().section('\t', 0, 0)),
        available->viewport()->width());

    wizard.answers.ok();
    wizard.next();
    EXPECT_EQ(wizard.page(), 3);
    EXPECT_EQ(wizard.form.focusWidget(), wizard.get("btnAddField"));
    wizard.back();
    wizard.pick("List1", 4); // Query: Broken
    wizard.answers.ok();
    wizard.next();
    EXPECT_EQ(wizard.answers.log,
              (QStringList{"message|Ombrix|Please select at least one field to use.",
                           "message|Ombrix|Error 3078\r\n\r\n" +
                               QString::fromStdString(core::missingInput("Gone").description())}));
    EXPECT_EQ(wizard.page(), 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace ombrix::tests
