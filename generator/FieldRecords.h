#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

// The generator's record for one selected field, derived once from its summary list item.
struct FieldSpec {
    std::string Name;    // the catalogue name, trimmed of blanks, in proper case
    std::string VarName; // Name with each blank made "_": page variable and input element name
    std::string Prefix;  // the three-letter type prefix
};

// Splits an item at its first TAB. An item without a TAB (which the wizard never builds) is taken
// as a name with an empty prefix, so the generator stays total.
FieldSpec fieldSpecFromItem(std::string_view item);

std::vector<FieldSpec> buildFieldSpecs(const std::vector<std::string>& summaryFields);

} // namespace ombrix
