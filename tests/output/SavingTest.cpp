// "Save" in the output window. Naming and writing are the save dialog's and the saver's to check;
// here, what the window does with each answer, and one page from "Finished" to the file.
#include "SampleDatabases.h"
#include "WizardDriver.h"
#include "generator/GeneratePage.h"
#include "output/Form2.h"
#include "output/GeneratedPageWindow.h"
#include "output/PageTextBox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

const QString kPage =
    QStringLiteral("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\u00e9 \u20ac\"\r\n%>\r\n");
const QByteArray kPageBytes("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\xE9 \x80\"\r\n%>\r\n");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

void clickSave(QWidget& form) {
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

struct SaveAnswer {
    const char* name{};
    const char* chosen{};  // in the temporary folder; nullptr: the dialog was cancelled
    QByteArray existing{}; // page.asp before the save, if not empty
    QMessageBox::StandardButton replace = QMessageBox::NoButton;
    QStringList files{};  // afterwards
    QByteArray pageAsp{}; // afterwards
    QString shown{};      // the message shown, if any (%1: the folder)
};

class SaveAnswerTest : public ::testing::TestWithParam<SaveAnswer> {};

TEST_P(SaveAnswerTest, WindowActsOnTheAnswer) {
    const SaveAnswer& answer = GetParam();
    QTemporaryDir dir;
    if (!answer.existing.isEmpty()) {
        QFile file(dir.filePath("page.asp"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(answer.existing);
    }
    const platform::SaveChoice choice{
        .fileName = answer.chosen ? dir.filePath(answer.chosen) : QString(), .filterIndex = 1};
    output::Form2 form(nullptr, [&](QWidget*) { return choice; });
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.setPageText(kPage);
    form.show();
    ModalAnswers answers;
    if (answer.replace != QMessageBox::NoButton)
        answers.press(answer.replace);
    else if (!answer.shown.isEmpty())
        answers.ok();
    clickSave(form);
    const QString shown = answer.shown.contains("%1") ? answer.shown.arg(dir.path()) : answer.shown;
    EXPECT_EQ(answers.log, shown.isEmpty() ? QStringList{} : QStringList{shown});
    EXPECT_EQ(entries(dir), answer.files);
    if (!answer.pageAsp.isEmpty()) {
        EXPECT_EQ(readAll(dir.filePath("page.asp")), answer.pageAsp);
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(output::pageTextOf(*form.findChild<QPlainTextEdit*>("Text1")), kPage);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SaveAnswerTest,
    ::testing::Values(
        SaveAnswer{.name = "Cancelled", .chosen = nullptr},
        SaveAnswer{.name = "Saved", .chosen = "page", .files = {"page.asp"}, .pageAsp = kPageBytes},
        SaveAnswer{.name = "ReplacingRefused",
                   .chosen = "page",
                   .existing = "old",
                   .replace = QMessageBox::No,
                   .files = {"page.asp"},
                   .pageAsp = "old",
                   .shown = "message|Ombrix|%1/page.asp already exists.\nDo you want to replace "
                            "it?|not information/OK"},
        SaveAnswer{.name = "Failed",
                   .chosen = "missing/page",
                   .shown = "message|Ombrix|Unable to save the file."}),
    [](const auto& row) { return std::string(row.param.name); });

class FinishedTest : public ::testing::Test {
protected:
    FakeCatalogue catalogue = sampleCatalogue();
    WizardDriver wizard{catalogue, output::showGeneratedPage};

    // "Finished" over Customers with every field selected; the output window it opened.
    output::Form2* finish() {
        EXPECT_TRUE(wizard.start(kShopPath)); // on the object list at once
        wizard.next();
        wizard.click("btnAddAll");
        wizard.next();
        wizard.next();
        return wizard.form.findChild<output::Form2*>();
    }
};

TEST_F(FinishedTest, SavedFileHoldsTheGeneratedPage) {
    output::Form2* window = finish();
    ASSERT_NE(window, nullptr);
    const std::string page = GeneratePage(wizard.form.wizardState());
    EXPECT_EQ(output::pageTextOf(*window->findChild<QPlainTextEdit*>("Text1")),
              QString::fromStdString(page));
    QTemporaryDir dir;
    wizard.answers.with([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        dialog->setDirectory(dir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("customers");
        static_cast<QDialog*>(dialog)->accept();
    });
    clickSave(*window);
    // The sample's names are plain ASCII, so Windows-1252 and UTF-8 give the same bytes.
    EXPECT_EQ(readAll(dir.filePath("customers.asp")), QByteArray::fromStdString(page));
}

// The save dialog is modal to the output window only: the wizard still takes clicks meanwhile.
TEST_F(FinishedTest, WizardStaysUsableWhileSaving) {
    output::Form2* window = finish();
    ASSERT_NE(window, nullptr);
    int stepWhileSaving = 0;
    wizard.answers.with([&](QWidget& modal) {
        // Through the window system, which withholds input from windows that a dialog blocks.
        QPushButton* back = wizard.button("btnBack");
        QTest::mouseClick(wizard.form.windowHandle(), Qt::LeftButton, {},
                          back->mapTo(&wizard.form, back->rect().center()));
        stepWhileSaving = wizard.form.currentStep();
        qobject_cast<QDialog*>(&modal)->reject();
    });
    clickSave(*window);
    EXPECT_EQ(stepWhileSaving, 3);
}

} // namespace
} // namespace ombrix::tests
