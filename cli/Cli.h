#pragma once

#include "core/Catalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli {

// Runs one ombrix-cli command line (the arguments after the program name, as the bytes given).
// Results go to standard output, errors to err as one line: "Error: ..." for bad usage or files,
// "Error N: ..." for the database engine's failures (exit 2); the result is the process exit
// code. Output that does not reach standard output is a failure too: "Error: cannot write
// standard output: REASON", exit 2.
int runCli(const std::vector<std::string>& arguments, std::ostream& err);

// The same over a given catalogue and output stream (tests pass their own).
int runCliWith(core::Catalogue& catalogue, const std::vector<std::string>& arguments,
               std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
