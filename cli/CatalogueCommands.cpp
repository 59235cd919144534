#include "cli/CatalogueCommands.h"

#include "cli/CliSupport.h"
#include "cli/DatabasePassword.h"
#include "core/CatalogueItems.h"
#include "core/TypePrefix.h"

#include <optional>

namespace ombrix::cli {

namespace {

const CommandLine kObjectsLine{
    .usage = "ombrix-cli objects DATABASE [--password PW|--password-file FILE] [--all]",
    .description = "Lists the tables and queries of an Access database as the wizard's object "
                   "list shows them, one a line.",
    .options = withPasswordOptions(
        {helpOption()},
        {{.names = {"all"},
          .valueName = "",
          .description = "List every table and query, unfiltered; queries with their type."}}),
    .arguments = {{"DATABASE", "The .mdb or .accdb file."}},
};

const CommandLine kDescribeLine{
    .usage = "ombrix-cli describe DATABASE OBJECT [--password PW|--password-file FILE]",
    .description = "Prints the key and the fields of a table or query as the wizard finds them: "
                   "\"key<TAB>NAME\" (a key of several fields names each, TAB-separated, in the "
                   "key's order), then \"field<TAB>NAME<TAB>TYPE<TAB>PREFIX\" for each field.",
    .options = withPasswordOptions({helpOption()}, {}),
    .arguments = {{"DATABASE", "The .mdb or .accdb file."},
                  {"OBJECT", "\"Table: NAME\" or \"Query: NAME\", as objects prints it."}},
};

// The parsed arguments, or nothing when the help was asked for and printed.
std::optional<ParsedArguments> parse(const CommandLine& commandLine, const Arguments& args,
                                     std::size_t positionals, std::ostream& out) {
    ParsedArguments parsed = parseArguments(commandLine, args);
    if (parsed.isSet("help")) {
        out << helpText(commandLine);
        return std::nullopt;
    }
    if (parsed.arguments().size() != positionals) {
        throw CommandError(kExitBadUsage, "usage: " + commandLine.usage);
    }
    return parsed;
}

void writeLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

} // namespace

std::vector<std::string> allObjectItems(const core::DatabaseObjects& objects) {
    std::vector<std::string> items;
    for (const auto& table : objects.tables) {
        items.push_back(core::objectItem(core::ObjectKind::Table, table.name));
    }
    for (const auto& query : objects.queries) {
        items.push_back(core::objectItem(core::ObjectKind::Query, query.name) + '\t' +
                        std::to_string(query.type));
    }
    return items;
}

core::ObjectName parseObjectItem(const std::string& item) {
    if (core::isObjectItem(item)) {
        return core::splitObjectItem(item);
    }
    throw CommandError(kExitBadUsage, "OBJECT must be \"Table: NAME\" or \"Query: NAME\"");
}

int runObjects(core::Catalogue& catalogue, const Arguments& args, std::ostream& out) {
    const auto parsed = parse(kObjectsLine, args, 1, out);
    if (!parsed) {
        return kExitDone;
    }
    const auto objects = catalogue.listObjects(parsed->arguments()[0], databasePassword(*parsed));
    writeLines(out,
               parsed->isSet("all") ? allObjectItems(objects) : core::objectListItems(objects));
    return kExitDone;
}

int runDescribe(core::Catalogue& catalogue, const Arguments& args, std::ostream& out) {
    const auto parsed = parse(kDescribeLine, args, 2, out);
    if (!parsed) {
        return kExitDone;
    }
    const core::ObjectName object = parseObjectItem(parsed->arguments()[1]);
    const auto definition = catalogue.describeObject(
        parsed->arguments()[0], databasePassword(*parsed), object.kind, object.name);
    // Each key field after a TAB, in the index's order; a TAB and nothing more without a key.
    const std::vector<std::string> key = core::primaryKeyFields(object.kind, definition);
    std::string keyLine = key.empty() ? "key\t" : "key";
    for (const std::string& name : key) {
        keyLine += '\t' + name;
    }
    std::vector<std::string> lines{keyLine};
    for (const auto& field : definition.fields) {
        lines.push_back("field\t" + field.name + '\t' + std::to_string(field.type) + '\t' +
                        std::string(GetPrefix(field.type)));
    }
    writeLines(out, lines);
    return kExitDone;
}

} // namespace ombrix::cli
