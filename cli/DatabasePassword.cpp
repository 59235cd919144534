#include "cli/DatabasePassword.h"

#include "cli/CliSupport.h"

#include <cstdlib>

namespace ombrix::cli {

namespace {

constexpr const char* kPasswordVariable = "OMBRIX_PASSWORD";

// A line ends in LF or CR LF.
std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

} // namespace

std::vector<Option> passwordOptions() {
    return {{.names = {"password"},
             .valueName = "PW",
             .description = "The database password; without it the database opens without one. "
                            "Other users can see it in the process list and the shell may keep "
                            "it in its history: --password-file or OMBRIX_PASSWORD keep it "
                            "private."},
            {.names = {"password-file"},
             .valueName = "FILE",
             .description = "Read the database password from the first line of FILE; - reads "
                            "standard input. Without --password or --password-file the password "
                            "is taken from the environment variable OMBRIX_PASSWORD."}};
}

std::vector<Option> withPasswordOptions(std::vector<Option> before,
                                        const std::vector<Option>& after) {
    for (Option& option : passwordOptions()) {
        before.push_back(std::move(option));
    }
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

std::string databasePassword(const ParsedArguments& parsed) {
    if (parsed.isSet("password") && parsed.isSet("password-file")) {
        throw CommandError(kExitBadUsage, "--password and --password-file cannot be used together");
    }
    if (parsed.isSet("password")) {
        return parsed.value("password");
    }
    if (parsed.isSet("password-file")) {
        return firstLine(readInput(parsed.value("password-file")));
    }
    const char* variable = std::getenv(kPasswordVariable);
    return variable != nullptr ? variable : "";
}

} // namespace ombrix::cli
