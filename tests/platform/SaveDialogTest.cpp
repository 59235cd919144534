#include "platform/SaveDialog.h"

#include "support/ModalAnswers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using namespace platform;

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Answers the next modal window, a file dialog, with the given action.
void answerFileDialog(ModalAnswers& answers, std::function<void(QFileDialog*)> answer) {
    answers.with([answer](QWidget& modal) { answer(qobject_cast<QFileDialog*>(&modal)); });
}

QStringList messages(const ModalAnswers& answers) {
    return answers.log.filter(QRegularExpression(QStringLiteral("^message\\|")));
}

// Goes to the file's folder, types its name, picks the filter as a user would, and presses Save.
// (A whole path typed into a name box without the focus is rewritten by the dialog when it
// selects that file in the folder on show; a user types with the focus there.)
void typeNameAndSave(QFileDialog* dialog, const QString& path, int filterIndex) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(types && nameBox);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    nameBox->setText(QFileInfo(path).fileName());
    types->setCurrentIndex(filterIndex - 1);
    emit types->activated(filterIndex - 1);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Save button does
}

TEST(SaveDialog, NameToWrite) {
    const struct {
        QString chosen;
        int filterIndex;
        QString written;
    } rows[] = {{.chosen = "/d/page", .filterIndex = 1, .written = "/d/page.asp"},
                {.chosen = "/d/page.asp", .filterIndex = 1, .written = "/d/page.asp"},
                {.chosen = "/d/page.ASP", .filterIndex = 1, .written = "/d/page.ASP"},
                {.chosen = "/d/page.txt", .filterIndex = 1, .written = "/d/page.txt.asp"},
                {.chosen = "/d/page", .filterIndex = 2, .written = "/d/page"},
                {.chosen = "/d/page.txt", .filterIndex = 2, .written = "/d/page.txt"},
                {.chosen = "/d/page  ", .filterIndex = 1, .written = "/d/page.asp"},
                {.chosen = "/d/p.asp ", .filterIndex = 2, .written = "/d/p.asp"},
                {.chosen = "/d/.asp", .filterIndex = 1, .written = "/d/.asp"},
                {.chosen = "/d/pageasp", .filterIndex = 1, .written = "/d/pageasp.asp"}};
    for (const auto& row : rows) {
        EXPECT_EQ(fileNameToWrite({.fileName = row.chosen, .filterIndex = row.filterIndex}),
                  row.written)
            << row.chosen.toStdString() << ", filter " << row.filterIndex;
    }
}

TEST(SaveDialog, StartsAfreshEveryTime) {
    for (int run = 0; run < 2; ++run) {
        QString folder, name, filter;
        QStringList filterTexts;
        ModalAnswers answers;
        answerFileDialog(answers, [&](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            filter = dialog->selectedNameFilter();
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < types->count(); ++i)
                filterTexts << types->itemText(i);
            // Moving away must not carry over to the next dialog.
            dialog->setDirectory(QDir::tempPath());
            dialog->reject();
        });
        EXPECT_TRUE(askSaveFileName(nullptr).fileName.isEmpty());
        EXPECT_EQ(folder, QDir::rootPath());
        EXPECT_EQ(name, QString());
        EXPECT_EQ(filter, QStringLiteral("Active Server Page (*.asp)"));
        EXPECT_EQ(filterTexts, (QStringList{"Active Server Page (*.asp)", "All Files (*.*)"}));
    }
}

TEST(SaveDialog, ReturnsNameAndFilter) {
    // Choosing "All Files" keeps the typed extension.
    for (const auto& [typed, filterIndex] :
         {std::pair{"page", 1}, std::pair{"page", 2}, std::pair{"page.txt", 2}}) {
        const QTemporaryDir dir;
        const QString path = dir.filePath(typed);
        ModalAnswers answers;
        answerFileDialog(answers,
                         [&](QFileDialog* dialog) { typeNameAndSave(dialog, path, filterIndex); });
        const SaveChoice choice = askSaveFileName(nullptr);
        EXPECT_EQ(choice.fileName, path);
        EXPECT_EQ(choice.filterIndex, filterIndex);
    }
}

TEST(SaveDialog, AsksBeforeReturningAnExistingName) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.asp"));
    touch(path);
    ModalAnswers answers;
    answerFileDialog(answers, [&](QFileDialog* dialog) { typeNameAndSave(dialog, path, 1); });
    answers.press(QMessageBox::Yes);
    EXPECT_EQ(askSaveFileName(nullptr).fileName, path);
    EXPECT_EQ(messages(answers).size(), 1);
}

TEST(SaveDialog, AsksBeforeReplacingTheLongerName) {
    const struct {
        QString chosen;
        QString existing;
        QMessageBox::StandardButton answer;
        int questions;
        bool goOn;
    } rows[] = {{.chosen = "<b>page",
                 .existing = "<b>page.asp",
                 .answer = QMessageBox::Yes,
                 .questions = 1,
                 .goOn = true},
                {.chosen = "page",
                 .existing = "page.asp",
                 .answer = QMessageBox::No,
                 .questions = 1,
                 .goOn = false},
                {.chosen = "page",
                 .existing = "other.asp",
                 .answer = QMessageBox::No,
                 .questions = 0,
                 .goOn = true},
                // The dialog itself asked about its own name.
                {.chosen = "page.asp",
                 .existing = "page.asp",
                 .answer = QMessageBox::No,
                 .questions = 0,
                 .goOn = true}};
    for (const auto& row : rows) {
        const QTemporaryDir dir;
        touch(dir.filePath(row.existing));
        const SaveChoice choice{.fileName = dir.filePath(row.chosen), .filterIndex = 1};
        ModalAnswers answers;
        answers.press(row.answer);
        EXPECT_EQ(confirmReplacingOtherName(nullptr, choice, fileNameToWrite(choice)), row.goOn);
        const QStringList shown = messages(answers);
        ASSERT_EQ(shown.size(), row.questions) << row.chosen.toStdString();
        if (row.questions > 0) {
            // A question (Yes/No), titled with the program's name, the path as plain text.
            EXPECT_TRUE(shown[0].startsWith(QStringLiteral("message|Ombrix|")));
            EXPECT_TRUE(shown[0].endsWith(QStringLiteral("|not information/OK")));
            EXPECT_TRUE(shown[0].contains(QDir::toNativeSeparators(dir.filePath(row.existing))));
        }
    }
}

} // namespace
} // namespace ombrix::tests
