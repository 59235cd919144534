#include "wizard/PlainOutputWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

namespace ombrix::wizard {

void showInPlainWindow(QWidget& wizard, const QString& pageText) {
    const QString name = QStringLiteral("PlainOutputWindow");
    auto* window = wizard.findChild<QPlainTextEdit*>(name, Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new QPlainTextEdit(&wizard);
        window->setObjectName(name);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Ombrix"));
        window->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        window->setLineWrapMode(QPlainTextEdit::NoWrap);
        window->resize(312, 213);
        window->move(wizard.frameGeometry().topRight());
    }
    window->setPlainText(QString());
    window->setPlainText(pageText);
    window->show();
    window->raise();
}

} // namespace ombrix::wizard
