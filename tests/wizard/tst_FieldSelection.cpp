// The fields page: the four move buttons, clicked as a user would, and what they leave behind.
#include "WizardDriver.h"

#include <QTest>

using namespace ombrix;
using namespace ombrix::testing;

namespace {

// "Id,Price[1]" : the names in a list, with the selected row in brackets ("[-1]" for none).
QString describeList(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        const QString entry = list.item(row)->text();
        names.append(entry.left(entry.indexOf(QLatin1Char(' '))));
    }
    return names.join(QLatin1Char(',')) + QStringLiteral("[%1]").arg(list.currentRow());
}

QString describeButtons(const WizardDriver& wizard) {
    QString result;
    for (const char* name : {"btnAddField", "btnAddAll", "btnDeleteField", "btnDeleteAll"})
        result += wizard.button(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return result;
}

} // namespace

class tst_FieldSelection : public QObject {
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void entriesKeepTheirHiddenPrefix();
    void listsKeepTheirSelection();
};

void tst_FieldSelection::moves_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("available");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("buttons"); // > >> < <<, 1 = enabled
    // Customers: Id, Name, Price, Notes. "2:r" / "3:r" pick row r of List2 / List3.
    QTest::newRow("entered") << ""
                             << "Id,Name,Price,Notes[0]"
                             << "[-1]"
                             << "1100";
    QTest::newRow("> from the middle") << "2:1 >"
                                       << "Id,Price,Notes[1]"
                                       << "Name[0]"
                                       << "1111";
    QTest::newRow("> of the last entry") << "2:3 >"
                                         << "Id,Name,Price[2]"
                                         << "Notes[0]"
                                         << "1111";
    QTest::newRow("> appends to the end") << "2:3 > 2:0 >"
                                          << "Name,Price[0]"
                                          << "Notes,Id[1]"
                                          << "1111";
    QTest::newRow("> of the only entry") << "> > > >"
                                         << "[-1]"
                                         << "Id,Name,Price,Notes[3]"
                                         << "0011";
    QTest::newRow(">> behind what is selected") << "2:3 > >>"
                                                << "[-1]"
                                                << "Notes,Id,Name,Price[0]"
                                                << "0011";
    QTest::newRow("< after >>") << "2:3 > >> <"
                                << "Notes[0]"
                                << "Id,Name,Price[0]"
                                << "1111";
    QTest::newRow("< of the last entry") << ">> 3:3 <"
                                         << "Notes[0]"
                                         << "Id,Name,Price[2]"
                                         << "1111";
    QTest::newRow("< of the only entry") << "2:2 > <"
                                         << "Id,Name,Notes,Price[3]"
                                         << "[-1]"
                                         << "1100";
    QTest::newRow("<< appends in List3's order") << "2:2 > 2:0 > <<"
                                                 << "Name,Notes,Price,Id[0]"
                                                 << "[-1]"
                                                 << "1100";
    QTest::newRow("<< after >>") << ">> <<"
                                 << "Id,Name,Price,Notes[0]"
                                 << "[-1]"
                                 << "1100";
}

void tst_FieldSelection::moves() {
    QFETCH(QString, clicks);
    QFETCH(QString, available);
    QFETCH(QString, selected);
    QFETCH(QString, buttons);
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    const QHash<QString, const char*> buttonNames = {
        {">", "btnAddField"}, {">>", "btnAddAll"}, {"<", "btnDeleteField"}, {"<<", "btnDeleteAll"}};
    for (const QString& click : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (buttonNames.contains(click))
            wizard.click(buttonNames.value(click));
        else
            wizard.pick(click.startsWith('2') ? "List2" : "List3", click.mid(2).toInt());
    }
    QCOMPARE(describeList(*wizard.list("List2")), available);
    QCOMPARE(describeList(*wizard.list("List3")), selected);
    QCOMPARE(describeButtons(wizard), buttons);
}

void tst_FieldSelection::entriesKeepTheirHiddenPrefix() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    for (int round = 0; round < 3; ++round) {
        wizard.click("btnAddAll");
        wizard.click("btnDeleteField");
        wizard.click("btnDeleteAll");
    }
    QStringList all = wizard.entries("List2");
    std::sort(all.begin(), all.end());
    QCOMPARE(all, (QStringList{item("Id", "lng"), item("Name", "str"), item("Notes", "mem"),
                               item("Price", "cur")}));
}

void tst_FieldSelection::listsKeepTheirSelection() {
    WizardDriver wizard;
    QVERIFY(wizard.start());
    wizard.openFieldsPage(shopPath, 0);
    QListWidget* available = wizard.list("List2");
    wizard.pick("List2", 1);
    const QPoint onSelected = available->visualItemRect(available->item(1)).center();
    QTest::mouseClick(available->viewport(), Qt::LeftButton, Qt::ControlModifier, onSelected);
    QCOMPARE(available->selectedItems(), QList<QListWidgetItem*>{available->item(1)});
    QTest::mouseClick(available->viewport(), Qt::LeftButton, {},
                      QPoint(5, available->viewport()->height() - 3));
    QCOMPARE(available->selectedItems(), QList<QListWidgetItem*>{available->item(1)});
    QCOMPARE(available->currentRow(), 1);
}

QTEST_MAIN(tst_FieldSelection)
#include "tst_FieldSelection.moc"
