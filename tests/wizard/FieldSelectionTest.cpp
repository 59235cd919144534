// The fields page: the four move buttons, clicked as a user would, and what they leave behind.
#include "support/DataTable.h"
#include "support/SampleDatabases.h"
#include "support/TestData.h"
#include "support/WizardDriver.h"

#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

// "Id,Price[1]": the names in a list as assistive technology reads them, with the current row
// in brackets ("[-1]" for none).
QString describeList(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names.append(list.item(row)->data(Qt::AccessibleTextRole).toString());
    return names.join(',') + QStringLiteral("[%1]").arg(list.currentRow());
}

class FieldSelectionTest : public StartedWizardTest {
protected:
    void SetUp() override {
        StartedWizardTest::SetUp();
        wizard.openFieldsPage(kShopPath, 0);
    }
};

TEST_F(FieldSelectionTest, MovesLeaveTheListsAndButtonsAsListed) {
    const QHash<QString, const char*> buttons = {
        {">", "btnAddField"}, {">>", "btnAddAll"}, {"<", "btnDeleteField"}, {"<<", "btnDeleteAll"}};
    for (const QStringList& cell : tableRows(sourceFile("tests/wizard/data/moves.tsv"), 4)) {
        SCOPED_TRACE(cell.join('\t').toStdString());
        wizard.click("btnDeleteAll");
        wizard.back(); // entering the page again starts from the catalogue's order
        wizard.next();
        for (const QString& click : cell[0].split(' ', Qt::SkipEmptyParts)) {
            if (buttons.contains(click))
                wizard.click(buttons.value(click));
            else
                wizard.pick(click.startsWith('2') ? "List2" : "List3", click.mid(2).toInt());
        }
        EXPECT_EQ(describeList(*wizard.list("List2")), cell[1]);
        EXPECT_EQ(describeList(*wizard.list("List3")), cell[2]);
        QString enabled;
        for (const char* name : {"btnAddField", "btnAddAll", "btnDeleteField", "btnDeleteAll"})
            enabled += wizard.button(name)->isEnabled() ? '1' : '0';
        EXPECT_EQ(enabled, cell[3]);
    }
}

// Through any number of moves an entry keeps its hidden prefix, and the words of its type that
// assistive technology reads as its description.
TEST_F(FieldSelectionTest, EntriesKeepTheirHiddenPrefixAndTypeWords) {
    for (int round = 0; round < 3; ++round) {
        wizard.click("btnAddAll");
        wizard.click("btnDeleteField");
        wizard.click("btnDeleteAll");
    }
    QStringList all;
    for (int row = 0; row < wizard.list("List2")->count(); ++row) {
        const QListWidgetItem* entry = wizard.list("List2")->item(row);
        all.append(entry->text() + '|' + entry->data(Qt::AccessibleDescriptionRole).toString());
    }
    all.sort();
    EXPECT_EQ(all,
              (QStringList{fieldItem("Id", "lng") + "|Long", fieldItem("Name", "str") + "|Text",
                           fieldItem("Notes", "mem") + "|Memo",
                           fieldItem("Price", "cur") + "|Currency"}));
}

TEST_F(FieldSelectionTest, ListsKeepTheirSelection) {
    QListWidget* available = wizard.list("List2");
    wizard.pick("List2", 1);
    const QPoint onSelected = available->visualItemRect(available->item(1)).center();
    QTest::mouseClick(available->viewport(), Qt::LeftButton, Qt::ControlModifier, onSelected);
    EXPECT_EQ(available->selectedItems(), QList<QListWidgetItem*>{available->item(1)});
    QTest::mouseClick(available->viewport(), Qt::LeftButton, {},
                      QPoint(5, available->viewport()->height() - 3));
    EXPECT_EQ(available->selectedItems(), QList<QListWidgetItem*>{available->item(1)});
    EXPECT_EQ(available->currentRow(), 1);
}

} // namespace
} // namespace ombrix::tests
