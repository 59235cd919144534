#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace ombrix::testing {

// Answers the next modal dialog of type T as soon as it shows: a timer looks for it while the
// code under test sits in the dialog's own event loop.
template <typename T>
void answerNextModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start();
}

// Every message box shown while it lives: recorded, then answered with the given button.
class MessageBoxes {
public:
    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Qt::TextFormat format;
    };

    explicit MessageBoxes(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->property("ombrix_answered").toBool())
                return;
            box->setProperty("ombrix_answered", true);
            shown_.append({box->windowTitle(), box->text(), box->icon(), box->textFormat()});
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->reject();
        });
        timer_.start();
    }

    const QList<Shown>& shown() const { return shown_; }

private:
    QTimer timer_;
    QList<Shown> shown_;
};

} // namespace ombrix::testing
