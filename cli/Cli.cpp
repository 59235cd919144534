#include "cli/Cli.h"

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "ombrix/ProjectInfo.h"

#include <algorithm>
#include <array>

namespace ombrix::cli {

namespace {

// Adding a command: its function in Commands.h, its source in CMakeLists.txt, one row here.
constexpr std::array commands{
    Command{"generate", "Write the ASP page for an object and its fields, or for a wizard state.",
            RunGenerate},
    Command{"objects", "List the tables and queries of a database.", RunObjects},
    Command{"describe", "List the key and the fields of a table or query.", RunDescribe},
};

const CommandLine topLevel{
    .usage = "ombrix-cli <command> [options]",
    .description =
        "Writes the starting code of a classic ASP data-entry page from an Access database.",
    .options = {{{"h", "help"}, "", "Displays this help."},
                {{"v", "version"}, "", "Displays version information."}},
    .arguments = {{"command", "The command to run."}},
    .argumentsEndOptions = true,
};

std::string TopLevelHelp() {
    std::string help = helpText(topLevel) + "\nCommands:\n";
    for (const auto& command : commands) {
        std::string name = command.name;
        name.resize(std::max<std::size_t>(name.size(), 10), ' ');
        help += "  " + name + "  " + command.summary + '\n';
    }
    return help + "\nRun \"ombrix-cli <command> --help\" for the options of a command.\n";
}

int Dispatch(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = parseArguments(topLevel, arguments);
    if (parsed.isSet("help")) {
        out << TopLevelHelp();
        return exitDone;
    }
    if (parsed.isSet("version")) {
        out << "ombrix-cli " << project::version << '\n';
        return exitDone;
    }
    const Arguments& positional = parsed.arguments();
    if (positional.empty()) {
        throw CommandError(exitBadUsage, "no command given; run \"ombrix-cli --help\"");
    }
    const std::string& name = positional.front();
    const auto* command = std::find_if(commands.begin(), commands.end(),
                                       [&name](const auto& c) { return name == c.name; });
    if (command == commands.end()) {
        throw CommandError(exitBadUsage, "unknown command \"" + name + "\"");
    }
    return command->run(Arguments(positional.begin() + 1, positional.end()), out, err);
}

} // namespace

int RunCli(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    try {
        return Dispatch(arguments, out, err);
    } catch (const CommandError& error) {
        err << "Error: " << error.what() << '\n';
        return error.exitCode();
    }
}

} // namespace ombrix::cli
