#pragma once

#include <optional>
#include <string>
#include <string_view>

// The field lists' items, which the wizard moves from list to list and the generator reads: the
// field's name, 100 blanks, a TAB and its type prefix.
namespace ombrix::core {

std::string makeFieldItem(std::string_view name, std::string_view prefix);

// An item's two parts: everything before its first TAB (the name and the blanks after it) and
// everything after it.
struct FieldItemParts {
    std::string_view name;
    std::string_view prefix;
};

// Nothing for text without a TAB, which no field list holds.
std::optional<FieldItemParts> splitFieldItem(std::string_view item);

} // namespace ombrix::core
