#pragma once

#include "platform/SaveDialog.h"

#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace ombrix::output {

// The output window: the generated page in an editable box that follows the window's size, and
// "Save" (also Ctrl+S), which writes the box's text, edits included. Closing the window deletes
// it.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // The save dialog; tests put an answer of their own in its place.
    using AskSaveFileName = std::function<platform::SaveChoice(QWidget* owner)>;

    explicit Form2(QWidget* parent = nullptr,
                   AskSaveFileName askSaveFileName = platform::askSaveFileName);

    // Replaces the whole text of Text1 with the page text (lines ending in CR LF).
    void setPageText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Command1_Click();

    AskSaveFileName askSaveFileName_;
    QPlainTextEdit* Text1; // created first: first in the tab order
    QPushButton* Command1;
};

} // namespace ombrix::output
