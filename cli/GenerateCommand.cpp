#include "cli/CatalogueCommands.h"
#include "cli/CatalogueState.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DatabasePassword.h"
#include "cli/Options.h"
#include "cli/StateJson.h"
#include "core/FormMethod.h"
#include "generator/GeneratePage.h"
#include "platform/TextSaver.h"

#include <algorithm>

namespace ombrix::cli {

namespace {

const std::string kCatalogueUsage =
    "ombrix-cli generate DATABASE OBJECT [--field NAME]... [--method Post|Get] "
    "[--password PW|--password-file FILE] [--output FILE|-]";
const std::string kStateUsage = "ombrix-cli generate --state FILE|- [--output FILE|-]";

const CommandLine kGenerateLine{
    .usage = kCatalogueUsage + "\n       " + kStateUsage,
    .description =
        "Writes the ASP page that the wizard writes, byte for byte (UTF-8, CR LF line ends): for "
        "OBJECT of DATABASE (\"Table: NAME\" or \"Query: NAME\", as objects prints it) and the "
        "fields chosen, or for a wizard state given as JSON.",
    .options = withPasswordOptions(
        {helpOption(),
         {.names = {"field"},
          .valueName = "NAME",
          .description = "A field of OBJECT to use; repeat it for each field, in the order "
                         "wanted. Without it every field is used, in the database's order.",
          .repeatable = true},
         {.names = {"method"},
          .valueName = "Post|Get",
          .description = "The method of the page's form: Post (the default) or Get."}},
        {{.names = {"output"},
          .valueName = "FILE",
          .description = "Save the page to FILE as the output window does: Windows-1252 when "
                         "every character fits, otherwise UTF-8 with a byte-order mark. A FIFO "
                         "or a device is written where it is; - is standard output."},
         {.names = {"state"},
          .valueName = "FILE",
          .description = "The wizard state as JSON: {\"database\", \"password\", \"object\", "
                         "\"primaryKeyField\", \"primaryKeyPrefix\" (optional: the key field's "
                         "type prefix), \"keyFields\" (optional: every field of the key, "
                         "[{\"name\", \"prefix\"}, ...] in the key's order), \"fields\", "
                         "\"method\"}; - reads standard input. No database is opened and the "
                         "state's password is used."}}),
    .arguments = {{"DATABASE",
                   "The .mdb or .accdb file, written into the page's connection string exactly "
                   "as given."},
                  {"OBJECT", "\"Table: NAME\" or \"Query: NAME\"."}},
};

// Saved as the output window saves: atomically, in Windows-1252 when every character has a place
// in it, otherwise in UTF-8 with a byte-order mark.
void writePage(const std::string& path, const std::string& page) {
    std::string reason;
    if (!platform::saveText(path, page, &reason)) {
        throw CommandError(kExitFailure, "cannot write " + path + ": " + reason);
    }
}

WizardState stateFromJsonArguments(const ParsedArguments& parsed) {
    if (!parsed.arguments().empty()) {
        throw CommandError(kExitBadUsage,
                           "unexpected argument \"" + parsed.arguments().front() + "\"");
    }
    for (const char* option : {"field", "method", "password", "password-file"}) {
        if (parsed.isSet(option)) {
            throw CommandError(kExitBadUsage,
                               "--" + std::string(option) + " cannot be used with --state");
        }
    }
    return wizardStateFromJson(readInput(parsed.value("state")));
}

// Everything the command line alone can get wrong is refused before the database is opened.
// The field items are left to the catalogue: the fields are named by --field.
core::PageChoices choicesFromArguments(const ParsedArguments& parsed) {
    const Arguments& positional = parsed.arguments();
    if (positional.size() != 2) {
        throw CommandError(kExitBadUsage, "usage: " + kCatalogueUsage + ", or " + kStateUsage);
    }
    core::PageChoices choices{.database = positional[0],
                              .password = databasePassword(parsed),
                              .object = positional[1],
                              .fieldItems = {}};
    if (parsed.isSet("method")) {
        choices.method = parsed.value("method");
    }
    if (!core::isFormMethod(choices.method)) {
        throw CommandError(kExitBadUsage, "--method must be Post or Get");
    }
    // The wizard moves a field out of the list of fields left, so it can be chosen only once.
    const std::vector<std::string> fields = parsed.values("field");
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        if (std::find(fields.begin(), field, *field) != field) {
            throw CommandError(kExitBadUsage, "field \"" + *field + "\" is given twice");
        }
    }
    return choices;
}

} // namespace

int runGenerate(core::Catalogue& catalogue, const Arguments& args, std::ostream& out) {
    const ParsedArguments parsed = parseArguments(kGenerateLine, args);
    if (parsed.isSet("help")) {
        out << helpText(kGenerateLine);
        return kExitDone;
    }
    WizardState state;
    if (parsed.isSet("state")) {
        state = stateFromJsonArguments(parsed);
    } else {
        state = wizardStateFromCatalogue(catalogue, choicesFromArguments(parsed),
                                         parsed.values("field"));
    }
    const std::string page = GeneratePage(state);
    // "-" is standard output, byte for byte, as without --output.
    if (parsed.isSet("output") && parsed.value("output") != "-") {
        writePage(parsed.value("output"), page);
    } else {
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
    }
    return kExitDone;
}

} // namespace ombrix::cli
