#pragma once

#include <QStringList>
#include <ostream>

namespace ombrix::cli {

// A command gets the arguments that follow its name. It returns the exit code, or throws
// CommandError, which the dispatcher prints as "Error: ..." on err.
using CommandFunction = int (*)(const QStringList& args, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* summary;
    CommandFunction run;
};

int RunGenerate(const QStringList& args, std::ostream& out, std::ostream& err);
int RunObjects(const QStringList& args, std::ostream& out, std::ostream& err);
int RunDescribe(const QStringList& args, std::ostream& out, std::ostream& err);

} // namespace ombrix::cli
