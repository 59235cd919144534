#pragma once

#include <string>
#include <string_view>

namespace ombrix {

// Every blank (code 32) becomes "_"; TABs and other white space stay.
std::string SpaceToUnderscore(std::string_view text);

// The first character of each word upper case, every other letter lower case. Words are separated
// by blank, TAB, LF, VT, FF, CR and NUL only; a word starting with a digit or an apostrophe has no
// capital. Text is UTF-8; every letter follows Unicode's simple case mappings as GLib gives them
// (no title case, no final sigma), and any invalid byte is copied unchanged.
std::string ProperCase(std::string_view text);

// The object's name from an object caption ("Table: Orders" gives "Orders"): the caption from its
// eighth character on, counted in characters, not bytes.
std::string_view objectName(std::string_view caption);

} // namespace ombrix
