#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

namespace ombrix::tests {

// Answers the modal windows that a click opens, in order, and logs what each showed:
//   "message|TITLE|TEXT"               a message box (flags appended when it is not a plain-text
//                                      information box with OK alone)
//   "prompt|TITLE|LABEL|DEFAULT|ECHO"  an input box (ECHO: "password" or "normal")
//   "window|NAME"                      any other modal window
// and "hourglass" whenever one appeared under the hourglass pointer. A window nobody expected is
// logged as "unexpected|CLASS" and closed, so that a faulty test fails instead of hanging.
class ModalAnswers : public QObject {
public:
    ModalAnswers();

    void press(QMessageBox::StandardButton button); // a message box: press the button
    void ok() { press(QMessageBox::Ok); }
    void enter(const QString& text) { answerInput(text); } // an input box: type, press OK
    void cancel() { answerInput(std::nullopt); }           // an input box: press Cancel
    void with(std::function<void(QWidget&)> answer) { answers_.push_back(std::move(answer)); }

    bool allAnswered() const { return answers_.empty(); }
    QStringList log;

private:
    void answerInput(std::optional<QString> text);
    void poll();
    void note(QWidget& modal);

    std::deque<std::function<void(QWidget&)>> answers_;
    QPointer<QWidget> last_;
    QTimer timer_;
};

} // namespace ombrix::tests

namespace ombrix::testing {

// The save dialog's tests still answer through these two; new tests use ModalAnswers.

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
