#pragma once

#include "cli/Commands.h"
#include "core/Catalogue.h"

namespace ombrix::cli {

// The generate command over a given catalogue (tests pass their own); the --state form reads none.
int RunGenerateWith(core::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                    std::ostream& err);

} // namespace ombrix::cli
