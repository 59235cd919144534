#pragma once

#include <string>
#include <string_view>

namespace ombrix {

// The first character of each word upper case, every other letter lower case. Words are separated
// by blank, TAB, LF, VT, FF, CR and NUL only; a word starting with a digit or an apostrophe has no
// capital. Text is UTF-8; every letter follows Unicode's simple case mappings as GLib gives them
// (no title case, no final sigma), and any invalid byte is copied unchanged.
std::string ProperCase(std::string_view text);

} // namespace ombrix
