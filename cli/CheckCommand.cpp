#include "cli/CatalogueCommands.h"
#include "cli/CheckReport.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DatabasePassword.h"
#include "core/DeploymentCheck.h"

namespace ombrix::cli {

namespace {

const CommandLine kCheckLine{
    .usage = "ombrix-cli check DATABASE [OBJECT] [--password PW|--password-file FILE] [--json]",
    .description =
        "Reports what the database and its objects need before the page runs on a web server: "
        "the format and encryption, the ODBC driver the page names and what the server needs "
        "for it, and for each object of the wizard's list (or OBJECT alone) whether the page can "
        "update it and each thing to mend, with its reason and the name as SQL takes it. Only "
        "the catalogue is read. Without the password of a protected database the objects are "
        "not checked.",
    .options = withPasswordOptions(
        {helpOption()},
        {{.names = {"json"},
          .valueName = "",
          .description = "Print the report as JSON: \"format\", \"encryption\", \"driver\", "
                         "\"objects\" ([{\"item\", \"updatable\", \"mend\": [{\"name\", "
                         "\"reason\", \"write\"}]}], null without the password) and more."}}),
    .arguments = {{"DATABASE", "The .mdb or .accdb file, as the page's connection string will "
                               "name it."},
                  {"OBJECT", "\"Table: NAME\" or \"Query: NAME\", as objects prints it."}},
};

} // namespace

int runCheck(core::Catalogue& catalogue, const Arguments& args, std::ostream& out) {
    const ParsedArguments parsed = parseArguments(kCheckLine, args);
    if (parsed.isSet("help")) {
        out << helpText(kCheckLine);
        return kExitDone;
    }
    const Arguments& positional = parsed.arguments();
    if (positional.empty() || positional.size() > 2) {
        throw CommandError(kExitBadUsage, "usage: " + kCheckLine.usage);
    }
    std::optional<core::ObjectName> object;
    if (positional.size() == 2) {
        object = parseObjectItem(positional[1]);
    }
    const std::string& path = positional[0];
    const std::string password = databasePassword(parsed);
    const core::DeploymentReport report =
        core::checkDeployment(path, password, catalogue.inspectDatabase(path, password, object));
    out << (parsed.isSet("json") ? checkReportJson(report) : checkReportText(report));
    return kExitDone;
}

} // namespace ombrix::cli
