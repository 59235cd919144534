#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace ombrix::testing {

// Answers the modal boxes that a click opens, in order, and logs what each showed:
//   "message|TITLE|TEXT"                      for a plain-text message box (answered with OK)
//   "prompt|TITLE|LABEL|DEFAULT|ECHO"         for an input box (ECHO: "password" or "normal")
// and "hourglass" whenever a box appeared under the hourglass pointer. A box nobody expected is
// logged as "unexpected|..." and dismissed, so that a faulty test fails instead of hanging.
class ModalAnswers : public QObject {
public:
    ModalAnswers();

    void ok();                                       // a message box: press OK
    void enter(const QString& text);                 // an input box: type the text, press OK
    void cancel();                                   // an input box: press Cancel
    void with(std::function<void(QWidget&)> answer); // any other modal window

    bool allAnswered() const { return answers_.empty(); }
    QStringList log;

private:
    void poll();
    void note(QWidget& modal);

    std::deque<std::function<void(QWidget&)>> answers_;
    QPointer<QWidget> last_;
    QTimer timer_;
};

} // namespace ombrix::testing
