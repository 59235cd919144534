#pragma once

namespace ombrix {

// Unicode's simple one-to-one case mappings as GLib gives them (g_unichar_toupper and
// g_unichar_tolower), for every script: "ǆ" is upper-cased to "Ǆ", "ß" stays "ß". A character
// without a mapping is returned unchanged.
char32_t toUpper(char32_t c);
char32_t toLower(char32_t c);

} // namespace ombrix
