#pragma once

#include "generator/sections/Sections.h"

#include <string>
#include <string_view>

namespace ombrix::sections {

// The kinds of value that the page checks before it joins them into SQL.
enum class ValueKind { Date, YesNo, Number };

// The page condition that is true when the submitted value X cannot be of the kind. A NUL is
// refused because IsNumeric and IsDate read a string only up to it; a comma because it would add
// an item to the SQL lists.
std::string refusedCondition(ValueKind kind, std::string_view x);

// The page text that stands between the closing and the reopening double quote of an SQL string
// for the value X delimited by token: 'SqlQuote(X)' for "'", #X# for "#", else X as it is.
std::string sqlLiteral(std::string_view token, std::string_view x);

// The key's SQL delimiter: "'", "#" or empty.
std::string_view keyToken(const PageContext& page);

// The check of the submitted key before the delete: by the key's delimiter, and yes/no for "boo".
ValueKind keyKind(const PageContext& page);

} // namespace ombrix::sections
