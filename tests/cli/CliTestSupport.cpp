#include "CliTestSupport.h"

#include "cli/Cli.h"

#include <QFile>
#include <sstream>

namespace ombrix::cli::test {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ExamplePath(const QString& name) {
    return QStringLiteral(OMBRIX_EXAMPLES_DIR "/") + name;
}

QString GoldenPath(const QString& name) {
    return QStringLiteral(OMBRIX_GOLDEN_DIR "/") + name;
}

std::vector<std::string> Utf8(const QStringList& arguments) {
    std::vector<std::string> utf8;
    for (const QString& argument : arguments)
        utf8.push_back(argument.toStdString());
    return utf8;
}

Outcome RunInProcess(const QStringList& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = ombrix::cli::RunCli(Utf8(arguments), out, err);
    return {exitCode, out.str(), err.str()};
}

namespace {

const QByteArray item =
    R"("Notes                                                                                                    \tmem")";

QByteArray StateWith(const QByteArray& members) {
    return "{" + members + "}";
}

const QByteArray database = R"("database": "C:\\Data\\Shop.mdb")";
const QByteArray password = R"("password": "")";
const QByteArray object = R"("object": "Table: Orders")";
const QByteArray key = R"("primaryKeyField": "OrderID")";
const QByteArray fields = R"("fields": [)" + item + "]";
const QByteArray method = R"("method": "Post")";

QByteArray Without(const QByteArray& left) {
    QByteArrayList members{database, password, object, key, fields, method};
    members.removeOne(left);
    return StateWith(members.join(", "));
}

QByteArray Replacing(const QByteArray& old, const QByteArray& replacement) {
    QByteArrayList members{database, password, object, key, fields, method};
    members.replace(members.indexOf(old), replacement);
    return StateWith(members.join(", "));
}

} // namespace

std::vector<BadState> BadStates() {
    return {
        {"bad_json", "{\"database\": ",
         "Error: the state is not valid JSON: unterminated object at offset 13\n"},
        {"empty_input", "", "Error: the state is not valid JSON: illegal value at offset 0\n"},
        {"not_an_object", "[]", "Error: the state is not a JSON object\n"},
        {"no_database", Without(database), "Error: the state has no member \"database\"\n"},
        {"no_password", Without(password), "Error: the state has no member \"password\"\n"},
        {"no_object", Without(object), "Error: the state has no member \"object\"\n"},
        {"no_key", Without(key), "Error: the state has no member \"primaryKeyField\"\n"},
        {"no_fields", Without(fields), "Error: the state has no member \"fields\"\n"},
        {"no_method", Without(method), "Error: the state has no member \"method\"\n"},
        {"database_not_string", Replacing(database, R"("database": 7)"),
         "Error: member \"database\" is not a string\n"},
        {"key_prefix_not_string", Replacing(key, key + R"(, "primaryKeyPrefix": null)"),
         "Error: member \"primaryKeyPrefix\" is not a string\n"},
        {"fields_not_array", Replacing(fields, R"("fields": "Notes")"),
         "Error: member \"fields\" is not an array\n"},
        {"empty_field_list", Replacing(fields, R"("fields": [])"),
         "Error: member \"fields\" is empty\n"},
        {"item_not_string", Replacing(fields, R"("fields": [)" + item + ", 3]"),
         "Error: field 2 is not a string\n"},
        {"item_without_tab", Replacing(fields, R"("fields": [)" + item + R"(, "Notes mem"])"),
         "Error: field 2 has no TAB before its type prefix\n"},
        {"method_lower_case", Replacing(method, R"("method": "post")"),
         "Error: member \"method\" must be \"Post\" or \"Get\"\n"},
        {"object_without_kind", Replacing(object, R"("object": "Orders")"),
         "Error: member \"object\" must begin with \"Table: \" or \"Query: \"\n"},
    };
}

} // namespace ombrix::cli::test
