#pragma once

#include "core/Catalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli {

// Runs one ombrix-cli command line (the arguments after the program name, UTF-8). Results go to
// out, errors to err as one line: "Error: ..." for bad usage or files, "Error N: ..." for the
// database engine's failures (exit 2); the result is the process exit code.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The same over a given catalogue (tests pass their own).
int runCliWith(core::Catalogue& catalogue, const std::vector<std::string>& arguments,
               std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
