#include "cli/Cli.h"

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "core/Catalogue.h"
#include "ombrix/ProjectInfo.h"
#include "platform/ReaderCatalogue.h"
#include "platform/StandardOutput.h"
#include "reader/Serve.h"

#include <algorithm>
#include <array>

namespace ombrix::cli {

namespace {

// Adding a command: its function in Commands.h, its source in CMakeLists.txt, one row here.
constexpr std::array kCommands{
    Command{"generate", "Write the ASP page for an object and its fields, or for a wizard state.",
            runGenerate},
    Command{"objects", "List the tables and queries of a database.", runObjects},
    Command{"describe", "List the key and the fields of a table or query.", runDescribe},
    Command{"check", "Report what the database and its objects need before deployment.", runCheck},
};

const CommandLine kTopLevel{
    .usage = "ombrix-cli <command> [options]",
    .description =
        "Writes the starting code of a classic ASP data-entry page from an Access database.",
    .options = {{{"h", "help"}, "", "Displays this help."},
                {{"v", "version"}, "", "Displays version information."}},
    .arguments = {{"command", "The command to run."}},
    .argumentsEndOptions = true,
};

std::string topLevelHelp() {
    std::string help = helpText(kTopLevel) + "\nCommands:\n";
    for (const auto& command : kCommands) {
        std::string name = command.name;
        name.resize(std::max<std::size_t>(name.size(), 10), ' ');
        help += "  " + name + "  " + command.summary + '\n';
    }
    return help + "\nRun \"ombrix-cli <command> --help\" for the options of a command.\n";
}

int dispatch(core::Catalogue& catalogue, const Arguments& arguments, std::ostream& out) {
    const ParsedArguments parsed = parseArguments(kTopLevel, arguments);
    if (parsed.isSet("help")) {
        out << topLevelHelp();
        return kExitDone;
    }
    if (parsed.isSet("version")) {
        out << "ombrix-cli " << project::kVersion << '\n';
        return kExitDone;
    }
    const Arguments& positional = parsed.arguments();
    if (positional.empty()) {
        throw CommandError(kExitBadUsage, "no command given; run \"ombrix-cli --help\"");
    }
    const std::string& name = positional.front();
    const auto* command = std::find_if(kCommands.begin(), kCommands.end(),
                                       [&name](const auto& c) { return name == c.name; });
    if (command == kCommands.end()) {
        throw CommandError(kExitBadUsage, "unknown command \"" + name + "\"");
    }
    return command->run(catalogue, Arguments(positional.begin() + 1, positional.end()), out);
}

} // namespace

int runCli(const Arguments& arguments, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::serve); // fork()s: single-threaded
    platform::StandardOutput output;
    const int exitCode = runCliWith(catalogue, arguments, output.stream(), err);
    if (const std::string reason = output.finish(); !reason.empty()) {
        err << "Error: cannot write standard output: " << reason << '\n';
        return kExitFailure;
    }
    return exitCode;
}

int runCliWith(core::Catalogue& catalogue, const Arguments& arguments, std::ostream& out,
               std::ostream& err) {
    try {
        return dispatch(catalogue, arguments, out);
    } catch (const CommandError& error) {
        err << "Error: " << error.what() << '\n';
        return error.exitCode();
    } catch (const core::EngineError& error) {
        // Database failures are numbered as the wizard numbers them.
        err << "Error " << error.number() << ": " << error.description() << '\n';
        return kExitFailure;
    }
}

} // namespace ombrix::cli
