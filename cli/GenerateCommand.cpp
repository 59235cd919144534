#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/StateJson.h"
#include "generator/GeneratePage.h"

#include <QFile>

namespace ombrix::cli {

namespace {

// A plain write; the output window's atomic, encoding-aware save will take its place.
void WritePage(const QString& path, const std::string& page) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw CommandError(exitFailure,
                           QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
    const auto size = static_cast<qint64>(page.size());
    if (file.write(page.data(), size) != size || !file.flush()) {
        throw CommandError(exitFailure,
                           QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
}

} // namespace

int RunGenerate(const QStringList& args, std::ostream& out, std::ostream& /*err*/) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the ASP page for a wizard state given as JSON, byte for byte: "
                       "UTF-8, CR LF line ends."));
    const QCommandLineOption help = AddHelpOption(parser);
    const QCommandLineOption stateOption(
        QStringLiteral("state"),
        QStringLiteral("The wizard state as JSON: {\"database\", \"password\", \"object\", "
                       "\"primaryKeyField\", \"fields\", \"method\"}; - reads standard input."),
        QStringLiteral("FILE"));
    const QCommandLineOption outputOption(
        QStringLiteral("output"), QStringLiteral("Write the page to FILE, not standard output."),
        QStringLiteral("FILE"));
    parser.addOption(stateOption);
    parser.addOption(outputOption);
    ParseArguments(parser, args);

    if (parser.isSet(help)) {
        WriteText(out, HelpText(parser, QStringLiteral("ombrix-cli generate --state FILE|- "
                                                       "[--output FILE]")));
        return exitDone;
    }
    if (!parser.positionalArguments().isEmpty()) {
        throw CommandError(
            exitBadUsage,
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    }
    if (!parser.isSet(stateOption)) {
        throw CommandError(exitBadUsage, QStringLiteral("--state FILE is required"));
    }

    const WizardState state = WizardStateFromJson(ReadInput(parser.value(stateOption)));
    const std::string page = GeneratePage(state);
    if (parser.isSet(outputOption)) {
        WritePage(parser.value(outputOption), page);
        return exitDone;
    }
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    out.flush();
    if (!out) {
        throw CommandError(exitFailure, QStringLiteral("cannot write the page to standard output"));
    }
    return exitDone;
}

} // namespace ombrix::cli
