#include "platform/DatabaseFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace ombrix::platform {

QString chooseDatabaseFile(QWidget* owner) {
    QFileDialog dialog(owner, QStringLiteral("Select A Database"), QDir::rootPath(),
                       QStringLiteral("Microsoft Access Databases (*.mdb *.accdb)"));
    dialog.setObjectName(QStringLiteral("DatabaseFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog matches the filter without regard to letter case (Shop.MDB is listed), as
    // the Windows dialog does; a desktop's native dialog may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Modal to the wizard only: the output window stays usable while the dialog is open.
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace ombrix::platform
