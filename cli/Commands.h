#pragma once

#include "core/Catalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli {

using Arguments = std::vector<std::string>;

// A command gets the catalogue and the arguments that follow its name. It returns the exit code,
// or throws CommandError or core::EngineError, which the dispatcher prints on err.
using CommandFunction = int (*)(core::Catalogue& catalogue, const Arguments& args,
                                std::ostream& out);

struct Command {
    const char* name;
    const char* summary;
    CommandFunction run;
};

int runGenerate(core::Catalogue& catalogue, const Arguments& args, std::ostream& out);
int runObjects(core::Catalogue& catalogue, const Arguments& args, std::ostream& out);
int runDescribe(core::Catalogue& catalogue, const Arguments& args, std::ostream& out);
int runCheck(core::Catalogue& catalogue, const Arguments& args, std::ostream& out);

} // namespace ombrix::cli
