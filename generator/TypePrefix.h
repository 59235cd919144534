#pragma once

#include <string_view>

namespace ombrix {

// The three-letter prefix of a database engine field type code; "unk" for a code not known.
std::string_view GetPrefix(int typeCode);

// The SQL literal delimiter for a prefix: "'" for "str" and "mem", "#" for "dat", else empty.
// The comparison is exact and case-sensitive.
std::string_view GetSQLToken(std::string_view prefix);

} // namespace ombrix
