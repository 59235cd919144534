#include "generator/OdbcDriver.h"

namespace ombrix {

OdbcDriver odbcDriverFor(std::string_view /*databasePath*/) {
    return {.name = "Microsoft Access Driver (*.mdb)", .accessDatabaseEngine = false};
}

} // namespace ombrix
