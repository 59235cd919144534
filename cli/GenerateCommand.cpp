#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/StateJson.h"
#include "generator/GeneratePage.h"
#include "platform/TextSaver.h"

namespace ombrix::cli {

namespace {

// Saved as the output window saves: atomically, in Windows-1252 when every character has a place
// in it, otherwise in UTF-8 with a byte-order mark.
void WritePage(const QString& path, const std::string& page) {
    QString reason;
    if (!platform::saveText(path, QString::fromStdString(page), &reason)) {
        throw CommandError(exitFailure, QStringLiteral("cannot write %1: %2").arg(path, reason));
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
        QStringLiteral("output"),
        QStringLiteral("Save the page to FILE as the output window does: Windows-1252 when "
                       "every character fits, otherwise UTF-8 with a byte-order mark."),
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
