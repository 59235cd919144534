// The wizard program: Form1 over the Access catalogue reader.
#include "app/WithoutWindow.h"
#include "output/ShowGeneratedPage.h"
#include "platform/ArgumentText.h"
#include "platform/ProgramName.h"
#include "platform/ReaderCatalogue.h"
#include "wizard/Form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    // The database path comes from the whole argument text; Qt's own options are not taken from
    // the command line (environment variables such as QT_QPA_PLATFORM do that work).
    const std::string argumentText = ombrix::platform::argumentText(argc, argv);
    if (const auto exitCode = ombrix::app::answerWithoutWindow(argumentText))
        return *exitCode;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(ombrix::platform::programName());
    // Ties the windows to the installed menu entry and its icon in the desktop's task bar.
    QGuiApplication::setDesktopFileName(ombrix::platform::desktopId());
    QApplication::setWindowIcon(QIcon::fromTheme(ombrix::platform::desktopId()));

    ombrix::platform::ReaderCatalogue catalogue;
    ombrix::wizard::Form1 wizard(catalogue, ombrix::output::showGeneratedPage);
    QObject::connect(&wizard, &QDialog::finished, &application, &QApplication::quit);
    wizard.Form_Load(argumentText);
    wizard.show();
    return QApplication::exec();
}
