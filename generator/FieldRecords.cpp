#include "generator/FieldRecords.h"

#include "core/FieldItem.h"
#include "core/PageNames.h"
#include "generator/Names.h"

namespace ombrix {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

FieldSpec fieldSpecFromItem(std::string_view item) {
    const core::FieldItemParts parts =
        core::splitFieldItem(item).value_or(core::FieldItemParts{.name = item, .prefix = {}});
    FieldSpec field;
    field.Name = ProperCase(trimBlanks(parts.name));
    field.VarName = SpaceToUnderscore(field.Name);
    field.Prefix = parts.prefix;
    return field;
}

std::vector<FieldSpec> buildFieldSpecs(const std::vector<std::string>& summaryFields) {
    std::vector<FieldSpec> fields;
    fields.reserve(summaryFields.size());
    for (const auto& item : summaryFields) {
        fields.push_back(fieldSpecFromItem(item));
    }
    return fields;
}

} // namespace ombrix
