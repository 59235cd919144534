#include "platform/SaveDialog.h"

#include "platform/MessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace ombrix::platform {

namespace {

const QString kAspFilter = QStringLiteral("Active Server Page (*.asp)");
const QString kAllFilesText = QStringLiteral("All Files (*.*)");
// "*.*" matches only names with a dot here, and Qt would rewrite a typed "page.txt" as "page.*"
// on choosing it; the dialog matches with "*" and shows the usual text.
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

void showAllFilesText(QFileDialog& dialog) {
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        types->setItemText(1, kAllFilesText);
}

} // namespace

SaveChoice askSaveFileName(QWidget* owner) {
    QFileDialog dialog(owner);
    // Qt's own dialog on every desktop, so that the filters keep their texts and behave the same.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(QDir::rootPath());
    dialog.setNameFilters({kAspFilter, kAllFilesFilter});
    showAllFilesText(dialog);
    dialog.selectNameFilter(kAspFilter);
    // Modal to the output window only: the wizard stays usable while the dialog is open.
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    const int filterIndex = dialog.selectedNameFilter() == kAspFilter ? 1 : 2;
    return {files.value(0), filterIndex};
}

QString fileNameToWrite(const SaveChoice& choice) {
    QString name = choice.fileName;
    while (name.endsWith(u' '))
        name.chop(1);
    if (choice.filterIndex == 1 && name.right(4).toLower() != QLatin1String(".asp"))
        name += QLatin1String(".asp");
    return name;
}

bool confirmReplacingOtherName(QWidget* owner, const SaveChoice& choice, const QString& path) {
    if (path == choice.fileName || !QFileInfo::exists(path))
        return true;
    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(path));
    return askYesNo(owner, question);
}

} // namespace ombrix::platform
