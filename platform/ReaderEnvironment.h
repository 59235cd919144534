#pragma once

#include <QProcessEnvironment>

namespace ombrix::platform {

// libmdb's environment variables, which change how it finds files (MDBPATH can make it loop
// forever), converts text and what it prints.
inline const char* const kLibmdbVariables[] = {"MDBPATH", "MDBICONV", "MDB_JET3_CHARSET",
                                               "MDBOPTS"};

// The environment for the reader: the caller's, without libmdb's variables.
QProcessEnvironment readerEnvironment(QProcessEnvironment environment);

} // namespace ombrix::platform
