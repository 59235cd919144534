#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli {

// Runs one ombrix-cli command line (the arguments after the program name, UTF-8). Results go to
// out, errors to err as one line "Error: ..."; the result is the process exit code.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
