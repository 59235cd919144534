#include "core/DatabasePath.h"

#include "core/Utf8.h"

#include <algorithm>
#include <array>

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

bool isUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        if (!c.valid) {
            return false;
        }
        pos += c.length;
    }
    return true;
}

// Windows-1252's characters for 0x80 to 0x9F; the rest of the bytes are Unicode's first 256.
// Written out here: iconv's WINDOWS-1252 refuses the five bytes that Windows maps to C1 controls.
constexpr std::array<char32_t, 32> kWindows1252From80{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

std::string pathInPage(std::string_view pathBytes) {
    if (isUtf8(pathBytes)) {
        return std::string(pathBytes);
    }
    std::string text;
    for (const char c : pathBytes) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kWindows1252From80[byte - 0x80] : byte);
    }
    return text;
}

} // namespace ombrix
