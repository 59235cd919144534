#pragma once

#include <QStringList>
#include <ostream>

namespace ombrix::cli {

// Runs one ombrix-cli command line (the arguments after the program name). Results go to out,
// errors to err as one line "Error: ..."; the result is the process exit code.
int RunCli(const QStringList& arguments, std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
