// ombrix-screenshots: the README's pictures. Drives the wizard through its four pages on a
// database, clicking its buttons as a user does, and saves each page and the output window as a
// PNG file. Usage: ombrix-screenshots DATABASE FOLDER, on a display (docs/make-screenshots runs
// it under Xvfb).
#include "core/CatalogueItems.h"
#include "output/ShowGeneratedPage.h"
#include "platform/ProgramName.h"
#include "platform/ReaderCatalogue.h"
#include "wizard/Form1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <stdexcept>

namespace {

template <typename Control>
Control& control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw std::runtime_error(std::string("the window has no control named ") + name);
    }
    return *found;
}

void click(const QWidget& window, const char* button) {
    QTest::mouseClick(&control<QPushButton>(window, button), Qt::LeftButton);
}

// Selects the entry that names `name`: an object item ("Table: Orders"), or a field item, which
// is the field's name followed by blanks.
void select(QListWidget& list, const QString& name) {
    for (int row = 0; row < list.count(); ++row) {
        const QString entry = list.item(row)->text();
        if (entry == name || entry.startsWith(name + QLatin1Char(' '))) {
            list.setCurrentRow(row);
            return;
        }
    }
    throw std::runtime_error("no entry " + name.toStdString() + " in " +
                             list.objectName().toStdString());
}

void save(QWidget& window, const QDir& folder, const QString& fileName) {
    QTest::qWait(300); // the window paints what the last click changed
    const QString path = folder.filePath(fileName);
    if (!window.grab().save(path)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    QTextStream(stdout) << path << Qt::endl;
}

QWidget& outputWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("Form2") && window->isVisible()) {
            return *window;
        }
    }
    throw std::runtime_error("\"Finished\" showed no output window");
}

void takeScreenshots(const QString& database, const QDir& folder) {
    ombrix::platform::ReaderCatalogue catalogue;
    ombrix::wizard::Form1 wizard(catalogue, ombrix::output::showGeneratedPage);
    wizard.Form_Load({});
    wizard.show();
    // The window has the keyboard, as on a desktop; a virtual display has no window manager to
    // give it.
    wizard.activateWindow();
    if (!QTest::qWaitForWindowActive(&wizard)) {
        throw std::runtime_error("the wizard window was never shown");
    }

    QTest::keyClicks(&control<QLineEdit>(wizard, "txtDBName"), database);
    save(wizard, folder, QStringLiteral("page1-database.png"));

    click(wizard, "btnNext");
    select(control<QListWidget>(wizard, "List1"), QString::fromStdString(ombrix::core::objectItem(
                                                      ombrix::core::ObjectKind::Table, "Orders")));
    save(wizard, folder, QStringLiteral("page2-object.png"));

    click(wizard, "btnNext");
    auto& available = control<QListWidget>(wizard, "List2");
    for (const char* field : {"OrderID", "Order Date", "Ship City", "Freight"}) {
        select(available, QString::fromLatin1(field));
        click(wizard, "btnAddField");
    }
    save(wizard, folder, QStringLiteral("page3-fields.png"));

    click(wizard, "btnNext");
    save(wizard, folder, QStringLiteral("page4-summary.png"));

    click(wizard, "btnNext");
    QWidget& output = outputWindow();
    output.resize(640, 420); // room for more of the page than the window's first size
    save(output, folder, QStringLiteral("output-window.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(ombrix::platform::programName());
    // A steady text cursor, so that every picture shows where the focus is.
    QApplication::setCursorFlashTime(0);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "Usage: ombrix-screenshots DATABASE FOLDER" << Qt::endl;
        return 1;
    }
    try {
        takeScreenshots(arguments.at(1), QDir(arguments.at(2)));
    } catch (const std::exception& error) {
        QTextStream(stderr) << "Error: " << error.what() << Qt::endl;
        return 2;
    }
    return 0;
}
