#include "generator/DatabasePath.h"

#include <algorithm>

namespace ombrix {

namespace {

// Compared byte for byte: a non-ASCII character never matches, so bytes in any encoding are safe.
bool endsWithIgnoringCase(std::string_view path, std::string_view lowerSuffix) {
    if (path.size() < lowerSuffix.size())
        return false;
    const std::string_view tail = path.substr(path.size() - lowerSuffix.size());
    return std::equal(tail.begin(), tail.end(), lowerSuffix.begin(), [](char c, char lower) {
        return (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == lower;
    });
}

} // namespace

bool namesAccessDatabase(std::string_view path) {
    return endsWithIgnoringCase(path, ".mdb") || namesAccdb(path);
}

bool namesAccdb(std::string_view path) {
    return endsWithIgnoringCase(path, ".accdb");
}

OdbcDriver odbcDriverFor(std::string_view databasePath) {
    if (namesAccdb(databasePath)) {
        return {.name = "Microsoft Access Driver (*.mdb, *.accdb)", .accessDatabaseEngine = true};
    }
    return {.name = "Microsoft Access Driver (*.mdb)", .accessDatabaseEngine = false};
}

} // namespace ombrix
