#include "reader/Text.h"

#include <algorithm>
#include <array>
#include <glib.h>
#include <memory>

namespace ombrix::reader {

namespace {

bool isAsciiUtf16Le(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        if (bytes[i] <= 0 || bytes[i + 1] != 0) {
            return false;
        }
    }
    return true;
}

struct GFreer {
    void operator()(void* p) const { g_free(p); }
};
using GString = std::unique_ptr<char, GFreer>;

void appendUtf8(std::string& out, char32_t c) {
    std::array<char, 6> buffer{};
    const int length = g_unichar_to_utf8(static_cast<gunichar>(c), buffer.data());
    out.append(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace

std::string caseFolded(std::string_view text) {
    // Most names are ASCII, which folds a byte at a time as GLib would (up to a NUL, as its C
    // string ends there); a lookup folds every name in the catalogue.
    if (std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string folded(text.substr(0, text.find('\0')));
        for (char& c : folded) {
            c = g_ascii_tolower(c);
        }
        return folded;
    }
    const std::string valid = validUtf8(text);
    const GString folded(g_utf8_casefold(valid.data(), static_cast<gssize>(valid.size())));
    return folded.get();
}

std::string lowered(std::string_view text) {
    const std::string valid = validUtf8(text);
    const GString lower(g_utf8_strdown(valid.data(), static_cast<gssize>(valid.size())));
    return lower.get();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a == b || caseFolded(a) == caseFolded(b);
}

bool isSpace(char32_t c) {
    return g_unichar_isspace(static_cast<gunichar>(c)) || c == 0x0B || c == 0x85;
}

std::string trimmed(std::string_view text) {
    std::u32string chars = toUtf32(text);
    std::size_t begin = 0;
    std::size_t end = chars.size();
    while (begin < end && isSpace(chars[begin])) {
        ++begin;
    }
    while (end > begin && isSpace(chars[end - 1])) {
        --end;
    }
    return fromUtf32(std::u32string_view(chars).substr(begin, end - begin));
}

std::string validUtf8(std::string_view text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return std::string(text);
    }
    const GString valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
    return valid.get();
}

std::u32string toUtf32(std::string_view text) {
    const std::string valid = validUtf8(text);
    std::u32string chars;
    chars.reserve(valid.size());
    for (const char* p = valid.data(); p < valid.data() + valid.size(); p = g_utf8_next_char(p)) {
        chars.push_back(g_utf8_get_char(p));
    }
    return chars;
}

std::string fromUtf32(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        appendUtf8(out, c);
    }
    return out;
}

std::u16string toUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const char32_t c : toUtf32(text)) {
        if (c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return units;
}

std::string fromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string fromUtf16Le(std::string_view bytes) {
    // Most names are ASCII, whose low bytes are already the UTF-8; a catalogue holds thousands.
    if (isAsciiUtf16Le(bytes)) {
        std::string ascii(bytes.size() / 2, '\0');
        for (std::size_t i = 0; i < ascii.size(); ++i) {
            ascii[i] = bytes[2 * i];
        }
        return ascii;
    }
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    if (bytes.size() % 2 != 0) {
        units.push_back(0xFFFD);
    }
    return fromUtf16(units);
}

std::string fromStoredText(std::string_view bytes) {
    if (!bytes.starts_with("\xFF\xFE")) {
        return fromUtf16Le(bytes);
    }
    std::string expanded;
    expanded.reserve(2 * bytes.size());
    bool lowBytes = true;
    for (std::size_t i = 2; i < bytes.size();) {
        if (bytes[i] == '\0') {
            lowBytes = !lowBytes;
            ++i;
        } else if (lowBytes) {
            expanded += bytes[i++];
            expanded += '\0';
        } else {
            expanded += bytes.substr(i, 2);
            i += 2;
        }
    }
    return fromUtf16Le(expanded);
}

std::string fromCodePage(std::string_view bytes, int codePage) {
    const std::string charset = "WINDOWS-" + std::to_string(codePage);
    gsize written = 0;
    const GString whole(g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8",
                                  charset.c_str(), nullptr, &written, nullptr));
    if (whole) {
        return {whole.get(), written};
    }
    // iconv refuses the few bytes a page leaves undefined, where the engine keeps their values.
    std::string out;
    for (const char byte : bytes) {
        const GString one(
            g_convert(&byte, 1, "UTF-8", charset.c_str(), nullptr, &written, nullptr));
        if (one) {
            out.append(one.get(), written);
        } else {
            appendUtf8(out, static_cast<unsigned char>(byte));
        }
    }
    return out;
}

} // namespace ombrix::reader
