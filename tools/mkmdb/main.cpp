#include "Mkmdb.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

// mkmdb DESCRIPTION.json OUT.mdb: one line on stderr and exit status 1 on any failure.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mkmdb"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes an Access 2000 (Jet 4) database file from a JSON description."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("description"),
                                 QStringLiteral("The JSON description."));
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("The .mdb file to write."));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        std::fputs("usage: mkmdb DESCRIPTION.json OUT.mdb\n", stderr);
        return 1;
    }

    QFile description(arguments[0]);
    if (!description.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkmdb: cannot read %s: %s\n", qPrintable(arguments[0]),
                     qPrintable(description.errorString()));
        return 1;
    }
    try {
        mkmdb::writeDatabaseFile(description.readAll(), arguments[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkmdb: %s: %s\n", qPrintable(arguments[0]), error.what());
        return 1;
    }
    return 0;
}
