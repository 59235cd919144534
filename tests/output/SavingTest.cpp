// "Save" in the output window. Naming and writing are the save dialog's and the saver's to check;
// here, what the window does with each answer, and one page from "Finished" to the file.
#include "generator/GeneratePage.h"
#include "output/Form2.h"
#include "output/PageTextBox.h"
#include "output/ShowGeneratedPage.h"
#include "support/Files.h"
#include "support/SampleDatabases.h"
#include "support/WizardDriver.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ombrix::tests {
namespace {

const QString kPage =
    QStringLiteral("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\u00e9 \u20ac\"\r\n%>\r\n");
const QByteArray kPageBytes("<%\r\n\tDim sName\r\n\r\n\tsName = \"Caf\xE9 \x80\"\r\n%>\r\n");

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void clickSave(QWidget& form) {
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

// What the window does with each answer of the save dialog.
TEST(OutputWindowSave, ActsOnTheAnswer) {
    const struct {
        const char* chosen; // in the temporary folder; nullptr: the dialog was cancelled
        QMessageBox::StandardButton replace = QMessageBox::NoButton; // to "page.asp" holding "old"
        QByteArray pageAsp{};                                        // afterwards; empty: none
        QString shown{}; // the message shown, if any (%1: the folder)
    } cases[] = {
        {.chosen = nullptr},
        {.chosen = "page", .pageAsp = kPageBytes},
        {.chosen = "page",
         .replace = QMessageBox::No,
         .pageAsp = "old",
         .shown = "message|Ombrix|%1/page.asp already exists.\nDo you want to replace "
                  "it?|not information/OK"},
        {.chosen = "missing/page", .shown = "message|Ombrix|Unable to save the file."},
    };
    for (const auto& answer : cases) {
        SCOPED_TRACE(answer.chosen ? answer.chosen : "cancelled");
        QTemporaryDir dir;
        QDir::setCurrent(dir.path()); // a name left empty would land here
        if (answer.replace != QMessageBox::NoButton) {
            QFile file(dir.filePath("page.asp"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        }
        const platform::SaveChoice choice{
            .fileName = answer.chosen ? dir.filePath(answer.chosen) : QString(), .filterIndex = 1};
        output::Form2 form(nullptr, [&](QWidget*) { return choice; });
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.setPageText(kPage);
        form.show();
        ModalAnswers answers;
        answers.press(answer.replace != QMessageBox::NoButton ? answer.replace : QMessageBox::Ok);
        clickSave(form);
        const QString shown = QString(answer.shown).replace("%1", dir.path());
        EXPECT_EQ(answers.log, shown.isEmpty() ? QStringList{} : QStringList{shown});
        EXPECT_EQ(entries(dir), answer.pageAsp.isEmpty() ? QStringList{} : QStringList{"page.asp"});
        EXPECT_EQ(readFile(dir.filePath("page.asp").toStdString()),
                  answer.pageAsp.isEmpty() ? kNoFile : answer.pageAsp.toStdString());
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(output::pageTextOf(*form.findChild<QPlainTextEdit*>("Text1")), kPage);
        QDir::setCurrent(QDir::tempPath());
    }
}

// A FIFO that nothing reads would leave the window waiting for a reader: the save fails at once,
// and the FIFO stays a FIFO.
TEST(OutputWindowSave, AFifoThatNothingReadsFailsAtOnce) {
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath("page.asp"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    output::Form2 form(nullptr, [&](QWidget*) {
        return platform::SaveChoice{.fileName = QFile::decodeName(fifo), .filterIndex = 1};
    });
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.setPageText(kPage);
    form.show();
    ModalAnswers answers;
    answers.press(QMessageBox::Ok);
    clickSave(form);
    EXPECT_EQ(answers.log, QStringList{"message|Ombrix|Unable to save the file."});
    struct stat status {};
    ASSERT_EQ(stat(fifo.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// One page from "Finished" through the real save dialog to the file. The dialog is modal to the
// output window only: the wizard still takes clicks meanwhile.
TEST(FinishedThenSave, WritesTheGeneratedPageWhileTheWizardStaysUsable) {
    FakeCatalogue catalogue = sampleCatalogue();
    WizardDriver wizard(catalogue, output::showGeneratedPage);
    ASSERT_TRUE(wizard.start(kShopPath)); // on the object list at once
    wizard.next();
    wizard.click("btnAddAll");
    wizard.next();
    wizard.next(); // Finished
    auto* window = wizard.form.findChild<output::Form2*>();
    ASSERT_NE(window, nullptr);
    const std::string page = GeneratePage(wizard.form.wizardState());
    EXPECT_EQ(output::pageTextOf(*window->findChild<QPlainTextEdit*>("Text1")),
              QString::fromStdString(page));
    QTemporaryDir dir;
    int stepWhileSaving = 0;
    wizard.answers.with([&](QWidget& modal) {
        // Through the window system, which withholds input from windows that a dialog blocks.
        QPushButton* back = wizard.button("btnBack");
        QTest::mouseClick(wizard.form.windowHandle(), Qt::LeftButton, {},
                          back->mapTo(&wizard.form, back->rect().center()));
        stepWhileSaving = wizard.form.currentStep();
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        dialog->setDirectory(dir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("customers");
        static_cast<QDialog*>(dialog)->accept();
    });
    clickSave(*window);
    EXPECT_EQ(stepWhileSaving, 3);
    // The sample's names are plain ASCII, so Windows-1252 and UTF-8 give the same bytes.
    EXPECT_EQ(readFile(dir.filePath("customers.asp").toStdString()), page);
}

} // namespace
} // namespace ombrix::tests
