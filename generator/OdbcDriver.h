#pragma once

#include <string_view>

namespace ombrix {

// The ODBC driver that the page's connection line names for a database path.
struct OdbcDriver {
    std::string_view name;     // as written between the braces of "driver={...}"
    bool accessDatabaseEngine; // the Access Database Engine's driver, not Jet's
};

OdbcDriver odbcDriverFor(std::string_view databasePath);

} // namespace ombrix
