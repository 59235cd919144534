// The ways a path gets into the database box besides typing: the command line, dropped files and
// "Select...". Which paths the shell hands over is the platform's to check, and which name a
// database the generator's; here, what the wizard takes from them.
#include "support/SampleDatabases.h"
#include "support/WizardDriver.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace ombrix::tests {
namespace {

using DatabaseRoutesTest = SampleWizardTest;

TEST(WizardCommandLine, DatabasePathRunsTheFirstStepBeforeTheWindowShows) {
    const QString notSet =
        "message|Ombrix|Error 91\r\n\r\nObject variable or With block variable not set";
    const std::string twoPaths = std::string(kEmptyPath) + ' ' + kShopPath;
    const struct {
        std::string arguments; // bytes
        QString box;
        int page = 1;
        QString shown{};
    } cases[] = {
        {.arguments = "", .box = ""},
        {.arguments = kShopPath, .box = kShopPath, .page = 2},
        {.arguments = "/data/Nowhere.MDB", .box = "/data/Nowhere.MDB", .shown = notSet},
        {.arguments = "/data/Nowhere.accde", .box = ""},
        {.arguments = '"' + std::string(kShopPath) + '"', .box = ""},
        {.arguments = twoPaths, .box = QString::fromStdString(twoPaths), .shown = notSet},
        {.arguments = kLockedPath,
         .box = kLockedPath,
         .shown = "prompt|Ombrix|Please enter the correct password for this database:||password"},
        // Latin-1 bytes: shown with a replacement character, opened as they are.
        {.arguments = kLatin1Path, .box = "/data/caf\uFFFD.mdb", .page = 2},
    };
    for (const auto& line : cases) {
        SCOPED_TRACE(line.arguments);
        FakeCatalogue catalogue = sampleCatalogue();
        catalogue.databases[kLatin1Path] = shopDatabase();
        WizardDriver wizard(catalogue);
        bool visibleUnderMessage = false;
        QPoint offCentre; // of the box, from the centre of the screen
        wizard.answers.with([&](QWidget& modal) {
            visibleUnderMessage = wizard.form.isVisible();
            offCentre =
                modal.frameGeometry().center() - modal.screen()->availableGeometry().center();
            modal.close();
        });
        ASSERT_TRUE(wizard.start(line.arguments));
        EXPECT_EQ(wizard.get<QLineEdit>("txtDBName")->text(), line.box);
        EXPECT_EQ(wizard.page(), line.page);
        EXPECT_EQ(wizard.answers.log,
                  line.shown.isEmpty() ? QStringList{} : QStringList{line.shown});
        EXPECT_FALSE(visibleUnderMessage);
        // Where the wizard will appear, not in the screen's corner where it stood unshown.
        EXPECT_LE(offCentre.manhattanLength(), 2);
    }
}

// Dropping the files on the database box: the first database's path, with the focus on "Next >".
TEST(WizardDrop, FirstDroppedDatabaseFillsTheBox) {
    const QString typed = "typed.mdb";
    const struct {
        QStringList files; // file URLs; empty: plain text is dragged
        Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QString box;
        QString inPage = box; // the path as the page writes it
    } cases[] = {
        {.files = {"file:///d/notes.txt", "file:///d/x/Orders.MDB", "file:///d/y/last.mdb"},
         .box = "/d/x/Orders.MDB"},
        {.files = {"file:///d/Shop.mdb"}, .offered = Qt::MoveAction, .box = typed},
        {.files = {}, .box = typed},
        // Latin-1 bytes: shown with a replacement character, kept for the page.
        {.files = {"file:///data/caf%E9.mdb"},
         .box = "/data/caf\uFFFD.mdb",
         .inPage = "/data/caf\u00e9.mdb"},
    };
    for (const auto& dropped : cases) {
        SCOPED_TRACE(dropped.files.join(' ').toStdString());
        FakeCatalogue catalogue = sampleCatalogue();
        WizardDriver wizard(catalogue);
        ASSERT_TRUE(wizard.start());
        wizard.typePath(typed);
        auto* target = wizard.get<QLineEdit>("txtDBName");
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& url : dropped.files)
            urls.append(QUrl(url));
        if (urls.isEmpty())
            data.setText("/d/dragged text.mdb");
        else
            data.setUrls(urls);
        const bool granted = !urls.isEmpty() && dropped.offered.testFlag(Qt::CopyAction);
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, dropped.offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_EQ(enter.isAccepted(), granted);
        EXPECT_TRUE(!granted || enter.dropAction() == Qt::CopyAction);
        QDragMoveEvent move(centre, dropped.offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        EXPECT_EQ(move.isAccepted(), granted);
        if (granted) {
            QDropEvent drop(QPointF(centre), dropped.offered, &data, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        }
        EXPECT_EQ(target->text(), dropped.box);
        EXPECT_EQ(wizard.form.wizardState().databasePath, dropped.inPage.toStdString());
        EXPECT_EQ(wizard.form.focusWidget() == wizard.get("btnNext"), dropped.box != typed);
        EXPECT_EQ(wizard.form.currentStep(), 1);
    }
}

// The bytes of a path from the command line reach the catalogue as they are, and the page reads
// them as Windows-1252, until the box changes: then its text is the path, however it looks.
TEST_F(DatabaseRoutesTest, APathKeepsItsBytesUntilTheBoxChanges) {
    catalogue.databases[kLatin1Path] = shopDatabase();
    ASSERT_TRUE(wizard.start(kLatin1Path));
    EXPECT_EQ(wizard.page(), 2);
    EXPECT_EQ(wizard.form.wizardState().databasePath, "/data/caf\u00e9.mdb");
    wizard.back();
    auto* box = wizard.get<QLineEdit>("txtDBName");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "b");
    EXPECT_EQ(box->text(), "/data/caf\uFFFD.mdb");
    wizard.answers.ok();
    wizard.next();
    EXPECT_EQ(catalogue.calls,
              (std::vector<std::string>{"list /data/caf\xe9.mdb|", "list /data/caf\ufffd.mdb|"}));
}

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
    EXPECT_EQ(filters, QStringList{"Microsoft Access Databases (*.mdb *.accdb)"});
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
