#include "cli/CatalogueCommands.h"

#include "cli/CliSupport.h"
#include "core/CatalogueItems.h"
#include "generator/TypePrefix.h"
#include "platform/ReaderCatalogue.h"
#include "reader/Serve.h"

#include <optional>

namespace ombrix::cli {

namespace {

const CommandLine objectsLine{
    .usage = "ombrix-cli objects DATABASE [--password PW] [--all]",
    .description = "Lists the tables and queries of an Access database as the wizard's object "
                   "list shows them, one a line.",
    .options = {HelpOption(),
                PasswordOption(),
                {{"all"}, "", "List every table and query, unfiltered; queries with their type."}},
    .arguments = {{"DATABASE", "The .mdb file."}},
};

const CommandLine describeLine{
    .usage = "ombrix-cli describe DATABASE OBJECT [--password PW]",
    .description = "Prints the key field and the fields of a table or query as the wizard finds "
                   "them: \"key<TAB>NAME\", then \"field<TAB>NAME<TAB>TYPE<TAB>PREFIX\" for each "
                   "field.",
    .options = {HelpOption(), PasswordOption()},
    .arguments = {{"DATABASE", "The .mdb file."},
                  {"OBJECT", "\"Table: NAME\" or \"Query: NAME\", as objects prints it."}},
};

// The parsed arguments, or nothing when the help was asked for and printed.
std::optional<ParsedArguments> Parse(const CommandLine& commandLine, const Arguments& args,
                                     std::size_t positionals, std::ostream& out) {
    ParsedArguments parsed = parseArguments(commandLine, args);
    if (parsed.isSet("help")) {
        out << helpText(commandLine);
        return std::nullopt;
    }
    if (parsed.arguments().size() != positionals) {
        throw CommandError(exitBadUsage, "usage: " + commandLine.usage);
    }
    return parsed;
}

void WriteLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

} // namespace

std::vector<std::string> AllObjectItems(const core::DatabaseObjects& objects) {
    std::vector<std::string> items;
    for (const auto& table : objects.tables) {
        items.push_back(core::tableItem(table.name));
    }
    for (const auto& query : objects.queries) {
        items.push_back(core::queryItem(query.name) + '\t' + std::to_string(query.type));
    }
    return items;
}

ObjectItem ParseObjectItem(const std::string& item) {
    if (core::isObjectItem(item)) {
        return {core::objectKind(item), core::itemObjectName(item)};
    }
    throw CommandError(exitBadUsage, "OBJECT must be \"Table: NAME\" or \"Query: NAME\"");
}

Option PasswordOption() {
    return {
        {"password"}, "PW", "The database password; without it the database opens without one."};
}

int ReportEngineError(const core::EngineError& error, std::ostream& err) {
    err << "Error " << error.number() << ": " << error.description() << '\n';
    return exitFailure;
}

int RunObjectsWith(core::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                   std::ostream& err) {
    const auto parsed = Parse(objectsLine, args, 1, out);
    if (!parsed) {
        return exitDone;
    }
    try {
        const auto objects =
            catalogue.listObjects(parsed->arguments()[0], parsed->value("password"));
        WriteLines(out,
                   parsed->isSet("all") ? AllObjectItems(objects) : core::objectListItems(objects));
    } catch (const core::EngineError& error) {
        return ReportEngineError(error, err);
    }
    return exitDone;
}

int RunDescribeWith(core::Catalogue& catalogue, const Arguments& args, std::ostream& out,
                    std::ostream& err) {
    const auto parsed = Parse(describeLine, args, 2, out);
    if (!parsed) {
        return exitDone;
    }
    const ObjectItem object = ParseObjectItem(parsed->arguments()[1]);
    try {
        const auto definition = catalogue.describeObject(
            parsed->arguments()[0], parsed->value("password"), object.kind, object.name);
        std::vector<std::string> lines{"key\t" + core::primaryKeyField(object.kind, definition)};
        for (const auto& field : definition.fields) {
            lines.push_back("field\t" + field.name + '\t' + std::to_string(field.type) + '\t' +
                            std::string(GetPrefix(field.type)));
        }
        WriteLines(out, lines);
    } catch (const core::EngineError& error) {
        return ReportEngineError(error, err);
    }
    return exitDone;
}

int RunObjects(const Arguments& args, std::ostream& out, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::answerRequest); // fork()s: single-threaded
    return RunObjectsWith(catalogue, args, out, err);
}

int RunDescribe(const Arguments& args, std::ostream& out, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::answerRequest); // fork()s: single-threaded
    return RunDescribeWith(catalogue, args, out, err);
}

} // namespace ombrix::cli
