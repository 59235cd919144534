#pragma once

#include "cli/Commands.h"
#include "cli/Options.h"
#include "core/Catalogue.h"

#include <string>
#include <vector>

namespace ombrix::cli {

// Every TableDef as "Table: NAME" and every QueryDef as "Query: NAME<TAB>TYPE", unfiltered.
std::vector<std::string> AllObjectItems(const core::DatabaseObjects& objects);

// An OBJECT argument, "Table: NAME" or "Query: NAME" as the object list shows it; anything else is
// bad usage (CommandError).
struct ObjectItem {
    core::ObjectKind kind;
    std::string name;
};
ObjectItem ParseObjectItem(const std::string& item);

Option PasswordOption();

// Database failures print as the wizard numbers them: "Error N: description"; returns exit 2.
int ReportEngineError(const core::EngineError& error, std::ostream& err);

// The objects and describe commands over a given catalogue (tests pass their own).
int RunObjectsWith(core::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                   std::ostream& err);
int RunDescribeWith(core::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                    std::ostream& err);

} // namespace ombrix::cli
