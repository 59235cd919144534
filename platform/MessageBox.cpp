#include "platform/MessageBox.h"

#include <QMessageBox>

namespace ombrix::platform {

namespace {

int showPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

} // namespace

void showMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Ombrix"), text, QMessageBox::Ok,
                    owner);
    showPlain(box);
}

bool askYesNo(QWidget* owner, const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ombrix"), question,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return showPlain(box) == QMessageBox::Yes;
}

} // namespace ombrix::platform
