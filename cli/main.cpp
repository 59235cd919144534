#include "cli/Cli.h"

#include <QCoreApplication>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // The page's CR LF line ends must reach standard output unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ombrix-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return ombrix::cli::RunCli(arguments, std::cout, std::cerr);
}
