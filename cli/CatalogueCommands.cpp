#include "cli/CatalogueCommands.h"

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "generator/TypePrefix.h"
#include "platform/ReaderCatalogue.h"
#include "reader/Serve.h"
#include "wizard/CatalogueItems.h"

namespace ombrix::cli {

namespace {

void WriteLines(std::ostream& out, const QStringList& lines) {
    for (const QString& line : lines) {
        WriteText(out, line + QLatin1Char('\n'));
    }
}

QStringList Positionals(const QCommandLineParser& parser, qsizetype count, const QString& usage) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != count) {
        throw CommandError(exitBadUsage, QStringLiteral("usage: ombrix-cli %1").arg(usage));
    }
    return positional;
}

} // namespace

QStringList AllObjectItems(const core::DatabaseObjects& objects) {
    QStringList items;
    for (const auto& table : objects.tables) {
        items.append(wizard::tableItem(QString::fromStdString(table.name)));
    }
    for (const auto& query : objects.queries) {
        items.append(wizard::queryItem(QString::fromStdString(query.name)) + QLatin1Char('\t') +
                     QString::number(query.type));
    }
    return items;
}

ObjectItem ParseObjectItem(const QString& item) {
    if (wizard::isObjectItem(item)) {
        return {wizard::objectKind(item), wizard::itemObjectName(item)};
    }
    throw CommandError(exitBadUsage,
                       QStringLiteral("OBJECT must be \"Table: NAME\" or \"Query: NAME\""));
}

QCommandLineOption PasswordOption() {
    return {QStringLiteral("password"),
            QStringLiteral("The database password; without it the database opens without one."),
            QStringLiteral("PW")};
}

int ReportEngineError(const core::EngineError& error, std::ostream& err) {
    WriteText(err, QStringLiteral("Error %1: %2\n")
                       .arg(error.number())
                       .arg(QString::fromStdString(error.description())));
    return exitFailure;
}

int RunObjectsWith(core::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                   std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the tables and queries of an Access database as the wizard's "
                       "object list shows them, one a line."));
    const QCommandLineOption help = AddHelpOption(parser);
    const QCommandLineOption password = PasswordOption();
    const QCommandLineOption all(
        QStringLiteral("all"),
        QStringLiteral("List every table and query, unfiltered; queries with their type."));
    parser.addOption(password);
    parser.addOption(all);
    parser.addPositionalArgument(QStringLiteral("DATABASE"), QStringLiteral("The .mdb file."));
    ParseArguments(parser, args);
    const QString usage = QStringLiteral("objects DATABASE [--password PW] [--all]");
    if (parser.isSet(help)) {
        WriteText(out, HelpText(parser, QStringLiteral("ombrix-cli ") + usage));
        return exitDone;
    }
    const QString database = Positionals(parser, 1, usage).first();
    try {
        const auto objects =
            catalogue.listObjects(database.toStdString(), parser.value(password).toStdString());
        WriteLines(out,
                   parser.isSet(all) ? AllObjectItems(objects) : wizard::objectListItems(objects));
    } catch (const core::EngineError& error) {
        return ReportEngineError(error, err);
    }
    return exitDone;
}

int RunDescribeWith(core::Catalogue& catalogue, const QStringList& args, std::ostream& out,
                    std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the key field and the fields of a table or query as the wizard "
                       "finds them: \"key<TAB>NAME\", then \"field<TAB>NAME<TAB>TYPE<TAB>PREFIX\" "
                       "for each field."));
    const QCommandLineOption help = AddHelpOption(parser);
    const QCommandLineOption password = PasswordOption();
    parser.addOption(password);
    parser.addPositionalArgument(QStringLiteral("DATABASE"), QStringLiteral("The .mdb file."));
    parser.addPositionalArgument(QStringLiteral("OBJECT"),
                                 QStringLiteral("\"Table: NAME\" or \"Query: NAME\", as objects "
                                                "prints it."));
    ParseArguments(parser, args);
    const QString usage = QStringLiteral("describe DATABASE OBJECT [--password PW]");
    if (parser.isSet(help)) {
        WriteText(out, HelpText(parser, QStringLiteral("ombrix-cli ") + usage));
        return exitDone;
    }
    const QStringList positional = Positionals(parser, 2, usage);
    const ObjectItem object = ParseObjectItem(positional[1]);
    try {
        const auto definition = catalogue.describeObject(positional[0].toStdString(),
                                                         parser.value(password).toStdString(),
                                                         object.kind, object.name.toStdString());
        QStringList lines{QStringLiteral("key\t") +
                          QString::fromStdString(core::primaryKeyField(object.kind, definition))};
        for (const auto& field : definition.fields) {
            const std::string_view prefix = GetPrefix(field.type);
            lines.append(
                QStringLiteral("field\t%1\t%2\t%3")
                    .arg(QString::fromStdString(field.name))
                    .arg(field.type)
                    .arg(QString::fromUtf8(prefix.data(), static_cast<qsizetype>(prefix.size()))));
        }
        WriteLines(out, lines);
    } catch (const core::EngineError& error) {
        return ReportEngineError(error, err);
    }
    return exitDone;
}

int RunObjects(const QStringList& args, std::ostream& out, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::answerRequest); // fork()s: single-threaded
    return RunObjectsWith(catalogue, args, out, err);
}

int RunDescribe(const QStringList& args, std::ostream& out, std::ostream& err) {
    platform::ReaderCatalogue catalogue(reader::answerRequest); // fork()s: single-threaded
    return RunDescribeWith(catalogue, args, out, err);
}

} // namespace ombrix::cli
