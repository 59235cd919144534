#pragma once

#include <stdexcept>
#include <string>

namespace ombrix::cli {

constexpr int kExitDone = 0;
constexpr int kExitBadUsage = 1; // bad arguments or bad input
constexpr int kExitFailure = 2;  // a file or database that cannot be read or written

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
std::string readInput(const std::string& path);

} // namespace ombrix::cli
