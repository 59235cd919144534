#pragma once

#include <string>
#include <vector>

namespace ombrix::reader {

// libmdb's environment variables, which change how it finds files (MDBPATH can make it loop
// forever), converts text and what it prints.
inline const char* const kLibmdbVariables[] = {"MDBPATH", "MDBICONV", "MDB_JET3_CHARSET",
                                               "MDBOPTS"};

// The environment for the reader: the caller's "NAME=value" entries without libmdb's variables.
std::vector<std::string> readerEnvironment(const char* const* environment);

} // namespace ombrix::reader
