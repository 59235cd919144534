// The thin wrappers over the shell that the wizard window uses: the argument text, dropped file
// lists and the open-file dialog's filter.
#include "platform/ArgumentText.h"
#include "platform/DatabaseFileDialog.h"
#include "platform/DroppedFiles.h"
#include "support/ModalAnswers.h"
#include "support/QtPrinting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

namespace ombrix::tests {
namespace {

using namespace platform;

TEST(ShellWrappers, ArgumentTextJoinsTheArgumentsUnchanged) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> rows{
        {{"ombrix"}, ""},
        {{"ombrix", "/data/Shop.MDB"}, "/data/Shop.MDB"},
        {{"ombrix", "/my data/a.mdb"}, "/my data/a.mdb"},
        {{"ombrix", "a.mdb", "more"}, "a.mdb more"},
        {{"ombrix", "-platform", "xcb", "a.mdb"}, "-platform xcb a.mdb"}, // Qt's options stay
        {{"ombrix", "", "a.mdb"}, " a.mdb"},
        {{"ombrix", "/données/Zürich.mdb"}, "/données/Zürich.mdb"},
        {{"ombrix", "/d/caf\xe9.mdb", "\xff"}, "/d/caf\xe9.mdb \xff"}}; // bytes, not UTF-8
    for (const auto& [argv, text] : rows) {
        EXPECT_EQ(argumentText(static_cast<int>(argv.size()), argv.data()), text);
    }
}

// A file manager's URLs percent-encode the file names' bytes, whatever their encoding.
TEST(ShellWrappers, DroppedFilesAreAListOfLocalFilesOnly) {
    const QUrl file("file:///b/z.mdb");
    const QUrl web("http://example.org/a.mdb");
    const std::vector<std::pair<QList<QUrl>, std::vector<std::string>>> rows{
        {{}, {}},
        {{file, QUrl("file:///a/y%20x.txt")}, {"/b/z.mdb", "/a/y x.txt"}},
        {{QUrl("file:///d/caf%E9.mdb"), QUrl("file:///d/Z%C3%BCrich%25.mdb")},
         {"/d/caf\xe9.mdb", "/d/Z\xc3\xbcrich%.mdb"}},
        {{QUrl("file://server/share/x.mdb")}, {"//server/share/x.mdb"}},
        {{web}, {}},
        {{file, web}, {}}};
    for (const auto& [urls, paths] : rows) {
        QMimeData data;
        data.setUrls(urls);
        EXPECT_EQ(holdsFileList(data), !paths.empty());
        EXPECT_EQ(droppedFilePaths(data), paths);
    }
}

TEST(ShellWrappers, DialogListsDatabasesWhateverTheirCase) {
    const QTemporaryDir folder;
    for (const char* name : {"Shop.MDB", "lower.mdb", "notes.txt", "notes.mdb.txt"}) {
        QFile file(QDir(folder.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList listed;
    ModalAnswers answers;
    answers.with([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        dialog->setDirectory(folder.path());
        // The model reads the folder in the background; wait until the two databases are in.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return model->rowCount(model->index(folder.path())) == 2; }));
        const QModelIndex parent = model->index(folder.path());
        for (int row = 0; row < model->rowCount(parent); ++row)
            listed.append(model->index(row, 0, parent).data().toString());
        listed.sort();
        dialog->reject();
    });
    EXPECT_EQ(chooseDatabaseFile(nullptr), QString());
    EXPECT_EQ(listed, (QStringList{"Shop.MDB", "lower.mdb"}));
    EXPECT_EQ(answers.log, QStringList{"window|DatabaseFileDialog"});
}

} // namespace
} // namespace ombrix::tests
