#include "generator/Names.h"

#include "core/Utf8.h"
#include "generator/CaseMapping.h"

namespace ombrix {

namespace {

bool isWordSeparator(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' ||
           c == U'\0';
}

} // namespace

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

} // namespace ombrix
