// The wizard window as a whole: what it shows at start, where every control sits, going forward
// and back through the pages, "Finished", closing, the website label.
#include "SampleDatabases.h"
#include "WizardDriver.h"
#include "generator/GeneratePage.h"
#include "ombrix/ProjectInfo.h"
#include "wizard/VersionCaption.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QUrl>
#include <gtest/gtest.h>

namespace ombrix::tests {

// Receives what the website label asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

using WizardFrameTest = StartedWizardTest;

TEST(VersionCaption, PadsMinorAndRevision) {
    EXPECT_EQ(wizard::versionCaption(1, 0, 35), "Ombrix - Version 1.00.0035");
    EXPECT_EQ(wizard::versionCaption(12, 345, 67890), "Ombrix - Version 12.345.67890");
}

TEST_F(WizardFrameTest, StartsOnPageOne) {
    EXPECT_EQ(wizard.form.windowTitle(), "Ombrix - Version 1.00.0000");
    EXPECT_EQ(wizard.form.minimumSize(), QSize(433, 293));
    EXPECT_EQ(wizard.form.maximumSize(), QSize(433, 293));
    EXPECT_EQ(wizard.page(), 1);
    EXPECT_FALSE(wizard.button("btnBack")->isEnabled());
    EXPECT_EQ(wizard.button("btnNext")->text(), "Next >");
    auto* method = wizard.get<QComboBox>("Combo1");
    EXPECT_EQ(method->count(), 2);
    EXPECT_EQ(method->itemText(1), "Get");
    EXPECT_EQ(method->currentText(), "Post");
    EXPECT_FALSE(method->isEditable());
    EXPECT_EQ(wizard.get("txtDBName")->toolTip(), "Type or drag and drop the database");
    EXPECT_TRUE(wizard.button("btnAddAll")->isEnabled());
    EXPECT_FALSE(wizard.button("btnDeleteAll")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(wizard.get("txtDBName")->nextInFocusChain(), wizard.get("btnFile"));
    EXPECT_EQ(wizard.get("btnNext")->nextInFocusChain(), wizard.get("btnClose"));
}

// Forward to the summary and back to page 1; on the summary, every control's parent, place and
// fixed text as data/layout.tsv lists them (every panel has then been shown at the page area).
TEST_F(WizardFrameTest, ForwardAndBackThroughAllPagesAsLaidOut) {
    wizard.typePath(kShopPath);
    for (int page = 2; page <= 4; ++page) {
        if (page == 4)
            wizard.click("btnAddField");
        wizard.next();
        EXPECT_EQ(wizard.page(), page);
        EXPECT_TRUE(wizard.button("btnBack")->isEnabled());
    }
    QFile table(QStringLiteral(OMBRIX_WIZARD_TEST_DATA "/layout.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!table.atEnd()) {
        const QStringList cell = QString::fromUtf8(table.readLine()).trimmed().split('\t');
        if (cell.size() != 7)
            continue; // a comment
        SCOPED_TRACE(cell[0].toStdString());
        const QWidget* control = wizard.get(cell[0].toLatin1().constData());
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), cell[1]);
        EXPECT_EQ(control->geometry(),
                  QRect(cell[3].toInt(), cell[4].toInt(), cell[5].toInt(), cell[6].toInt()));
        QString text = cell[2];
        if (auto* label = qobject_cast<const QLabel*>(control)) {
            text = label->text();
            // Nothing of a one-line label's text is cut off at its right edge.
            if (!label->wordWrap())
                EXPECT_LE(label->fontMetrics().horizontalAdvance(text),
                          label->contentsRect().width());
        }
        if (auto* button = qobject_cast<const QPushButton*>(control))
            text = button->text();
        EXPECT_TRUE(cell[2] == "*" || text == cell[2]) << text.toStdString();
    }
    EXPECT_EQ(wizard.get<QLabel>("lblobjx")->alignment(), Qt::AlignLeft | Qt::AlignTop);
    for (int page = 3; page >= 1; --page) {
        wizard.back();
        EXPECT_EQ(wizard.page(), page);
        EXPECT_EQ(wizard.button("btnNext")->text(), "Next >");
        EXPECT_EQ(wizard.button("btnBack")->isEnabled(), page > 1);
    }
    EXPECT_FALSE(wizard.get("picFrame2")->isVisible());
    EXPECT_TRUE(wizard.answers.log.isEmpty());
}

TEST_F(WizardFrameTest, BackFromSummaryKeepsTheSelectionAndRebuildsIt) {
    wizard.openFieldsPage(kShopPath, 0); // Customers: Id, Name, Price, Notes
    wizard.pick("List2", 2);
    wizard.click("btnAddField");
    wizard.next();
    EXPECT_EQ(wizard.entries("List5"), QStringList{fieldItem("Price", "cur")});
    EXPECT_EQ(wizard.get<QLabel>("lblObj")->text(), "Table: Customers");
    EXPECT_EQ(wizard.get<QLabel>("lblDB")->text(), kShopPath);
    EXPECT_EQ(wizard.get("lblDB")->toolTip(), kShopPath);
    wizard.back();
    wizard.pick("List2", 0);
    wizard.click("btnAddField");
    wizard.next();
    EXPECT_EQ(wizard.entries("List5"),
              (QStringList{fieldItem("Price", "cur"), fieldItem("Id", "lng")}));
    EXPECT_EQ(wizard.list("List5")->currentRow(), 0);
}

// The one page end to end; the page's text itself is the generator's to check.
TEST_F(WizardFrameTest, FinishedGeneratesFromTheCurrentStateEachTime) {
    wizard.openFieldsPage(kShopPath, 0);
    wizard.click("btnAddAll");
    wizard.next();
    wizard.next(); // Finished
    wizard.get<QComboBox>("Combo1")->setCurrentIndex(1);
    wizard.next(); // Finished again, now with "Get"
    ASSERT_EQ(wizard.outputs.size(), 2);
    EXPECT_EQ(wizard.page(), 4);
    const WizardState state = wizard.form.wizardState();
    EXPECT_EQ(state.databasePath, kShopPath);
    EXPECT_EQ(state.password, "");
    EXPECT_EQ(state.primaryKeyField, "Id");
    EXPECT_EQ(state.primaryKeyPrefix, "lng");
    EXPECT_EQ(state.objectCaption, "Table: Customers");
    EXPECT_EQ(state.formMethod, "Get");
    ASSERT_EQ(state.summaryFields.size(), 4u);
    EXPECT_EQ(QString::fromStdString(state.summaryFields[3]), fieldItem("Notes", "mem"));
    EXPECT_EQ(wizard.outputs.at(1), QString::fromStdString(GeneratePage(state)));
    EXPECT_NE(wizard.outputs.at(0), wizard.outputs.at(1));
}

TEST_F(WizardFrameTest, EscapeDoesNotCloseButCloseDoes) {
    QSignalSpy finished(&wizard.form, &QDialog::finished);
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Escape);
    EXPECT_EQ(finished.size(), 0);
    wizard.click("btnClose");
    EXPECT_FALSE(wizard.form.isVisible());
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(WizardFrameTest, WebsiteLabelOpensTheAddress) {
    auto* web = wizard.get<QLabel>("lblWeb");
    EXPECT_EQ(web->toolTip(), "Visit the website");
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(web->font().underline());
    EXPECT_EQ(web->font().pointSizeF(), 8.25);
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(Qt::blue));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QTest::mouseClick(web, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(catcher.opened,
              QList<QUrl>{QUrl(QString::fromStdString(std::string(project::kWebAddress)))});
}

} // namespace
} // namespace ombrix::tests

#include "WizardFrameTest.moc"
