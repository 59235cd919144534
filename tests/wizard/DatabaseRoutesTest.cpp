// The ways a path gets into the database box besides typing: the command line, dropped files and
// "Select...". Which paths the shell hands over is the platform's to check; here, what the wizard
// takes from them.
#include "SampleDatabases.h"
#include "WizardDriver.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

class DatabaseRoutesTest : public ::testing::Test {
protected:
    FakeCatalogue catalogue = sampleCatalogue();
    WizardDriver wizard{catalogue};
};

struct CommandLine {
    const char* name{};
    QString arguments{};
    QString box{};
    int page = 1;
    bool objectNotSet = false; // the first step ran and failed, before the window was shown
};

class CommandLineTest : public DatabaseRoutesTest,
                        public ::testing::WithParamInterface<CommandLine> {};

TEST_P(CommandLineTest, DatabasePathRunsTheFirstStep) {
    bool visibleUnderMessage = true;
    wizard.answers.with([&](QWidget& modal) {
        visibleUnderMessage = wizard.form.isVisible();
        QTest::mouseClick(qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok),
                          Qt::LeftButton);
    });
    ASSERT_TRUE(wizard.start(GetParam().arguments));
    EXPECT_EQ(wizard.get<QLineEdit>("txtDBName")->text(), GetParam().box);
    EXPECT_EQ(wizard.visiblePage(), GetParam().page);
    EXPECT_EQ(wizard.form.currentStep(), GetParam().page);
    const QStringList objectNotSet{
        "message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set"};
    EXPECT_EQ(wizard.answers.log, GetParam().objectNotSet ? objectNotSet : QStringList{});
    EXPECT_FALSE(GetParam().objectNotSet && visibleUnderMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(CommandLine{.name = "None"},
                      CommandLine{
                          .name = "ADatabase", .arguments = kShopPath, .box = kShopPath, .page = 2},
                      CommandLine{.name = "UpperCaseExtensionMissing",
                                  .arguments = "/data/Nowhere.MDB",
                                  .box = "/data/Nowhere.MDB",
                                  .objectNotSet = true},
                      CommandLine{.name = "Quoted", .arguments = '"' + QString(kShopPath) + '"'},
                      CommandLine{.name = "TwoPathsAsOneText",
                                  .arguments = QString(kFilterPath) + ' ' + kShopPath,
                                  .box = QString(kFilterPath) + ' ' + kShopPath,
                                  .objectNotSet = true}),
    [](const auto& row) { return std::string(row.param.name); });

struct Drop {
    const char* name{};
    QStringList files{}; // empty: plain text is dragged
    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QString box = "typed.mdb";
};

class DropTest : public DatabaseRoutesTest, public ::testing::WithParamInterface<Drop> {};

TEST_P(DropTest, FirstDroppedDatabaseFillsTheBox) {
    ASSERT_TRUE(wizard.start());
    wizard.typePath("typed.mdb");
    auto* target = wizard.get<QLineEdit>("txtDBName");
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : GetParam().files)
        urls.append(QUrl::fromLocalFile(path));
    if (urls.isEmpty())
        data.setText("/d/dragged text.mdb");
    else
        data.setUrls(urls);
    const bool granted = !urls.isEmpty() && GetParam().offered.testFlag(Qt::CopyAction);

    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, GetParam().offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_EQ(enter.isAccepted(), granted);
    if (granted) {
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    }
    QDragMoveEvent move(centre, GetParam().offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    EXPECT_EQ(move.isAccepted(), granted);
    if (granted) {
        QDropEvent drop(QPointF(centre), GetParam().offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    EXPECT_EQ(target->text(), GetParam().box);
    if (GetParam().box != "typed.mdb") {
        EXPECT_EQ(wizard.form.focusWidget(), wizard.get("btnNext"));
    }
    EXPECT_EQ(wizard.form.currentStep(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropTest,
    ::testing::Values(Drop{.name = "FirstDatabaseOfThree",
                           .files = {"/d/notes.txt", "/d/x/Orders.MDB", "/d/y/last.mdb"},
                           .box = "/d/x/Orders.MDB"},
                      Drop{.name = "NameThatOnlyContainsMdb", .files = {"/d/notes.mdb.txt"}},
                      Drop{.name = "MoveOnly", .files = {"/d/Shop.mdb"}, .offered = Qt::MoveAction},
                      Drop{.name = "TextNotAFileList"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DatabaseRoutesTest, SelectChoosesAFileAndNextTakesEnter) {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("Shop.MDB");
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    catalogue.databases[path.toStdString()] = shopDatabase();
    ASSERT_TRUE(wizard.start());
    Qt::WindowModality modality = Qt::ApplicationModal;
    QString startedIn, title;
    QStringList filters;
    wizard.answers.with([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        modality = dialog->windowModality();
        startedIn = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    wizard.click("btnFile");
    EXPECT_EQ(modality, Qt::WindowModal); // the output window stays usable
    EXPECT_EQ(startedIn, QDir::rootPath());
    EXPECT_EQ(title, "Select A Database");
    EXPECT_EQ(filters, QStringList{"Microsoft Access Databases (*.mdb)"});
    EXPECT_EQ(wizard.get<QLineEdit>("txtDBName")->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(wizard.form.focusWidget(), wizard.get("btnNext"));
    EXPECT_EQ(wizard.form.currentStep(), 1);
    QTest::keyClick(wizard.get("btnNext"), Qt::Key_Return);
    EXPECT_EQ(wizard.form.currentStep(), 2);
}

TEST_F(DatabaseRoutesTest, CancelledSelectKeepsTheBoxAndEnterDoesNothing) {
    ASSERT_TRUE(wizard.start());
    wizard.typePath("/typed/path.mdb");
    wizard.answers.with([](QWidget& modal) { qobject_cast<QFileDialog*>(&modal)->reject(); });
    wizard.click("btnFile");
    EXPECT_TRUE(wizard.answers.allAnswered());
    EXPECT_EQ(wizard.get<QLineEdit>("txtDBName")->text(), "/typed/path.mdb");
    EXPECT_EQ(wizard.form.focusWidget(), wizard.get("txtDBName"));

    // No button is a default button: Enter in the box neither opens the dialog again nor goes on.
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Return);
    QTest::keyClick(wizard.get("txtDBName"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(wizard.answers.log, QStringList{"window|DatabaseFileDialog"});
    EXPECT_EQ(wizard.form.currentStep(), 1);
}

} // namespace
} // namespace ombrix::tests
