#include "cli/Cli.h"

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "ombrix/ProjectInfo.h"

#include <QCommandLineParser>
#include <algorithm>
#include <array>
#include <string>

namespace ombrix::cli {

namespace {

// Adding a command: its function in Commands.h, its source in CMakeLists.txt, one row here.
constexpr std::array commands{
    Command{"generate", "Write the ASP page for an object and its fields, or for a wizard state.",
            RunGenerate},
    Command{"objects", "List the tables and queries of a database.", RunObjects},
    Command{"describe", "List the key and the fields of a table or query.", RunDescribe},
};

QString TopLevelHelp(const QCommandLineParser& parser) {
    QString help = HelpText(parser, QStringLiteral("ombrix-cli <command> [options]"));
    help += QStringLiteral("\nCommands:\n");
    for (const auto& command : commands) {
        help += QStringLiteral("  %1  %2\n")
                    .arg(QLatin1String(command.name), -10)
                    .arg(QLatin1String(command.summary));
    }
    help += QStringLiteral("\nRun \"ombrix-cli <command> --help\" for the options of a command.\n");
    return help;
}

int Dispatch(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the starting code of a classic ASP data-entry page from an Access database."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = AddHelpOption(parser);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run."));
    ParseArguments(parser, arguments);

    if (parser.isSet(help)) {
        WriteText(out, TopLevelHelp(parser));
        return exitDone;
    }
    if (parser.isSet(version)) {
        out << "ombrix-cli " << project::version << '\n';
        return exitDone;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        throw CommandError(exitBadUsage,
                           QStringLiteral("no command given; run \"ombrix-cli --help\""));
    }
    const QString name = positional.first();
    const auto* command = std::find_if(commands.begin(), commands.end(), [&name](const auto& c) {
        return name == QLatin1String(c.name);
    });
    if (command == commands.end()) {
        throw CommandError(exitBadUsage, QStringLiteral("unknown command \"%1\"").arg(name));
    }
    return command->run(positional.mid(1), out, err);
}

} // namespace

int RunCli(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    try {
        return Dispatch(arguments, out, err);
    } catch (const CommandError& error) {
        err << "Error: " << error.what() << '\n';
        return error.exitCode();
    }
}

} // namespace ombrix::cli
