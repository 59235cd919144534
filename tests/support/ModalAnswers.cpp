#include "support/ModalAnswers.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QPushButton>
#include <QTest>

namespace ombrix::tests {

ModalAnswers::ModalAnswers() {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
    timer_.start(5);
}

void ModalAnswers::press(QMessageBox::StandardButton button) {
    with([button](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
}

void ModalAnswers::answerInput(std::optional<QString> text) {
    with([text](QWidget& modal) {
        if (auto* input = qobject_cast<QInputDialog*>(&modal)) {
            input->setTextValue(text.value_or(QString()));
            QTest::mouseClick(input->findChild<QDialogButtonBox*>()->button(
                                  text ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        }
    });
}

void ModalAnswers::note(QWidget& modal) {
    if (QApplication::overrideCursor() != nullptr)
        log.append(QStringLiteral("hourglass"));
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        QString entry = QStringLiteral("message|%1|%2").arg(box->windowTitle(), box->text());
        if (box->icon() != QMessageBox::Information || box->standardButtons() != QMessageBox::Ok)
            entry += QStringLiteral("|not information/OK");
        if (box->textFormat() != Qt::PlainText)
            entry += QStringLiteral("|not plain text");
        log.append(entry);
    } else if (auto* input = qobject_cast<QInputDialog*>(&modal)) {
        const bool masked = input->textEchoMode() == QLineEdit::Password;
        log.append(QStringLiteral("prompt|%1|%2|%3|%4")
                       .arg(input->windowTitle(), input->labelText(), input->textValue(),
                            masked ? QStringLiteral("password") : QStringLiteral("normal")));
    } else {
        log.append(QStringLiteral("window|%1").arg(modal.objectName()));
    }
}

void ModalAnswers::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last_ || !modal->isVisible())
        return;
    last_ = modal;
    note(*modal);
    if (answers_.empty()) {
        log.append(QStringLiteral("unexpected|") + modal->metaObject()->className());
        modal->close();
        return;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    // Qt delivers no timer event to a slot still running; restarting makes a new timer, which
    // fires in the loop of a window that this answer opens (a file dialog asking before it
    // replaces a file).
    timer_.start(5);
    answer(*modal);
}

} // namespace ombrix::tests
