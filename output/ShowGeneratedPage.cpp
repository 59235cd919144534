#include "output/ShowGeneratedPage.h"

#include "output/Form2.h"

#include <QWindow>

namespace ombrix::output {

namespace {

// A closed window is hidden until its deletion runs; it no longer counts as loaded.
Form2* loadedOutputWindow(QWidget& wizard) {
    for (Form2* window : wizard.findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!window->isHidden())
            return window;
    }
    return nullptr;
}

} // namespace

void showGeneratedPage(QWidget& wizard, const QString& text) {
    Form2* window = loadedOutputWindow(wizard);
    if (!window) {
        window = new Form2(&wizard);
        // The wizard owns the window but it is no dialog of the wizard's: Qt blocks every window
        // of a modal dialog's family, and each window's dialogs must leave the other usable.
        window->winId();
        window->windowHandle()->setTransientParent(nullptr);
    }
    window->setPageText(text);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace ombrix::output
