#include "platform/MessageBox.h"

#include "ombrix/ProjectInfo.h"

#include <QMessageBox>

namespace ombrix::platform {

namespace {

int showPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

} // namespace

QString programName() {
    return QString::fromUtf8(project::kName.data(), static_cast<qsizetype>(project::kName.size()));
}

void showMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Information, programName(), text, QMessageBox::Ok, owner);
    showPlain(box);
}

bool askYesNo(QWidget* owner, const QString& question) {
    QMessageBox box(QMessageBox::Question, programName(), question,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return showPlain(box) == QMessageBox::Yes;
}

} // namespace ombrix::platform
