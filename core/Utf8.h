#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ombrix {

// One character of UTF-8 text. An invalid or truncated sequence, an overlong form or a surrogate
// is reported as one invalid byte, so that callers can copy it through unchanged.
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = false;
};

// Decodes the character starting at byte pos (pos < text.size()).
Utf8Char decodeUtf8(std::string_view text, std::size_t pos);

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace ombrix
