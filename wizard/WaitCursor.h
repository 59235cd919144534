#pragma once

#include <QApplication>

namespace ombrix::wizard {

// The hourglass for the length of a wizard step. restore() puts the default pointer back early
// (before a message box); the destructor does it at the latest.
class WaitCursor {
public:
    WaitCursor() { set(); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void set() {
        if (!on_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        on_ = true;
    }
    void restore() {
        if (on_)
            QApplication::restoreOverrideCursor();
        on_ = false;
    }

private:
    bool on_ = false;
};

} // namespace ombrix::wizard
