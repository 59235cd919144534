#include "app/WithoutWindow.h"

#include "ombrix/ProjectInfo.h"
#include "platform/StandardOutput.h"

#include <cstdlib>
#include <iostream>

namespace ombrix::app {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailure = 1;

constexpr const char* kUsage =
    "Usage: ombrix [DATABASE]\n"
    "Opens the wizard that writes the starting code of a classic ASP data-entry page from an\n"
    "Access database. The text after the program's name is taken as one path: when it ends in\n"
    ".mdb or .accdb (in any letter case), the wizard opens that database at once.\n"
    "\n"
    "Options:\n"
    "  --help     Displays this help.\n"
    "  --version  Displays version information.\n"
    "\n"
    "The wizard needs a display (DISPLAY or WAYLAND_DISPLAY, or a Qt platform in\n"
    "QT_QPA_PLATFORM); ombrix-cli does the same work without one.\n";

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

int print(const std::string& text) {
    platform::StandardOutput output;
    output.stream() << text;
    if (const std::string reason = output.finish(); !reason.empty()) {
        std::cerr << "ombrix: cannot write standard output: " << reason << '\n';
        return kExitFailure;
    }
    return kExitDone;
}

} // namespace

std::optional<int> answerWithoutWindow(const std::string& argumentText) {
    if (argumentText == "--help") {
        return print(kUsage);
    }
    if (argumentText == "--version") {
        return print("ombrix " + std::string(project::kVersion) + '\n');
    }
    // Qt would abort, telling the user to reinstall.
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::cerr << "ombrix: no display (set DISPLAY or WAYLAND_DISPLAY, or use ombrix-cli)\n";
        return kExitFailure;
    }
    return std::nullopt;
}

} // namespace ombrix::app
