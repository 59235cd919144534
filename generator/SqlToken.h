#pragma once

#include <string_view>

namespace ombrix {

// The SQL literal delimiter for a type prefix: "'" for "str" and "mem", "#" for "dat", else empty.
// The comparison is exact and case-sensitive.
std::string_view GetSQLToken(std::string_view prefix);

} // namespace ombrix
