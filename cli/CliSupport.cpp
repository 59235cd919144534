#include "cli/CliSupport.h"

#include <QFile>
#include <cstdio>

namespace ombrix::cli {

QCommandLineOption AddHelpOption(QCommandLineParser& parser) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    return help;
}

void ParseArguments(QCommandLineParser& parser, const QStringList& args) {
    // QCommandLineParser skips the first argument as the program name.
    if (!parser.parse(QStringList{QStringLiteral("ombrix-cli")} + args)) {
        throw CommandError(exitBadUsage, parser.errorText());
    }
}

QString HelpText(const QCommandLineParser& parser, const QString& usage) {
    const QString help = parser.helpText();
    return QStringLiteral("Usage: ") + usage + help.mid(help.indexOf(QLatin1Char('\n')));
}

QByteArray ReadInput(const QString& path) {
    const bool standardInput = path == QStringLiteral("-");
    QFile file(standardInput ? QString() : path);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        throw CommandError(exitFailure,
                           QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw CommandError(exitFailure,
                           QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    return data;
}

void WriteText(std::ostream& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    out.write(utf8.constData(), utf8.size());
}

} // namespace ombrix::cli
