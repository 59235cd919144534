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

// Prepares the calling process to read a database: leaves no core file when libmdb crashes (the
// asking side handles that) and removes libmdb's environment variables.
void prepareReaderProcess();

} // namespace ombrix::reader
