#pragma once

#include "cli/Commands.h"
#include "platform/Catalogue.h"

namespace ombrix::cli {

// The generate command over a given catalogue (tests pass their own); the --state form reads none.
int RunGenerateWith(platform::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                    std::ostream& err);

} // namespace ombrix::cli
