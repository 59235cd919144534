#pragma once

#include <string>
#include <string_view>

// Which paths the wizard takes as Access databases, which of them need Access 2007's driver, and
// how a path's bytes read in the page. Here rather than in core/ because the page's connection
// line follows the same rule.
namespace ombrix {

// Whether a path (UTF-8 or any ASCII-compatible bytes) ends in ".mdb" or ".accdb", in any letter
// case: the one rule for the command line, drops and the file dialog.
bool namesAccessDatabase(std::string_view path);

// Whether a path ends in ".accdb", in any letter case: the Access 2007 format, which only the
// Access Database Engine's driver opens.
bool namesAccdb(std::string_view path);

// The ODBC driver that the page's connection line names for a database path.
struct OdbcDriver {
    std::string_view name;     // as written between the braces of "driver={...}"
    bool accessDatabaseEngine; // the Access Database Engine's driver, not Jet's (32-bit only)
};

// The Jet driver cannot open an Access 2007 file; the Access Database Engine's opens both.
OdbcDriver odbcDriverFor(std::string_view databasePath);

// A path, as the file system's bytes, in the page's text (UTF-8): unchanged when the bytes are
// UTF-8; otherwise read as Windows-1252, the page's own encoding, with the five bytes that
// Windows-1252 leaves undefined taken as the C1 controls of the same value, as Windows reads them.
// So the Latin-1 bytes of "café.mdb" read as café.mdb.
std::string pathInPage(std::string_view pathBytes);

} // namespace ombrix
