#pragma once

#include "cli/Options.h"

#include <string>
#include <vector>

namespace ombrix::cli {

// The options that give a database password, for every command that opens a database:
// --password PW, which other users see in the process list and the shell keeps in its history, and
// --password-file FILE.
std::vector<Option> passwordOptions();

// A command's options with the password options between those before and those after.
std::vector<Option> withPasswordOptions(std::vector<Option> before,
                                        const std::vector<Option>& after);

// The database password: the value of --password, the first line of --password-file's file ("-"
// for standard input; the line ending is not part of it), or, when neither option is given, the
// environment variable OMBRIX_PASSWORD; empty when none of them is there. Both options together
// are bad usage; a file that cannot be read exits 2 (CommandError).
std::string databasePassword(const ParsedArguments& parsed);

} // namespace ombrix::cli
