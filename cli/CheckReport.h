#pragma once

#include "core/DeploymentCheck.h"

#include <string>

namespace ombrix::cli {

// The report as people read it: the database, the connection, then each object with one line per
// thing to mend.
std::string checkReportText(const core::DeploymentReport& report);

// The report for scripts: {"database", "format", "release", "encryption", "codePage", "driver",
// "appPoolCommand", "redistributable", "driverOpensFormat", "lockFile", "folder",
// "passwordLimit", "passwordProblems", "objects": [{"item", "updatable",
// "mend": [{"name", "reason", "write", "detail"}], "fieldsUnread"}] or null without the password}.
std::string checkReportJson(const core::DeploymentReport& report);

} // namespace ombrix::cli
