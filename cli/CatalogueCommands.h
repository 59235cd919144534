#pragma once

#include "cli/Commands.h"
#include "cli/Options.h"
#include "core/Catalogue.h"

#include <string>
#include <vector>

namespace ombrix::cli {

// Every TableDef as "Table: NAME" and every QueryDef as "Query: NAME<TAB>TYPE", unfiltered.
std::vector<std::string> allObjectItems(const core::DatabaseObjects& objects);

// An OBJECT argument, "Table: NAME" or "Query: NAME" as the object list shows it; anything else is
// bad usage (CommandError).
core::ObjectName parseObjectItem(const std::string& item);

} // namespace ombrix::cli
