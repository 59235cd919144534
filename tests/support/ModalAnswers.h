#pragma once

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
