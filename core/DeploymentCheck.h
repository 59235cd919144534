#pragma once

#include "core/Catalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a database and each of its objects need before the page runs on a web server: the
// catalogue's facts read against what the page writes, the ODBC driver and the engine's limits.
namespace ombrix::core {

// Why something must be mended, from one fixed vocabulary.
enum class MendReason {
    Blank,        // a name with a blank: the page writes it unbracketed, or with "_" for " "
    Character,    // a name that is not a VBScript identifier for another reason
    ReservedWord, // a word the engine's SQL or VBScript reserves
    NoPrimaryKey, // the page's record lookup is a placeholder
    NotUpdatable, // the engine refuses the page's UPDATE whatever is mended
    Linked,       // the rows are in another file or data source, which the server must reach
    Type,         // a field the page cannot edit in a text box
    AutoNumber,   // the engine refuses the page's UPDATE while it sets the field
};

// "blank", "character", "reserved word", "no primary key", "not updatable", "linked", "type",
// "autonumber".
std::string_view reasonName(MendReason reason);

struct MendItem {
    std::string name; // the object's or field's name as the catalogue spells it
    MendReason reason = MendReason::Blank;
    std::string write;  // the name as it works in SQL: "[Order Date]"
    std::string detail; // what more there is to say: the kind of query, the source, the type
};

struct ObjectCheck {
    std::string item; // "Table: NAME" or "Query: NAME"
    bool updatable = true;
    std::vector<MendItem> mend;
    std::optional<EngineError> fieldsUnread; // why its fields could not be read and checked
};

enum class PasswordProblem { TooLong, Semicolon };

struct ConnectionCheck {
    std::string driver;        // as the page's connection line names it
    bool accessDatabaseEngine; // the Access Database Engine's driver; otherwise Jet's (32-bit)
    bool driverOpensFormat;    // false: Jet's driver cannot open an ACE file
    std::string lockFile;      // the lock file's name, which the engine makes beside the database
    std::string folder;        // the database's folder, as the path gives it
    int passwordLimit;         // the most characters the engine takes of the password
    std::vector<PasswordProblem> passwordProblems;
};

struct DeploymentReport {
    std::string database;                // the path as the page's connection line writes it
    std::string format;                  // "Jet 4"
    std::string formatRelease;           // "Access 2000-2003"
    std::vector<std::string> encryption; // "Jet RC4", "database password", "Office agile", ...
    std::optional<int> codePage;         // Jet 3 only: the code page of its text
    ConnectionCheck connection;
    // Each object checked; nothing when the password was missing or wrong.
    std::optional<std::vector<ObjectCheck>> objects;
};

// The report for a database as its path (the file system's bytes) and password are written into
// the page.
DeploymentReport checkDeployment(const std::string& path, const std::string& password,
                                 const DatabaseInspection& inspection);

// The reasons a name must be written differently in the page, in the order of MendReason; none
// for a name that works as it is.
std::vector<MendReason> nameReasons(std::string_view name);

// The name as it works in SQL: in brackets when it has any of nameReasons, as it is otherwise.
std::string sqlName(std::string_view name);

} // namespace ombrix::core
