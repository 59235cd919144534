// Takes a picture of each wizard page over a database, as the window draws it, to compare with
// the designed layout: wizard-screenshots DATABASE FOLDER writes page1.png ... page4.png.
// Run it under Xvfb (xvfb-run -a) to draw with the desktop's own fonts and style.
#include "platform/ReaderCatalogue.h"
#include "wizard/Form1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace {

bool save(QWidget& window, const QDir& folder, int page) {
    QCoreApplication::processEvents();
    return window.grab().save(folder.filePath(QStringLiteral("page%1.png").arg(page)));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("Usage: wizard-screenshots DATABASE FOLDER\n", stderr);
        return 1;
    }
    const QDir folder(arguments.at(2));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fputs("Error: the folder cannot be made\n", stderr);
        return 2;
    }

    ombrix::platform::ReaderCatalogue catalogue;
    ombrix::wizard::Form1 wizard(catalogue, [](QWidget&, const QString&) {});
    wizard.Form_Load({});
    wizard.show();
    if (!QTest::qWaitForWindowExposed(&wizard))
        return 2;
    wizard.findChild<QLineEdit*>(QStringLiteral("txtDBName"))->setText(arguments.at(1));
    auto* next = wizard.findChild<QPushButton*>(QStringLiteral("btnNext"));

    bool saved = save(wizard, folder, 1);
    QTest::mouseClick(next, Qt::LeftButton);
    saved = saved && wizard.currentStep() == 2 && save(wizard, folder, 2);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseClick(wizard.findChild<QPushButton*>(QStringLiteral("btnAddField")),
                      Qt::LeftButton);
    saved = saved && wizard.currentStep() == 3 && save(wizard, folder, 3);
    QTest::mouseClick(next, Qt::LeftButton);
    saved = saved && wizard.currentStep() == 4 && save(wizard, folder, 4);
    if (!saved) {
        std::fputs("Error: the wizard did not reach every page\n", stderr);
        return 2;
    }
    return 0;
}
