#include "generator/Names.h"

#include "generator/CaseMapping.h"
#include "generator/Utf8.h"

#include <algorithm>

namespace ombrix {

namespace {

constexpr std::size_t kCaptionPrefixLength = 7; // "Table: " and "Query: "

bool isWordSeparator(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' ||
           c == U'\0';
}

} // namespace

std::string SpaceToUnderscore(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), ' ', '_');
    return result;
}

std::string ProperCase(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool atWordStart = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Utf8Char c = decodeUtf8(text, pos);
        const std::string_view original = text.substr(pos, c.length);
        pos += c.length;
        if (!c.valid) {
            result.append(original);
            atWordStart = false;
            continue;
        }
        if (isWordSeparator(c.codePoint)) {
            result.append(original);
            atWordStart = true;
            continue;
        }
        const char32_t mapped = atWordStart ? toUpper(c.codePoint) : toLower(c.codePoint);
        if (mapped == c.codePoint) {
            result.append(original);
        } else {
            appendUtf8(result, mapped);
        }
        atWordStart = false;
    }
    return result;
}

std::string_view objectName(std::string_view caption) {
    std::size_t pos = 0;
    for (std::size_t skipped = 0; skipped < kCaptionPrefixLength && pos < caption.size();
         ++skipped) {
        pos += decodeUtf8(caption, pos).length;
    }
    return caption.substr(pos);
}

} // namespace ombrix
