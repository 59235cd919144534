#include "ModalAnswers.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace ombrix::testing {

namespace {

void press(QWidget& dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}

} // namespace

ModalAnswers::ModalAnswers() {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
    timer_.start(5);
}

void ModalAnswers::ok() {
    answers_.emplace_back([](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

void ModalAnswers::enter(const QString& text) {
    answers_.emplace_back([text](QWidget& modal) {
        if (auto* input = qobject_cast<QInputDialog*>(&modal)) {
            input->setTextValue(text);
            press(*input, QDialogButtonBox::Ok);
        }
    });
}

void ModalAnswers::cancel() {
    answers_.emplace_back([](QWidget& modal) {
        if (auto* input = qobject_cast<QInputDialog*>(&modal))
            press(*input, QDialogButtonBox::Cancel);
    });
}

void ModalAnswers::with(std::function<void(QWidget&)> answer) {
    answers_.push_back(std::move(answer));
}

void ModalAnswers::note(QWidget& modal) {
    if (QApplication::overrideCursor() != nullptr)
        log.append(QStringLiteral("hourglass"));
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        const bool informationOk =
            box->icon() == QMessageBox::Information && box->standardButtons() == QMessageBox::Ok;
        log.append(QStringLiteral("message|%1|%2%3%4")
                       .arg(box->windowTitle(), box->text(),
                            informationOk ? QString() : QStringLiteral("|not information/OK"),
                            box->textFormat() == Qt::PlainText
                                ? QString()
                                : QStringLiteral("|not plain text")));
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
    answer(*modal);
}

} // namespace ombrix::testing
