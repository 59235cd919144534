// The wizard window as a whole: what it shows at start, where every control sits, going forward
// and back through the pages, "Finished", closing, the website label.
#include "generator/GeneratePage.h"
#include "ombrix/ProjectInfo.h"
#include "support/DataTable.h"
#include "support/GoldenImage.h"
#include "support/SampleDatabases.h"
#include "support/TestData.h"
#include "support/WizardDriver.h"
#include "wizard/ReadableColour.h"
#include "wizard/SidePicture.h"
#include "wizard/VersionCaption.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QSignalSpy>
#include <QUrl>
#include <algorithm>
#include <functional>
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
    for (const QStringList& cell : tableRows(sourceFile("tests/wizard/data/layout.tsv"), 7)) {
        SCOPED_TRACE(cell.join('\t').toStdString());
        const QWidget* control = wizard.get(cell[0].toLatin1().constData());
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), cell[1]);
        EXPECT_EQ(control->geometry(),
                  QRect(cell[3].toInt(), cell[4].toInt(), cell[5].toInt(), cell[6].toInt()));
        QString text = cell[2];
        if (auto* label = qobject_cast<const QLabel*>(control)) {
            text = label->text();
            // Nothing of a one-line label's text is cut off at its right edge.
            if (!label->wordWrap()) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(text),
                          label->contentsRect().width());
            }
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

// The wizard by keyboard alone, as data/keys.tsv lists it: Alt+B, Alt+N (also after each change of
// its caption), Alt+S and Alt+C press their buttons where they show and are enabled; Enter presses
// the focused button, elsewhere "Next >" from page 2 on and nothing on page 1. Each step puts the
// focus on its page's first control, which carries the page's question as its description.
TEST_F(WizardFrameTest, KeysPressTheButtonsAndTheFocusFollowsThePage) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard.form));
    wizard.typePath(kShopPath);
    wizard.answers.with([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    wizard.answers.ok();
    QStringList shown;
    for (const QStringList& row : tableRows(sourceFile("tests/wizard/data/keys.tsv"), 6)) {
        SCOPED_TRACE(row.join('\t').toStdString());
        const QKeyCombination press = QKeySequence::fromString(row[0])[0];
        QTest::keyClick(QApplication::focusWidget(), press.key(), press.keyboardModifiers());
        // A shortcut shows its button pressed for a moment and clicks it then.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const auto buttons = wizard.form.findChildren<QPushButton*>();
            return std::ranges::none_of(buttons, &QPushButton::isDown);
        }));
        // Where a box was closed, a window manager gives the wizard the keyboard back; the
        // offscreen platform gives it to no window.
        wizard.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard.form));
        if (!row[5].isEmpty())
            shown.append(row[5]);
        QWidget* focus = wizard.get(row[2].toLatin1().constData());
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(wizard.form.currentStep(), row[1].toInt());
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_TRUE(row[3].isEmpty() || focus->accessibleDescription() == row[3]);
        EXPECT_EQ(wizard.outputs.size(), row[4].toInt());
        EXPECT_EQ(wizard.answers.log, shown);
    }
    EXPECT_EQ(wizard.entries("List5"), QStringList{fieldItem("Id", "lng")});
    EXPECT_EQ(wizard.get<QLineEdit>("txtDBName")->text(), kShopPath); // no "b" from Alt+B
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wizard.form.isVisible(); }));
}

TEST_F(WizardFrameTest, EscapeDoesNotCloseButCloseDoes) {
    QSignalSpy finished(&wizard.form, &QDialog::finished);
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Escape);
    EXPECT_EQ(finished.size(), 0);
    wizard.click("btnClose");
    EXPECT_FALSE(wizard.form.isVisible());
    EXPECT_EQ(finished.size(), 1);
}

// The side picture and the etched rules are painted by the window and the first page, where
// the design puts them: the picture at 22, 15; the rules one pixel high in the shadow colour with
// a white line below, Line1 from x 12 to 419 at y 249, Line4 on page 1 (at 151, 7) from 12 to 244
// at y 52.
TEST_F(WizardFrameTest, PaintsTheSidePictureAndTheRules) {
    const QImage window = wizard.form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(window.copy(22, 15, 116, 224),
              wizard::sidePicture(1).toImage().convertToFormat(QImage::Format_RGB32));
    const QColor shadow = wizard.form.palette().color(QPalette::Dark);
    const QColor background = wizard.form.palette().color(QPalette::Window);
    const struct {
        QPoint pixel;
        QColor colour;
    } rows[] = {
        {.pixel = {12, 249}, .colour = shadow},      {.pixel = {419, 249}, .colour = shadow},
        {.pixel = {12, 250}, .colour = Qt::white},   {.pixel = {419, 250}, .colour = Qt::white},
        {.pixel = {420, 249}, .colour = background}, {.pixel = {11, 250}, .colour = background},
        {.pixel = {163, 59}, .colour = shadow},      {.pixel = {395, 59}, .colour = shadow},
        {.pixel = {163, 60}, .colour = Qt::white},   {.pixel = {395, 60}, .colour = Qt::white},
        {.pixel = {396, 59}, .colour = background},  {.pixel = {163, 61}, .colour = background},
    };
    for (const auto& row : rows)
        EXPECT_EQ(window.pixel(row.pixel), row.colour.rgb())
            << row.pixel.x() << ", " << row.pixel.y();
}

TEST(SidePicture, IsDrawnAsTheGoldenImage) {
    expectGoldenImage(wizard::sidePicture(1).toImage(),
                      sourceFile("tests/wizard/data/side-picture.png"));
}

// The website label opens its address on a click, and on Enter or Space once Tab has brought
// the focus to it (after the database box and "Select...").
TEST_F(WizardFrameTest, WebsiteLabelOpensTheAddressByMouseOrKeyboard) {
    auto* web = wizard.get<QLabel>("lblWeb");
    EXPECT_EQ(web->toolTip(), "Visit the website");
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(web->font().underline());
    EXPECT_EQ(web->font().pointSizeF(), 8.25);
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(Qt::blue));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard.form));
    wizard.get("txtDBName")->setFocus();
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Tab);
    QTest::keyClick(wizard.get("btnFile"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), web);

    const QUrl address(QString::fromStdString(std::string(project::kWebAddress)));
    const std::function<void()> ways[] = {
        [&] { QTest::mouseClick(web, Qt::LeftButton); },
        [&] { QTest::keyClick(web, Qt::Key_Return); },
        [&] { QTest::keyClick(web, Qt::Key_Enter, Qt::KeypadModifier); },
        [&] { QTest::keyClick(web, Qt::Key_Space); },
    };
    for (const auto& open : ways) {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        open();
        QDesktopServices::unsetUrlHandler("http");
        EXPECT_EQ(catcher.opened, QList<QUrl>{address});
    }
}

// WCAG's contrast ratio, and the link colour made readable: kept where it is, mixed towards
// white on a dark background and towards black where white falls short.
TEST(ReadableColour, LinksReachAContrastOfFourAndAHalf) {
    const struct {
        QColor a, b;
        double ratio;
    } ratios[] = {
        {.a = Qt::black, .b = Qt::white, .ratio = 21.0},
        {.a = Qt::white, .b = Qt::white, .ratio = 1.0},
        {.a = QColor(0x77, 0x77, 0x77), .b = Qt::white, .ratio = 4.48},
        {.a = Qt::blue, .b = QColor(0x22, 0x20, 0x20), .ratio = 1.89},
        {.a = Qt::blue, .b = QColor(0xef, 0xef, 0xef), .ratio = 7.47},
    };
    for (const auto& row : ratios)
        EXPECT_NEAR(wizard::contrastRatio(row.a, row.b), row.ratio, 0.01)
            << row.a.name().toStdString();

    const struct {
        QColor link, background;
        bool kept;
        bool lighter = false;
    } links[] = {
        {.link = Qt::blue, .background = QColor(0xef, 0xef, 0xef), .kept = true},
        {.link = Qt::blue, .background = QColor(0x22, 0x20, 0x20), .kept = false, .lighter = true},
        {.link = Qt::black, .background = Qt::black, .kept = false, .lighter = true},
        {.link = QColor(0x29, 0x80, 0xb9), .background = QColor(0xef, 0xf0, 0xf1), .kept = false},
        {.link = Qt::white, .background = QColor(0x90, 0x90, 0x90), .kept = false},
    };
    for (const auto& row : links) {
        SCOPED_TRACE(row.link.name().toStdString() + " on " + row.background.name().toStdString());
        const QColor readable = wizard::readableLinkColour(row.link, row.background);
        EXPECT_GE(wizard::contrastRatio(readable, row.background), 4.5);
        EXPECT_EQ(readable == row.link, row.kept);
        if (!row.kept) {
            EXPECT_EQ(readable.lightness() > row.link.lightness(), row.lighter);
        }
    }
}

// On a dark theme the website label follows the window's palette to a readable link colour.
TEST_F(WizardFrameTest, WebsiteLabelStaysReadableOnADarkPalette) {
    QPalette dark = wizard.form.palette();
    dark.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::Link, Qt::blue);
    wizard.form.setPalette(dark);
    const QColor text = wizard.get("lblWeb")->palette().color(QPalette::WindowText);
    EXPECT_GE(wizard::contrastRatio(text, dark.color(QPalette::Window)), 4.5);
    EXPECT_EQ(text.hue(), QColor(Qt::blue).hue());
}

} // namespace
} // namespace ombrix::tests

#include "WizardFrameTest.moc"
