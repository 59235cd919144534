#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ombrix::cli {

using Arguments = std::vector<std::string>;

// A command gets the arguments that follow its name. It returns the exit code, or throws
// CommandError, which the dispatcher prints as "Error: ..." on err.
using CommandFunction = int (*)(const Arguments& args, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* summary;
    CommandFunction run;
};

int RunGenerate(const Arguments& args, std::ostream& out, std::ostream& err);
int RunObjects(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDescribe(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
