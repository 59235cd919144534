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

// A key field's SQL delimiter: "'", "#" or empty.
std::string_view keyToken(const KeyField& key);

// The check of a submitted key field before the delete: by its delimiter, and yes/no for "boo".
ValueKind keyKind(const KeyField& key);

// A key field's value in the page variable of its raw name, as GetData and the update read it.
std::string keyVariable(std::string_view name);

// The condition that finds the record: for each key field, in key order, its name, equals and the
// literal of the value that valueOf(name) reads, joined with " And ".
std::string keyCondition(const PageContext& page, std::string_view equals,
                         std::string (*valueOf)(std::string_view name));

} // namespace ombrix::sections
