#include "cli/GenerateCommand.h"

#include "cli/CatalogueCommands.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/StateJson.h"
#include "cli/WizardChoices.h"
#include "generator/GeneratePage.h"
#include "platform/ReaderCatalogue.h"
#include "platform/TextSaver.h"
#include "reader/Serve.h"

namespace ombrix::cli {

namespace {

const QString kCatalogueUsage = QStringLiteral(
    "ombrix-cli generate DATABASE OBJECT [--field NAME]... [--method Post|Get] [--password PW] "
    "[--output FILE]");
const QString kStateUsage = QStringLiteral("ombrix-cli generate --state FILE|- [--output FILE]");

// Saved as the output window saves: atomically, in Windows-1252 when every character has a place
// in it, otherwise in UTF-8 with a byte-order mark.
void WritePage(const QString& path, const std::string& page) {
    QString reason;
    if (!platform::saveText(path, QString::fromStdString(page), &reason)) {
        throw CommandError(exitFailure, QStringLiteral("cannot write %1: %2").arg(path, reason));
    }
}

struct GenerateOptions {
    QCommandLineOption state{
        QStringLiteral("state"),
        QStringLiteral("The wizard state as JSON: {\"database\", \"password\", \"object\", "
                       "\"primaryKeyField\", \"fields\", \"method\"}; - reads standard input. No "
                       "database is opened."),
        QStringLiteral("FILE")};
    QCommandLineOption field{
        QStringLiteral("field"),
        QStringLiteral("A field of OBJECT to use; repeat it for each field, in the order wanted. "
                       "Without it every field is used, in the database's order."),
        QStringLiteral("NAME")};
    QCommandLineOption method{QStringLiteral("method"),
                              QStringLiteral("The method of the page's form: Post (the default) "
                                             "or Get."),
                              QStringLiteral("Post|Get")};
    QCommandLineOption password = PasswordOption();
    QCommandLineOption output{
        QStringLiteral("output"),
        QStringLiteral("Save the page to FILE as the output window does: Windows-1252 when "
                       "every character fits, otherwise UTF-8 with a byte-order mark."),
        QStringLiteral("FILE")};
};

WizardState StateFromJsonArguments(const QCommandLineParser& parser,
                                   const GenerateOptions& options) {
    if (!parser.positionalArguments().isEmpty()) {
        throw CommandError(
            exitBadUsage,
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    }
    for (const QCommandLineOption* option : {&options.field, &options.method, &options.password}) {
        if (parser.isSet(*option)) {
            throw CommandError(
                exitBadUsage,
                QStringLiteral("--%1 cannot be used with --state").arg(option->names().first()));
        }
    }
    return WizardStateFromJson(ReadInput(parser.value(options.state)));
}

// Everything the command line alone can get wrong is refused before the database is opened.
WizardChoices ChoicesFromArguments(const QCommandLineParser& parser,
                                   const GenerateOptions& options) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        throw CommandError(exitBadUsage,
                           QStringLiteral("usage: %1, or %2").arg(kCatalogueUsage, kStateUsage));
    }
    WizardChoices choices;
    choices.database = positional[0];
    choices.object = positional[1];
    choices.password = parser.value(options.password);
    choices.fields = parser.values(options.field);
    if (parser.isSet(options.method)) {
        choices.method = parser.value(options.method);
    }
    if (choices.method != QStringLiteral("Post") && choices.method != QStringLiteral("Get")) {
        throw CommandError(exitBadUsage, QStringLiteral("--method must be Post or Get"));
    }
    // The wizard moves a field out of the list of fields left, so it can be chosen only once.
    for (qsizetype i = 0; i < choices.fields.size(); ++i) {
        if (choices.fields.indexOf(choices.fields[i]) != i) {
            throw CommandError(
                exitBadUsage, QStringLiteral("field \"%1\" is given twice").arg(choices.fields[i]));
        }
    }
    return choices;
}

void WriteToStandardOutput(std::ostream& out, const std::string& page) {
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    out.flush();
    if (!out) {
        throw CommandError(exitFailure, QStringLiteral("cannot write the page to standard output"));
    }
}

} // namespace

int RunGenerateWith(core::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                    std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the ASP page that the wizard writes, byte for byte (UTF-8, CR LF line ends): for "
        "OBJECT of DATABASE (\"Table: NAME\" or \"Query: NAME\", as objects prints it) and the "
        "fields chosen, or for a wizard state given as JSON."));
    const QCommandLineOption help = AddHelpOption(parser);
    const GenerateOptions options;
    for (const QCommandLineOption* option :
         {&options.field, &options.method, &options.password, &options.output, &options.state}) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("DATABASE"),
                                 QStringLiteral("The .mdb file, written into the page's "
                                                "connection string exactly as given."));
    parser.addPositionalArgument(QStringLiteral("OBJECT"),
                                 QStringLiteral("\"Table: NAME\" or \"Query: NAME\"."));
    ParseArguments(parser, args);

    if (parser.isSet(help)) {
        WriteText(out,
                  HelpText(parser, kCatalogueUsage + QStringLiteral("\n       ") + kStateUsage));
        return exitDone;
    }
    WizardState state;
    if (parser.isSet(options.state)) {
        state = StateFromJsonArguments(parser, options);
    } else {
        const WizardChoices choices = ChoicesFromArguments(parser, options);
        try {
            state = WizardStateFromCatalogue(catalogue, choices);
        } catch (const core::EngineError& error) {
            return ReportEngineError(error, err);
        }
    }
    const std::string page = GeneratePage(state);
    if (parser.isSet(options.output)) {
        WritePage(parser.value(options.output), page);
    } else {
        WriteToStandardOutput(out, page);
    }
    return exitDone;
}

int RunGenerate(const QStringList& args, std::ostream& out, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::answerRequest); // fork()s: single-threaded
    return RunGenerateWith(catalogue, args, out, err);
}

} // namespace ombrix::cli
