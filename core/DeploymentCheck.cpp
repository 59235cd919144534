#include "core/DeploymentCheck.h"

#include "core/CatalogueItems.h"
#include "core/DatabasePath.h"
#include "core/PageNames.h"
#include "core/ReservedWords.h"
#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <set>

namespace ombrix::core {

namespace {

constexpr int kFirstAceVersion = 2;
constexpr int kJet3Version = 0;
constexpr std::size_t kMaxIdentifierLength = 255;

struct Format {
    const char* name;
    const char* release;
};

// By the header's version byte.
constexpr std::array<Format, 7> kFormats{{{"Jet 3", "Access 97"},
                                          {"Jet 4", "Access 2000-2003"},
                                          {"ACE 12", "Access 2007"},
                                          {"ACE 14", "Access 2010"},
                                          {"ACE 15", "Access 2013"},
                                          {"ACE 16", "Access 2016"},
                                          {"ACE 17", "Access 2019 and later"}}};

// In the order of Encryption.
constexpr std::array<const char*, 5> kEncryptionNames{
    "Jet RC4", "database password", "Office RC4 CryptoAPI", "Office Standard", "Office agile"};

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// VBScript's rule: a letter, then letters, digits and underscores, at most 255 characters. A
// character beyond ASCII is taken for a letter, as script engines read letters of the server's
// language.
bool isVbScriptIdentifier(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size(); ++length) {
        const Utf8Char c = decodeUtf8(text, at);
        at += c.length;
        const bool letter = isAsciiLetter(c.codePoint) || c.codePoint >= 0x80;
        const bool digitOrUnderscore =
            (c.codePoint >= U'0' && c.codePoint <= U'9') || c.codePoint == U'_';
        if (!c.valid || !(letter || (length > 0 && digitOrUnderscore))) {
            return false;
        }
    }
    return length > 0 && length <= kMaxIdentifierLength;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += decodeUtf8(text, at).length) {
        ++count;
    }
    return count;
}

// The part of a Windows or POSIX path after its last separator, and the part before it.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos) {
        return {".", path};
    }
    return {path.substr(0, separator == 0 ? 1 : separator), path.substr(separator + 1)};
}

ConnectionCheck checkConnection(const std::string& path, const std::string& password,
                                const DatabaseFacts& database) {
    const OdbcDriver driver = odbcDriverFor(path);
    const bool aceFile = database.formatVersion >= kFirstAceVersion;
    auto [folder, file] = splitPath(path);
    // The engine names its lock file after the database, with the extension of its format.
    const std::size_t dot = file.rfind('.');
    const std::string lockFile =
        (dot == std::string::npos ? file : file.substr(0, dot)) + (aceFile ? ".laccdb" : ".ldb");
    const bool office = std::ranges::any_of(database.encryption, [](Encryption scheme) {
        return scheme != Encryption::JetRc4 && scheme != Encryption::DatabasePassword;
    });
    ConnectionCheck check{.driver = std::string(driver.name),
                          .accessDatabaseEngine = driver.accessDatabaseEngine,
                          .driverOpensFormat = driver.accessDatabaseEngine || !aceFile,
                          .lockFile = lockFile,
                          .folder = std::move(folder),
                          .passwordLimit = office ? kOfficePasswordLength : kJetPasswordLength,
                          .passwordProblems = {}};
    if (characterCount(password) > static_cast<std::size_t>(check.passwordLimit)) {
        check.passwordProblems.push_back(PasswordProblem::TooLong);
    }
    // The connection string ends the password at its first semicolon.
    if (password.find(';') != std::string::npos) {
        check.passwordProblems.push_back(PasswordProblem::Semicolon);
    }
    return check;
}

// Why the engine cannot update a query's rows; empty when it can. A query reading one that
// cannot be updated cannot be updated either.
std::string whyNotUpdatable(const std::string& name, const std::vector<QueryShape>& queries,
                            std::set<std::string>& visited) {
    const auto shape = std::ranges::find(queries, name, &QueryShape::name);
    if (shape == queries.end() || !visited.insert(name).second) {
        return {};
    }
    if (shape->type == kCrosstabQuery) {
        return "a crosstab query";
    }
    if (shape->type == kUnionQuery) {
        return "a union query";
    }
    if (shape->type != kSelectQuery) {
        return "an action query";
    }
    if (shape->totals) {
        return "a totals query";
    }
    if (shape->distinct) {
        return "a DISTINCT query";
    }
    for (const std::string& input : shape->inputQueries) {
        if (const std::string why = whyNotUpdatable(input, queries, visited); !why.empty()) {
            return "reads \"" + input + "\", " + why;
        }
    }
    return {};
}

// What the page cannot show in a text box; empty for a type it can.
std::string uneditableType(int type) {
    switch (type) {
    case 9:
    case 17:
        return "binary";
    case 11:
        return "OLE object";
    case 15:
        return "GUID";
    case 101:
        return "attachment";
    default:
        return type >= 102 && type <= 109 ? "multi-value" : "";
    }
}

void addNameItems(std::vector<MendItem>& mend, const std::string& name) {
    for (const MendReason reason : nameReasons(name)) {
        mend.push_back({.name = name, .reason = reason, .write = sqlName(name), .detail = {}});
    }
}

ObjectCheck checkObject(const ObjectFacts& object, const std::vector<QueryShape>& queries) {
    ObjectCheck check{.item = objectItem(object.kind, object.name),
                      .updatable = true,
                      .mend = {},
                      .fieldsUnread = {}};
    const auto add = [&](const std::string& name, MendReason reason, std::string detail = {}) {
        check.mend.push_back(
            {.name = name, .reason = reason, .write = sqlName(name), .detail = std::move(detail)});
    };
    if (object.kind == ObjectKind::Query) {
        std::set<std::string> visited;
        if (std::string why = whyNotUpdatable(object.name, queries, visited); !why.empty()) {
            check.updatable = false;
            add(object.name, MendReason::NotUpdatable, std::move(why));
        }
    }
    if (object.link) {
        add(object.name, MendReason::Linked,
            (object.link->odbc ? "the ODBC data source \"" + object.link->source + "\""
                               : object.link->source) +
                " (table \"" + object.link->foreignName + "\")");
    }
    // A query never has a key, whether or not its fields could be read.
    const auto* definition = std::get_if<ObjectDefinition>(&object.definition);
    if (object.kind == ObjectKind::Query ||
        (definition != nullptr && primaryKeyFields(object.kind, *definition).empty())) {
        add(object.name, MendReason::NoPrimaryKey);
    }
    addNameItems(check.mend, object.name);
    if (definition == nullptr) {
        check.fieldsUnread = std::get<EngineError>(object.definition);
        return check;
    }
    for (const FieldDef& field : definition->fields) {
        addNameItems(check.mend, field.name);
        if (std::string type = uneditableType(field.type); !type.empty()) {
            add(field.name, MendReason::Type, std::move(type));
        }
        if (field.autoNumber) {
            add(field.name, MendReason::AutoNumber);
        }
    }
    return check;
}

} // namespace

std::string_view reasonName(MendReason reason) {
    static constexpr std::string_view kNames[]{"blank",          "character",     "reserved word",
                                               "no primary key", "not updatable", "linked",
                                               "type",           "autonumber"};
    return kNames[static_cast<std::size_t>(reason)];
}

std::vector<MendReason> nameReasons(std::string_view name) {
    std::vector<MendReason> reasons;
    if (name.find(' ') != std::string_view::npos) {
        reasons.push_back(MendReason::Blank);
    }
    // Blanks become underscores in the page's variables; anything else must be a letter, a digit
    // or an underscore already.
    if (!isVbScriptIdentifier(SpaceToUnderscore(name))) {
        reasons.push_back(MendReason::Character);
    } else if (isReservedWord(name)) {
        reasons.push_back(MendReason::ReservedWord);
    }
    return reasons;
}

std::string sqlName(std::string_view name) {
    return nameReasons(name).empty() ? std::string(name) : "[" + std::string(name) + "]";
}

DeploymentReport checkDeployment(const std::string& path, const std::string& password,
                                 const DatabaseInspection& inspection) {
    const DatabaseFacts& database = inspection.database;
    const Format& format = kFormats.at(static_cast<std::size_t>(database.formatVersion));
    const std::string pagePath = pathInPage(path);
    DeploymentReport report{.database = pagePath,
                            .format = format.name,
                            .formatRelease = format.release,
                            .encryption = {},
                            .codePage = {},
                            .connection = checkConnection(pagePath, password, database),
                            .objects = {}};
    for (const Encryption scheme : database.encryption) {
        report.encryption.emplace_back(kEncryptionNames[static_cast<std::size_t>(scheme)]);
    }
    if (database.formatVersion == kJet3Version) {
        report.codePage = database.codePage;
    }
    if (inspection.catalogue) {
        std::vector<ObjectCheck>& objects = report.objects.emplace();
        for (const ObjectFacts& object : inspection.catalogue->objects) {
            objects.push_back(checkObject(object, inspection.catalogue->queries));
        }
    }
    return report;
}

} // namespace ombrix::core
