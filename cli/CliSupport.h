#pragma once

#include <stdexcept>
#include <string>

namespace ombrix::cli {

enum ExitCode : int {
    exitDone = 0,
    exitBadUsage = 1, // bad arguments or bad input
    exitFailure = 2,  // a file or database that cannot be read or written
};

// A failure that ends a command: its message (without "Error: ") and its exit code.
class CommandError : public std::runtime_error {
public:
    CommandError(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int exitCode() const noexcept { return exitCode_; }

private:
    int exitCode_;
};

// The bytes of a file, or of standard input for "-".
std::string ReadInput(const std::string& path);

} // namespace ombrix::cli
