#pragma once

#include <optional>
#include <string>

namespace ombrix::app {

// What the wizard's command line answers before any window: when the whole argument text is
// exactly --help or --version, the usage or the version on standard output (exit 0, display or
// not); with no display to show the wizard on (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM all
// unset or empty), one line on standard error (exit 1). Nothing when the wizard is to start.
std::optional<int> answerWithoutWindow(const std::string& argumentText);

} // namespace ombrix::app
